// The shop's print server: a second private server on 127.0.0.1, reached as its client and
// through a local queue that passes jobs on to it.

#include "output/RawPrinter.h"
#include "output/Tiskarny.h"
#include "tests/podpora/RozvrzeniFronty.h"
#include "tests/podpora/ZachytUlohy.h"
#include "tests/tisk/CupsTest.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace std::chrono_literals;

// A run through the real job; returns the bytes the same run sends to a capturing job.
template <class Beh> std::string Vytiskni(Beh beh) {
    podpora::tZaznam zachyt;
    beh(podpora::Sluzby(zachyt));
    podpora::tZaznam zaznam;
    tSluzbyTisku sluzby = podpora::Sluzby(zaznam);
    sluzby.VytvorUlohu = [](const std::string& nazev, const std::string& tiskarna) {
        return std::make_unique<tRawPrinter>(nazev, tiskarna);
    };
    beh(sluzby);
    return zachyt.Bajty();
}

// As a client of the shop's server: its queues are listed, a manual and a table run arrive
// byte-exact under their names, and once it is stopped the list and a run fail within
// seconds.
TEST(SdilenyServer, JakoKlient) {
    cups_test::tSdilenyServer obchod;
    const cups_test::tSdilenyServer::tNaServeru na(obchod);
    cups_test::PridejFrontu("Pokladna");
    EXPECT_EQ(SeznamTiskaren(), std::vector<std::string>{"Pokladna"});

    const tPopisOblepky p = Rozvrzeni("Pokladna");
    tRucniHodnoty hodnoty{};
    hodnoty[1] = "Jablko";
    hodnoty[3] = "15";
    tTabulka tabulka;
    tabulka.NactiText("Hru\x9Aka\t2\t8\r\nSvestky\t1\t30\r\n");
    const std::string rucne =
        Vytiskni([&](const tSluzbyTisku& s) { TiskniRucne(p, 3, hodnoty, s); });
    const std::string zTabulky =
        Vytiskni([&](const tSluzbyTisku& s) { TiskniTabulku(p, 1, tabulka, s); });
    EXPECT_EQ(cups_test::CekejNaUlohy("Pokladna", 2), (std::vector<std::string>{rucne, zTabulky}));
    EXPECT_EQ(cups_test::NazvyUloh("Pokladna"),
              (std::vector<std::string>{"Oblepky pro zboží (3 ks)", "Oblepky pro zboží (3 ks)"}));

    cups_test::ZastavServer();
    for (bool seznam : {true, false}) {
        const auto zacatek = std::chrono::steady_clock::now();
        podpora::tZaznam zaznam;
        tSluzbyTisku sluzby = podpora::Sluzby(zaznam);
        sluzby.VytvorUlohu = [](const std::string& nazev, const std::string& tiskarna) {
            return std::make_unique<tRawPrinter>(nazev, tiskarna);
        };
        EXPECT_THROW(seznam ? (void)SeznamTiskaren() : TiskniRucne(p, 1, hodnoty, sluzby),
                     eRawPrinter);
        EXPECT_LT(std::chrono::steady_clock::now() - zacatek, 5s);
    }
}

// A local queue that passes its jobs on to the shop's server: every byte value arrives
// unchanged through both schedulers.
TEST(SdilenyServer, MistniFrontaPredava) {
    cups_test::tSdilenyServer obchod;
    {
        const cups_test::tSdilenyServer::tNaServeru na(obchod);
        cups_test::PridejFrontu("Expedice");
    }
    cups_test::PresmerujFrontu("DoObchodu", "ipp://" + obchod.Adresa() + "/printers/Expedice");
    std::string data;
    for (int i = 0; i < 3 * 256; ++i)
        data += static_cast<char>(i);
    {
        tRawPrinter uloha("Predano", "DoObchodu");
        uloha.Write(data);
        uloha.Dokonci();
    }
    {
        const cups_test::tSdilenyServer::tNaServeru na(obchod);
        EXPECT_EQ(cups_test::CekejNaUlohy("Expedice", 1), std::vector<std::string>{data});
        EXPECT_EQ(cups_test::NazvyUloh("Expedice"), std::vector<std::string>{"Predano"});
    }
    cups_test::SmazFrontu("DoObchodu");
}

} // namespace
