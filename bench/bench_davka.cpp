// oblepky-tisk with a table file of 1,000,000 rows against "lp -o raw" of the identical bytes,
// to the same capture queue of a private CUPS server: each timed from the process's start
// until the capture holds every byte, and the batch printer's peak memory (ru_maxrss).
// Prints the ratio of the medians and the peak at the end.
//
//   build-dir/bench/bench_davka
//
// Scripts are taken from OBLEPKY_SKRIPTY in the environment, else from the source tree.
#include "bench/ProtiLp.h"
#include "core/Nastaveni.h"
#include "tests/podpora/DocasnyAdresar.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

const std::string Fronta = "Bench";
constexpr int Radku = 1'000'000;

fs::path Adresar;
fs::path Tabulka, TabulkaCsv, RadekTabulatoru, Uloha, Program;
uintmax_t Velikost = 0; // bytes of the job
long PametKiB = 0;      // the largest peak of the batch printer

long Spust(std::vector<std::string> argumenty) {
    std::vector<char*> argv;
    for (auto& a : argumenty)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t akce;
    posix_spawn_file_actions_init(&akce);
    posix_spawn_file_actions_addopen(&akce, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &akce, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + argumenty[0]);
    posix_spawn_file_actions_destroy(&akce);
    int stav = 0;
    rusage spotreba{};
    if (wait4(pid, &stav, 0, &spotreba) != pid || !WIFEXITED(stav) || WEXITSTATUS(stav) != 0)
        throw std::runtime_error(argumenty[0] + " failed");
    return spotreba.ru_maxrss;
}

double Cas(const std::vector<std::string>& argumenty, long* pamet = nullptr) {
    VymazZachycene(Adresar, Fronta);
    const auto zacatek = std::chrono::steady_clock::now();
    const long kib = Spust(argumenty);
    CekejNaUlohu(Adresar, Fronta, Velikost);
    if (pamet)
        *pamet = std::max(*pamet, kib);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - zacatek).count();
}

// The two take turns, so load from elsewhere on the machine hits both alike.
void BM_DavkaProtiLp(benchmark::State& stav) {
    std::vector<double> davka, lp;
    for (auto _ : stav) {
        davka.push_back(Cas({Program.string(), Tabulka.string()}, &PametKiB));
        lp.push_back(Cas({"lp", "-d", Fronta, "-o", "raw", Uloha.string()}));
        stav.SetIterationTime(davka.back());
    }
    stav.counters["davka_ms"] = Median(davka) * 1000;
    stav.counters["lp_ms"] = Median(lp) * 1000;
    stav.counters["pomer"] = Median(davka) / Median(lp);
    stav.counters["pamet_MB"] = static_cast<double>(PametKiB) / 1024;
    stav.SetBytesProcessed(static_cast<int64_t>(stav.iterations() * Velikost));
}

BENCHMARK(BM_DavkaProtiLp)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// The same table as a CSV file (LibreOffice's form: ",", the price quoted): the same job.
void BM_CsvProtiLp(benchmark::State& stav) {
    std::vector<double> davka, lp;
    long pamet = 0;
    for (auto _ : stav) {
        davka.push_back(Cas({Program.string(), TabulkaCsv.string()}, &pamet));
        lp.push_back(Cas({"lp", "-d", Fronta, "-o", "raw", Uloha.string()}));
        stav.SetIterationTime(davka.back());
    }
    stav.counters["davka_ms"] = Median(davka) * 1000;
    stav.counters["lp_ms"] = Median(lp) * 1000;
    stav.counters["pomer"] = Median(davka) / Median(lp);
    stav.counters["pamet_MB"] = static_cast<double>(pamet) / 1024;
    PametKiB = std::max(PametKiB, pamet);
}

BENCHMARK(BM_CsvProtiLp)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// One row of 8 MiB of TABs (the longest row allowed) into a job file: the peak memory.
void BM_RadekTabulatoru(benchmark::State& stav) {
    long pamet = 0;
    for (auto _ : stav)
        pamet = std::max(pamet, Spust({Program.string(), "-o", (Adresar / "tab.bin").string(),
                                       RadekTabulatoru.string()}));
    stav.counters["pamet_MB"] = static_cast<double>(pamet) / 1024;
    PametKiB = std::max(PametKiB, pamet);
}

BENCHMARK(BM_RadekTabulatoru)->Unit(benchmark::kMillisecond)->Iterations(2);

// A copy of the batch printer with a settings file of its own, a table of goods and prices
// whose every row prints one label, and the job's bytes from the batch printer's --output.
void Priprav() {
    CupsTest("start", Adresar, Fronta);
    CupsTest("queue", Adresar, Fronta);
    setenv("CUPS_SERVER", (Adresar / "cups.sock").c_str(), 1);
    Program = Adresar / "oblepky-tisk";
    fs::copy_file(OBLEPKY_TISK, Program);
    tStav stav;
    tPopisOblepky& p = stav.PopisEtiket[0];
    p.Tiskarna = Fronta;
    p.InitKody = "27 64";
    p.PocetRadkuOblepky = 3;
    p.StdPocet = 1;
    p.PoleSPoctem = 1;
    p.KodyOdradkovani = "12";
    p.Radky[1] = {2, 40, "{2}"};
    p.Radky[2] = {0, 40, "Cena: {3,9*} K\x8A"};
    stav.Zmeneno = true;
    tUlozisteNastaveni((Adresar / "Oblepky.ini").string()).Uloz(stav, {});
    Tabulka = Adresar / "tabulka.txt";
    {
        std::ofstream soubor(Tabulka, std::ios::binary);
        for (int i = 1; i <= Radku; ++i)
            soubor << "1\tZbo\xC5\xBE\xC3\xAD \xC4\x8D. " << i << '\t' << i % 1000 << ",50\r\n";
    }
    TabulkaCsv = Adresar / "tabulka.csv";
    {
        std::ofstream soubor(TabulkaCsv, std::ios::binary);
        for (int i = 1; i <= Radku; ++i)
            soubor << "1,Zbo\xC5\xBE\xC3\xAD \xC4\x8D. " << i << ",\"" << i % 1000 << ",50\"\r\n";
    }
    RadekTabulatoru = Adresar / "tabulatory.txt";
    {
        std::ofstream soubor(RadekTabulatoru, std::ios::binary);
        soubor << '1' << std::string(size_t{8} * 1024 * 1024 - 2, '\t') << "\n";
    }
    Uloha = Adresar / "uloha.bin";
    Spust({Program.string(), "-o", Uloha.string(), Tabulka.string()});
    Velikost = fs::file_size(Uloha);
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
    CupsTest("stop", Adresar, Fronta);
    if (zpravodaj.pomer > 0)
        std::printf("oblepky-tisk / lp (medians): %.3f (target at most 1.3); peak memory %.1f MB "
                    "(at most 64)\n",
                    zpravodaj.pomer, static_cast<double>(PametKiB) / 1024);
    benchmark::Shutdown();
}
