#pragma once
// The two print runs: a copy count of one hand-filled label, and one group of labels per
// row of the pasted table.

#include "core/PopisEtiket.h"
#include "core/Tabulka.h"
#include "output/TiskovaUloha.h"
#include "output/ZdrojRadku.h"

#include <functional>
#include <memory>
#include <string>

struct tSluzbyTisku {
    // Opens the job (the real one: a tRawPrinter); raises when it cannot, and tZastaveno
    // when the user stopped it while it opened (the run ends as by Storno). The document name
    // is UTF-8, the queue the layout's (Windows-1250).
    std::function<std::unique_ptr<tTiskovaUloha>(const std::string& nazevDokumentu,
                                                 const std::string& tiskarna)>
        VytvorUlohu;
    // Shows the completion dialog with the number of labels.
    std::function<void(long long pocet)> UkazDokonceni;
    // The same after Storno whose cancel did not reach the job once it was released: its
    // pocet labels print all the same. May be empty: UkazDokonceni then.
    std::function<void(long long pocet)> UkazNezrusenou;
    // The hourglass on (true) while a run prints, and off again; may be empty.
    std::function<void(bool cekej)> Kurzor;
    // Called every few thousand labels with the labels so far and the run's total; false
    // stops the run (the user pressed Storno): the job is cancelled, nothing of it prints
    // and the completion dialog shows 0, unless the cancel came too late (UkazNezrusenou).
    // May be empty.
    std::function<bool(long long hotovo, long long celkem)> Pokrok;
};

// Both runs show the completion dialog with the labels that will print: after a failure only
// those the spooler still takes whole, then the error goes on.

// Manual run with the twenty manual values. Does nothing when pocetKopii <= 0.
void TiskniRucne(const tPopisOblepky& popis, int pocetKopii, const tRucniHodnoty& hodnoty,
                 const tSluzbyTisku& sluzby);

// Table run. Does nothing unless a data row asks for a label and pocetKopii > 0.
void TiskniTabulku(const tPopisOblepky& popis, int pocetKopii, const tTabulka& tabulka,
                   const tSluzbyTisku& sluzby);

// Table run over any source of rows (TiskniTabulku: the pasted table). The rows are read
// twice, first for the document name; does nothing unless a row asks for a label and
// pocetKopii > 0.
void TiskniRadky(const tPopisOblepky& popis, int pocetKopii, tZdrojRadku& radky,
                 const tSluzbyTisku& sluzby);

// TiskniRadky with the rows read and converted ahead on a thread of their own, for a table
// file: the labels are made while the next rows are read.
void TiskniRadkyNapred(const tPopisOblepky& popis, int pocetKopii, tZdrojRadku& radky,
                       const tSluzbyTisku& sluzby);
