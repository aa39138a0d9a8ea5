#include "Bajty.h"

#include "DekodujKody.h"

#include <gtest/gtest.h>

namespace {

struct tPripad {
    std::string_view text;
    std::string_view bajty;
};

void PrintTo(const tPripad& p, std::ostream* os) {
    *os << Citelne(p.text);
}

class DekodujKodyTabulka : public ::testing::TestWithParam<tPripad> {};

TEST_P(DekodujKodyTabulka, DavaBajty) {
    const tPripad& p = GetParam();
    EXPECT_EQ(Hex(DekodujKody(p.text)), Hex(Bajty(p.bajty))) << "text: " << p.text;
}

INSTANTIATE_TEST_SUITE_P(
    Zapis, DekodujKodyTabulka,
    ::testing::Values(tPripad{"27 64", "1B 40"}, tPripad{"  27   64 ", "1B 40"},
                      tPripad{"27\t64", "1B 40"}, tPripad{"27,64", "1B 2C 40"},
                      tPripad{"2764", "CC"}, tPripad{"27 E 15", "1B 45 0F"},
                      tPripad{"ESC", "45 53 43"}, tPripad{"27A64", "1B 41 40"},
                      tPripad{"0x1B", "00 78 01 42"}, tPripad{"-1", "2D 01"}, tPripad{"0", "00"},
                      tPripad{"256", "00"}, tPripad{"300", "2C"}, tPripad{"007", "07"},
                      tPripad{"2147483647", "FF"}, tPripad{"27 2147483648 64", "1B 40"},
                      tPripad{"A B", "41 42"}, tPripad{"32", "20"}, tPripad{"\xE8", "E8"},
                      tPripad{"", ""}, tPripad{" \t\r\n ", ""},
                      // a digit run with leading zeros is still small
                      tPripad{"0000000000000000000065", "41"},
                      // bytes below the space, the zero byte among them, only separate
                      tPripad{std::string_view("1\0"
                                               "2\x1F"
                                               "3",
                                               5),
                              "01 02 03"}));

TEST(DekodujKody, DlouhyBehCislicSeZahodi) {
    std::string text = "27 " + std::string(1'000'000, '9') + " 64";
    EXPECT_EQ(Hex(DekodujKody(text)), "1B 40");
}

TEST(DekodujKody, HraniceDvaMiliardy) {
    EXPECT_EQ(Hex(DekodujKody("2147483646 2147483648 9999999999 4294967296")), "FE");
}

} // namespace
