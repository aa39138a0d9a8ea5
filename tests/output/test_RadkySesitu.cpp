// Workbooks read as table rows: every cell as the spreadsheet's own "as shown" export of the
// same sheet has it, in workbooks it saved and in ones written as Excel writes them; and the
// hostile files, each refused with its own message.

#include "tests/podpora/CsvZobrazeni.h"

#include "core/Deskriptor.h"
#include "core/Win1250.h"
#include "output/RadkyCsv.h"
#include "output/RadkySouboru.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <fcntl.h>

namespace {

const std::string Data = OBLEPKY_SESITY;

using tRadky = std::vector<std::vector<std::string>>;

// The rows without their empty tails, as a copy of the range drops them; Windows-1250.
tRadky BezPrazdnychKoncu(tRadky radky, bool prevest) {
    for (auto& r : radky) {
        while (!r.empty() && r.back().empty())
            r.pop_back();
        if (prevest)
            for (auto& b : r)
                b = Utf8NaWin1250(b);
    }
    while (!radky.empty() && radky.back().empty())
        radky.pop_back();
    return radky;
}

tRadky Precti(const std::string& soubor, const std::string& list) {
    tVolbyTabulky volby;
    volby.List = list;
    tRadkySouboru radky(Data + "/" + soubor, volby);
    tRadky vysledek;
    std::vector<std::string_view> bunky;
    for (int pruchod = 0; pruchod < 2; ++pruchod) { // a run reads the rows twice
        vysledek.clear();
        for (radky.NaZacatek(); radky.Dalsi();) {
            radky.Bunky(bunky, SIZE_MAX);
            EXPECT_EQ(bunky.at(0), std::to_string(vysledek.size() + 1));
            vysledek.emplace_back(bunky.begin() + 1, bunky.end());
            for (size_t c = 1; c < bunky.size(); ++c)
                EXPECT_EQ(radky.Bunka(static_cast<int>(c)), bunky[c]);
        }
    }
    return BezPrazdnychKoncu(vysledek, false);
}

TEST(RadkySesitu, JakoZobrazenyList) {
    const struct {
        const char* soubor;
        const char* list;
        const char* ocekavano;
    } pripady[] = {
        {"formaty.xlsx", "", "formaty.csv"},
        {"formaty_lo.xlsx", "", "formaty.csv"},
        {"formaty_lo.ods", "", "formaty.csv"},
        {"formaty1904.xlsx", "", "formaty1904.csv"},
        {"formaty1904_lo.xlsx", "", "formaty1904.csv"},
        {"formaty1904_lo.ods", "", "formaty1904.csv"},
        // The first sheet is hidden: the first visible one, or the one asked for.
        {"excel.xlsx", "", "excel.list2.csv"},
        {"excel_lo.xlsx", "Ceník", "excel.list2.csv"}, // its export writes every sheet visible
        {"excel_lo.ods", "", "excel.list2.csv"},
        {"excel.xlsx", "Druhý", "excel.list3.csv"},
        {"excel.xlsx", "3", "excel.list3.csv"},
        {"excel_lo.ods", "3", "excel.list3.csv"},
        {"excel_lo.xlsx", "Druhý", "excel.list3.csv"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(std::string(p.soubor) + " list " + p.list);
        const tRadky ocekavano = BezPrazdnychKoncu(NactiZobrazeni(Data + "/" + p.ocekavano), true);
        const tRadky precteno = Precti(p.soubor, p.list);
        ASSERT_EQ(precteno.size(), ocekavano.size());
        const bool ulozenoJinde = std::string_view(p.soubor).ends_with("_lo.xlsx");
        for (size_t r = 0; r < ocekavano.size(); ++r) {
            // Codes that the spreadsheet's own .xlsx export writes otherwise than it shows
            // them (mmmmm as mmm, A/P as AM/PM, two scaling commas as one).
            if (ulozenoJinde && (ocekavano[r][0] == "mmmmm" || ocekavano[r][0] == "h:mm:ss A/P" ||
                                 ocekavano[r][0] == "0.0,,"))
                continue;
            EXPECT_EQ(precteno[r], ocekavano[r]) << "row " << r + 1;
        }
    }
}

TEST(RadkySesitu, NebezpecneSoubory) {
    const struct {
        const char* soubor;
        const char* list;
        const char* zprava; // part of the message (UTF-8)
    } pripady[] = {
        {"nebezpecne/bomba.xlsx", "", "je po rozbalení příliš velký"},
        {"nebezpecne/lzive_velikosti.xlsx", "", "poškozený"},
        {"nebezpecne/miliarda_smichu.xlsx", "", "definici typu dokumentu"},
        {"nebezpecne/externi_entita.xlsx", "", "definici typu dokumentu"},
        {"nebezpecne/useknuty.xlsx", "", "poškozený nebo neúplný"},
        {"nebezpecne/stary.xlsx", "", "starém formátu .xls"},
        {"nebezpecne/zasifrovany.xlsx", "", "chráněný heslem"},
        {"nebezpecne/zasifrovany.ods", "", "chráněný heslem"},
        {"nebezpecne/neni_sesit.xlsx", "", "není sešit .xlsx ani .ods"},
        {"nebezpecne/jiny_zip.xlsx", "", "není sešit .xlsx ani .ods"},
        {"excel.xlsx", "Třetí", "nemá list „Třetí“ (listy: Skrytý, Ceník, Druhý)"},
        {"excel_lo.ods", "9", "nemá list „9“"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.soubor);
        try {
            Precti(p.soubor, p.list);
            ADD_FAILURE() << "read without an error";
        } catch (const eSouborTabulky& e) {
            EXPECT_NE(std::string(e.what()).find(p.zprava), std::string::npos) << e.what();
        }
    }
}

TEST(RadkySesitu, ListyAVarovani) {
    tDeskriptor soubor(::open((Data + "/excel_lo.ods").c_str(), O_RDONLY | O_CLOEXEC));
    const auto listy = ListySesitu(soubor.Fd(), "excel_lo.ods");
    ASSERT_EQ(listy.size(), 3U);
    EXPECT_EQ(listy[0].Nazev, "Skrytý");
    EXPECT_FALSE(listy[0].Viditelny);
    EXPECT_TRUE(listy[1].Viditelny && listy[2].Viditelny);
    tRadkySouboru radky(Data + "/excel.xlsx");
    EXPECT_NE(radky.Druh().Popis.find("list „Ceník“ (první viditelný)"), std::string::npos);
    EXPECT_TRUE(radky.Druh().Upozorneni.empty());

    // A code that cannot be rendered: General, one line naming each cell, ten at most.
    tRadkySouboru nelze(Data + "/nelze.xlsx");
    ASSERT_TRUE(nelze.Dalsi());
    EXPECT_EQ(nelze.Bunka(2), "15,5");
    const std::vector<std::string>& upozorneni = nelze.Druh().Upozorneni;
    ASSERT_EQ(upozorneni.size(), 11U);
    EXPECT_EQ(upozorneni.front(), "Upozornění: buňka B1 listu „List1“: formát „[DBNum1]0“ "
                                  "nelze zobrazit, tiskne se v obecném formátu");
    EXPECT_EQ(upozorneni.back(), "Upozornění: a 2 dalších buněk v obecném formátu");
}

} // namespace
