#pragma once
// Conversion of a finished output line into the printer's character encoding.

#include <cstdint>
#include <string>
#include <string_view>

// Mode (the low 8 bits of Kodovani): 0 unchanged, 1 OEM code page of this computer,
// 2 ASCII, 3 Kamenický, 4 CP 852, 5 ISO 8859-2, anything else unchanged. The result
// always has the length of the line.
std::string PrevedKodovani(uint8_t rezim, std::string_view radek);

// The same conversion in place, for callers that reuse one buffer.
void PrevedKodovaniNaMiste(uint8_t rezim, char* data, size_t delka);

// The OEM code pages mode 1 can produce.
enum class tOemStranka { Cp437, Cp850, Cp852 };

// The OEM code page of a locale name such as "cs_CZ.UTF-8" (only the language code before
// "_", "." or "@" counts; "sr" needs "@latin").
tOemStranka OemStrankaLocale(std::string_view locale);

// The OEM code page of this computer: the locale of LC_ALL, else LC_CTYPE, else LANG, read
// once at first use.
tOemStranka OemStrankaPocitace();

// Windows-1250 into the given OEM code page, byte for byte; a character the code page lacks
// becomes "?", bytes below 128 stay.
void PrevedDoOem(tOemStranka stranka, char* data, size_t delka);
