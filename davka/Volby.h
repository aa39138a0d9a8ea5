#pragma once
// The batch printer's command line, read into what it asks for.

#include "core/Chyba.h"
#include "output/DruhTabulky.h"

#include <QStringList>

#include <optional>
#include <string>
#include <utility>
#include <vector>

// A command line that does not say what to print, or says it wrongly (exit status 2).
class eChybaVoleb : public eChyba {
public:
    using eChyba::eChyba;
};

struct tZadani {
    bool Napoveda = false, Verze = false; // --help, --version: nothing else happens
    std::string TextNapovedy;             // UTF-8
    std::optional<int> Etiketa;           // layout 0 to 4; none: the one selected in the program
    std::optional<std::string> Tiskarna;  // the queue instead of the layout's (Windows-1250)
    std::optional<std::string> Vystup;    // file for the job's bytes (file system bytes)
    bool Nahled = false;                  // the preview text instead of printing
    std::vector<std::pair<int, std::string>> Pole; // manual values: field 1..20, Windows-1250
    std::optional<int> Pocet;                      // copy count; none: the layout's StdPocet
    std::optional<std::string> Soubor; // table file (file system bytes), "-" standard input
    std::optional<int> Cekat;          // --wait: seconds to follow the job to its end
    std::optional<std::string> Slozka; // --watch: the folder to watch (file system bytes)
    int Usazeni = 2;       // --settle: seconds a file written in place must stay unchanged
    tVolbyTabulky Tabulka; // --format, --separator, --encoding, --sheet
    bool Podrobne = false; // --verbose: what the table file was read as
    size_t Nepresnych = 0; // characters of the -f values without an exact form in Windows-1250
};

// Reads the arguments (the program's name first). Raises eChybaVoleb with a Czech message.
tZadani CtiVolby(const QStringList& argumenty);
