#pragma once
// The program's general error: an exception carrying a message text.
// The message is UTF-8, as the error box, stderr and the logs show it; cell text goes in
// converted, file and queue names as the bytes they are.

#include <stdexcept>
#include <string>

class eChyba : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The text the error box shows: the message, with a full stop added when its last
// character has a code above that of the full stop (after letters and digits, not after
// ".", ")" or "!").
std::string TextChyby(const std::string& zprava);
