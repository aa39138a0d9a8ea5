#pragma once
// The print preview: a print run made by the very code that prints, into a job that keeps
// the bytes instead of sending them, and those bytes shown as text for the user.

#include "core/Kodovani.h"
#include "core/PopisEtiket.h"
#include "core/Tabulka.h"
#include "output/NahledovaUloha.h"
#include "output/TiskoveBehy.h"
#include "output/ZdrojRadku.h"

#include <functional>
#include <string>
#include <vector>

// How many labels a preview shows in full; the rest are only counted.
inline constexpr long long EtiketVNahledu = 200;

// One run as the print would make it.
struct tNahled {
    bool Tiskne = false;        // the run opens a job at all (copy count above 0, a data row)
    std::string Tiskarna;       // the layout's queue (Windows-1250)
    std::string NazevDokumentu; // the job's name (UTF-8)
    tNahledovaUloha Uloha{EtiketVNahledu};
    // A template error the run stops at, its message as raised; empty: none. The run stops
    // in the label after the ones the job counted.
    std::string Chyba;
    // What of the layout tells the parts of the job apart.
    std::string KodyInit, KodyPo;
    long long RadkuPred = 0;
    tKodovani Kodovani = tKodovani::JakoWindows;
    // Characters of the table or the values that Windows-1250 has no exact form for (they
    // print as the nearest one, or "?"); the caller knows them, the run does not.
    size_t Nepresnych = 0;
};

// The run, given the services to run it with: TiskniRucne or TiskniTabulku.
using tBehNahledu = std::function<void(const tSluzbyTisku& sluzby)>;

// Runs beh of the layout popis into a preview job that keeps drzetEtiket labels in full.
// A template error is caught and kept; other errors go on. Every label is made, as the
// print makes it.
tNahled ZachytNahled(const tPopisOblepky& popis, const tBehNahledu& beh,
                     long long drzetEtiket = EtiketVNahledu);

// The table run over radky as ZachytNahled(popis, TiskniRadky ...) gives it, in a time that
// follows the rows and the labels kept, not the copies: of a row's copies past the kept
// labels only the first is made, the others are counted as the same bytes.
tNahled ZachytNahled(const tPopisOblepky& popis, int pocetKopii, tZdrojRadku& radky,
                     long long drzetEtiket = EtiketVNahledu);

// A print as its Tisk starts it: the manual run of Kopii labels filled from Hodnoty, or,
// given a Tabulka, the table run over its rows.
struct tTisk {
    tPopisOblepky Popis;
    int Kopii = 0;
    tRucniHodnoty Hodnoty{};
    const tTabulka* Tabulka = nullptr;
    size_t Nepresnych = 0; // characters of the values or table with no exact form in Windows-1250
};

// The print itself, with the given services.
void Tiskni(const tTisk& tisk, const tSluzbyTisku& sluzby);
// Its preview, quick for a table of any counts.
tNahled ZachytNahled(const tTisk& tisk, long long drzetEtiket = EtiketVNahledu);

// The preview as text, in pieces of one kind each (Windows-1250 text, lines end in "\n").
enum class tDruhUseku {
    Hlavicka, // the header: queue, document name, labels, bytes
    Text,     // printed rows, decoded through the layout's encoding
    Kody,     // control bytes in the code notation: decimal values separated by blanks
    Hranice,  // a boundary: where a label starts, what is left out, the end of the job
    Chyba,    // the error message as the error box gives it
};
struct tUsekNahledu {
    tDruhUseku Druh;
    std::string Text;
    bool operator==(const tUsekNahledu&) const = default;
};

std::vector<tUsekNahledu> VykresliNahled(const tNahled& nahled);

// A piece as the preview window shows it, in UTF-8 (its marks have no Windows-1250 form):
// codes as ⟨27 64⟩, each line of a boundary as a rule "──── Etiketa 2 ────", the rest as it is.
std::string ZobrazeniUseku(const tUsekNahledu& usek);
