// The settings file model on large hand-edited files: reading must stay linear in the
// file's size, also for one very long line or very many sections.

#include "core/IniSoubor.h"
#include "core/Nastaveni.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// One key whose value is n bytes long.
void DlouhyRadek(benchmark::State& stav) {
    const auto n = static_cast<size_t>(stav.range(0));
    const std::string obsah = "[Layout1]\r\nHrText1=" + std::string(n, 'A') + "\r\n";
    for (auto _ : stav) {
        auto ini = tIniSoubor::ZTextu("x.ini", obsah);
        benchmark::DoNotOptimize(ini.ReadString("Layout1", "HrText1", ""));
    }
    stav.SetBytesProcessed(static_cast<int64_t>(stav.iterations() * obsah.size()));
    stav.SetComplexityN(stav.range(0));
}
BENCHMARK(DlouhyRadek)->RangeMultiplier(4)->Range(1 << 16, 1 << 24)->Complexity(benchmark::oN);

// n short sections, then every layout key read and written as the program does.
void MnohoSekci(benchmark::State& stav) {
    const auto n = static_cast<int>(stav.range(0));
    std::string obsah;
    for (int i = 0; i < n; ++i)
        obsah += "[S" + std::to_string(i) + "]\r\nk=v\r\n";
    for (auto _ : stav) {
        auto ini = tIniSoubor::ZTextu("x.ini", obsah);
        tPopisEtiket popis;
        int16_t last;
        NactiNastaveni(ini, popis, last);
        benchmark::DoNotOptimize(popis);
    }
    stav.SetComplexityN(stav.range(0));
}
BENCHMARK(MnohoSekci)->RangeMultiplier(4)->Range(1 << 8, 1 << 16)->Complexity(benchmark::oN);

// A 1 MB line with a line end every byte: the worst case for splitting lines.
void SameKonceRadku(benchmark::State& stav) {
    const std::string obsah = "[A]\n" + std::string(1 << 20, '\n');
    for (auto _ : stav)
        benchmark::DoNotOptimize(tIniSoubor::ZTextu("x.ini", obsah));
    stav.SetBytesProcessed(static_cast<int64_t>(stav.iterations() * obsah.size()));
}
BENCHMARK(SameKonceRadku);

} // namespace
BENCHMARK_MAIN();
