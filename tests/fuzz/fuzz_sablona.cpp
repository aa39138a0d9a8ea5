// RozvinSablonu with a layout, a line number, values and a template taken from the input:
// no crash, memory bounded by the line's limits, one row or none, and no error but the
// integer conversion's.

#include "core/Chyba.h"
#include "core/Kodovani.h"
#include "output/Sablona.h"
#include "tests/fuzz/Kontrola.h"
#include "tests/podpora/ZachytUlohy.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Rows are kept up to this size and only counted beyond, so that a long row costs the
// harness no memory.
constexpr size_t Zacatek = 4096;

bool KonciNa(std::string_view text, std::string_view konec) {
    return text.size() >= konec.size() && text.substr(text.size() - konec.size()) == konec;
}

int32_t Cislo(FuzzedDataProvider& vstup, int32_t od, int32_t po) {
    // Mostly small numbers, sometimes the extremes that overflow careless arithmetic.
    switch (vstup.ConsumeIntegralInRange(0, 7)) {
    case 0:
        return std::numeric_limits<int32_t>::min();
    case 1:
        return po;
    default:
        return vstup.ConsumeIntegralInRange(od, po);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider vstup(data, size);
    const int i = vstup.ConsumeIntegralInRange(1, 5);
    tPopisOblepky popis;
    popis.PocetRadkuOblepky = vstup.ConsumeIntegralInRange(-1, 6);
    popis.Kodovani = vstup.ConsumeIntegral<int16_t>();
    // Blanks before a row are printed as asked, so their count stays modest here; the
    // length limit may be anything.
    popis.Radky[static_cast<size_t>(i)].HrZleva = Cislo(vstup, -3, 200);
    // The row really has HrDelka bytes when a width asks for it, so the limit stays below
    // a mebibyte to keep each run short.
    popis.Radky[static_cast<size_t>(i)].HrDelka =
        vstup.ConsumeBool() ? Cislo(vstup, -3, 300) : Cislo(vstup, -3, 1 << 20);
    const auto& radek = popis.Radky[static_cast<size_t>(i)];

    std::vector<std::string> hodnoty(vstup.ConsumeIntegralInRange(0, 24));
    for (auto& h : hodnoty)
        h = vstup.ConsumeRandomLengthString(40);
    std::vector<std::string_view> pohledy(hodnoty.begin(), hodnoty.end());
    const std::string sablona = vstup.ConsumeRemainingBytesAsString();

    podpora::tZaznam uloha;
    uloha.drzet = Zacatek;
    podpora::tZachytUlohy zachyt(uloha);
    int pocitadlo = 7;
    try {
        RozvinSablonu(sablona, i, pohledy, popis, zachyt, pocitadlo);
    } catch (const eChyba& e) {
        // what() ends at a NUL byte, so a placeholder holding one cuts the message short.
        const std::string_view zprava = e.what();
        KONTROLA(KonciNa(zprava, "is not a valid integer value") ||
                 (sablona.find('\0') != std::string::npos && zprava.starts_with("'")));
        KONTROLA(uloha.zapisu == 0 && pocitadlo == 7);
        return 0;
    }
    if (popis.PocetRadkuOblepky < i) {
        KONTROLA(uloha.zapisu == 0 && pocitadlo == 7);
        return 0;
    }
    KONTROLA(uloha.zapisu >= 1 && pocitadlo == 8);
    const long long mez =
        std::max<long long>(radek.HrDelka, 0) + std::max<long long>(radek.HrZleva, 0) + 2;
    KONTROLA(static_cast<long long>(uloha.bajtu) <= mez);
    KONTROLA(uloha.konec == "\r\n");
    if (sablona.empty())
        KONTROLA(uloha.bajtu == 2);
    if (uloha.bajtu > static_cast<long long>(Zacatek))
        return 0;
    const std::string vystup = uloha.Bajty();

    // A template without "{" prints as it is, cut and indented (JakoWindows and modes
    // outside the list leave the bytes alone).
    const auto kodovani = KodovaniRozvrzeni(popis.Kodovani);
    const bool bezZmeny = kodovani == tKodovani::JakoWindows ||
                          static_cast<size_t>(kodovani) >= SeznamKodovani.size();
    if (sablona.find('{') == std::string::npos && bezZmeny) {
        std::string cekany = sablona.substr(0, static_cast<size_t>(std::max(radek.HrDelka, 0)));
        if (!cekany.empty())
            cekany.insert(0, static_cast<size_t>(std::max(radek.HrZleva, 0)), ' ');
        KONTROLA(vystup == cekany + "\r\n");
    }

    // The label made at once holds the same row, between the other lines (empty here) and
    // the filler rows.
    popis.Radky[static_cast<size_t>(i)].HrText = sablona;
    if (const auto sazba = tSazbaEtikety::Priprav(popis, "")) {
        std::string cekana;
        for (int j = 1; j <= std::max(popis.PocetRadkuOblepky, PocetRadku); ++j)
            if (j <= popis.PocetRadkuOblepky)
                cekana += j == i ? vystup : "\r\n";
        std::string etiketa;
        sazba->Pis(pohledy, etiketa);
        KONTROLA(etiketa == cekana && etiketa.size() <= sazba->Nejvic());
    }
    return 0;
}
