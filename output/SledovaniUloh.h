#pragma once
// Following jobs to their end: did it print? The batch printer waits for its job; the window
// follows the jobs of this session and the job list. At most one request a second per job
// still in progress, none at all when none is and the list is closed; every round keeps one
// deadline.

#include "output/Spojeni.h"
#include "output/StavUlohy.h"

#include <chrono>
#include <functional>
#include <map>
#include <optional>
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

using tTermin = tHodinyServeru::time_point;
// The questions, each to be answered by termin at the latest (tDotazyNaUlohy's).
using tZjistiUlohu = std::function<std::optional<tUloha>(int id, tTermin termin)>;
using tVypisFrontu = std::function<std::vector<tUloha>(const std::string& fronta,
                                                       const tDotazFronty& dotaz, tTermin termin)>;
using tZrusUlohu = std::function<void(int id, tTermin termin)>;

// Between two requests about one job in progress.
constexpr std::chrono::seconds OdstupDotazu{1};
// A job of this session still not printed this long, with the printer complaining, is news.
constexpr std::chrono::seconds NedostupnaPo{60};
// A round of questions, whatever the number of queues, ends by then.
constexpr std::chrono::seconds LhutaKola{LhutaTiskuS};
// The requests a question about the job costs, now that this answer has come.
inline int PozadavkuOtazky(const tUloha& u) {
    return u.ZavisiNaFronte() ? 2 : 1;
}

// What waiting for a job found out.
struct tVysledekCekani {
    std::optional<tUloha> Uloha; // the last answer (none: the server no longer knows the job)
    bool Znamy = false;          // the server has answered the last question
    std::string Chyba;           // why it has not (UTF-8)
    bool Preruseno = false;      // spi said stop
};
// Sleeps until the time given; false: stop waiting (a signal came).
using tSpanek = std::function<bool(tHodinyServeru::time_point)>;
bool Spi(tHodinyServeru::time_point do_);

// Asks about job `id` until it ends, its queue stops, or `limit` has passed (the last
// question comes at the limit and ends within a second of it); a server out of reach is
// asked again after a short pause. At most one request a second.
tVysledekCekani CekejNaKonec(int id, std::chrono::milliseconds limit, const tZjistiUlohu& zjisti,
                             const tSpanek& spi = Spi);

// A failure the user does not see coming: worth a desktop notification.
struct tUdalost {
    enum tDruh { Zrusena, Prerusena, FrontaZastavena, Nedostupna, VytistenaPresStorno } Druh;
    tUloha Uloha;
};

// The window's follower, one round at a time (the caller's thread and timer drive it): the
// jobs of this session, and the job list while it is open. It keeps only jobs in progress
// and the newest NejviceUlohFronty of each listed queue.
class tSledovaniUloh {
public:
    using tHodiny = std::chrono::steady_clock;
    tSledovaniUloh(tZjistiUlohu zjisti, tVypisFrontu vypis, tZrusUlohu zrus,
                   std::chrono::seconds nedostupnaPo = NedostupnaPo);

    // A job this session has sent, from now on.
    void Sleduj(int id, tHodiny::time_point ted);
    // The user cancelled it through the program: it is followed to its end, which is no
    // news, unless it printed all the same.
    void ZrusenaNami(int id, tHodiny::time_point ted);
    // The user stopped it while the server may not have answered (its document may be
    // whole): as ZrusenaNami, and cancelled by the first round that finds it not ended.
    void Zastavena(int id, tHodiny::time_point ted);
    // The user stopped it, but the cancel came after its release and the user was told it
    // prints: followed as a job sent. Should its release not have reached the server either,
    // the first round that finds it held cancels it, and that end is news.
    void Nezrusena(int id, tHodiny::time_point ted);
    // The job list shows these queues (empty: it is closed); the next round lists them anew.
    void Seznam(const std::vector<std::string>& fronty);
    // The next round lists every queue of the list anew.
    void Obnov();

    // Whether the next round would ask the server anything.
    bool MaPraci() const;

    struct tKolo {
        std::optional<std::vector<tUloha>> Seznam; // the job list when it changed, newest first
        std::vector<tUdalost> Udalosti;
        std::string Chyba; // what kept the server from answering (UTF-8); empty: none
    };
    // One round: each queue of the list (its new jobs and those in progress), then each job
    // of this session in progress that the list did not cover and whose turn it is.
    tKolo Kolo(tHodiny::time_point ted);

    // Jobs kept (tests: nothing grows with the jobs that have ended).
    size_t Drzenych() const;

private:
    struct tSledovana {
        tHodiny::time_point od;
        tHodiny::time_point dalsi; // the next question, not before
        bool zrusenaNami = false;
        bool zrusit = false;        // its cancel may not have reached the server
        bool zrusitDrzenou = false; // cancelled only if found still held
        bool frontaZastavena = false;
        bool nedostupnaHlasena = false;
    };
    struct tFronta {
        std::string nazev;
        std::vector<tUloha> ulohy; // newest first
        bool nactena = false;
    };
    // Whether the job has ended for the follower; the news it brings into udalosti.
    bool Posud(tSledovana& s, const tUloha& u, tHodiny::time_point ted,
               std::vector<tUdalost>& udalosti);
    bool VypisFrontu(tFronta& f, tTermin termin, tKolo& kolo);

    tZjistiUlohu zjisti_;
    tVypisFrontu vypis_;
    tZrusUlohu zrus_;
    std::chrono::seconds nedostupnaPo_;
    std::map<int, tSledovana> sledovane_;
    std::vector<tFronta> fronty_;
};
