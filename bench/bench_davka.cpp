// oblepky-tisk with a table file of 1,000,000 rows (TSV, CSV in UTF-8 and in Windows-1250)
// against "lp -o raw" of the identical bytes, to the same capture queue of a private CUPS
// server: the two take turns, each timed from the process's start until the capture holds
// every byte; min and median of each, and the batch printer's peak memory (ru_maxrss). Then
// -n on a row of 2147483647 labels, and how each batch path grows: TSV, CSV and -n at 10,000,
// 100,000 and 1,000,000 rows, time (median of three) and peak memory, as a Markdown table.
//
//   build-dir/bench/bench_davka
//
// Scripts are taken from OBLEPKY_SKRIPTY in the environment, else from the source tree;
// OBLEPKY_BENCH_TISK names another oblepky-tisk to measure (an older build, for a before).
#include "bench/Davka.h"
#include "bench/ProtiLp.h"
#include "tests/podpora/DocasnyAdresar.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string Fronta = "Bench";
constexpr std::array<int, 3> Velikosti = {10'000, 100'000, 1'000'000};
constexpr int Radku = Velikosti.back();

// A table of goods and prices of one size in each form, and the job they all make.
struct tTabulky {
    fs::path Tsv, Csv, Csv1250, Uloha;
    uintmax_t Velikost = 0; // bytes of the job
};
std::map<int, tTabulky> Tabulky;

fs::path Adresar;
fs::path RadekTabulatoru, VelkyPocet, Program;
uintmax_t Velikost = 0; // bytes of the job of Radku rows
long PametKiB = 0;      // the largest peak of the batch printer

// Seconds from the start until a job of velikost bytes is captured (0: none is waited for).
double Cas(const std::vector<std::string>& argumenty, uintmax_t velikost, long* pamet = nullptr) {
    VymazZachycene(Adresar, Fronta);
    const auto zacatek = std::chrono::steady_clock::now();
    const long kib = Spust(argumenty).pametKiB;
    if (velikost > 0)
        CekejNaUlohu(Adresar, Fronta, velikost);
    if (pamet)
        *pamet = std::max(*pamet, kib);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - zacatek).count();
}

double Nejmene(const std::vector<double>& casy) {
    return *std::min_element(casy.begin(), casy.end());
}

// The two take turns, so load from elsewhere on the machine hits both alike.
void ProtiLp(benchmark::State& stav, fs::path tTabulky::*tvar) {
    const tTabulky& t = Tabulky.at(Radku);
    std::vector<double> davka, lp;
    long pamet = 0;
    for (auto _ : stav) {
        davka.push_back(Cas({Program.string(), (t.*tvar).string()}, t.Velikost, &pamet));
        lp.push_back(Cas({"lp", "-d", Fronta, "-o", "raw", t.Uloha.string()}, t.Velikost));
        stav.SetIterationTime(davka.back());
    }
    stav.counters["davka_ms"] = Median(davka) * 1000;
    stav.counters["davka_min_ms"] = Nejmene(davka) * 1000;
    stav.counters["lp_ms"] = Median(lp) * 1000;
    stav.counters["lp_min_ms"] = Nejmene(lp) * 1000;
    stav.counters["pomer"] = Median(davka) / Median(lp);
    stav.counters["pomer_min"] = Nejmene(davka) / Nejmene(lp);
    stav.counters["pamet_MB"] = static_cast<double>(pamet) / 1024;
    PametKiB = std::max(PametKiB, pamet);
    stav.SetBytesProcessed(static_cast<int64_t>(stav.iterations() * t.Velikost));
}

void BM_DavkaProtiLp(benchmark::State& stav) {
    ProtiLp(stav, &tTabulky::Tsv);
}
BENCHMARK(BM_DavkaProtiLp)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// The same table as a CSV file (LibreOffice's form: ",", the price quoted): the same job.
void BM_CsvProtiLp(benchmark::State& stav) {
    ProtiLp(stav, &tTabulky::Csv);
}
BENCHMARK(BM_CsvProtiLp)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// The CSV as Czech Excel saves it, in Windows-1250.
void BM_Csv1250ProtiLp(benchmark::State& stav) {
    ProtiLp(stav, &tTabulky::Csv1250);
}
BENCHMARK(BM_Csv1250ProtiLp)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// -n on one row that asks for 2147483647 labels: the preview counts them from the row.
void BM_NahledVelkehoPoctu(benchmark::State& stav) {
    std::vector<double> casy;
    for (auto _ : stav) {
        casy.push_back(Cas({Program.string(), "-n", VelkyPocet.string()}, 0));
        stav.SetIterationTime(casy.back());
    }
    stav.counters["median_ms"] = Median(casy) * 1000;
}
BENCHMARK(BM_NahledVelkehoPoctu)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// One row of 8 MiB of TABs (the longest row allowed) into a job file: the peak memory.
void BM_RadekTabulatoru(benchmark::State& stav) {
    long pamet = 0;
    for (auto _ : stav)
        pamet = std::max(pamet, Spust({Program.string(), "-o", (Adresar / "tab.bin").string(),
                                       RadekTabulatoru.string()})
                                    .pametKiB);
    stav.counters["pamet_MB"] = static_cast<double>(pamet) / 1024;
    PametKiB = std::max(PametKiB, pamet);
}

