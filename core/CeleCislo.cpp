#include "core/CeleCislo.h"

#include "core/Chyba.h"
#include "core/Win1250.h"

namespace {

int HexCislice(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<int32_t> Hexadecimalne(std::string_view cislice) {
    if (cislice.empty())
        return std::nullopt;
    uint32_t hodnota = 0;
    int vyznamnych = 0;
    for (char c : cislice) {
        int d = HexCislice(c);
        if (d < 0)
            return std::nullopt;
        if (hodnota != 0 || d != 0)
            ++vyznamnych;
        if (vyznamnych > 8)
            return std::nullopt;
        hodnota = hodnota * 16 + static_cast<uint32_t>(d);
    }
    return static_cast<int32_t>(hodnota); // 80000000..FFFFFFFF wrap to negatives
}

std::optional<int32_t> Desitkove(std::string_view text) {
    bool zaporne = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        zaporne = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    const int64_t mez = zaporne ? 2147483648LL : 2147483647LL;
    int64_t hodnota = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        hodnota = hodnota * 10 + (c - '0');
        if (hodnota > mez)
            return std::nullopt;
    }
    return static_cast<int32_t>(zaporne ? -hodnota : hodnota);
}

} // namespace

std::optional<int32_t> detail::ZkusTextNaCisloPodlePravidel(std::string_view text) noexcept {
    size_t zacatek = text.find_first_not_of(' ');
    if (zacatek == std::string_view::npos)
        return std::nullopt;
    std::string_view zbytek = text.substr(zacatek);
    if (zbytek.front() == '$' || zbytek.front() == 'x' || zbytek.front() == 'X')
        return Hexadecimalne(zbytek.substr(1));
    if (zbytek.size() > 2 && zbytek[0] == '0' && (zbytek[1] == 'x' || zbytek[1] == 'X'))
        return Hexadecimalne(zbytek.substr(2));
    return Desitkove(zbytek);
}

int32_t TextNaCislo(std::string_view text) {
    if (auto cislo = ZkusTextNaCislo(text))
        return *cislo;
    throw eChyba("'" + Win1250NaUtf8(text) + "' is not a valid integer value");
}

std::string CisloNaText(long long cislo) {
    return std::to_string(cislo);
}

void PrictiJednicku(std::string& cislice) {
    size_t i = cislice.size();
    while (i > 0 && cislice[i - 1] == '9')
        cislice[--i] = '0';
    if (i == 0)
        cislice.insert(cislice.begin(), '1');
    else
        ++cislice[i - 1];
}
