#pragma once
// What wakes the watcher: files arriving in its folder (inotify), the signals that end it
// (signalfd), the regular look at the whole folder, and the time of its next task. Each is
// waited for in one poll, so that while nothing can move the watcher sleeps.

#include "core/Deskriptor.h"

#include <chrono>
#include <functional>
#include <string>

class tZdrojUdalosti {
public:
    using tHodiny = std::chrono::steady_clock;

    // Blocks SIGTERM, SIGINT and SIGHUP for a signalfd and watches folder slozka. Raises
    // eChyba naming the folder when it cannot. The first look at the whole folder is due at
    // once; every later one prohledani after the one before.
    tZdrojUdalosti(const std::string& slozka, tHodiny::duration prohledani);

    // True when a signal that ends the watcher has come (read now, without waiting).
    bool Signal();

    // Sleeps until an event, the next look at the folder, or kdy, at most a minute. False
    // when the wait itself fails.
    bool Cekej(tHodiny::time_point kdy);

    // Every name inotify reported since the last call: prisel(name, renamed into the folder).
    // Events the kernel dropped make the next look at the whole folder due at once.
    void Udalosti(const std::function<void(const std::string& nazev, bool prejmenovan)>& prisel);

    // The whole folder is to be looked at now (inotify does not see files that another
    // machine writes on a network share); Prohledano starts the next interval.
    bool Prohledat() const { return tHodiny::now() >= prohledani_; }
    void Prohledano() { prohledani_ = tHodiny::now() + interval_; }

private:
    const tHodiny::duration interval_;
    tHodiny::time_point prohledani_{};
    tDeskriptor inotify_, signal_;
};
