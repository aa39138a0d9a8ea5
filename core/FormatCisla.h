#pragma once
// A spreadsheet cell's value as the spreadsheet shows it under the cell's number format
// code, in Czech (decimal comma, a no-break space between thousands, Czech month and day
// names). The format codes are those of .xlsx files; texts in and out are UTF-8.

#include <optional>
#include <string>
#include <string_view>

// Which day the serial number 0 is: 30.12.1899 (the 1900 system, as the spreadsheet counts
// it) or 1.1.1904.
enum class tSystemDat { Od1900, Od1904 };

// The code of a built-in format by its number (numFmtId 0 to 49); "" for a number that
// names none (the cell is then shown as General).
std::string_view VestavenyFormat(int cislo);

// The number hodnota under the format kod (up to four sections, colours ignored,
// conditions in brackets); nothing when the code holds what cannot be rendered (the
// caller then shows the General format and says so).
std::optional<std::string> FormatujCisloUtf8(double hodnota, std::string_view kod,
                                             tSystemDat system = tSystemDat::Od1900);

// The General format: up to 15 significant digits, exponent form for the very large and
// the very small.
std::string ObecnyFormatUtf8(double hodnota);

// A text cell under kod: the text section (the fourth, or a lone "@" section) with its
// literals; the text itself when the code has none.
std::string FormatujTextUtf8(std::string_view text, std::string_view kod);
