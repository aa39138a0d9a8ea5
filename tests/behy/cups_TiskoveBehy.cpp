// A print run end to end through a raw queue of the private CUPS server: the bytes the
// printer receives, the job's name, a queue that does not exist, and the preview against
// what the queue receives.

#include "core/Chyba.h"
#include "core/Win1250.h"
#include "output/Nahled.h"
#include "output/RawPrinter.h"
#include "tests/behy/VzorovaEtiketa.h"
#include "tests/tisk/CupsTest.h"

#include <gtest/gtest.h>

#include <limits>

using namespace behy_test;
using namespace std::chrono_literals;

namespace {

TEST(BehyCups, VzorovyPrikladDoraziNeznamaFrontaNe) {
    const std::string fronta = "BehyCups";
    cups_test::PridejFrontu(fronta);
    cups_test::VymazZachycene(fronta);
    tZaznam zaznam;
    tSluzbyTisku sluzby = Sluzby(zaznam);
    // The real job instead of the capturing one; the record still notes cursor and dialog.
    sluzby.VytvorUlohu = [](const std::string& nazev, const std::string& tiskarna) {
        return std::make_unique<tRawPrinter>(nazev, tiskarna);
    };
    tPopisOblepky popis = VzorovaEtiketa(fronta);
    tRucniHodnoty hodnoty{"", "Jablko", "15"};
    TiskniRucne(popis, 2, hodnoty, sluzby);
    EXPECT_EQ(cups_test::CekejNaUlohy(fronta, 1),
              std::vector<std::string>{"\x1B@\r\n" + VzorovyBlok + VzorovyBlok});
    const auto nazvy = cups_test::NazvyUloh(fronta);
    ASSERT_FALSE(nazvy.empty());
    EXPECT_EQ(nazvy.back(), "Oblepky pro zboží (2 ks)");
    EXPECT_EQ(zaznam.udalosti.back(), "dokonceni 2");

    zaznam.udalosti.clear();
    popis.Tiskarna = "TaFrontaNeni";
    try {
        TiskniRucne(popis, 1, hodnoty, sluzby);
        ADD_FAILURE() << "no error";
    } catch (const eRawPrinter& e) {
        EXPECT_TRUE(std::string(e.what()).starts_with("Chyba při komunikaci s tiskárnou ("))
            << e.what();
    }
    EXPECT_TRUE(zaznam.udalosti.empty());
}

// The preview is the print: for a spread of layouts the preview's job holds the very bytes
// the queue receives, and its counts are those of the whole job.
TEST(BehyCups, NahledJeTisk) {
    const std::string fronta = "NahledCups";
    cups_test::PridejFrontu(fronta);
    tZaznam zaznam;
    tSluzbyTisku sluzby = Sluzby(zaznam);
    sluzby.VytvorUlohu = [](const std::string& nazev, const std::string& tiskarna) {
        return std::make_unique<tRawPrinter>(nazev, tiskarna);
    };
    struct tPripad {
        std::string nazev;
        std::function<void(tPopisOblepky&)> uprav;
        int kopii;
        const char* tabulka; // UTF-8; none: the manual run
    };
    std::vector<tPripad> pripady = {
        {"vzorovy priklad", [](tPopisOblepky&) {}, 2, nullptr},
        {"kody, odsazeni, orezani, radky pred a po",
         [](tPopisOblepky& p) {
             p.InitKody = "27 E 0 255 300 2764 99999999999";
             p.KodyOdradkovani = "13 10 12 x";
             p.Radky[1].HrZleva = 5;
             p.Radky[2].HrDelka = 4;
             p.Radky[4].HrText = "\x1B{1,3}\x7F";
             p.RadkuPred = 3;
             p.RadkuPo = 2;
             p.PocetRadkuOblepky = 7;
         },
         3, nullptr},
        {"tabulka", [](tPopisOblepky& p) { p.PoleSPoctem = 2; }, 1,
         "Hruška\t2\t8\r\nx\tx\r\nŽluť «€»\t1\t99"},
        // An error before the first whole label: the queue gets nothing, nor does the preview.
        {"chyba sablony", [](tPopisOblepky& p) { p.Radky[2].HrText = "{2,x}"; }, 2, nullptr},
    };
    for (int kodovani = 0; kodovani <= 5; ++kodovani)
        pripady.push_back({"kodovani " + std::to_string(kodovani),
                           [kodovani](tPopisOblepky& p) { p.Kodovani = kodovani; }, 1, nullptr});

    const tRucniHodnoty hodnoty{"", Utf8NaWin1250("Žluťoučký kůň «€» … ß ¤"), "15"};
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        tPopisOblepky popis = VzorovaEtiketa(fronta);
        p.uprav(popis);
        tTabulka tabulka;
        if (p.tabulka)
            tabulka.NactiText(Utf8NaWin1250(p.tabulka));
        auto beh = [&](const tSluzbyTisku& s) {
            if (p.tabulka)
                TiskniTabulku(popis, p.kopii, tabulka, s);
            else
                TiskniRucne(popis, p.kopii, hodnoty, s);
        };
        cups_test::VymazZachycene(fronta);
        std::string chyba;
        try {
            beh(sluzby);
        } catch (const eChyba& e) {
            chyba = e.what();
        }
        const auto zachycene = cups_test::CekejNaUlohy(fronta, 1, chyba.empty() ? 20s : 300ms);
        ASSERT_EQ(zachycene.size(), chyba.empty() ? 1u : 0u);
        const std::string prijato = zachycene.empty() ? "" : zachycene[0];
        const std::string dokonceni = zaznam.udalosti.back();
        const tNahled cely = ZachytNahled(popis, beh, std::numeric_limits<long long>::max());
        EXPECT_EQ(cely.Uloha.Bajty(), prijato);
        const tNahled nahled = ZachytNahled(popis, beh);
        EXPECT_EQ(nahled.Uloha.Bajtu(), static_cast<long long>(prijato.size()));
        EXPECT_EQ("dokonceni " + std::to_string(nahled.Uloha.Etiket()), dokonceni);
        EXPECT_EQ(nahled.Chyba, chyba);
    }
}

} // namespace
