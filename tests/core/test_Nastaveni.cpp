// Layouts, the selected layout and the manual values in the settings file.

#include "tests/podpora/DocasnyAdresar.h"

#include "core/Chyba.h"
#include "core/Nastaveni.h"
#include "core/UNI.h"
#include "core/Win1250.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The lines of a file written by the program, without their CR LF.
std::vector<std::string> Radky(const std::string& obsah) {
    std::vector<std::string> radky;
    size_t i = 0;
    while (i < obsah.size()) {
        size_t konec = obsah.find("\r\n", i);
        radky.push_back(obsah.substr(i, konec - i));
        i = konec + 2;
    }
    return radky;
}

// A set whose every value differs from every other and from the defaults.
tPopisEtiket Vyplnena() {
    tPopisEtiket p{};
    for (int e = 0; e < PocetEtiket; ++e) {
        auto& o = p[e];
        const std::string c = std::to_string(e);
        o.Nazev = "N\xe1zev " + c;
        o.Tiskarna = "tisk" + c;
        o.Kodovani = static_cast<int16_t>(-100 - e);
        for (int f = 1; f <= PocetPoli; ++f)
            o.Pole[f] = "pole" + c + "_" + std::to_string(f);
        o.PocetRadkuOblepky = 10 + e;
        o.RadkuPred = 20 + e;
        o.RadkuPo = 30 + e;
        o.StdPocet = 40 + e;
        o.InitKody = "#27 init" + c;
        o.KodyOdradkovani = "#12 konec" + c;
        o.PoleSPoctem = 50 + e;
        for (int r = 1; r <= PocetRadku; ++r) {
            o.Radky[r].HrZleva = 100 * e + r;
            o.Radky[r].HrDelka = -1000 * e - r;
            o.Radky[r].HrText = "{" + std::to_string(r) + "} " + c;
        }
    }
    return p;
}

TEST(Nastaveni, ZapisOdNicehoVPoradi) {
    tDocasnyAdresar adresar;
    auto ini = tIniSoubor::ZTextu(adresar / "Oblepky.ini", "");
    UlozNastaveni(ini, tPopisEtiket{}, 2);
    tRucniHodnoty rucni{};
    rucni[3] = "tri";
    ZapisRucniHodnoty(ini, rucni);
    ini.UpdateFile();

    std::vector<std::string> ocekavano = {"[Config]", "LastEtiketa=2", ""};
    for (int n = 1; n <= 5; ++n) {
        ocekavano.push_back("[Layout" + std::to_string(n) + "]");
        for (const char* k : {"Nazev=", "Tiskarna="})
            ocekavano.push_back(k);
        for (int f = 1; f <= 20; ++f)
            ocekavano.push_back((f < 10 ? "Field0" : "Field") + std::to_string(f) + "=");
        for (const char* k : {"Kodovani=0", "PocetRadkuOblepky=0", "RadkuPred=0", "RadkuPo=0",
                              "KodyOdradkovani=", "InitKody=", "StdPocet=0", "PoleSPoctem=0"})
            ocekavano.push_back(k);
        for (int r = 1; r <= 5; ++r)
            for (const char* k : {"HrZleva#=0", "HrDelka#=0", "HrText#="}) {
                std::string radek = k;
                radek.replace(radek.find('#'), 1, std::to_string(r));
                ocekavano.push_back(radek);
            }
        ocekavano.push_back("");
    }
    ocekavano.push_back("[Last]");
    for (int f = 1; f <= 20; ++f)
        ocekavano.push_back((f < 10 ? "Field0" : "Field") + std::to_string(f) +
                            (f == 3 ? "=tri" : "="));
    ocekavano.push_back("");
    EXPECT_EQ(Radky(PrectiBajty(ini.Cesta())), ocekavano);
}

TEST(Nastaveni, VychoziHodnotyAVymazaniCile) {
    auto ini = tIniSoubor::ZTextu("x.ini", "");
    tPopisEtiket cil = Vyplnena(); // also entries 0 of Pole and Radky must end up cleared
    cil[0].Pole[0] = "x";
    cil[4].Radky[0].HrText = "y";
    int16_t last = 4;
    NactiNastaveni(ini, cil, last);
    EXPECT_EQ(last, 0);
    for (int e = 0; e < PocetEtiket; ++e) {
        tPopisOblepky o{};
        o.Nazev = Utf8NaWin1250("Formát oblepky č. ") + std::to_string(e + 1);
        for (int f = 1; f <= PocetPoli; ++f)
            o.Pole[f] = Utf8NaWin1250("Pole č. ") + std::to_string(f);
        o.PocetRadkuOblepky = 3;
        o.StdPocet = 1;
        o.PoleSPoctem = 1;
        for (int r = 1; r <= PocetRadku; ++r)
            o.Radky[r].HrDelka = 80;
        EXPECT_EQ(cil[e], o) << "layout " << e;
    }
}

