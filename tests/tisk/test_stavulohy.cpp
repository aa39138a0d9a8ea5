// What the server says of a job, from its creation to its end.
#include "core/Win1250.h"
#include "output/RawPrinter.h"
#include "output/StavUlohy.h"
#include "tests/tisk/CupsTest.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace {

using namespace std::chrono_literals;

const std::string Fronta = "StavUlohy";

// The job once it has ended, or as it is after 20 s.
tUloha PoKonci(int id) {
    std::optional<tUloha> u;
    for (auto konec = std::chrono::steady_clock::now() + 20s;
         std::chrono::steady_clock::now() < konec; std::this_thread::sleep_for(50ms)) {
        u = ZjistiUlohu(id);
        if (!u || u->Skoncila())
            break;
    }
    return u.value_or(tUloha{});
}

TEST(StavUlohy, FollowsAJobFromItsCreationToItsEnd) {
    cups_test::PridejFrontu(Fronta);
    struct Pripad {
        const char* nazev;
        std::function<void(tRawPrinter&)> konec;
        tStavUlohy stav;
    } pripady[] = {
        {"printed", [](tRawPrinter& j) { j.Dokonci(); }, tStavUlohy::Vytistena},
        {"cancelled before its document was whole", [](tRawPrinter& j) { j.Zrus(); },
         tStavUlohy::Zrusena},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        tRawPrinter uloha(Utf8NaWin1250("Štítky"), Fronta);
        uloha.Write("ABC\r\n");
        // Created, with its document still open: it must not count as sent.
        const auto otevrena = ZjistiUlohu(uloha.Uloha());
        ASSERT_TRUE(otevrena);
        EXPECT_FALSE(otevrena->MaDokument());
        EXPECT_FALSE(otevrena->Skoncila());
        p.konec(uloha);

        const tUloha u = PoKonci(uloha.Uloha());
        EXPECT_EQ(u.Stav, p.stav);
        EXPECT_EQ(u.Id, uloha.Uloha());
        EXPECT_EQ(u.Fronta, Fronta);
        EXPECT_EQ(u.Nazev, Utf8NaWin1250("Štítky"));
        EXPECT_GT(u.CasVytvoreni, 0);
        EXPECT_EQ(u.MaDokument(), p.stav == tStavUlohy::Vytistena);
        EXPECT_EQ(u.CasDokonceni > 0, true);
        EXPECT_EQ(u.StavFronty, tStavFronty::Necinna);
        EXPECT_TRUE(u.PrijimaFronta);
    }
    EXPECT_FALSE(ZjistiUlohu(987654)); // never there, or purged
}

} // namespace
