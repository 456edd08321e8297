// "Oblicz" timed: the fast enumeration against the straightforward nested loops, on the same settings
// in the same run. After the table, the ratio of their medians is printed for each setting.

#include "BenchRatios.h"
#include "core/Enumeration.h"

#include <benchmark/benchmark.h>
#include <memory>

using namespace selektor;

namespace {

// A player's narrow but ordinary setting, with every tab in its selecting mode.
FilterSettings allTabsSelecting() {
    FilterSettings s;
    for (int p = 0; p < kPanelCount; ++p)
        s.setMode(static_cast<Panel>(p), 1);
    for (int n = 1; n <= 49; ++n)
        if (n % 7 != 0)
            s.setNumberRole(static_cast<Number>(n), n % 5 == 0 ? Favourite : Basic);
    s.shareBoxChecked = {1, 1, 1, 0, 0, 0, 0};
    s.evenOddTemplates = {0, 0, 1, 1, 1, 0, 0};
    for (int r = 3; r <= 5; ++r)
        for (int k = 4; k <= 6; ++k)
            s.rowColumnTemplates[r][k] = 1;
    for (int b = 22; b <= 32; ++b)
        s.sumTemplates[b] = 1;
    s.edgeTemplates = {0, 1, 1, 1, 1, 0, 0};
    for (auto cell : {std::pair{2, 2}, {3, 2}, {2, 3}, {3, 1}, {1, 3}, {2, 1}, {1, 2}})
        s.dsgTemplates[cell.first][cell.second] = 1;
    s.setMode(Panel::Neighbours, SelectedNeighbourPairs);
    for (int n = 1; n < 49; n += 2)
        s.neighbourTemplates[n] = 1;
    s.endingTemplates = {0, 1, 1, 0, 1, 0, 1, 0, 0, 1};
    s.pairGroupLimit = 1;
    s.otherDigitsRule = 1;
    for (int g = 3; g <= 9; ++g)
        s.gapTemplates[g] = 1;
    return s;
}

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

} // namespace

int main(int argc, char** argv) {
    registerPair("AllTabsSelecting", allTabsSelecting());
    registerPair("RejectsAtTheLastTab", rejectsAtTheLastTab());
    registerPair("AllTabsModeZero", FilterSettings{});
    return bench::runWithRatios(argc, argv, "Enumeration/Fast/", "Enumeration/Reference/");
}
