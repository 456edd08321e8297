// Timings of the work done against the draw history: the post-processing of a full pool against the
// recent draws, the program's reduction against the row-by-row one, for every choice of both tools; the
// statistics over the whole real history; and the adding of one draw to the files of that history.
// Prints the medians and their ratios after the Google Benchmark table.

#include "BenchRatios.h"
#include "core/Enumeration.h"
#include "generator/PostProcessing.h"
#include "history/DrawEntry.h"
#include "history/DrawHistory.h"
#include "history/Statistics.h"
#include "support/RandomCombination.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace selektor;
using namespace selektor::test;

namespace {

constexpr int kRepetitions = 7;
constexpr std::int32_t kDrawsToUse = kMostDrawsToUse;
// The windows of three draws reach two draws further back than the triples.
constexpr std::size_t kDrawsNeeded = kMostDrawsToUse + 2;

using bench::MedianCollector;

// ---- Post-processing ------------------------------------------------------------------------------

struct NamedPool {
    std::string name;
    std::unique_ptr<CandidatePool> pool;
};

// A typical evening's settings: three even and three odd, last-digit sum 20 to 30. Far more than 30000
// pass, so the pool is the first 30000 of them in enumeration order.
std::unique_ptr<CandidatePool> filteredPool() {
    FilterSettings s;
    s.setMode(Panel::EvenOdd, 1);
    s.evenOddTemplates[3] = 1;
    s.setMode(Panel::Sum, 1);
    for (int bucket = 20; bucket <= 30; ++bucket)
        s.sumTemplates[bucket] = 1;
    auto pool = std::make_unique<CandidatePool>();
    if (countCombinations(s, *pool).refusal || pool->storedCount() != kPoolCapacity) {
        std::fprintf(stderr, "the filter settings do not fill the pool\n");
        std::exit(1);
    }
    return pool;
}

std::unique_ptr<CandidatePool> randomPool() {
    std::mt19937 rng(2024);
    auto pool = std::make_unique<CandidatePool>();
    for (std::int32_t k = 0; k < kPoolCapacity; ++k)
        pool->append(randomCombination(rng));
    return pool;
}

// The real Polish history, read from the tests' data. Timing made-up draws instead would say nothing
// about the history players keep, so a file that cannot be read ends the program.
const char* const kHistoryFile = SELEKTOR_TEST_DATA_DIR "/poland_lotto_6of49.csv";

[[noreturn]] void historyUnreadable(const char* why) {
    std::fprintf(stderr, "bench_history: %s: %s\n", kHistoryFile, why);
    std::exit(1);
}

// The newest draws of the Polish history, oldest first.
std::vector<Combination> recentDraws(std::string& source) {
    std::vector<Combination> draws;
    std::ifstream file(kHistoryFile);
    if (!file)
        historyUnreadable("cannot be read");
    std::string line;
    std::getline(file, line); // the header
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        std::string field;
        std::getline(fields, field, ','); // the date
        Combination c{};
        int read = 0;
        while (read < kNumbersPerCombination && std::getline(fields, field, ','))
            c[read++] = static_cast<Number>(std::stoi(field));
        if (read == kNumbersPerCombination)
            draws.push_back(c);
    }
    if (draws.size() < kDrawsNeeded)
        historyUnreadable("too few draws for the benchmarks");
    source = "the newest draws of poland_lotto_6of49.csv";
    return {draws.end() - static_cast<std::ptrdiff_t>(kDrawsNeeded), draws.end()};
}

struct Choice {
    const char* name;
    const char* caption;
    int recent; // the first tool's choice, or -1
    int last;   // the second tool's choice, or -1
};

const Choice kChoices[] = {
    {"triples", "trójki z ostatnich losowań", 0, -1},
    {"quadruples", "czwórki z ostatnich losowań", 1, -1},
    {"fiveOfThree", "5 liczb z trzech sąsiednich", 2, -1},
    {"sixOfThree", "6 liczb z trzech sąsiednich", 3, -1},
    {"moreThanOne", "więcej niż jedną liczbę z ostatniego los.", -1, 0},
    {"moreThanTwo", "więcej niż dwie liczby z ostatniego los.", -1, 1},
    {"moreThanThreeOfTwo", "więcej niż trzy liczby z dwóch ostatnich", -1, 2},
};

