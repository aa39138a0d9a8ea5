#pragma once
// What the benchmarks that race a way of printing against lp -o raw share: the private CUPS
// server and its capturing queue, the median of the timed runs, and a console report that
// keeps the ratio ("pomer" counter) for the summary.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

// scripts/cups-test `prikaz` (start, queue, stop) on the server in `adresar`; queue adds the
// raw queue `fronta`, whose jobs land as files.
inline void CupsTest(const std::string& prikaz, const std::filesystem::path& adresar,
                     const std::string& fronta) {
    const char* skripty = std::getenv("OBLEPKY_SKRIPTY");
    const std::string radek = "'" + std::string(skripty ? skripty : OBLEPKY_SKRIPTY) +
                              "/cups-test' " + prikaz + " '" + adresar.string() + "'" +
                              (prikaz == "queue" ? " " + fronta : "") + " >/dev/null";
    if (std::system(radek.c_str()) != 0)
        throw std::runtime_error("failed: " + radek);
}

inline std::filesystem::path Zachyceno(const std::filesystem::path& adresar,
                                       const std::string& fronta) {
    return adresar / "zachyceno" / fronta;
}

inline void VymazZachycene(const std::filesystem::path& adresar, const std::string& fronta) {
    for (const auto& p : std::filesystem::directory_iterator(Zachyceno(adresar, fronta)))
        std::filesystem::remove(p.path());
}

// Waits until one job of `velikost` bytes has arrived.
inline void CekejNaUlohu(const std::filesystem::path& adresar, const std::string& fronta,
                         uintmax_t velikost) {
    const auto konec = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (std::chrono::steady_clock::now() < konec) {
        for (const auto& p : std::filesystem::directory_iterator(Zachyceno(adresar, fronta))) {
            if (p.path().extension() == ".bin") {
                if (std::filesystem::file_size(p.path()) != velikost)
                    throw std::runtime_error("captured job has a wrong size");
                return;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    throw std::runtime_error("job did not arrive");
}

inline double Median(std::vector<double> casy) {
    std::sort(casy.begin(), casy.end());
    return casy[casy.size() / 2];
}

class Zpravodaj : public benchmark::ConsoleReporter {
public:
    Zpravodaj() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& behy) override {
        for (const auto& b : behy) {
            if (const auto c = b.counters.find("pomer"); c != b.counters.end())
                pomer = c->second.value;
        }
        ConsoleReporter::ReportRuns(behy);
    }
    double pomer = 0;
};
