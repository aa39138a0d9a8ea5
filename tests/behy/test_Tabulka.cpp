// The clipboard text read as one table: size, header and number column, data cells.

#include "Tabulka.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The whole table as rows of cell texts, row 0 and column 0 included.
std::vector<std::vector<std::string>> Obsah(const tTabulka& t) {
    std::vector<std::vector<std::string>> obsah;
    for (int r = 0; r < t.PocetRadku(); ++r) {
        obsah.emplace_back();
        for (int c = 0; c < t.PocetSloupcu(); ++c)
            obsah.back().emplace_back(t.Bunka(c, r));
    }
    return obsah;
}

struct tPripad {
    const char* nazev;
    std::string text;
    std::vector<std::vector<std::string>> obsah;
};

void PrintTo(const tPripad& pripad, std::ostream* os) {
    *os << pripad.nazev;
}

class Import : public testing::TestWithParam<tPripad> {};

TEST_P(Import, DavaTabulku) {
    tTabulka t;
    t.NactiText(GetParam().text);
    EXPECT_EQ(Obsah(t), GetParam().obsah);
}

INSTANTIATE_TEST_SUITE_P(
    Pripady, Import,
    testing::Values(
        tPripad{"prazdny", "", {{""}}},
        tPripad{"dvaRadky", "A\tB\r\nC", {{"", "1", "2"}, {"1", "A", "B"}, {"2", "C", ""}}},
        tPripad{"koncovyZlomNepridaRadek", "A\r\nB\r\n", {{"", "1"}, {"1", "A"}, {"2", "B"}}},
        tPripad{"samotneCr", "A\rB", {{"", "1"}, {"1", "A"}, {"2", "B"}}},
        tPripad{"samotneLf", "A\nB", {{"", "1"}, {"1", "A"}, {"2", "B"}}},
        tPripad{"lfCrJePrazdnyRadek", "A\n\rB", {{"", "1"}, {"1", "A"}, {"2", ""}, {"3", "B"}}},
        tPripad{"crCrLf", "A\r\r\nB", {{"", "1"}, {"1", "A"}, {"2", ""}, {"3", "B"}}},
        tPripad{"jenCrLf", "\r\n", {{"", "1"}, {"1", ""}}},
        tPripad{"prazdneRadkyUprostred", "\n\nA", {{"", "1"}, {"1", ""}, {"2", ""}, {"3", "A"}}},
        tPripad{"dvaTabulatory", "A\t\tB", {{"", "1", "2", "3"}, {"1", "A", "", "B"}}},
        tPripad{"koncovyTabulatorRozsiruje",
                "A\tB\t\r\nC",
                {{"", "1", "2", "3"}, {"1", "A", "B", ""}, {"2", "C", "", ""}}},
        tPripad{"jenTabulatory", "\t\t", {{"", "1", "2", "3"}, {"1", "", "", ""}}},
        tPripad{"uvozovkyObycejne",
                "\"a\tb\"\r\n\"c\nd\"",
                {{"", "1", "2"}, {"1", "\"a", "b\""}, {"2", "\"c", ""}, {"3", "d\"", ""}}},
        tPripad{"mezeryZustavaji", " a \t  \r\n", {{"", "1", "2"}, {"1", " a ", "  "}}},
        tPripad{"bajtyNad127", "\xE8\x9A\t\x81", {{"", "1", "2"}, {"1", "\xE8\x9A", "\x81"}}},
        tPripad{"konciNaPrvniNule",
                std::string("A\tB\nC\0D\tE\tF", 11),
                {{"", "1", "2"}, {"1", "A", "B"}, {"2", "C", ""}}}),
    [](const auto& info) { return std::string(info.param.nazev); });

TEST(Tabulka, PredPrvnimImportemJePetKratPetPrazdnych) {
    tTabulka t;
    EXPECT_EQ(t.PocetSloupcu(), 5);
    EXPECT_EQ(t.PocetRadku(), 5);
    EXPECT_EQ(Obsah(t), std::vector<std::vector<std::string>>(5, std::vector<std::string>(5)));
}

TEST(Tabulka, NovyImportNicNenechava) {
    tTabulka t;
    t.NactiText("a\tb\tc\td\te\r\nf\tg\th\ti\tj\r\nk\r\nl");
    t.NactiText("x\ty\r\nq");
    EXPECT_EQ(Obsah(t), (std::vector<std::vector<std::string>>{
                            {"", "1", "2"}, {"1", "x", "y"}, {"2", "q", ""}}));
    // Cells of the earlier, wider and longer table read as "" now.
    EXPECT_EQ(t.Bunka(3, 1), "");
    EXPECT_EQ(t.Bunka(5, 2), "");
    EXPECT_EQ(t.Bunka(1, 4), "");
}

TEST(Tabulka, DlouhyRadekMeziKratkymi) {
    tTabulka t;
    t.NactiText("a\tb\r\n1\t2\t3\t4\t5\t6\t7\r\nc\td");
    ASSERT_EQ(t.PocetSloupcu(), 8);
    ASSERT_EQ(t.PocetRadku(), 4);
    for (int c = 1; c <= 7; ++c)
        EXPECT_EQ(t.Bunka(c, 0), std::to_string(c));
    for (int c = 3; c <= 7; ++c) {
        EXPECT_EQ(t.Bunka(c, 1), "");
        EXPECT_EQ(t.Bunka(c, 3), "");
    }
    EXPECT_EQ(t.Bunka(7, 2), "7");
    EXPECT_EQ(t.DelkaRadku(0), 8);
    EXPECT_EQ(t.DelkaRadku(1), 3);
    EXPECT_EQ(t.DelkaRadku(2), 8);
    EXPECT_EQ(t.DelkaRadku(4), 0);
}

TEST(Tabulka, BunkyMimoTabulkuJsouPrazdne) {
    tTabulka t;
    t.NactiText("a\tb");
    for (auto [c, r] : std::vector<std::pair<int, int>>{
             {-1, 1}, {1, -1}, {3, 1}, {1, 2}, {-2147483647 - 1, 0}, {2147483647, 2147483647}})
        EXPECT_EQ(t.Bunka(c, r), "") << c << "," << r;
}

TEST(Tabulka, CislaRadkuPresDeset) {
    // Number texts of more than one digit come from the shared buffer at the right place.
    std::string text;
    for (int i = 0; i < 1234; ++i)
        text += "x\n";
    tTabulka t;
    t.NactiText(text);
    ASSERT_EQ(t.PocetRadku(), 1235);
    for (int r : {1, 9, 10, 11, 99, 100, 101, 999, 1000, 1234})
        EXPECT_EQ(t.Bunka(0, r), std::to_string(r));
}

} // namespace