TEST(Nastaveni, TamAZpet) {
    tDocasnyAdresar adresar;
    const tPopisEtiket puvodni = Vyplnena();
    {
        auto ini = tIniSoubor::ZTextu(adresar / "Oblepky.ini", "");
        UlozNastaveni(ini, puvodni, 3);
    }
    tPopisEtiket cil{};
    int16_t last = 0;
    NactiNastaveni(tIniSoubor(adresar / "Oblepky.ini"), cil, last);
    EXPECT_EQ(cil, puvodni);
    EXPECT_EQ(last, 3);
}

// Manual values are read in any case and written in place; exit without changed layouts
// writes only them.
TEST(Nastaveni, RucniHodnoty) {
    auto prazdny = tIniSoubor::ZTextu("x.ini", "");
    ZapisRucniHodnoty(prazdny, tRucniHodnoty{});
    EXPECT_EQ(prazdny.Obsah().find("[Last]\r\nField01=\r\n"), 0u);
    EXPECT_EQ(prazdny.Obsah().find("[", 1), std::string::npos);

    auto ini = tIniSoubor::ZTextu("x.ini", "[last]\r\nfield07=sedm\r\nField20=\r\n");
    tRucniHodnoty h = NactiRucniHodnoty(ini);
    EXPECT_EQ(h[7], "sedm");
    EXPECT_EQ(h[1], "");
    h[20] = "dvacet";
    ZapisRucniHodnoty(ini, h);
    EXPECT_EQ(NactiRucniHodnoty(ini), h);
    EXPECT_EQ(Radky(ini.Obsah()).front(), "[last]");
    EXPECT_EQ(Radky(ini.Obsah())[1], "Field07=sedm"); // the writer's spelling, in place
}

TEST(Nastaveni, UlozisteTamAZpet) {
    tDocasnyAdresar adresar;
    tUlozisteNastaveni uloziste(adresar / "Oblepky.ini");
    tStav stav{Vyplnena(), 4, true};
    tRucniHodnoty rucni{};
    rucni[2] = "dva";
    uloziste.Uloz(stav, rucni);
    const tNastaveni nactene = tUlozisteNastaveni(adresar / "Oblepky.ini").Nacti();
    EXPECT_EQ(nactene, (tNastaveni{{Vyplnena(), 4, false}, rucni}));

    EXPECT_THROW(tUlozisteNastaveni(adresar / "chybi/Oblepky.ini").Uloz(stav, rucni), eChyba);
}

// Two copies of the program on one file: B started before A saved, and B's exit must not
// undo what A saved. Each copy writes only what it changed itself.
TEST(Nastaveni, DveKopieNeprepisujiCiziZmeny) {
    struct tPripad {
        const char* nazev;
        std::function<void(tStav&, tRucniHodnoty&)> zmenaB;
        std::string nazevEtikety1; // in the file after both exits
        int16_t last;
        std::string pole1, pole2; // [Last] Field01, Field02
    } pripady[] = {
        {"B vybral jinou etiketu", [](tStav& s, tRucniHodnoty&) { s.LastEtiketa = 2; }, "A", 2, "a",
         ""},
        {"B dal OK beze zmeny", [](tStav&, tRucniHodnoty&) {}, "A", 1, "a", ""},
        {"B prejmenoval tutez", [](tStav& s, tRucniHodnoty&) { s.PopisEtiket[0].Nazev = "B"; }, "B",
         1, "a", ""},
        {"B psal jine pole", [](tStav&, tRucniHodnoty& r) { r[2] = "b"; }, "A", 1, "a", "b"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        tDocasnyAdresar adresar;
        const std::string soubor = adresar / "Oblepky.ini";
        {
            auto ini = tIniSoubor::ZTextu(soubor, "");
            UlozNastaveni(ini, tPopisEtiket{}, 1);
        }
        tUlozisteNastaveni b(soubor);
        tNastaveni nb = b.Nacti();
        tUlozisteNastaveni a(soubor);
        tNastaveni na = a.Nacti();

        na.Stav.PopisEtiket[0].Nazev = "A";
        na.Stav.Zmeneno = true;
        na.Rucni[1] = "a";
        a.Uloz(na.Stav, na.Rucni);

        nb.Stav.Zmeneno = true;
        p.zmenaB(nb.Stav, nb.Rucni);
        b.Uloz(nb.Stav, nb.Rucni);

        const tNastaveni vysledek = tUlozisteNastaveni(soubor).Nacti();
        EXPECT_EQ(vysledek.Stav.PopisEtiket[0].Nazev, p.nazevEtikety1);
        EXPECT_EQ(vysledek.Stav.LastEtiketa, p.last);
        EXPECT_EQ(vysledek.Rucni[1], p.pole1);
        EXPECT_EQ(vysledek.Rucni[2], p.pole2);
    }
}

} // namespace
