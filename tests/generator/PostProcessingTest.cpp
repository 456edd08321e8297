#include "generator/PostProcessing.h"

#include "PoolFixtures.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace selektor;
using namespace selektor::test;

namespace {

constexpr RecentDrawsChoice kRecentChoices[] = {RecentDrawsChoice::Triples, RecentDrawsChoice::Quadruples,
                                                RecentDrawsChoice::FiveOfThree, RecentDrawsChoice::SixOfThree};
constexpr LastDrawsChoice kLastChoices[] = {LastDrawsChoice::MoreThanOne, LastDrawsChoice::MoreThanTwo,
                                            LastDrawsChoice::MoreThanThreeOfTwo};

using RecentTool = PostProcessingOutcome (*)(RecentDrawsChoice, std::int32_t, std::span<const Combination>,
                                             CandidatePool&);
using LastTool = PostProcessingOutcome (*)(LastDrawsChoice, std::span<const Combination>, CandidatePool&);
constexpr RecentTool kRecentTools[] = {reduceByRecentDraws, reduceByRecentDrawsReference};
constexpr LastTool kLastTools[] = {reduceByLastDraws, reduceByLastDrawsReference};

std::vector<Combination> rowsOf(const CandidatePool& pool) {
    return {pool.rows().begin(), pool.rows().begin() + pool.storedCount()};
}

// A draw history in file order. Narrow draws among the small Numbers overlap the rows of a pool in
// enumeration order, which all start low.
std::vector<Combination> randomDraws(std::uint32_t seed, int count) {
    std::mt19937 rng(seed);
    std::vector<Combination> draws;
    for (int i = 0; i < count; ++i) {
        const int lowest = rng() % 4 == 0 ? 1 : 1 + static_cast<int>(rng() % 20);
        const int highest = std::min(kHighestNumber, lowest + 7 + static_cast<int>(rng() % 34));
        draws.push_back(randomCombination(rng, lowest, highest));
    }
    return draws;
}

// Both ways must leave the same rows in the same order, the same bookkeeping and the same outcome, for
// every choice and a history shorter or longer than the choice needs.
void expectSameReduction(const CandidatePool& start, const std::vector<Combination>& draws, const std::string& where) {
    for (std::int32_t drawsToUse : {10, 20, 500}) {
        for (RecentDrawsChoice choice : kRecentChoices) {
            auto fast = std::make_unique<CandidatePool>(start);
            auto reference = std::make_unique<CandidatePool>(start);
            const PostProcessingOutcome outcome = reduceByRecentDraws(choice, drawsToUse, draws, *fast);
            ASSERT_EQ(outcome, reduceByRecentDrawsReference(choice, drawsToUse, draws, *reference));
            ASSERT_EQ(rowsOf(*fast), rowsOf(*reference)) << where << " recent " << int(choice) << " x" << drawsToUse;
            ASSERT_EQ(fast->count(), reference->count());
            ASSERT_EQ(fast->orderedCount(), reference->orderedCount());
        }
    }
    for (LastDrawsChoice choice : kLastChoices) {
        auto fast = std::make_unique<CandidatePool>(start);
        auto reference = std::make_unique<CandidatePool>(start);
        ASSERT_EQ(reduceByLastDraws(choice, draws, *fast), reduceByLastDrawsReference(choice, draws, *reference));
        ASSERT_EQ(rowsOf(*fast), rowsOf(*reference)) << where << " last " << int(choice);
        ASSERT_EQ(fast->orderedCount(), reference->orderedCount());
    }
}

// Nine older draws that share at most two Numbers with the third row of the example pool, then
// the newest ones, the newest last.
std::vector<Combination> historyEndingWith(std::initializer_list<Combination> newest) {
    std::vector<Combination> draws(9 + newest.size(), Combination{10, 11, 30, 31, 32, 33});
    std::copy(newest.begin(), newest.end(), draws.end() - static_cast<std::ptrdiff_t>(newest.size()));
    return draws;
}

} // namespace

