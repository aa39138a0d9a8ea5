// The settings from arbitrary settings-file text: read the layouts, write every key the program
// uses into a fresh in-memory file and into the file read, read both back, and the values must
// come back unchanged. The written text must also read back into itself. Each input writes and
// reads all of the program's keys (about 250) twice, so this runs a few hundred inputs a
// second; the file model alone is fuzzed faster by fuzz_ini.
// Floor: 40 executions a second: the work per input is the program's whole key list, four
// times over, whatever the input; from an empty corpus the 2-core CI machine ran 89 to 194 a
// second, and below 40 a CI run covers too few inputs to mean much.

#include "core/IniSoubor.h"
#include "core/Nastaveni.h"
#include "tests/fuzz/Kontrola.h"

#include <string>
#include <string_view>

namespace {

// The keys in the order the program writes them, without touching the disk.
void ZapisKlice(tIniSoubor& ini, const tPopisEtiket& popis, int16_t last,
                const tRucniHodnoty& rucne) {
    ZapisNastaveni(ini, popis, last);
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
