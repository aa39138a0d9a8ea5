#pragma once
// Conversion of a finished output line into the printer's character encoding.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The printer's character encoding: the low 8 bits of a layout's Kodovani. Every other value
// of the byte is a valid mode too and sends the line unchanged, like JakoWindows.
enum class tKodovani : uint8_t {
    JakoWindows = 0, // unchanged Windows-1250
    Oem = 1,         // the OEM code page of this computer
    Ascii = 2,       // without diacritics
    Kamenicky = 3,
    Cp852 = 4,
    Iso88592 = 5,
};

// The modes and their captions (UTF-8) in the order of the settings dialog's list: an entry's
// position is the number stored in Kodovani.
struct tPopisKodovani {
    tKodovani Kodovani;
    std::string_view Popisek;
};
inline constexpr std::array<tPopisKodovani, 6> SeznamKodovani = {{
    {tKodovani::JakoWindows, "Jako ve Windows"},
    {tKodovani::Oem, "OEM (dle nastavení vašeho počítače)"},
    {tKodovani::Ascii, "ASCII (bez diakritiky)"},
    {tKodovani::Kamenicky, "Kameničtí"},
    {tKodovani::Cp852, "CP-852"},
    {tKodovani::Iso88592, "CP-8859-2"},
}};

// The mode a layout's stored Kodovani selects: its low 8 bits, so -1 (no entry chosen in
// the dialog) sends text unchanged and 257 acts as 1.
constexpr tKodovani KodovaniRozvrzeni(int32_t kodovani) {
    return static_cast<tKodovani>(kodovani & 0xFF);
}

// The line in the given encoding; the result always has the length of the line.
std::string PrevedKodovani(tKodovani kodovani, std::string_view radek);

// The same conversion in place, for callers that reuse one buffer.
void PrevedKodovaniNaMiste(tKodovani kodovani, char* data, size_t delka);

// Whether the mode changes any byte: the others send every line as it is.
bool PrevadiKodovani(tKodovani kodovani);

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

// The way back, for showing what a printer receives: the Windows-1250 byte of the character
// that a printer in encoding `kodovani` prints for `bajt`, or -1 when that byte stands for no
// character of Windows-1250 (the bytes Windows-1250 leaves empty, a C1 control of ISO 8859-2,
// an OEM character such as a box-drawing one). Bytes below 128 stand for themselves.
int ZnakTiskarny(tKodovani kodovani, unsigned char bajt);
