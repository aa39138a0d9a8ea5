// The conversion of Czech UTF-8 text into Windows-1250, as a table file or a paste goes
// through it, with the nearest-character rule and the count of characters without an exact
// form. Target: at most 1.2x the time of the conversion without the rule (build this file
// against the earlier core/Win1250.cpp to get that figure).
//
//   build-dir/bench/bench_prevod

#include "core/Win1250.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// About 10 MB of table rows: Czech words, numbers, TABs and line ends.
const std::string& Text() {
    static const std::string text = [] {
        std::string t;
        for (int i = 0; t.size() < 10'000'000; ++i)
            t += "1\tŽluťoučký kůň č. " + std::to_string(i) + "\tpěl ďábelské ódy\t" +
                 std::to_string(i % 1000) + ",50 Kč\r\n";
        return t;
    }();
    return text;
}

void BM_Utf8NaWin1250(benchmark::State& stav) {
    std::string cil;
    for (auto _ : stav) {
        cil.clear();
        PridejZUtf8(cil, Text());
        benchmark::DoNotOptimize(cil.data());
    }
    stav.SetBytesProcessed(static_cast<int64_t>(stav.iterations()) *
                           static_cast<int64_t>(Text().size()));
}

BENCHMARK(BM_Utf8NaWin1250)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
