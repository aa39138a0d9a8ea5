#include "Bajty.h"

#include "Chyba.h"
#include "Kodovani.h"
#include "Sablona.h"
#include "Win1250.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Keeps everything written to it.
class tZachycenaUloha : public tTiskovaUloha {
public:
    void Write(const std::string& data) override {
        Data += data;
        ++Zapisu;
    }
    void Dokonci() override {}
    std::string Data;
    int Zapisu = 0;
};

struct tVysledek {
    std::string data;
    int pocitadlo = 0;
};

// Expands line 1 of a layout with the given line settings. Texts are UTF-8 here and
// Windows-1250 inside.
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
    tZachycenaUloha uloha;
    tVysledek v;
    RozvinSablonu(Utf8NaWin1250(sablona), 1, pohledy, popis, uloha, v.pocitadlo);
    v.data = uloha.Data;
    return v;
}

// The manual run's list: value 0 empty, then twenty fields.
std::vector<std::string> Rucne(std::vector<std::string> pole) {
    pole.insert(pole.begin(), "");
    pole.resize(21);
    return pole;
}

struct tRozvoj {
    std::string_view sablona;
    std::vector<std::string> hodnoty;
    std::string_view radek; // UTF-8, without CR LF
};

void PrintTo(const tRozvoj& p, std::ostream* os) {
    *os << Citelne(p.sablona);
}

class SablonaRozvoj : public ::testing::TestWithParam<tRozvoj> {};

