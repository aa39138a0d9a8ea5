#include "output/DruhTabulky.h"

#include "core/Win1250.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <vector>

#include <unistd.h>

namespace {

constexpr size_t Blok = size_t{64} * 1024;
// The separator is found from this many lines at most.
constexpr size_t RadkuNaOddelovac = 20;

// pread that retries an interrupted call; -1 on an error.
ssize_t Precti(int fd, char* kam, size_t kolik, off_t kde) {
    for (;;) {
        const ssize_t precteno = ::pread(fd, kam, kolik, kde);
        if (precteno >= 0 || errno != EINTR)
            return precteno;
    }
}

// Where a block may be cut without cutting a UTF-8 sequence: before a lead byte whose
// sequence the block does not hold whole.
size_t KonecCelychUtf8(std::string_view data) {
    for (size_t zpet = 1; zpet <= std::min<size_t>(3, data.size()); ++zpet) {
        const auto b = static_cast<unsigned char>(data[data.size() - zpet]);
        if ((b & 0xC0) == 0x80)
            continue; // a continuation byte: look further back
        const size_t delka = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        return delka > zpet ? data.size() - zpet : data.size();
    }
    return data.size();
}

bool KonciNa(std::string_view nazev, std::string_view pripona) {
    if (nazev.size() < pripona.size())
        return false;
    return std::equal(pripona.begin(), pripona.end(), nazev.end() - pripona.size(),
                      [](char a, char b) { return a == (b | 0x20); });
}

// How many times each candidate divides each of the first lines, outside double quotes.
char NajdiOddelovac(std::string_view text, bool cely) {
    constexpr std::array<char, 3> Kandidati = {';', ',', '\t'};
    std::vector<std::array<size_t, 3>> radky(1);
    bool uvnitr = false;
    for (size_t i = 0; i < text.size() && radky.size() <= RadkuNaOddelovac; ++i) {
        const char c = text[i];
        if (c == '"') {
            uvnitr = !uvnitr; // "" inside quotes leaves and enters again
        } else if (!uvnitr && (c == '\r' || c == '\n')) {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            radky.emplace_back();
        } else if (!uvnitr) {
            for (size_t k = 0; k < Kandidati.size(); ++k)
                radky.back()[k] += c == Kandidati[k];
        }
    }
    // A line that the sample cuts, or an empty last one, says nothing.
    if (radky.size() > 1 && (!cely || radky.back() == std::array<size_t, 3>{}))
        radky.pop_back();
    size_t nejlepsi = Kandidati.size(), pocet = 0;
    for (size_t k = 0; k < Kandidati.size(); ++k) {
        const size_t prvni = radky.front()[k];
        const bool stejne =
            std::all_of(radky.begin(), radky.end(), [&](const auto& r) { return r[k] == prvni; });
        if (stejne && prvni > pocet) {
            nejlepsi = k;
            pocet = prvni;
        }
    }
    if (nejlepsi == Kandidati.size()) { // no candidate is even: the most in the first line
        for (size_t k = 0; k < Kandidati.size(); ++k)
            if (radky.front()[k] > pocet) {
                nejlepsi = k;
                pocet = radky.front()[k];
            }
    }
    return nejlepsi == Kandidati.size() ? ',' : Kandidati[nejlepsi];
}

std::string NazevSady(tZnakovaSada sada) {
    switch (sada) {
    case tZnakovaSada::Utf16Le:
        return "UTF-16 LE";
    case tZnakovaSada::Utf16Be:
        return "UTF-16 BE";
    case tZnakovaSada::Win1250:
        return "Windows-1250";
    default:
        return "UTF-8";
    }
}

std::string NazevOddelovace(char c) {
    return c == '\t' ? "TAB" : std::string("„") + c + "“";
}

} // namespace

void tDekoder::Dekoduj(std::string_view blok, std::string& cil, bool konec) {
    std::string spojeny;
    if (!zbytek_.empty()) {
        spojeny = zbytek_ + std::string(blok);
        blok = spojeny;
        zbytek_.clear();
    }
    switch (sada_) {
    case tZnakovaSada::Win1250:
        cil.append(blok);
        return;
    case tZnakovaSada::Utf8: {
        const size_t cele = konec ? blok.size() : KonecCelychUtf8(blok);
        const std::string_view data = blok.substr(0, cele);
        platne_ = platne_ && JePlatneUtf8(data);
        nepresnych_ += PridejZUtf8(cil, data);
        zbytek_.assign(blok.substr(cele));
        return;
    }
    default: {
        const bool le = sada_ == tZnakovaSada::Utf16Le;
        std::u16string jednotky;
        jednotky.reserve(blok.size() / 2);
        size_t i = 0;
        for (; i + 1 < blok.size(); i += 2) {
            const auto a = static_cast<unsigned char>(blok[i]);
            const auto b = static_cast<unsigned char>(blok[i + 1]);
            jednotky += static_cast<char16_t>(le ? a | (b << 8) : (a << 8) | b);
        }
        // A first half of a pair waits for its second one, as does an odd byte.
        if (!konec && !jednotky.empty() && jednotky.back() >= 0xD800 && jednotky.back() <= 0xDBFF) {
            jednotky.pop_back();
            i -= 2;
        }
        cil += Utf16NaWin1250(jednotky, &nepresnych_);
        zbytek_.assign(blok.substr(i));
        if (konec && !zbytek_.empty()) { // an odd last byte
            cil += NejblizsiWin1250(0xFFFD, nepresnych_);
            zbytek_.clear();
        }
        return;
    }
    }
}

