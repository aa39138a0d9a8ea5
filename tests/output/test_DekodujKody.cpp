#include "tests/output/Bajty.h"

#include "output/DekodujKody.h"

#include <gtest/gtest.h>

namespace {

TEST(DekodujKody, DavaBajty) {
    using namespace std::string_literals;
    // Leading zeros keep a digit run small; bytes below the space, the zero byte among them,
    // only separate.
    const struct {
        std::string text;
        std::string_view bajty;
    } pripady[] = {
        {"27 64", "1B 40"},
        {"  27   64 ", "1B 40"},
        {"27\t64", "1B 40"},
        {"27,64", "1B 2C 40"},
        {"2764", "CC"},
        {"27 E 15", "1B 45 0F"},
        {"ESC", "45 53 43"},
        {"27A64", "1B 41 40"},
        {"0x1B", "00 78 01 42"},
        {"-1", "2D 01"},
        {"0", "00"},
        {"256", "00"},
        {"300", "2C"},
        {"007", "07"},
        {"2147483647", "FF"},
        {"27 2147483648 64", "1B 40"},
        {"A B", "41 42"},
        {"32", "20"},
        {"\xE8", "E8"},
        {"", ""},
        {" \t\r\n ", ""},
        {"0000000000000000000065", "41"},
        {"1\0002\0373"s, "01 02 03"},
    };
    for (const auto& p : pripady)
        EXPECT_EQ(Hex(DekodujKody(p.text)), Hex(Bajty(p.bajty))) << Citelne(p.text);
    // numbers from 2^31 up, and a very long digit run, are dropped
    EXPECT_EQ(Hex(DekodujKody("2147483646 2147483648 9999999999 4294967296")), "FE");
    EXPECT_EQ(Hex(DekodujKody("27 " + std::string(1'000'000, '9') + " 64")), "1B 40");
}

} // namespace
