// A 10 MB raw job through tRawPrinter in 30-byte writes against the same bytes sent with
// "lp -o raw", to the same capture queue of a private CUPS server, each timed until the
// capture holds every byte. Prints the ratio at the end.
//
//   build-dir/bench/bench_tisk
//
// Scripts are taken from OBLEPKY_SKRIPTY, else from the source tree this file is in.
#include "bench/ProtiLp.h"
#include "output/RawPrinter.h"
#include "tests/podpora/DocasnyAdresar.h"

#include <benchmark/benchmark.h>

#include <algorithm>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string Fronta = "Bench";
constexpr size_t Velikost = 10 * 1024 * 1024;
constexpr size_t Zapis = 30;

fs::path Adresar;
fs::path SouborDat;
std::string Data;

void Spust(const std::string& radek) {
    if (std::system(radek.c_str()) != 0)
        throw std::runtime_error("failed: " + radek);
}

double Cas(const std::function<void()>& akce) {
    VymazZachycene(Adresar, Fronta);
    const auto zacatek = std::chrono::steady_clock::now();
    akce();
    CekejNaUlohu(Adresar, Fronta, Velikost);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - zacatek).count();
}

void PosliRawPrinter() {
    tRawPrinter uloha("Bench", Fronta);
    std::string kus;
    for (size_t i = 0; i < Data.size(); i += Zapis) {
        kus.assign(Data, i, Zapis);
        uloha.Write(kus);
    }
    uloha.Dokonci();
}

void PosliLp() {
    Spust("lp -d " + Fronta + " -o raw '" + SouborDat.string() + "' >/dev/null");
}

// The two ways take turns, so load from elsewhere on the machine hits both alike; the
// benchmark's time is that of tRawPrinter, the counters hold the medians and their ratio.
void BM_RawPrinterProtiLp(benchmark::State& stav) {
    std::vector<double> raw, lp;
    for (auto _ : stav) {
        raw.push_back(Cas(PosliRawPrinter));
        lp.push_back(Cas(PosliLp));
        stav.SetIterationTime(raw.back());
    }
    stav.counters["raw_ms"] = Median(raw) * 1000;
    stav.counters["lp_ms"] = Median(lp) * 1000;
    stav.counters["pomer"] = Median(raw) / Median(lp);
    stav.SetBytesProcessed(static_cast<int64_t>(stav.iterations() * Velikost));
}

BENCHMARK(BM_RawPrinterProtiLp)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(11);

void Priprav() {
    CupsTest("start", Adresar, Fronta);
    CupsTest("queue", Adresar, Fronta);
    setenv("CUPS_SERVER", (Adresar / "cups.sock").c_str(), 1);
    Data.resize(Velikost);
    uint32_t x = 12345;
    for (auto& bajt : Data) {
        x = x * 1103515245 + 12345;
        bajt = static_cast<char>(x >> 24);
    }
    SouborDat = Adresar / "data.bin";
    std::ofstream(SouborDat, std::ios::binary).write(Data.data(), Data.size());
}

void Uklid() {
    CupsTest("stop", Adresar, Fronta);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const tDocasnyAdresar adresar;
    Adresar = adresar.Cesta();
    Priprav();
    Zpravodaj zpravodaj;
    try {
        benchmark::RunSpecifiedBenchmarks(&zpravodaj);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        Uklid();
        return 1;
    }
    Uklid();
    if (zpravodaj.pomer > 0)
        std::printf("tRawPrinter / lp (medians): %.3f (target at most 1.1)\n", zpravodaj.pomer);
    benchmark::Shutdown();
}
