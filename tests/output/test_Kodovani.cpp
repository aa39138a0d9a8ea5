#include "Bajty.h"

#include "Kodovani.h"
#include "Win1250.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// Žluťoučký kůň, CR LF in Windows-1250.
const std::string Kun = Bajty("8E 6C 75 9D 6F 75 E8 6B FD 20 6B F9 F2 0D 0A");

// One byte through a mode.
uint8_t Bajt(uint8_t rezim, unsigned vstup) {
    std::string vysledek = PrevedKodovani(rezim, std::string(1, static_cast<char>(vstup)));
    return static_cast<uint8_t>(vysledek.at(0));
}

struct tKun {
    uint8_t rezim;
    std::string_view bajty;
};

void PrintTo(const tKun& p, std::ostream* os) {
    *os << int(p.rezim);
}

class KodovaniKun : public ::testing::TestWithParam<tKun> {};

TEST_P(KodovaniKun, PrevedeSlova) {
    EXPECT_EQ(Hex(PrevedKodovani(GetParam().rezim, Kun)), GetParam().bajty);
}

INSTANTIATE_TEST_SUITE_P(Rezimy, KodovaniKun,
                         ::testing::Values(tKun{0, "8E 6C 75 9D 6F 75 E8 6B FD 20 6B F9 F2 0D 0A"},
                                           tKun{2, "5A 6C 75 74 6F 75 63 6B 79 20 6B 75 6E 0D 0A"},
                                           tKun{3, "92 6C 75 9F 6F 75 87 6B 98 20 6B 96 A4 0D 0A"},
                                           tKun{4, "A6 6C 75 9C 6F 75 9F 6B EC 20 6B 85 E5 0D 0A"},
                                           tKun{5, "AE 6C 75 BB 6F 75 E8 6B FD 20 6B F9 F2 0D 0A"},
                                           tKun{6, "8E 6C 75 9D 6F 75 E8 6B FD 20 6B F9 F2 0D 0A"},
                                           tKun{255,
                                                "8E 6C 75 9D 6F 75 E8 6B FD 20 6B F9 F2 0D 0A"}));

TEST(Kodovani, PrazdnyRadekADelka) {
    std::string vsechny;
    for (int b = 0; b < 256; ++b)
        vsechny += static_cast<char>(b);
    for (int rezim = 0; rezim < 256; ++rezim) {
        auto r = static_cast<uint8_t>(rezim);
        EXPECT_EQ(PrevedKodovani(r, ""), "");
        std::string vysledek = PrevedKodovani(r, vsechny);
        ASSERT_EQ(vysledek.size(), 256u);
        EXPECT_EQ(vysledek.substr(0, 128), vsechny.substr(0, 128)) << rezim;
    }
}

// The full tables once more, written as character -> byte. A "none" byte is given as its
// C1 control, which Windows-1250 maps back to that byte.
struct tZnak {
    char16_t znak;
    uint8_t bajt;
};

void OverTabulku(uint8_t rezim, const std::vector<tZnak>& tabulka) {
    std::set<int> vstupy;
    for (const tZnak& z : tabulka) {
        int vstup = UnicodeNaWin1250(z.znak);
        ASSERT_GE(vstup, 0x80) << "U+" << std::hex << int(z.znak);
        vstupy.insert(vstup);
        EXPECT_EQ(Bajt(rezim, static_cast<unsigned>(vstup)), z.bajt)
            << "mode " << int(rezim) << ", byte " << Hex(std::string(1, char(vstup)));
    }
    EXPECT_EQ(vstupy.size(), 128u);
}

