#pragma once
// The X11 clipboard's text, fetched on a connection of the program's own: a toolkit waits a
// fixed five seconds for each answer of the clipboard's owner and then reports an owner that
// died or hangs as an empty clipboard. Here the waits are ours, and such an owner is an error.

#include <optional>
#include <string>

struct tTextX11 {
    std::string Bajty;
    bool Utf8 = true; // else Latin-1, the X11 STRING format
};

// The text the clipboard's owner offers as plain text, or nothing when there is no owner or it
// offers no plain text (a picture; a list of copied files, whose names also come as text).
// Raises eChyba "Cannot open clipboard" when the X server cannot be reached, or when the owner
// goes away or stays silent for TichoVlastnika before the whole text has arrived.
std::optional<tTextX11> TextSchrankyX11();
