#include "core/Win1250.h"

#include "core/Ascii16.h"
#include "core/NejblizsiZnakyGen.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

// Unicode characters of the bytes 80 to FF.
// clang-format off
constexpr std::array<char16_t, 128> HorniPolovina = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};
// clang-format on

constexpr char Otaznik = '?';
constexpr char32_t Nahradni = 0xFFFD; // what a broken sequence stands for

// Below this every character is looked up in one table; above it the few that have a
// neighbour (fullwidth forms, mathematical letters) are searched for.
constexpr char32_t HraniceTabulky = 0x3000;

// Every character below the limit: its byte (its own, else its nearest one, 0 for none) and
// Presny when it is its own, or Rozvinuty when it becomes several bytes or none. A table file
// of a million rows looks up each accented letter.
constexpr uint16_t Presny = 0x100, Rozvinuty = 0x200;
constexpr std::array<uint16_t, HraniceTabulky> Zpet = [] {
    std::array<uint16_t, HraniceTabulky> zpet{};
    for (char32_t z = 0; z < 0x80; ++z)
        zpet[z] = static_cast<uint16_t>(z | Presny);
    for (const tNejblizsiZnak& n : NejblizsiZnaky)
        if (n.Znak < HraniceTabulky)
            zpet[n.Znak] = n.Bajt;
    for (const tRozvinutyZnak& r : RozvinuteZnaky)
        if (r.Znak < HraniceTabulky)
            zpet[r.Znak] = Rozvinuty;
    for (size_t i = 0; i < HorniPolovina.size(); ++i)
        zpet[HorniPolovina[i]] = static_cast<uint16_t>((0x80 + i) | Presny);
    return zpet;
}();

void PridejUtf8(std::string& cil, char32_t znak) {
    if (znak < 0x80) {
        cil += static_cast<char>(znak);
    } else if (znak < 0x800) {
        cil += static_cast<char>(0xC0 | (znak >> 6));
        cil += static_cast<char>(0x80 | (znak & 0x3F));
    } else {
        cil += static_cast<char>(0xE0 | (znak >> 12));
        cil += static_cast<char>(0x80 | ((znak >> 6) & 0x3F));
        cil += static_cast<char>(0x80 | (znak & 0x3F));
    }
}

// The nearest byte of a character; counts it in nepresnych when it is not its own.
char DoWin1250(char32_t znak, size_t& nepresnych) {
    if (znak < HraniceTabulky) {
        const uint16_t z = Zpet[znak];
        if (z & Presny)
            return static_cast<char>(z & 0xFF);
        ++nepresnych;
        return z == 0 ? Otaznik : static_cast<char>(z);
    }
    unsigned char bajt = 0;
    {
        const auto* n =
            std::lower_bound(NejblizsiZnaky.begin(), NejblizsiZnaky.end(), znak,
                             [](const tNejblizsiZnak& a, char32_t b) { return a.Znak < b; });
        if (n != NejblizsiZnaky.end() && n->Znak == znak)
            bajt = n->Bajt;
    }
    if (bajt >= 0x80 ? HorniPolovina[bajt - 0x80] != znak : bajt != znak) {
        ++nepresnych;
        if (bajt == 0)
            return Otaznik;
    }
    return static_cast<char>(bajt);
}

const tRozvinutyZnak* NajdiRozvinuty(char32_t znak) {
    const auto* r =
        std::lower_bound(RozvinuteZnaky.begin(), RozvinuteZnaky.end(), znak,
                         [](const tRozvinutyZnak& a, char32_t b) { return a.Znak < b; });
    return r != RozvinuteZnaky.end() && r->Znak == znak ? r : nullptr;
}

// The character in Windows-1250 at kam: one byte, or several (a ligature) or none (a
// zero-width character), never more than the character's UTF-8 form. Returns the end.
char* Zapis(char32_t znak, char* kam, size_t& nepresnych) {
    if (znak < HraniceTabulky && (Zpet[znak] & Rozvinuty) == 0) {
        *kam++ = DoWin1250(znak, nepresnych);
        return kam;
    }
    if (const tRozvinutyZnak* r = NajdiRozvinuty(znak)) {
        ++nepresnych;
        for (uint8_t i = 0; i < r->Delka; ++i)
            *kam++ = static_cast<char>(r->Bajty[i]);
        return kam;
    }
    *kam++ = DoWin1250(znak, nepresnych);
    return kam;
}

// The character that a letter and the combining mark after it compose into, 0 for none.
char32_t Slozeny(char32_t zaklad, char32_t znamenko) {
    const auto* s = std::lower_bound(Slozeni.begin(), Slozeni.end(), std::pair{zaklad, znamenko},
                                     [](const tSlozeni& a, const std::pair<char32_t, char32_t>& b) {
                                         return a.Zaklad != b.first ? a.Zaklad < b.first
                                                                    : a.Znamenko < b.second;
                                     });
    return s != Slozeni.end() && s->Zaklad == zaklad && s->Znamenko == znamenko ? s->Slozeny : 0;
}