tDruhTabulky RozpoznejDruh(int fd, std::string_view nazev, const tVolbyTabulky& volby) {
    tDruhTabulky druh;
    std::string blok(Blok, '\0');
    ssize_t precteno = Precti(fd, blok.data(), blok.size(), 0);
    blok.resize(static_cast<size_t>(std::max<ssize_t>(precteno, 0)));
    const std::string_view zacatek(blok);
    std::string proc;
    if (zacatek.starts_with("\xEF\xBB\xBF")) {
        druh.Sada = tZnakovaSada::Utf8;
        druh.Bom = 3;
        proc = "značka BOM";
    } else if (zacatek.starts_with("\xFF\xFE")) {
        druh.Sada = tZnakovaSada::Utf16Le;
        druh.Bom = 2;
        proc = "značka BOM";
    } else if (zacatek.starts_with("\xFE\xFF")) {
        druh.Sada = tZnakovaSada::Utf16Be;
        druh.Bom = 2;
        proc = "značka BOM";
    }
    if (volby.Sada) {
        // A mark of the set asked for is still no text; another set's mark is read as text.
        const bool znacka = (*volby.Sada == tZnakovaSada::Utf8 && druh.Bom == 3);
        druh.Bom = znacka ? druh.Bom : 0;
        druh.Sada = *volby.Sada;
        proc = "volba --encoding";
    }

    // Through the whole text: whether it is UTF-8, what it holds without an exact form, and
    // the first block decoded to find the separator in (bytes that are no UTF-8 become one
    // "?" each, so ';', ',', TAB, quotes and line ends stay where they are).
    const bool zkusUtf8 = proc.empty();
    tDekoder dekoder(druh.Sada);
    std::string vzorek, text;
    off_t kde = 0;
    size_t celkem = 0;             // decoded text up to its NUL
    std::string dalsi(Blok, '\0'); // read ahead: whether a block is the last one
    for (bool prvni = true; precteno > 0; prvni = false) {
        std::string_view data(blok);
        if (prvni)
            data.remove_prefix(std::min(druh.Bom, data.size()));
        kde += precteno;
        dalsi.resize(Blok);
        precteno = Precti(fd, dalsi.data(), dalsi.size(), kde);
        dalsi.resize(static_cast<size_t>(std::max<ssize_t>(precteno, 0)));
        text.clear();
        dekoder.Dekoduj(data, text, precteno <= 0);
        blok.swap(dalsi);
        const size_t nul = text.find('\0');
        if (vzorek.size() < Blok)
            vzorek.append(text, 0, std::min(nul, Blok - vzorek.size()));
        celkem += std::min(nul, text.size());
        if (nul != std::string::npos)
            break;
    }
    if (zkusUtf8) {
        druh.Sada = dekoder.PlatneUtf8() ? tZnakovaSada::Utf8 : tZnakovaSada::Win1250;
        proc = dekoder.PlatneUtf8() ? "platné UTF-8" : "není platné UTF-8";
    }
    druh.Nepresnych = druh.Sada == tZnakovaSada::Win1250 ? 0 : dekoder.Nepresnych();
    std::string popis =
        std::string(nazev) + ": kódování " + NazevSady(druh.Sada) + " (" + proc + "), formát ";
    if (volby.Format)
        druh.Format = *volby.Format;
    else
        druh.Format = KonciNa(nazev, ".csv") ? tFormatTabulky::Csv : tFormatTabulky::Tsv;
    const std::string procFormat = volby.Format ? "volba --format" : "podle přípony souboru";
    if (druh.Format == tFormatTabulky::Tsv) {
        popis += "jako schránka, buňky oddělené TAB (" + procFormat + ")";
    } else {
        druh.Oddelovac =
            volby.Oddelovac ? *volby.Oddelovac : NajdiOddelovac(vzorek, celkem == vzorek.size());
        popis += "CSV (" + procFormat + "), oddělovač " + NazevOddelovace(druh.Oddelovac) + " (" +
                 (volby.Oddelovac ? "volba --separator" : "z prvních řádků") + ")";
    }
    druh.Popis = Utf8NaWin1250(popis);
    return druh;
}
