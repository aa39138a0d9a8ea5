// The job that sends on a thread of its own: the inner job gets the same bytes, label ends,
// end of document and count as when the run writes to it directly, also when it fails or
// the run is stopped.

#include "core/Chyba.h"
#include "output/UlohaNaPozadi.h"
#include "tests/behy/VzorovaEtiketa.h"

#include <gtest/gtest.h>

using namespace behy_test;

namespace {

struct tVysledek {
    std::string bajty, chyba;
    long long etiket = 0;
    std::vector<std::string> udalosti;
};

tVysledek Beh(tZaznam zaznam, bool naPozadi, bool chybaBehu) {
    tSluzbyTisku sluzby = Sluzby(zaznam);
    if (chybaBehu) // the run fails between two labels, with labels still on the way
        sluzby.Pokrok = [](long long, long long) -> bool { throw eChyba("beh"); };
    if (naPozadi)
        sluzby.VytvorUlohu = [&, primo = sluzby.VytvorUlohu](const std::string& nazev,
                                                             const std::string& tiskarna) {
            return std::unique_ptr<tTiskovaUloha>(
                std::make_unique<tUlohaNaPozadi>(primo(nazev, tiskarna)));
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
    } pripady[] = {
        {"vse"},
        {"selzeDokonceni", -1, true},
        {"selzeZapis", 100, false, -1, false},
        {"storno", -1, false, 4096, false},
        {"chybaBehu", -1, false, -1, true, true},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        tZaznam zaznam;
        zaznam.selzeZapis = p.selzeZapis;
        zaznam.selzeDokonceni = p.selzeDokonceni;
        zaznam.stornoPo = p.stornoPo;
        const tVysledek primo = Beh(zaznam, false, p.chybaBehu),
                        naPozadi = Beh(zaznam, true, p.chybaBehu);
        EXPECT_EQ(naPozadi.udalosti, primo.udalosti); // the end, the count in the dialog
        EXPECT_EQ(naPozadi.chyba, primo.chyba);
        if (p.stejneBajty) {
            EXPECT_EQ(naPozadi.bajty, primo.bajty);
            EXPECT_EQ(naPozadi.etiket, primo.etiket);
        }
    }
}

} // namespace
