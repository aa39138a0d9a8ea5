#include "tests/output/Bajty.h"

#include "core/Kodovani.h"
#include "core/Win1250.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// Žluťoučký kůň, CR LF in Windows-1250.
const std::string Kun = Bajty("8E 6C 75 9D 6F 75 E8 6B FD 20 6B F9 F2 0D 0A");

// One byte through a mode.
uint8_t Bajt(tKodovani kodovani, unsigned vstup) {
    std::string vysledek = PrevedKodovani(kodovani, std::string(1, static_cast<char>(vstup)));
    return static_cast<uint8_t>(vysledek.at(0));
}

// Every mode keeps the length and the lower half; modes other than 1 to 5 change nothing,
// and say so; every mode has its way back.
TEST(Kodovani, PrazdnyRadekADelka) {
    std::string vsechny;
    for (int b = 0; b < 256; ++b)
        vsechny += static_cast<char>(b);
    for (int rezim = 0; rezim < 256; ++rezim) {
        auto r = static_cast<tKodovani>(rezim);
        EXPECT_EQ(PrevedKodovani(r, ""), "");
        std::string vysledek = PrevedKodovani(r, vsechny);
        ASSERT_EQ(vysledek.size(), 256u);
        EXPECT_EQ(vysledek.substr(0, 128), vsechny.substr(0, 128)) << rezim;
        if (rezim == 0 || rezim > 5) {
            EXPECT_EQ(vysledek, vsechny) << rezim;
        }
        EXPECT_EQ(PrevadiKodovani(r), vysledek != vsechny) << rezim; // a line may skip it
        // The way back gives a character that reaches the printer as the same byte; only
        // the bytes without a character of their own may come back as none.
        for (int b = 0; b < 256; ++b) {
            const auto dostane = static_cast<unsigned char>(vysledek[static_cast<size_t>(b)]);
            const int znak = ZnakTiskarny(r, dostane);
            if (znak >= 0)
                EXPECT_EQ(Bajt(r, static_cast<unsigned>(znak)), dostane) << rezim << " " << b;
            else
                EXPECT_TRUE(std::set<int>({0x80, 0x81, 0x83, 0x88, 0x90, 0x98}).contains(b))
                    << rezim << " " << b;
        }
    }
    EXPECT_EQ(ZnakTiskarny(tKodovani::Kamenicky, 0x80),
              0xC8); // Kamenický 80 is "Č", not the euro sign
}

// The full upper halves of modes 2 (ASCII) and 3 (Kamenický), sixteen characters a row.
TEST(Kodovani, TabulkyAsciiAKamenicky) {
    const struct {
        const char* znaky; // UTF-8, Windows-1250 bytes 80 to FF in order
        std::string_view ascii, kamenicky;
    } radky[] = {
        {"€\u0081‚\u0083„…†‡\u0088‰Š‹ŚŤŽŹ", "20 20 2C 20 22 2E 20 20 20 25 53 3C 53 54 5A 5A",
         "80 81 27 83 22 3F 3F 3F 88 3F 9B 3C 53 86 92 5A"},
        {"\u0090‘’“”•–—\u0098™š›śťžź", "20 27 27 22 22 FE 2D 2D 20 20 73 3E 73 74 7A 7A",
         "90 27 27 22 22 2A 2D 2D 98 74 A8 3E 73 9F 91 7A"},
        {"\u00A0ˇ˘Ł¤Ą¦§¨©Ş«¬\u00AD®Ż", "20 20 20 4C 20 41 7C 24 20 20 53 AE 2D 2D 20 5A",
         "3F 3F 3F 4C 3F 41 7C AD 22 63 53 AF 2D 2D 52 5A"},
        {"°±˛ł´µ¶·¸ąş»Ľ˝ľż", "F8 20 2C 6C 27 20 20 FA F2 61 73 AF 4C 22 6C 7A",
         "F8 F1 3F 6C 27 E6 E3 FA 3F 61 73 AE 9C 22 8C 7A"},
        {"ŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎ", "52 41 41 41 41 4C 43 43 43 45 45 45 45 49 49 44",
         "AB 8F 41 41 8E 8A 43 43 80 90 45 45 89 8B 49 85"},
        {"ĐŃŇÓÔŐÖ×ŘŮÚŰÜÝŢß", "44 4E 4E 4F 4F 4F 4F 78 52 55 55 55 55 59 54 E1",
         "44 4E A5 95 A7 4F 99 2A 9E A6 97 55 9A 9D 54 42"},
        {"ŕáâăäĺćçčéęëěíîď", "72 61 61 61 61 6C 63 63 63 65 65 65 65 69 69 64",
         "AA A0 61 61 84 8D 63 63 87 82 65 65 88 A1 69 83"},
        {"đńňóôőö÷řůúűüýţ˙", "64 6E 6E 6F 6F 6F 6F 3A 72 75 75 75 75 79 74 20",
         "64 6E A4 A2 93 6F 94 F6 A9 96 A3 75 81 98 74 3F"},
    };
    unsigned vstup = 0x80;
    for (const auto& r : radky) {
        std::string bajty;
        for (unsigned b = vstup; b < vstup + 16; ++b)
            bajty += static_cast<char>(b);
        ASSERT_EQ(Hex(Utf8NaWin1250(r.znaky)), Hex(bajty)) << r.znaky;
        EXPECT_EQ(Hex(PrevedKodovani(tKodovani::Ascii, bajty)), r.ascii) << r.znaky;
        EXPECT_EQ(Hex(PrevedKodovani(tKodovani::Kamenicky, bajty)), r.kamenicky) << r.znaky;
        vstup += 16;
    }
}

