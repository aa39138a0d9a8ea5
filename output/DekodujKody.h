#pragma once
// Printer control codes typed as decimal byte values separated by blanks, any other
// character standing for itself.

#include <string>
#include <string_view>

std::string DekodujKody(std::string_view text);