// Whether a UTF-16 unit is a combining mark that may compose with the letter before it.
bool JeZnamenko(char32_t znak) {
    return znak >= 0x300 && znak < 0x370;
}

// The length of the well-formed UTF-8 sequence at text[i], or 0: no overlong forms, no
// surrogates, nothing above U+10FFFF.
int DelkaSekvence(std::string_view text, size_t i) {
    const auto b = static_cast<unsigned char>(text[i]);
    const size_t zbyva = text.size() - i;
    const auto n = [&](size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const auto pokracuje = [&](size_t k) { return (n(k) & 0xC0) == 0x80; };
    if (b >= 0xC2 && b <= 0xDF)
        return zbyva >= 2 && pokracuje(1) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF) {
        const unsigned char od = b == 0xE0 ? 0xA0 : 0x80, po = b == 0xED ? 0x9F : 0xBF;
        return zbyva >= 3 && n(1) >= od && n(1) <= po && pokracuje(2) ? 3 : 0;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        const unsigned char od = b == 0xF0 ? 0x90 : 0x80, po = b == 0xF4 ? 0x8F : 0xBF;
        return zbyva >= 4 && n(1) >= od && n(1) <= po && pokracuje(2) && pokracuje(3) ? 4 : 0;
    }
    return 0;
}

} // namespace

char16_t Win1250NaUnicode(unsigned char bajt) {
    return bajt < 0x80 ? static_cast<char16_t>(bajt) : HorniPolovina[bajt - 0x80];
}

int UnicodeNaWin1250(char32_t znak) {
    if (znak < 0x80)
        return static_cast<int>(znak);
    if (znak >= Zpet.size() || !(Zpet[znak] & Presny))
        return -1;
    return Zpet[znak] & 0xFF;
}

char NejblizsiWin1250(char32_t znak, size_t& nepresnych) {
    return DoWin1250(znak, nepresnych);
}

std::u16string Win1250NaUtf16(std::string_view text) {
    std::u16string vysledek;
    vysledek.reserve(text.size());
    for (char c : text)
        vysledek += Win1250NaUnicode(static_cast<unsigned char>(c));
    return vysledek;
}

std::string Utf16NaWin1250(std::u16string_view text, size_t* nepresnych) {
    std::string vysledek;
    vysledek.reserve(text.size());
    size_t bez = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i; // a pair is one character
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = Nahradni; // a lone half
        }
        while (i + 1 < text.size() && JeZnamenko(text[i + 1])) {
            const char32_t slozeny = Slozeny(c, text[i + 1]);
            if (slozeny == 0)
                break;
            c = slozeny;
            ++i;
        }
        std::array<char, 4> znak{};
        vysledek.append(znak.data(), static_cast<size_t>(Zapis(c, znak.data(), bez) - znak.data()));
    }
    if (nepresnych)
        *nepresnych += bez;
    return vysledek;
}

std::string Win1250NaUtf8(std::string_view text) {
    std::string vysledek;
    vysledek.reserve(text.size() + text.size() / 4);
    for (char c : text)
        PridejUtf8(vysledek, Win1250NaUnicode(static_cast<unsigned char>(c)));
    return vysledek;
}

