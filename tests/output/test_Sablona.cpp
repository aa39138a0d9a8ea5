#include "tests/output/Bajty.h"

#include "core/Chyba.h"
#include "core/Kodovani.h"
#include "core/Win1250.h"
#include "output/Sablona.h"
#include "tests/podpora/ZachytUlohy.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct tVysledek {
    std::string data, chyba;
    int pocitadlo = 0, zapisu = 0;
};

// Expands line 1 of a layout with the given line settings. Texts are UTF-8 here and
// Windows-1250 inside; an error comes back in chyba with what was written before it.
tVysledek Rozvin(std::string_view sablona, const std::vector<std::string>& hodnotyUtf8,
                 int32_t delka = 100, int32_t zleva = 0, int16_t kodovani = 0) {
    tPopisOblepky popis;
    popis.PocetRadkuOblepky = 5;
    popis.Kodovani = kodovani;
    popis.Radky[1].HrDelka = delka;
    popis.Radky[1].HrZleva = zleva;
    std::vector<std::string> hodnoty;
    for (const std::string& h : hodnotyUtf8)
        hodnoty.push_back(Utf8NaWin1250(h));
    std::vector<std::string_view> pohledy(hodnoty.begin(), hodnoty.end());
    podpora::tZaznam zaznam;
    podpora::tZachytUlohy uloha(zaznam);
    tVysledek v;
    try {
        RozvinSablonu(Utf8NaWin1250(sablona), 1, pohledy, popis, uloha, v.pocitadlo);
    } catch (const eChyba& e) {
        v.chyba = e.what();
    }
    v.data = zaznam.Bajty();
    v.zapisu = static_cast<int>(zaznam.zapisu);
    return v;
}

// The manual run's list: value 0 empty, then twenty fields.
std::vector<std::string> Rucne(std::vector<std::string> pole) {
    pole.insert(pole.begin(), "");
    pole.resize(21);
    return pole;
}

std::string NeniCislo(const std::string& text) {
    return "'" + text + "' is not a valid integer value";
}

// Each template gives its line (UTF-8, without CR LF) or its error, which writes nothing and
// counts no line. Only the first 255 characters after the comma form the width.
TEST(Sablona, Zastupne) {
    using namespace std::string_literals;
    const std::string mezery(254, ' ');
    const struct {
        std::string sablona;
        std::vector<std::string> hodnoty;
        std::string radek, chyba = {};
    } pripady[] = {
        {"Cena: {3,8*} Kč", Rucne({"", "", "125"}), "Cena:      125 Kč"},
        {"{1,5}", Rucne({"ABCDEFGH"}), "ABCDE"},
        {"{1,5}|", Rucne({"AB"}), "AB   |"},
        {"{1,*5}|", Rucne({"AB"}), "   AB|"},
        {"[{1,0}]", Rucne({"AB"}), "[]"},
        {"[{25}]", Rucne({"AB"}), "[]"},
        {"[{0}]", Rucne({"AB"}), "[]"},
        {"[{0}]", {"7", "AB"}, "[7]"},
        {"[{-1}]", Rucne({"AB"}), "[]"},
        {"a}b{1}", Rucne({"AB"}), "a}b{1}"},
        {"x{1", Rucne({"AB"}), "x{1"},
        // after a placeholder the next "}" is again searched from the start of the rest
        {"{1}x}{1}", Rucne({"AB"}), "ABx}{1}"},
        {"{1,}", Rucne({"AB"}), "AB"},
        {"{1,*}", Rucne({"AB"}), "AB"},
        {"{ 1}", Rucne({"AB"}), "AB"},
        {"{1, 5}|", Rucne({"AB"}), "AB   |"},
        {"{$A}", Rucne({"", "", "", "", "", "", "", "", "", "ten"}), "ten"},
        {"{1,-5}|", Rucne({"ABCDEFGH"}), "ABCDEFGH|"},
        {"{1}", Rucne({"{2}"}), "{2}"},
        {"<{1}{2}>", Rucne({"A", "B"}), "<AB>"},
        {"", Rucne({"AB"}), ""},
        {"{1," + mezery + "3}|", Rucne({"ABCDEF"}), "ABC|"},
        {"{1,4}\0"s, Rucne({"A\0B"s}), "A\0B \0"s}, // the zero byte passes
        {"{1 }", Rucne({"AB"}), "", NeniCislo("1 ")},
        {"{1,5 }", Rucne({"AB"}), "", NeniCislo("5 ")},
        {"{1,5 *}", Rucne({"AB"}), "", NeniCislo("5 ")},
        {"{}", Rucne({"AB"}), "", NeniCislo("")},
        {"{a}", Rucne({"AB"}), "", NeniCislo("a")},
        {"{a,x}", Rucne({"AB"}), "", NeniCislo("a")},
        {"{1,2147483647}{x}", Rucne({"AB"}), "", NeniCislo("x")},
        {"{1,2147483647} {x}", Rucne({"AB"}), "", NeniCislo("x")},
        {"{1,2147483648}", Rucne({"AB"}), "", NeniCislo("2147483648")},
        {"{1," + mezery + " 3}", Rucne({"AB"}), "", NeniCislo(mezery + " ")},
    };
    for (const auto& p : pripady) {
        // an ordinary line, and one so long that the row is sent piece by piece
        for (int32_t delka : {100, 2147483647}) {
            tVysledek v = Rozvin(p.sablona, p.hodnoty, delka);
            const bool chyba = !p.chyba.empty();
            EXPECT_EQ(v.chyba, p.chyba) << Citelne(p.sablona);
            EXPECT_EQ(v.data, chyba ? "" : Utf8NaWin1250(p.radek) + "\r\n") << Citelne(p.sablona);
            EXPECT_EQ(v.zapisu == 0, chyba) << Citelne(p.sablona);
            EXPECT_EQ(v.pocitadlo, chyba ? 0 : 1) << Citelne(p.sablona);
        }
    }
}

