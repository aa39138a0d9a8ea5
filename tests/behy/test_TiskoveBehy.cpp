// The two print runs on a capturing job: the byte stream, its writes, the document name,
// the completion count and the clean-up when something fails.

#include "core/Chyba.h"
#include "core/Win1250.h"
#include "tests/behy/VzorovaEtiketa.h"

#include <gtest/gtest.h>

using namespace behy_test;

namespace {

using tUdalosti = std::vector<std::string>;

class Behy : public testing::Test {
protected:
    tZaznam zaznam;
    tSluzbyTisku sluzby = Sluzby(zaznam);
    tPopisOblepky popis = VzorovaEtiketa();
    tRucniHodnoty hodnoty{"", "Jablko", "15"};
    tTabulka tabulka;

    static std::string Opakuj(const std::string& text, int kolikrat) {
        std::string vysledek;
        for (int i = 0; i < kolikrat; ++i)
            vysledek += text;
        return vysledek;
    }
};

TEST_F(Behy, VzorovyPrikladPoZapisech) {
    TiskniRucne(popis, 2, hodnoty, sluzby);
    const tUdalosti blok = {"  Jablko\r\n", "Cena:    15\r\n", "\r\n", "\x0C"};
    tUdalosti ocekavane = {"\x1B@", "\r\n"};
    for (int i = 0; i < 2; ++i)
        ocekavane.insert(ocekavane.end(), blok.begin(), blok.end());
    EXPECT_EQ(zaznam.zapisy, ocekavane);
    EXPECT_EQ(zaznam.Bajty(), "\x1B@\r\n" + VzorovyBlok + VzorovyBlok);
    EXPECT_EQ(zaznam.nazevDokumentu, "Oblepky pro zboží (2 ks)");
    EXPECT_EQ(zaznam.tiskarna, "Stitky");
    EXPECT_EQ(zaznam.udalosti,
              (tUdalosti{"kurzor cekej", "dokonci", "zniceno", "kurzor normalni", "dokonceni 2"}));
}

// No copies, or a table without data rows: no job, no cursor, no dialog.
TEST_F(Behy, NicKTiskuNicNedela) {
    tabulka.NactiText("a\t5");
    popis.PoleSPoctem = 2;
    for (int pocet : {0, -1}) {
        TiskniRucne(popis, pocet, hodnoty, sluzby);
        TiskniTabulku(popis, pocet, tabulka, sluzby);
    }
    tabulka.NactiText("");
    ASSERT_EQ(tabulka.PocetRadku(), 1);
    TiskniTabulku(popis, 1, tabulka, sluzby);
    EXPECT_EQ(zaznam.uloh, 0);
    EXPECT_TRUE(zaznam.udalosti.empty());
}

// Manual runs: rows before and after (each a write of its own), the label height filled
// with empty rows, manual value 0 empty. A label made at once, straight into the job, has
// the same bytes.
TEST_F(Behy, RucniTiskPodleRozvrzeni) {
    const std::string cena = "Cena:    15\r\n";
    const struct {
        int pred, po, vyska;
        const char* radek1;
        std::string bajty; // after the init codes
        size_t zapisu;     // 0: not counted
        int kodovani = 0;
        int zleva = 2, delka = 80;
    } pripady[] = {
        {2, 4, 3, "{1}", "\r\n\r\n" + VzorovyBlok + "\r\n\r\n\r\n\r\n", 1 + 2 + 4 + 4},
        // lines 3 to 5 print as empty rows, then filler rows up to the height
        {1, 0, 6, "{1}", "\r\n  Jablko\r\n" + cena + "\r\n\r\n\r\n\r\n\x0C", 0},
        {1, 0, 9, "{1}", "\r\n  Jablko\r\n" + cena + "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\x0C", 0},
        {1, 0, 0, "{1}", "\r\n\x0C", 0}, // no line printed, no filler
        {0, 0, 3, "[{0}]{20}", "  []Z\r\n" + cena + "\r\n\x0C", 0},
        // the cut to the length, the offset of an empty line, the printer's encoding
        {0, 0, 2, "{1}{1}", " Jabl\r\n" + cena + "\x0C", 0, 0, 1, 4},
        {0, 0, 2, "{20,0}", "\r\n" + cena + "\x0C", 0, 0, 5},
        {0, 0, 2, "\x8e{1,3*}\xe8", "  ZJabc\r\n" + cena + "\x0C", 0, 2},
        {0, 0, 2, "\x8e{1,3*}\xe8", "  \xa6Jab\x9f\r\n" + cena + "\x0C", 0, 4},
        // a row too long to be kept whole, and a label too long for a piece of the job
        {0, 0, 2, "{1,70000}", "  Jablko" + std::string(69994, ' ') + "\r\n" + cena + "\x0C", 0, 0,
         2, 70000},
        {0, 0, 40000, "{1}", "  Jablko\r\n" + cena + Opakuj("\r\n", 39998) + "\x0C", 0},
    };
    hodnoty[20] = "Z";
    for (const auto& p : pripady) {
        for (const bool primo : {false, true}) {
            tZaznam z;
            z.primo = primo;
            auto s = Sluzby(z);
            popis.RadkuPred = p.pred;
            popis.RadkuPo = p.po;
            popis.PocetRadkuOblepky = p.vyska;
            popis.Kodovani = p.kodovani;
            popis.Radky[1].HrText = p.radek1;
            popis.Radky[1].HrZleva = p.zleva;
            popis.Radky[1].HrDelka = p.delka;
            TiskniRucne(popis, 2, hodnoty, s);
            const std::string pred = Opakuj("\r\n", p.pred), po = Opakuj("\r\n", p.po);
            const std::string etiketa =
                p.bajty.substr(pred.size(), p.bajty.size() - pred.size() - po.size());
            std::string cekane = "\x1B@" + pred;
            cekane += etiketa;
            cekane += etiketa;
            cekane += po;
            EXPECT_EQ(z.Bajty(), cekane) << p.vyska << " " << p.radek1 << (primo ? " primo" : "");
            EXPECT_EQ(z.etiket, 2);
            if (p.zapisu && !primo) {
                EXPECT_EQ(z.zapisy.size(), p.zapisu + 4);
            }
        }
    }
}

// Table runs: the count column chooses how many labels each row gets; the document name
// and the dialog carry the sum. The job opens and the rows after print even with none.
TEST_F(Behy, TabulkaTiskneRadkyPodlePoctu) {
    const std::string x = "  x\r\n\r\n\r\n\x0C";
    const struct {
        const char* text; // nullptr: before the first import
        int sloupec;
        const char* radek1;
        std::string stitky;
        int pocet;
    } pripady[] = {
        {"2\tA\r\nx\tB\r\n0\tC\r\n1\tD", 1, "{0}:{2}",
         "  1:A\r\n\r\n\r\n\x0C  1:A\r\n\r\n\r\n\x0C  4:D\r\n\r\n\r\n\x0C", 3},
        {"r\t 3", 2, "x", x + x + x, 3},
        {"r\t3 ", 2, "x", "", 0},
        {"r\t$A", 2, "x", Opakuj(x, 10), 10},
        {"r\t", 2, "x", "", 0},
        {"r\t-2", 2, "x", "", 0},
        {"r\t0x3", 2, "x", x + x + x, 3},
        // a count column outside the table counts nothing; column 0 holds the row number
        {"5\t5", 3, "x", "", 0},
        {"5\t5", -1, "x", "", 0},
        {"5\t5", 2147483647, "x", "", 0},
        {"a\nb", 0, "x", x + x + x, 3},
        // cells past the end of a short row are empty
        {"1\ta\r\n1\tb\tc\td\te\tf\tg", 1, "{0}{2}{7}{8}",
         "  1a\r\n\r\n\r\n\x0C  2bg\r\n\r\n\r\n\x0C", 2},
        {nullptr, 1, "x", "", 0},
    };
    popis.RadkuPo = 1;
    popis.Radky[2].HrText = "";
    for (const auto& p : pripady) {
        tZaznam z;
        auto s = Sluzby(z);
        tTabulka t;
        if (p.text)
            t.NactiText(p.text);
        popis.PoleSPoctem = p.sloupec;
        popis.Radky[1].HrText = p.radek1;
        TiskniTabulku(popis, 1, t, s);
        const std::string nazev = p.text ? p.text : "(none)";
        // The rows read ahead on a thread of their own print the same.
        tZaznam napred;
        tRadkyTabulky radky(t);
        TiskniRadkyNapred(popis, 1, radky, Sluzby(napred));
        EXPECT_EQ(napred.zapisy, z.zapisy) << nazev << " " << p.sloupec;
        EXPECT_EQ(napred.udalosti, z.udalosti) << nazev << " " << p.sloupec;
        // So do labels made at once, straight into the job.
        tZaznam primo;
        primo.primo = true;
        TiskniTabulku(popis, 1, t, Sluzby(primo));
        EXPECT_EQ(primo.Bajty(), z.Bajty()) << nazev << " " << p.sloupec;
        EXPECT_EQ(primo.etiket, z.etiket) << nazev << " " << p.sloupec;
        if (p.pocet == 0) { // rows that ask for no label: nothing to print, no job
            EXPECT_EQ(z.uloh, 0) << nazev << " " << p.sloupec;
            EXPECT_TRUE(z.udalosti.empty()) << nazev << " " << p.sloupec;
            continue;
        }
        EXPECT_EQ(z.Bajty(), "\x1B@\r\n" + p.stitky + "\r\n") << nazev << " " << p.sloupec;
        EXPECT_EQ(z.nazevDokumentu, "Oblepky pro zboží (" + std::to_string(p.pocet) + " ks)")
            << nazev << " " << p.sloupec;
        EXPECT_EQ(z.udalosti.back(), "dokonceni " + std::to_string(p.pocet));
    }
}

// Rows read ahead: across many batches, and a source that fails part-way, which the run sees
// after the rows before the failure, as from the source itself: the same bytes, the same
// clean-up, the same error.
TEST_F(Behy, RadkyNapredJakoZeZdroje) {
    class tSelhavajici : public tRadkyTabulky {
    public:
        tSelhavajici(const tTabulka& t, int selze) : tRadkyTabulky(t), selze_(selze) {}
        void NaZacatek() override {
            tRadkyTabulky::NaZacatek();
            radek_ = 0;
            ++pruchodu_;
        }
        bool Dalsi() override {
            if (++radek_ == selze_ && pruchodu_ > 1)
                throw eChyba("rada " + std::to_string(radek_));
            return tRadkyTabulky::Dalsi();
        }

    private:
        int selze_, radek_ = 0, pruchodu_ = 0;
    };
    std::string text;
    for (int i = 1; i <= 10000; ++i)
        text += std::to_string(i % 3) + "\tZbo\x9E\xED " + std::to_string(i) + "\t" +
                std::string(static_cast<size_t>(i % 200), 'x') + "\r\n";
    tabulka.NactiText(text);
    popis.PoleSPoctem = 1;
    popis.Radky[1].HrText = "{0} {2}";
    popis.Radky[2].HrText = "{3}";
    for (const int selze : {0, 1, 4097, 9999}) {
        tZaznam primo, napred;
        tSelhavajici zdroj(tabulka, selze), zdrojNapred(tabulka, selze);
        std::string chyba, chybaNapred;
        try {
            TiskniRadky(popis, 1, zdroj, Sluzby(primo));
        } catch (const eChyba& e) {
            chyba = e.what();
        }
        try {
            TiskniRadkyNapred(popis, 1, zdrojNapred, Sluzby(napred));
        } catch (const eChyba& e) {
            chybaNapred = e.what();
        }
        EXPECT_EQ(chybaNapred, chyba) << selze;
        EXPECT_EQ(chyba.empty(), selze == 0) << selze;
        EXPECT_TRUE(napred.Bajty() == primo.Bajty()) << selze;
        EXPECT_EQ(napred.udalosti, primo.udalosti) << selze;
        EXPECT_EQ(napred.nazevDokumentu, primo.nazevDokumentu) << selze;
    }
}

// The sum of huge count cells does not overflow; negative and bad cells add nothing.
// Creating the job fails here, so nothing is printed.
TEST_F(Behy, NazevDokumentuNeseSoucetPoctu) {
    tabulka.NactiText("2147483647\n2147483647\n2147483647\n-5\nx\n$FFFFFFFF");
    popis.PoleSPoctem = 1;
    zaznam.selzeVytvoreni = true;
    EXPECT_THROW(TiskniTabulku(popis, 1, tabulka, sluzby), eChyba);
    EXPECT_EQ(zaznam.nazevDokumentu, "Oblepky pro zboží (6442450941 ks)");
}

// A run that breaks off stops at once; the job is ended, cut back or cancelled and destroyed,
// the cursor restored and the dialog shows the labels that will print before the error goes
// on: after a template error the whole labels before it, after a failed Write or Dokonci
// none (the document never becomes whole), after Storno none and no error.
TEST_F(Behy, PreruseniUklidiAOhlasiCoSeVytiskne) {
    const std::string neniCislo = "'x' is not a valid integer value";
    const std::string chybaZapisu = "Chyba při komunikaci s tiskárnou (5)";
    const std::string chybaKonce = "Chyba při komunikaci s tiskárnou (1)";
    // Writes per label: 4 (three rows and the form feed) after 2 at the start.
    const long long poDvou = 2 + 2 * 4;
    enum tPorucha { Sablona, Zapis, Dokonceni, Storno };
    const struct {
        tPorucha porucha;
        std::string chyba;
        tUdalosti udalosti;
    } pripady[] = {
        {Sablona, neniCislo, {"kurzor cekej", "zniceno", "kurzor normalni", "dokonceni 2"}},
        {Zapis, chybaZapisu, {"kurzor cekej", "zniceno", "kurzor normalni", "dokonceni 0"}},
        {Dokonceni,
         chybaKonce,
         {"kurzor cekej", "dokonci", "zniceno", "kurzor normalni", "dokonceni 0"}},
        {Storno, "", {"kurzor cekej", "zruseno", "zniceno", "kurzor normalni", "dokonceni 0"}},
    };
    tabulka.NactiText("5000\tJablko\t15");
    popis.PoleSPoctem = 1;
    for (bool tabulkou : {false, true}) {
        for (const auto& pripad : pripady) {
            SCOPED_TRACE(std::string(tabulkou ? "table " : "manual ") + pripad.chyba);
            tZaznam z;
            auto s = Sluzby(z);
            tPopisOblepky p = popis;
            if (pripad.porucha == Sablona)
                z.poZapisu = [&] {
                    if (z.zapisu == poDvou)
                        p.Radky[2].HrText = "{1,x}";
                };
            z.selzeZapis = pripad.porucha == Zapis ? poDvou + 1 : -1; // label 3, second row
            z.selzeDokonceni = pripad.porucha == Dokonceni;
            z.stornoPo = pripad.porucha == Storno ? 4096 : -1;
            std::string chyba;
            try {
                if (tabulkou)
                    TiskniTabulku(p, 1, tabulka, s);
                else
                    TiskniRucne(p, 5000, hodnoty, s);
            } catch (const eChyba& e) {
                chyba = e.what();
            }
            EXPECT_EQ(chyba, pripad.chyba);
            EXPECT_EQ(z.udalosti, pripad.udalosti);
            if (pripad.porucha == Sablona || pripad.porucha == Zapis) {
                EXPECT_EQ(z.zapisu, poDvou + 1); // nothing after the failure
            }
        }
    }
}

TEST_F(Behy, NeotevrenaUlohaNemeniKurzorANehlasi) {
    zaznam.selzeVytvoreni = true;
    tabulka.NactiText("1");
    popis.PoleSPoctem = 1;
    EXPECT_THROW(TiskniRucne(popis, 1, hodnoty, sluzby), eChyba);
    EXPECT_THROW(TiskniTabulku(popis, 1, tabulka, sluzby), eChyba);
    EXPECT_TRUE(zaznam.udalosti.empty());
}

} // namespace
