// The job that sends on a thread of its own: the inner job gets the same bytes, label ends,
// end of document and count as when the run writes to it directly, also when it fails or
// the run is stopped; opened on the thread as well, also when it cannot open. A wait that
// the user stops ends the run as Storno does. A table file's import works the same way.

#include "core/Chyba.h"
#include "core/Soubory.h"
#include "output/RadkySouboru.h"
#include "output/UlohaNaPozadi.h"
#include "tests/behy/VzorovaEtiketa.h"
#include "tests/podpora/DocasnyAdresar.h"
#include "tests/podpora/Zpomaleni.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>

using namespace behy_test;

namespace {

struct tVysledek {
    std::string bajty, chyba;
    long long etiket = 0;
    std::vector<std::string> udalosti;
};

enum tDruh { Primo, NaPozadi, SOtevrenim };

// cekani: the waiting hook of a job opened on the thread.
tVysledek Beh(
    tZaznam zaznam, tDruh druh, bool chybaBehu,
    const tUlohaNaPozadi::tCekani& cekani = [] { return true; }) {
    tSluzbyTisku sluzby = Sluzby(zaznam);
    if (chybaBehu) // the run fails between two labels, with labels still on the way
        sluzby.Pokrok = [](long long, long long) -> bool { throw eChyba("beh"); };
    if (druh == NaPozadi)
        sluzby.VytvorUlohu = [&, primo = sluzby.VytvorUlohu](const std::string& nazev,
                                                             const std::string& tiskarna) {
            return std::unique_ptr<tTiskovaUloha>(
                std::make_unique<tUlohaNaPozadi>(primo(nazev, tiskarna)));
        };
    if (druh == SOtevrenim)
        sluzby.VytvorUlohu = [&, primo = sluzby.VytvorUlohu](const std::string& nazev,
                                                             const std::string& tiskarna) {
            return std::unique_ptr<tTiskovaUloha>(std::make_unique<tUlohaNaPozadi>(
                [&](tOdriznuti&) { return primo(nazev, tiskarna); }, cekani));
        };
    tVysledek v;
    try {
        // 5000 labels of 27 bytes: a few of the pieces the thread sends.
        TiskniRucne(VzorovaEtiketa(), 5000, {"", "Jablko", "15"}, sluzby);
    } catch (const std::exception& e) {
        v.chyba = e.what();
    }
    v.bajty = zaznam.Bajty();
    v.etiket = zaznam.etiket;
    v.udalosti = zaznam.udalosti;
    return v;
}

TEST(UlohaNaPozadi, JakoPrimo) {
    const struct {
        const char* nazev;
        long long selzeZapis = -1;
        bool selzeDokonceni = false;
        long long stornoPo = -1;
        bool stejneBajty = true; // the thread writes in pieces of its own
        bool chybaBehu = false;
        bool selzeVytvoreni = false;
    } pripady[] = {
        {"vse"},
        {"selzeDokonceni", -1, true},
        {"selzeZapis", 100, false, -1, false},
        {"storno", -1, false, 4096, false},
        {"chybaBehu", -1, false, -1, true, true},
        {"selzeVytvoreni", -1, false, -1, true, false, true},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        tZaznam zaznam;
        zaznam.selzeZapis = p.selzeZapis;
        zaznam.selzeDokonceni = p.selzeDokonceni;
        zaznam.stornoPo = p.stornoPo;
        zaznam.selzeVytvoreni = p.selzeVytvoreni;
        const tVysledek primo = Beh(zaznam, Primo, p.chybaBehu);
        for (const tDruh druh : {NaPozadi, SOtevrenim}) {
            SCOPED_TRACE(druh);
            const tVysledek naPozadi = Beh(zaznam, druh, p.chybaBehu);
            EXPECT_EQ(naPozadi.udalosti, primo.udalosti); // the end, the count in the dialog
            EXPECT_EQ(naPozadi.chyba, primo.chyba);
            if (p.stejneBajty) {
                EXPECT_EQ(naPozadi.bajty, primo.bajty);
                EXPECT_EQ(naPozadi.etiket, primo.etiket);
            }
        }
    }
}

// A server too slow for the user: the run's wait for the thread says stop, and the run ends
// as by Storno, the job cancelled, whatever the thread was doing.
TEST(UlohaNaPozadi, ZastavenoPriCekani) {
    tZaznam zaznam;
    zaznam.poZapisu = [] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); };
    int cekani = 0;
    const tVysledek v = Beh(zaznam, SOtevrenim, false, [&] { return ++cekani < 3; });
    EXPECT_GE(cekani, 3); // and while the job is cancelled, for the window to repaint
    EXPECT_EQ(v.chyba, "");
    EXPECT_EQ(v.udalosti, (std::vector<std::string>{"kurzor cekej", "zruseno", "zniceno",
                                                    "kurzor normalni", "dokonceni 0"}));
}

