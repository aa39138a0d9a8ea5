// What the server says of a job, from its creation to its end.
#include "core/PriKonci.h"
#include "output/RawPrinter.h"
#include "output/SledovaniUloh.h"
#include "output/StavUlohy.h"
#include "tests/podpora/Zpomaleni.h"
#include "tests/tisk/CupsTest.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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
        tRawPrinter uloha("Štítky", Fronta);
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
        EXPECT_EQ(u.Nazev, "Štítky"); // the server's job name, UTF-8 as it gives it
        EXPECT_GT(u.CasVytvoreni, 0);
        EXPECT_EQ(u.MaDokument(), p.stav == tStavUlohy::Vytistena);
        EXPECT_EQ(u.CasDokonceni > 0, true);
        EXPECT_EQ(u.StavFronty, tStavFronty::Necinna);
        EXPECT_TRUE(u.PrijimaFronta);
        // The queue's list says the same of it.
        const auto ulohy = UlohyFronty(Fronta);
        const auto v =
            std::find_if(ulohy.begin(), ulohy.end(), [&](const tUloha& x) { return x.Id == u.Id; });
        ASSERT_NE(v, ulohy.end());
        EXPECT_EQ(v->Stav, u.Stav);
        EXPECT_EQ(v->Nazev, u.Nazev);
        EXPECT_EQ(v->Fronta, Fronta);
        EXPECT_EQ(v->CasDokonceni, u.CasDokonceni);
        EXPECT_EQ(v->StavFronty, u.StavFronty);
    }
    EXPECT_THROW(UlohyFronty("TaFrontaNeni"), eFrontaNeni);
    EXPECT_FALSE(ZjistiUlohu(987654)); // never there, or purged

    // A queue whose name Windows-1250 cannot hold: the job and the list keep it exact, never
    // a near miss that names another queue or none.
    const std::string cizi = "Štítky-日";
    cups_test::PridejFrontu(cizi);
    FILE* lp = ::popen(("echo A | lp -d '" + cizi + "' -o raw").c_str(), "r");
    ASSERT_NE(lp, nullptr);
    char radek[256] = {};
    const bool precteno = std::fgets(radek, sizeof radek, lp) != nullptr;
    ::pclose(lp);
    ASSERT_TRUE(precteno); // "request id is Štítky-日-12 (1 file(s))"
    const std::string odpoved = radek;
    const int id = std::atoi(odpoved.c_str() + odpoved.rfind('-', odpoved.find(" (")) + 1);
    EXPECT_EQ(PoKonci(id).Fronta, cizi);
    const auto jejiUlohy = UlohyFronty(cizi);
    ASSERT_FALSE(jejiUlohy.empty());
    EXPECT_EQ(jejiUlohy.front().Id, id);
    EXPECT_EQ(jejiUlohy.front().Fronta, cizi);
    cups_test::SmazFrontu(cizi);
}

// What following one job costs the server: at most a request a second, whether the job
// prints (its own state says all) or waits on a stopped queue (the queue asked too, the job
// half as often); and a later round of the list asks only for what is new.
TEST(StavUlohy, AFollowedJobCostsARequestASecond) {
    const struct {
        const char* nazev;
        bool zastavena;
        int pozadavku; // at most, over the 4 s wait
    } pripady[] = {
        {"printing to a printer switched off", false, 5},
        {"waiting on a stopped queue", true, 6},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        const std::string fronta = "StavUlohy-cena";
        cups_test::PridejMrtvouFrontu(fronta);
        if (p.zastavena) {
            ASSERT_EQ(std::system(("cupsdisable " + fronta).c_str()), 0);
        }
        tRawPrinter uloha("Cena", fronta);
        uloha.Write("ABC\r\n");
        uloha.Dokonci();
        tDotazyNaUlohy dotazy;
        const tVysledekCekani v =
            CekejNaKonec(uloha.Uloha(), p.zastavena ? 0s : 4s,
                         [&](int id, tTermin termin) { return dotazy.Uloha(id, termin); });
        if (p.zastavena) { // Selhala at once: wait as long with the same rule
            ASSERT_TRUE(v.Uloha);
            EXPECT_EQ(v.Uloha->StavFronty, tStavFronty::Zastavena);
            const auto konec = std::chrono::steady_clock::now() + 4s;
            for (auto kdy = std::chrono::steady_clock::now(); kdy < konec;
                 kdy += OdstupDotazu * PozadavkuOtazky(*v.Uloha)) {
                std::this_thread::sleep_until(kdy);
                dotazy.Uloha(uloha.Uloha());
            }
        } else {
            ASSERT_TRUE(v.Uloha);
            EXPECT_EQ(v.Uloha->Stav, tStavUlohy::Tiskne);
        }
        std::printf("%s: %lld requests in 4 s\n", p.nazev, dotazy.Pozadavku());
        EXPECT_LE(dotazy.Pozadavku(), p.pozadavku);

        const long long predtim = dotazy.Pozadavku();
        const auto vse = dotazy.Fronta(fronta, {});
        ASSERT_FALSE(vse.empty());
        EXPECT_EQ(vse.front().Id, uloha.Uloha());
        EXPECT_TRUE(dotazy.Fronta(fronta, {vse.front().Id, {}}).empty()); // nothing new
        EXPECT_EQ(dotazy.Pozadavku() - predtim, 3 + 1); // ids, details, queue; then ids alone
        cups_test::SmazFrontu(fronta);
    }
}

// A server that takes every connection and never answers: a round of the job list over
// several queues ends with its error within one deadline, not one deadline per queue.
TEST(StavUlohy, AStalledServerEndsTheListsRoundWithinOneDeadline) {
    const std::string adresa = cups_test::TichyServer("StavUlohy-tichy");
    cupsSetServer(adresa.c_str()); // this thread's questions
    const tPriKonci zpet([] { cupsSetServer(nullptr); });
    // Its first connection is passed on to the real server: taken here, so that the list
    // meets the stalled ones.
    const tSpojeni prvni(LimitSpojeniMs, LhutaTiskuS, IPP_STATUS_ERROR_INTERNAL);
    tDotazyNaUlohy dotazy;
    tSledovaniUloh sledovani([&](int id, tTermin termin) { return dotazy.Uloha(id, termin); },
                             [&](const std::string& f, const tDotazFronty& d, tTermin termin) {
                                 return dotazy.Fronta(f, d, termin);
                             },
                             [](int, tTermin) {});
    sledovani.Seznam({"A", "B", "C", "D", "E"});
    const auto zacatek = std::chrono::steady_clock::now();
    const tSledovaniUloh::tKolo kolo = sledovani.Kolo(tSledovaniUloh::tHodiny::now());
    const auto trvalo = std::chrono::steady_clock::now() - zacatek;
    std::printf("a round over 5 stalled queues: %lld ms\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(trvalo).count()));
    EXPECT_FALSE(kolo.Chyba.empty());
    EXPECT_FALSE(kolo.Seznam); // nothing known, nothing changed
    // One deadline and a moment: 5 queues one after another took 75 s, and each queue
    // asked past the deadline still cost its reconnect.
    EXPECT_LT(trvalo, (LhutaKola + 3s) * Zpomaleni);
}

} // namespace
