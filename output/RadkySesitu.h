#pragma once
// One sheet of an .xlsx or .ods workbook as table rows: the used range from its first cell,
// trailing empty rows and columns dropped, each cell as the spreadsheet shows it (an .ods
// file's shown text, an .xlsx value under its number format), in Windows-1250: the rows a
// copy of the range through the clipboard gives.

#include "output/DruhTabulky.h"
#include "output/Sesit.h"
#include "output/ZdrojRadku.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class tRadkySesitu : public tZdrojRadku {
public:
    // Reads the sheet of the workbook in fd (borrowed; nazev names it in messages) that
    // list names: its name or its number among all sheets from 1; empty, the first visible
    // one. Raises eSouborTabulky for a file that is no workbook, damaged, encrypted, too
    // large, holding a document type definition, or without such a sheet.
    tRadkySesitu(int fd, std::string nazev, std::string_view list);

    // What was read: the sheet, the characters without a Windows-1250 form, the warnings.
    const tDruhTabulky& Druh() const { return druh_; }
    long long Precteno() const { return precteno_; }

    void NaZacatek() override { radek_ = 0; }
    bool Dalsi() override;
    std::string_view Bunka(int sloupec) const override;
    void Bunky(std::vector<std::string_view>& cil, size_t kolik) const override;

    // Used by the readers of each format: a cell's shown text (UTF-8), row and column from 0.
    void Pridej(uint32_t radek, uint32_t sloupec, std::string_view textUtf8);
    void Upozorni(std::string_view textUtf8);

private:
    struct tBunka { // 16 bytes: the cell text is bounded by NejvicTextuSesitu
        uint32_t radek, sloupec, od, delka;
    };
    void Uzavri(); // sorts the cells and drops the empty tail

    std::string nazev_;
    tDruhTabulky druh_;
    long long precteno_ = 0;
    std::string text_; // every cell's text back to back
    std::vector<tBunka> bunky_;
    std::vector<size_t> radky_; // index of each row's first cell; one more at the end
    size_t upozorneni_ = 0;
    int radek_ = 0; // the current row, from 1
    mutable std::string cislo_;
};

// The sheets of the workbook in fd, as its tabs list them; raises as tRadkySesitu does.
std::vector<tListSesitu> ListySesitu(int fd, const std::string& nazev);
