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

} // namespace
