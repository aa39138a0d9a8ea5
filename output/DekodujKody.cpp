#include "output/DekodujKody.h"

#include <cstdint>

namespace {

bool JeOddelovac(char c) {
    return static_cast<unsigned char>(c) <= 32;
}
bool JeCislice(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string DekodujKody(std::string_view text) {
    std::string vysledek;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (JeOddelovac(c)) {
            ++i;
        } else if (!JeCislice(c)) {
            vysledek += c;
            ++i;
        } else {
            // The run is read as a signed 32-bit number; a larger one is dropped. Stop
            // accumulating once it is too large, so any length of digits is safe.
            int64_t hodnota = 0;
            bool prilisVelke = false;
            for (; i < text.size() && JeCislice(text[i]); ++i) {
                if (!prilisVelke) {
                    hodnota = hodnota * 10 + (text[i] - '0');
                    prilisVelke = hodnota > INT32_MAX;
                }
            }
            if (!prilisVelke)
                vysledek += static_cast<char>(hodnota & 0xFF);
        }
    }
    return vysledek;
}
