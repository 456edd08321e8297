#include "analysis/FilterHistory.h"

#include "AnalysisFixtures.h"
#include "analysis/AnalysisTexts.h"
#include "core/Enumeration.h"
#include "support/RandomSettings.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

using namespace selektor;
using namespace selektor::test;

namespace {

// Three even and three odd, no edge number, and any rows-and-columns template: the last only refuses
// sixes on fewer than three rows or columns.
FilterSettings evenInnerSpread() {
    FilterSettings s;
    s.setMode(Panel::EvenOdd, 1);
    s.evenOddTemplates[3] = 1;
    s.setMode(Panel::Edge, 1);
    s.edgeTemplates[0] = 1;
    s.setMode(Panel::RowColumn, 1);
    for (auto& row : s.rowColumnTemplates)
        row.fill(1);
    return s;
}

const DrawHistory kFourDraws = historyOf({
    {"05.01.2000", {12, 14, 21, 23, 30, 31}}, // passes all three tabs
    {"08.01.2000", {1, 2, 3, 4, 5, 6}},       // six edge numbers on one row: " Brzeg  " refuses before " W - K  "
    {"12.01.2000", {1, 3, 5, 7, 9, 11}},      // no even number, five edge numbers, two rows
    {"15.01.2000", {12, 14, 16, 21, 23, 25}}, // two rows only
});

// Whether "Oblicz" counts the draw: the " Liczby  " tab narrowed to the draw's own numbers and a few
// more of the groups, which leaves the rule for the draw as it was and makes the pool hold every
// passing combination of those numbers.
bool countedByOblicz(const FilterSettings& s, const Combination& draw) {
    FilterSettings narrowed = s;
    for (int n = 1; n <= kHighestNumber; ++n)
        narrowed.setNumberRole(static_cast<Number>(n), NoGroup);
    const auto inDraw = [&](int n) { return std::find(draw.begin(), draw.end(), n) != draw.end(); };
    if (!s.active(Panel::Numbers)) {
        narrowed.setMode(Panel::Numbers, 1);
        for (Number n : draw)
            narrowed.setNumberRole(n, Basic);
    } else {
        for (Number n : draw)
            narrowed.setNumberRole(n, static_cast<NumberRole>(s.numberRole[n]));
        int extra = 0;
        for (int n = 1; n <= kHighestNumber; ++n) {
            const auto role = static_cast<NumberRole>(s.numberRole[n]);
            // One favourite at least, when there are any: with none the share boxes would not count.
            const bool favouriteNeeded = role == Favourite && narrowed.favouriteCount == 0;
            if (role != NoGroup && !inDraw(n) && (extra < 6 || favouriteNeeded)) {
                narrowed.setNumberRole(static_cast<Number>(n), role);
                ++extra;
            }
        }
    }
    auto pool = std::make_unique<CandidatePool>();
    EXPECT_FALSE(countCombinations(narrowed, *pool).refusal);
    EXPECT_LE(pool->count(), kPoolCapacity);
    return std::binary_search(pool->rows().begin(), pool->rows().begin() + pool->storedCount(), draw);
}

int rounds(int usual) {
    const char* text = std::getenv("SELEKTOR_DIFFERENTIAL_ROUNDS");
    return text ? std::min(usual, std::atoi(text)) : usual;
}

} // namespace

TEST(FilterHistory, CountsEachTabAndListsTheThrownOutDrawsNewestFirst) {
    const FilterHistoryCheck check = checkFiltersOnHistory(evenInnerSpread(), kFourDraws);
    ASSERT_FALSE(check.refusal);
    EXPECT_EQ(check.draws, 4);
    EXPECT_EQ(check.passedAll, 1);
    std::array<std::int32_t, kPanelCount> passed{};
    for (std::size_t k = 0; k < kPanelCount; ++k) {
        EXPECT_EQ(check.tabs[k].panel, kEnumerationOrder[k]);
        passed[static_cast<int>(check.tabs[k].panel)] = check.tabs[k].passed;
        EXPECT_EQ(check.tabs[k].active, evenInnerSpread().active(check.tabs[k].panel));
    }
    EXPECT_EQ(passed[static_cast<int>(Panel::EvenOdd)], 3);
    EXPECT_EQ(passed[static_cast<int>(Panel::Edge)], 2);
    EXPECT_EQ(passed[static_cast<int>(Panel::RowColumn)], 1);
    EXPECT_EQ(passed[static_cast<int>(Panel::Sum)], 4); // free mode: lets everything through

    const std::vector<RejectedDraw> expected = {
        {3, 1004, "15.01.2000", {12, 14, 16, 21, 23, 25}, Panel::RowColumn},
        {2, 1003, "12.01.2000", {1, 3, 5, 7, 9, 11}, Panel::EvenOdd},
        {1, 1002, "08.01.2000", {1, 2, 3, 4, 5, 6}, Panel::Edge},
    };
    EXPECT_EQ(check.rejected, expected);

    const FilterHistoryCheck newestTwo = checkFiltersOnHistory(evenInnerSpread(), kFourDraws, 2);
    EXPECT_EQ(newestTwo.draws, 2);
    EXPECT_EQ(newestTwo.passedAll, 0);
    EXPECT_EQ(newestTwo.rejected.size(), 2u);
    EXPECT_EQ(checkFiltersOnHistory(evenInnerSpread(), kFourDraws, 50).draws, 4);
}

