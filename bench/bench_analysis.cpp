// The analysis window's work timed: the filter settings tried on the real history of 7275 draws, the
// funnel of combinations left tab by tab, a 30000-line system played on every draw of that history, the
// coverage of a 30000-line system over a 30000-row pool, and the exact odds of a 30000-line system over
// all 13,983,816 draws. The system checks are timed against their straightforward loops in the same run;
// the odds' loop, every draw against every line, is timed on every 4096th draw and scaled to all. Prints
// the medians, their ratios and the machine's load after the Google Benchmark table.

#include "BenchRatios.h"
#include "analysis/FilterHistory.h"
#include "analysis/SystemCoverage.h"
#include "analysis/SystemHistory.h"
#include "analysis/SystemOdds.h"
#include "history/DrawImport.h"
#include "support/RandomCombination.h"
#include "support/TypicalSettings.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace selektor;
using namespace selektor::test;

namespace {

constexpr int kRepetitions = 7;
constexpr int kReferenceRepetitions = 3;
constexpr std::size_t kSystemLines = 30000;
// The odds' reference meets this share of the draws with every line; its time is scaled to all draws.
constexpr std::uint32_t kOddsDrawStep = 4096;

using bench::MedianCollector;

std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one.empty() ? "unknown" : one + " " + five + " " + fifteen;
}

// The real Polish history as the program holds it, from the tests' data. Made-up draws would time
// something no player has, so a file that cannot be read ends the program.
DrawHistory realHistory(std::string& source) {
    const char* const path = SELEKTOR_TEST_DATA_DIR "/poland_lotto_6of49.csv";
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const DrawImport import = readDrawCsv(text.str());
    if (!file || import.refusal || import.draws.empty()) {
        std::fprintf(stderr, "bench_analysis: %s cannot be read as a draw history%s%s\n", path,
                     import.refusal ? ": " : "", import.refusal ? import.refusal->c_str() : "");
        std::exit(1);
    }
    source = "poland_lotto_6of49.csv";
    DrawHistory history;
    for (const ImportedDraw& draw : import.draws) {
        const DrawRecord record =
            makeDrawRecord(kFirstDrawNumber + static_cast<std::int32_t>(history.records.size()), draw.numbers);
        history.lines.push_back(historyLine(record, draw.date));
        history.records.push_back(record);
    }
    return history;
}

// ---- Settings -------------------------------------------------------------------------------------

// The funnel's hardest case: every tab active and each throwing out only a little, so that millions of
// combinations are left after every tab and none of the steps can be answered from a full pool.
FilterSettings everyTabWide() {
    FilterSettings s;
    for (int p = 0; p < kPanelCount; ++p)
        s.setMode(static_cast<Panel>(p), 1);
    for (int n = 1; n <= 49; ++n)
        if (n != 13)
            s.setNumberRole(static_cast<Number>(n), Basic);
    s.evenOddTemplates = {0, 1, 1, 1, 1, 1, 0};
    for (int r = 3; r <= 5; ++r)
        for (int k = 3; k <= 6; ++k)
            s.rowColumnTemplates[r][k] = 1;
    s.sumTemplates.fill(1);
    s.sumTemplates[kLowestSumBucket] = 0;
    s.edgeTemplates = {1, 1, 1, 1, 1, 1, 0};
    for (auto& row : s.dsgTemplates)
        row.fill(1);
    s.dsgTemplates[6][0] = 0;
    s.setMode(Panel::Neighbours, SelectedNeighbourPairs);
    s.neighbourTemplates.fill(1);
    s.endingTemplates.fill(1);
    s.pairGroupLimit = 2;
    s.gapTemplates.fill(1);
    return s;
}

struct NamedSettings {
    const char* name;
    FilterSettings settings;
};

// ---- Systems and pools ----------------------------------------------------------------------------

LotterySystem randomSystem(std::size_t lines, std::uint32_t seed) {
    std::mt19937 rng(seed);
    LotterySystem system;
    system.reserve(lines);
    for (std::size_t i = 0; i < lines; ++i)
        system.append(randomCombination(rng));
    return system;
}

