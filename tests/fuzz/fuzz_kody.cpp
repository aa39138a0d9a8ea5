// DekodujKody against a second decoder: split into tokens first, then judge each token.

#include "output/DekodujKody.h"
#include "tests/fuzz/Kontrola.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool Mezera(unsigned char c) {
    return c <= 32;
}
bool Cislice(unsigned char c) {
    return c >= '0' && c <= '9';
}

// A digit run above 2147483647 gives nothing, whatever its low bits; leading zeros are free.
void PridejCislo(std::string_view cislice, std::string& vysledek) {
    while (cislice.size() > 1 && cislice.front() == '0')
        cislice.remove_prefix(1);
    if (cislice.size() > 10 || (cislice.size() == 10 && cislice > "2147483647"))
        return;
    unsigned long long hodnota = std::stoull(std::string(cislice));
    vysledek += static_cast<char>(hodnota % 256);
}

std::string Reference(std::string_view text) {
    std::vector<std::string_view> tokeny;
    size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (Mezera(c)) {
            ++i;
        } else if (Cislice(c)) {
            size_t j = i;
            while (j < text.size() && Cislice(static_cast<unsigned char>(text[j])))
                ++j;
            tokeny.push_back(text.substr(i, j - i));
            i = j;
        } else {
            tokeny.push_back(text.substr(i++, 1));
        }
    }
    std::string vysledek;
    for (std::string_view t : tokeny) {
        if (Cislice(static_cast<unsigned char>(t[0])))
            PridejCislo(t, vysledek);
        else
            vysledek += t[0];
    }
    return vysledek;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string bajty = DekodujKody(text);
    KONTROLA(bajty == Reference(text));
    // Never more bytes than characters typed.
    KONTROLA(bajty.size() <= text.size());
    return 0;
}
