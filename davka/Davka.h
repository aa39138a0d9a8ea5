#pragma once
// One batch run: the settings file read (never written), the labels printed, written to a
// file or previewed, and the outcome as the exit status.

#include "davka/Volby.h"

#include <exception>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

class tRadkySouboru;

class tRawPrinter;

// Exit statuses of the batch printer.
enum tKonec : int {
    KonecOk = 0,
    KonecJine = 1,    // anything not foreseen (memory ran out)
    KonecVolby = 2,   // the command line
    KonecSoubor = 3,  // the settings file or the table file
    KonecTisk = 4,    // the queue, the job, the job's file
    KonecSablona = 5, // a template of the layout
    KonecCeka = 6,    // --wait: the job still waits or prints when the time ran out
    KonecSignal = 7,  // stopped by SIGTERM, SIGINT or SIGHUP
    KonecNic = 8,     // -o, and nothing to print: the file is left as it was
};

// What a caller that prints file after file (the watched folder) adds to one run. Every
// member may be empty.
struct tVlozeniDavky {
    // The table's rows instead of opening z.Soubor (a file the caller opened itself);
    // raises eSouborTabulky as opening does.
    std::function<std::unique_ptr<tRadkySouboru>()> Radky;
    // The job exists and no byte of it is sent yet; an error raised here cancels the job
    // and ends the run as a printer error.
    std::function<void(const tRawPrinter& uloha)> UlohaVytvorena;
    // Marks the job as this caller's own (OznaceneUlohy.h); empty: no mark.
    std::string Znacka;
    // Asked every few thousand labels; false cancels the job, and nothing of it prints.
    std::function<bool()> Pokracovat;
    // The labels that will print, as the "Počet etiket" line says.
    std::function<void(long long pocet)> Vytisteno;
    // The error that ended the run, as it was raised (before its text goes to chyby).
    std::function<void(const std::exception_ptr& chyba)> Selhani;
};

// Runs what z asks with the settings file cestaNastaveni. Standard output gets the
// "Počet etiket: N" line (also after a printer or template failure, and to chyby when the
// job's file is standard output) or the preview; the error goes to chyby as the error box
// would show it, in UTF-8. A signal while it prints stops the run (tSignalyKonce).
tKonec SpustDavku(const tZadani& z, const std::string& cestaNastaveni, std::ostream& vystup,
                  std::ostream& chyby, const tVlozeniDavky& vlozeni = {});
