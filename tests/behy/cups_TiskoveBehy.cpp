// The print runs end to end through a raw queue of the private CUPS server: the bytes the
// printer receives, the job's name, and a queue that does not exist.

#include "CupsTest.h"
#include "RawPrinter.h"
#include "ZachytUlohy.h"

#include <gtest/gtest.h>

using namespace behy_test;

namespace {

class BehyCups : public testing::Test {
protected:
    void SetUp() override {
        cups_test::PridejFrontu(Fronta);
        cups_test::VymazZachycene(Fronta);
        sluzby = Sluzby(zaznam);
        // The real job instead of the capturing one; the record still notes cursor and dialog.
        sluzby.VytvorUlohu = [this](const std::string& nazev, const std::string& tiskarna) {
            ++zaznam.uloh;
            return std::make_unique<tRawPrinter>(nazev, tiskarna);
        };
    }
    void TearDown() override { NastavObsluhuKurzoru(nullptr); }

    static inline const std::string Fronta = "BehyCups";
    tZaznam zaznam;
    tSluzbyTisku sluzby;
    tPopisOblepky popis = VzorovaEtiketa(Fronta);
};

TEST_F(BehyCups, VzorovyPrikladDorazi) {
    tRucniHodnoty hodnoty{"", "Jablko", "15"};
    TiskniRucne(popis, 2, hodnoty, sluzby);
    const auto ulohy = cups_test::CekejNaUlohy(Fronta, 1);
    ASSERT_EQ(ulohy.size(), 1u);
    EXPECT_EQ(ulohy[0], "\x1B@\r\n" + VzorovyBlok + VzorovyBlok);
    const auto nazvy = cups_test::NazvyUloh(Fronta);
    ASSERT_FALSE(nazvy.empty());
    EXPECT_EQ(nazvy.back(), "Oblepky pro zboží (2 ks)");
    EXPECT_EQ(zaznam.udalosti.back(), "dokonceni 2");
}

TEST_F(BehyCups, TabulkaDorazi) {
    tTabulka tabulka;
    tabulka.NactiText("2\tA\r\nx\tB\r\n0\tC\r\n1\tD");
    popis.PoleSPoctem = 1;
    popis.Radky[1].HrText = "{0}:{2}";
    popis.Radky[2].HrText = "";
    TiskniTabulku(popis, 1, tabulka, sluzby);
    const auto ulohy = cups_test::CekejNaUlohy(Fronta, 1);
    ASSERT_EQ(ulohy.size(), 1u);
    const std::string a = "  1:A\r\n\r\n\r\n\x0C", d = "  4:D\r\n\r\n\r\n\x0C";
    EXPECT_EQ(ulohy[0], "\x1B@\r\n" + a + a + d);
    EXPECT_EQ(cups_test::NazvyUloh(Fronta).back(), "Oblepky pro zboží (3 ks)");
    EXPECT_EQ(zaznam.udalosti.back(), "dokonceni 3");
}

TEST_F(BehyCups, NeznamaFrontaHlasiChybuBezKurzoruADialogu) {
    popis.Tiskarna = "TaFrontaNeni";
    tRucniHodnoty hodnoty{};
    try {
        TiskniRucne(popis, 1, hodnoty, sluzby);
        ADD_FAILURE() << "no error";
    } catch (const eRawPrinter& e) {
        const std::string zprava = e.what();
        const std::string zacatek = "Chyba p\xF8i komunikaci s tisk\xE1rnou (";
        EXPECT_EQ(zprava.substr(0, zacatek.size()), zacatek);
        EXPECT_EQ(zprava.back(), ')');
    }
    EXPECT_TRUE(zaznam.udalosti.empty());
}

} // namespace
