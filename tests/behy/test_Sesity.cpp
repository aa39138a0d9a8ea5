// A workbook prints what a copy of its sheet through the clipboard prints: the same job
// bytes, byte for byte, for the spreadsheet's own files and one written as Excel writes it.

#include "core/Tabulka.h"
#include "core/Win1250.h"
#include "output/RadkySouboru.h"
#include "output/TiskoveBehy.h"
#include "tests/behy/VzorovaEtiketa.h"
#include "tests/podpora/CsvZobrazeni.h"

#include <gtest/gtest.h>

using namespace behy_test;

namespace {

const std::string Data = OBLEPKY_SESITY;

// What the clipboard carries of the sheet: its shown cells, TAB between, a line each row.
std::string TextSchranky(const std::string& zobrazeni) {
    std::string text;
    for (const auto& radek : NactiZobrazeni(Data + "/" + zobrazeni)) {
        for (size_t c = 0; c < radek.size(); ++c)
            text += (c > 0 ? "\t" : "") + radek[c];
        text += '\n';
    }
    return Utf8NaWin1250(text);
}

TEST(Sesity, JakoZeSchranky) {
    tPopisOblepky popis = VzorovaEtiketa();
    popis.Kodovani = 0;
    popis.PocetRadkuOblepky = 4;
    popis.Radky[1].HrText = "{1}|{2}";
    popis.Radky[2].HrText = "{3}|{4}";
    popis.Radky[3].HrText = "[{2,12*}]";
    popis.PoleSPoctem = 3; // the count from a cell the workbook formats ("007", "7")
    const struct {
        const char* soubor;
        const char* list;
        const char* zobrazeni;
        int poleSPoctem;
    } pripady[] = {
        {"excel.xlsx", "", "excel.list2.csv", 3},
        {"excel_lo.ods", "", "excel.list2.csv", 3},
        {"excel_lo.xlsx", "Ceník", "excel.list2.csv", 3},
        {"excel.xlsx", "Druhý", "excel.list3.csv", 0},
        {"formaty.xlsx", "", "formaty.csv", 0},
        {"formaty_lo.ods", "", "formaty.csv", 0},
        {"formaty1904_lo.xlsx", "", "formaty1904.csv", 0},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.soubor);
        popis.PoleSPoctem = p.poleSPoctem; // 0: the row number
        tTabulka tabulka;
        tabulka.NactiText(TextSchranky(p.zobrazeni));
        tZaznam zeSchranky, zeSouboru;
        TiskniTabulku(popis, 1, tabulka, Sluzby(zeSchranky));
        tVolbyTabulky volby;
        volby.List = p.list;
        tRadkySouboru radky(Data + "/" + p.soubor, volby);
        TiskniRadky(popis, 1, radky, Sluzby(zeSouboru));
        EXPECT_GT(zeSouboru.etiket, 0);
        EXPECT_EQ(zeSouboru.etiket, zeSchranky.etiket);
        EXPECT_EQ(zeSouboru.nazevDokumentu, zeSchranky.nazevDokumentu);
        EXPECT_TRUE(zeSouboru.Bajty() == zeSchranky.Bajty());
    }
}

} // namespace
