#pragma once
// A small INI file model that keeps the file as the program found it: sections and lines
// in order, names not trimmed, values kept exactly, names matched without regard to letter
// case (first match wins). The file reaches the disk only through UpdateFile.

#include "core/BezpecnyZapis.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class tIniSoubor {
public:
    // Reads the file. A missing file reads as empty; a file that exists but cannot be read
    // raises eChyba "Cannot open file %s".
    explicit tIniSoubor(std::string cesta);

    // Reads from text already in memory (no file behind it until UpdateFile).
    static tIniSoubor ZTextu(std::string cesta, std::string_view obsah);

    const std::string& Cesta() const { return cesta_; }

    // Missing section or key gives the default; a key with an empty value gives "".
    std::string ReadString(std::string_view sekce, std::string_view klic,
                           std::string_view vychozi) const;
    // The value read with the integer conversion; anything it rejects gives the default.
    int32_t ReadInteger(std::string_view sekce, std::string_view klic, int32_t vychozi) const;

    // Replaces the key's line in place, or appends the key to its section, or appends the
    // section to the file. Line breaks and NUL bytes in the value are written as blanks,
    // so a value can never break the line structure of the file.
    void WriteString(std::string_view sekce, std::string_view klic, std::string_view hodnota);
    void WriteInteger(std::string_view sekce, std::string_view klic, int32_t hodnota);

    // The whole file as it would be written: "[name]", its lines, an empty line, CR LF.
    std::string Obsah() const;

    // Writes the file with ZapisSouborBezpecne (which see), its bytes through `zapis`.
    void UpdateFile(const tZapisDat& zapis = {}) const;

private:
    struct tRadek {
        std::string text;
        size_t rovnase; // position of the first "=", npos when the line holds none
    };
    struct tSekce {
        std::string nazev;
        std::vector<tRadek> radky;
    };
    std::string cesta_;
    std::vector<tSekce> sekce_;

    tIniSoubor() = default;
    void Nacti(std::string_view obsah);
    const tSekce* NajdiSekci(std::string_view nazev) const;
    tSekce* NajdiSekci(std::string_view nazev);
    // Index of the key's first line in the section, npos when it has none.
    static size_t NajdiKlic(const tSekce& sekce, std::string_view klic);
};

// Windows-1250 text comparison without regard to letter case: ASCII letters and the
// Central European letters of the set, independent of the system's locale.
bool StejneBezVelikosti(std::string_view a, std::string_view b);
