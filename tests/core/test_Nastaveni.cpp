// Layouts, the selected layout and the manual values in the settings file.

#include "DocasnyAdresar.h"

#include "Chyba.h"
#include "Nastaveni.h"
#include "UNI.h"
#include "Win1250.h"

#include <gtest/gtest.h>

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
        for (const char* r :
             {"Nazev=",      "Tiskarna=",     "Field01=",         "Field02=",
              "Field03=",    "Field04=",      "Field05=",         "Field06=",
              "Field07=",    "Field08=",      "Field09=",         "Field10=",
              "Field11=",    "Field12=",      "Field13=",         "Field14=",
              "Field15=",    "Field16=",      "Field17=",         "Field18=",
              "Field19=",    "Field20=",      "Kodovani=0",       "PocetRadkuOblepky=0",
              "RadkuPred=0", "RadkuPo=0",     "KodyOdradkovani=", "InitKody=",
              "StdPocet=0",  "PoleSPoctem=0", "HrZleva1=0",       "HrDelka1=0",
              "HrText1=",    "HrZleva2=0",    "HrDelka2=0",       "HrText2=",
              "HrZleva3=0",  "HrDelka3=0",    "HrText3=",         "HrZleva4=0",
              "HrDelka4=0",  "HrText4=",      "HrZleva5=0",       "HrDelka5=0",
              "HrText5="})
            ocekavano.push_back(r);
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

TEST(Nastaveni, RucniHodnoty) {
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

// Exit without changed layouts: the file holds only the manual values.
TEST(Nastaveni, BezSouboruJenLast) {
    auto ini = tIniSoubor::ZTextu("x.ini", "");
    ZapisRucniHodnoty(ini, tRucniHodnoty{});
    EXPECT_EQ(ini.Obsah().find("[Last]\r\nField01=\r\n"), 0u);
    EXPECT_EQ(ini.Obsah().find("[", 1), std::string::npos);
}

TEST(Nastaveni, SdilenyStav) {
    tDocasnyAdresar adresar;
    const std::string puvodniAdresar = AdresarProgramu;
    AdresarProgramu = adresar.Cesta().string() + "/";
    LastEtiketa = 4;
    UlozNastaveni(Vyplnena());
    LastEtiketa = 0;
    tPopisEtiket cil{};
    NactiNastaveni(cil);
    EXPECT_EQ(cil, Vyplnena());
    EXPECT_EQ(LastEtiketa, 4);

    AdresarProgramu = adresar.Cesta().string() + "/chybi/";
    EXPECT_THROW(UlozNastaveni(Vyplnena()), eChyba);
    AdresarProgramu = puvodniAdresar;
    LastEtiketa = 0;
}

} // namespace
