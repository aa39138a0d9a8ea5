#pragma once
// Runs a piece of a test as the ordinary user nobody: the tests run as root, whom no file
// permission stops.

#include <functional>
#include <optional>
#include <string>

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

inline constexpr uid_t Nikdo = 65534;

// What `akce` returns, run in a child process that has given up root; nullopt when this
// machine does not let the child become nobody.
inline std::optional<std::string> JakoNikdo(const std::function<std::string()>& akce) {
    int roura[2];
    if (::pipe(roura) != 0)
        return std::nullopt;
    const pid_t dite = ::fork();
    if (dite == 0) {
        ::close(roura[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(Nikdo) != 0 || ::setuid(Nikdo) != 0)
            ::_exit(77);
        const std::string vysledek = akce();
        const bool odeslano =
            ::write(roura[1], vysledek.data(), vysledek.size()) == ssize_t(vysledek.size());
        ::_exit(odeslano ? 0 : 1);
    }
    ::close(roura[1]);
    std::string vysledek;
    char blok[256];
    for (ssize_t n; (n = ::read(roura[0], blok, sizeof blok)) > 0;)
        vysledek.append(blok, static_cast<size_t>(n));
    ::close(roura[0]);
    int stav = 0;
    ::waitpid(dite, &stav, 0);
    if (dite < 0 || !WIFEXITED(stav) || WEXITSTATUS(stav) != 0)
        return std::nullopt;
    return vysledek;
}
