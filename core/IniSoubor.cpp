#include "core/IniSoubor.h"

#include "core/BezZlomu.h"
#include "core/BezpecnyZapis.h"
#include "core/CeleCislo.h"
#include "core/Chyba.h"
#include "core/Deskriptor.h"
#include "core/Soubory.h"

#include <array>
#include <cerrno>
#include <utility>

#include <sys/stat.h>

namespace {

// Lower case of every Windows-1250 byte: ASCII letters and the upper/lower pairs of the
// Central European letters. "×" (D7) and "÷" (F7) sit between the pairs and stay apart.
constexpr std::array<unsigned char, 256> MalaPismena = [] {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = static_cast<unsigned char>(i);
    for (int i = 'A'; i <= 'Z'; ++i)
        t[i] = static_cast<unsigned char>(i + 32);
    // Š Ś Ť Ž Ź, Ł, Ą, Ş, Ż, Ľ
    const std::array<std::array<int, 2>, 10> dvojice = {{{0x8A, 0x9A},
                                                         {0x8C, 0x9C},
                                                         {0x8D, 0x9D},
                                                         {0x8E, 0x9E},
                                                         {0x8F, 0x9F},
                                                         {0xA3, 0xB3},
                                                         {0xA5, 0xB9},
                                                         {0xAA, 0xBA},
                                                         {0xAF, 0xBF},
                                                         {0xBC, 0xBE}}};
    for (auto [velke, male] : dvojice)
        t[velke] = static_cast<unsigned char>(male);
    for (int i = 0xC0; i <= 0xDE; ++i)
        if (i != 0xD7)
            t[i] = static_cast<unsigned char>(i + 32);
    return t;
}();

unsigned char Male(char c) {
    return MalaPismena[static_cast<unsigned char>(c)];
}

// The file's bytes up to the first zero byte; nothing when the file does not exist.
std::string PrectiSoubor(const std::string& cesta) {
    struct stat stav {};
    const tDeskriptor soubor = OtevriObycejny(cesta, 0, stav);
    if (!soubor.Otevreny()) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {};
        throw eChyba(ChybaOtevreni(cesta));
    }
    std::string obsah;
    if (PrectiDoNuly(soubor.Fd(), obsah) != 0)
        throw eChyba(ChybaOtevreni(cesta));
    return obsah;
}

} // namespace

bool StejneBezVelikosti(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Male(a[i]) != Male(b[i]))
            return false;
    return true;
}

tIniSoubor::tIniSoubor(std::string cesta) : cesta_(std::move(cesta)) {
    Nacti(PrectiSoubor(cesta_));
}

tIniSoubor tIniSoubor::ZTextu(std::string cesta, std::string_view obsah) {
    tIniSoubor ini;
    ini.cesta_ = std::move(cesta);
    ini.Nacti(obsah.substr(0, obsah.find('\0')));
    return ini;
}

void tIniSoubor::Nacti(std::string_view obsah) {
    size_t i = 0;
    while (i < obsah.size()) {
        size_t konec = obsah.find_first_of("\r\n", i);
        if (konec == std::string_view::npos)
            konec = obsah.size();
        std::string_view radek = obsah.substr(i, konec - i);
        i = konec + 1;
        if (konec + 1 < obsah.size() && obsah[konec] == '\r' && obsah[konec + 1] == '\n')
            ++i;

        if (radek.empty() || radek.front() == ';')
            continue;
        if (radek.size() >= 2 && radek.front() == '[' && radek.back() == ']') {
            sekce_.push_back({std::string(radek.substr(1, radek.size() - 2)), {}});
            continue;
        }
        if (sekce_.empty())
            continue;
        sekce_.back().radky.push_back({std::string(radek), radek.find('=')});
    }
}

const tIniSoubor::tSekce* tIniSoubor::NajdiSekci(std::string_view nazev) const {
    for (const tSekce& s : sekce_)
        if (StejneBezVelikosti(s.nazev, nazev))
            return &s;
    return nullptr;
}

tIniSoubor::tSekce* tIniSoubor::NajdiSekci(std::string_view nazev) {
    return const_cast<tSekce*>(std::as_const(*this).NajdiSekci(nazev));
}

size_t tIniSoubor::NajdiKlic(const tSekce& sekce, std::string_view klic) {
    for (size_t i = 0; i < sekce.radky.size(); ++i) {
        const tRadek& r = sekce.radky[i];
        if (r.rovnase == klic.size() &&
            StejneBezVelikosti(std::string_view(r.text).substr(0, r.rovnase), klic))
            return i;
    }
    return std::string::npos;
}

std::string tIniSoubor::ReadString(std::string_view sekce, std::string_view klic,
                                   std::string_view vychozi) const {
    const tSekce* s = NajdiSekci(sekce);
    if (!s)
        return std::string(vychozi);
    size_t i = NajdiKlic(*s, klic);
    if (i == std::string::npos)
        return std::string(vychozi);
    const tRadek& r = s->radky[i];
    return r.text.substr(r.rovnase + 1);
}

int32_t tIniSoubor::ReadInteger(std::string_view sekce, std::string_view klic,
                                int32_t vychozi) const {
    return ZkusTextNaCislo(ReadString(sekce, klic, "")).value_or(vychozi);
}

void tIniSoubor::WriteString(std::string_view sekce, std::string_view klic,
                             std::string_view hodnota) {
    std::string text = BezZlomu(klic) + "=" + BezZlomu(hodnota);
    tRadek radek{text, text.find('=')};
    tSekce* s = NajdiSekci(sekce);
    if (!s) {
        sekce_.push_back({BezZlomu(sekce), {}});
        s = &sekce_.back();
    }
    size_t i = NajdiKlic(*s, klic);
    if (i == std::string::npos)
        s->radky.push_back(std::move(radek));
    else
        s->radky[i] = std::move(radek);
}

void tIniSoubor::WriteInteger(std::string_view sekce, std::string_view klic, int32_t hodnota) {
    WriteString(sekce, klic, CisloNaText(hodnota));
}

std::string tIniSoubor::Obsah() const {
    size_t delka = 0;
    for (const tSekce& s : sekce_) {
        delka += s.nazev.size() + 6;
        for (const tRadek& r : s.radky)
            delka += r.text.size() + 2;
    }
    std::string obsah;
    obsah.reserve(delka);
    for (const tSekce& s : sekce_) {
        obsah += '[';
        obsah += s.nazev;
        obsah += "]\r\n";
        for (const tRadek& r : s.radky) {
            obsah += r.text;
            obsah += "\r\n";
        }
        obsah += "\r\n";
    }
    return obsah;
}

void tIniSoubor::UpdateFile(const tZapisDat& zapis) const {
    ZapisSouborBezpecne(cesta_, Obsah(), zapis);
}
