// The integer conversion and the error box text.

#include "core/CeleCislo.h"
#include "core/Chyba.h"
#include "core/Win1250.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(CeleCislo, Prevod) {
    const struct {
        const char* text;
        std::optional<int32_t> cislo;
    } pripady[] = {
        {"0", 0},
        {"42", 42},
        {"+42", 42},
        {"-42", -42},
        {"007", 7},
        {"999999999", 999999999},
        {"1000000000", 1000000000},
        {"00000000012", 12},
        {"12345678x", std::nullopt},
        {"-12345678", -12345678},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"-2147483648", -2147483647 - 1},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"$1F", 31},
        {"x1f", 31},
        {"X1F", 31},
        {"0x1F", 31},
        {"0X1f", 31},
        {"$7FFFFFFF", 2147483647},
        {"$80000000", -2147483647 - 1},
        {"$FFFFFFFF", -1},
        {"$000000000FFFFFFFF", -1},
        {"$100000000", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"$G", std::nullopt},
        {"-$A", std::nullopt},
        {"+$A", std::nullopt},
        {"$-A", std::nullopt},
        {"   12", 12},
        {"12 ", std::nullopt},
        {"\t12", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"1 2", std::nullopt},
        {"1.0", std::nullopt},
        {"１", std::nullopt},
        {"\x9e"
         "1",
         std::nullopt},
    };
    for (const auto& p : pripady) {
        EXPECT_EQ(ZkusTextNaCislo(p.text), p.cislo) << "'" << p.text << "'";
        if (p.cislo) {
            EXPECT_EQ(TextNaCislo(p.text), *p.cislo);
        } else {
            try {
                TextNaCislo(p.text);
                ADD_FAILURE() << "no error for '" << p.text << "'";
            } catch (const eChyba& e) {
                EXPECT_EQ(e.what(), "'" + Win1250NaUtf8(p.text) + "' is not a valid integer value");
            }
        }
    }
    EXPECT_EQ(ZkusTextNaCislo(std::string_view("1\0", 2)), std::nullopt);
    // The message is UTF-8: a Windows-1250 cell is converted into it.
    try {
        TextNaCislo("\x9e"
                    "1");
    } catch (const eChyba& e) {
        EXPECT_STREQ(e.what(), "'ž1' is not a valid integer value");
    }
}

TEST(CeleCislo, NaText) {
    EXPECT_EQ(CisloNaText(-2147483648LL), "-2147483648");
    EXPECT_EQ(CisloNaText(0), "0");
    EXPECT_EQ(CisloNaText(40), "40");
}

TEST(Chyba, TeckaNaKonci) {
    const struct {
        std::string zprava, text;
    } pripady[] = {
        {"Chyba", "Chyba."},        {"Chyba 5", "Chyba 5."}, {"Chyba (5)", "Chyba (5)"},
        {"Konec.", "Konec."},       {"Pozor!", "Pozor!"},    {"Cesta /", "Cesta /."},
        {"Hodnota -", "Hodnota -"}, {"Kon\xe8", "Kon\xe8."}, {"", ""},
    };
    for (const auto& p : pripady)
        EXPECT_EQ(TextChyby(p.zprava), p.text) << p.zprava;
}

} // namespace
