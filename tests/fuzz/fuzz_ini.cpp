// The settings file model from arbitrary text, in time that grows with the text only: what it
// writes reads back as itself; a key reads as its first line in the first section of that
// name, letter case ignored; writing keys into the file read changes those keys and no other.
// The program's own keys over the same text are fuzz_nastaveni's.

#include "core/BezZlomu.h"
#include "core/IniSoubor.h"
#include "tests/fuzz/Kontrola.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

struct tSekce {
    std::string nazev;
    std::vector<std::pair<std::string, std::string>> klice; // lines holding "=", in order
};

// The sections of text in the form Obsah gives it: "[name]", the section's lines, an empty
// line, each line ending in CR LF.
std::vector<tSekce> Sekce(std::string_view obsah) {
    std::vector<tSekce> sekce;
    while (!obsah.empty()) {
        const size_t konec = obsah.find("\r\n");
        KONTROLA(konec != std::string_view::npos);
        const std::string_view radek = obsah.substr(0, konec);
        obsah.remove_prefix(konec + 2);
        if (radek.size() >= 2 && radek.front() == '[' && radek.back() == ']') {
            sekce.push_back({std::string(radek.substr(1, radek.size() - 2)), {}});
            continue;
        }
        KONTROLA(!sekce.empty());
        const size_t rovnase = radek.find('=');
        if (rovnase != std::string_view::npos)
            sekce.back().klice.emplace_back(radek.substr(0, rovnase), radek.substr(rovnase + 1));
    }
    return sekce;
}

constexpr std::string_view Chybi = "\x01 none";

// What ReadString must give: the key's first line in the first section of the name.
std::string Ocekavana(const std::vector<tSekce>& sekce, std::string_view nazev,
                      std::string_view klic) {
    const auto s = std::find_if(sekce.begin(), sekce.end(), [&](const tSekce& t) {
        return StejneBezVelikosti(t.nazev, nazev);
    });
    if (s == sekce.end())
        return std::string(Chybi);
    for (const auto& [k, hodnota] : s->klice)
        if (StejneBezVelikosti(k, klic))
            return hodnota;
    return std::string(Chybi);
}

struct tZapis {
    std::string sekce, klic, hodnota;
};

bool Zapsany(std::span<const tZapis> zapisy, std::string_view sekce, std::string_view klic) {
    return std::any_of(zapisy.begin(), zapisy.end(), [&](const tZapis& z) {
        return StejneBezVelikosti(z.sekce, sekce) && StejneBezVelikosti(z.klic, klic);
    });
}

// Enough keys to meet duplicates and letter case, few enough that the checks stay linear.
constexpr size_t PocetKontrol = 64;
constexpr size_t PocetZapisu = 8;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tIniSoubor ini = tIniSoubor::ZTextu("fuzz.ini", text);

    // What the program writes reads back as itself.
    const std::string obsah = ini.Obsah();
    KONTROLA(tIniSoubor::ZTextu("fuzz.ini", obsah).Obsah() == obsah);

    const std::vector<tSekce> sekce = Sekce(obsah);
    std::vector<std::pair<std::string, std::string>> klice; // section and key, in file order
    for (const tSekce& s : sekce)
        for (const auto& [klic, hodnota] : s.klice)
            if (klice.size() < PocetKontrol)
                klice.emplace_back(s.nazev, klic);
    for (const auto& [s, k] : klice)
        KONTROLA(ini.ReadString(s, k, Chybi) == Ocekavana(sekce, s, k));

    // New values for the first keys (a line that starts with "[" could come back as a section
    // header), one new key in the first section and one new section. The values carry the
    // input's first bytes, line breaks and NUL bytes among them.
    std::vector<tZapis> zapisy;
    const std::string pridavek(text.substr(0, 8));
    for (const auto& [s, k] : klice)
        if (zapisy.size() < PocetZapisu && (k.empty() || k.front() != '['))
            zapisy.push_back({s, k, pridavek + Ocekavana(sekce, s, k)});
    if (!sekce.empty())
        zapisy.push_back({sekce.front().nazev, "Novy~klic", pridavek});
    zapisy.push_back({"Nova~sekce", "Klic", pridavek});
    for (const tZapis& z : zapisy) {
        ini.WriteString(z.sekce, z.klic, z.hodnota);
        KONTROLA(ini.ReadString(z.sekce, z.klic, Chybi) == BezZlomu(z.hodnota));
    }

    const std::string zapsano = ini.Obsah();
    const tIniSoubor znovu = tIniSoubor::ZTextu("fuzz.ini", zapsano);
    KONTROLA(znovu.Obsah() == zapsano);
    const std::vector<tSekce> sekcePoZapisu = Sekce(zapsano);
    // The last write of a key wins.
    const std::span<const tZapis> vsechny(zapisy);
    for (size_t i = 0; i < zapisy.size(); ++i) {
        const tZapis& z = zapisy[i];
        if (!Zapsany(vsechny.subspan(i + 1), z.sekce, z.klic))
            KONTROLA(znovu.ReadString(z.sekce, z.klic, Chybi) == BezZlomu(z.hodnota));
    }
    for (const auto& [s, k] : klice)
        if (!Zapsany(zapisy, s, k)) {
            KONTROLA(znovu.ReadString(s, k, Chybi) == Ocekavana(sekce, s, k));
            KONTROLA(Ocekavana(sekcePoZapisu, s, k) == Ocekavana(sekce, s, k));
        }
    return 0;
}
