#pragma once
// The clipboard's plain text, for the table import.

#include <QString>

#include <optional>

// The clipboard's plain text, or nothing when it offers none (it is empty, holds a picture, or
// a list of copied files, whose names also come as text). Raises eChyba "Cannot open
// clipboard" when the clipboard's owner does not deliver the text it offers: it died or hangs.
std::optional<QString> TextSchranky();
