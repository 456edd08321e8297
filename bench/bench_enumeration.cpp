// "Oblicz" timed: the fast enumeration against the straightforward nested loops, on the same settings
// in the same run. After the table, the ratio of their medians is printed for each setting.
//
// Then a set of random settings from the generator the differential test uses, because a player's
// settings are not the three above: the median, the 90th percentile and the slowest of the fast
// enumeration over the set, and the five slowest against the nested loops. `--random_settings=N` sets
// the size of the set (0 leaves it out).

#include "BenchRatios.h"
#include "core/Enumeration.h"
#include "support/RandomSettings.h"
#include "support/TypicalSettings.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace selektor;
using namespace selektor::test;

namespace {

// Every tab active but accepting everything, except " W - K  ", the last one consulted.
FilterSettings rejectsAtTheLastTab() {
    FilterSettings s;
    for (int p = 0; p < kPanelCount; ++p)
        s.setMode(static_cast<Panel>(p), 1);
    for (int n = 1; n <= 49; ++n)
        s.setNumberRole(static_cast<Number>(n), Basic);
    s.evenOddTemplates.fill(1);
    s.sumTemplates.fill(1);
    s.edgeTemplates.fill(1);
    for (auto& row : s.dsgTemplates)
        row.fill(1);
    s.setMode(Panel::Neighbours, AnyNeighbours);
    s.endingTemplates.fill(1);
    s.pairGroupLimit = 2; // a quintuple of one ending is still refused
    s.gapTemplates.fill(1);
    s.rowColumnTemplates[4][4] = 1;
    return s;
}

template <void (*Enumerate)(const FilterSettings&, CandidatePool&)>
void run(benchmark::State& state, FilterSettings settings) {
    auto pool = std::make_unique<CandidatePool>();
    for (auto _ : state) {
        Enumerate(settings, *pool);
        benchmark::DoNotOptimize(pool->count());
    }
    state.counters["count"] = pool->count();
}

void registerPair(const char* name, FilterSettings settings) {
    validateFilterSettings(settings); // fills the favourites share from the check boxes, as "Oblicz" does
    benchmark::RegisterBenchmark((std::string("Enumeration/Fast/") + name).c_str(), run<enumerateFast>, settings)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(15)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark((std::string("Enumeration/Reference/") + name).c_str(), run<enumerateReference>,
                                 settings)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

// --- The random set -----------------------------------------------------------------------------------

// The differential test's seed: the set begins with the very settings that test checks.
constexpr std::uint32_t kRandomSeed = 20261208;
constexpr int kDefaultRandomSettings = 120;
constexpr int kFastRounds = 9; // the whole set is timed this often, one setting after another
constexpr int kSlowestShown = 5;
constexpr int kReferenceRounds = 3; // nested loops on each of the slowest, fast runs between them

struct RandomCase {
    int round = 0; // the generator's draw it came from, skipped refusals included
    FilterSettings settings;
    std::int32_t count = 0;
    double fastMs = 0;
};

// Settings the check would refuse are skipped, as "Oblicz" enumerates nothing for them.
std::vector<RandomCase> randomCases(int wanted) {
    std::vector<RandomCase> cases;
    std::mt19937 rng(kRandomSeed);
    for (int round = 0; static_cast<int>(cases.size()) < wanted; ++round) {
        FilterSettings s = test::randomFilterSettings(rng);
        if (!validateFilterSettings(s))
            cases.push_back({round, s, 0, 0});
    }
    return cases;
}

double millisecondsOf(void (*enumerate)(const FilterSettings&, CandidatePool&), const FilterSettings& s,
                      CandidatePool& pool) {
    const auto start = std::chrono::steady_clock::now();
    enumerate(s, pool);
    benchmark::DoNotOptimize(pool.count());
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t mid = v.size() / 2;
    return v.size() % 2 ? v[mid] : (v[mid - 1] + v[mid]) / 2;
}

// The active tabs, in the captions' short forms, so a slow case says what kind of setting it is.
std::string activeTabs(const FilterSettings& s) {
    static const char* const kNames[kPanelCount] = {"Liczby", "P-N",  "W-K",  "Suma", "Brzeg",
                                                    "DSG",    "Sdne", "Pary", "Odlg"};
    std::string text;
    for (int p = 0; p < kPanelCount; ++p)
        if (s.active(static_cast<Panel>(p)))
            text += (text.empty() ? "" : " ") + std::string(kNames[p]);
    return text.empty() ? "-" : text;
}

// Other work on the machine shows in every figure: the load is printed with them.
void printLoad(const char* when) {
    double load[3] = {};
    if (getloadavg(load, 3) == 3)
        std::printf("  load average %s: %.2f %.2f %.2f\n", when, load[0], load[1], load[2]);
}

void runRandomSet(int size) {
    std::vector<RandomCase> cases = randomCases(size);
    auto pool = std::make_unique<CandidatePool>();
    std::printf("\n");
    printLoad("before the set");

    // Round after round over the whole set, so a burst of load elsewhere spreads over many settings
    // instead of spoiling one; the first round only warms up.
    std::vector<std::vector<double>> times(cases.size());
    for (int round = 0; round <= kFastRounds; ++round)
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const double ms = millisecondsOf(enumerateFast, cases[i].settings, *pool);
            cases[i].count = pool->count();
            if (round > 0)
                times[i].push_back(ms);
        }
    std::vector<double> medians;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        cases[i].fastMs = median(times[i]);
        medians.push_back(cases[i].fastMs);
    }
    std::sort(medians.begin(), medians.end());
    // The 90th percentile by nearest rank: the setting that 90 out of 100 are no slower than.
    const std::size_t rank90 = (medians.size() * 9 + 9) / 10;
    double total = 0;
    for (double m : medians)
        total += m;
    std::printf("Random settings (seed %u, %zu settings, median of %d runs each), fast enumeration in ms:\n",
                kRandomSeed, cases.size(), kFastRounds);
    std::printf("  median %.3f   90th percentile %.3f   slowest %.3f   total %.1f\n", median(medians),
                medians[rank90 - 1], medians.back(), total);

