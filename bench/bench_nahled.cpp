// The print preview as the user waits for it: one update of the preview window (the run into
// the preview job, the text, the filled document) for a manual label of 1000 copies (the
// most the copy count allows) and for a pasted table of 100,000 rows, whose totals stream
// through the preview job. Targets: 16 ms and 100 ms. Qt runs offscreen.

#include "core/Win1250.h"
#include "output/Nahled.h"
#include "ui/NahledForm.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <cstdlib>
#include <string>

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
