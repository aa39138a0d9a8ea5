#pragma once
// What the print server knows of one job and of its queue: the answer to "did it print?",
// from the server's own job history, so that nothing is kept on the side.

#include "output/ChybaTiskarny.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The job states of IPP, by their numbers (ipp_jstate_t).
enum class tStavUlohy : int {
    Ceka = 3,        // pending
    Pozastavena = 4, // held (also while its document is still arriving: "job-incoming")
    Tiskne = 5,      // processing
    Zastavena = 6,   // processing-stopped
    Zrusena = 7,     // canceled
    Prerusena = 8,   // aborted
    Vytistena = 9,   // completed
};

// The queue states of IPP (ipp_pstate_t).
enum class tStavFronty : int { Necinna = 3, Tiskne = 4, Zastavena = 5 };

struct tUloha {
    int Id = 0;
    std::string Fronta; // the queue's name, as the server spells it (UTF-8)
    std::string Nazev;  // job-name (UTF-8)
    tStavUlohy Stav = tStavUlohy::Ceka;
    std::vector<std::string> Duvody; // job-state-reasons (keywords)
    std::string ZpravaTiskarny;      // job-printer-state-message (UTF-8)
    long long CasVytvoreni = 0;      // time-at-creation, Unix time
    long long CasDokonceni = 0;      // time-at-completed, 0 while the job has not ended
    int PocetDokumentu = 0;          // documents the server holds whole (number-of-documents)
    std::string Uuid;                // job-uuid: the job's identity, never given again
    long long CasZpracovani = 0;     // time-at-processing, 0 while it never began to print
    tStavFronty StavFronty = tStavFronty::Necinna;
    std::vector<std::string> DuvodyFronty; // printer-state-reasons
    std::string ZpravaFronty;              // printer-state-message (UTF-8)
    bool PrijimaFronta = true;             // printer-is-accepting-jobs

    bool operator==(const tUloha&) const = default;

    // Completed, aborted or cancelled: nothing about it changes any more.
    bool Skoncila() const { return Stav >= tStavUlohy::Zrusena; }
    bool MaDuvod(std::string_view duvod) const;
    // The server holds the whole document: it may print, and must never be sent again.
    bool MaDokument() const { return PocetDokumentu > 0 && !MaDuvod("job-incoming"); }
    // Its queue's state tells something about it: it waits, and the queue may be why.
    bool ZavisiNaFronte() const;
};

// The newest jobs of a queue the job list shows: a busy queue's history may hold thousands.
constexpr int NejviceUlohFronty = 200;

using tHodinyServeru = std::chrono::steady_clock;

// What one round asks of a queue's jobs: those newer than NoveOd (0: the newest
// NejviceUlohFronty, the list from scratch) and again those in Obnovit (still in progress).
struct tDotazFronty {
    int NoveOd = 0;
    std::vector<int> Obnovit;
};

class tOdriznuti;
class tSpojeni;
struct _ipp_s; // NOLINT(bugprone-reserved-identifier): libcups names ipp_t so

// Questions about jobs on one connection kept between them (connected again after a
// failure), each ending by its termin at the latest; odriznuti (may be null) ends them at
// once from another thread. Raises eRawPrinter when the server cannot be reached or does not
// answer in time.
class tDotazyNaUlohy {
public:
    explicit tDotazyNaUlohy(tOdriznuti* odriznuti = nullptr);
    ~tDotazyNaUlohy();
    tDotazyNaUlohy(const tDotazyNaUlohy&) = delete;
    tDotazyNaUlohy& operator=(const tDotazyNaUlohy&) = delete;

    // Job `id` (Get-Job-Attributes; its queue's state only when the job's state calls for
    // it, or always with sFrontou); none when the server no longer knows the job (its
    // history was purged).
    std::optional<tUloha>
    Uloha(int id, tHodinyServeru::time_point termin = tHodinyServeru::time_point::max(),
          bool sFrontou = false);
    // The jobs of queue `fronta` that dotaz asks for, newest first, with the queue's state.
    // Raises eRawPrinter naming the queue when the server does not know it.
    std::vector<tUloha>
    Fronta(const std::string& fronta, const tDotazFronty& dotaz,
           tHodinyServeru::time_point termin = tHodinyServeru::time_point::max());
    // Requests sent so far (for measuring what following costs the server).
    long long Pozadavku() const { return pozadavku_; }

private:
    const tSpojeni& Spojeni();
    // One request within termin; the answer (the caller's to free), or the error raised.
    _ipp_s* Posli(_ipp_s* zadost, tHodinyServeru::time_point termin);

    tOdriznuti* odriznuti_;
    std::unique_ptr<tSpojeni> spojeni_;
    long long pozadavku_ = 0;
};

// The newest NejviceUlohFronty jobs of queue `fronta`, ended ones included, newest first, on
// a connection of their own (tDotazyNaUlohy::Fronta).
std::vector<tUloha> UlohyFronty(const std::string& fronta);

// The state as the user reads it: "čeká", "pozastavena", "tiskne se", ... (UTF-8).
std::string NazevStavu(tStavUlohy stav);
// The state with its queue's when that stops it: "čeká, fronta je zastavená".
std::string StavVSeznamu(const tUloha& u);
// What the printer says of the job: its own message, or its queue's while it waits on a
// stopped queue; nothing once it has printed (UTF-8).
std::string ZpravaTiskarny(const tUloha& u);

// Job `id` with its queue's state, on a connection of its own (tDotazyNaUlohy::Uloha).
std::optional<tUloha> ZjistiUlohu(int id);

// "Fronta Etikety na tiskovém serveru není"; fronta as the server spells it, as in tUloha.
eFrontaNeni FrontaNeni(const std::string& fronta);
