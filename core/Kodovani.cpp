#include "Kodovani.h"

#include "KodovaciTabulky.h"

void PrevedKodovaniNaMiste(uint8_t rezim, char* data, size_t delka) {
    const std::array<uint8_t, 128>* tabulka = nullptr;
    switch (rezim) {
    case 1:
        PrevedDoOem(OemStrankaPocitace(), data, delka);
        return;
    case 2:
        tabulka = &TabulkaAscii;
        break;
    case 3:
        tabulka = &TabulkaKamenicky;
        break;
    case 4:
        tabulka = &TabulkaCp852;
        break;
    case 5:
        tabulka = &TabulkaIso88592;
        break;
    default: // 0, and every unknown mode, sends the line as it is
        return;
    }
    for (size_t i = 0; i < delka; ++i) {
        auto bajt = static_cast<unsigned char>(data[i]);
        if (bajt >= 0x80)
            data[i] = static_cast<char>((*tabulka)[bajt - 0x80]);
    }
}

std::string PrevedKodovani(uint8_t rezim, std::string_view radek) {
    std::string vysledek(radek);
    PrevedKodovaniNaMiste(rezim, vysledek.data(), vysledek.size());
    return vysledek;
}
