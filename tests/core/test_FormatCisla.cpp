// Number formats against what the spreadsheet itself shows: the cases and the expected
// texts come from its "as shown" export (tests/data/sesity/vyrob_sesity.py).

#include "tests/podpora/CsvZobrazeni.h"

#include "core/FormatCisla.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Rows of the export: the code (or "#N", a built-in format), the shown text, the value.
void Porovnej(const std::string& soubor, tSystemDat system) {
    const auto radky = NactiZobrazeni(std::string(OBLEPKY_SESITY) + "/" + soubor);
    ASSERT_GT(radky.size(), 4U);
    for (size_t r = 1; r < radky.size(); ++r) {
        ASSERT_EQ(radky[r].size(), 3U) << "row " << r + 1;
        const std::string& kod = radky[r][0];
        const std::string& ocekavano = radky[r][1];
        const double hodnota = std::strtod(radky[r][2].c_str(), nullptr); // stod refuses 5e-324
        SCOPED_TRACE(soubor + ": " + kod + " of " + radky[r][2]);
        const std::string skutecny =
            kod.starts_with('#') && kod.size() > 1 && kod[1] >= '0' && kod[1] <= '9'
                ? std::string(VestavenyFormat(std::stoi(kod.substr(1))))
                : kod;
        const auto text = FormatujCisloUtf8(hodnota, skutecny, system);
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, ocekavano);
    }
}

TEST(FormatCisla, JakoTabulkovyProcesor) {
    Porovnej("formaty.csv", tSystemDat::Od1900);
}

TEST(FormatCisla, DataOd1904) {
    Porovnej("formaty1904.csv", tSystemDat::Od1904);
}

TEST(FormatCisla, CoNelzeVykreslitAText) {
    // Codes the renderer does not know are refused (the reader falls back to General).
    for (const char* kod : {"[DBNum1]0", "0\"", "B1yyyy", "0;0;0;0;0", "[>=5"}) {
        SCOPED_TRACE(kod);
        EXPECT_FALSE(FormatujCisloUtf8(1, kod).has_value());
    }
    EXPECT_FALSE(FormatujCisloUtf8(-1, "d.m.yyyy").has_value()); // no day before the first
    const struct {
        const char* text;
        const char* kod;
        const char* ocekavano;
    } texty[] = {
        {"abc", "@", "abc"},       {"abc", "0;-0;0;\"[\"@\"]\"", "[abc]"},
        {"abc", "0.00", "abc"},    {"abc", "\"Zboží: \"@", "Zboží: abc"},
        {"007", "General", "007"},
    };
    for (const auto& t : texty)
        EXPECT_EQ(FormatujTextUtf8(t.text, t.kod), t.ocekavano) << t.kod;
}

} // namespace
