#pragma once
// Windows-1250, the program's 8-bit character set, against Unicode.
// The five bytes without a character (81 83 88 90 98) map to the C1 controls of the same
// number, so every byte survives a round trip.

#include <string>
#include <string_view>

// The Unicode character of a Windows-1250 byte.
char16_t Win1250NaUnicode(unsigned char bajt);

// The Windows-1250 byte of a Unicode character, or -1 when the set lacks it.
int UnicodeNaWin1250(char32_t znak);

// Whole texts. A character that Windows-1250 lacks becomes "?"; a UTF-16 surrogate pair
// counts as one character. Invalid UTF-8 sequences become "?".
std::u16string Win1250NaUtf16(std::string_view text);
std::string Utf16NaWin1250(std::u16string_view text);
std::string Win1250NaUtf8(std::string_view text);
std::string Utf8NaWin1250(std::string_view text);
// Utf8NaWin1250 appended to cil, for a caller that converts many lines into one buffer.
void PridejZUtf8(std::string& cil, std::string_view text);