TEST_P(SablonaRozvoj, TiskneRadek) {
    const tRozvoj& p = GetParam();
    // an ordinary line, and one so long that the row is sent piece by piece
    for (int32_t delka : {100, 2147483647}) {
        tVysledek v = Rozvin(p.sablona, p.hodnoty, delka);
        EXPECT_EQ(v.data, Utf8NaWin1250(p.radek) + "\r\n") << "HrDelka " << delka;
        EXPECT_EQ(v.pocitadlo, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Zastupne, SablonaRozvoj,
    ::testing::Values(
        tRozvoj{"Cena: {3,8*} Kč", Rucne({"", "", "125"}), "Cena:      125 Kč"},
        tRozvoj{"{1,5}", Rucne({"ABCDEFGH"}), "ABCDE"}, tRozvoj{"{1,5}|", Rucne({"AB"}), "AB   |"},
        tRozvoj{"{1,*5}|", Rucne({"AB"}), "   AB|"}, tRozvoj{"[{1,0}]", Rucne({"AB"}), "[]"},
        tRozvoj{"[{25}]", Rucne({"AB"}), "[]"}, tRozvoj{"[{0}]", Rucne({"AB"}), "[]"},
        tRozvoj{"[{0}]", {"7", "AB"}, "[7]"}, tRozvoj{"[{-1}]", Rucne({"AB"}), "[]"},
        tRozvoj{"a}b{1}", Rucne({"AB"}), "a}b{1}"}, tRozvoj{"x{1", Rucne({"AB"}), "x{1"},
        // after a placeholder the next "}" is again searched from the start of the rest
        tRozvoj{"{1}x}{1}", Rucne({"AB"}), "ABx}{1}"}, tRozvoj{"{1,}", Rucne({"AB"}), "AB"},
        tRozvoj{"{1,*}", Rucne({"AB"}), "AB"}, tRozvoj{"{ 1}", Rucne({"AB"}), "AB"},
        tRozvoj{"{1, 5}|", Rucne({"AB"}), "AB   |"},
        tRozvoj{"{$A}", Rucne({"", "", "", "", "", "", "", "", "", "ten"}), "ten"},
        tRozvoj{"{1,-5}|", Rucne({"ABCDEFGH"}), "ABCDEFGH|"}, tRozvoj{"{1}", Rucne({"{2}"}), "{2}"},
        tRozvoj{"<{1}{2}>", Rucne({"A", "B"}), "<AB>"}, tRozvoj{"", Rucne({"AB"}), ""}));

struct tChyba {
    std::string_view sablona;
    std::string_view zprava;
};

void PrintTo(const tChyba& p, std::ostream* os) {
    *os << Citelne(p.sablona);
}

class SablonaChyba : public ::testing::TestWithParam<tChyba> {};

TEST_P(SablonaChyba, HlasiPrevodCisla) {
    const tChyba& p = GetParam();
    tVysledek v;
    try {
        v = Rozvin(p.sablona, Rucne({"AB"}), 10);
        FAIL() << "no error for " << p.sablona;
    } catch (const eChyba& e) {
        EXPECT_EQ(std::string(e.what()), p.zprava);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Spatne, SablonaChyba,
    ::testing::Values(tChyba{"{1 }", "'1 ' is not a valid integer value"},
                      tChyba{"{1,5 }", "'5 ' is not a valid integer value"},
                      tChyba{"{1,5 *}", "'5 ' is not a valid integer value"},
                      tChyba{"{}", "'' is not a valid integer value"},
                      tChyba{"{a}", "'a' is not a valid integer value"},
                      tChyba{"{a,x}", "'a' is not a valid integer value"},
                      tChyba{"{1,2147483647}{x}", "'x' is not a valid integer value"},
                      tChyba{"{1,2147483648}", "'2147483648' is not a valid integer value"}));

TEST(Sablona, ChybaNicNezapise) {
    tPopisOblepky popis;
    popis.PocetRadkuOblepky = 1;
    popis.Radky[1].HrDelka = 10;
    tZachycenaUloha uloha;
    int pocitadlo = 0;
    EXPECT_THROW(RozvinSablonu("{1,2147483647} {x}", 1, {}, popis, uloha, pocitadlo), eChyba);
    EXPECT_EQ(uloha.Zapisu, 0);
    EXPECT_EQ(pocitadlo, 0);
}

// Only the first 255 characters after the comma form the width.
TEST(Sablona, SirkaNejvyse255Znaku) {
    std::string mezery(254, ' ');
    EXPECT_EQ(Rozvin("{1," + mezery + "3}|", Rucne({"ABCDEF"})).data, "ABC|\r\n");
    EXPECT_THROW(Rozvin("{1," + mezery + " 3}", Rucne({"ABCDEF"})), eChyba);
}

struct tRadek {
    int32_t delka;
    int32_t zleva;
    std::string_view sablona;
    std::string_view radek;
};

void PrintTo(const tRadek& p, std::ostream* os) {
    *os << Citelne(p.sablona) << " " << p.delka << " " << p.zleva;
}

class SablonaRez : public ::testing::TestWithParam<tRadek> {};

TEST_P(SablonaRez, RezeAOdsazuje) {
    const tRadek& p = GetParam();
    tVysledek v = Rozvin(p.sablona, Rucne({"AB"}), p.delka, p.zleva);
    EXPECT_EQ(v.data, std::string(p.radek) + "\r\n");
    EXPECT_EQ(v.pocitadlo, 1);
}

INSTANTIATE_TEST_SUITE_P(DelkaAOdsazeni, SablonaRez,
                         ::testing::Values(tRadek{10, 0, "ABCDEFGHIJKL", "ABCDEFGHIJ"},
                                           tRadek{0, 4, "ABC", ""},
                                           tRadek{100, 4, "ABC", "    ABC"}, tRadek{100, 4, "", ""},
                                           tRadek{-1, 4, "ABC", ""}, tRadek{100, -3, "ABC", "ABC"},
                                           tRadek{10, 0, "{1,2147483647}|", "AB        "},
                                           tRadek{10, 0, "{1,2147483647*}", "          "},
                                           tRadek{3, 2, "{1,5*}", "     "},
                                           tRadek{4, 1, "{1}{1}{1}", " ABAB"}));

// The same line expanded with changing templates and values, a bad one among them.
TEST(Sablona, StridaniSablonNaJednomRadku) {
    EXPECT_EQ(Rozvin("<{1}>", Rucne({"A"})).data, "<A>\r\n");
    EXPECT_EQ(Rozvin("<{1}>", Rucne({"B"})).data, "<B>\r\n");
    EXPECT_EQ(Rozvin("<{2,3*}>", Rucne({"A", "B"})).data, "<  B>\r\n");
    EXPECT_THROW(Rozvin("<{2,3*}>{z}", Rucne({"A", "B"})), eChyba);
    EXPECT_THROW(Rozvin("<{2,3*}>{z}", Rucne({"A", "B"})), eChyba);
    EXPECT_EQ(Rozvin("<{2,3*}>", Rucne({"A", "C"})).data, "<  C>\r\n");
    EXPECT_EQ(Rozvin("<{1}>", Rucne({"D"})).data, "<D>\r\n");
}

TEST(Sablona, PocetRadkuOblepky) {
    tPopisOblepky popis;
    popis.PocetRadkuOblepky = 2;
    tZachycenaUloha uloha;
    int pocitadlo = 0;
    for (int i = 1; i <= 5; ++i) {
        popis.Radky[static_cast<size_t>(i)].HrDelka = 10;
        RozvinSablonu("L" + std::to_string(i), i, {}, popis, uloha, pocitadlo);
    }
    EXPECT_EQ(uloha.Data, "L1\r\nL2\r\n");
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
              PrevedKodovani(1, Utf8NaWin1250(kun) + "\r\n"));
}

TEST(Sablona, NulovyBajtProjde) {
    tPopisOblepky popis;
    popis.PocetRadkuOblepky = 1;
    popis.Radky[1].HrDelka = 10;
    std::string hodnota("A\0B", 3);
    std::vector<std::string_view> hodnoty = {"", hodnota};
    tZachycenaUloha uloha;
    int pocitadlo = 0;
    RozvinSablonu(std::string_view("{1,4}\0", 6), 1, hodnoty, popis, uloha, pocitadlo);
    EXPECT_EQ(uloha.Data, std::string("A\0B \0\r\n", 7));
}

// Rows longer than the job's piece size reach it in several writes that add up to the row,
// each converted.
TEST(Sablona, DlouhyRadekPoKusech) {
    tVysledek v = Rozvin("{1,200000*}", Rucne({"ž"}), 2147483647, 70000, 3);
    std::string ocekavano = std::string(70000 + 199999, ' ') + "\x91\r\n";
    EXPECT_EQ(v.data.size(), ocekavano.size());
    EXPECT_EQ(v.data, ocekavano);

    std::string dlouha(150000, 'x');
    dlouha += "š";
    v = Rozvin("{1}", Rucne({dlouha}), 2147483647, 0, 3);
    EXPECT_EQ(v.data, std::string(150000, 'x') + "\xA8\r\n");
}

} // namespace
