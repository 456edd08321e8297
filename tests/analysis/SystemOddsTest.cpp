#include "analysis/SystemOdds.h"

#include "AnalysisFixtures.h"
#include "analysis/AnalysisTexts.h"
#include "support/LexicographicPool.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace selektor;
using namespace selektor::test;

namespace {

std::int64_t sum(const BestLineCounts& counts) {
    return std::accumulate(counts.begin(), counts.end(), std::int64_t{0});
}

LotterySystem randomSystem(std::mt19937& rng, std::size_t lines, int highest) {
    LotterySystem system;
    for (std::size_t i = 0; i < lines; ++i)
        system.append(randomCombination(rng, kLowestNumber, highest));
    return system;
}

} // namespace

TEST(SystemOdds, OneTicketHasTheLotteryOwnOdds) {
    const LotterySystem system = systemOf({{5, 12, 25, 31, 38, 45}});
    const SystemOdds odds = systemOdds(system, nullptr);
    ASSERT_FALSE(odds.refusal);
    // C(6, h) C(43, 6 - h): the figures printed on every coupon.
    const BestLineCounts coupon = {6'096'454, 5'775'588, 1'851'150, 246'820, 13'545, 258, 1};
    EXPECT_EQ(odds.allDraws, coupon);
    for (int h = 0; h <= 6; ++h) {
        EXPECT_EQ(singleTicketDraws(h), coupon[h]);
        // One random ticket is as good as any other.
        EXPECT_NEAR(odds.randomChance[h] * kAllCombinations, static_cast<double>(coupon[h]), 1e-4) << h;
    }
    EXPECT_EQ(oddsText(odds.allDraws[6], kAllCombinations), "1 : 13 983 816");
    EXPECT_EQ(oddsText(odds.allDraws[5], kAllCombinations), "1 : 54 201");
    EXPECT_EQ(oddsText(odds.allDraws[3], kAllCombinations), "1 : 56,66");
    EXPECT_EQ(oddsText(odds.allDraws[0], kAllCombinations), "1 : 2,29");
    EXPECT_EQ(oddsText(0, kAllCombinations), "-");
    EXPECT_EQ(oddsText(1.0), "1 : 1,00");
}

TEST(SystemOdds, TheCountsAgreeWithEveryDrawMetWithEveryLine) {
    // Lines from a few Numbers overlap in every way, lines from all 49 hardly at all; a repeated line
    // must not count its draw twice.
    std::mt19937 rng(20261209);
    std::vector<LotterySystem> systems;
    systems.push_back(randomSystem(rng, 3, 49));
    systems.push_back(randomSystem(rng, 12, 14));
    systems.push_back(randomSystem(rng, 7, 9));
    auto sixesOfEight = poolOf({});
    fillLexicographic(*sixesOfEight, 8);
    systems.push_back(systemOf(std::vector<Combination>(sixesOfEight->rows().begin(),
                                                        sixesOfEight->rows().begin() + sixesOfEight->storedCount())));
    systems.push_back(systemOf({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}, {44, 45, 46, 47, 48, 49}}));
    for (const LotterySystem& system : systems) {
        const SystemOdds odds = systemOdds(system, nullptr);
        ASSERT_FALSE(odds.refusal);
        EXPECT_EQ(odds.allDraws, bestLineCountsReference(system)) << system.line(0);
        EXPECT_EQ(sum(odds.allDraws), kAllCombinations);
    }
}

TEST(SystemOdds, ALargeSystemStillAccountsForEveryDraw) {
    std::mt19937 rng(7);
    const LotterySystem system = randomSystem(rng, 30000, 49);
    const SystemOdds odds = systemOdds(system, nullptr);
    EXPECT_EQ(sum(odds.allDraws), kAllCombinations);
    EXPECT_EQ(odds.allDraws[6], odds.distinctTickets);
    // A sample of the draws met line by line lands on the same shares, to within the sample's noise.
    const BestLineCounts sample = bestLineCountsReference(system, 997);
    const double sampled = static_cast<double>(sum(sample));
    for (int h = 2; h <= 4; ++h)
        EXPECT_NEAR(static_cast<double>(sample[h]) / sampled, static_cast<double>(odds.allDraws[h]) / kAllCombinations,
                    0.01)
            << h;
}

TEST(SystemOdds, InsideAProvedPoolEveryDrawWinsTheGuarantee) {
    // Two tickets on 12 Numbers: any six of them has at least three in one half.
    auto pool = poolOf({});
    fillLexicographic(*pool, 12);
    const LotterySystem system = systemOf({{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
    const SystemOdds odds = systemOdds(system, pool.get());
    ASSERT_FALSE(odds.poolRefusal);
    EXPECT_EQ(odds.poolRows, 924);
    // 6 + 0 and 0 + 6 are the tickets; 5 + 1 and 1 + 5: 2 * 6 * 6; 4 + 2 and 2 + 4: 2 * 15 * 15; 3 + 3: 20 * 20.
    EXPECT_EQ(odds.poolDraws, (BestLineCounts{0, 0, 0, 400, 450, 72, 2}));
    EXPECT_EQ(sum(odds.allDraws), kAllCombinations);
}

TEST(SystemOdds, SaysWhyThereAreNoFigures) {
    EXPECT_EQ(systemOdds(LotterySystem{}, nullptr).refusal, kEmptySystemMessage);
    LotterySystem withText = systemOf({{1, 2, 3, 4, 5, 6}});
    withText.appendLine("kupon");
    EXPECT_EQ(systemOdds(withText, nullptr).refusal, badSystemLineMessage(2));

    const LotterySystem system = systemOf({{1, 2, 3, 4, 5, 6}});
    EXPECT_EQ(systemOdds(system, nullptr, "Brak puli.").poolRefusal, "Brak puli.");
    EXPECT_EQ(systemOdds(system, nullptr).poolRefusal, kEmptyPoolMessage);
    // Figures over the stored part of a larger count would pass for the whole pool's.
    auto tooMany = poolOf({});
    for (int i = 0; i < kPoolCapacity + 1; ++i)
        tooMany->append({1, 2, 3, 4, 5, 6});
    const SystemOdds odds = systemOdds(system, tooMany.get());
    EXPECT_EQ(odds.poolRefusal, kPoolTooLargeMessage);
    EXPECT_EQ(odds.allDraws[6], 1); // the draws themselves are still counted
}

TEST(SystemOdds, RandomTicketsAreComputedNotSimulated) {
    for (std::int64_t tickets : {1, 2, 100, 30000}) {
        const auto chance = randomTicketsChance(tickets);
        EXPECT_NEAR(std::accumulate(chance.begin(), chance.end(), 0.0), 1.0, 1e-12);
        // The best of N tickets misses three hits only when every one of them does.
        const double missOne =
            static_cast<double>(singleTicketDraws(0) + singleTicketDraws(1) + singleTicketDraws(2)) / kAllCombinations;
        EXPECT_NEAR(chance[0] + chance[1] + chance[2], std::pow(missOne, static_cast<double>(tickets)), 1e-12);
    }
    // With thousands of tickets the chance of the six stays close to N in 13,983,816.
    EXPECT_NEAR(randomTicketsChance(30000)[6] * kAllCombinations, 30000, 40);
}