PostProcessingOutcome runChoice(const Choice& choice, bool reference, std::span<const Combination> draws,
                                CandidatePool& pool) {
    if (choice.recent >= 0) {
        const auto which = static_cast<RecentDrawsChoice>(choice.recent);
        return reference ? reduceByRecentDrawsReference(which, kDrawsToUse, draws, pool)
                         : reduceByRecentDraws(which, kDrawsToUse, draws, pool);
    }
    const auto which = static_cast<LastDrawsChoice>(choice.last);
    return reference ? reduceByLastDrawsReference(which, draws, pool) : reduceByLastDraws(which, draws, pool);
}

std::string postProcessingName(bool reference, const NamedPool& named, const Choice& choice) {
    return std::string("PostProcessing/") + (reference ? "reference/" : "fast/") + named.name + "/" + choice.name;
}

// Every timed run starts from a copy of the same full pool; the copy is made outside the timed part.
void registerPostProcessing(const NamedPool& named, const Choice& choice, bool reference,
                            const std::vector<Combination>& draws) {
    const CandidatePool* source = named.pool.get();
    auto* b = benchmark::RegisterBenchmark(
        postProcessingName(reference, named, choice).c_str(),
        [source, &choice, reference, &draws](benchmark::State& st) {
            auto pool = std::make_unique<CandidatePool>();
            std::int32_t left = 0;
            for (auto _ : st) {
                *pool = *source;
                benchmark::ClobberMemory();
                const auto start = std::chrono::steady_clock::now();
                left = runChoice(choice, reference, draws, *pool).lineCount;
                benchmark::ClobberMemory();
                st.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            }
            st.counters["rowsLeft"] = left;
        });
    b->UseManualTime()->Unit(benchmark::kMicrosecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
    b->MinTime(reference ? 0.05 : 0.02);
}

void printPostProcessingSummary(const MedianCollector& reporter, const std::vector<NamedPool>& pools,
                                const std::vector<Combination>& draws) {
    std::printf("\nPost-processing of a %d-row pool, \"Liczba losowań\" %d\n", kPoolCapacity, kDrawsToUse);
    for (const NamedPool& named : pools)
        for (const Choice& choice : kChoices) {
            const double fast = reporter.median(postProcessingName(false, named, choice));
            const double reference = reporter.median(postProcessingName(true, named, choice));
            if (fast <= 0 || reference <= 0)
                continue;
            auto pool = std::make_unique<CandidatePool>(*named.pool);
            const std::int32_t left = runChoice(choice, false, draws, *pool).lineCount;
            std::printf("  %-8s %-42s %5d rows left: fast %8.3f ms, reference %8.3f ms, ratio %6.1fx  [%s, %s]\n",
                        named.name.c_str(), choice.caption, left, fast / 1e3, reference / 1e3, reference / fast,
                        fast <= 20e3 ? "at most 20 ms" : "OVER 20 ms",
                        reference / fast >= 10.0 ? "at least 10x" : "UNDER 10x");
        }
}

// ---- The draw history -----------------------------------------------------------------------------

struct RealHistory {
    std::vector<std::string> dates; // "dd.MM.yyyy"
    std::vector<Combination> draws; // oldest first
};

RealHistory realHistory() {
    RealHistory history;
    std::ifstream file(kHistoryFile);
    if (!file)
        historyUnreadable("cannot be read");
    std::string line;
    std::getline(file, line); // the header
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        std::string date, field;
        std::getline(fields, date, ',');
        Combination c{};
        int read = 0;
        while (read < kNumbersPerCombination && std::getline(fields, field, ','))
            c[read++] = static_cast<Number>(std::stoi(field));
        if (read != kNumbersPerCombination || date.size() != 10)
            continue;
        history.dates.push_back(date.substr(8, 2) + "." + date.substr(5, 2) + "." + date.substr(0, 4));
        history.draws.push_back(c);
    }
    if (history.draws.empty())
        historyUnreadable("no draws in it");
    return history;
}

