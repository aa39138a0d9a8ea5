#pragma once
// Following jobs to their end: did it print? The batch printer waits for its job; the window
// follows the jobs of this session and the job list. At most one question a second per job
// still in progress, none at all when none is; every question keeps the spooler's deadline.

#include "output/StavUlohy.h"

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Where a followed job stands for the one who sent it.
enum class tKonecUlohy {
    Vytistena,  // completed
    Selhala,    // cancelled or aborted, or waiting on a stopped queue (it needs a person)
    Neskoncila, // waiting or printing: it may still print
};
tKonecUlohy KonecUlohy(const tUloha& u);

// "Úloha 12 (fronta Etikety): přerušena – <the printer's message>", Windows-1250.
std::string PopisUlohy(const tUloha& u);

using tZjistiUlohu = std::function<std::optional<tUloha>(int id)>;
using tVypisFrontu = std::function<std::vector<tUloha>(const std::string& fronta)>;

// Between two questions about one job in progress.
constexpr std::chrono::seconds OdstupDotazu{1};
// A job of this session still not printed this long, with the printer complaining, is news.
constexpr std::chrono::seconds NedostupnaPo{60};

// Asks about job `id` once a second until it ends, its queue stops, or `limit` has passed
// (the last question comes at the limit); returns the last answer, none when the server no
// longer knows the job. Raises eRawPrinter as ZjistiUlohu does.
std::optional<tUloha> CekejNaKonec(int id, std::chrono::milliseconds limit,
                                   const tZjistiUlohu& zjisti = ZjistiUlohu);

// A failure the user does not see coming: worth a desktop notification.
struct tUdalost {
    enum tDruh { Zrusena, Prerusena, FrontaZastavena, Nedostupna } Druh;
    tUloha Uloha;
};

// The window's follower, one round at a time (the caller's thread and timer drive it): the
// jobs of this session, and the job list while it is open.
class tSledovac {
public:
    using tHodiny = std::chrono::steady_clock;
    explicit tSledovac(tZjistiUlohu zjisti = ZjistiUlohu, tVypisFrontu vypis = UlohyFronty,
                       std::chrono::seconds nedostupnaPo = NedostupnaPo);

    // A job this session has sent, from now on.
    void Sleduj(int id, tHodiny::time_point ted);
    // The user cancelled it through the program: its end is no news.
    void ZrusenaNami(int id);
    // The job list shows these queues (empty: it is closed); the next round lists them all.
    void Seznam(const std::vector<std::string>& fronty);
    // The next round lists every queue of the list again.
    void Obnov() { vypsatVse_ = !fronty_.empty(); }

    // Whether the next round would ask the server anything.
    bool MaPraci() const;

    struct tKolo {
        std::optional<std::vector<tUloha>> Seznam; // the job list anew, newest first
        std::vector<tUdalost> Udalosti;
        std::string Chyba; // what kept the server from answering (UTF-8); empty: none
    };
    // One round: each queue of the list with a job in progress (all of them after Seznam
    // or Obnov), then each job of this session in progress that the list did not cover.
    tKolo Kolo(tHodiny::time_point ted);

private:
    struct tSledovana {
        tHodiny::time_point od;
        bool skoncila = false;
        bool zrusenaNami = false;
        bool frontaZastavena = false;
        bool nedostupnaHlasena = false;
    };
    void Posud(tSledovana& s, const tUloha& u, tHodiny::time_point ted,
               std::vector<tUdalost>& udalosti) const;

    tZjistiUlohu zjisti_;
    tVypisFrontu vypis_;
    std::chrono::seconds nedostupnaPo_;
    std::map<int, tSledovana> sledovane_;
    std::set<int> zruseneNami_;
    std::vector<std::string> fronty_;
    std::vector<tUloha> seznam_;
    bool vypsatVse_ = false;
};
