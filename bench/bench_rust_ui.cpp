// How the window's import grows with the rows: the same table of goods and prices from the
// clipboard and from a TSV file ("Načíst ze souboru…", the file dialog bypassed), offscreen,
// at 10,000, 100,000 and 1,000,000 rows. Each import runs in a process of its own; the
// figures are its time and its peak memory above the process before the import, as a
// Markdown table for the README.
//
//   build-dir/bench/bench_rust_ui

#include "core/Nastaveni.h"
#include "ui/MainForm.h"
#include "ui/StranaTabulky.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTemporaryDir>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/resource.h>

namespace {

constexpr std::array<int, 3> Velikosti = {10'000, 100'000, 1'000'000};

long SpickaKiB() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss;
}

std::string Tabulka(int radku) {
    std::string text;
    for (int i = 1; i <= radku; ++i)
        text += "1\tZboží č. " + std::to_string(i) + "\t" + std::to_string(i % 1000) + ",50 Kč\r\n";
    return text;
}

// One import in this process: prints its seconds and its peak in MB above the start.
int Jeden(const std::string& pripad, const char* soubor) {
    QTemporaryDir adresar;
    tUlozisteNastaveni uloziste{(adresar.path() + QStringLiteral("/Oblepky.ini")).toStdString()};
    tNastaveni nactene = uloziste.Nacti();
    tStav stav = nactene.Stav;
    TMainForm okno{stav, uloziste, nactene.Rucni};
    okno.show();
    if (pripad == "schranka") {
        std::ifstream f(soubor, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(f), {}};
        QApplication::clipboard()->setText(QString::fromStdString(text));
    }
    QApplication::processEvents();
    const long predtim = SpickaKiB();
    const auto zacatek = std::chrono::steady_clock::now();
    if (pripad == "schranka")
        okno.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    else
        okno.findChild<TStranaTabulky*>()->NactiSoubor(QString::fromLocal8Bit(soubor));
    const double cas =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - zacatek).count();
    std::printf("%f %f\n", cas, static_cast<double>(SpickaKiB() - predtim) / 1024);
    return 0;
}

std::pair<double, double> Spust(const char* pripad, const std::string& soubor) {
    const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string prikaz = "'" + program + "' " + pripad + " '" + soubor + "'";
    FILE* p = popen(prikaz.c_str(), "r");
    double cas = 0, spicka = 0;
    if (!p || std::fscanf(p, "%lf %lf", &cas, &spicka) != 2)
        std::fprintf(stderr, "%s failed\n", pripad);
    if (p)
        pclose(p);
    return {cas, spicka};
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3) {
        QApplication aplikace(argc, argv);
        return Jeden(argv[1], argv[2]);
    }
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
            const auto [cas, spicka] = Spust(pripad, soubor);
            std::printf(" %.3f s, +%.1f MB |", cas, spicka);
            std::fflush(stdout);
        }
        std::printf("\n");
    }
    return 0;
}
