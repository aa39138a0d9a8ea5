#pragma once
// What the benchmarks of the window's import share: one import in a process of its own,
// offscreen, so that the peak of one does not hide another's, timed from the click to the
// view's first layout of the new table.

#include "core/Nastaveni.h"
#include "ui/MainForm.h"
#include "ui/StranaTabulky.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

// A line "Nazev:  N kB" of /proc/self/status, in KiB.
inline long StavKiB(const char* nazev) {
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

// One import in this process, of pripad "schranka" (the file's text, UTF-8, put on the
// clipboard as another program would, then pasted) or "soubor" ("Načíst ze souboru…", the
// dialog bypassed): prints its seconds and its peak in bytes above the process before it.
inline int JedenImport(const std::string& pripad, const char* soubor) {
    QTemporaryDir adresar;
    tUlozisteNastaveni uloziste{(adresar.path() + QStringLiteral("/Oblepky.ini")).toStdString()};
    tNastaveni nactene = uloziste.Nacti();
    tStav stav = nactene.Stav;
    TMainForm okno{stav, uloziste, nactene.Rucni};
    okno.show();
    const bool schranka = pripad == "schranka";
    if (schranka) {
        std::ifstream f(soubor, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(f)), {});
        QApplication::clipboard()->setText(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    QApplication::processEvents();
    // The peak reset to the resident set now: what the paste's text held before (the file
    // read for it, its UTF-16 form) would otherwise hide the import's own peak.
    std::ofstream("/proc/self/clear_refs") << "5";
    const long predtim = StavKiB("VmRSS:");
    const auto zacatek = std::chrono::steady_clock::now();
    if (schranka)
        okno.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    else
        okno.findChild<TStranaTabulky*>()->NactiSoubor(QString::fromLocal8Bit(soubor));
    QApplication::processEvents(); // the view's first layout of the new table
    const double cas =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - zacatek).count();
    std::printf("%f %f\n", cas, static_cast<double>(StavKiB("VmHWM:") - predtim) * 1024.0);
    return 0;
}

// main's start: offscreen; when this program was started for one import (pripad, soubor),
// runs it and gives its exit code.
inline std::optional<int> ImportVProcesu(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc != 3)
        return std::nullopt;
    QApplication aplikace(argc, argv);
    return JedenImport(argv[1], argv[2]);
}

// Runs this program for one import: its seconds and its peak in bytes.
inline std::pair<double, double> Import(const char* pripad, const std::string& soubor) {
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
