#include "core/Kodovani.h"

#include "core/KodovaciTabulky.h"
#include "core/Win1250.h"

#include <array>

// The reverse tables are derived from the forward ones, so that the two can never disagree.

namespace {

// Printer byte -> Windows-1250 byte, -1 for none.
using tZpet = std::array<int16_t, 256>;

// The bytes that Windows-1250 leaves without a character (and the euro sign, which no
// printer table has): the conversions pass them through unchanged.
bool BezZnaku(int bajt) {
    return bajt == 0x80 || bajt == 0x81 || bajt == 0x83 || bajt == 0x88 || bajt == 0x90 ||
           bajt == 0x98;
}

tZpet Identita() {
    tZpet zpet{};
    for (int b = 0; b < 256; ++b)
        zpet[static_cast<size_t>(b)] = static_cast<int16_t>(b);
    return zpet;
}

// Mode 0 and the unknown modes send Windows-1250 as it is.
tZpet ZpetWin1250() {
    tZpet zpet = Identita();
    for (int b = 0x80; b < 0x100; ++b)
        if (b != 0x80 && BezZnaku(b))
            zpet[static_cast<size_t>(b)] = -1;
    return zpet;
}

// A table mode: the character whose conversion gives the byte. A byte that a real character
// converts to wins over one merely passed through (Kamenický 80 is "Č", not the euro sign);
// a byte only passed through stands for nothing the printer prints as a character.
tZpet ZpetTabulky(const std::array<uint8_t, 128>& tabulka) {
    tZpet zpet = Identita();
    for (int b = 0x80; b < 0x100; ++b)
        zpet[static_cast<size_t>(b)] = -1;
    for (int vstup = 0x80; vstup < 0x100; ++vstup) {
        const uint8_t vystup = tabulka[static_cast<size_t>(vstup - 0x80)];
        if (vystup < 0x80 || BezZnaku(vstup))
            continue;
        if (zpet[vystup] < 0)
            zpet[vystup] = static_cast<int16_t>(vstup);
    }
    return zpet;
}

tZpet ZpetOem(const std::array<char16_t, 128>& unicode) {
    tZpet zpet = Identita();
    for (int b = 0x80; b < 0x100; ++b)
        zpet[static_cast<size_t>(b)] =
            static_cast<int16_t>(UnicodeNaWin1250(unicode[static_cast<size_t>(b - 0x80)]));
    return zpet;
}

const tZpet& Zpet(tKodovani kodovani) {
    static const tZpet win1250 = ZpetWin1250();
    static const tZpet ascii = ZpetTabulky(TabulkaAscii);
    static const tZpet kamenicky = ZpetTabulky(TabulkaKamenicky);
    static const tZpet cp852 = ZpetTabulky(TabulkaCp852);
    static const tZpet iso = ZpetTabulky(TabulkaIso88592);
    static const std::array<tZpet, 3> oem = {ZpetOem(UnicodeCp437), ZpetOem(UnicodeCp850),
                                             ZpetOem(UnicodeCp852)};
    switch (kodovani) {
    case tKodovani::Oem:
        return oem[static_cast<size_t>(OemStrankaPocitace())];
    case tKodovani::Ascii:
        return ascii;
    case tKodovani::Kamenicky:
        return kamenicky;
    case tKodovani::Cp852:
        return cp852;
    case tKodovani::Iso88592:
        return iso;
    default:
        return win1250;
    }
}

} // namespace

int ZnakTiskarny(tKodovani kodovani, unsigned char bajt) {
    return Zpet(kodovani)[bajt];
}
