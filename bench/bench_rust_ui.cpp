// How the window's import grows with the rows: the same table of goods and prices from the
// clipboard and from a TSV file ("Načíst ze souboru…", the file dialog bypassed), offscreen,
// at 10,000, 100,000 and 1,000,000 rows. Each import runs in a process of its own; the
// figures are its time and its peak memory above the process before the import, as a
// Markdown table for the README.
//
//   build-dir/bench/bench_rust_ui

#include "bench/ImportOkna.h"

#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr std::array<int, 3> Velikosti = {10'000, 100'000, 1'000'000};

std::string Tabulka(int radku) {
    std::string text;
    for (int i = 1; i <= radku; ++i)
        text += "1\tZboží č. " + std::to_string(i) + "\t" + std::to_string(i % 1000) + ",50 Kč\r\n";
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (const auto kod = ImportVProcesu(argc, argv))
        return *kod;
    QTemporaryDir adresar;
    std::array<std::string, Velikosti.size()> soubory;
    for (size_t i = 0; i < Velikosti.size(); ++i) {
        soubory[i] =
            (adresar.path() + QStringLiteral("/tabulka%1.txt").arg(Velikosti[i])).toStdString();
        std::ofstream(soubory[i], std::ios::binary) << Tabulka(Velikosti[i]);
    }
    std::printf("| Path | 10,000 rows | 100,000 rows | 1,000,000 rows |\n|---|---|---|---|\n");
    for (const auto& [pripad, nazev] : {std::pair{"schranka", "window, from the clipboard"},
                                        std::pair{"soubor", "window, from a TSV file"}}) {
        std::printf("| %s |", nazev);
        for (const std::string& soubor : soubory) {
            const auto [cas, spicka] = Import(pripad, soubor);
            std::printf(" %.3f s, +%.1f MB |", cas, spicka / (1024 * 1024));
            std::fflush(stdout);
        }
        std::printf("\n");
    }
    return 0;
}
