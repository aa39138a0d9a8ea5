#include "core/Tabulka.h"

#include "core/Chyba.h"
#include "core/Win1250.h"

#include <algorithm>
#include <climits>
#include <cstring>

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

// After a line: one CR if it follows, then one LF if it follows.
size_t PreskocKonecRadku(std::string_view text, size_t i) {
    if (i < text.size() && text[i] == '\r')
        ++i;
    if (i < text.size() && text[i] == '\n')
        ++i;
    return i;
}

} // namespace

// memchr in short windows: fast for lines ending in LF or CR LF, and no rescans of the text
// when one of the two never comes.
size_t KonecRadku(std::string_view text, size_t od) {
    constexpr size_t Okno = 256;
    while (od < text.size()) {
        const size_t delka = std::min(Okno, text.size() - od);
        const char* zacatek = text.data() + od;
        const void* lf = std::memchr(zacatek, '\n', delka);
        const size_t doLf =
            lf ? static_cast<size_t>(static_cast<const char*>(lf) - zacatek) : delka;
        if (const void* cr = std::memchr(zacatek, '\r', doLf))
            return od + static_cast<size_t>(static_cast<const char*>(cr) - zacatek);
        if (lf)
            return od + doLf;
        od += delka;
    }
    return text.size();
}

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

std::string_view tTabulka::Radek(int radek) const {
    return std::visit(
        [&](const auto& zacatky) -> std::string_view {
            const size_t r = static_cast<size_t>(radek) - 1;
            if (r + 1 >= zacatky.size())
                return {};
            const size_t od = static_cast<size_t>(zacatky[r]);
            size_t po = static_cast<size_t>(zacatky[r + 1]) - 1; // its line end, or the text's
            // A CR LF ends a line as one; a CR before it cannot be the row's own.
            if (text_[po] == '\n' && po > od && text_[po - 1] == '\r')
                --po;
            return std::string_view(text_).substr(od, po - od);
        },
        zacatky_);
}

std::string_view tTabulka::Bunka(int sloupec, int radek) const {
    if (sloupec < 0 || radek < 0 || sloupec >= sloupcu_ || radek >= radku_)
        return {};
    if (radek == 0)
        return sloupec == 0 || sloupec > CislovanychSloupcu ? std::string_view() : Cislo(sloupec);
    if (sloupec == 0)
        return Cislo(radek);
    const std::string_view text = Radek(radek);
    // find, not memchr: an empty row's text has no data pointer at all.
    size_t od = 0;
    for (int k = 1; k < sloupec; ++k) {
        const size_t tab = text.find('\t', od);
        if (tab == std::string_view::npos)
            return {};
        od = tab + 1;
    }
    const size_t po = std::min(text.find('\t', od), text.size());
    return text.substr(od, po - od);
}

int tTabulka::DelkaRadku(int radek) const {
    if (radek < 0 || radek >= radku_)
        return 0;
    if (radek == 0)
        return sloupcu_;
    if (cisla_.empty())
        return 1; // before the first import: only the (empty) number column
    const std::string_view text = Radek(radek);
    return static_cast<int>(std::count(text.begin(), text.end(), '\t')) + 2; // pieces + 1
}

void tTabulka::BunkyRadku(int radek, std::vector<std::string_view>& cil, size_t kolik) const {
    cil.clear();
    if (kolik == 0 || radek < 0 || radek >= radku_)
        return;
    cil.push_back(Bunka(0, radek));
    if (radek == 0) {
        for (int c = 1; c < sloupcu_ && cil.size() < kolik; ++c)
            cil.push_back(Bunka(c, 0));
        return;
    }
    if (cisla_.empty())
        return;
    const std::string_view text = Radek(radek);
    for (size_t od = 0; cil.size() < kolik;) {
        const size_t tab = text.find('\t', od);
        cil.push_back(text.substr(od, tab == std::string_view::npos ? tab : tab - od));
        if (tab == std::string_view::npos)
            break;
        od = tab + 1;
    }
}

template <class T> void tTabulka::Rozepis(std::string_view text, size_t pocetRadku) {
    tZacatky<T> zacatky;
    zacatky.reserve(pocetRadku + 1);
    size_t i = 0;
    while (i < text.size()) {
        zacatky.push_back(static_cast<T>(i));
        i = KonecRadku(text, i);
        i = i < text.size() ? PreskocKonecRadku(text, i) : text.size() + 1;
    }
    zacatky.push_back(static_cast<T>(std::max<size_t>(i, 1)));
    if (zacatky.size() == 1)
        zacatky.clear();
    zacatky_ = std::move(zacatky);
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
    size_t radku = 0, nejsirsi = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t konec = KonecRadku(text, i);
        const auto kusu =
            static_cast<size_t>(std::count(text.begin() + static_cast<ptrdiff_t>(i),
                                           text.begin() + static_cast<ptrdiff_t>(konec), '\t')) +
            1;
        i = PreskocKonecRadku(text, konec);
        ++radku;
        nejsirsi = std::max(nejsirsi, kusu);
    }
    if (radku >= INT_MAX || nejsirsi >= INT_MAX)
        throw eChyba("Text ve schránce má příliš mnoho řádků nebo sloupců");

    // Built aside and swapped in, so a failure leaves the old table whole.
    tTabulka nova;
    nova.text_ = std::move(vlastni);
    // Offsets reach at most the text length + 1.
    if (text.size() < 0xFFFF'FFF0u)
        nova.Rozepis<uint32_t>(nova.text_, radku);
    else
        nova.Rozepis<uint64_t>(nova.text_, radku);
    nova.cisla_ = CislaZaSebou(static_cast<int>(
        std::max(radku, std::min(nejsirsi, static_cast<size_t>(CislovanychSloupcu)))));
    nova.sloupcu_ = static_cast<int>(nejsirsi) + 1;
    nova.radku_ = static_cast<int>(radku) + 1;
    *this = std::move(nova);
}