// Storno while the job ends on a server slow to confirm it: the dialog says what prints. A
// job that ended whole before the cancel came prints whole; one the cancel reached says
// itself whether it had been released.
TEST(UlohaNaPozadi, StornoPriDokonceni) {
    using namespace std::chrono_literals;
    const struct {
        const char* nazev;
        bool azPoOdriznuti; // the inner Dokonci waits until the cancel cuts it off
        long long poStornu; // the inner job's count after its Zrus
        std::vector<std::string> konec;
    } pripady[] = {
        {"ended whole before the cancel", false, 0, {"dokonci", "zniceno", "nezrusena 5000"}},
        {"held when cancelled", true, 0, {"dokonci", "zruseno", "zniceno", "dokonceni 0"}},
        {"released, the cancel unanswered",
         true,
         5000,
         {"dokonci", "zruseno", "zniceno", "nezrusena 5000"}},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        tZaznam zaznam;
        zaznam.poStornu = p.poStornu;
        std::atomic<bool> konci = false, stop = false;
        const tOdriznuti* odriznuti = nullptr; // the thread's
        zaznam.priDokonceni = [&] {
            konci = true;
            while (p.azPoOdriznuti ? !odriznuti->Odriznuto() : !stop)
                std::this_thread::sleep_for(1ms);
        };
        tSluzbyTisku sluzby = Sluzby(zaznam);
        sluzby.VytvorUlohu = [&, primo = sluzby.VytvorUlohu](const std::string& nazev,
                                                             const std::string& tiskarna) {
            return std::unique_ptr<tTiskovaUloha>(std::make_unique<tUlohaNaPozadi>(
                [&](tOdriznuti& o) {
                    odriznuti = &o;
                    return primo(nazev, tiskarna);
                },
                [&] {
                    if (!konci)
                        return true;
                    stop = true;
                    // Long enough for a job that does not wait for the cut to end meanwhile.
                    std::this_thread::sleep_for(100ms * Zpomaleni);
                    return false;
                }));
        };
        TiskniRucne(VzorovaEtiketa(), 5000, {"", "Jablko", "15"}, sluzby);
        std::vector<std::string> konec = p.konec; // the cursor goes back before the dialog
        konec.insert(konec.end() - 1, "kurzor normalni");
        ASSERT_GE(zaznam.udalosti.size(), konec.size());
        EXPECT_EQ(
            std::vector<std::string>(zaznam.udalosti.end() - konec.size(), zaznam.udalosti.end()),
            konec);
        EXPECT_EQ(zaznam.etiket, 5000);
    }
}

} // namespace

// A table file's import on the same kind of thread: the table of a file, of a FIFO whose writer
// comes late, and Storno while a FIFO waits for a writer that never comes; an error comes out
// on the caller's side.
TEST(UlohaNaPozadi, NacteniTabulky) {
    const tDocasnyAdresar adresar;
    ZapisBajty(adresar / "t.txt", "a\tb\nc\td\n");
    const std::string fifo = adresar / "fronta.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto nacti = [](const std::string& cesta, const tUlohaNaPozadi::tCekani& cekani,
                          std::optional<tNactenaTabulka>& nova) {
        std::atomic<long long> precteno{0}, velikost{0};
        return ProvedNaPozadi(
            [&](const std::atomic<bool>& zrusit) {
                nova = NactiTabulku(cesta, {}, zrusit, precteno, velikost);
            },
            cekani);
    };
    std::optional<tNactenaTabulka> nova;
    ASSERT_TRUE(nacti(
        adresar / "t.txt", [] { return true; }, nova));
    ASSERT_TRUE(nova);
    EXPECT_EQ(nova->Tabulka.Bunka(2, 2), "d");

    nova.reset();
    std::thread pisatel([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        tDeskriptor f(::open(fifo.c_str(), O_WRONLY | O_CLOEXEC));
        ASSERT_EQ(ZapisVse(f.Fd(), "x\ty\n"), 0);
    });
    EXPECT_TRUE(nacti(
        fifo, [] { return true; }, nova));
    pisatel.join();
    ASSERT_TRUE(nova);
    EXPECT_EQ(nova->Tabulka.Bunka(2, 1), "y");

    nova.reset();
    int dotazu = 0; // Storno at the fifth wait: the FIFO has no writer
    EXPECT_FALSE(nacti(
        fifo, [&] { return ++dotazu < 5; }, nova));
    EXPECT_FALSE(nova);
    EXPECT_THROW(nacti(
                     adresar / "neni.txt", [] { return true; }, nova),
                 eSouborTabulky);
}
