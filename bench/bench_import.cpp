// Import of a pasted table of 100,000 rows x 12 columns (about 10 MB) against a plain
// split of the same text into one std::string per cell. Reports time and the peak of heap
// bytes held during one import, per byte of text (counted by the global operator new
// below). Then a run's two passes over the same table as a TSV and as a CSV file: the CSV
// reader is to cost no more than the TSV one.

#include "core/Tabulka.h"
#include "output/RadkySouboru.h"
#include "tests/podpora/DocasnyAdresar.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

namespace {

std::atomic<long long> drzeno{0}, spicka{0};

void* Pridel(std::size_t velikost) {
    // A header in front of the block remembers its size for the matching delete.
    void* blok = std::malloc(velikost + 16);
    if (!blok)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(blok) = velikost;
    const long long ted = drzeno += static_cast<long long>(velikost);
    long long stara = spicka.load();
    while (ted > stara && !spicka.compare_exchange_weak(stara, ted)) {
    }
    return static_cast<char*>(blok) + 16;
}

void Uvolni(void* p) noexcept {
    if (!p)
        return;
    void* blok = static_cast<char*>(p) - 16;
    drzeno -= static_cast<long long>(*static_cast<std::size_t*>(blok));
    std::free(blok);
}

} // namespace

void* operator new(std::size_t velikost) {
    return Pridel(velikost);
}
void* operator new[](std::size_t velikost) {
    return Pridel(velikost);
}
void operator delete(void* p) noexcept {
    Uvolni(p);
}
void operator delete[](void* p) noexcept {
    Uvolni(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Uvolni(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Uvolni(p);
}

namespace {

constexpr int Radku = 100'000, Sloupcu = 12;

// A deterministic paste: cells of 1 to 15 characters, some empty, lines ending in CR LF.
const std::string& Text() {
    static const std::string text = [] {
        std::string t;
        unsigned stav = 12345;
        auto nahoda = [&stav] { return (stav = stav * 1103515245u + 12345u) >> 16; };
        for (int r = 0; r < Radku; ++r) {
            for (int c = 0; c < Sloupcu; ++c) {
                if (c > 0)
                    t += '\t';
                const unsigned delka = nahoda() % 16;
                for (unsigned i = 0; i < delka; ++i)
                    t += static_cast<char>('A' + nahoda() % 26);
            }
            t += "\r\n";
        }
        return t;
    }();
    return text;
}

// The same lines and pieces, one string per cell.
std::vector<std::string> Rozdel(const std::string& text) {
    std::vector<std::string> bunky;
    size_t i = 0;
    while (i < text.size()) {
        size_t konec = i;
        while (konec < text.size() && text[konec] != '\r' && text[konec] != '\n')
            ++konec;
        size_t od = i;
        for (size_t j = i; j <= konec; ++j)
            if (j == konec || text[j] == '\t') {
                bunky.emplace_back(text, od, j - od);
                od = j + 1;
            }
        i = konec;
        if (i < text.size() && text[i] == '\r')
            ++i;
        if (i < text.size() && text[i] == '\n')
            ++i;
    }
    return bunky;
}

// Peak heap bytes held while `prace` runs, beyond what was held before it.
template <class F> long long Spicka(F prace) {
    const long long predtim = drzeno.load();
    spicka = predtim;
    prace();
    return spicka.load() - predtim;
}

void PametNaBajt(benchmark::State& state, long long bajtu) {
    state.counters["pamet_na_bajt_textu"] =
        static_cast<double>(bajtu) / static_cast<double>(Text().size());
    state.counters["MB_textu"] = static_cast<double>(Text().size()) / 1e6;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Text().size()));
}

void BM_NactiText(benchmark::State& state) {
    const std::string& text = Text();
    long long nejvic = 0;
    for (auto _ : state)
        nejvic = std::max(nejvic, Spicka([&] {
                              tTabulka tabulka;
                              tabulka.NactiText(text);
                              benchmark::DoNotOptimize(tabulka.Bunka(12, Radku));
                          }));
    PametNaBajt(state, nejvic);
}

void BM_RozdeleniNaRetezce(benchmark::State& state) {
    const std::string& text = Text();
    long long nejvic = 0;
    for (auto _ : state)
        nejvic = std::max(nejvic, Spicka([&] {
                              auto bunky = Rozdel(text);
                              benchmark::DoNotOptimize(bunky.data());
                          }));
    PametNaBajt(state, nejvic);
}

// A run's two passes over the same table as a file: the count column of every row, then the
// cells of every row. The CSV has every third cell quoted, as spreadsheets quote text.
void BM_CteniSouboru(benchmark::State& state) {
    const bool csv = state.range(0) != 0;
    const tDocasnyAdresar adresar;
    const std::string cesta = adresar / (csv ? "t.csv" : "t.txt");
    std::string obsah = Text();
    if (csv) {
        std::string s;
        int bunka = 0;
        for (size_t od = 0; od < obsah.size();) {
            const size_t konec = obsah.find_first_of("\t\r", od);
            const bool uvozovky = ++bunka % 3 == 0;
            s += uvozovky ? "\"" + obsah.substr(od, konec - od) + "\""
                          : obsah.substr(od, konec - od);
            s += obsah[konec] == '\t' ? ";" : "\r\n";
            od = obsah[konec] == '\t' ? konec + 1 : konec + 2;
        }
        obsah = s;
    }
    ZapisBajty(cesta, obsah);
    std::vector<std::string_view> bunky;
    long long nejvic = 0;
    for (auto _ : state)
        nejvic = std::max(nejvic, Spicka([&] {
                              tRadkySouboru radky(cesta);
                              size_t delka = 0;
                              for (radky.NaZacatek(); radky.Dalsi();)
                                  delka += radky.Bunka(1).size();
                              for (radky.NaZacatek(); radky.Dalsi();) {
                                  radky.Bunky(bunky, Sloupcu + 1);
                                  delka += bunky.size();
                              }
                              benchmark::DoNotOptimize(delka);
                          }));
    PametNaBajt(state, nejvic);
}

BENCHMARK(BM_NactiText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RozdeleniNaRetezce)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CteniSouboru)->Arg(0)->Arg(1)->ArgName("csv")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
