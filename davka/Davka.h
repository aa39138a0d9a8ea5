#pragma once
// One batch run: the settings file read (never written), the labels printed, written to a
// file or previewed, and the outcome as the exit status.

#include "davka/Volby.h"

#include <iosfwd>
#include <string>

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

// Runs what z asks with the settings file cestaNastaveni. Standard output gets the
// "Počet etiket: N" line (also after a printer or template failure, and to chyby when the
// job's file is standard output) or the preview; the error goes to chyby as the error box
// would show it, in UTF-8. A signal while it prints stops the run (tZastaveni).
tKonec SpustDavku(const tZadani& z, const std::string& cestaNastaveni, std::ostream& vystup,
                  std::ostream& chyby);
