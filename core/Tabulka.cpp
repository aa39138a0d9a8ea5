#include "core/Tabulka.h"

#include "core/Chyba.h"
#include "core/Win1250.h"

#include <algorithm>
#include <climits>

namespace {

// Number of decimal digits of a positive number.
int Cislic(unsigned long long cislo) {
    int cislic = 1;
    while (cislo >= 10) {
        cislo /= 10;
        ++cislic;
    }
    return cislic;
}

// The texts "1" to "N" back to back, without a string per number.
std::string CislaZaSebou(int posledni) {
    std::string cisla;
    if (posledni <= 0)
        return cisla;
    unsigned long long delka = 0;
    for (unsigned long long od = 1; od <= static_cast<unsigned long long>(posledni); od *= 10) {
        const unsigned long long po =
            std::min<unsigned long long>(od * 10 - 1, static_cast<unsigned long long>(posledni));
        delka += (po - od + 1) * static_cast<unsigned long long>(Cislic(od));
    }
    cisla.reserve(delka);
    char cislice[24];
    for (int k = 1; k <= posledni; ++k) {
        int i = sizeof cislice;
        for (unsigned hodnota = static_cast<unsigned>(k); hodnota != 0; hodnota /= 10)
            cislice[--i] = static_cast<char>('0' + hodnota % 10);
        cisla.append(cislice + i, sizeof cislice - static_cast<size_t>(i));
    }
    return cisla;
}

// Where the text of number k starts in CislaZaSebou: all shorter numbers come first.
size_t ZacatekCisla(int k) {
    const int cislic = Cislic(static_cast<unsigned long long>(k));
    size_t zacatek = 0;
    unsigned long long od = 1;
    for (int d = 1; d < cislic; ++d, od *= 10)
        zacatek += static_cast<size_t>(9 * od) * static_cast<size_t>(d);
    return zacatek + static_cast<size_t>(static_cast<unsigned long long>(k) - od) *
                         static_cast<size_t>(cislic);
}

bool JeKonecRadku(char c) {
    return c == '\r' || c == '\n';
}

// After a line: one CR if it follows, then one LF if it follows.
size_t PreskocKonecRadku(std::string_view text, size_t i) {
    if (i < text.size() && text[i] == '\r')
        ++i;
    if (i < text.size() && text[i] == '\n')
        ++i;
    return i;
}

} // namespace

tTabulka::tTabulka() = default;

int tTabulka::PocetSloupcu() const {
    return sloupcu_;
}

int tTabulka::PocetRadku() const {
    return radku_;
}

std::string_view tTabulka::Cislo(int cislo) const {
    const size_t zacatek = ZacatekCisla(cislo);
    if (zacatek >= cisla_.size())
        return {}; // not numbered (before the first import)
    return std::string_view(cisla_).substr(
        zacatek, static_cast<size_t>(Cislic(static_cast<unsigned>(cislo))));
}

template <class T>
std::string_view tTabulka::Kus(const tRozpis<T>& rozpis, int sloupec, int radek) const {
    const size_t r = static_cast<size_t>(radek) - 1;
    if (r + 1 >= rozpis.radky.size())
        return {};
    const size_t prvni = static_cast<size_t>(rozpis.radky[r]);
    const size_t kusu = static_cast<size_t>(rozpis.radky[r + 1]) - prvni - 1;
    const size_t k = static_cast<size_t>(sloupec) - 1;
    if (k >= kusu)
        return {};
    const size_t zacatek = static_cast<size_t>(rozpis.zacatky[prvni + k]);
    const size_t konec = static_cast<size_t>(rozpis.zacatky[prvni + k + 1]) - 1;
    return std::string_view(text_).substr(zacatek, konec - zacatek);
}

std::string_view tTabulka::Bunka(int sloupec, int radek) const {
    if (sloupec < 0 || radek < 0 || sloupec >= sloupcu_ || radek >= radku_)
        return {};
    if (radek == 0)
        return sloupec == 0 ? std::string_view() : Cislo(sloupec);
    if (sloupec == 0)
        return Cislo(radek);
    return std::visit([&](const auto& rozpis) { return Kus(rozpis, sloupec, radek); }, rozpis_);
}

int tTabulka::DelkaRadku(int radek) const {
    if (radek < 0 || radek >= radku_)
        return 0;
    if (radek == 0)
        return sloupcu_;
    return std::visit(
        [&](const auto& rozpis) {
            const size_t r = static_cast<size_t>(radek) - 1;
            if (r + 1 >= rozpis.radky.size())
                return 1; // before the first import: only the (empty) number column
            return static_cast<int>(rozpis.radky[r + 1] - rozpis.radky[r]); // pieces + 1
        },
        rozpis_);
}

template <class T>
void tTabulka::Rozepis(std::string_view text, size_t pocetRadku, size_t pocetZaznamu) {
    tRozpis<T> rozpis;
    rozpis.zacatky.reserve(pocetZaznamu);
    rozpis.radky.reserve(pocetRadku + 1);
    size_t i = 0;
    while (i < text.size()) {
        rozpis.radky.push_back(static_cast<T>(rozpis.zacatky.size()));
        rozpis.zacatky.push_back(static_cast<T>(i));
        for (; i < text.size() && !JeKonecRadku(text[i]); ++i)
            if (text[i] == '\t')
                rozpis.zacatky.push_back(static_cast<T>(i + 1));
        rozpis.zacatky.push_back(static_cast<T>(i + 1)); // end marker of the row
        i = PreskocKonecRadku(text, i);
    }
    rozpis.radky.push_back(static_cast<T>(rozpis.zacatky.size()));
    rozpis_ = std::move(rozpis);
}

void tTabulka::NactiText(std::string_view text) {
    if (const size_t nul = text.find('\0'); nul != std::string_view::npos)
        text = text.substr(0, nul);
    PrevezmiText(std::string(text));
}

void tTabulka::PrevezmiText(std::string&& vlastni) {
    if (const size_t nul = vlastni.find('\0'); nul != std::string::npos)
        vlastni.resize(nul);
    const std::string_view text(vlastni);

    // First pass: the size, so that nothing is allocated twice.
    size_t radku = 0, zaznamu = 0, nejsirsi = 0;
    for (size_t i = 0; i < text.size();) {
        size_t kusu = 1;
        for (; i < text.size() && !JeKonecRadku(text[i]); ++i)
            kusu += text[i] == '\t';
        i = PreskocKonecRadku(text, i);
        ++radku;
        zaznamu += kusu + 1;
        nejsirsi = std::max(nejsirsi, kusu);
    }
    if (radku >= INT_MAX || nejsirsi >= INT_MAX)
        throw eChyba("Text ve schránce má příliš mnoho řádků nebo sloupců");

    // Built aside and swapped in, so a failure leaves the old table whole.
    tTabulka nova;
    nova.text_ = std::move(vlastni);
    // Offsets reach at most the text length + 1, entry indices at most twice that.
    if (text.size() < 0x7FFF'FFF0u)
        nova.Rozepis<uint32_t>(nova.text_, radku, zaznamu);
    else
        nova.Rozepis<uint64_t>(nova.text_, radku, zaznamu);
    nova.cisla_ = CislaZaSebou(static_cast<int>(std::max(radku, nejsirsi)));
    nova.sloupcu_ = static_cast<int>(nejsirsi) + 1;
    nova.radku_ = static_cast<int>(radku) + 1;
    *this = std::move(nova);
}
