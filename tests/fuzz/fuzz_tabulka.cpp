// tTabulka::NactiText against a plain split into lines and pieces. The input holds two
// pastes: the second replaces the first, and nothing of the first may show through.
// Floor: 500 executions a second: each input builds two tables and reads back every cell and
// row number of both; the 2-core CI machine ran 1,200 to 2,700 a second.

#include "core/Tabulka.h"
#include "tests/fuzz/Kontrola.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tRadky = std::vector<std::vector<std::string>>;

// A break is CR LF, a lone CR or a lone LF; a break at the very end adds no line.
tRadky Reference(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> radky;
    std::string radek;
    bool otevreny = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            radky.push_back(radek);
            radek.clear();
            otevreny = false;
        } else {
            radek += text[i];
            otevreny = true;
        }
    }
    if (otevreny)
        radky.push_back(radek);
    tRadky vysledek;
    for (const std::string& r : radky) {
        std::vector<std::string> kusy(1);
        for (char c : r) {
            if (c == '\t')
                kusy.emplace_back();
            else
                kusy.back() += c;
        }
        vysledek.push_back(std::move(kusy));
    }
    return vysledek;
}

void Porovnej(const tTabulka& tabulka, const tRadky& radky) {
    size_t m = 0;
    for (const auto& r : radky)
        m = std::max(m, r.size());
    const int sloupcu = static_cast<int>(m) + 1;
    const int radku = static_cast<int>(radky.size()) + 1;
    KONTROLA(tabulka.PocetSloupcu() == sloupcu);
    KONTROLA(tabulka.PocetRadku() == radku);
    KONTROLA(tabulka.Bunka(0, 0).empty());
    for (int c = 1; c < sloupcu; ++c)
        KONTROLA(tabulka.Bunka(c, 0) == std::to_string(c));
    for (int r = 1; r < radku; ++r) {
        const auto& kusy = radky[static_cast<size_t>(r - 1)];
        KONTROLA(tabulka.Bunka(0, r) == std::to_string(r));
        for (int c = 1; c < sloupcu; ++c) {
            const std::string_view cekana = static_cast<size_t>(c) <= kusy.size()
                                                ? std::string_view(kusy[static_cast<size_t>(c - 1)])
                                                : std::string_view();
            KONTROLA(tabulka.Bunka(c, r) == cekana);
        }
        // Cells outside read empty, whatever an earlier, wider table held there.
        KONTROLA(tabulka.Bunka(-1, r).empty());
        KONTROLA(tabulka.Bunka(sloupcu, r).empty());
        KONTROLA(tabulka.Bunka(sloupcu + 7, r).empty());
    }
    KONTROLA(tabulka.Bunka(1, -1).empty());
    KONTROLA(tabulka.Bunka(1, radku).empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider vstup(data, size);
    const std::string prvni = vstup.ConsumeRandomLengthString(size);
    const std::string druhy = vstup.ConsumeRemainingBytesAsString();
    tTabulka tabulka;
    tabulka.NactiText(prvni);
    Porovnej(tabulka, Reference(prvni));
    tabulka.NactiText(druhy);
    Porovnej(tabulka, Reference(druhy));
    return 0;
}
