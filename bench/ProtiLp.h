#pragma once
// What the benchmarks that race a way of printing against lp -o raw share: the median of the
// timed runs, and a console report that keeps the ratio ("pomer" counter) for the summary.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include <unistd.h>

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