namespace {

// Sixteen bytes from od to kam, which may lie before od within them: all are read first.
void Kopiruj16(const char* od, char* kam) {
    std::array<char, 16> blok{};
    std::memcpy(blok.data(), od, blok.size());
    std::memcpy(kam, blok.data(), blok.size());
}

// Converts the UTF-8 text od[0, delka) to kam, which may be od itself: each byte written lies
// at or before the byte being read. Returns the end of what was written.
char* PrevedUtf8(const char* od, size_t delka, char* kam, size_t& bez) {
    const std::string_view text(od, delka);
    const auto bajt = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    // A combining mark of U+0300 to U+036F (CC 80 to CD AF) may follow at k.
    const auto znamenko = [&](size_t k) {
        return k + 1 < text.size() && (bajt(k) & 0xFE) == 0xCC && (bajt(k + 1) & 0xC0) == 0x80;
    };
    size_t i = 0;
    while (i < text.size()) {
        // Plain ASCII is copied sixteen bytes at a time, and a shorter run of it up to the
        // next byte that is not plain at once: most of a table is plain, and an accented
        // letter every few bytes is usual. A letter a combining mark follows is left to the
        // step below, which composes the two.
        if (i + 16 <= text.size()) {
            const unsigned horni = NeAsciiBity16(od + i);
            const size_t prostych = horni == 0 ? 16 : static_cast<size_t>(std::countr_zero(horni));
            const size_t kopie = prostych > 0 && znamenko(i + prostych) ? prostych - 1 : prostych;
            if (kopie == 16) {
                Kopiruj16(od + i, kam);
                kam += 16;
                i += 16;
                continue;
            }
            for (size_t k = 0; k < kopie; ++k) // forward: each byte lands at or before its own
                kam[k] = od[i + k];
            kam += kopie;
            i += kopie;
        }
        const auto b = bajt(i);
        if (b < 0x80 && !znamenko(i + 1)) {
            *kam++ = static_cast<char>(b);
            ++i;
            continue;
        }
        char32_t znak = b;
        if (b < 0x80) {
            ++i;
        } else if (b >= 0xC2 && b <= 0xDF && i + 1 < text.size() && (bajt(i + 1) & 0xC0) == 0x80) {
            // Czech letters are two bytes: the common case first.
            znak = ((b & 0x1Fu) << 6) | (bajt(i + 1) & 0x3Fu);
            i += 2;
            // The usual accented letter: a byte of its own, and no mark after it.
            if (const uint16_t z = Zpet[znak]; (z & Presny) != 0 && !znamenko(i)) {
                *kam++ = static_cast<char>(z & 0xFF);
                continue;
            }
        } else if (const int delkaSekvence = DelkaSekvence(text, i); delkaSekvence == 0) {
            // Each byte of a broken sequence is one replacement character.
            *kam++ = DoWin1250(Nahradni, bez);
            ++i;
            continue;
        } else {
            znak = b & (0x7F >> delkaSekvence);
            for (int k = 1; k < delkaSekvence; ++k)
                znak = (znak << 6) | (bajt(i + static_cast<size_t>(k)) & 0x3F);
            i += static_cast<size_t>(delkaSekvence);
        }
        // A letter and its combining marks are one character (e + U+0301 is é); what is
        // written never passes what was read, so the text can be converted where it is.
        while (znamenko(i)) {
            const char32_t slozeny =
                Slozeny(znak, ((bajt(i) & 0x1Fu) << 6) | (bajt(i + 1) & 0x3Fu));
            if (slozeny == 0)
                break;
            znak = slozeny;
            i += 2;
        }
        kam = Zapis(znak, kam, bez);
    }
    return kam;
}

} // namespace

size_t PridejZUtf8(std::string& cil, std::string_view text) {
    // Every sequence, and every byte that starts none, gives one byte: the text's length is
    // room enough.
    const size_t zacatek = cil.size();
    cil.resize(zacatek + text.size());
    size_t bez = 0;
    const char* konec = PrevedUtf8(text.data(), text.size(), cil.data() + zacatek, bez);
    cil.resize(static_cast<size_t>(konec - cil.data()));
    return bez;
}

size_t Utf8NaWin1250NaMiste(std::string& text) {
    size_t bez = 0;
    const char* konec = PrevedUtf8(text.data(), text.size(), text.data(), bez);
    text.resize(static_cast<size_t>(konec - text.data()));
    return bez;
}

size_t Latin1NaWin1250NaMiste(std::string& text) {
    size_t bez = 0;
    // Æ and æ become two letters; no Latin-1 character becomes none.
    size_t navic = 0;
    for (const char c : text)
        if (const auto b = static_cast<unsigned char>(c); b >= 0x80 && (Zpet[b] & Rozvinuty) != 0)
            navic += NajdiRozvinuty(b)->Delka - 1;
    if (navic == 0) {
        for (char& c : text)
            if (static_cast<unsigned char>(c) >= 0x80)
                c = DoWin1250(static_cast<unsigned char>(c), bez);
        return bez;
    }
    // From the end, so that each character is read before its place is written.
    const size_t puvodne = text.size();
    text.resize(puvodne + navic);
    size_t kam = text.size();
    for (size_t i = puvodne; i-- > 0;) {
        std::array<char, 4> znak{};
        const auto n = static_cast<size_t>(
            Zapis(static_cast<unsigned char>(text[i]), znak.data(), bez) - znak.data());
        kam -= n;
        std::copy_n(znak.data(), n, text.begin() + static_cast<std::ptrdiff_t>(kam));
    }
    return bez;
}

std::string Utf8NaWin1250(std::string_view text, size_t* nepresnych) {
    std::string vysledek;
    const size_t bez = PridejZUtf8(vysledek, text);
    if (nepresnych)
        *nepresnych += bez;
    return vysledek;
}

bool JePlatneUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const int delka = DelkaSekvence(text, i);
        if (delka == 0)
            return false;
        i += static_cast<size_t>(delka);
    }
    return true;
}
