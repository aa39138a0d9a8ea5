// The settings file from arbitrary text: read the layouts, write every key the program uses
// into a fresh in-memory file and into the file read, read both back, and the values must
// come back unchanged. The written text must also read back into itself.

#include "../../core/IniSoubor.h"
#include "../../core/Nastaveni.h"
#include "Kontrola.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

std::string Klic(const char* predpona, int cislo, const char* format = "%d") {
    char cislice[16];
    std::snprintf(cislice, sizeof cislice, format, cislo);
    return predpona + std::string(cislice);
}

// The keys in the order the program writes them, without touching the disk.
void ZapisKlice(tIniSoubor& ini, const tPopisEtiket& popis, int16_t last,
                const tRucniHodnoty& rucne) {
    ini.WriteInteger("Config", "LastEtiketa", last);
    for (int e = 0; e < PocetEtiket; ++e) {
        const tPopisOblepky& p = popis[static_cast<size_t>(e)];
        const std::string sekce = Klic("Layout", e + 1);
        ini.WriteString(sekce, "Nazev", p.Nazev);
        ini.WriteString(sekce, "Tiskarna", p.Tiskarna);
        for (int f = 1; f <= PocetPoli; ++f)
            ini.WriteString(sekce, Klic("Field", f, "%.2d"), p.Pole[static_cast<size_t>(f)]);
        ini.WriteInteger(sekce, "Kodovani", p.Kodovani);
        ini.WriteInteger(sekce, "PocetRadkuOblepky", p.PocetRadkuOblepky);
        ini.WriteInteger(sekce, "RadkuPred", p.RadkuPred);
        ini.WriteInteger(sekce, "RadkuPo", p.RadkuPo);
        ini.WriteString(sekce, "KodyOdradkovani", p.KodyOdradkovani);
        ini.WriteString(sekce, "InitKody", p.InitKody);
        ini.WriteInteger(sekce, "StdPocet", p.StdPocet);
        ini.WriteInteger(sekce, "PoleSPoctem", p.PoleSPoctem);
        for (int r = 1; r <= PocetRadku; ++r) {
            const tPopisRadku& radek = p.Radky[static_cast<size_t>(r)];
            ini.WriteInteger(sekce, Klic("HrZleva", r), radek.HrZleva);
            ini.WriteInteger(sekce, Klic("HrDelka", r), radek.HrDelka);
            ini.WriteString(sekce, Klic("HrText", r), radek.HrText);
        }
    }
    ZapisRucniHodnoty(ini, rucne);
}

void OverNavrat(const tIniSoubor& zapsany, const tPopisEtiket& popis, int16_t last,
                const tRucniHodnoty& rucne) {
    const tIniSoubor znovu = tIniSoubor::ZTextu("zpet.ini", zapsany.Obsah());
    tPopisEtiket precteno;
    int16_t lastPrecteno = -1;
    NactiNastaveni(znovu, precteno, lastPrecteno);
    KONTROLA(lastPrecteno == last);
    for (size_t e = 0; e < PocetEtiket; ++e)
        KONTROLA(precteno[e] == popis[e]);
    KONTROLA(NactiRucniHodnoty(znovu) == rucne);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tIniSoubor ini = tIniSoubor::ZTextu("fuzz.ini", text);

    // What the program writes reads back as itself.
    const std::string obsah = ini.Obsah();
    KONTROLA(tIniSoubor::ZTextu("fuzz.ini", obsah).Obsah() == obsah);

    tPopisEtiket popis;
    int16_t last = -1;
    NactiNastaveni(ini, popis, last);
    const tRucniHodnoty rucne = NactiRucniHodnoty(ini);

    tIniSoubor novy = tIniSoubor::ZTextu("novy.ini", "");
    ZapisKlice(novy, popis, last, rucne);
    OverNavrat(novy, popis, last, rucne);

    // Writing into the hand-edited file itself: whatever else it holds, the keys the
    // program uses come back as written.
    ZapisKlice(ini, popis, last, rucne);
    OverNavrat(ini, popis, last, rucne);
    const std::string zapsano = ini.Obsah();
    KONTROLA(tIniSoubor::ZTextu("fuzz.ini", zapsano).Obsah() == zapsano);
    return 0;
}
