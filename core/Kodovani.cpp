#include "Kodovani.h"

#include "KodovaciTabulky.h"

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
        plna[static_cast<size_t>(b + 128)] = static_cast<char>(horni[static_cast<size_t>(b)]);
    return plna;
}

const tPlnaTabulka* Tabulka(uint8_t rezim) {
    static const std::array<tPlnaTabulka, 4> tabulky = {Plna(TabulkaAscii), Plna(TabulkaKamenicky),
                                                        Plna(TabulkaCp852), Plna(TabulkaIso88592)};
    if (rezim < 2 || rezim > 5)
        return nullptr;
    return &tabulky[rezim - 2u];
}

} // namespace

void PrevedKodovaniNaMiste(uint8_t rezim, char* data, size_t delka) {
    if (rezim == 1) {
        PrevedDoOem(OemStrankaPocitace(), data, delka);
        return;
    }
    const tPlnaTabulka* tabulka = Tabulka(rezim);
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

std::string PrevedKodovani(uint8_t rezim, std::string_view radek) {
    std::string vysledek(radek);
    PrevedKodovaniNaMiste(rezim, vysledek.data(), vysledek.size());
    return vysledek;
}
