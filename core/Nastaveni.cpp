#include "Nastaveni.h"

#include "UNI.h"
#include "Win1250.h"

#include <cstdio>

namespace {

const char* const SekceConfig = "Config";
const char* const SekceLast = "Last";

std::string SekceEtikety(int cislo) {
    return "Layout" + std::to_string(cislo);
}

// "Field01" .. "Field20"
std::string KlicPole(int cislo) {
    char klic[32];
    std::snprintf(klic, sizeof klic, "Field%.2d", cislo);
    return klic;
}

std::string KlicRadku(const char* predpona, int radek) {
    return predpona + std::to_string(radek);
}

std::string VychoziNazev(int cislo) {
    return Utf8NaWin1250("Formát oblepky č. ") + std::to_string(cislo);
}

std::string VychoziPole(int cislo) {
    return Utf8NaWin1250("Pole č. ") + std::to_string(cislo);
}

void NactiEtiketu(const tIniSoubor& ini, int cislo, tPopisOblepky& e) {
    const std::string s = SekceEtikety(cislo);
    e.Nazev = ini.ReadString(s, "Nazev", VychoziNazev(cislo));
    e.Tiskarna = ini.ReadString(s, "Tiskarna", "");
    for (int p = 1; p <= PocetPoli; ++p)
        e.Pole[p] = ini.ReadString(s, KlicPole(p), VychoziPole(p));
    // The encoding is a 16-bit field: it keeps the low 16 bits of what the file says.
    e.Kodovani = static_cast<int16_t>(ini.ReadInteger(s, "Kodovani", 0));
    e.PocetRadkuOblepky = ini.ReadInteger(s, "PocetRadkuOblepky", 3);
    e.RadkuPred = ini.ReadInteger(s, "RadkuPred", 0);
    e.RadkuPo = ini.ReadInteger(s, "RadkuPo", 0);
    e.KodyOdradkovani = ini.ReadString(s, "KodyOdradkovani", "");
    e.InitKody = ini.ReadString(s, "InitKody", "");
    e.StdPocet = ini.ReadInteger(s, "StdPocet", 1);
    e.PoleSPoctem = ini.ReadInteger(s, "PoleSPoctem", 1);
    for (int r = 1; r <= PocetRadku; ++r) {
        tPopisRadku& radek = e.Radky[r];
        radek.HrZleva = ini.ReadInteger(s, KlicRadku("HrZleva", r), 0);
        radek.HrDelka = ini.ReadInteger(s, KlicRadku("HrDelka", r), 80);
        radek.HrText = ini.ReadString(s, KlicRadku("HrText", r), "");
    }
}

void UlozEtiketu(tIniSoubor& ini, int cislo, const tPopisOblepky& e) {
    const std::string s = SekceEtikety(cislo);
    ini.WriteString(s, "Nazev", e.Nazev);
    ini.WriteString(s, "Tiskarna", e.Tiskarna);
    for (int p = 1; p <= PocetPoli; ++p)
        ini.WriteString(s, KlicPole(p), e.Pole[p]);
    ini.WriteInteger(s, "Kodovani", e.Kodovani);
    ini.WriteInteger(s, "PocetRadkuOblepky", e.PocetRadkuOblepky);
    ini.WriteInteger(s, "RadkuPred", e.RadkuPred);
    ini.WriteInteger(s, "RadkuPo", e.RadkuPo);
    ini.WriteString(s, "KodyOdradkovani", e.KodyOdradkovani);
    ini.WriteString(s, "InitKody", e.InitKody);
    ini.WriteInteger(s, "StdPocet", e.StdPocet);
    ini.WriteInteger(s, "PoleSPoctem", e.PoleSPoctem);
    for (int r = 1; r <= PocetRadku; ++r) {
        const tPopisRadku& radek = e.Radky[r];
        ini.WriteInteger(s, KlicRadku("HrZleva", r), radek.HrZleva);
        ini.WriteInteger(s, KlicRadku("HrDelka", r), radek.HrDelka);
        ini.WriteString(s, KlicRadku("HrText", r), radek.HrText);
    }
}

} // namespace

void NactiNastaveni(const tIniSoubor& ini, tPopisEtiket& cil, int16_t& lastEtiketa) {
    // The index selects one of the five layouts; anything else would select none.
    auto vybrana = static_cast<int16_t>(ini.ReadInteger(SekceConfig, "LastEtiketa", 0));
    lastEtiketa = vybrana >= 0 && vybrana < PocetEtiket ? vybrana : 0;
    cil = tPopisEtiket{};
    for (int i = 0; i < PocetEtiket; ++i)
        NactiEtiketu(ini, i + 1, cil[i]);
}

void ZapisNastaveni(tIniSoubor& ini, const tPopisEtiket& popis, int16_t lastEtiketa) {
    ini.WriteInteger(SekceConfig, "LastEtiketa", lastEtiketa);
    for (int i = 0; i < PocetEtiket; ++i)
        UlozEtiketu(ini, i + 1, popis[i]);
}

void UlozNastaveni(tIniSoubor& ini, const tPopisEtiket& popis, int16_t lastEtiketa) {
    ZapisNastaveni(ini, popis, lastEtiketa);
    ini.UpdateFile();
}

void NactiNastaveni(tPopisEtiket& cil) {
    tIniSoubor ini(SouborNastaveni());
    NactiNastaveni(ini, cil, LastEtiketa);
}

void UlozNastaveni(const tPopisEtiket& popis) {
    tIniSoubor ini(SouborNastaveni());
    UlozNastaveni(ini, popis, LastEtiketa);
}

tRucniHodnoty NactiRucniHodnoty(const tIniSoubor& ini) {
    tRucniHodnoty hodnoty{};
    for (int p = 1; p <= PocetPoli; ++p)
        hodnoty[p] = ini.ReadString(SekceLast, KlicPole(p), "");
    return hodnoty;
}

void ZapisRucniHodnoty(tIniSoubor& ini, const tRucniHodnoty& hodnoty) {
    for (int p = 1; p <= PocetPoli; ++p)
        ini.WriteString(SekceLast, KlicPole(p), hodnoty[p]);
}
