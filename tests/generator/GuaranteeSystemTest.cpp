#include "generator/GuaranteeSystem.h"

#include "PoolFixtures.h"
#include "generator/SystemLine.h"
#include "support/LexicographicPool.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace selektor;
using namespace selektor::test;

namespace {

constexpr GuaranteeMode kAllModes[] = {GuaranteeMode::Full, GuaranteeMode::Gw5, GuaranteeMode::Gw4, GuaranteeMode::Gw3};
constexpr GuaranteeMode kReducedModes[] = {GuaranteeMode::Gw5, GuaranteeMode::Gw4, GuaranteeMode::Gw3};

std::string modeName(GuaranteeMode mode) {
    return "gw " + std::to_string(6 - static_cast<int>(mode));
}

// The fast build must leave exactly what the pairwise one leaves: the tickets and the outcome.
void expectSameBuild(const CandidatePool& pool, GuaranteeMode mode) {
    LotterySystem fast;
    LotterySystem reference;
    const GuaranteeOutcome fastOutcome = buildGuaranteeSystem(mode, pool, fast);
    const GuaranteeOutcome referenceOutcome = buildGuaranteeSystemReference(mode, pool, reference);
    ASSERT_EQ(fastOutcome.lineCount, referenceOutcome.lineCount) << modeName(mode);
    EXPECT_EQ(fastOutcome.postProcessingOffered, referenceOutcome.postProcessingOffered);
    ASSERT_EQ(fast.size(), reference.size()) << modeName(mode);
    ASSERT_EQ(static_cast<std::size_t>(fastOutcome.lineCount), fast.size());
    for (std::size_t r = 0; r < fast.size(); ++r)
        ASSERT_EQ(fast.tickets()[r], reference.tickets()[r]) << modeName(mode) << " row " << r + 1;
}

std::vector<std::string> build(GuaranteeMode mode, const CandidatePool& pool) {
    LotterySystem system;
    buildGuaranteeSystem(mode, pool, system);
    return linesOf(system);
}

FilterSettings evenOddAndSum() {
    FilterSettings s;
    s.setMode(Panel::EvenOdd, 1);
    s.evenOddTemplates[3] = 1;
    s.setMode(Panel::Sum, 1);
    for (int bucket = 20; bucket <= 30; ++bucket)
        s.sumTemplates[bucket] = 1;
    return s;
}

} // namespace

TEST(GuaranteeSystem, FollowsTheGreedyRuleOnSmallPools) {
    auto pool = poolOf({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}, {1, 2, 3, 4, 8, 9}});
    for (auto build : {buildGuaranteeSystem, buildGuaranteeSystemReference}) {
        LotterySystem system;
        // The second shares five Numbers with the first; the third only four.
        EXPECT_EQ(build(GuaranteeMode::Gw5, *pool, system).lineCount, 2);
        EXPECT_EQ(linesOf(system), (std::vector<std::string>{"  1  2  3  4  5  6", "  1  2  3  4  8  9"}));
        EXPECT_EQ(system.ticket(1), (Combination{1, 2, 3, 4, 8, 9}));
        EXPECT_EQ(build(GuaranteeMode::Gw3, *pool, system).lineCount, 1);
        EXPECT_EQ(linesOf(system), (std::vector<std::string>{"  1  2  3  4  5  6"}));
    }
}

TEST(GuaranteeSystem, RejectedRowsAreNotReconsideredAfterLaterAcceptances) {
    // Row 2 conflicts with row 1 (four shared), row 3 does not; row 2 stays out even though it would
    // fit beside row 3 alone.
    auto pool = poolOf({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 10, 11}, {20, 21, 22, 23, 24, 25}});
    EXPECT_EQ(build(GuaranteeMode::Gw4, *pool), (std::vector<std::string>{"  1  2  3  4  5  6", " 20 21 22 23 24 25"}));
}

TEST(GuaranteeSystem, OneRowPoolGivesOneLineInEveryMode) {
    auto pool = poolOf({{5, 12, 25, 31, 38, 45}});
    for (GuaranteeMode mode : kAllModes) {
        LotterySystem system;
        EXPECT_EQ(buildGuaranteeSystem(mode, *pool, system).lineCount, 1) << modeName(mode);
        EXPECT_EQ(linesOf(system), (std::vector<std::string>{"  5 12 25 31 38 45"}));
    }
}

TEST(GuaranteeSystem, EmptyPoolGivesAnEmptyListInEveryMode) {
    auto pool = poolOf({});
    for (GuaranteeMode mode : kAllModes) {
        LotterySystem system;
        system.appendLine("left from before");
        system.append({1, 2, 3, 4, 5, 6});
        EXPECT_EQ(buildGuaranteeSystem(mode, *pool, system).lineCount, 0) << modeName(mode);
        EXPECT_TRUE(system.empty());
    }
}