TEST(FilterHistory, ListsNoMoreThrownOutDrawsThanItsCapAndKeepsTheNewest) {
    // One draw past the cap, every one refused by " P - N  ": the oldest is the one left out, and the
    // counts still take in all of them.
    std::vector<std::pair<std::string, Combination>> draws(kListedRejectedDraws + 1,
                                                           {"01.01.2000", Combination{1, 3, 5, 7, 9, 11}});
    const FilterHistoryCheck check = checkFiltersOnHistory(evenInnerSpread(), historyOf(draws));
    ASSERT_FALSE(check.refusal);
    EXPECT_EQ(check.draws, static_cast<std::int32_t>(kListedRejectedDraws + 1));
    EXPECT_EQ(check.passedAll, 0);
    ASSERT_EQ(check.rejected.size(), kListedRejectedDraws);
    EXPECT_EQ(check.rejected.front().index, kListedRejectedDraws);
    EXPECT_EQ(check.rejected.back().index, 1u);
}

TEST(FilterHistory, RefusesSettingsAndHistoriesThatGiveNoFigures) {
    FilterSettings noTemplate;
    noTemplate.setMode(Panel::Sum, 1);
    EXPECT_EQ(checkFiltersOnHistory(noTemplate, kFourDraws).refusal,
              "Panel - Suma : Nie ustalony zakres sumy ostatnich cyfr w każdej szóstce !");
    EXPECT_EQ(filterFunnel(noTemplate).refusal, checkFiltersOnHistory(noTemplate, kFourDraws).refusal);

    EXPECT_EQ(checkFiltersOnHistory(evenInnerSpread(), DrawHistory{}).refusal, kEmptyHistoryMessage);
    DrawHistory damaged = kFourDraws;
    damaged.problem = "Plik Stat.dat jest pusty - nie ma w nim ani jednego zapisu statystyki !";
    EXPECT_EQ(checkFiltersOnHistory(evenInnerSpread(), damaged).refusal, kDamagedHistoryMessage);
}

TEST(FilterFunnel, FollowsTheTabsInTheOrderOfOblicz) {
    FilterSettings s;
    s.setMode(Panel::EvenOdd, 1);
    s.evenOddTemplates[3] = 1;
    s.setMode(Panel::Edge, 1);
    s.edgeTemplates[0] = 1;
    const FilterFunnel funnel = filterFunnel(s);
    ASSERT_FALSE(funnel.refusal);
    // Three of the 24 even and three of the 25 odd numbers; then three of the 12 even and three of the
    // 12 odd inner numbers.
    const std::int32_t expected[] = {kAllCombinations, 4655200, 4655200, 48400, 48400, 48400, 48400, 48400, 48400};
    for (std::size_t k = 0; k < kPanelCount; ++k) {
        EXPECT_EQ(funnel.steps[k].panel, kEnumerationOrder[k]);
        EXPECT_EQ(funnel.steps[k].left, expected[k]) << panelCaption(funnel.steps[k].panel);
        EXPECT_EQ(funnel.steps[k].active, k == 1 || k == 3);
    }
}

// A past draw passes every tab exactly when "Oblicz" counts it, and each funnel step is what "Oblicz"
// counts with the tabs up to it.
TEST(FilterHistoryDifferential, AgreesWithOblicz) {
    std::mt19937 rng(4901);
    const int n = rounds(24);
    for (int round = 0; round < n; ++round) {
        const FilterSettings s = randomFilterSettings(rng);
        FilterSettings checked = s;
        if (const auto refusal = validateFilterSettings(checked)) {
            EXPECT_EQ(checkFiltersOnHistory(s, kFourDraws).refusal, refusal);
            continue;
        }
        auto pool = std::make_unique<CandidatePool>();
        countCombinations(checked, *pool);

        // Random draws, most of them refused, and draws the settings pass.
        std::vector<std::pair<std::string, Combination>> draws;
        for (int i = 0; i < 30; ++i)
            draws.emplace_back("01.02.2003", randomCombination(rng));
        for (std::int32_t r = 0; r < pool->storedCount(); r += std::max(1, pool->storedCount() / 10))
            draws.emplace_back("02.02.2003", pool->rows()[r]);
        std::shuffle(draws.begin(), draws.end(), rng);
        const DrawHistory history = historyOf(draws);

        const FilterHistoryCheck check = checkFiltersOnHistory(s, history);
        ASSERT_FALSE(check.refusal);
        std::int32_t counted = 0;
        std::vector<std::size_t> refused;
        for (std::size_t i = history.records.size(); i-- > 0;) {
            if (countedByOblicz(s, history.records[i].numbers))
                ++counted;
            else
                refused.push_back(i);
        }
        EXPECT_EQ(check.passedAll, counted) << "round " << round;
        ASSERT_EQ(check.rejected.size(), refused.size()) << "round " << round;
        for (std::size_t k = 0; k < refused.size(); ++k) {
            const RejectedDraw& draw = check.rejected[k];
            EXPECT_EQ(draw.index, refused[k]);
            // The tab named is the first in "Oblicz" order that refuses the draw.
            for (Panel panel : kEnumerationOrder) {
                const bool accepts = panelAccepts(checked, panel, draw.numbers);
                EXPECT_EQ(accepts, panel != draw.firstRefusingTab) << "round " << round;
                if (!accepts)
                    break;
            }
        }

        const FilterFunnel funnel = filterFunnel(s);
        FilterSettings upTo = checked;
        upTo.modes.fill(0);
        for (const FunnelStep& step : funnel.steps) {
            upTo.setMode(step.panel, checked.mode(step.panel));
            enumerateFast(upTo, *pool);
            EXPECT_EQ(step.left, pool->count()) << "round " << round << ", " << panelCaption(step.panel);
        }
    }
}