TEST(PostProcessing, RowsSharingTooMuchWithTheNewestDrawGo) {
    for (RecentTool tool : kRecentTools) {
        auto pool = poolOf({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 7, 8, 9}, {10, 11, 12, 13, 14, 15}});
        const auto draws = historyEndingWith({{1, 2, 3, 20, 21, 22}});
        const PostProcessingOutcome outcome = tool(RecentDrawsChoice::Triples, 10, draws, *pool);
        EXPECT_EQ(outcome, (PostProcessingOutcome{true, 10, 10, 1, std::nullopt}));
        EXPECT_EQ(rowsOf(*pool), (std::vector<Combination>{{10, 11, 12, 13, 14, 15}}));
    }
    for (LastTool tool : kLastTools) {
        auto pool = poolOf({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 7, 8, 9}, {10, 11, 12, 13, 14, 15}});
        const auto draws = historyEndingWith({{1, 2, 3, 20, 21, 22}});
        EXPECT_EQ(tool(LastDrawsChoice::MoreThanOne, draws, *pool).lineCount, 1);
        EXPECT_EQ(rowsOf(*pool), (std::vector<Combination>{{10, 11, 12, 13, 14, 15}}));
    }
}

TEST(PostProcessing, RemovedRowsTakeTheLastRowInTheirPlaceDrawByDraw) {
    const Combination a{1, 2, 3, 40, 41, 42}, b{4, 5, 6, 43, 44, 45}, c{7, 8, 9, 10, 11, 12}, d{13, 14, 15, 16, 17, 18};
    for (RecentTool tool : kRecentTools) {
        // Row 2 of five goes and row 5 stays: row 5 moves to place 2.
        auto pool = poolOf({c, a, d, {19, 20, 21, 22, 23, 24}, {25, 26, 27, 28, 29, 30}});
        tool(RecentDrawsChoice::Triples, 10, historyEndingWith({{1, 2, 3, 46, 47, 48}}), *pool);
        EXPECT_EQ(rowsOf(*pool), (std::vector<Combination>{c, {25, 26, 27, 28, 29, 30}, d, {19, 20, 21, 22, 23, 24}}));

        // The newest draw removes a, the one before it b: each draw is a pass of its own, so d, c remain
        // (one pass for both draws would leave c, d).
        pool = poolOf({a, b, c, d});
        tool(RecentDrawsChoice::Triples, 10, historyEndingWith({{4, 5, 6, 46, 47, 48}, {1, 2, 3, 46, 47, 48}}), *pool);
        EXPECT_EQ(rowsOf(*pool), (std::vector<Combination>{d, c}));
    }
}

TEST(PostProcessing, ANumberInTwoDrawsOfAWindowCountsOnce) {
    // 1, 2 and 3 stand in two draws each: the first row has four distinct Numbers in the window, the
    // second five.
    const std::vector<Combination> draws = {{1, 2, 3, 4, 30, 31}, {1, 2, 3, 32, 33, 34}, {4, 5, 35, 36, 37, 38}};
    for (RecentTool tool : kRecentTools) {
        auto pool = poolOf({{1, 2, 3, 4, 40, 41}, {1, 2, 3, 4, 5, 41}});
        tool(RecentDrawsChoice::FiveOfThree, 10, draws, *pool);
        EXPECT_EQ(rowsOf(*pool), (std::vector<Combination>{{1, 2, 3, 4, 40, 41}}));
    }
}