BENCHMARK(BM_RadekTabulatoru)->Unit(benchmark::kMillisecond)->Iterations(2);

// How the batch paths grow with the rows: a Markdown table of the median of three runs and
// the largest peak of each.
void Rust() {
    struct tCesta {
        const char* nazev;
        fs::path tTabulky::*tvar;
        bool nahled;
    };
    const tCesta cesty[] = {{"batch TSV", &tTabulky::Tsv, false},
                            {"batch CSV", &tTabulky::Csv, false},
                            {"batch CSV, Windows-1250", &tTabulky::Csv1250, false},
                            {"batch -n (TSV)", &tTabulky::Tsv, true}};
    std::printf("\n| Path | 10,000 rows | 100,000 rows | 1,000,000 rows |\n|---|---|---|---|\n");
    for (const tCesta& c : cesty) {
        std::printf("| %s |", c.nazev);
        for (const int radku : Velikosti) {
            const tTabulky& t = Tabulky.at(radku);
            std::vector<double> casy;
            long pamet = 0;
            for (int i = 0; i < 3; ++i) {
                std::vector<std::string> argumenty{Program.string()};
                if (c.nahled)
                    argumenty.emplace_back("-n");
                argumenty.push_back((t.*c.tvar).string());
                casy.push_back(Cas(argumenty, c.nahled ? 0 : t.Velikost, &pamet));
            }
            std::printf(" %.3f s, %.1f MB |", Median(casy), static_cast<double>(pamet) / 1024);
            std::fflush(stdout);
        }
        std::printf("\n");
    }
}

// A copy of the batch printer with a settings file of its own, tables of goods and prices
// whose every row prints one label, and each job's bytes from the batch printer's --output.
void Priprav() {
    CupsTest("start", Adresar, Fronta);
    CupsTest("queue", Adresar, Fronta);
    setenv("CUPS_SERVER", (Adresar / "cups.sock").c_str(), 1);
    tStav stav = Cenovky(Fronta, "Cena: {3,9*} K\x8A");
    stav.PopisEtiket[0].InitKody = "27 64";
    const char* jiny = std::getenv("OBLEPKY_BENCH_TISK");
    Program = PripravDavku(Adresar, jiny ? jiny : OBLEPKY_TISK, stav);
    for (const int radku : Velikosti) {
        tTabulky& t = Tabulky[radku];
        const std::string n = std::to_string(radku);
        t.Tsv = Adresar / ("tabulka" + n + ".txt");
        t.Csv = Adresar / ("tabulka" + n + ".csv");
        t.Csv1250 = Adresar / ("tabulka" + n + "-1250.csv");
        std::ofstream tsv(t.Tsv, std::ios::binary), csv(t.Csv, std::ios::binary),
            csv1250(t.Csv1250, std::ios::binary);
        for (int i = 1; i <= radku; ++i) {
            tsv << "1\tZbo\xC5\xBE\xC3\xAD \xC4\x8D. " << i << '\t' << i % 1000 << ",50\r\n";
            csv << "1,Zbo\xC5\xBE\xC3\xAD \xC4\x8D. " << i << ",\"" << i % 1000 << ",50\"\r\n";
            csv1250 << "1,Zbo\x9E\xED \xE8. " << i << ",\"" << i % 1000 << ",50\"\r\n";
        }
        tsv.close();
        t.Uloha = Adresar / ("uloha" + n + ".bin");
        Spust({Program.string(), "-o", t.Uloha.string(), t.Tsv.string()});
        t.Velikost = fs::file_size(t.Uloha);
    }
    Velikost = Tabulky.at(Radku).Velikost;
    RadekTabulatoru = Adresar / "tabulatory.txt";
    {
        std::ofstream soubor(RadekTabulatoru, std::ios::binary);
        soubor << '1' << std::string(size_t{8} * 1024 * 1024 - 2, '\t') << "\n";
    }
    VelkyPocet = Adresar / "velky.txt";
    std::ofstream(VelkyPocet, std::ios::binary) << "2147483647\tBig\t5\n";
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const tDocasnyAdresar adresar;
    Adresar = adresar.Cesta();
    Zpravodaj zpravodaj;
    try {
        Priprav();
        benchmark::RunSpecifiedBenchmarks(&zpravodaj);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        CupsTest("stop", Adresar, Fronta);
        return 1;
    }
    Rust();
    CupsTest("stop", Adresar, Fronta);
    if (zpravodaj.pomer > 0)
        std::printf("oblepky-tisk / lp (medians, the last CSV): %.3f (target at most 1.0); peak "
                    "memory %.1f MB "
                    "(at most 64)\n",
                    zpravodaj.pomer, static_cast<double>(PametKiB) / 1024);
    benchmark::Shutdown();
}
