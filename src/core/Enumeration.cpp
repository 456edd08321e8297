#include "core/Enumeration.h"

namespace selektor {

namespace {

// The order in which "Oblicz" consults the tabs: cheap counts first, the row/column pattern last.
constexpr Panel kConsultOrder[] = {Panel::Numbers,    Panel::EvenOdd, Panel::Sum,   Panel::Edge,     Panel::Dsg,
                                   Panel::Neighbours, Panel::Gaps,    Panel::Pairs, Panel::RowColumn};

} // namespace

void enumerateReference(const FilterSettings& settings, CandidatePool& pool) {
    pool.clear();
    Combination c{};
    for (c[0] = 1; c[0] <= 44; ++c[0])
        for (c[1] = c[0] + 1; c[1] <= 45; ++c[1])
            for (c[2] = c[1] + 1; c[2] <= 46; ++c[2])
                for (c[3] = c[2] + 1; c[3] <= 47; ++c[3])
                    for (c[4] = c[3] + 1; c[4] <= 48; ++c[4])
                        for (c[5] = c[4] + 1; c[5] <= 49; ++c[5]) {
                            bool passed = true;
                            for (Panel panel : kConsultOrder) {
                                if (settings.active(panel) && !panelAccepts(settings, panel, c)) {
                                    passed = false;
                                    break;
                                }
                            }
                            if (!passed)
                                continue;
                            pool.append(c);
                        }
}

CountOutcome countCombinations(FilterSettings& settings, CandidatePool& pool) {
    CountOutcome outcome;
    outcome.refusal = validateFilterSettings(settings);
    if (!outcome.refusal)
        enumerateFast(settings, pool);
    outcome.finalStageAllowed = pool.count() >= 1 && pool.count() <= kPoolCapacity;
    return outcome;
}

} // namespace selektor