std::unique_ptr<CandidatePool> randomPool(std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::set<Combination> rows;
    while (rows.size() < static_cast<std::size_t>(kPoolCapacity))
        rows.insert(randomCombination(rng));
    auto pool = std::make_unique<CandidatePool>();
    for (const Combination& row : rows)
        pool->append(row);
    return pool;
}

// ---- Registration ---------------------------------------------------------------------------------

void registerFiltersOnHistory(const FilterSettings& settings, const DrawHistory& history) {
    benchmark::RegisterBenchmark("Analysis/filtersOnHistory",
                                 [&settings, &history](benchmark::State& st) {
                                     std::int32_t passed = 0;
                                     for (auto _ : st)
                                         passed = checkFiltersOnHistory(settings, history).passedAll;
                                     st.counters["draws"] = static_cast<double>(history.records.size());
                                     st.counters["passed"] = passed;
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true);
}

void registerFunnel(const NamedSettings& named) {
    benchmark::RegisterBenchmark((std::string("Analysis/funnel/") + named.name).c_str(),
                                 [&named](benchmark::State& st) {
                                     std::int32_t left = 0;
                                     for (auto _ : st)
                                         left = filterFunnel(named.settings).steps.back().left;
                                     st.counters["left"] = left;
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true);
}

void registerSystemOnHistory(const LotterySystem& system, const DrawHistory& history, bool reference) {
    auto* b =
        benchmark::RegisterBenchmark(reference ? "Analysis/systemOnHistory/reference" : "Analysis/systemOnHistory/fast",
                                     [&system, &history, reference](benchmark::State& st) {
                                         std::int64_t threes = 0;
                                         for (auto _ : st)
                                             threes = (reference ? checkSystemOnHistoryReference(system, history)
                                                                 : checkSystemOnHistory(system, history))
                                                          .byHits[3]
                                                          .lines;
                                         st.counters["lines"] = static_cast<double>(system.size());
                                         st.counters["threes"] = static_cast<double>(threes);
                                     });
    b->Unit(benchmark::kMillisecond)->ReportAggregatesOnly(true);
    if (reference)
        b->Iterations(1)->Repetitions(kReferenceRepetitions);
    else
        b->Repetitions(kRepetitions);
}

void registerCoverage(const LotterySystem& system, const CandidatePool& pool, bool reference) {
    auto* b = benchmark::RegisterBenchmark(
        reference ? "Analysis/coverage/reference" : "Analysis/coverage/fast",
        [&system, &pool, reference](benchmark::State& st) {
            int guaranteed = 0;
            for (auto _ : st)
                guaranteed =
                    (reference ? measureCoverageReference(system, pool) : measureCoverage(system, pool)).guaranteedHits;
            st.counters["lines"] = static_cast<double>(system.size());
            st.counters["poolRows"] = pool.storedCount();
            st.counters["guaranteed"] = guaranteed;
        });
    b->Unit(benchmark::kMillisecond)->ReportAggregatesOnly(true);
    if (reference)
        b->Iterations(1)->Repetitions(kReferenceRepetitions);
    else
        b->Repetitions(kRepetitions);
}

void registerOdds(const LotterySystem& system, const CandidatePool& pool, bool reference) {
    auto* b = benchmark::RegisterBenchmark(reference ? "Analysis/odds/reference" : "Analysis/odds/fast",
                                           [&system, &pool, reference](benchmark::State& st) {
                                               std::int64_t fours = 0;
                                               for (auto _ : st)
                                                   fours = reference ? bestLineCountsReference(system, kOddsDrawStep)[4]
                                                                     : systemOdds(system, &pool).allDraws[4];
                                               st.counters["lines"] = static_cast<double>(system.size());
                                               st.counters["fours"] = static_cast<double>(fours);
                                           });
    b->Unit(benchmark::kMillisecond)->ReportAggregatesOnly(true);
    if (reference)
        b->Iterations(1)->Repetitions(kReferenceRepetitions);
    else
        b->Repetitions(kRepetitions);
}

// How many draws the odds' reference meets: every kOddsDrawStep-th from the first.
double oddsSampledDraws() {
    return static_cast<double>((kAllCombinations + kOddsDrawStep - 1) / kOddsDrawStep);
}

const char* verdict(bool ok) {
    return ok ? "met" : "NOT MET";
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    const std::string loadBefore = loadAverage();

    std::string source;
    const DrawHistory history = realHistory(source);
    const FilterSettings backTest = allTabsSelecting();
    const std::vector<NamedSettings> funnels = {
        {"allTabsSelecting", allTabsSelecting()}, {"evening", eveningSettings()}, {"everyTabWide", everyTabWide()}};
    const LotterySystem system = randomSystem(kSystemLines, 2024);
    const auto pool = randomPool(1957);

    registerFiltersOnHistory(backTest, history);
    for (const NamedSettings& named : funnels)
        registerFunnel(named);
    registerSystemOnHistory(system, history, false);
    registerSystemOnHistory(system, history, true);
    registerCoverage(system, *pool, false);
    registerCoverage(system, *pool, true);
    registerOdds(system, *pool, false);
    registerOdds(system, *pool, true);

    MedianCollector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nSummary (medians, one run; history: %zu draws of %s; load average before %s, after %s)\n",
                history.records.size(), source.c_str(), loadBefore.c_str(), loadAverage().c_str());
    const double filters = reporter.median("Analysis/filtersOnHistory") / 1e3;
    if (filters > 0)
        std::printf("  filters on history, 9 tabs:              %9.3f ms                               [at most 5 ms: "
                    "%s]\n",
                    filters, verdict(filters <= 5));
    for (const NamedSettings& named : funnels) {
        const double funnel = reporter.median(std::string("Analysis/funnel/") + named.name) / 1e3;
        if (funnel > 0)
            std::printf("  funnel, %-32s %9.3f ms                               [at most 150 ms: %s]\n", named.name,
                        funnel, verdict(funnel <= 150));
    }
    const double onHistory = reporter.median("Analysis/systemOnHistory/fast") / 1e3;
    const double onHistoryReference = reporter.median("Analysis/systemOnHistory/reference") / 1e3;
    if (onHistory > 0 && onHistoryReference > 0)
        std::printf("  %zu lines on every draw:             %9.3f ms, line by line %9.3f ms, %6.1fx  [at most 300 "
                    "ms: %s, at least 10x: %s]\n",
                    system.size(), onHistory, onHistoryReference, onHistoryReference / onHistory,
                    verdict(onHistory <= 300), verdict(onHistoryReference / onHistory >= 10));
    const double coverage = reporter.median("Analysis/coverage/fast") / 1e3;
    const double coverageReference = reporter.median("Analysis/coverage/reference") / 1e3;
    if (coverage > 0 && coverageReference > 0)
        std::printf("  %zu lines over %d pool rows:     %9.3f ms, pairwise     %9.1f ms, %6.1fx  [at most 50 ms: "
                    "%s, at least 100x: %s]\n",
                    system.size(), pool->storedCount(), coverage, coverageReference, coverageReference / coverage,
                    verdict(coverage <= 50), verdict(coverageReference / coverage >= 100));
    // The odds run on one core; the target allows two.
    const double odds = reporter.median("Analysis/odds/fast") / 1e3;
    const double oddsReference =
        reporter.median("Analysis/odds/reference") / 1e3 * static_cast<double>(kAllCombinations) / oddsSampledDraws();
    if (odds > 0 && oddsReference > 0)
        std::printf("  odds of %zu lines, all draws:        %9.3f ms, line by line %9.0f ms, %6.0fx  [at most 1000 "
                    "ms: %s, at least 20x: %s]\n"
                    "    (line by line measured on every %u-th draw, %.0f draws, and scaled to all %d)\n",
                    system.size(), odds, oddsReference, oddsReference / odds, verdict(odds <= 1000),
                    verdict(oddsReference / odds >= 20), kOddsDrawStep, oddsSampledDraws(), kAllCombinations);
    benchmark::Shutdown();
    return 0;
}