    std::vector<const RandomCase*> slowest;
    for (const RandomCase& c : cases)
        slowest.push_back(&c);
    std::sort(slowest.begin(), slowest.end(), [](auto* a, auto* b) { return a->fastMs > b->fastMs; });
    slowest.resize(std::min<std::size_t>(slowest.size(), kSlowestShown));

    printLoad("after the set");

    std::printf("\n%-7s %10s %12s %12s %9s  %s\n", "draw", "count", "fast ms", "ref ms", "ratio", "active tabs");
    for (const RandomCase* c : slowest) {
        // Both timed in the same stretch, the fast runs around each run of the loops.
        std::vector<double> fast, reference;
        for (int r = 0; r < kReferenceRounds; ++r) {
            fast.push_back(millisecondsOf(enumerateFast, c->settings, *pool));
            reference.push_back(millisecondsOf(enumerateReference, c->settings, *pool));
            fast.push_back(millisecondsOf(enumerateFast, c->settings, *pool));
        }
        const double f = median(fast), ref = median(reference);
        std::printf("%-7d %10d %12.3f %12.1f %8.1fx  %s\n", c->round, c->count, f, ref, ref / f,
                    activeTabs(c->settings).c_str());
    }
    printLoad("at the end");
}

} // namespace

int main(int argc, char** argv) {
    // Our own flag is taken out before the benchmark library sees the arguments.
    int randomSettings = kDefaultRandomSettings;
    const char* const flag = "--random_settings=";
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0)
            randomSettings = std::atoi(argv[i] + std::strlen(flag));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;

    registerPair("AllTabsSelecting", allTabsSelecting());
    registerPair("RejectsAtTheLastTab", rejectsAtTheLastTab());
    registerPair("AllTabsModeZero", FilterSettings{});
    const int status = bench::runWithRatios(argc, argv, "Enumeration/Fast/", "Enumeration/Reference/");
    if (status == 0 && randomSettings > 0)
        runRandomSet(randomSettings);
    return status;
}
