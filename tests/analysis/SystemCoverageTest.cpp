#include "analysis/SystemCoverage.h"

#include "AnalysisFixtures.h"
#include "analysis/AnalysisCsv.h"
#include "analysis/AnalysisTexts.h"
#include "core/Enumeration.h"
#include "generator/GuaranteeSystem.h"
#include "support/LexicographicPool.h"
#include "support/TypicalSettings.h"

#include <gtest/gtest.h>
#include <set>

using namespace selektor;
using namespace selektor::test;

namespace {

constexpr GuaranteeMode kAllModes[] = {GuaranteeMode::Full, GuaranteeMode::Gw5, GuaranteeMode::Gw4, GuaranteeMode::Gw3};

// "gw 6" to "gw 3".
int guaranteeOf(GuaranteeMode mode) {
    return kNumbersPerCombination - static_cast<int>(mode);
}

std::unique_ptr<CandidatePool> randomPool(std::mt19937& rng, std::size_t rows, int highest) {
    std::set<Combination> distinct;
    while (distinct.size() < rows)
        distinct.insert(randomCombination(rng, kLowestNumber, highest));
    std::vector<Combination> shuffled(distinct.begin(), distinct.end());
    std::shuffle(shuffled.begin(), shuffled.end(), rng);
    return poolOf(shuffled);
}

} // namespace

TEST(SystemCoverage, MeasuresTheBestLineOfEveryPoolRow) {
    const auto pool = poolOf({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 10, 20, 30}, {40, 41, 42, 43, 44, 45}, {1, 2, 3, 4, 5, 7}});
    const LotterySystem system = systemOf({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 20, 30, 49}});
    for (auto measure : {measureCoverage, measureCoverageReference}) {
        const SystemCoverage coverage = measure(system, *pool);
        ASSERT_FALSE(coverage.refusal);
        EXPECT_EQ(coverage.bestHits, (std::vector<std::uint8_t>{6, 5, 0, 5}));
        EXPECT_EQ(coverage.coveredAtLeast, (std::array<std::int32_t, 7>{4, 3, 3, 3, 3, 3, 1}));
        EXPECT_EQ(coverage.guaranteedHits, 0);
        const std::vector<CoverageHole> holes = {{3, {40, 41, 42, 43, 44, 45}, 0},
                                                 {2, {1, 2, 3, 10, 20, 30}, 5},
                                                 {4, {1, 2, 3, 4, 5, 7}, 5},
                                                 {1, {1, 2, 3, 4, 5, 6}, 6}};
        EXPECT_EQ(coverage.holes, holes);
    }
    EXPECT_EQ(coverageCsv(measureCoverage(system, *pool)),
              "Nr w puli,Liczba 1,Liczba 2,Liczba 3,Liczba 4,Liczba 5,Liczba 6,Najwięcej trafień\r\n"
              "1,1,2,3,4,5,6,6\r\n2,1,2,3,10,20,30,5\r\n3,40,41,42,43,44,45,0\r\n4,1,2,3,4,5,7,5\r\n");
}

TEST(SystemCoverage, RefusesWhatCannotBeMeasured) {
    const auto pool = poolOf({{1, 2, 3, 4, 5, 6}});
    EXPECT_EQ(measureCoverage(LotterySystem{}, *pool).refusal, kEmptySystemMessage);
    LotterySystem withText = systemOf({{1, 2, 3, 4, 5, 6}});
    withText.appendLine("  1  2  3  4  5 50");
    EXPECT_EQ(measureCoverage(withText, *pool).refusal, badSystemLineMessage(2));
    const LotterySystem system = systemOf({{1, 2, 3, 4, 5, 6}});
    EXPECT_EQ(measureCoverage(system, CandidatePool{}).refusal, kEmptyPoolMessage);
    auto overflowing = std::make_unique<CandidatePool>();
    fillLexicographic(*overflowing, kHighestNumber);
    overflowing->append({44, 45, 46, 47, 48, 49});
    EXPECT_EQ(measureCoverage(system, *overflowing).refusal, kPoolTooLargeMessage);
}

// A "gw k" system holds k Numbers of every pool row on some line; without any one of its lines, the row
// that line was is left with fewer and is named among the holes.
TEST(SystemCoverage, GuaranteeSystemsKeepTheirWordAndALostLineLeavesAHole) {
    std::mt19937 rng(3);
    std::vector<std::unique_ptr<CandidatePool>> small;
    small.push_back(std::make_unique<CandidatePool>());
    fillLexicographic(*small.back(), 9);
    small.push_back(randomPool(rng, kListedHoles, 14));
    for (const auto& pool : small)
        for (GuaranteeMode mode : kAllModes) {
            const int k = guaranteeOf(mode);
            LotterySystem system;
            buildGuaranteeSystem(mode, *pool, system);
            const SystemCoverage whole = measureCoverage(system, *pool);
            EXPECT_EQ(whole.coveredAtLeast[k], pool->count()) << "gw " << k;
            EXPECT_GE(whole.guaranteedHits, k);

            for (std::size_t lost = 0; lost < system.size(); ++lost) {
                std::vector<Combination> lines(system.tickets().begin(), system.tickets().end());
                lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(lost));
                if (lines.empty())
                    continue;
                const SystemCoverage holed = measureCoverage(systemOf(lines), *pool);
                EXPECT_LT(holed.coveredAtLeast[k], pool->count()) << "gw " << k << " without line " << lost + 1;
                EXPECT_LT(holed.guaranteedHits, k);
                const auto hole = std::find_if(holed.holes.begin(), holed.holes.end(), [&](const CoverageHole& h) {
                    return h.numbers == system.tickets()[lost];
                });
                ASSERT_NE(hole, holed.holes.end()) << "gw " << k << " without line " << lost + 1;
                EXPECT_LT(hole->bestHits, k);
                EXPECT_EQ(pool->rows()[hole->poolRow - 1], hole->numbers);
            }
        }

    // Full pools of the size the final stage takes.
    FilterSettings evening = eveningSettings();
    auto filtered = std::make_unique<CandidatePool>();
    ASSERT_FALSE(countCombinations(evening, *filtered).refusal);
    ASSERT_GT(filtered->count(), 10000);
    for (GuaranteeMode mode : kAllModes) {
        LotterySystem system;
        buildGuaranteeSystem(mode, *filtered, system);
        EXPECT_EQ(measureCoverage(system, *filtered).coveredAtLeast[guaranteeOf(mode)], filtered->count());
    }
}

// The marked parts must give what meeting every row with every line gives.
TEST(SystemCoverageDifferential, AgreesWithThePairwiseLoop) {
    std::mt19937 rng(2718);
    for (int round = 0; round < 12; ++round) {
        const int highest = round % 2 == 0 ? 16 : kHighestNumber;
        const auto pool = randomPool(rng, std::uniform_int_distribution<std::size_t>(1, 1500)(rng), highest);
        std::vector<Combination> lines;
        const int size = std::uniform_int_distribution<int>(1, 800)(rng);
        for (int i = 0; i < size; ++i)
            lines.push_back(i % 5 == 4 ? pool->rows()[i % pool->storedCount()]
                                       : randomCombination(rng, kLowestNumber, highest));
        const LotterySystem system = systemOf(lines);
        EXPECT_EQ(measureCoverage(system, *pool), measureCoverageReference(system, *pool)) << "round " << round;
    }
}
