// ZkusTextNaCislo and TextNaCislo against a second reading built on std::from_chars.

#include "core/CeleCislo.h"
#include "core/Chyba.h"
#include "core/Win1250.h"
#include "tests/fuzz/Kontrola.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

// The whole text must be consumed, and from_chars must not have skipped anything itself.
template <typename T> std::optional<T> Cele(std::string_view t, int zaklad) {
    if (t.empty())
        return std::nullopt;
    T hodnota{};
    auto [konec, chyba] = std::from_chars(t.data(), t.data() + t.size(), hodnota, zaklad);
    if (chyba != std::errc() || konec != t.data() + t.size())
        return std::nullopt;
    return hodnota;
}

std::optional<int32_t> Reference(std::string_view t) {
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    if (t.empty())
        return std::nullopt;
    size_t prefix = 0;
    if (t[0] == '$' || t[0] == 'x' || t[0] == 'X')
        prefix = 1;
    else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        prefix = 2;
    if (prefix) {
        // Unsigned base 16 accepts neither a sign nor a prefix of its own.
        auto hex = Cele<uint64_t>(t.substr(prefix), 16);
        if (!hex || *hex > 0xFFFFFFFFu)
            return std::nullopt;
        return static_cast<int32_t>(static_cast<uint32_t>(*hex));
    }
    if (t[0] == '+') {
        t.remove_prefix(1);
        if (t.empty() || t[0] < '0' || t[0] > '9') // "+-1" is no number
            return std::nullopt;
    }
    return Cele<int32_t>(t, 10);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto cislo = ZkusTextNaCislo(text);
    KONTROLA(cislo == Reference(text));
    try {
        const int32_t hodnota = TextNaCislo(text);
        KONTROLA(cislo && hodnota == *cislo);
    } catch (const eChyba& e) {
        KONTROLA(!cislo);
        // what() ends at a NUL byte of the text.
        const std::string zprava = "'" + Win1250NaUtf8(text) + "' is not a valid integer value";
        KONTROLA(e.what() == zprava.substr(0, zprava.find('\0')));
    }
    if (cislo)
        KONTROLA(ZkusTextNaCislo(CisloNaText(*cislo)) == cislo);
    return 0;
}
