// "Optymalizacja systemu" measured by what it finds, not by a stopwatch: each search runs for its time on
// its threads and the table shows the size it reached.
//
// - Full pools (every six of v basic Numbers, filters off): the size against the smallest known system
//   from tests/data/wheel-records.csv, as a ratio, with the lower bound beside it. Targets: the record
//   itself for t = 3 and 4 up to 15 Numbers, at most 1.10 times the record elsewhere.
// - Filtered pools: three random settings of the differential test's generator that leave 5000 to 30000
//   combinations (counted by the program's own enumeration): the size against the greedy packing
//   "gw t" of the same pool. Target: at least 2 times fewer tickets.
// - Memory: a pool of 30000 rows at every t, the peak resident size of the process during the search.
//   Target: at most 500 MB.
//
// Every result is proved by the coverage measure of "Analiza" over every pool row before it is shown.
//
// Flags (all optional), so a quick run is possible:
//   --seconds=60            time of each full-pool search
//   --filtered_seconds=60   time of each filtered-pool search
//   --memory_seconds=5      time of each memory search
//   --full=12,15,18,19      the full pools' Numbers (none: --full=)
//   --guarantees=3,4,5      the guarantees of the full and filtered pools
//   --filtered=3            how many filtered settings (0 to 3)
//   --memory=1              the memory cases (0 leaves them out)
//   --threads=2 --seed=1

#include "analysis/SystemCoverage.h"
#include "core/Enumeration.h"
#include "generator/GuaranteeSystem.h"
#include "optimizer/CoverPool.h"
#include "optimizer/CoverSearch.h"
#include "support/LexicographicPool.h"
#include "support/RandomCombination.h"
#include "support/RandomSettings.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace selektor;
using namespace std::chrono_literals;

namespace {

struct Options {
    int seconds = 60;
    int filteredSeconds = 60;
    int memorySeconds = 5;
    std::vector<int> full = {12, 15, 18, 19};
    std::vector<int> guarantees = {3, 4, 5};
    int filtered = 3;
    bool memory = true;
    int threads = 2;
    std::uint64_t seed = 1;
};

std::vector<int> listOf(const char* text) {
    std::vector<int> values;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ','))
        if (!item.empty())
            values.push_back(std::atoi(item.c_str()));
    return values;
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        const char* value = eq == std::string::npos ? "" : argv[i] + eq + 1;
        if (name == "--seconds")
            o.seconds = std::atoi(value);
        else if (name == "--filtered_seconds")
            o.filteredSeconds = std::atoi(value);
        else if (name == "--memory_seconds")
            o.memorySeconds = std::atoi(value);
        else if (name == "--full")
            o.full = listOf(value);
        else if (name == "--guarantees")
            o.guarantees = listOf(value);
        else if (name == "--filtered")
            o.filtered = std::atoi(value);
        else if (name == "--memory")
            o.memory = std::atoi(value) != 0;
        else if (name == "--threads")
            o.threads = std::atoi(value);
        else if (name == "--seed")
            o.seed = std::strtoull(value, nullptr, 10);
        else {
            std::fprintf(stderr, "unknown flag %s (see the top of bench_optimizer.cpp)\n", argv[i]);
            return false;
        }
    }
    return true;
}

std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one.empty() ? "unknown" : one + " " + five + " " + fifteen;
}

// The peak resident size is measured per search: the kernel starts it again from the present size.
void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double peakMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

struct Record {
    int best = 0;
    int lowerBound = 0;
};

std::map<std::pair<int, int>, Record> readRecords() {
    std::map<std::pair<int, int>, Record> records;
    std::ifstream file(SELEKTOR_TEST_DATA_DIR "/wheel-records.csv");
    std::string line;
    std::getline(file, line);
    while (std::getline(file, line)) {
        int v = 0, t = 0;
        Record r;
        if (std::sscanf(line.c_str(), "%d,%d,%d,%d", &v, &t, &r.best, &r.lowerBound) == 4)
            records[{v, t}] = r;
    }
    return records;
}

struct Outcome {
    std::size_t greedy = 0;
    std::size_t size = 0;
    double reachedSeconds = 0;
    std::uint64_t steps = 0;
    double peakMb = 0;
    bool proved = false;
};

