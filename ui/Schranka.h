#pragma once
// The clipboard's plain text, for the table import.

#include <cstddef>
#include <optional>
#include <string>

// The clipboard's plain text in Windows-1250, or nothing when it offers none (it is empty,
// holds a picture, or a list of copied files, whose names also come as text). Converted in
// its own buffer, so a large paste is held once. Adds to nepresnych the characters without
// an exact form. Raises eChyba "Cannot open clipboard" when the clipboard's owner does not
// deliver the text it offers: it died or hangs.
std::optional<std::string> TextSchranky(size_t& nepresnych);
