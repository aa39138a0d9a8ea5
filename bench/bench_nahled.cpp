// The print preview as the user waits for it: one update of the preview window (the run into
// the preview job, the text, the filled document) for a manual label of 1000 copies (the
// most the copy count allows), for a pasted table of 100,000 rows, whose totals stream
// through the preview job, and for a row of millions of copies; and the peak memory of saving
// a long job to a file. Qt runs offscreen.

#include "core/Win1250.h"
#include "output/Nahled.h"
#include "ui/NahledForm.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

// Five lines with values, widths, Czech text in CP 852, codes before and after.
tPopisOblepky Rozvrzeni() {
    tPopisOblepky p;
    p.Tiskarna = "Stitky";
    p.Kodovani = 4;
    p.InitKody = "27 64 27 116 18";
    p.RadkuPred = 1;
    p.RadkuPo = 2;
    p.PocetRadkuOblepky = 7;
    p.PoleSPoctem = 3;
    for (int i = 1; i <= PocetRadku; ++i) {
        p.Radky[i].HrDelka = 40;
        p.Radky[i].HrZleva = 2;
    }
    p.Radky[1].HrText = "{1}";
    p.Radky[2].HrText = Utf8NaWin1250("Cena: {2,8*} Kč");
    p.Radky[3].HrText = "Kusu: {3}";
    p.Radky[4].HrText = Utf8NaWin1250("Šarže {4,-6} / {5}");
    p.Radky[5].HrText = "{1}";
    p.KodyOdradkovani = "12";
    return p;
}

QPlainTextEdit& Okno() {
    static QPlainTextEdit okno;
    return okno;
}

void Aktualizuj(const tNahled& nahled) {
    VyplnNahled(*Okno().document(), VykresliNahled(nahled));
}

void RucniNahled(benchmark::State& stav) {
    const tPopisOblepky popis = Rozvrzeni();
    tRucniHodnoty hodnoty{};
    hodnoty[1] = Utf8NaWin1250("Žluťoučký kůň, jablka");
    hodnoty[2] = "15,90";
    hodnoty[3] = "1";
    hodnoty[4] = "A-1234";
    hodnoty[5] = "2026-12-08";
    for (auto _ : stav) {
        Aktualizuj(ZachytNahled(
            popis, [&](const tSluzbyTisku& s) { TiskniRucne(popis, 1000, hodnoty, s); }));
    }
}
BENCHMARK(RucniNahled)->Unit(benchmark::kMillisecond);

void TabulkaNahled(benchmark::State& stav) {
    const tPopisOblepky popis = Rozvrzeni();
    std::string text;
    for (int r = 0; r < 100'000; ++r)
        text += Utf8NaWin1250("Jablka Jonagold č. ") + std::to_string(r) + "\t" +
                std::to_string(r % 100) + ",90\t1\tA-" + std::to_string(r) + "\t2026-12-08\r\n";
    tTabulka tabulka;
    tabulka.NactiText(text);
    long long etiket = 0;
    for (auto _ : stav) {
        const tNahled nahled = ZachytNahled(
            popis, [&](const tSluzbyTisku& s) { TiskniTabulku(popis, 1, tabulka, s); });
        etiket = nahled.Uloha.Etiket();
        Aktualizuj(nahled);
    }
    if (etiket != 100'000)
        stav.SkipWithError("the preview did not count every label");
}
BENCHMARK(TabulkaNahled)->Unit(benchmark::kMillisecond);

// A pasted table whose one row asks for 100,000,000 or 2147483647 copies (the largest count a
// cell can hold): the preview counts the copies past the labels it shows without making them.
// Target: as one update of a short table (16 ms). The preview made every label before: 28 s
// for 100,000,000 (11 s of processor time), and 2147483647 had not ended after 15 minutes.
void VelkyNahled(benchmark::State& stav) {
    const tPopisOblepky popis = Rozvrzeni();
    tTabulka tabulka;
    tabulka.NactiText(Utf8NaWin1250("Jablka Jonagold\t15,90\t") + std::to_string(stav.range(0)));
    long long etiket = 0;
    for (auto _ : stav) {
        const tNahled nahled = ZachytNahled(tTisk{popis, 1, {}, &tabulka});
        etiket = nahled.Uloha.Etiket();
        Aktualizuj(nahled);
    }
    if (etiket != stav.range(0))
        stav.SkipWithError("the preview did not count every label");
}
BENCHMARK(VelkyNahled)->Arg(100'000'000)->Arg(2'147'483'647)->Unit(benchmark::kMillisecond);

// The resident memory of the process (VmRSS) and its peak (VmHWM) since it was last reset.
void NulujSpicku() {
    std::ofstream("/proc/self/clear_refs") << "5";
}
double PametMiB(const std::string& co) {
    std::ifstream status("/proc/self/status");
    for (std::string radek; std::getline(status, radek);)
        if (radek.starts_with(co))
            return std::stod(radek.substr(co.size())) / 1024;
    return 0;
}

// "Uložit do souboru…" of 30,000,000 labels of 20 bytes (a 600 MB file), as the window runs
// it: the print into the file as it goes, with the progress window. Target: the memory of the
// program and a few blocks, as the batch printer's --output (15 MB); building the job in
// memory first took 1.22 GB.
void UlozeniVelkeUlohy(benchmark::State& stav) {
    tPopisOblepky popis;
    popis.Tiskarna = "Stitky";
    popis.PocetRadkuOblepky = 1;
    popis.PoleSPoctem = 2;
    popis.Radky[1].HrDelka = 40;
    popis.Radky[1].HrText = "{1}";
    popis.KodyOdradkovani = "12";
    tTabulka tabulka;
    tabulka.NactiText("Jablka Golden 123\t30000000");
    const std::string soubor = std::filesystem::temp_directory_path() /
                               ("bench_nahled." + std::to_string(::getpid()) + ".prn");
    const auto tisk = [&] { return tTisk{popis, 1, {}, &tabulka}; };
    TNahledForm okno(tisk, nullptr, [&] { return QString::fromStdString(soubor); });
    auto* ulozit = okno.findChild<QPushButton*>(QStringLiteral("bUlozit"));
    double spicka = 0, predtim = 0;
    for (auto _ : stav) {
        predtim = PametMiB("VmRSS:");
        NulujSpicku();
        ulozit->click();
        spicka = PametMiB("VmHWM:");
    }
    std::error_code chyba;
    const auto velikost = std::filesystem::file_size(soubor, chyba);
    std::filesystem::remove(soubor, chyba);
    if (velikost != 30'000'000ULL * 20)
        stav.SkipWithError("the file does not hold the whole job");
    stav.counters["peak_MiB"] = spicka;
    stav.counters["rss_before_MiB"] = predtim;
}
BENCHMARK(UlozeniVelkeUlohy)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication aplikace(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
