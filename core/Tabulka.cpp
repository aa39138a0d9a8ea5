#include "core/Tabulka.h"

#include "core/Ascii16.h"
#include "core/Chyba.h"
#include "core/TabulkaCisla.h"
#include "core/Win1250.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// After a line: one CR if it follows, then one LF if it follows.
size_t PreskocKonecRadku(std::string_view text, size_t i) {
    if (i < text.size() && text[i] == '\r')
        ++i;
    if (i < text.size() && text[i] == '\n')
        ++i;
    return i;
}

} // namespace

size_t KonecRadku(std::string_view text, size_t od) {
    return std::min(NajdiJeden(text, od, '\r', '\n'), text.size());
}

tTabulka::tTabulka() = default;

int tTabulka::PocetSloupcu() const {
    return sloupcu_;
}

int tTabulka::PocetRadku() const {
    return radku_;
}

std::string_view tTabulka::Cislo(int cislo) const {
    return cisla_ ? cisla_->Text(cislo) : std::string_view(); // none before the first import
}

std::string_view tTabulka::Radek(int radek) const {
    const std::string_view text(text_);
    const auto r = static_cast<size_t>(radek) - 1;
    if (r + 1 >= static_cast<size_t>(radku_) || !cisla_)
        return {};
    // From the row whose start is kept, line by line to the row asked for.
    size_t od = std::visit(
        [&](const auto& zacatky) { return static_cast<size_t>(zacatky[r >> krok_]); }, zacatky_);
    for (size_t k = r & ((size_t{1} << krok_) - 1); k > 0; --k)
        od = PreskocKonecRadku(text, KonecRadku(text, od));
    return text.substr(od, KonecRadku(text, od) - od);
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

std::string tTabulka::CisloRadku(int radek) const {
    if (radek < 1 || radek >= radku_ || !cisla_)
        return {};
    return std::to_string(radek);
}

int tTabulka::DelkaRadku(int radek) const {
    if (radek < 0 || radek >= radku_)
        return 0;
    if (radek == 0)
        return sloupcu_;
    if (!cisla_)
        return 1; // before the first import: only the (empty) number column
    const std::string_view text = Radek(radek);
    return static_cast<int>(std::count(text.begin(), text.end(), '\t')) + 2; // pieces + 1
}

void tTabulka::BunkyRadku(int radek, std::vector<std::string_view>& cil, size_t kolik,
                          std::string* cislo) const {
    cil.clear();
    if (kolik == 0 || radek < 0 || radek >= radku_)
        return;
    if (cislo && radek > 0) {
        *cislo = CisloRadku(radek);
        cil.emplace_back(*cislo);
    } else {
        cil.push_back(Bunka(0, radek));
    }
    if (radek == 0) {
        for (int c = 1; c < sloupcu_ && cil.size() < kolik; ++c)
            cil.push_back(Bunka(c, 0));
        return;
    }
    if (!cisla_)
        return;
    PridejBunky(Radek(radek), cil, kolik);
}

void PridejBunky(std::string_view radek, std::vector<std::string_view>& cil, size_t kolik) {
    for (size_t od = 0; cil.size() < kolik;) {
        const size_t tab = NajdiJeden(radek, od, '\t', '\t');
        cil.push_back(radek.substr(od, tab == std::string_view::npos ? tab : tab - od));
        if (tab == std::string_view::npos)
            break;
        od = tab + 1;
    }
}

template <class T> void tTabulka::Rozepis(std::string_view text, size_t pocetRadku) {
    tZacatky<T> zacatky;
    zacatky.reserve((pocetRadku >> krok_) + 1);
    const size_t maska = (size_t{1} << krok_) - 1;
    size_t i = 0;
    for (size_t r = 0; r < pocetRadku; ++r) {
        if ((r & maska) == 0)
            zacatky.push_back(static_cast<T>(i));
        i = PreskocKonecRadku(text, KonecRadku(text, i));
    }
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
    // The start of every row is kept only where rows are long: short ones are found from
    // the last start kept, and a start per row of a few bytes would cost more than the row.
    while (nova.krok_ < NejdelsiKrok &&
           (size_t{1} << nova.krok_) * text.size() < BajtuNaZacatek * radku)
        ++nova.krok_;
    if (text.size() <= 0xFFFF'FFFFu)
        nova.Rozepis<uint32_t>(nova.text_, radku);
    else
        nova.Rozepis<uint64_t>(nova.text_, radku);
    nova.cisla_ = std::make_shared<const tTabulkaCisla>(static_cast<int>(
        std::max(radku, std::min(nejsirsi, static_cast<size_t>(CislovanychSloupcu)))));
    nova.sloupcu_ = static_cast<int>(nejsirsi) + 1;
    nova.radku_ = static_cast<int>(radku) + 1;
    *this = std::move(nova);
}
