#pragma once
// Byte strings written as hexadecimal pairs ("1B 40") for readable expectations.

#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

inline std::string Bajty(std::string_view hex) {
    std::string vysledek;
    std::istringstream vstup{std::string(hex)};
    std::string dvojice;
    while (vstup >> dvojice)
        vysledek += static_cast<char>(std::strtoul(dvojice.c_str(), nullptr, 16));
    return vysledek;
}

inline std::string Hex(std::string_view data) {
    static const char cislice[] = "0123456789ABCDEF";
    std::string vysledek;
    for (unsigned char c : data) {
        if (!vysledek.empty())
            vysledek += ' ';
        vysledek += cislice[c >> 4];
        vysledek += cislice[c & 15];
    }
    return vysledek;
}

// A text for test names: in brackets, bytes outside printable ASCII as \xNN.
inline std::string Citelne(std::string_view text) {
    static const char cislice[] = "0123456789ABCDEF";
    std::string vysledek = "[";
    for (unsigned char c : text) {
        if (c >= 32 && c < 127) {
            vysledek += static_cast<char>(c);
        } else {
            vysledek += "\\x";
            vysledek += cislice[c >> 4];
            vysledek += cislice[c & 15];
        }
    }
    return vysledek + "]";
}
