#include "analysis/FilterHistory.h"

#include "analysis/AnalysisTexts.h"
#include "core/Enumeration.h"

#include <algorithm>
#include <memory>

namespace selektor {

FilterHistoryCheck checkFiltersOnHistory(const FilterSettings& settings, const DrawHistory& history,
                                         std::size_t newest) {
    FilterHistoryCheck check;
    // "Oblicz" checks the tabs first and takes the favourites' share from the check boxes on the way;
    // the draws meet the settings exactly as the enumeration would.
    FilterSettings s = settings;
    if ((check.refusal = validateFilterSettings(s)))
        return check;
    const HistoryDraws range = historyDraws(history, newest);
    if ((check.refusal = range.refusal))
        return check;

    check.draws = static_cast<std::int32_t>(range.end - range.first);
    for (std::size_t k = 0; k < kPanelCount; ++k)
        check.tabs[k] = {kEnumerationOrder[k], s.active(kEnumerationOrder[k]), 0};

    // Newest first, so the list of thrown-out draws fills in the order the window shows it.
    for (std::size_t i = range.end; i-- > range.first;) {
        const Combination& numbers = history.records[i].numbers;
        int firstRefusing = -1;
        for (std::size_t k = 0; k < kPanelCount; ++k) {
            TabOnHistory& tab = check.tabs[k];
            if (!tab.active)
                continue;
            if (panelAccepts(s, tab.panel, numbers))
                ++tab.passed;
            else if (firstRefusing < 0)
                firstRefusing = static_cast<int>(k);
        }
        if (firstRefusing < 0) {
            ++check.passedAll;
        } else if (check.rejected.size() < kListedRejectedDraws) {
            check.rejected.push_back({i, history.records[i].drawNumber, drawDate(history, i), numbers,
                                      kEnumerationOrder[static_cast<std::size_t>(firstRefusing)]});
        }
    }
    for (TabOnHistory& tab : check.tabs)
        if (!tab.active)
            tab.passed = check.draws;
    return check;
}

FilterFunnel filterFunnel(const FilterSettings& settings) {
    FilterFunnel funnel;
    FilterSettings s = settings;
    if ((funnel.refusal = validateFilterSettings(s)))
        return funnel;

    // The tabs are switched on one by one in "Oblicz" order and counted by "Oblicz" itself. Once no more
    // than a pool's worth pass, the pool holds every one of them, and each further tab only has to be
    // asked about those.
    FilterSettings upTo = s;
    upTo.modes.fill(0);
    auto pool = std::make_unique<CandidatePool>();
    std::vector<Combination> survivors;
    bool allStored = false;
    std::int32_t left = kAllCombinations;
    for (std::size_t k = 0; k < kPanelCount; ++k) {
        const Panel panel = kEnumerationOrder[k];
        FunnelStep& step = funnel.steps[k];
        step.panel = panel;
        step.active = s.active(panel);
        if (step.active && left > 0) {
            upTo.setMode(panel, s.mode(panel));
            if (allStored) {
                std::erase_if(survivors, [&](const Combination& c) { return !panelAccepts(s, panel, c); });
                left = static_cast<std::int32_t>(survivors.size());
            } else {
                enumerateFast(upTo, *pool);
                left = pool->count();
                if (left <= kPoolCapacity) {
                    survivors.assign(pool->rows().begin(), pool->rows().begin() + left);
                    allStored = true;
                }
            }
        }
        step.left = left;
    }
    return funnel;
}

} // namespace selektor