TEST(Kodovani, TabulkaAscii) {
    OverTabulku(
        2, {{u'€', 0x20},    {u'\x81', 0x20}, {u'‚', 0x2C},    {u'\x83', 0x20}, {u'„', 0x22},
            {u'…', 0x2E},    {u'†', 0x20},    {u'‡', 0x20},    {u'\x88', 0x20}, {u'‰', 0x25},
            {u'Š', 'S'},     {u'‹', 0x3C},    {u'Ś', 'S'},     {u'Ť', 'T'},     {u'Ž', 'Z'},
            {u'Ź', 'Z'},     {u'\x90', 0x20}, {u'‘', 0x27},    {u'’', 0x27},    {u'“', 0x22},
            {u'”', 0x22},    {u'•', 0xFE},    {u'–', 0x2D},    {u'—', 0x2D},    {u'\x98', 0x20},
            {u'™', 0x20},    {u'š', 's'},     {u'›', 0x3E},    {u'ś', 's'},     {u'ť', 't'},
            {u'ž', 'z'},     {u'ź', 'z'},     {u'\xA0', 0x20}, {u'ˇ', 0x20},    {u'˘', 0x20},
            {u'Ł', 'L'},     {u'¤', 0x20},    {u'Ą', 'A'},     {u'¦', 0x7C},    {u'§', 0x24},
            {u'¨', 0x20},    {u'©', 0x20},    {u'Ş', 'S'},     {u'«', 0xAE},    {u'¬', 0x2D},
            {u'\xAD', 0x2D}, {u'®', 0x20},    {u'Ż', 'Z'},     {u'°', 0xF8},    {u'±', 0x20},
            {u'˛', 0x2C},    {u'ł', 'l'},     {u'´', 0x27},    {u'µ', 0x20},    {u'¶', 0x20},
            {u'·', 0xFA},    {u'¸', 0xF2},    {u'ą', 'a'},     {u'ş', 's'},     {u'»', 0xAF},
            {u'Ľ', 'L'},     {u'˝', 0x22},    {u'ľ', 'l'},     {u'ż', 'z'},     {u'Ŕ', 'R'},
            {u'Á', 'A'},     {u'Â', 'A'},     {u'Ă', 'A'},     {u'Ä', 'A'},     {u'Ĺ', 'L'},
            {u'Ć', 'C'},     {u'Ç', 'C'},     {u'Č', 'C'},     {u'É', 'E'},     {u'Ę', 'E'},
            {u'Ë', 'E'},     {u'Ě', 'E'},     {u'Í', 'I'},     {u'Î', 'I'},     {u'Ď', 'D'},
            {u'Đ', 'D'},     {u'Ń', 'N'},     {u'Ň', 'N'},     {u'Ó', 'O'},     {u'Ô', 'O'},
            {u'Ő', 'O'},     {u'Ö', 'O'},     {u'×', 'x'},     {u'Ř', 'R'},     {u'Ů', 'U'},
            {u'Ú', 'U'},     {u'Ű', 'U'},     {u'Ü', 'U'},     {u'Ý', 'Y'},     {u'Ţ', 'T'},
            {u'ß', 0xE1},    {u'ŕ', 'r'},     {u'á', 'a'},     {u'â', 'a'},     {u'ă', 'a'},
            {u'ä', 'a'},     {u'ĺ', 'l'},     {u'ć', 'c'},     {u'ç', 'c'},     {u'č', 'c'},
            {u'é', 'e'},     {u'ę', 'e'},     {u'ë', 'e'},     {u'ě', 'e'},     {u'í', 'i'},
            {u'î', 'i'},     {u'ď', 'd'},     {u'đ', 'd'},     {u'ń', 'n'},     {u'ň', 'n'},
            {u'ó', 'o'},     {u'ô', 'o'},     {u'ő', 'o'},     {u'ö', 'o'},     {u'÷', 0x3A},
            {u'ř', 'r'},     {u'ů', 'u'},     {u'ú', 'u'},     {u'ű', 'u'},     {u'ü', 'u'},
            {u'ý', 'y'},     {u'ţ', 't'},     {u'˙', 0x20}});
}