void registerStatistics(const RealHistory& real) {
    std::vector<DrawRecord> records;
    StatRecord totals;
    for (std::size_t i = 0; i < real.draws.size(); ++i) {
        records.push_back(makeDrawRecord(kFirstDrawNumber + static_cast<std::int32_t>(i), real.draws[i]));
        countDraw(totals, records.back(), +1);
    }
    benchmark::RegisterBenchmark("History/statistics",
                                 [records, totals](benchmark::State& st) {
                                     for (auto _ : st)
                                         benchmark::DoNotOptimize(
                                             computeStatistics(records.size(), totals, records, kStartingRecentWindow));
                                     st.counters["draws"] = static_cast<double>(records.size());
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true);
}

// The three files of the real history in a folder of their own, as an installation would hold them.
std::string writeHistoryFolder(const RealHistory& real) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "selektor_bench_history";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::ofstream text(folder / kHistoryTextFile, std::ios::binary);
    std::ofstream records(folder / kDrawRecordFile, std::ios::binary);
    StatRecord totals;
    for (std::size_t i = 0; i < real.draws.size(); ++i) {
        const DrawRecord record = makeDrawRecord(kFirstDrawNumber + static_cast<std::int32_t>(i), real.draws[i]);
        text << historyLine(record, real.dates[i]) << "\r\n";
        const DrawRecordBytes bytes = encodeDrawRecord(record);
        records.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        countDraw(totals, record, +1);
    }
    const StatRecordBytes zero = encodeStatRecord(StatRecord{});
    const StatRecordBytes last = encodeStatRecord(totals);
    std::ofstream journal(folder / kTotalsFile, std::ios::binary);
    journal.write(reinterpret_cast<const char*>(zero.data()), static_cast<std::streamsize>(zero.size()));
    journal.write(reinterpret_cast<const char*>(last.data()), static_cast<std::streamsize>(last.size()));
    return folder.string();
}

// Adding one draw to the whole real history: each run adds the draw (timed) and deletes it again (not
// timed), so every run meets the same history.
void registerAppend(const std::string& folder) {
    benchmark::RegisterBenchmark("History/appendDraw",
                                 [folder](benchmark::State& st) {
                                     DrawHistoryStore store(folder);
                                     store.load();
                                     NumberBoxes ticked{};
                                     for (int n : {3, 12, 25, 31, 40, 49})
                                         ticked[n - 1] = 1;
                                     for (auto _ : st) {
                                         const DrawEntry entry = enterDraw(store.history().lines, "18.05.2026", ticked);
                                         const auto start = std::chrono::steady_clock::now();
                                         store.appendDraw(entry.line, entry.record);
                                         const auto end = std::chrono::steady_clock::now();
                                         st.SetIterationTime(std::chrono::duration<double>(end - start).count());
                                         store.deleteDraw(store.history().lines.size() - 1);
                                     }
                                     st.counters["draws"] = static_cast<double>(store.history().lines.size());
                                 })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true)
        ->Iterations(5);
}

void printHistorySummary(const MedianCollector& reporter, std::size_t draws) {
    const double statistics = reporter.median("History/statistics") / 1e3;
    const double append = reporter.median("History/appendDraw") / 1e3;
    if (statistics > 0 || append > 0)
        std::printf("\nThe draw history of %zu real draws\n", draws);
    if (statistics > 0)
        std::printf("  statistics over all draws, window 50: %8.3f ms  [%s]\n", statistics,
                    statistics <= 50 ? "under 50 ms" : "OVER 50 ms");
    if (append > 0)
        std::printf("  adding one draw to the three files:   %8.3f ms  [%s]\n", append,
                    append <= 50 ? "under 50 ms" : "OVER 50 ms");
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    std::string drawSource;
    const std::vector<Combination> draws = recentDraws(drawSource);
    std::vector<NamedPool> pools;
    pools.push_back({"filtered", filteredPool()});
    pools.push_back({"random", randomPool()});
    for (const NamedPool& named : pools)
        for (const Choice& choice : kChoices) {
            registerPostProcessing(named, choice, false, draws);
            registerPostProcessing(named, choice, true, draws);
        }

    const RealHistory real = realHistory();
    std::string folder;
    if (!real.draws.empty()) {
        registerStatistics(real);
        folder = writeHistoryFolder(real);
        registerAppend(folder);
    }

    MedianCollector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nSummary (medians of %d repetitions, one run; draws: %s)\n", kRepetitions, drawSource.c_str());
    printPostProcessingSummary(reporter, pools, draws);
    printHistorySummary(reporter, real.draws.size());
    if (!folder.empty())
        std::filesystem::remove_all(folder);
    benchmark::Shutdown();
    return 0;
}
