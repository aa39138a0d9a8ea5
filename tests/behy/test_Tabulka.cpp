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

using tObsah = std::vector<std::vector<std::string>>;

TEST(Tabulka, Import) {
    const struct {
        const char* nazev;
        std::string text;
        tObsah obsah;
    } pripady[] = {
        {"prazdny", "", {{""}}},
        {"dvaRadky", "A\tB\r\nC", {{"", "1", "2"}, {"1", "A", "B"}, {"2", "C", ""}}},
        {"koncovyZlomNepridaRadek", "A\r\nB\r\n", {{"", "1"}, {"1", "A"}, {"2", "B"}}},
        {"samotneCr", "A\rB", {{"", "1"}, {"1", "A"}, {"2", "B"}}},
        {"samotneLf", "A\nB", {{"", "1"}, {"1", "A"}, {"2", "B"}}},
        {"lfCrJePrazdnyRadek", "A\n\rB", {{"", "1"}, {"1", "A"}, {"2", ""}, {"3", "B"}}},
        {"crCrLf", "A\r\r\nB", {{"", "1"}, {"1", "A"}, {"2", ""}, {"3", "B"}}},
        {"jenCrLf", "\r\n", {{"", "1"}, {"1", ""}}},
        {"prazdneRadkyUprostred", "\n\nA", {{"", "1"}, {"1", ""}, {"2", ""}, {"3", "A"}}},
        {"dvaTabulatory", "A\t\tB", {{"", "1", "2", "3"}, {"1", "A", "", "B"}}},
        {"koncovyTabulatorRozsiruje",
         "A\tB\t\r\nC",
         {{"", "1", "2", "3"}, {"1", "A", "B", ""}, {"2", "C", "", ""}}},
        {"jenTabulatory", "\t\t", {{"", "1", "2", "3"}, {"1", "", "", ""}}},
        {"uvozovkyObycejne",
         "\"a\tb\"\r\n\"c\nd\"",
         {{"", "1", "2"}, {"1", "\"a", "b\""}, {"2", "\"c", ""}, {"3", "d\"", ""}}},
        {"mezeryZustavaji", " a \t  \r\n", {{"", "1", "2"}, {"1", " a ", "  "}}},
        {"bajtyNad127", "\xE8\x9A\t\x81", {{"", "1", "2"}, {"1", "\xE8\x9A", "\x81"}}},
        {"konciNaPrvniNule",
         std::string("A\tB\nC\0D\tE\tF", 11),
         {{"", "1", "2"}, {"1", "A", "B"}, {"2", "C", ""}}},
        {"dlouhyRadekMeziKratkymi",
         "a\tb\r\n1\t2\t3\t4\t5\t6\t7\r\nc\td",
         {{"", "1", "2", "3", "4", "5", "6", "7"},
          {"1", "a", "b", "", "", "", "", ""},
          {"2", "1", "2", "3", "4", "5", "6", "7"},
          {"3", "c", "d", "", "", "", "", ""}}},
    };
    for (const auto& p : pripady) {
        tTabulka t;
        t.NactiText(p.text);
        EXPECT_EQ(Obsah(t), p.obsah) << p.nazev;
    }
}

TEST(Tabulka, PredPrvnimImportemJePetKratPetPrazdnych) {
    tTabulka t;
    EXPECT_EQ(Obsah(t), tObsah(5, std::vector<std::string>(5)));
}

TEST(Tabulka, NovyImportNicNenechava) {
    tTabulka t;
    t.NactiText("a\tb\tc\td\te\r\nf\tg\th\ti\tj\r\nk\r\nl");
    t.NactiText("x\ty\r\nq");
    EXPECT_EQ(Obsah(t), (tObsah{{"", "1", "2"}, {"1", "x", "y"}, {"2", "q", ""}}));
    // Cells of the earlier, wider and longer table read as "" now.
    EXPECT_EQ(t.Bunka(3, 1), "");
    EXPECT_EQ(t.Bunka(5, 2), "");
    EXPECT_EQ(t.Bunka(1, 4), "");
}

TEST(Tabulka, DelkaRadku) {
    tTabulka t;
    t.NactiText("a\tb\r\n1\t2\t3\t4\t5\t6\t7\r\nc\td");
    for (auto [radek, delka] : std::vector<std::pair<int, int>>{{0, 8}, {1, 3}, {2, 8}, {4, 0}})
        EXPECT_EQ(t.DelkaRadku(radek), delka) << radek;
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
