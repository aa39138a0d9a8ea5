#include "core/Kodovani.h"

#include "core/KodovaciTabulky.h"

#include <array>
#include <cstring>

namespace {

// A mode's table over all 256 bytes (the lower half unchanged), so that converting is one
// look-up per byte without a branch.
using tPlnaTabulka = std::array<char, 256>;

tPlnaTabulka Plna(const std::array<uint8_t, 128>& horni) {
    tPlnaTabulka plna{};
    for (int b = 0; b < 128; ++b)
        plna[static_cast<size_t>(b)] = static_cast<char>(b);
    for (int b = 0; b < 128; ++b)
        plna[static_cast<size_t>(b) + 128] = static_cast<char>(horni[static_cast<size_t>(b)]);
    return plna;
}

// The table of a mode that converts by a fixed table; nullptr for the others.
const tPlnaTabulka* Tabulka(tKodovani kodovani) {
    static const tPlnaTabulka ascii = Plna(TabulkaAscii), kamenicky = Plna(TabulkaKamenicky),
                              cp852 = Plna(TabulkaCp852), iso88592 = Plna(TabulkaIso88592);
    switch (kodovani) {
    case tKodovani::Ascii:
        return &ascii;
    case tKodovani::Kamenicky:
        return &kamenicky;
    case tKodovani::Cp852:
        return &cp852;
    case tKodovani::Iso88592:
        return &iso88592;
    default:
        return nullptr;
    }
}

} // namespace

void PrevedKodovaniNaMiste(tKodovani kodovani, char* data, size_t delka) {
    if (kodovani == tKodovani::Oem) {
        PrevedDoOem(OemStrankaPocitace(), data, delka);
        return;
    }
    const tPlnaTabulka* tabulka = Tabulka(kodovani);
    if (tabulka == nullptr) // 0, and every unknown mode, sends the line as it is
        return;
    size_t i = 0;
    // Runs of plain ASCII, common in label text, are skipped eight bytes at a time.
    for (; i + 8 <= delka; i += 8) {
        uint64_t osm;
        std::memcpy(&osm, data + i, 8);
        if ((osm & 0x8080808080808080ULL) == 0)
            continue;
        for (size_t k = i; k < i + 8; ++k)
            data[k] = (*tabulka)[static_cast<unsigned char>(data[k])];
    }
    for (; i < delka; ++i)
        data[i] = (*tabulka)[static_cast<unsigned char>(data[i])];
}

bool PrevadiKodovani(tKodovani kodovani) {
    return kodovani == tKodovani::Oem || Tabulka(kodovani) != nullptr;
}

std::string PrevedKodovani(tKodovani kodovani, std::string_view radek) {
    std::string vysledek(radek);
    PrevedKodovaniNaMiste(kodovani, vysledek.data(), vysledek.size());
    return vysledek;
}