TEST(GuaranteeSystem, FullSystemListsThePoolInOrderAndOffersPostProcessing) {
    auto pool = randomPool(7, 500);
    LotterySystem system;
    const GuaranteeOutcome outcome = buildGuaranteeSystem(GuaranteeMode::Full, *pool, system);
    EXPECT_EQ(outcome.lineCount, 500);
    EXPECT_TRUE(outcome.postProcessingOffered);
    ASSERT_EQ(system.size(), 500u);
    for (int k = 0; k < 500; ++k)
        ASSERT_EQ(system.line(k), systemLine(pool->rows()[k]));

    for (GuaranteeMode mode : kReducedModes)
        EXPECT_FALSE(buildGuaranteeSystem(mode, *pool, system).postProcessingOffered) << modeName(mode);
}

TEST(GuaranteeSystem, ReadsOnlyTheStoredRowsWhenMorePassed) {
    auto pool = enumeratedPool(FilterSettings{});
    ASSERT_TRUE(pool);
    ASSERT_GT(pool->count(), kPoolCapacity);
    LotterySystem system;
    EXPECT_EQ(buildGuaranteeSystem(GuaranteeMode::Full, *pool, system).lineCount, kPoolCapacity);
    EXPECT_EQ(system.line(system.size() - 1), systemLine(pool->rows()[kPoolCapacity - 1]));
}

TEST(GuaranteeSystem, ReducedSystemIsAMaximalPackingOfThePool) {
    auto pool = randomPool(11, 3000);
    for (GuaranteeMode mode : kReducedModes) {
        LotterySystem system;
        buildGuaranteeSystem(mode, *pool, system);
        const auto kept = system.tickets();
        const int limit = guaranteeOverlapLimit(mode);
        for (std::size_t a = 0; a < kept.size(); ++a)
            for (std::size_t b = a + 1; b < kept.size(); ++b)
                ASSERT_LE(commonNumbers(kept[a], kept[b]), limit) << modeName(mode);
        // Every pool row left out shares more than the limit with some kept row: the guarantee.
        for (std::int32_t k = 0; k < pool->count(); ++k) {
            bool covered = false;
            for (std::size_t r = 0; r < kept.size() && !covered; ++r)
                covered = commonNumbers(pool->rows()[k], kept[r]) > limit;
            ASSERT_TRUE(covered) << modeName(mode) << " pool row " << k + 1;
        }
    }
}

TEST(GuaranteeSystem, BuildingTwiceGivesTheSameList) {
    auto pool = randomPool(3, 2000);
    for (GuaranteeMode mode : kAllModes)
        EXPECT_EQ(build(mode, *pool), build(mode, *pool)) << modeName(mode);
}

// Differential: the fast build against the pairwise one.

class GuaranteeOnRandomPools : public testing::TestWithParam<std::pair<std::uint32_t, std::int32_t>> {};

TEST_P(GuaranteeOnRandomPools, FastBuildEqualsReference) {
    const auto [seed, rows] = GetParam();
    auto pool = randomPool(seed, rows);
    for (GuaranteeMode mode : kAllModes)
        expectSameBuild(*pool, mode);
}

INSTANTIATE_TEST_SUITE_P(Seeded, GuaranteeOnRandomPools,
                         testing::Values(std::pair{1u, 1}, std::pair{2u, 2}, std::pair{3u, 17}, std::pair{4u, 250},
                                         std::pair{5u, 1000}, std::pair{6u, 4000}, std::pair{7u, 12000},
                                         std::pair{8u, 30000}, std::pair{9u, 30000}));

TEST(GuaranteeOnRandomPools, PoolWithRepeatedRowsKeepsOnlyTheFirst) {
    auto pool = poolOf({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}, {7, 8, 9, 10, 11, 12}});
    for (GuaranteeMode mode : kReducedModes) {
        expectSameBuild(*pool, mode);
        EXPECT_EQ(build(mode, *pool).size(), 2u) << modeName(mode);
    }
}

struct FilteredPool {
    const char* name;
    FilterSettings settings;
};

class GuaranteeOnFilteredPools : public testing::TestWithParam<FilteredPool> {};

TEST_P(GuaranteeOnFilteredPools, FastBuildEqualsReference) {
    auto pool = enumeratedPool(GetParam().settings);
    ASSERT_TRUE(pool);
    ASSERT_GT(pool->count(), 0);
    for (GuaranteeMode mode : kAllModes)
        expectSameBuild(*pool, mode);
}