TEST(Kodovani, TabulkaKamenicky) {
    OverTabulku(
        3, {{u'€', 0x80},    {u'\x81', 0x81}, {u'‚', 0x27},    {u'\x83', 0x83}, {u'„', 0x22},
            {u'…', 0x3F},    {u'†', 0x3F},    {u'‡', 0x3F},    {u'\x88', 0x88}, {u'‰', 0x3F},
            {u'Š', 0x9B},    {u'‹', 0x3C},    {u'Ś', 'S'},     {u'Ť', 0x86},    {u'Ž', 0x92},
            {u'Ź', 'Z'},     {u'\x90', 0x90}, {u'‘', 0x27},    {u'’', 0x27},    {u'“', 0x22},
            {u'”', 0x22},    {u'•', 0x2A},    {u'–', 0x2D},    {u'—', 0x2D},    {u'\x98', 0x98},
            {u'™', 't'},     {u'š', 0xA8},    {u'›', 0x3E},    {u'ś', 's'},     {u'ť', 0x9F},
            {u'ž', 0x91},    {u'ź', 'z'},     {u'\xA0', 0x3F}, {u'ˇ', 0x3F},    {u'˘', 0x3F},
            {u'Ł', 'L'},     {u'¤', 0x3F},    {u'Ą', 'A'},     {u'¦', 0x7C},    {u'§', 0xAD},
            {u'¨', 0x22},    {u'©', 'c'},     {u'Ş', 'S'},     {u'«', 0xAF},    {u'¬', 0x2D},
            {u'\xAD', 0x2D}, {u'®', 'R'},     {u'Ż', 'Z'},     {u'°', 0xF8},    {u'±', 0xF1},
            {u'˛', 0x3F},    {u'ł', 'l'},     {u'´', 0x27},    {u'µ', 0xE6},    {u'¶', 0xE3},
            {u'·', 0xFA},    {u'¸', 0x3F},    {u'ą', 'a'},     {u'ş', 's'},     {u'»', 0xAE},
            {u'Ľ', 0x9C},    {u'˝', 0x22},    {u'ľ', 0x8C},    {u'ż', 'z'},     {u'Ŕ', 0xAB},
            {u'Á', 0x8F},    {u'Â', 'A'},     {u'Ă', 'A'},     {u'Ä', 0x8E},    {u'Ĺ', 0x8A},
            {u'Ć', 'C'},     {u'Ç', 'C'},     {u'Č', 0x80},    {u'É', 0x90},    {u'Ę', 'E'},
            {u'Ë', 'E'},     {u'Ě', 0x89},    {u'Í', 0x8B},    {u'Î', 'I'},     {u'Ď', 0x85},
            {u'Đ', 'D'},     {u'Ń', 'N'},     {u'Ň', 0xA5},    {u'Ó', 0x95},    {u'Ô', 0xA7},
            {u'Ő', 'O'},     {u'Ö', 0x99},    {u'×', 0x2A},    {u'Ř', 0x9E},    {u'Ů', 0xA6},
            {u'Ú', 0x97},    {u'Ű', 'U'},     {u'Ü', 0x9A},    {u'Ý', 0x9D},    {u'Ţ', 'T'},
            {u'ß', 'B'},     {u'ŕ', 0xAA},    {u'á', 0xA0},    {u'â', 'a'},     {u'ă', 'a'},
            {u'ä', 0x84},    {u'ĺ', 0x8D},    {u'ć', 'c'},     {u'ç', 'c'},     {u'č', 0x87},
            {u'é', 0x82},    {u'ę', 'e'},     {u'ë', 'e'},     {u'ě', 0x88},    {u'í', 0xA1},
            {u'î', 'i'},     {u'ď', 0x83},    {u'đ', 'd'},     {u'ń', 'n'},     {u'ň', 0xA4},
            {u'ó', 0xA2},    {u'ô', 0x93},    {u'ő', 'o'},     {u'ö', 0x94},    {u'÷', 0xF6},
            {u'ř', 0xA9},    {u'ů', 0x96},    {u'ú', 0xA3},    {u'ű', 'u'},     {u'ü', 0x81},
            {u'ý', 0x98},    {u'ţ', 't'},     {u'˙', 0x3F}});
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
        EXPECT_EQ(Bajt(4, n[0]), n[1]) << std::hex << n[0];
        EXPECT_EQ(Bajt(5, n[0]), n[2]) << std::hex << n[0];
    }
    for (const tPismeno& p : Pismena) {
        auto vstup = static_cast<unsigned>(UnicodeNaWin1250(p.znak));
        EXPECT_EQ(Bajt(4, vstup), p.cp852) << "U+" << std::hex << int(p.znak);
        EXPECT_EQ(Bajt(5, vstup), p.iso) << "U+" << std::hex << int(p.znak);
    }
    for (uint8_t rezim : {4, 5}) {
        std::set<unsigned> vystupy;
        for (unsigned vstup = 0x80; vstup < 0x100; ++vstup) {
            if (nahrazene.count(vstup) || (rezim == 4 && (vstup == 0xAB || vstup == 0xBB)))
                continue;
            unsigned vystup = Bajt(rezim, vstup);
            EXPECT_GE(vystup, 0x80u) << std::hex << vstup;
            EXPECT_TRUE(vystupy.insert(vystup).second) << "twice: " << std::hex << vystup;
        }
    }
    // Windows-1250 and ISO 8859-2 agree on C0 to FF.
    for (unsigned vstup = 0xC0; vstup < 0x100; ++vstup)
        EXPECT_EQ(Bajt(5, vstup), vstup);
}

struct tLocale {
    std::string_view locale;
    tOemStranka stranka;
};

void PrintTo(const tLocale& p, std::ostream* os) {
    *os << Citelne(p.locale);
}

class OemLocale : public ::testing::TestWithParam<tLocale> {};

TEST_P(OemLocale, UrciStranku) {
    EXPECT_EQ(OemStrankaLocale(GetParam().locale), GetParam().stranka) << GetParam().locale;
}

INSTANTIATE_TEST_SUITE_P(
    Jazyky, OemLocale,
    ::testing::Values(
        tLocale{"cs_CZ.UTF-8", tOemStranka::Cp852}, tLocale{"sk_SK", tOemStranka::Cp852},
        tLocale{"pl", tOemStranka::Cp852}, tLocale{"hu_HU.ISO-8859-2", tOemStranka::Cp852},
        tLocale{"sr_RS@latin", tOemStranka::Cp852}, tLocale{"sr_RS", tOemStranka::Cp437},
        tLocale{"de_DE.UTF-8", tOemStranka::Cp850}, tLocale{"nb_NO", tOemStranka::Cp850},
        tLocale{"fr_CA@euro", tOemStranka::Cp850}, tLocale{"en_US.UTF-8", tOemStranka::Cp437},
        tLocale{"C", tOemStranka::Cp437}, tLocale{"POSIX", tOemStranka::Cp437},
        tLocale{"", tOemStranka::Cp437},
        // only the whole language code counts
        tLocale{"csb_PL", tOemStranka::Cp437}, tLocale{"c", tOemStranka::Cp437}));

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
    EXPECT_EQ(PrevedKodovani(1, Kun), DoOem(OemStrankaPocitace(), Kun));
}

} // namespace
