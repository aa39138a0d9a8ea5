#include "core/Nastaveni.h"

#include "core/KliceNastaveni.h"

#include <type_traits>

namespace {

void NactiEtiketu(const tIniSoubor& ini, int cislo, tPopisOblepky& e) {
    const std::string s = SekceEtikety(cislo);
    ProKliceEtikety(
        cislo,
        [&](const tKlicEtikety& k, auto& hodnota) {
            if constexpr (std::is_same_v<std::decay_t<decltype(hodnota)>, std::string>)
                hodnota = ini.ReadString(s, k.Nazev, k.VychoziText);
            else // a 16-bit field keeps the low 16 bits of what the file says
                hodnota = static_cast<std::decay_t<decltype(hodnota)>>(
                    ini.ReadInteger(s, k.Nazev, k.VychoziCislo));
        },
        e);
}

void ZapisEtiketu(tIniSoubor& ini, int cislo, const tPopisOblepky& e) {
    const std::string s = SekceEtikety(cislo);
    ProKliceEtikety(
        cislo,
        [&](const tKlicEtikety& k, const auto& hodnota) {
            if constexpr (std::is_same_v<std::decay_t<decltype(hodnota)>, std::string>)
                ini.WriteString(s, k.Nazev, hodnota);
            else
                ini.WriteInteger(s, k.Nazev, hodnota);
        },
        e);
}

// What this copy changed against the base replaces what the file holds now.
template <class T> void Prevezmi(T& vysledek, const T& nase, const T& zaklad) {
    if (nase != zaklad)
        vysledek = nase;
}

} // namespace

void NactiNastaveni(const tIniSoubor& ini, tPopisEtiket& cil, int16_t& lastEtiketa) {
    // The index selects one of the five layouts; anything else would select none.
    auto vybrana = static_cast<int16_t>(
        ini.ReadInteger(SekceConfig, KlicLastEtiketa.Nazev, KlicLastEtiketa.VychoziCislo));
    lastEtiketa = vybrana >= KlicLastEtiketa.Rozsah.Od && vybrana <= KlicLastEtiketa.Rozsah.Do
                      ? vybrana
                      : static_cast<int16_t>(KlicLastEtiketa.VychoziCislo);
    cil = tPopisEtiket{};
    for (int i = 0; i < PocetEtiket; ++i)
        NactiEtiketu(ini, i + 1, cil[i]);
}

void ZapisNastaveni(tIniSoubor& ini, const tPopisEtiket& popis, int16_t lastEtiketa) {
    ini.WriteInteger(SekceConfig, KlicLastEtiketa.Nazev, lastEtiketa);
    for (int i = 0; i < PocetEtiket; ++i)
        ZapisEtiketu(ini, i + 1, popis[i]);
}

void UlozNastaveni(tIniSoubor& ini, const tPopisEtiket& popis, int16_t lastEtiketa) {
    ZapisNastaveni(ini, popis, lastEtiketa);
    ini.UpdateFile();
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

namespace {

tNastaveni Precti(const tIniSoubor& ini) {
    tNastaveni n;
    NactiNastaveni(ini, n.Stav.PopisEtiket, n.Stav.LastEtiketa);
    n.Rucni = NactiRucniHodnoty(ini);
    return n;
}

} // namespace

tNastaveni tUlozisteNastaveni::Nacti() {
    nacteno_ = Precti(tIniSoubor(cesta_));
    return *nacteno_;
}

void tUlozisteNastaveni::Uloz(const tStav& stav, const tRucniHodnoty& rucni) {
    tIniSoubor ini(cesta_);
    tNastaveni nove{stav, rucni};
    if (nacteno_) {
        // Another copy may have saved since this one read the file: start from the file as
        // it is now and take over what this copy changed since it read it.
        nove = Precti(ini);
        for (int p = 1; p <= PocetPoli; ++p)
            Prevezmi(nove.Rucni[p], rucni[p], nacteno_->Rucni[p]);
        Prevezmi(nove.Stav.LastEtiketa, stav.LastEtiketa, nacteno_->Stav.LastEtiketa);
        auto prevezmi = [](const tKlicEtikety&, auto& vysledek, const auto& nase,
                           const auto& puvodni) { Prevezmi(vysledek, nase, puvodni); };
        for (int i = 0; i < PocetEtiket; ++i)
            ProKliceEtikety(i + 1, prevezmi, nove.Stav.PopisEtiket[i], stav.PopisEtiket[i],
                            nacteno_->Stav.PopisEtiket[i]);
    }
    if (stav.Zmeneno)
        ZapisNastaveni(ini, nove.Stav.PopisEtiket, nove.Stav.LastEtiketa);
    ZapisRucniHodnoty(ini, nove.Rucni);
    ini.UpdateFile();
    nove.Stav.Zmeneno = false;
    nacteno_ = nove;
}
