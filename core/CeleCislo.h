#pragma once
// The one integer conversion of the program, and integers to text.
//
// Accepts leading spaces (the space only), then either an optional "+" or "-" and
// decimal digits within -2147483648 .. 2147483647, or one of the prefixes "$", "x", "X",
// "0x", "0X" and at most eight significant hexadecimal digits without a sign (80000000 to
// FFFFFFFF read as negative numbers). Nothing may follow the digits.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Raises eChyba "'%s' is not a valid integer value" with the whole text.
int32_t TextNaCislo(std::string_view text);

namespace detail {
std::optional<int32_t> ZkusTextNaCisloPodlePravidel(std::string_view text) noexcept;
}

// The same conversion without the error. The usual count or width, a few plain digits, is
// read here without the general rules, to the same result: a table file has one in every
// row, and a call for it cost more than the reading.
inline std::optional<int32_t> ZkusTextNaCislo(std::string_view text) noexcept {
    if (!text.empty() && text.size() <= 9) {
        int32_t hodnota = 0;
        size_t k = 0;
        for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k)
            hodnota = hodnota * 10 + (text[k] - '0');
        if (k == text.size())
            return hodnota;
    }
    return detail::ZkusTextNaCisloPodlePravidel(text);
}

// Plain decimal with "-" for negatives.
std::string CisloNaText(long long cislo);

// Adds one to a number written in decimal digits, in its text: "199" becomes "200".
void PrictiJednicku(std::string& cislice);
