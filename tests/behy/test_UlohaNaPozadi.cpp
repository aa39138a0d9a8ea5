// The job that sends on a thread of its own: the inner job gets the same bytes, label ends,
// end of document and count as when the run writes to it directly, also when it fails or
// the run is stopped; opened on the thread as well, also when it cannot open. A wait that
// the user stops ends the run as Storno does.

#include "core/Chyba.h"
#include "output/UlohaNaPozadi.h"
#include "tests/behy/VzorovaEtiketa.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

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

} // namespace
