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

#include "core/Nastaveni.h"
#include "ui/MainForm.h"
#include "ui/StranaTabulky.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

// A line "Nazev:  N kB" of /proc/self/status, in KiB.
long StavKiB(const char* nazev) {
    std::ifstream stav("/proc/self/status");
    std::string slovo;
    while (stav >> slovo)
        if (slovo == nazev) {
            long kib = 0;
            stav >> kib;
            return kib;
        }
    return 0;
}

// The resident set now, with its peak reset to it: what the paste's text held before (the
// file read for it, its UTF-16 form) would otherwise hide the import's own peak.
long ZacniSpicku() {
    std::ofstream("/proc/self/clear_refs") << "5";
    return StavKiB("VmRSS:");
}

// One import in this process: prints its time in seconds and its peak in bytes. The
// clipboard gets the file's text (UTF-8) as another program would put it there.
int Jeden(const char* pripad, const char* soubor) {
    QTemporaryDir adresar;
    tUlozisteNastaveni uloziste{(adresar.path() + QStringLiteral("/Oblepky.ini")).toStdString()};
    tNastaveni nactene = uloziste.Nacti();
    tStav stav = nactene.Stav;
    TMainForm okno{stav, uloziste, nactene.Rucni};
    okno.show();
    auto* strana = okno.findChild<TStranaTabulky*>();
    const bool schranka = std::string(pripad) == "schranka";
    if (schranka) {
        std::ifstream f(soubor, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(f)), {});
        QApplication::clipboard()->setText(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    QApplication::processEvents();
    const long predtim = ZacniSpicku();
    const auto zacatek = std::chrono::steady_clock::now();
    if (schranka)
        okno.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    else
        strana->NactiSoubor(QString::fromLocal8Bit(soubor));
    QApplication::processEvents(); // the view's first layout of the new table
    const double cas =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - zacatek).count();
    std::printf("%f %f\n", cas, static_cast<double>(StavKiB("VmHWM:") - predtim) * 1024.0);
    return 0;
}

// Runs this program for one import; its two figures.
std::pair<double, double> Spust(const char* pripad, const std::string& soubor) {
    // The shell that popen starts would be /proc/self/exe of its own.
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3) {
        QApplication aplikace(argc, argv);
        return Jeden(argv[1], argv[2]);
    }
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
                const auto [cas, spicka] = Spust(k == 0 ? "schranka" : "soubor", soubor);
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