Outcome search(const std::vector<Combination>& pool, int guarantee, int seconds, const Options& o) {
    CoverRequest request;
    request.pool = pool;
    request.guarantee = guarantee;
    request.seed = o.seed;
    request.threads = o.threads;
    request.timeLimit = std::chrono::seconds(seconds);
    resetPeakMemory();
    CoverSearch search(request);
    search.wait();
    Outcome outcome;
    outcome.peakMb = peakMegabytes();
    const CoverProgress progress = search.progress();
    const CoverResult result = search.best();
    outcome.greedy = progress.milestones.empty() ? 0 : static_cast<std::size_t>(progress.milestones.front().value);
    outcome.size = result.tickets.size();
    outcome.reachedSeconds = progress.milestones.empty() ? 0 : progress.milestones.back().elapsed.count() / 1e3;
    outcome.steps = progress.steps;

    auto candidates = std::make_unique<CandidatePool>();
    for (const Combination& c : pool)
        candidates->append(c);
    LotterySystem system;
    for (const Combination& t : result.tickets)
        system.append(t);
    outcome.proved = measureCoverage(system, *candidates).guaranteedHits >= guarantee;
    return outcome;
}

std::vector<Combination> fullPool(int numbers) {
    auto pool = std::make_unique<CandidatePool>();
    test::fillLexicographic(*pool, numbers);
    return {pool->rows().begin(), pool->rows().begin() + pool->storedCount()};
}

const char* verdict(bool ok) {
    return ok ? "met" : "NOT MET";
}

struct FullLine {
    int v, t;
    std::size_t rows;
    Outcome outcome;
    Record record;
};

struct FilteredLine {
    int setting;
    std::int32_t count;
    int t;
    std::int32_t packing;
    std::int32_t bound;
    Outcome outcome;
};

struct MemoryLine {
    const char* pool;
    int t;
    Outcome outcome;
};

// The first `wanted` settings of the differential test's generator (seed 20261208) that leave 5000 to
// 30000 combinations.
std::vector<std::pair<int, std::vector<Combination>>> filteredPools(int wanted) {
    std::vector<std::pair<int, std::vector<Combination>>> pools;
    std::mt19937 rng(20261208);
    auto pool = std::make_unique<CandidatePool>();
    for (int drawn = 1; static_cast<int>(pools.size()) < wanted && drawn <= 5000; ++drawn) {
        const FilterSettings settings = test::randomFilterSettings(rng);
        enumerateFast(settings, *pool);
        if (pool->count() >= 5000 && pool->count() <= kPoolCapacity)
            pools.emplace_back(
                drawn, std::vector<Combination>(pool->rows().begin(), pool->rows().begin() + pool->storedCount()));
    }
    return pools;
}

