#pragma once

// A benchmark main that, after the usual table, prints for every benchmark named <fast><case> the
// ratio of the median time of <reference><case> to its own, both measured in this run.

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace bench {

class MedianCollector : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> medians; // run name without the aggregate suffix -> real time

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

inline int runWithRatios(int argc, char** argv, const std::string& fast, const std::string& reference) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    MedianCollector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-40s %14s %14s %10s\n", "case", "fast median", "ref median", "ratio");
    for (const auto& [name, time] : reporter.medians) {
        if (name.rfind(fast, 0) != 0)
            continue;
        const std::string which = name.substr(fast.size());
        const auto ref = reporter.medians.find(reference + which);
        if (ref == reporter.medians.end())
            continue;
        std::printf("%-40s %14.3f %14.3f %9.1fx\n", which.c_str(), time, ref->second, ref->second / time);
    }
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
