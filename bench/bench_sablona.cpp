// Expanding and converting label rows against a plain copy of the same bytes.
//
//   build-x/bench/bench_sablona
#include "core/Kodovani.h"
#include "core/Win1250.h"
#include "output/Sablona.h"
#include "tests/podpora/ZachytUlohy.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int Etiket = 100'000;

// A job that only counts what it is given.
class tPocitadloBajtu : public tTiskovaUloha {
public:
    void Write(const std::string& data) override { Bajtu += data.size(); }
    void Dokonci() override {}
    long long Prerus() noexcept override { return 0; }
    void Zrus() noexcept override {}
    size_t Bajtu = 0;
};

tPopisOblepky Popis(int32_t sirka) {
    tPopisOblepky popis;
    popis.PocetRadkuOblepky = 5;
    popis.Kodovani = static_cast<int16_t>(tKodovani::Kamenicky);
    const char* sablony[] = {"{1,30}", "Kód: {2,12} Šarže: {3,8*}", "Cena: {4,8*} Kč/{5}",
                             "{6,*20}", "EAN {7,13}"};
    for (int i = 1; i <= 5; ++i) {
        tPopisRadku& radek = popis.Radky[static_cast<size_t>(i)];
        radek.HrText = Utf8NaWin1250(sablony[i - 1]);
        radek.HrZleva = 2;
        radek.HrDelka = 40;
        if (sirka > 0)
            radek.HrText = "{1," + std::to_string(sirka) + "}";
    }
    return popis;
}

std::vector<std::string> Hodnoty() {
    std::vector<std::string> hodnoty = {"",        "Žluťoučký kůň úpěl ďábelské ódy",
                                        "AB-1234", "Č-77",
                                        "125,50",  "ks",
                                        "Příliš",  "8594000123456"};
    for (std::string& h : hodnoty)
        h = Utf8NaWin1250(h);
    return hodnoty;
}

void Rozvin(benchmark::State& state, const tPopisOblepky& popis) {
    std::vector<std::string> hodnoty = Hodnoty();
    std::vector<std::string_view> pohledy(hodnoty.begin(), hodnoty.end());
    tPocitadloBajtu uloha;
    int radku = 0;
    for (auto _ : state) {
        for (int e = 0; e < Etiket; ++e)
            for (int i = 1; i <= 5; ++i)
                RozvinSablonu(popis.Radky[static_cast<size_t>(i)].HrText, i, pohledy, popis, uloha,
                              radku);
    }
    benchmark::DoNotOptimize(radku);
    state.SetItemsProcessed(radku);
    state.SetBytesProcessed(static_cast<int64_t>(uloha.Bajtu));
}

void BM_RozvinSablonu(benchmark::State& state) {
    Rozvin(state, Popis(0));
}

// The same labels made at once into a 64 KiB piece, as a table run makes them.
void BM_SazbaEtikety(benchmark::State& state) {
    tPopisOblepky popis = Popis(0);
    popis.Kodovani = static_cast<int16_t>(state.range(0));
    const auto sazba = tSazbaEtikety::Priprav(popis, "\x0C");
    std::vector<std::string> hodnoty = Hodnoty();
    std::vector<std::string_view> pohledy(hodnoty.begin(), hodnoty.end());
    std::string kus;
    kus.reserve(size_t{64} * 1024);
    int64_t bajtu = 0;
    for (auto _ : state) {
        for (int e = 0; e < Etiket; ++e) {
            if (kus.size() + sazba->Nejvic() > kus.capacity()) {
                bajtu += static_cast<int64_t>(kus.size());
                kus.clear();
            }
            sazba->Pis(pohledy, kus);
        }
        benchmark::DoNotOptimize(kus.data());
    }
    state.SetItemsProcessed(state.iterations() * Etiket);
    state.SetBytesProcessed(bajtu + static_cast<int64_t>(kus.size()));
}

// The same rows, already expanded and converted, only copied into a row buffer.
void BM_KopieRadku(benchmark::State& state) {
    tPopisOblepky popis = Popis(0);
    std::vector<std::string> hodnoty = Hodnoty();
    std::vector<std::string_view> pohledy(hodnoty.begin(), hodnoty.end());
    podpora::tZaznam radky;
    podpora::tZachytUlohy zachyt(radky);
    int radku = 0;
    for (int i = 1; i <= 5; ++i)
        RozvinSablonu(popis.Radky[static_cast<size_t>(i)].HrText, i, pohledy, popis, zachyt, radku);
    tPocitadloBajtu uloha;
    std::string buffer;
    int64_t kopii = 0;
    for (auto _ : state) {
        for (int e = 0; e < Etiket; ++e) {
            for (const std::string& radek : radky.zapisy) {
                buffer.assign(radek);
                benchmark::DoNotOptimize(buffer.data());
                uloha.Write(buffer);
                ++kopii;
            }
        }
    }
    state.SetItemsProcessed(kopii);
    state.SetBytesProcessed(static_cast<int64_t>(uloha.Bajtu));
}

// Widths far beyond the row's maximum length: peak memory must not follow the width.
void BM_ObrovskaSirka(benchmark::State& state) {
    Rozvin(state, Popis(static_cast<int32_t>(state.range(0))));
    rusage vyuziti{};
    getrusage(RUSAGE_SELF, &vyuziti);
    state.counters["maxrss_kB"] = static_cast<double>(vyuziti.ru_maxrss);
}

} // namespace

BENCHMARK(BM_RozvinSablonu)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SazbaEtikety)
    ->Arg(static_cast<int>(tKodovani::JakoWindows))
    ->Arg(static_cast<int>(tKodovani::Kamenicky))
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KopieRadku)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ObrovskaSirka)->Arg(10)->Arg(2147483647)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
