#include "core/Enumeration.h"

#include "core/Patterns.h"
#include "support/RandomSettings.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <random>

using namespace selektor;

namespace {

// The pool is 180 kB: keep it off the stack.
std::unique_ptr<CandidatePool> newPool() {
    return std::make_unique<CandidatePool>();
}

FilterSettings onlyEvenOdd(int evenCount) {
    FilterSettings s;
    s.setMode(Panel::EvenOdd, 1);
    s.evenOddTemplates[evenCount] = 1;
    return s;
}

} // namespace

TEST(Enumeration, AllTabsInModeZeroAcceptEveryCombination) {
    auto pool = newPool();
    FilterSettings s;
    const CountOutcome outcome = countCombinations(s, *pool);
    EXPECT_FALSE(outcome.refusal);
    EXPECT_FALSE(outcome.finalStageAllowed);
    EXPECT_EQ(pool->count(), 13983816);
    EXPECT_EQ(pool->rows()[0], (Combination{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(pool->rows()[29999], (Combination{1, 2, 5, 6, 26, 29}));
    for (int i = 1; i < kPoolCapacity; ++i)
        ASSERT_LT(pool->rows()[i - 1], pool->rows()[i]) << "row " << i + 1;
}

struct KnownCount {
    const char* name;
    FilterSettings settings;
    std::int32_t count;
};

// A failing case names its setting instead of dumping the settings' bytes.
void PrintTo(const KnownCount& known, std::ostream* out) {
    *out << known.name;
}

class EnumerationKnownCounts : public testing::TestWithParam<KnownCount> {};

TEST_P(EnumerationKnownCounts, FastAndReferenceAgreeWithTheCombinatorics) {
    auto fast = newPool();
    auto reference = newPool();
    enumerateFast(GetParam().settings, *fast);
    EXPECT_EQ(fast->count(), GetParam().count);
    enumerateReference(GetParam().settings, *reference);
    EXPECT_EQ(reference->count(), GetParam().count);
    ASSERT_EQ(fast->storedCount(), reference->storedCount());
    for (int row = 0; row < reference->storedCount(); ++row)
        ASSERT_EQ(fast->rows()[row], reference->rows()[row]) << "row " << row + 1;
}

INSTANTIATE_TEST_SUITE_P(Combinatorics, EnumerationKnownCounts,
                         testing::Values(
                             // Three of the 24 even numbers and three of the 25 odd ones.
                             KnownCount{"threeEvenThreeOdd", onlyEvenOdd(3), 4655200},
                             // Six of the 24 inner numbers.
                             KnownCount{"innerOnly",
                                        [] {
                                            FilterSettings s;
                                            s.setMode(Panel::Edge, 1);
                                            s.edgeTemplates[0] = 1;
                                            return s;
                                        }(),
                                        134596},
                             KnownCount{"noNeighbours",
                                        [] {
                                            FilterSettings s;
                                            s.setMode(Panel::Neighbours, NoNeighbours);
                                            return s;
                                        }(),
                                        7059052},
                             KnownCount{"withNeighbours",
                                        [] {
                                            FilterSettings s;
                                            s.setMode(Panel::Neighbours, AtLeastOneNeighbourPair);
                                            return s;
                                        }(),
                                        13983816 - 7059052},
                             // Every template of a tab but the last still refuses the sixes of that
                             // last pattern, although nearly everything passes.
                             KnownCount{"favouriteSharesUpToFive",
                                        [] {
                                            FilterSettings s;
                                            s.setMode(Panel::Numbers, 1);
                                            for (int n = 1; n <= 20; ++n)
                                                s.setNumberRole(static_cast<Number>(n), n <= 10 ? Favourite : Basic);
                                            for (int k = 0; k <= 5; ++k)
                                                s.shareBoxChecked[k] = s.favouriteShareAllowed[k] = 1;
                                            return s;
                                        }(),
                                        38760 - 210}, // C(20, 6) less the C(10, 6) sixes of favourites
                             KnownCount{"evenOddButSixEven",
                                        [] {
                                            FilterSettings s;
                                            s.setMode(Panel::EvenOdd, 1);
                                            for (int e = 0; e <= 5; ++e)
                                                s.evenOddTemplates[e] = 1;
                                            return s;
                                        }(),
                                        13983816 - 134596},
                             KnownCount{"sumsButTheTopBucket",
                                        [] {
                                            FilterSettings s;
                                            s.setMode(Panel::Sum, 1);
                                            for (int b = kLowestSumBucket; b < kHighestSumBucket; ++b)
                                                s.sumTemplates[b] = 1;
                                            return s;
                                        }(),
                                        13983816 - 1616873}, // last digits summing to 36 or more
                             KnownCount{"edgeButSixEdges",
                                        [] {
                                            FilterSettings s;
                                            s.setMode(Panel::Edge, 1);
                                            for (int b = 0; b <= 5; ++b)
                                                s.edgeTemplates[b] = 1;
                                            return s;
                                        }(),
                                        13983816 - 177100},
                             KnownCount{"dsgButSixFromD",
                                        [] {
                                            FilterSettings s;
                                            s.setMode(Panel::Dsg, 1);
                                            for (int d = 0; d <= 6; ++d)
                                                for (int sc = 0; d + sc <= 6; ++sc)
                                                    s.dsgTemplates[d][sc] = 1;
                                            s.dsgTemplates[6][0] = 0; // "600"
                                            return s;
                                        }(),
                                        13983816 - 27132}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Enumeration, SixBasicNumbersGiveExactlyThatCombination) {
    FilterSettings s;
    s.setMode(Panel::Numbers, 1);
    for (Number n : {3, 14, 15, 26, 35, 47})
        s.setNumberRole(n, Basic);
    auto pool = newPool();
    const CountOutcome outcome = countCombinations(s, *pool);
    EXPECT_FALSE(outcome.refusal);
    EXPECT_TRUE(outcome.finalStageAllowed);
    EXPECT_EQ(pool->count(), 1);
    EXPECT_EQ(pool->rows()[0], (Combination{3, 14, 15, 26, 35, 47}));
}

TEST(Enumeration, FinalStageOpensForOneToThirtyThousand) {
    // N numbers in the basic group give C(N, 6) combinations: 19 fit in the pool, 20 do not.
    FilterSettings s;
    s.setMode(Panel::Numbers, 1);
    for (int n = 1; n <= 19; ++n)
        s.setNumberRole(static_cast<Number>(n), Basic); // C(19, 6) = 27132
    auto pool = newPool();
    EXPECT_TRUE(countCombinations(s, *pool).finalStageAllowed);
    EXPECT_EQ(pool->count(), 27132);
    s.setNumberRole(20, Basic); // C(20, 6) = 38760
    EXPECT_FALSE(countCombinations(s, *pool).finalStageAllowed);
    EXPECT_EQ(pool->count(), 38760);

    // The sixes of 1 to 22, narrowed by last-digit sums to exactly a full pool and to one more.
    s.setNumberRole(21, Basic);
    s.setNumberRole(22, Basic);
    s.setMode(Panel::Sum, 1);
    for (int bucket : {20, 23, 25, 26, 27, 30, 31, 35})
        s.sumTemplates[bucket] = 1;
    EXPECT_TRUE(countCombinations(s, *pool).finalStageAllowed);
    EXPECT_EQ(pool->count(), 30000);
    s.sumTemplates = {};
    for (int bucket : {19, 21, 23, 25, 29})
        s.sumTemplates[bucket] = 1;
    EXPECT_FALSE(countCombinations(s, *pool).finalStageAllowed);
    EXPECT_EQ(pool->count(), 30001);

    // Numbers from the top three rows never make five rows: nothing passes.
    s.setMode(Panel::RowColumn, 1);
    s.rowColumnTemplates[5][6] = 1;
    EXPECT_FALSE(countCombinations(s, *pool).finalStageAllowed);
    EXPECT_EQ(pool->count(), 0);
}

TEST(Enumeration, RefusedSettingsKeepThePreviousPool) {
    auto pool = newPool();
    FilterSettings s;
    s.setMode(Panel::Numbers, 1);
    for (Number n : {3, 14, 15, 26, 35, 47})
        s.setNumberRole(n, Basic);
    ASSERT_TRUE(countCombinations(s, *pool).finalStageAllowed);

    s.setMode(Panel::EvenOdd, 1); // no template chosen
    const CountOutcome outcome = countCombinations(s, *pool);
    ASSERT_TRUE(outcome.refusal);
    EXPECT_EQ(*outcome.refusal, "Panel - P-N : Nie ustalony schemat liczb parzystych/nieparzystych w szóstce !");
    EXPECT_EQ(pool->count(), 1);
    EXPECT_EQ(pool->rows()[0], (Combination{3, 14, 15, 26, 35, 47}));
    EXPECT_TRUE(outcome.finalStageAllowed) << "the previous count still opens the final stage";
}

TEST(Enumeration, EveryStoredRowPassesAndTheCountIsExact) {
    // A narrow setting whose whole result fits in the pool, checked one combination at a time.
    FilterSettings s = onlyEvenOdd(0);
    s.setMode(Panel::Sum, 1);
    s.sumTemplates[20] = 1;
    s.setMode(Panel::Edge, 1);
    s.edgeTemplates[1] = 1;
    auto pool = newPool();
    enumerateFast(s, *pool);
    ASSERT_GT(pool->count(), 0);
    ASSERT_LE(pool->count(), kPoolCapacity);
    std::int32_t expected = 0;
    Combination c{};
    for (c[0] = 1; c[0] <= 44; ++c[0])
        for (c[1] = c[0] + 1; c[1] <= 45; ++c[1])
            for (c[2] = c[1] + 1; c[2] <= 46; ++c[2])
                for (c[3] = c[2] + 1; c[3] <= 47; ++c[3])
                    for (c[4] = c[3] + 1; c[4] <= 48; ++c[4])
                        for (c[5] = c[4] + 1; c[5] <= 49; ++c[5])
                            if (evenCount(c) == 0 && lastDigitSum(c) == 20 && edgeCount(c) == 1) {
                                ASSERT_EQ(pool->rows()[expected], c);
                                ++expected;
                            }
    EXPECT_EQ(pool->count(), expected);
}

TEST(Enumeration, RowsFromAcrossTheWholeOrderFillThePoolInOrder) {
    // Three rows and three columns with three even numbers: 31796 sixes, the 30000th beginning with 22.
    // The first 30000 are found all over the order, by both cores at once, and the pool fills only late,
    // in the middle of the work on the sixes beginning with 22, so rows found out of turn must be joined
    // in their places.
    FilterSettings s = onlyEvenOdd(3);
    s.setMode(Panel::RowColumn, 1);
    s.rowColumnTemplates[3][3] = 1;
    auto fast = newPool();
    auto reference = newPool();
    enumerateFast(s, *fast);
    enumerateReference(s, *reference);
    EXPECT_EQ(reference->count(), 31796);
    ASSERT_EQ(fast->count(), reference->count());
    EXPECT_EQ(reference->rows()[kPoolCapacity - 1][0], 22);
    for (int row = 0; row < kPoolCapacity; ++row)
        ASSERT_EQ(fast->rows()[row], reference->rows()[row]) << "row " << row + 1;
}

// The fast enumeration must give the reference's count and rows for any setting.
TEST(EnumerationDifferential, RandomSettings) {
    const char* roundsText = std::getenv("SELEKTOR_DIFFERENTIAL_ROUNDS");
    const int rounds = roundsText ? std::atoi(roundsText) : 80;
    std::mt19937 rng(20261208);
    auto fast = newPool();
    auto reference = newPool();
    for (int round = 0; round < rounds; ++round) {
        FilterSettings s = test::randomFilterSettings(rng);
        if (validateFilterSettings(s))
            continue;
        enumerateFast(s, *fast);
        enumerateReference(s, *reference);
        ASSERT_EQ(fast->count(), reference->count()) << "round " << round;
        // The reference's pool measures its own order row by row; the fast one declares it.
        ASSERT_EQ(reference->orderedCount(), reference->storedCount()) << "round " << round;
        ASSERT_EQ(fast->orderedCount(), fast->storedCount()) << "round " << round;
        for (int row = 0; row < reference->storedCount(); ++row)
            ASSERT_EQ(fast->rows()[row], reference->rows()[row]) << "round " << round << ", row " << row + 1;
    }
}