// Modes 4 and 5: the substitutes for what the target lacks, and standard letters; every
// other byte must land on a distinct character of the upper half, as a real conversion does.
const std::vector<std::vector<unsigned>> Nahrady = {
    // input, mode 4, mode 5
    {0x80, 0x80, 0x80}, {0x81, 0x81, 0x81}, {0x83, 0x83, 0x83}, {0x88, 0x88, 0x88},
    {0x90, 0x90, 0x90}, {0x98, 0x98, 0x98}, {0x82, 0x27, 0x27}, {0x84, 0x22, 0x22},
    {0x85, 0x3F, 0x3F}, {0x86, 0x3F, 0x3F}, {0x87, 0x3F, 0x3F}, {0x89, 0x3F, 0x3F},
    {0x8B, 0x3C, 0x3C}, {0x91, 0x27, 0x27}, {0x92, 0x27, 0x27}, {0x93, 0x22, 0x22},
    {0x94, 0x22, 0x22}, {0x95, 0x2A, 0x2A}, {0x96, 0x2D, 0x2D}, {0x97, 0x2D, 0x2D},
    {0x99, 0x74, 0x74}, {0x9B, 0x3E, 0x3E}, {0xA6, 0x7C, 0x7C}, {0xA9, 0x63, 0x63},
    {0xAB, 0xAE, 0x3F}, {0xAC, 0xAA, 0x2D}, {0xAE, 0x52, 0x52}, {0xB1, 0x2B, 0x2B},
    {0xB5, 0x75, 0x75}, {0xB6, 0x3F, 0x3F}, {0xB7, 0x2E, 0x2E}, {0xBB, 0xAF, 0x3F},
};

struct tPismeno {
    char16_t znak;
    uint8_t cp852;
    uint8_t iso;
};

const std::vector<tPismeno> Pismena = {
    {u'Č', 0xAC, 0xC8}, {u'č', 0x9F, 0xE8}, {u'Ď', 0xD2, 0xCF},    {u'ď', 0xD4, 0xEF},
    {u'Ě', 0xB7, 0xCC}, {u'ě', 0xD8, 0xEC}, {u'Ň', 0xD5, 0xD2},    {u'ň', 0xE5, 0xF2},
    {u'Ř', 0xFC, 0xD8}, {u'ř', 0xFD, 0xF8}, {u'Š', 0xE6, 0xA9},    {u'š', 0xE7, 0xB9},
    {u'Ť', 0x9B, 0xAB}, {u'ť', 0x9C, 0xBB}, {u'Ů', 0xDE, 0xD9},    {u'ů', 0x85, 0xF9},
    {u'Ž', 0xA6, 0xAE}, {u'ž', 0xA7, 0xBE}, {u'Á', 0xB5, 0xC1},    {u'á', 0xA0, 0xE1},
    {u'É', 0x90, 0xC9}, {u'é', 0x82, 0xE9}, {u'Í', 0xD6, 0xCD},    {u'í', 0xA1, 0xED},
    {u'Ó', 0xE0, 0xD3}, {u'ó', 0xA2, 0xF3}, {u'Ú', 0xE9, 0xDA},    {u'ú', 0xA3, 0xFA},
    {u'Ý', 0xED, 0xDD}, {u'ý', 0xEC, 0xFD}, {u'Ą', 0xA4, 0xA1},    {u'ą', 0xA5, 0xB1},
    {u'Ł', 0x9D, 0xA3}, {u'ł', 0x88, 0xB3}, {u'Ś', 0x97, 0xA6},    {u'ś', 0x98, 0xB6},
    {u'Ź', 0x8D, 0xAC}, {u'ź', 0xAB, 0xBC}, {u'Ż', 0xBD, 0xAF},    {u'ż', 0xBE, 0xBF},
    {u'Ľ', 0x95, 0xA5}, {u'ľ', 0x96, 0xB5}, {u'Ő', 0x8A, 0xD5},    {u'ő', 0x8B, 0xF5},
    {u'Ä', 0x8E, 0xC4}, {u'ö', 0x94, 0xF6}, {u'ü', 0x81, 0xFC},    {u'ß', 0xE1, 0xDF},
    {u'§', 0xF5, 0xA7}, {u'°', 0xF8, 0xB0}, {u'\xA0', 0xFF, 0xA0}, {u'ˇ', 0xF3, 0xB7},
    {u'˝', 0xF1, 0xBD}, {u'˙', 0xFA, 0xFF}, {u'×', 0x9E, 0xD7},    {u'÷', 0xF6, 0xF7},
};

