// The window's import of a table of 1,000,000 rows (about 40 MB): from the clipboard, and the
// same table from a CSV file through "Načíst ze souboru…" (the file dialog bypassed), offscreen.
// Goals: the file takes at most 2x the paste's time; the peak memory of each, the growth of
// the process's resident set over the import, is at most 2x the text. Each import runs in a
// process of its own, so that one peak does not hide the other.
//
//   build-dir/bench/bench_soubor_ui

#include "core/Nastaveni.h"
#include "ui/MainForm.h"
#include "ui/StranaTabulky.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/resource.h>

namespace {

constexpr int Radku = 1'000'000;

long SpickaKiB() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss;
}

std::string Radek(int i, char oddelovac, bool uvozovky) {
    const std::string q = uvozovky ? "\"" : "";
    return "1" + std::string(1, oddelovac) + "Zboží č. " + std::to_string(i) + oddelovac + q +
           std::to_string(i % 1000) + ",50 Kč" + q + "\r\n";
}

// One import in this process: prints its time in seconds and its peak per byte of text.
int Jeden(const char* pripad, const char* soubor) {
    QTemporaryDir adresar;
    tUlozisteNastaveni uloziste{(adresar.path() + QStringLiteral("/Oblepky.ini")).toStdString()};
    tNastaveni nactene = uloziste.Nacti();
    tStav stav = nactene.Stav;
    TMainForm okno{stav, uloziste, nactene.Rucni};
    okno.show();
    auto* strana = okno.findChild<TStranaTabulky*>();
    double bajtu = 0;
    if (std::string(pripad) == "schranka") {
        std::string text;
        for (int i = 1; i <= Radku; ++i)
            text += Radek(i, '\t', false);
        bajtu = static_cast<double>(text.size());
        QApplication::clipboard()->setText(QString::fromStdString(text));
        text = std::string();
    } else {
        std::ifstream f(soubor, std::ios::binary | std::ios::ate);
        bajtu = static_cast<double>(f.tellg());
    }
    QApplication::processEvents();
    const long predtim = SpickaKiB();
    const auto zacatek = std::chrono::steady_clock::now();
    if (std::string(pripad) == "schranka")
        okno.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    else
        strana->NactiSoubor(QString::fromLocal8Bit(soubor));
    const double cas =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - zacatek).count();
    std::printf("%f %f\n", cas, static_cast<double>(SpickaKiB() - predtim) * 1024.0 / bajtu);
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

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3) {
        QApplication aplikace(argc, argv);
        return Jeden(argv[1], argv[2]);
    }
    QTemporaryDir adresar;
    const std::string soubor = (adresar.path() + QStringLiteral("/tabulka.csv")).toStdString();
    {
        std::ofstream f(soubor, std::ios::binary);
        for (int i = 1; i <= Radku; ++i)
            f << Radek(i, ',', true);
    }
    const auto [casSchranky, spickaSchranky] = Spust("schranka", soubor);
    const auto [casSouboru, spickaSouboru] = Spust("soubor", soubor);
    std::printf("clipboard: %.3f s, peak %.2fx the text\n", casSchranky, spickaSchranky);
    std::printf("CSV file:  %.3f s, peak %.2fx the text\n", casSouboru, spickaSouboru);
    std::printf("file / clipboard time: %.2f (target at most 2); peaks at most 2x\n",
                casSouboru / casSchranky);
    return 0;
}
