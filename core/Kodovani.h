#pragma once
// Conversion of a finished output line into the printer's character encoding.

#include <cstdint>
#include <string>
#include <string_view>

// Mode (the low 8 bits of Kodovani): 0 unchanged, 1 OEM code page of this computer,
// 2 ASCII, 3 Kamenický, 4 CP 852, 5 ISO 8859-2, anything else unchanged. The result
// always has the length of the line.
std::string PrevedKodovani(uint8_t rezim, std::string_view radek);
