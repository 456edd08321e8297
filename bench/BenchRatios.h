#pragma once

// What every benchmark program here shares: a reporter that keeps the median of each benchmark for the
// summary printed after the usual table, and a main that prints, for every benchmark named
// <fast><case>, the ratio of the median time of <reference><case> to its own, both measured in this run.

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace bench {

class MedianCollector : public benchmark::ConsoleReporter {
public:
    MedianCollector() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                const double scale = unitToMicroseconds(run.time_unit);
                m_medians[run.run_name.function_name] = run.GetAdjustedRealTime() * scale;
                m_cpuMedians[run.run_name.function_name] = run.GetAdjustedCPUTime() * scale;
            }
        ConsoleReporter::ReportRuns(runs);
    }
    // Wall-clock median in microseconds (0 when the benchmark did not run, being filtered out).
    double median(const std::string& name) const { return find(m_medians, name); }
    // CPU-time median: steadier than the wall clock on a machine shared with other work.
    double cpuMedian(const std::string& name) const { return find(m_cpuMedians, name); }
    const std::map<std::string, double>& medians() const { return m_medians; }

private:
    static double unitToMicroseconds(benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kNanosecond:
            return 1e-3;
        case benchmark::kMicrosecond:
            return 1.0;
        case benchmark::kMillisecond:
            return 1e3;
        case benchmark::kSecond:
            return 1e6;
        }
        return 1.0;
    }
    static double find(const std::map<std::string, double>& medians, const std::string& name) {
        const auto it = medians.find(name);
        return it == medians.end() ? 0.0 : it->second;
    }
    std::map<std::string, double> m_medians;
    std::map<std::string, double> m_cpuMedians;
};

// The medians in milliseconds.
inline int runWithRatios(int argc, char** argv, const std::string& fast, const std::string& reference) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    MedianCollector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-40s %14s %14s %10s\n", "case", "fast median", "ref median", "ratio");
    for (const auto& [name, time] : reporter.medians()) {
        if (name.rfind(fast, 0) != 0)
            continue;
        const std::string which = name.substr(fast.size());
        const double ref = reporter.median(reference + which);
        if (ref == 0)
            continue;
        std::printf("%-40s %14.3f %14.3f %9.1fx\n", which.c_str(), time / 1e3, ref / 1e3, ref / time);
    }
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
