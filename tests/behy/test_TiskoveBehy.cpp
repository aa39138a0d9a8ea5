// The two print runs on a capturing job: the byte stream, its writes, the document name,
// the completion count and the clean-up when something fails.

#include "Win1250.h"
#include "ZachytUlohy.h"

#include <gtest/gtest.h>

using namespace behy_test;

namespace {

using tUdalosti = std::vector<std::string>;

class Behy : public testing::Test {
protected:
    void TearDown() override { NastavObsluhuKurzoru(nullptr); }

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
    EXPECT_EQ(zaznam.nazevDokumentu, Utf8NaWin1250("Oblepky pro zboží (2 ks)"));
    EXPECT_EQ(zaznam.tiskarna, "Stitky");
    EXPECT_EQ(zaznam.udalosti,
              (tUdalosti{"kurzor cekej", "dokonci", "zniceno", "kurzor normalni", "dokonceni 2"}));
}

TEST_F(Behy, RucniHodnotaNulaJePrazdna) {
    popis.Radky[1].HrText = "[{0}]{20}";
    hodnoty[20] = "Z";
    popis.RadkuPred = 0;
    TiskniRucne(popis, 1, hodnoty, sluzby);
    EXPECT_EQ(zaznam.zapisy.at(1), "  []Z\r\n");
}

TEST_F(Behy, PocetKopiiNulaNicNedela) {
    tabulka.NactiText("a\t5");
    popis.PoleSPoctem = 2;
    for (int pocet : {0, -1}) {
        TiskniRucne(popis, pocet, hodnoty, sluzby);
        TiskniTabulku(popis, pocet, tabulka, sluzby);
    }
    EXPECT_EQ(zaznam.uloh, 0);
    EXPECT_TRUE(zaznam.udalosti.empty());
}

TEST_F(Behy, RadkyPredAPo) {
    popis.RadkuPred = 2;
    popis.RadkuPo = 4;
    TiskniRucne(popis, 1, hodnoty, sluzby);
    EXPECT_EQ(zaznam.Bajty(), "\x1B@\r\n\r\n" + VzorovyBlok + "\r\n\r\n\r\n\r\n");
    EXPECT_EQ(zaznam.zapisy.size(), 1u + 2u + 4u + 4u); // each row a write of its own
}

TEST_F(Behy, VyplnDoVyskyEtikety) {
    struct tPripad {
        int vyska;
        std::string blok;
    } pripady[] = {
        // lines 3 to 5 print as empty rows, then one filler row
        {6, "  Jablko\r\nCena:    15\r\n\r\n\r\n\r\n\r\n\x0C"},
        {3, VzorovyBlok}, // line 3 is the last row, nothing to fill
        {9, "  Jablko\r\nCena:    15\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\x0C"},
        {0, "\x0C"}, // no line printed, no filler
    };
    for (const auto& p : pripady) {
        zaznam.zapisy.clear();
        popis.PocetRadkuOblepky = p.vyska;
        TiskniRucne(popis, 1, hodnoty, sluzby);
        EXPECT_EQ(zaznam.Bajty(), "\x1B@\r\n" + p.blok) << "vyska " << p.vyska;
    }
}

TEST_F(Behy, TabulkaTiskneRadkyPodlePoctu) {
    tabulka.NactiText("2\tA\r\nx\tB\r\n0\tC\r\n1\tD");
    popis.PoleSPoctem = 1;
    popis.Radky[1].HrText = "{0}:{2}";
    popis.Radky[2].HrText = "";
    TiskniTabulku(popis, 1, tabulka, sluzby);
    const std::string a = "  1:A\r\n\r\n\r\n\x0C", d = "  4:D\r\n\r\n\r\n\x0C";
    EXPECT_EQ(zaznam.Bajty(), "\x1B@\r\n" + a + a + d);
    EXPECT_EQ(zaznam.nazevDokumentu, Utf8NaWin1250("Oblepky pro zboží (3 ks)"));
    EXPECT_EQ(zaznam.udalosti.back(), "dokonceni 3");
}

TEST_F(Behy, BunkyPoctu) {
    struct tPripad {
        std::string bunka;
        int stitku;
    } pripady[] = {{" 3", 3}, {"3 ", 0}, {"$A", 10}, {"", 0}, {"-2", 0}, {"0x3", 3}};
    popis.PoleSPoctem = 2;
    popis.Radky[1].HrText = "x";
    popis.Radky[2].HrText = "";
    for (const auto& p : pripady) {
        tZaznam z;
        auto s = Sluzby(z);
        tabulka.NactiText("r\t" + p.bunka);
        TiskniTabulku(popis, 1, tabulka, s);
        EXPECT_EQ(z.Bajty(), "\x1B@\r\n" + Opakuj("  x\r\n\r\n\r\n\x0C", p.stitku))
            << "'" << p.bunka << "'";
        EXPECT_EQ(z.udalosti.back(), "dokonceni " + std::to_string(p.stitku));
    }
}

TEST_F(Behy, SloupecPoctuMimoTabulku) {
    tabulka.NactiText("5\t5");
    for (int sloupec : {3, -1, 2147483647}) {
        zaznam.zapisy.clear();
        popis.PoleSPoctem = sloupec;
        TiskniTabulku(popis, 1, tabulka, sluzby);
        EXPECT_EQ(zaznam.Bajty(), "\x1B@\r\n") << sloupec;
    }
    // Column 0 holds the row number, which is a count like any other.
    zaznam.zapisy.clear();
    tabulka.NactiText("a\nb");
    popis.PoleSPoctem = 0;
    TiskniTabulku(popis, 1, tabulka, sluzby);
    EXPECT_EQ(zaznam.udalosti.back(), "dokonceni 3");
}

TEST_F(Behy, NazevDokumentuNeseSoucetPoctu) {
    // The sum of huge count cells does not overflow; negative and bad cells add nothing.
    // Creating the job fails here, so nothing is printed.
    tabulka.NactiText("2147483647\n2147483647\n2147483647\n-5\nx\n$FFFFFFFF");
    popis.PoleSPoctem = 1;
    zaznam.selzeVytvoreni = true;
    EXPECT_THROW(TiskniTabulku(popis, 1, tabulka, sluzby), eChyba);
    EXPECT_EQ(zaznam.nazevDokumentu, Utf8NaWin1250("Oblepky pro zboží (6442450941 ks)"));
}

TEST_F(Behy, BunkyZaKoncemKratkehoRadku) {
    tabulka.NactiText("1\ta\r\n1\tb\tc\td\te\tf\tg");
    popis.PoleSPoctem = 1;
    popis.Radky[1].HrText = "{0}{2}{7}{8}";
    popis.Radky[2].HrText = "";
    TiskniTabulku(popis, 1, tabulka, sluzby);
    EXPECT_EQ(zaznam.Bajty(), "\x1B@\r\n  1a\r\n\r\n\r\n\x0C  2bg\r\n\r\n\r\n\x0C");
}

TEST_F(Behy, TabulkaBezDatovychRadkuNicNedela) {
    tabulka.NactiText("");
    ASSERT_EQ(tabulka.PocetRadku(), 1);
    TiskniTabulku(popis, 1, tabulka, sluzby);
    EXPECT_EQ(zaznam.uloh, 0);
    EXPECT_TRUE(zaznam.udalosti.empty());
}

TEST_F(Behy, TabulkaPredImportem) {
    popis.RadkuPo = 1;
    TiskniTabulku(popis, 1, tabulka, sluzby);
    EXPECT_EQ(zaznam.Bajty(), "\x1B@\r\n\r\n");
    EXPECT_EQ(zaznam.nazevDokumentu, Utf8NaWin1250("Oblepky pro zboží (0 ks)"));
    EXPECT_EQ(zaznam.udalosti.back(), "dokonceni 0");
}

// A failure midway: the run stops at once; the job is destroyed, the cursor restored and
// the dialog shows the labels finished before the error goes on.
struct tSelhani {
    const char* nazev;
    bool tabulkou;
    bool sablonou; // else a Write fails
    std::string zprava;
};

void PrintTo(const tSelhani& s, std::ostream* os) {
    *os << s.nazev;
}

class Selhani : public testing::TestWithParam<tSelhani> {};

TEST_P(Selhani, UklidiAOhlasiHotove) {
    const auto& p = GetParam();
    tZaznam zaznam;
    auto sluzby = Sluzby(zaznam);
    tPopisOblepky popis = VzorovaEtiketa();
    tRucniHodnoty hodnoty{"", "Jablko", "15"};
    tTabulka tabulka;
    tabulka.NactiText("5\tJablko\t15");
    popis.PoleSPoctem = 1;
    // Writes per label: 4 (three rows and the form feed) after 2 at the start.
    const size_t poDvou = 2 + 2 * 4;
    if (p.sablonou)
        zaznam.poZapisu = [&] {
            if (zaznam.zapisy.size() == poDvou)
                popis.Radky[2].HrText = "{1,x}";
        };
    else
        zaznam.selzeZapis = poDvou + 1; // the second row of the third label
    try {
        if (p.tabulkou)
            TiskniTabulku(popis, 1, tabulka, sluzby);
        else
            TiskniRucne(popis, 5, hodnoty, sluzby);
        ADD_FAILURE() << "no error";
    } catch (const eChyba& e) {
        EXPECT_EQ(e.what(), p.zprava);
    }
    EXPECT_EQ(zaznam.udalosti,
              (tUdalosti{"kurzor cekej", "zniceno", "kurzor normalni", "dokonceni 2"}));
    EXPECT_EQ(zaznam.zapisy.size(), poDvou + 1); // nothing after the failure
    NastavObsluhuKurzoru(nullptr);
}

const std::string NeniCislo = "'x' is not a valid integer value";
const std::string ChybaZapisu = "Chyba p\xF8i komunikaci s tisk\xE1rnou (5)";

INSTANTIATE_TEST_SUITE_P(Pripady, Selhani,
                         testing::Values(tSelhani{"rucneSablona", false, true, NeniCislo},
                                         tSelhani{"tabulkaSablona", true, true, NeniCislo},
                                         tSelhani{"rucneZapis", false, false, ChybaZapisu},
                                         tSelhani{"tabulkaZapis", true, false, ChybaZapisu}),
                         [](const auto& info) { return std::string(info.param.nazev); });

TEST_F(Behy, SelhaniDokonceniUklidiAOhlasi) {
    zaznam.selzeDokonceni = true;
    EXPECT_THROW(TiskniRucne(popis, 3, hodnoty, sluzby), eChyba);
    EXPECT_EQ(zaznam.udalosti,
              (tUdalosti{"kurzor cekej", "dokonci", "zniceno", "kurzor normalni", "dokonceni 3"}));
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
