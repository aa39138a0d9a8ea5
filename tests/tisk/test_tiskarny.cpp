// The printer list against the private CUPS server.
#include "core/Win1250.h"
#include "output/RawPrinter.h"
#include "output/Tiskarny.h"
#include "tests/tisk/CupsTest.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <fstream>

namespace {

// A stopped server raises with its code; a fresh one has no queues.
TEST(SeznamTiskaren, ListsTheServersQueues) {
    cups_test::ZastavServer();
    std::string zprava;
    try {
        SeznamTiskaren();
    } catch (const eRawPrinter& e) {
        zprava = e.what();
    }
    cups_test::SpustServer();
    EXPECT_EQ(zprava, "Chyba při komunikaci s tiskárnou (" +
                          std::to_string(IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) + ")");
    EXPECT_EQ(SeznamTiskaren(), std::vector<std::string>{});

    for (const char* fronta : {"Zebra", "Archy", "Mala_tiskarna"})
        cups_test::PridejFrontu(fronta);
    EXPECT_EQ(SeznamTiskaren(), (std::vector<std::string>{"Archy", "Mala_tiskarna", "Zebra"}));

    cups_test::SmazFrontu("Archy");
    EXPECT_EQ(SeznamTiskaren(), (std::vector<std::string>{"Mala_tiskarna", "Zebra"}));
}

// A server that takes the connection but never answers must not block the program: the
// capture listener of a queue behaves exactly so.
TEST(SeznamTiskaren, SilentServerRaisesInsteadOfWaiting) {
    cups_test::PridejFrontu("Tichy");
    std::ifstream soubor(cups_test::Adresar() + "/posluchaci/Tichy.port");
    std::string port;
    soubor >> port;
    cupsSetServer(("127.0.0.1:" + port).c_str());
    bool vyjimka = false;
    try {
        SeznamTiskaren();
    } catch (const eRawPrinter&) {
        vyjimka = true;
    }
    cupsSetServer(nullptr); // back to CUPS_SERVER
    EXPECT_TRUE(vyjimka);
}

// A queue is found by its exact name, whatever letters it has: never by a near one. The
// settings name is Windows-1250, the server's UTF-8.
TEST(FrontaTisku, ExactNamesWithAnyLetters) {
    for (const char* fronta : {"Stitky", "Štítky-e", "Kasa€"})
        cups_test::PridejFrontu(fronta);
    const struct {
        const char* nastaveni; // UTF-8 here, Windows-1250 in the settings
        const char* fronta;    // the server's queue; nullptr: not found
    } pripady[] = {
        {"Stitky", "Stitky"},  {"sTITKY", "Stitky"},  {"Štítky-e", "Štítky-e"},
        {"ŠTÍTKY-E", nullptr}, {"Stitky-e", nullptr}, {"Kasa€", "Kasa€"},
        {"Kasa", nullptr},     {"Kasa€ ", nullptr},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nastaveni);
        const std::string win = Utf8NaWin1250(p.nastaveni);
        if (p.fronta == nullptr) {
            EXPECT_THROW(FrontaTisku(win), eRawPrinter);
            continue;
        }
        EXPECT_EQ(FrontaTisku(win), p.fronta);
        // And a job reaches that queue.
        cups_test::VymazZachycene(p.fronta);
        {
            tRawPrinter uloha("Test", win);
            uloha.Write(p.nastaveni);
            uloha.Dokonci();
        }
        EXPECT_EQ(cups_test::CekejNaUlohy(p.fronta, 1), std::vector<std::string>{p.nastaveni});
    }
    for (const char* fronta : {"Štítky-e", "Kasa€"})
        cups_test::SmazFrontu(fronta);
}

// Names the settings can hold only exactly: a near one would print on another queue.
TEST(FrontaTisku, IntoTheSettingsExactlyOrNot) {
    EXPECT_EQ(FrontaDoNastaveni("Kasa€"), "Kasa\x80");
    EXPECT_EQ(FrontaDoNastaveni("Štítky-e"), "\x8At\xEDtky-e");
    EXPECT_EQ(FrontaDoNastaveni("Stitkÿ"), std::nullopt);
    EXPECT_EQ(FrontaDoNastaveni("Stitke\xcc\x81"), std::nullopt); // decomposed é
    EXPECT_EQ(FrontaDoNastaveni("a\xff"), std::nullopt);          // not UTF-8
}

} // namespace
