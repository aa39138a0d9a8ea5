// The print preview on the runs' own code: what the preview shows for a layout and its
// values, as text with the kinds of its pieces marked.

#include "core/Chyba.h"
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
        // A table without a printable row is nothing to print, as one without rows.
        {"tabulka bez etiket",
         [](auto& p, auto&, auto& t) {
             p.RadkuPo = 1;
             p.PoleSPoctem = 2;
             t.NactiText("a\tx\r\nb\t0");
         },
         1, true, W("#Tisk by nic neposlal: počet etiket je 0, nebo tabulka nemá žádný řádek.\n")},
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

// Rows of a table that cannot be read past a row, as a table file that breaks off: raises
// when the printing pass reaches row chybaNa.
class tRadkySChybou : public tZdrojRadku {
public:
    tRadkySChybou(const tTabulka& tabulka, int chybaNa) : radky_(tabulka), chybaNa_(chybaNa) {}
    void NaZacatek() override {
        radky_.NaZacatek();
        radek_ = 0;
        ++pruchod_;
    }
    bool Dalsi() override {
        if (++radek_ == chybaNa_ && pruchod_ == 2)
            throw eChyba("nelze dál");
        return radky_.Dalsi();
    }
    std::string_view Bunka(int sloupec) const override { return radky_.Bunka(sloupec); }
    void Bunky(std::vector<std::string_view>& cil, size_t kolik) const override {
        radky_.Bunky(cil, kolik);
    }

private:
    tRadkyTabulky radky_;
    int chybaNa_, radek_ = 0, pruchod_ = 0;
};

// The quick preview of a table counts the copies it does not make, and comes out as the run
// that makes every label: the same job for the kept labels and after them, the same counts,
// document name and error; and those counts are what the print sends.
TEST(Nahled, PocitaJakoCelyBeh) {
    const struct {
        const char* nazev;
        const char* tabulka; // UTF-8
        std::function<void(tPopisOblepky&)> uprav;
        long long drzet;
        int chybaNa = 0; // the rows cannot be read at this row; 0: they can
        int kopii = 1;
    } pripady[] = {
        {"jeden radek pres limit", "a\t10", [](auto&) {}, 3},
        {"limit uprostred, spatne a zaporne pocty",
         "a\t2\r\nb\tx\r\nc\t0\r\nd\t-5\r\ne\t5\r\nf\t$A\r\ng\t 3\r\nh\t3 ", [](auto&) {}, 3},
        {"limit na konci radku", "a\t3\r\nb\t3\r\nc\t1", [](auto&) {}, 3},
        {"radky ruzne dlouhe, po etiketach", "Hruška\t4\r\nŽluťoučký kůň\t7\r\n\t5\r\nx\t1",
         [](auto& p) {
             p.RadkuPo = 2;
             p.Kodovani = 4;
         },
         1},
        {"pocet v sablone", "a\t12\r\nbb\t130", [](auto& p) { p.Radky[2].HrText = "{2}x{0}"; }, 2},
        {"pocet z cisla radku", "a\r\nb\r\nc", [](auto& p) { p.PoleSPoctem = 0; }, 1},
        {"sloupec mimo tabulku", "a\t5", [](auto& p) { p.PoleSPoctem = 9; }, 1},
        {"bez limitu", "a\t40\r\nb\t2", [](auto&) {}, EtiketVNahledu},
        {"nic ke kopirovani", "a\t1000", [](auto&) {}, 1, 0, 0},
        {"chyba sablony", "a\t5\r\nb\t500", [](auto& p) { p.Radky[2].HrText = "{2,x}"; }, 3},
        // A source that breaks off prints the whole labels before it, those counted too.
        {"radky nelze docist", "a\t7\r\nb\t300\r\nc\t4", [](auto&) {}, 3, 3},
        {"radky nelze docist hned", "a\t7", [](auto&) {}, 3, 1},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        tPopisOblepky popis = VzorovaEtiketa();
        popis.PoleSPoctem = 2;
        p.uprav(popis);
        tTabulka tabulka;
        tabulka.NactiText(Utf8NaWin1250(p.tabulka));
        auto cely = [&](const tSluzbyTisku& s) {
            tRadkySChybou radky(tabulka, p.chybaNa);
            TiskniRadky(popis, p.kopii, radky, s);
        };
        const tNahled ocekavany = ZachytNahled(popis, cely, p.drzet);
        tRadkySChybou radky(tabulka, p.chybaNa);
        const tNahled rychly = ZachytNahled(popis, p.kopii, radky, p.drzet);
        EXPECT_EQ(rychly.Tiskne, ocekavany.Tiskne);
        EXPECT_EQ(rychly.NazevDokumentu, ocekavany.NazevDokumentu);
        EXPECT_EQ(rychly.Chyba, ocekavany.Chyba);
        EXPECT_EQ(rychly.Uloha.Etiket(), ocekavany.Uloha.Etiket());
        EXPECT_EQ(rychly.Uloha.Bajtu(), ocekavany.Uloha.Bajtu());
        EXPECT_EQ(rychly.Uloha.Bajty(), ocekavany.Uloha.Bajty());
        EXPECT_EQ(rychly.Uloha.KonceEtiket(), ocekavany.Uloha.KonceEtiket());
        EXPECT_EQ(rychly.Uloha.Zbytek(), ocekavany.Uloha.Zbytek());
        EXPECT_EQ(rychly.Uloha.Zrusena(), ocekavany.Uloha.Zrusena());
        EXPECT_EQ(Plocho(VykresliNahled(rychly)), Plocho(VykresliNahled(ocekavany)));

        // What the print sends: its bytes, and the labels its completion dialog counts.
        tZaznam zaznam;
        try {
            cely(Sluzby(zaznam));
        } catch (const eChyba&) {
        }
        if (ocekavany.Chyba.empty()) {
            EXPECT_EQ(rychly.Uloha.Bajtu(), zaznam.bajtu);
        }
        if (ocekavany.Tiskne) {
            EXPECT_EQ("dokonceni " + std::to_string(rychly.Uloha.Etiket()), zaznam.udalosti.back());
        }
    }
}

// Counts no print could make in a test's time: the preview still gives them at once, and the
// table's own preview (tTisk) goes the quick way.
TEST(Nahled, ObrovskePocty) {
    tPopisOblepky popis = VzorovaEtiketa();
    popis.PoleSPoctem = 2;
    popis.RadkuPo = 1;
    popis.Radky[2].HrText = "";
    tTabulka tabulka;
    tabulka.NactiText("Jablko\t2147483647\r\nx\tx\r\nJablko\t2147483647\r\nJablko\t100000000");
    const tNahled nahled = ZachytNahled(tTisk{popis, 1, {}, &tabulka});
    const long long etiket = 2LL * 2147483647 + 100'000'000;
    const auto blok = static_cast<long long>(std::string("  Jablko\r\n\r\n\r\n\x0C").size());
    EXPECT_EQ(nahled.Uloha.Etiket(), etiket);
    EXPECT_EQ(nahled.Uloha.Bajtu(), 2 + 2 + etiket * blok + 2);
    EXPECT_EQ(nahled.Uloha.KonceEtiket().size(), static_cast<size_t>(EtiketVNahledu));
    EXPECT_EQ(nahled.NazevDokumentu, "Oblepky pro zboží (4394967294 ks)");
}

} // namespace
