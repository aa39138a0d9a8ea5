#pragma once
// The label layout records. A value-initialised record is "cleared": every text
// empty, every number 0. Records copy by value.

#include <array>
#include <cstdint>
#include <string>

inline constexpr int PocetPoli = 20;     // fields 1 to 20 of a layout
inline constexpr int PocetRadku = 5;     // template lines 1 to 5 of a layout
inline constexpr int PocetEtiket = 5;    // layouts 0 to 4
inline constexpr int NejvicKopii = 1000; // the largest copy count of a run

// One template line of a layout.
struct tPopisRadku {
    int32_t HrZleva = 0; // blanks before a non-empty line
    int32_t HrDelka = 0; // maximum length after expansion, before the offset
    std::string HrText;  // the template
    bool operator==(const tPopisRadku&) const = default;
};

// One layout. Pole and Radky are indexed from 1; entry 0 is unused and stays empty.
struct tPopisOblepky {
    std::string Nazev;
    std::string Tiskarna;
    int16_t Kodovani = 0;
    std::array<std::string, PocetPoli + 1> Pole{};
    int32_t PocetRadkuOblepky = 0;
    int32_t RadkuPred = 0;
    int32_t RadkuPo = 0;
    int32_t StdPocet = 0;
    std::string InitKody;
    std::string KodyOdradkovani;
    int32_t PoleSPoctem = 0;
    std::array<tPopisRadku, PocetRadku + 1> Radky{};
    bool operator==(const tPopisOblepky&) const = default;
};

using tPopisEtiket = std::array<tPopisOblepky, PocetEtiket>;

// The twenty manual field values, indexed from 1 like Pole; entry 0 unused.
using tRucniHodnoty = std::array<std::string, PocetPoli + 1>;
