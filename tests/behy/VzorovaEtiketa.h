#pragma once
// The worked example's layout and the bytes of one of its labels, for the run tests.

#include "core/PopisEtiket.h"
#include "tests/podpora/ZachytUlohy.h"

#include <string>

namespace behy_test {

using namespace podpora;

// The layout of the worked example: init codes 27 64, one row before, three rows per
// label ("{1}" indented by 2, "Cena: {2,5*}"), form feed after each label.
inline tPopisOblepky VzorovaEtiketa(const std::string& tiskarna = "Stitky") {
    tPopisOblepky p;
    p.Tiskarna = tiskarna;
    p.InitKody = "27 64";
    p.RadkuPred = 1;
    p.PocetRadkuOblepky = 3;
    for (int i = 1; i <= PocetRadku; ++i)
        p.Radky[i].HrDelka = 80;
    p.Radky[1].HrZleva = 2;
    p.Radky[1].HrText = "{1}";
    p.Radky[2].HrText = "Cena: {2,5*}";
    p.KodyOdradkovani = "12";
    return p;
}

inline const std::string VzorovyBlok = "  Jablko\r\nCena:    15\r\n\r\n\x0C";

} // namespace behy_test
