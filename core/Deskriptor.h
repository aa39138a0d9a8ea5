#pragma once
// A file descriptor that closes itself when it goes out of scope.

#include <utility>

#include <unistd.h>

class tDeskriptor {
public:
    explicit tDeskriptor(int fd = -1) : fd_(fd) {}
    ~tDeskriptor() { Zavri(); }
    tDeskriptor(const tDeskriptor&) = delete;
    tDeskriptor& operator=(const tDeskriptor&) = delete;
    tDeskriptor(tDeskriptor&& jiny) noexcept : fd_(std::exchange(jiny.fd_, -1)) {}
    tDeskriptor& operator=(tDeskriptor&& jiny) noexcept {
        if (this != &jiny) {
            Zavri();
            fd_ = std::exchange(jiny.fd_, -1);
        }
        return *this;
    }

    int Fd() const { return fd_; }
    bool Otevreny() const { return fd_ >= 0; }

    // Closes now. False when close reports an error: data written may not have reached the
    // file.
    bool Zavri() {
        const int fd = std::exchange(fd_, -1);
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};
