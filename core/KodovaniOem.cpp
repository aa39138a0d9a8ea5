#include "core/Kodovani.h"

#include "core/KodovaciTabulky.h"
#include "core/Win1250.h"

#include <algorithm>
#include <array>
#include <cstdlib>

// Linux has no system OEM code page. Mode 1 promises "the computer's settings", so the code
// page follows the user's locale the way a desktop of that language would have it:
// Central European languages use CP 852, Western European ones CP 850 and everything else
// (English, "C", POSIX, no locale at all) CP 437.

namespace {

constexpr std::array<std::string_view, 8> StredniEvropa = {"cs", "sk", "pl", "hu",
                                                           "sl", "hr", "ro", "bs"};
constexpr std::array<std::string_view, 22> ZapadniEvropa = {
    "de", "fr", "it", "es", "pt", "nl", "da", "sv", "nb", "nn", "no",
    "fi", "is", "ca", "eu", "gl", "ga", "gd", "lb", "fo", "af", "oc"};

bool Obsahuje(auto& seznam, std::string_view jazyk) {
    return std::find(seznam.begin(), seznam.end(), jazyk) != seznam.end();
}

// Windows-1250 byte 80 + i -> OEM byte; a missing character becomes "?".
using tPrevod = std::array<char, 128>;

tPrevod SestavPrevod(const std::array<char16_t, 128>& unicodeStranky) {
    tPrevod prevod{};
    for (int i = 0; i < 128; ++i) {
        char16_t znak = Win1250NaUnicode(static_cast<unsigned char>(0x80 + i));
        auto kde = std::find(unicodeStranky.begin(), unicodeStranky.end(), znak);
        prevod[i] = kde == unicodeStranky.end()
                        ? '?'
                        : static_cast<char>(0x80 + (kde - unicodeStranky.begin()));
    }
    return prevod;
}

const tPrevod& Prevod(tOemStranka stranka) {
    static const tPrevod cp437 = SestavPrevod(UnicodeCp437);
    static const tPrevod cp850 = SestavPrevod(UnicodeCp850);
    static const tPrevod cp852 = SestavPrevod(UnicodeCp852);
    switch (stranka) {
    case tOemStranka::Cp850:
        return cp850;
    case tOemStranka::Cp852:
        return cp852;
    default:
        return cp437;
    }
}

} // namespace

tOemStranka OemStrankaLocale(std::string_view locale) {
    std::string_view jazyk = locale.substr(0, locale.find_first_of("_.@"));
    if (Obsahuje(StredniEvropa, jazyk))
        return tOemStranka::Cp852;
    // Serbian is Cyrillic unless the locale says otherwise.
    if (jazyk == "sr" && locale.find("@latin") != std::string_view::npos)
        return tOemStranka::Cp852;
    if (Obsahuje(ZapadniEvropa, jazyk))
        return tOemStranka::Cp850;
    return tOemStranka::Cp437;
}

tOemStranka OemStrankaPocitace() {
    static const tOemStranka stranka = [] {
        for (const char* promenna : {"LC_ALL", "LC_CTYPE", "LANG"}) {
            const char* hodnota = std::getenv(promenna);
            if (hodnota != nullptr && *hodnota != '\0')
                return OemStrankaLocale(hodnota);
        }
        return tOemStranka::Cp437;
    }();
    return stranka;
}

void PrevedDoOem(tOemStranka stranka, char* data, size_t delka) {
    const tPrevod& prevod = Prevod(stranka);
    for (size_t i = 0; i < delka; ++i) {
        auto bajt = static_cast<unsigned char>(data[i]);
        if (bajt >= 0x80)
            data[i] = prevod[bajt - 0x80];
    }
}
