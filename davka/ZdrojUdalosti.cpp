#include "davka/ZdrojUdalosti.h"

#include "core/Chyba.h"
#include "core/Soubory.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>

#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <unistd.h>

tZdrojUdalosti::tZdrojUdalosti(const std::string& slozka, tHodiny::duration prohledani)
    : interval_(prohledani) {
    sigset_t signaly;
    sigemptyset(&signaly);
    sigaddset(&signaly, SIGTERM);
    sigaddset(&signaly, SIGINT);
    sigaddset(&signaly, SIGHUP); // as SIGTERM: no terminal to hang up on a service
    ::pthread_sigmask(SIG_BLOCK, &signaly, nullptr);
    signal_ = tDeskriptor(::signalfd(-1, &signaly, SFD_NONBLOCK | SFD_CLOEXEC));
    inotify_ = tDeskriptor(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    if (!signal_.Otevreny() || !inotify_.Otevreny() ||
        ::inotify_add_watch(inotify_.Fd(), slozka.c_str(),
                            IN_MOVED_TO | IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB |
                                IN_ONLYDIR) < 0)
        throw eChyba("Složku " + slozka + " nelze hlídat (" + std::to_string(errno) + ")");
}

bool tZdrojUdalosti::Signal() {
    signalfd_siginfo info{};
    return ::read(signal_.Fd(), &info, sizeof info) == static_cast<ssize_t>(sizeof info);
}

bool tZdrojUdalosti::Cekej(tHodiny::time_point kdy) {
    const auto ted = tHodiny::now();
    kdy = std::min(kdy, prohledani_);
    const long long ms =
        kdy <= ted ? 0 : std::chrono::ceil<std::chrono::milliseconds>(kdy - ted).count();
    std::array<pollfd, 2> co{{{signal_.Fd(), POLLIN, 0}, {inotify_.Fd(), POLLIN, 0}}};
    return ::Cekej(co, static_cast<int>(std::min<long long>(ms, 60000)));
}

void tZdrojUdalosti::Udalosti(
    const std::function<void(const std::string& nazev, bool prejmenovan)>& prisel) {
    alignas(inotify_event) char buf[16384];
    for (;;) {
        const ssize_t delka = ::read(inotify_.Fd(), buf, sizeof buf);
        if (delka <= 0)
            return;
        for (ssize_t i = 0; i < delka;) {
            const auto* u = reinterpret_cast<const inotify_event*>(buf + i);
            i += static_cast<ssize_t>(sizeof(inotify_event) + u->len);
            if ((u->mask & IN_Q_OVERFLOW) != 0)
                prohledani_ = {}; // events lost: look at the whole folder now
            else if (u->len > 0)
                prisel(u->name, (u->mask & IN_MOVED_TO) != 0);
        }
    }
}
