#pragma once
// The constant tables behind PrevedKodovani. Entry i belongs to the input byte 128 + i.

#include <array>
#include <cstdint>

// Output tables of the modes 2 to 5 (Windows-1250 byte -> printer byte).
extern const std::array<uint8_t, 128> TabulkaAscii;
extern const std::array<uint8_t, 128> TabulkaKamenicky;
extern const std::array<uint8_t, 128> TabulkaCp852;
extern const std::array<uint8_t, 128> TabulkaIso88592;

// The upper halves of the OEM code pages as Unicode (OEM byte -> character).
extern const std::array<char16_t, 128> UnicodeCp437;
extern const std::array<char16_t, 128> UnicodeCp850;
extern const std::array<char16_t, 128> UnicodeCp852;