TEST(Kodovani, TabulkyCp852AIso) {
    std::set<unsigned> nahrazene;
    for (const auto& n : Nahrady) {
        nahrazene.insert(n[0]);
        EXPECT_EQ(Bajt(tKodovani::Cp852, n[0]), n[1]) << std::hex << n[0];
        EXPECT_EQ(Bajt(tKodovani::Iso88592, n[0]), n[2]) << std::hex << n[0];
    }
    for (const tPismeno& p : Pismena) {
        auto vstup = static_cast<unsigned>(UnicodeNaWin1250(p.znak));
        EXPECT_EQ(Bajt(tKodovani::Cp852, vstup), p.cp852) << "U+" << std::hex << int(p.znak);
        EXPECT_EQ(Bajt(tKodovani::Iso88592, vstup), p.iso) << "U+" << std::hex << int(p.znak);
    }
    for (tKodovani kodovani : {tKodovani::Cp852, tKodovani::Iso88592}) {
        std::set<unsigned> vystupy;
        for (unsigned vstup = 0x80; vstup < 0x100; ++vstup) {
            if (nahrazene.count(vstup) ||
                (kodovani == tKodovani::Cp852 && (vstup == 0xAB || vstup == 0xBB)))
                continue;
            unsigned vystup = Bajt(kodovani, vstup);
            EXPECT_GE(vystup, 0x80u) << std::hex << vstup;
            EXPECT_TRUE(vystupy.insert(vystup).second) << "twice: " << std::hex << vystup;
        }
    }
    // Windows-1250 and ISO 8859-2 agree on C0 to FF.
    for (unsigned vstup = 0xC0; vstup < 0x100; ++vstup)
        EXPECT_EQ(Bajt(tKodovani::Iso88592, vstup), vstup);
}

// Only the whole language code counts ("csb", "c").
TEST(Kodovani, OemStrankaLocale) {
    const std::pair<tOemStranka, std::vector<std::string_view>> pripady[] = {
        {tOemStranka::Cp852, {"cs_CZ.UTF-8", "sk_SK", "pl", "hu_HU.ISO-8859-2", "sr_RS@latin"}},
        {tOemStranka::Cp850, {"de_DE.UTF-8", "nb_NO", "fr_CA@euro"}},
        {tOemStranka::Cp437, {"sr_RS", "en_US.UTF-8", "C", "POSIX", "", "csb_PL", "c"}},
    };
    for (const auto& [stranka, locales] : pripady)
        for (std::string_view locale : locales)
            EXPECT_EQ(OemStrankaLocale(locale), stranka) << locale;
}

std::string DoOem(tOemStranka stranka, std::string text) {
    PrevedDoOem(stranka, text.data(), text.size());
    return text;
}

TEST(Kodovani, OemCestinaAAnglictina) {
    EXPECT_EQ(Hex(DoOem(OemStrankaLocale("cs_CZ.UTF-8"), Kun)),
              "A6 6C 75 9C 6F 75 9F 6B EC 20 6B 85 E5 0D 0A");
    EXPECT_EQ(DoOem(OemStrankaLocale("en_US.UTF-8"), Kun), "?lu?ou?k? k??\r\n");
    // what CP 437 has arrives, and the zero byte does not end the line
    std::string text = Utf8NaWin1250(std::string_view("é\0ä ß°«»", 14));
    EXPECT_EQ(Hex(DoOem(tOemStranka::Cp437, text)), "82 00 84 20 E1 F8 AE AF");
    EXPECT_EQ(Hex(DoOem(tOemStranka::Cp850, Utf8NaWin1250("×Ó®§"))), "9E E0 A9 F5");
    // the euro and the bytes without a character are not in CP 852 either
    EXPECT_EQ(DoOem(tOemStranka::Cp852, Bajty("80 81 98")), "???");
    EXPECT_EQ(PrevedKodovani(tKodovani::Oem, Kun), DoOem(OemStrankaPocitace(), Kun));
}

} // namespace
