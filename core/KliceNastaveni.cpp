#include "core/KliceNastaveni.h"

#include "core/Win1250.h"

std::string SekceEtikety(int cislo) {
    return "Layout" + std::to_string(cislo);
}

std::string KlicPole(int cislo) {
    return std::string("Field") + static_cast<char>('0' + cislo / 10) +
           static_cast<char>('0' + cislo % 10);
}

std::string VychoziNazev(int cislo) {
    return Utf8NaWin1250("Formát oblepky č. ") + std::to_string(cislo);
}

std::string VychoziPole(int cislo) {
    return Utf8NaWin1250("Pole č. ") + std::to_string(cislo);
}
