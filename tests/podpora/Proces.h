#pragma once
// A program run as a child of a test or a benchmark: started with its output redirected,
// and waited for, with the peak memory it used.

#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

// Starts argumenty[0] (looked up in PATH) with argumenty, its standard output and error
// appended to the files vystup and chyby (empty: the caller's), in a process group of its
// own with vlastniSkupina (so that kill(-pid) reaches its children too); its pid, or -1
// when it cannot start.
inline pid_t SpustProces(std::vector<std::string> argumenty, const std::string& vystup = {},
                         const std::string& chyby = {}, bool vlastniSkupina = false) {
    std::vector<char*> argv;
    for (auto& a : argumenty)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t akce;
    posix_spawn_file_actions_init(&akce);
    const auto presmeruj = [&](int fd, const std::string& soubor) {
        if (!soubor.empty())
            posix_spawn_file_actions_addopen(&akce, fd, soubor.c_str(),
                                             O_WRONLY | O_CREAT | O_APPEND, 0644);
    };
    presmeruj(STDOUT_FILENO, vystup);
    presmeruj(STDERR_FILENO, chyby);
    posix_spawnattr_t vlastnosti;
    posix_spawnattr_init(&vlastnosti);
    if (vlastniSkupina)
        posix_spawnattr_setflags(&vlastnosti, POSIX_SPAWN_SETPGROUP);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &akce, &vlastnosti, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&akce);
    posix_spawnattr_destroy(&vlastnosti);
    return pid;
}

// How a child ended: its exit code (-1 when a signal ended it) and its peak memory.
struct tKonecProcesu {
    int Kod = -1;
    long PametKiB = 0; // ru_maxrss
};

// Waits for child pid to end (volby WNOHANG: only looks); nothing while it still runs.
inline std::optional<tKonecProcesu> PockejNaProces(pid_t pid, int volby = 0) {
    int stav = 0;
    rusage spotreba{};
    if (::wait4(pid, &stav, volby, &spotreba) != pid)
        return std::nullopt;
    return tKonecProcesu{WIFEXITED(stav) ? WEXITSTATUS(stav) : -1, spotreba.ru_maxrss};
}
