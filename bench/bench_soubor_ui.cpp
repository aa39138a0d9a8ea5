// The window's import of a table file through "Načíst ze souboru…" (the file dialog bypassed)
// against the same table pasted from the clipboard, offscreen, for tables of every shape:
// 1,000,000 rows as TSV and as CSV (about 40 MB), 2,600,000 short rows, 50 MB of
// one-character cells, and one row of 8 MiB TABs. Goals: the file takes at most 1.2x the
// paste's time; the peak memory of each, the growth of the process's resident set over the
// import, is at most 2x the text; the row of TABs loads in at most 0.5 s and 64 MB. Each
// import runs in a process of its own, so that one peak does not hide the other; medians of
// five rounds, the two alternating.
//
//   build-dir/bench/bench_soubor_ui

#include "bench/ImportOkna.h"

#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

constexpr int Kol = 5;

double Median(std::vector<double> hodnoty) {
    std::sort(hodnoty.begin(), hodnoty.end());
    return hodnoty[hodnoty.size() / 2];
}

// A table file of a given shape.
struct tTvar {
    const char* nazev;
    const char* soubor;
    std::function<void(std::ofstream&)> zapis;
};

int main(int argc, char** argv) {
    if (const auto kod = ImportVProcesu(argc, argv))
        return *kod;
    const auto radek = [](int i, char oddelovac, bool uvozovky) {
        const std::string q = uvozovky ? "\"" : "";
        return "1" + std::string(1, oddelovac) + "Zboží č. " + std::to_string(i) + oddelovac + q +
               std::to_string(i % 1000) + ",50 Kč" + q + "\r\n";
    };
    const tTvar tvary[] = {
        {"1M rows TSV", "radky.txt",
         [&](std::ofstream& f) {
             for (int i = 1; i <= 1'000'000; ++i)
                 f << radek(i, '\t', false);
         }},
        {"1M rows CSV", "radky.csv",
         [&](std::ofstream& f) {
             for (int i = 1; i <= 1'000'000; ++i)
                 f << radek(i, ',', true);
         }},
        {"2.6M short rows", "kratke.txt",
         [](std::ofstream& f) {
             for (int i = 1; i <= 2'600'000; ++i)
                 f << "a\t1\n";
         }},
        {"50 MB 1-char cells", "bunky.txt",
         [](std::ofstream& f) {
             std::string r;
             for (int c = 0; c < 99; ++c)
                 r += "a\t";
             r += "a\n";
             for (size_t n = 0; n < size_t{50} * 1000 * 1000; n += r.size())
                 f << r;
         }},
        {"8 MiB row of TABs", "taby.txt",
         [](std::ofstream& f) { f << std::string(size_t{8} * 1024 * 1024, '\t'); }},
    };
    QTemporaryDir adresar;
    std::printf("%-20s %10s %10s %8s %12s %12s\n", "table", "paste s", "file s", "ratio",
                "paste peak", "file peak");
    for (const tTvar& t : tvary) {
        const std::string soubor =
            (adresar.path() + QLatin1Char('/') + QLatin1String(t.soubor)).toStdString();
        {
            std::ofstream f(soubor, std::ios::binary);
            t.zapis(f);
        }
        const double bajtu = static_cast<double>(std::filesystem::file_size(soubor));
        // Five rounds, the paste and the file alternating: medians of each.
        std::vector<double> casy[2], spicky[2];
        for (int kolo = 0; kolo < Kol; ++kolo)
            for (int k = 0; k < 2; ++k) {
                const auto [cas, spicka] = Import(k == 0 ? "schranka" : "soubor", soubor);
                casy[k].push_back(cas);
                spicky[k].push_back(spicka);
            }
        const double casSchranky = Median(casy[0]), casSouboru = Median(casy[1]);
        const double spickaSchranky = Median(spicky[0]), spickaSouboru = Median(spicky[1]);
        std::printf("%-20s %10.3f %10.3f %8.2f %7.2fx %4.0fM %7.2fx %4.0fM\n", t.nazev, casSchranky,
                    casSouboru, casSouboru / casSchranky, spickaSchranky / bajtu,
                    spickaSchranky / 1e6, spickaSouboru / bajtu, spickaSouboru / 1e6);
        std::filesystem::remove(soubor);
    }
    std::printf("goals: file/paste <= 1.2, peaks <= 2x the text, TABs <= 0.5 s and 64 MB\n");
    return 0;
}