namespace {

FilterSettings everyCombination() {
    return FilterSettings{};
}

FilterSettings narrowedUnderCapacity() {
    FilterSettings s = evenOddAndSum();
    s.setMode(Panel::Edge, 1);
    s.edgeTemplates[2] = 1;
    s.setMode(Panel::Neighbours, NoNeighbours);
    s.setMode(Panel::Numbers, 1);
    for (int n = 1; n <= 30; ++n)
        s.setNumberRole(static_cast<Number>(n), Basic);
    s.shareBoxChecked[0] = 1;
    return s;
}

FilterSettings favouritesAndBasics() {
    FilterSettings s;
    s.setMode(Panel::Numbers, 1);
    for (int n : {3, 7, 11, 19, 23, 31, 42})
        s.setNumberRole(static_cast<Number>(n), Favourite);
    for (int n : {1, 5, 9, 14, 17, 21, 26, 28, 33, 36, 39, 44, 47, 49})
        s.setNumberRole(static_cast<Number>(n), Basic);
    s.shareBoxChecked[2] = 1;
    s.shareBoxChecked[3] = 1;
    return s;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(RealSettings, GuaranteeOnFilteredPools,
                         testing::Values(FilteredPool{"firstCombinationsInOrder", everyCombination()},
                                         FilteredPool{"threeEvenSum20to30", evenOddAndSum()},
                                         FilteredPool{"narrowedUnderCapacity", narrowedUnderCapacity()},
                                         FilteredPool{"favouritesAndBasics", favouritesAndBasics()}),
                         [](const auto& info) { return std::string(info.param.name); });

// Removing a row from a pool moves the last row into its place, so an enumerated pool ends up mostly in
// order with rows out of place here and there: runs of rows with a common start are broken up and rows
// return to starts seen long before.
TEST_P(GuaranteeOnFilteredPools, FastBuildEqualsReferenceAfterRowsWereRemoved) {
    auto pool = enumeratedPool(GetParam().settings);
    ASSERT_TRUE(pool);
    for (std::int32_t removed = 0; removed < 300 && pool->storedCount() > 1; ++removed)
        pool->removeRow((removed * 7919) % pool->storedCount());
    for (GuaranteeMode mode : kReducedModes)
        expectSameBuild(*pool, mode);
}

// Pools whose rows stand in order: the build leaps over long runs of rows with a conflicting start, so
// its answer must not depend on where the leaps land, nor on where the ordered part of the pool ends.

namespace {

std::unique_ptr<CandidatePool> lexicographicPool(int highest) {
    auto pool = std::make_unique<CandidatePool>();
    fillLexicographic(*pool, highest);
    return pool;
}

// A random pool put in order, repeated rows and all.
std::unique_ptr<CandidatePool> sortedRandomPool(std::uint32_t seed, std::int32_t rows) {
    auto random = randomPool(seed, rows);
    std::vector<Combination> sorted(random->rows().begin(), random->rows().begin() + random->storedCount());
    std::sort(sorted.begin(), sorted.end());
    auto pool = std::make_unique<CandidatePool>();
    for (const Combination& c : sorted)
        pool->append(c);
    return pool;
}

} // namespace

TEST(GuaranteeOnOrderedPools, FastBuildEqualsReference) {
    for (int highest : {10, 13, 17, 22, 49}) {
        SCOPED_TRACE("combinations of 1.." + std::to_string(highest));
        auto pool = lexicographicPool(highest);
        ASSERT_EQ(pool->orderedCount(), pool->storedCount());
        for (GuaranteeMode mode : kReducedModes)
            expectSameBuild(*pool, mode);
    }
    for (const auto& [seed, rows] : {std::pair{11u, 300}, std::pair{12u, 3000}, std::pair{13u, 8000}}) {
        SCOPED_TRACE("sorted random pool " + std::to_string(seed));
        auto pool = sortedRandomPool(seed, rows);
        ASSERT_EQ(pool->orderedCount(), pool->storedCount());
        for (GuaranteeMode mode : kReducedModes)
            expectSameBuild(*pool, mode);
    }
}

TEST(GuaranteeOnOrderedPools, FastBuildEqualsReferenceWhereTheOrderEndsInsideARun) {
    // Removing a row puts the pool's last row, here one that shares nothing with the others, in the
    // middle of a run of rows with a common start; the rows after it still start like the rows before
    // it. Only the rows before it are known to stand in order: a leap over the run must stop there, or
    // the row that belongs in every system is passed over.
    const Combination stranger{40, 41, 42, 43, 44, 45};
    for (std::int32_t place : {0, 1, 5, 200, 700, 4000, 8007}) {
        SCOPED_TRACE("row removed at " + std::to_string(place));
        auto pool = lexicographicPool(16); // 8008 rows; the first 286 start with 1 2 3
        pool->append(stranger);
        pool->removeRow(place);
        ASSERT_EQ(pool->orderedCount(), place);
        for (GuaranteeMode mode : kReducedModes) {
            expectSameBuild(*pool, mode);
            const std::vector<std::string> lines = build(mode, *pool);
            EXPECT_NE(std::find(lines.begin(), lines.end(), systemLine(stranger)), lines.end()) << modeName(mode);
        }
    }
}
