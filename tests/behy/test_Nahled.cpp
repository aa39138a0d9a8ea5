// The print preview on the runs' own code: what the preview shows for a layout and its
// values, as text with the kinds of its pieces marked.

#include "core/Win1250.h"
#include "output/Nahled.h"
#include "tests/behy/VzorovaEtiketa.h"

#include <gtest/gtest.h>

using namespace behy_test;

namespace {

// Codes as <..>, boundaries as [..], the header after "#", the error after "!".
std::string Plocho(const std::vector<tUsekNahledu>& useky) {
    std::string text;
    for (const auto& u : useky) {
        switch (u.Druh) {
        case tDruhUseku::Hlavicka:
            text += "#" + u.Text;
            break;
        case tDruhUseku::Kody:
            text += "<" + u.Text + ">";
            break;
        case tDruhUseku::Hranice:
            for (size_t od = 0, konec; (konec = u.Text.find('\n', od)) != std::string::npos;
                 od = konec + 1)
                text += "[" + u.Text.substr(od, konec - od) + "]\n";
            break;
        case tDruhUseku::Chyba:
            text += "!" + u.Text;
            break;
        case tDruhUseku::Text:
            text += u.Text;
            break;
        }
    }
    return text;
}

std::string W(const char* utf8) {
    return Utf8NaWin1250(utf8);
}

TEST(Nahled, CoUkazuje) {
    const std::string hlavicka = "#Tisk\xE1rna: Stitky   Dokument: Oblepky pro zbo\x9E\xED (";
    const std::string blok = "[Etiketa 1]\n  Jablko\nCena:    15\n\n<12>\n";
    const struct {
        const char* nazev;
        std::function<void(tPopisOblepky&, tRucniHodnoty&, tTabulka&)> uprav;
        int kopii;
        bool tabulka;
        std::string ocekavane; // the whole preview, or its end after "..."
    } pripady[] = {
        {"vzorovy priklad", [](auto&, auto&, auto&) {}, 2, false,
         hlavicka + "2 ks)\nEtiket: 2   Bajt\xF9: 56\n<27 64>\n\n" + blok + "[Etiketa 2]" +
             blok.substr(11) + W("[Konec úlohy]\n")},
        // Back through the encoding: what the printer lacks arrives as "?" or a plain letter.
        {"kamenicti",
         [](auto& p, auto& h, auto&) {
             p.Kodovani = 3;
             h[1] = W("Žluťoučký kůň…");
         },
         1, false, W("...[Etiketa 1]\n  Žluťoučký kůň?\n")},
        {"ascii",
         [](auto& p, auto& h, auto&) {
             p.Kodovani = 2;
             h[1] = W("Žluťoučký kůň…");
         },
         1, false, W("...[Etiketa 1]\n  Zlutoucky kun.\n")},
        // A byte the printer has no character for, and control bytes inside a row.
        {"iso a kody v radku",
         [](auto& p, auto& h, auto&) {
             p.Kodovani = 5;
             p.Radky[1].HrText = "\x1B{1}\x7F";
             h[1] = W("€ ů");
         },
         1, false, W("...[Etiketa 1]\n  <27 128> ů<127>\n")},
        // A template error shows at the label it stops; with no whole label before it the
        // job is cancelled and the printer gets nothing.
        {"chyba sablony", [](auto& p, auto&, auto&) { p.Radky[2].HrText = "{2,x}"; }, 3, false,
         hlavicka + "3 ks)\nEtiket: 0   Bajt\xF9: 0\n[Etiketa 1]\n" +
             W("[Tady se tisk zastaví chybou a zruší se, tiskárna nedostane nic:]\n"
               "!'x' is not a valid integer value.\n")},
        {"nic", [](auto&, auto&, auto&) {}, 0, false,
         W("#Tisk by nic neposlal: počet etiket je 0, nebo tabulka nemá žádný řádek.\n")},
        // A table without a printable row: the codes and rows before and after only.
        {"tabulka bez etiket",
         [](auto& p, auto&, auto& t) {
             p.RadkuPo = 1;
             p.PoleSPoctem = 2;
             t.NactiText("a\tx\r\nb\t0");
         },
         1, true, W("...<27 64>\n\n[Po etiketách]\n\n[Konec úlohy]\n")},
        // Past the labels kept in full only the counts grow; the rows after still show.
        {"nad limit",
         [](auto& p, auto&, auto& t) {
             p.RadkuPo = 1;
             p.PoleSPoctem = 2;
             t.NactiText("a\t150\r\nb\t151");
         },
         1, true,
         W("...<12>\n[Dalších 101 etiket náhled jen počítá, nevypisuje]\n[Po etiketách]\n\n"
           "[Konec úlohy]\n")},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        tPopisOblepky popis = VzorovaEtiketa();
        tRucniHodnoty hodnoty{"", "Jablko", "15"};
        tTabulka tabulka;
        p.uprav(popis, hodnoty, tabulka);
        const tNahled nahled = ZachytNahled(popis, [&](const tSluzbyTisku& s) {
            if (p.tabulka)
                TiskniTabulku(popis, p.kopii, tabulka, s);
            else
                TiskniRucne(popis, p.kopii, hodnoty, s);
        });
        const std::string text = Plocho(VykresliNahled(nahled));
        if (p.ocekavane.starts_with("...")) {
            const std::string konec = p.ocekavane.substr(3);
            EXPECT_NE(text.find(konec), std::string::npos) << text;
        } else {
            EXPECT_EQ(text, p.ocekavane);
        }
    }
}

} // namespace
