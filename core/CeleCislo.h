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

// The same conversion without the error.
std::optional<int32_t> ZkusTextNaCislo(std::string_view text) noexcept;

// Plain decimal with "-" for negatives.
std::string CisloNaText(long long cislo);
