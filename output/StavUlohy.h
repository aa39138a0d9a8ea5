#pragma once
// What the print server knows of one job and of its queue: the answer to "did it print?",
// from the server's own job history, so that nothing is kept on the side.

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
    std::string Fronta; // the queue's name, Windows-1250
    std::string Nazev;  // job-name, Windows-1250
    tStavUlohy Stav = tStavUlohy::Ceka;
    std::vector<std::string> Duvody; // job-state-reasons (keywords)
    std::string ZpravaTiskarny;      // job-printer-state-message, Windows-1250
    long long CasVytvoreni = 0;      // time-at-creation, Unix time
    long long CasDokonceni = 0;      // time-at-completed, 0 while the job has not ended
    int PocetDokumentu = 0;          // documents the server holds whole (number-of-documents)
    std::string Uuid;                // job-uuid: the job's identity, never given again
    long long CasZpracovani = 0;     // time-at-processing, 0 while it never began to print
    tStavFronty StavFronty = tStavFronty::Necinna;
    std::vector<std::string> DuvodyFronty; // printer-state-reasons
    std::string ZpravaFronty;              // printer-state-message, Windows-1250
    bool PrijimaFronta = true;             // printer-is-accepting-jobs

    // Completed, aborted or cancelled: nothing about it changes any more.
    bool Skoncila() const { return Stav >= tStavUlohy::Zrusena; }
    bool MaDuvod(std::string_view duvod) const;
    // The server holds the whole document: it may print, and must never be sent again.
    bool MaDokument() const { return PocetDokumentu > 0 && !MaDuvod("job-incoming"); }
};

// The jobs of queue `fronta` that the server knows, ended ones included (Get-Jobs, then its
// queue's state), within the spooler's deadline; in the server's order. Raises eRawPrinter
// when the server cannot be reached or does not answer in time, or does not know the queue.
std::vector<tUloha> UlohyFronty(const std::string& fronta);

// The state as the user reads it: "čeká", "pozastavena", "tiskne se", ... (Windows-1250).
std::string NazevStavu(tStavUlohy stav);
// What the printer says of the job: its own message, or its queue's while it waits on a
// stopped queue (Windows-1250).
std::string ZpravaTiskarny(const tUloha& u);

// Asks the server about job `id` (Get-Job-Attributes, then Get-Printer-Attributes of its
// queue) within the spooler's deadline. None when the server no longer knows the job (its
// history was purged). Raises eRawPrinter when the server cannot be reached or does not
// answer in time.
std::optional<tUloha> ZjistiUlohu(int id);
