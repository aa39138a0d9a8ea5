#pragma once
// The layout the printer tests print with: codes before and after, two template lines, the
// count in column 2.

#include "core/PopisEtiket.h"

#include <string>

inline tPopisOblepky Rozvrzeni(const std::string& fronta) {
    tPopisOblepky p;
    p.Tiskarna = fronta;
    p.InitKody = "27 64";
    p.KodyOdradkovani = "12";
    p.PocetRadkuOblepky = 2;
    p.PoleSPoctem = 2;
    p.Radky[1] = {0, 80, "{1} {0}"};
    p.Radky[2] = {2, 80, "Cena: {3,6*}"};
    return p;
}
