#pragma once
// What the benchmarks of the batch printer share: its copy beside a settings file of the
// layout measured, the price label most of them print, and a run of a program to its end.

#include "core/Nastaveni.h"
#include "tests/podpora/Proces.h"

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

struct tBeh {
    double sekund = 0;
    long pametKiB = 0; // the peak (ru_maxrss)
};

// Runs argumenty (the program looked up in PATH) with its output to /dev/null, to its end;
// raises std::runtime_error when it cannot start or does not end with 0.
inline tBeh Spust(std::vector<std::string> argumenty) {
    const auto zacatek = std::chrono::steady_clock::now();
    const pid_t pid = SpustProces(argumenty, "/dev/null");
    if (pid < 0)
        throw std::runtime_error("cannot start " + argumenty[0]);
    const auto konec = PockejNaProces(pid);
    if (!konec || konec->Kod != 0)
        throw std::runtime_error(argumenty[0] + " failed");
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - zacatek).count(),
            konec->PametKiB};
}

// The first layout prints to fronta a label of three lines a row: the goods (column 2) on the
// second, the third by the template cena; column 1 is the count.
inline tStav Cenovky(const std::string& fronta, const std::string& cena) {
    tStav stav;
    tPopisOblepky& p = stav.PopisEtiket[0];
    p.Tiskarna = fronta;
    p.PocetRadkuOblepky = 3;
    p.StdPocet = 1;
    p.PoleSPoctem = 1;
    p.KodyOdradkovani = "12";
    p.Radky[1] = {2, 40, "{2}"};
    p.Radky[2] = {0, 40, cena};
    stav.Zmeneno = true;
    return stav;
}

// The batch printer zdroj copied into adresar beside a settings file of stav, so that the
// copy prints by it; the copy's path.
inline std::filesystem::path PripravDavku(const std::filesystem::path& adresar,
                                          const std::filesystem::path& zdroj, const tStav& stav) {
    const std::filesystem::path program = adresar / "oblepky-tisk";
    std::filesystem::copy_file(zdroj, program);
    tUlozisteNastaveni((adresar / "Oblepky.ini").string()).Uloz(stav, {});
    return program;
}
