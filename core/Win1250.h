#pragma once
// Windows-1250, the program's 8-bit character set, against Unicode: the one place where
// Unicode text becomes the program's text. Windows-1250 is the text of cells and fields, of
// the settings file and of what becomes printer bytes; messages, the print server's texts
// and job names are UTF-8, and file and queue names the bytes the system gives. These
// conversions are called only at the edges that scripts/kodovani lists.
// The five bytes without a character (81 83 88 90 98) map to the C1 controls of the same
// number, so every byte survives a round trip.

#include <cstddef>
#include <string>
#include <string_view>

// The Unicode character of a Windows-1250 byte.
char16_t Win1250NaUnicode(unsigned char bajt);

// The Windows-1250 byte of a Unicode character, or -1 when the set lacks it.
int UnicodeNaWin1250(char32_t znak);

// The byte of the character, or of its nearest neighbour when the set lacks it (è -> e,
// U+202F -> the no-break space, the minus sign -> "-"), or "?" when it has none (an emoji,
// CJK). Adds 1 to nepresnych when the byte is not the character itself.
char NejblizsiWin1250(char32_t znak, size_t& nepresnych);

// Whole texts, each character by NejblizsiWin1250; a UTF-16 surrogate pair is one character.
// A letter followed by combining marks is composed first (e + U+0301 is é). A ligature or a
// digraph becomes its letters (ﬁ -> fi, Æ -> AE, ǆ -> dž), a zero-width character or a
// combining mark left over becomes nothing; never more bytes than the UTF-8 form has, and
// each counts as inexact. An invalid UTF-8 sequence (a stray byte, a cut or overlong form, a
// surrogate) and a lone UTF-16 surrogate count as the replacement character: "?". When nepresnych
// is given, the number of characters without their own byte is added to it.
std::u16string Win1250NaUtf16(std::string_view text);
std::string Utf16NaWin1250(std::u16string_view text, size_t* nepresnych = nullptr);
std::string Win1250NaUtf8(std::string_view text);
std::string Utf8NaWin1250(std::string_view text, size_t* nepresnych = nullptr);
// Utf8NaWin1250 appended to cil, for a caller that converts many lines into one buffer;
// returns the number of characters without their own byte.
size_t PridejZUtf8(std::string& cil, std::string_view text);

// The same conversions in the text's own buffer, for a text too large to hold twice (the
// clipboard's); return the number of characters without their own byte.
size_t Utf8NaWin1250NaMiste(std::string& text);
size_t Latin1NaWin1250NaMiste(std::string& text);

// Whether the bytes are well-formed UTF-8 (what decides a table file's character set).
bool JePlatneUtf8(std::string_view text);