TEST(PostProcessing, AShortHistoryIsUsedAsFarAsItGoes) {
    struct Case {
        int choice; // 0-3 the first tool with 20 draws, 4-6 the second tool
        std::size_t stored;
        PostProcessingOutcome expected;
    };
    const std::string unchanged = ", system pozostał bez zmian !";
    const Case cases[] = {
        {0, 7, {true, 7, 20, 0, "Za mało losowań w historii - wykorzystano 7 z 20 !"}},
        {1, 0, {false, 0, 20, 0, "Za mało losowań w historii - wykorzystano 0 z 20" + unchanged}},
        {2, 3, {true, 3, 22, 0, "Za mało losowań w historii - wykorzystano 3 z 22 !"}},
        {3, 2, {false, 0, 22, 0, "Za mało losowań w historii - wykorzystano 0 z 22" + unchanged}},
        {3, 22, {true, 22, 22, 0, std::nullopt}},
        {4, 0, {false, 0, 1, 0, "Za mało losowań w historii - wykorzystano 0 z 1" + unchanged}},
        {6, 1, {false, 0, 2, 0, "Za mało losowań w historii - wykorzystano 0 z 2" + unchanged}},
        {6, 2, {true, 2, 2, 0, std::nullopt}},
    };
    const auto all = randomDraws(5, 30);
    for (const Case& test : cases) {
        const std::vector<Combination> draws(all.end() - static_cast<std::ptrdiff_t>(test.stored), all.end());
        auto pool = randomPool(8, 400);
        const auto before = rowsOf(*pool);
        PostProcessingOutcome outcome = test.choice < 4
                                            ? reduceByRecentDraws(RecentDrawsChoice(test.choice), 20, draws, *pool)
                                            : reduceByLastDraws(LastDrawsChoice(test.choice - 4), draws, *pool);
        EXPECT_EQ(outcome.lineCount, pool->storedCount());
        if (!outcome.ran) {
            EXPECT_EQ(rowsOf(*pool), before) << test.choice << " with " << test.stored;
        }
        outcome.lineCount = 0;
        EXPECT_EQ(outcome, test.expected) << test.choice << " with " << test.stored;
    }
}

TEST(PostProcessing, TooSmallAPoolIsLeftAlone) {
    const auto draws = historyEndingWith({{1, 2, 3, 4, 5, 6}});
    auto empty = poolOf({});
    EXPECT_FALSE(reduceByRecentDraws(RecentDrawsChoice::Triples, 10, draws, *empty).ran);
    // One row that shares everything with the newest draw stays: the second tool needs two rows.
    auto single = poolOf({{1, 2, 3, 4, 5, 6}});
    const std::int32_t wanted[] = {1, 1, 2};
    for (LastDrawsChoice choice : kLastChoices)
        EXPECT_EQ(reduceByLastDraws(choice, draws, *single),
                  (PostProcessingOutcome{false, 0, wanted[int(choice)], 1, std::nullopt}));
    EXPECT_EQ(rowsOf(*single), (std::vector<Combination>{{1, 2, 3, 4, 5, 6}}));
}

TEST(PostProcessing, FastReductionEqualsRowByRowOnRandomPools) {
    const std::pair<std::int32_t, int> sizes[] = {{0, 30},  {1, 30},    {2, 2},    {5, 3},      {37, 1},     {64, 40},
                                                  {65, 40}, {1000, 12}, {4000, 0}, {4000, 600}, {30000, 130}};
    std::uint32_t seed = 1;
    for (const auto& [rows, drawCount] : sizes) {
        auto pool = randomPool(seed, rows);
        expectSameReduction(*pool, randomDraws(seed + 100, drawCount), std::to_string(rows) + " rows");
        ++seed;
    }
}

TEST(PostProcessing, FastReductionEqualsRowByRowOnFilteredPools) {
    FilterSettings evenOdd;
    evenOdd.setMode(Panel::EvenOdd, 1);
    evenOdd.evenOddTemplates[3] = 1;
    for (const FilterSettings& settings : {FilterSettings{}, evenOdd}) {
        auto pool = enumeratedPool(settings);
        ASSERT_TRUE(pool);
        expectSameReduction(*pool, randomDraws(77, 60), "filtered");
    }
}
