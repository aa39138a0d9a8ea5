#pragma once
// A value is one line of the settings file and one printed field: it never holds a line break.

#include <algorithm>
#include <string>
#include <string_view>

// CR and LF would split the value's line, NUL would end it when read back.
constexpr bool LameRadek(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

// The text with each byte that breaks a line turned into a blank.
inline std::string BezZlomu(std::string_view text) {
    std::string vysledek(text);
    std::replace_if(vysledek.begin(), vysledek.end(), LameRadek, ' ');
    return vysledek;
}
