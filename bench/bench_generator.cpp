// Generator stage timings: guarantee builds (the program's build against the pairwise one, on a pool in
// plain enumeration order and on a filtered pool), system files of a million lines, result checking.
// Prints the medians and their ratios after the Google Benchmark table.

#include "BenchRatios.h"
#include "core/Enumeration.h"
#include "generator/GuaranteeSystem.h"
#include "generator/ResultCheck.h"
#include "generator/SystemFile.h"
#include "generator/SystemLine.h"
#include "support/TypicalSettings.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace selektor;

namespace {

constexpr int kRepetitions = 7;
constexpr std::int32_t kFileLines = 1'000'000;

struct NamedPool {
    std::string name;
    std::unique_ptr<CandidatePool> pool;
};

std::unique_ptr<CandidatePool> poolFor(FilterSettings settings) {
    auto pool = std::make_unique<CandidatePool>();
    if (countCombinations(settings, *pool).refusal) {
        std::fprintf(stderr, "filter settings refused\n");
        std::exit(1);
    }
    return pool;
}

// Every tab in mode 0: the first 30000 combinations in lexicographic order, all starting 1 2.
std::unique_ptr<CandidatePool> lexicographicPool() {
    return poolFor(FilterSettings{});
}

// The pool of a typical evening's settings: 27336 combinations, all of them kept.
std::unique_ptr<CandidatePool> filteredPool() {
    return poolFor(test::eveningSettings());
}

const char* modeName(GuaranteeMode mode) {
    switch (mode) {
    case GuaranteeMode::Gw5:
        return "gw5";
    case GuaranteeMode::Gw4:
        return "gw4";
    case GuaranteeMode::Gw3:
        return "gw3";
    case GuaranteeMode::Full:
        break;
    }
    return "gw6";
}

void registerGuarantee(const NamedPool& named, GuaranteeMode mode, bool reference) {
    const std::string name =
        std::string("Guarantee/") + (reference ? "reference/" : "fast/") + named.name + "/" + modeName(mode);
    const CandidatePool* pool = named.pool.get();
    auto* b = benchmark::RegisterBenchmark(name.c_str(), [pool, mode, reference](benchmark::State& st) {
        LotterySystem system;
        std::int32_t lines = 0;
        for (auto _ : st) {
            const GuaranteeOutcome outcome = reference ? buildGuaranteeSystemReference(mode, *pool, system)
                                                       : buildGuaranteeSystem(mode, *pool, system);
            lines = outcome.lineCount;
            benchmark::DoNotOptimize(system.tickets().data());
        }
        st.counters["lines"] = lines;
        st.counters["poolRows"] = pool->storedCount();
    });
    b->Unit(benchmark::kMicrosecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
    if (reference)
        b->MinTime(0.2);
    else
        b->MinTime(0.05);
}

std::string scratchFile() {
    return (std::filesystem::temp_directory_path() / "selektor_bench_system.txt").string();
}

LotterySystem millionLines(const CandidatePool& pool) {
    LotterySystem lines;
    lines.reserve(kFileLines);
    for (std::int32_t i = 0; i < kFileLines; ++i)
        lines.append(pool.rows()[i % pool.storedCount()]);
    return lines;
}

void registerFiles(const LotterySystem& lines) {
    benchmark::RegisterBenchmark("SystemFile/write/1000000",
                                 [&lines](benchmark::State& st) {
                                     for (auto _ : st)
                                         writeSystemFile(scratchFile(), lines);
                                     st.SetBytesProcessed(st.iterations() * static_cast<std::int64_t>(lines.size()) *
                                                          20);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true)
        ->Iterations(3);

    benchmark::RegisterBenchmark("SystemFile/read/1000000",
                                 [&lines](benchmark::State& st) {
                                     writeSystemFile(scratchFile(), lines);
                                     std::size_t read = 0;
                                     for (auto _ : st) {
                                         const LotterySystem opened = readSystemFile(scratchFile());
                                         read = opened.size();
                                     }
                                     st.counters["lines"] = static_cast<double>(read);
                                     st.SetBytesProcessed(st.iterations() * static_cast<std::int64_t>(lines.size()) *
                                                          20);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true)
        ->Iterations(3);
}

void registerResultCheck(const CandidatePool& pool) {
    benchmark::RegisterBenchmark("ResultCheck/30000",
                                 [&pool](benchmark::State& st) {
                                     LotterySystem system;
                                     buildGuaranteeSystem(GuaranteeMode::Full, pool, system);
                                     const Combination& drawn = pool.rows()[pool.storedCount() / 2];
                                     std::array<std::string, kDrawnNumbers> entries;
                                     for (int i = 0; i < kDrawnNumbers; ++i)
                                         entries[i] = std::to_string(drawn[i]);
                                     std::int32_t hitLines = 0;
                                     for (auto _ : st) {
                                         const ResultCheckOutcome outcome = checkResult(entries, system);
                                         hitLines = outcome.byHits[3].count + outcome.byHits[4].count +
                                                    outcome.byHits[5].count + outcome.byHits[6].count;
                                     }
                                     st.counters["lines"] = static_cast<double>(system.size());
                                     st.counters["hitLines"] = hitLines;
                                 })
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true);
}

using bench::MedianCollector;

// Heap bytes held right now (glibc), to show what a million opened lines cost.
std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    std::vector<NamedPool> pools;
    pools.push_back({"lexicographic", lexicographicPool()});
    pools.push_back({"filtered", filteredPool()});
    const GuaranteeMode modes[] = {GuaranteeMode::Gw5, GuaranteeMode::Gw4, GuaranteeMode::Gw3};
    for (const NamedPool& named : pools)
        for (GuaranteeMode mode : modes) {
            registerGuarantee(named, mode, false);
            registerGuarantee(named, mode, true);
        }
    const LotterySystem lines = millionLines(*pools[1].pool);
    registerFiles(lines);
    registerResultCheck(*pools[0].pool);

    MedianCollector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nSummary (medians of %d repetitions, one run)\n", kRepetitions);
    for (const NamedPool& named : pools)
        for (GuaranteeMode mode : modes) {
            const std::string tail = named.name + "/" + modeName(mode);
            const double fast = reporter.median("Guarantee/fast/" + tail);
            const double reference = reporter.median("Guarantee/reference/" + tail);
            const double fastCpu = reporter.cpuMedian("Guarantee/fast/" + tail);
            const double referenceCpu = reporter.cpuMedian("Guarantee/reference/" + tail);
            if (fast <= 0 || reference <= 0)
                continue;
            std::printf("  guarantee %-17s (%5d rows): fast %8.1f us, reference %9.1f us, ratio %6.1fx (cpu time "
                        "%6.1fx)  [%s]\n",
                        tail.c_str(), named.pool->storedCount(), fast, reference, reference / fast,
                        referenceCpu / fastCpu,
                        fast > 5000.0               ? "over 5 ms"
                        : reference / fast >= 100.0 ? "within 5 ms, at least 100x"
                                                    : "within 5 ms, under 100x");
        }
    const double write = reporter.median("SystemFile/write/1000000");
    const double read = reporter.median("SystemFile/read/1000000");
    const double check = reporter.median("ResultCheck/30000");
    if (write > 0)
        std::printf("  system file write 1000000 lines: %8.1f ms  [%s]\n", write / 1e3,
                    write < 1e6 ? "under 1 s" : "OVER 1 s");
    if (read > 0) {
        const std::size_t before = heapInUse();
        const LotterySystem opened = readSystemFile(scratchFile());
        const std::size_t held = heapInUse() - before;
        std::printf("  system file read  1000000 lines: %8.1f ms  [%s], list holds %.1f MB (%.1f bytes per line)\n",
                    read / 1e3, read < 1e6 ? "under 1 s" : "OVER 1 s", held / 1e6,
                    static_cast<double>(held) / static_cast<double>(opened.size()));
    }
    if (check > 0)
        std::printf("  result check 30000 lines:        %8.1f us  [%s]\n", check,
                    check < 5000 ? "under 5 ms" : "OVER 5 ms");
    std::filesystem::remove(scratchFile());
    benchmark::Shutdown();
    return 0;
}
