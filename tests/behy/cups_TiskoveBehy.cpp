// A print run end to end through a raw queue of the private CUPS server: the bytes the
// printer receives, the job's name, and a queue that does not exist.

#include "CupsTest.h"
#include "RawPrinter.h"
#include "VzorovaEtiketa.h"

#include <gtest/gtest.h>

using namespace behy_test;

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
        EXPECT_TRUE(std::string(e.what()).starts_with("Chyba p\xF8i komunikaci s tisk\xE1rnou ("))
            << e.what();
    }
    EXPECT_TRUE(zaznam.udalosti.empty());
}

} // namespace