TEST(Sablona, RezeAOdsazuje) {
    const struct {
        int32_t delka, zleva;
        std::string_view sablona, radek;
    } pripady[] = {
        {10, 0, "ABCDEFGHIJKL", "ABCDEFGHIJ"},
        {0, 4, "ABC", ""},
        {100, 4, "ABC", "    ABC"},
        {100, 4, "", ""},
        {-1, 4, "ABC", ""},
        {100, -3, "ABC", "ABC"},
        {10, 0, "{1,2147483647}|", "AB        "},
        {10, 0, "{1,2147483647*}", "          "},
        {3, 2, "{1,5*}", "     "},
        {4, 1, "{1}{1}{1}", " ABAB"},
    };
    for (const auto& p : pripady) {
        tVysledek v = Rozvin(p.sablona, Rucne({"AB"}), p.delka, p.zleva);
        EXPECT_EQ(v.data, std::string(p.radek) + "\r\n") << p.sablona << " " << p.delka;
        EXPECT_EQ(v.pocitadlo, 1);
    }
}

// The same line expanded with changing templates and values, a bad one among them.
TEST(Sablona, StridaniSablonNaJednomRadku) {
    const struct {
        std::string_view sablona;
        std::string a, b, radek;
    } kroky[] = {
        {"<{1}>", "A", "", "<A>"},       {"<{1}>", "B", "", "<B>"},
        {"<{2,3*}>", "A", "B", "<  B>"}, {"<{2,3*}>{z}", "A", "B", ""},
        {"<{2,3*}>{z}", "A", "B", ""},   {"<{2,3*}>", "A", "C", "<  C>"},
        {"<{1}>", "D", "", "<D>"},
    };
    for (const auto& k : kroky) {
        tVysledek v = Rozvin(k.sablona, Rucne({k.a, k.b}));
        EXPECT_EQ(v.data, k.radek.empty() ? "" : k.radek + "\r\n") << k.sablona;
        EXPECT_EQ(v.chyba.empty(), !k.radek.empty()) << k.sablona;
    }
}

TEST(Sablona, PocetRadkuOblepky) {
    tPopisOblepky popis;
    popis.PocetRadkuOblepky = 2;
    podpora::tZaznam zaznam;
    podpora::tZachytUlohy uloha(zaznam);
    int pocitadlo = 0;
    for (int i = 1; i <= 5; ++i) {
        popis.Radky[static_cast<size_t>(i)].HrDelka = 10;
        RozvinSablonu("L" + std::to_string(i), i, {}, popis, uloha, pocitadlo);
    }
    EXPECT_EQ(zaznam.Bajty(), "L1\r\nL2\r\n");
    EXPECT_EQ(pocitadlo, 2);

    popis.PocetRadkuOblepky = 10; // no line 6 to print
    RozvinSablonu("L6", 6, {}, popis, uloha, pocitadlo);
    EXPECT_EQ(pocitadlo, 2);
}

// Kodovani chooses the conversion by its low 8 bits: 259 is Kamenický, -1 (255) and 256 (0)
// convert nothing, 257 is the OEM code page.
TEST(Sablona, RadekProjdeKodovanim) {
    const std::string kun = "Žluťoučký kůň";
    for (int16_t kodovani : {3, 259})
        EXPECT_EQ(Hex(Rozvin("{1}", Rucne({kun}), 100, 1, kodovani).data),
                  "20 92 6C 75 9F 6F 75 87 6B 98 20 6B 96 A4 0D 0A")
            << kodovani;
    for (int16_t kodovani : {-1, 256})
        EXPECT_EQ(Rozvin("{1}", Rucne({kun}), 100, 0, kodovani).data, Utf8NaWin1250(kun) + "\r\n")
            << kodovani;
    EXPECT_EQ(Rozvin("{1}", Rucne({kun}), 100, 0, 257).data,
              PrevedKodovani(tKodovani::Oem, Utf8NaWin1250(kun) + "\r\n"));
}

// Rows longer than the job's piece size reach it in several writes that add up to the row,
// each converted.
TEST(Sablona, DlouhyRadekPoKusech) {
    tVysledek v = Rozvin("{1,200000*}", Rucne({"ž"}), 2147483647, 70000, 3);
    std::string ocekavano = std::string(70000 + 199999, ' ') + "\x91\r\n";
    EXPECT_EQ(v.data, ocekavano);

    std::string dlouha(150000, 'x');
    dlouha += "š";
    v = Rozvin("{1}", Rucne({dlouha}), 2147483647, 0, 3);
    EXPECT_EQ(v.data, std::string(150000, 'x') + "\xA8\r\n");
}

} // namespace