GuaranteeMode packingMode(int t) {
    return t == 5 ? GuaranteeMode::Gw5 : t == 4 ? GuaranteeMode::Gw4 : GuaranteeMode::Gw3;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o))
        return 1;
    const std::string loadBefore = loadAverage();
    const auto records = readRecords();

    std::vector<FullLine> full;
    for (int v : o.full)
        for (int t : o.guarantees) {
            const std::vector<Combination> pool = fullPool(v);
            const auto record = records.find({v, t});
            full.push_back({v, t, pool.size(), search(pool, t, o.seconds, o),
                            record == records.end() ? Record{} : record->second});
            const FullLine& l = full.back();
            std::printf("full v=%d t=%d: %zu tickets (greedy %zu), record %d, %.1f s to reach, load %s\n", v, t,
                        l.outcome.size, l.outcome.greedy, l.record.best, l.outcome.reachedSeconds,
                        loadAverage().c_str());
            std::fflush(stdout);
        }

    std::vector<FilteredLine> filtered;
    for (const auto& [setting, pool] : filteredPools(o.filtered))
        for (int t : o.guarantees) {
            if (t < 3)
                continue; // "gw 3" is the lowest packing
            auto candidates = std::make_unique<CandidatePool>();
            for (const Combination& c : pool)
                candidates->append(c);
            LotterySystem packing;
            buildGuaranteeSystem(packingMode(t), *candidates, packing);
            filtered.push_back(
                {setting, static_cast<std::int32_t>(pool.size()), t, static_cast<std::int32_t>(packing.size()),
                 optimizer::CoverPool(pool, t, false).shareLowerBound(), search(pool, t, o.filteredSeconds, o)});
            const FilteredLine& l = filtered.back();
            std::printf("filtered setting %d (%d rows) t=%d: %zu tickets, gw %d: %d, load %s\n", setting, l.count, t,
                        l.outcome.size, t, l.packing, loadAverage().c_str());
            std::fflush(stdout);
        }

    std::vector<MemoryLine> memory;
    if (o.memory) {
        std::mt19937 rng(30000);
        std::set<Combination> scattered;
        while (scattered.size() < static_cast<std::size_t>(kPoolCapacity))
            scattered.insert(test::randomCombination(rng));
        const std::vector<Combination> sparse(scattered.begin(), scattered.end());
        const std::vector<Combination> dense = fullPool(20);
        for (int t = kLowestGuarantee; t <= kHighestGuarantee; ++t) {
            memory.push_back({"first 30000 sixes of 20 Numbers", t, search(dense, t, o.memorySeconds, o)});
            memory.push_back({"30000 random sixes of 49", t, search(sparse, t, o.memorySeconds, o)});
        }
    }

    std::printf("\nSummary (one search per case on %d threads, seed %llu; load average before %s, after %s)\n",
                o.threads, static_cast<unsigned long long>(o.seed), loadBefore.c_str(), loadAverage().c_str());
    if (!full.empty()) {
        std::printf("\nFull pools, %d s each: size against the smallest known system\n", o.seconds);
        std::printf("  %-4s %6s %2s %7s %6s %7s %6s %6s %8s %12s %8s %7s  %s\n", "v", "rows", "t", "greedy", "size",
                    "record", "ratio", "bound", "reached", "steps", "RSS MB", "proved", "target");
        for (const FullLine& l : full) {
            const double ratio = l.record.best > 0 ? static_cast<double>(l.outcome.size) / l.record.best : 0;
            const bool equalWanted = l.t <= 4 && l.v <= 15;
            const bool met = equalWanted ? static_cast<int>(l.outcome.size) <= l.record.best : ratio <= 1.10;
            std::printf("  %-4d %6zu %2d %7zu %6zu %7d %6.3f %6d %7.1fs %12llu %8.1f %7s  %s: %s\n", l.v, l.rows, l.t,
                        l.outcome.greedy, l.outcome.size, l.record.best, ratio, l.record.lowerBound,
                        l.outcome.reachedSeconds, static_cast<unsigned long long>(l.outcome.steps), l.outcome.peakMb,
                        l.outcome.proved ? "yes" : "NO", equalWanted ? "the record" : "at most 1.10x",
                        l.record.best > 0 ? verdict(met && l.outcome.proved) : "no record to compare with");
        }
    }
    if (!filtered.empty()) {
        std::printf("\nFiltered pools, %d s each: size against the greedy packing \"gw t\" of the same pool\n",
                    o.filteredSeconds);
        std::printf("  %-8s %6s %2s %7s %6s %7s %6s %8s %12s %8s %7s  %s\n", "setting", "rows", "t", "gw t", "size",
                    "gw/size", "bound", "reached", "steps", "RSS MB", "proved", "target");
        for (const FilteredLine& l : filtered) {
            const double ratio = l.outcome.size > 0 ? static_cast<double>(l.packing) / l.outcome.size : 0;
            std::printf("  %-8d %6d %2d %7d %6zu %6.2fx %6d %7.1fs %12llu %8.1f %7s  at least 2x: %s\n", l.setting,
                        l.count, l.t, l.packing, l.outcome.size, ratio, l.bound, l.outcome.reachedSeconds,
                        static_cast<unsigned long long>(l.outcome.steps), l.outcome.peakMb,
                        l.outcome.proved ? "yes" : "NO", verdict(ratio >= 2 && l.outcome.proved));
        }
    }
    if (!memory.empty()) {
        std::printf("\nMemory, %d s each: peak resident size of the whole process during the search\n",
                    o.memorySeconds);
        for (const MemoryLine& l : memory)
            std::printf("  %-32s t=%d %6zu tickets %8.1f MB  at most 500 MB: %s\n", l.pool, l.t, l.outcome.size,
                        l.outcome.peakMb, verdict(l.outcome.peakMb <= 500 && l.outcome.proved));
    }
    return 0;
}
