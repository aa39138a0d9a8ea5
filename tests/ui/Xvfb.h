#pragma once
// A private X server (Xvfb) for tests that need a real one, on a display number of its choice.

#include <csignal>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

class tXvfb {
public:
    // Starts the server and waits until it is ready; Bezi() tells whether it came up.
    tXvfb() {
        int trubka[2];
        if (pipe(trubka) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            close(trubka[0]);
            const std::string fd = std::to_string(trubka[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
                   "640x480x24", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(trubka[1]);
        std::string cislo;
        char znak = 0;
        while (read(trubka[0], &znak, 1) == 1 && znak != '\n')
            cislo += znak;
        close(trubka[0]);
        if (pid_ > 0 && !cislo.empty())
            displej_ = ":" + cislo;
    }
    ~tXvfb() {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    tXvfb(const tXvfb&) = delete;
    tXvfb& operator=(const tXvfb&) = delete;

    bool Bezi() const { return !displej_.empty(); }
    const std::string& Displej() const { return displej_; } // for DISPLAY, e.g. ":1"

private:
    pid_t pid_ = -1;
    std::string displej_;
};
