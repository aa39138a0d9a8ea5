#pragma once
// Every key of the settings file in one place: section, key, the member it fills, its
// default and, for numbers, the range the settings dialog edits. Reading, writing, merging
// and the dialog all go through this list.

#include "core/PopisEtiket.h"

#include <cstdint>
#include <string>

// A number's edit range in the settings dialog, both ends included.
struct tRozsah {
    int32_t Od = 0;
    int32_t Do = 0;
};

struct tKlic {
    const char* Nazev;
    int32_t VychoziCislo; // default of a number key
    tRozsah Rozsah;       // edit range of a number key
};

inline constexpr const char* SekceConfig = "Config";
inline constexpr const char* SekceLast = "Last";
inline constexpr tKlic KlicLastEtiketa{"LastEtiketa", 0, {0, PocetEtiket - 1}};

inline constexpr tKlic KlicKodovani{"Kodovani", 0, {0, 5}};
inline constexpr tKlic KlicPocetRadkuOblepky{"PocetRadkuOblepky", 3, {1, 50}};
inline constexpr tKlic KlicRadkuPred{"RadkuPred", 0, {0, 100}};
inline constexpr tKlic KlicRadkuPo{"RadkuPo", 0, {0, 100}};
inline constexpr tKlic KlicStdPocet{"StdPocet", 1, {0, 10000}};
inline constexpr tKlic KlicPoleSPoctem{"PoleSPoctem", 1, {0, 200}};
inline constexpr tKlic KlicHrZleva{"HrZleva", 0, {0, 100}}; // + the line number 1..5
inline constexpr tKlic KlicHrDelka{"HrDelka", 80, {0, 200}};
inline constexpr const char* KlicHrText = "HrText";

// "Layout1" .. "Layout5" for layout number 1..5.
std::string SekceEtikety(int cislo);
// "Field01" .. "Field20", in layout sections and in section "Last".
std::string KlicPole(int cislo);
std::string VychoziNazev(int cislo); // "Formát oblepky č. N"
std::string VychoziPole(int cislo);  // "Pole č. N"

// One key as a visitor sees it: its name in the file and its default.
struct tKlicEtikety {
    std::string Nazev;
    std::string VychoziText; // text keys
    int32_t VychoziCislo;    // number keys
};

// Calls f(klic, member of each layout...) for every key of layout number `cislo` (1..5), in
// the order the file is read and written. Several layouts go side by side, so one visit can
// read, write or compare them.
template <class F, class... tPopis> void ProKliceEtikety(int cislo, F&& f, tPopis&... e) {
    auto text = [](std::string nazev, std::string vychozi) {
        return tKlicEtikety{std::move(nazev), std::move(vychozi), 0};
    };
    auto cislo_ = [](std::string nazev, const tKlic& k) {
        return tKlicEtikety{std::move(nazev), {}, k.VychoziCislo};
    };
    f(text("Nazev", VychoziNazev(cislo)), e.Nazev...);
    f(text("Tiskarna", ""), e.Tiskarna...);
    for (int p = 1; p <= PocetPoli; ++p)
        f(text(KlicPole(p), VychoziPole(p)), e.Pole[p]...);
    f(cislo_(KlicKodovani.Nazev, KlicKodovani), e.Kodovani...);
    f(cislo_(KlicPocetRadkuOblepky.Nazev, KlicPocetRadkuOblepky), e.PocetRadkuOblepky...);
    f(cislo_(KlicRadkuPred.Nazev, KlicRadkuPred), e.RadkuPred...);
    f(cislo_(KlicRadkuPo.Nazev, KlicRadkuPo), e.RadkuPo...);
    f(text("KodyOdradkovani", ""), e.KodyOdradkovani...);
    f(text("InitKody", ""), e.InitKody...);
    f(cislo_(KlicStdPocet.Nazev, KlicStdPocet), e.StdPocet...);
    f(cislo_(KlicPoleSPoctem.Nazev, KlicPoleSPoctem), e.PoleSPoctem...);
    for (int r = 1; r <= PocetRadku; ++r) {
        const std::string n = std::to_string(r);
        f(cislo_(KlicHrZleva.Nazev + n, KlicHrZleva), e.Radky[r].HrZleva...);
        f(cislo_(KlicHrDelka.Nazev + n, KlicHrDelka), e.Radky[r].HrDelka...);
        f(text(KlicHrText + n, ""), e.Radky[r].HrText...);
    }
}
