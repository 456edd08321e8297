#include "analysis/SystemHistory.h"

#include "AnalysisFixtures.h"
#include "analysis/AnalysisCsv.h"
#include "analysis/AnalysisTexts.h"

#include <gtest/gtest.h>

using namespace selektor;
using namespace selektor::test;

namespace {

const LotterySystem kFourLines = systemOf({
    {1, 2, 3, 4, 5, 6},
    {1, 2, 3, 4, 10, 11},
    {1, 2, 3, 20, 30, 49},
    {7, 8, 9, 10, 11, 12},
});

const DrawHistory kFourDraws = historyOf({
    {"03.03.2001", {1, 2, 3, 4, 5, 6}},       // hits 6, 4, 3, 0
    {"06.03.2001", {1, 2, 3, 10, 20, 30}},    // hits 3, 4, 5, 1
    {"10.03.2001", {40, 41, 42, 43, 44, 45}}, // nothing
    {"13.03.2001", {1, 2, 3, 10, 20, 30}},    // the second again: ranks before it as the newer
});

} // namespace

TEST(SystemHistory, CountsTheLinesOfEveryDrawByHits) {
    for (auto check : {checkSystemOnHistory, checkSystemOnHistoryReference}) {
        const SystemHistoryCheck result = check(kFourLines, kFourDraws);
        ASSERT_FALSE(result.refusal);
        EXPECT_EQ(result.systemLines, 4);
        ASSERT_EQ(result.draws.size(), 4u);
        EXPECT_EQ(result.draws[0].linesByHits, (std::array<std::int32_t, 7>{1, 0, 0, 1, 1, 0, 1}));
        EXPECT_EQ(result.draws[1].linesByHits, (std::array<std::int32_t, 7>{0, 1, 0, 1, 1, 1, 0}));
        EXPECT_EQ(result.draws[2].linesByHits, (std::array<std::int32_t, 7>{4, 0, 0, 0, 0, 0, 0}));
        EXPECT_EQ(result.draws[0].bestHits, 6);
        EXPECT_EQ(result.draws[1].bestHits, 5);
        EXPECT_EQ(result.draws[2].bestHits, 0);
        EXPECT_EQ(result.draws[3].drawNumber, 1004);
        EXPECT_EQ(result.draws[3].date, "13.03.2001");

        EXPECT_EQ(result.byHits[3], (HitClassOnHistory{3, 3}));
        EXPECT_EQ(result.byHits[4], (HitClassOnHistory{3, 3}));
        EXPECT_EQ(result.byHits[5], (HitClassOnHistory{2, 2}));
        EXPECT_EQ(result.byHits[6], (HitClassOnHistory{1, 1}));
        // The six first; of the two equal draws the newer; the draw without a hit is not among them.
        EXPECT_EQ(result.bestDraws, (std::vector<std::size_t>{0, 3, 1}));
    }
    const std::string csv = systemHistoryCsv(checkSystemOnHistory(kFourLines, kFourDraws));
    EXPECT_EQ(csv.substr(0, csv.find("\r\n") + 2),
              "Nr losowania,Data,Liczba 1,Liczba 2,Liczba 3,Liczba 4,Liczba 5,Liczba 6,Najwięcej trafień,"
              "Linie z 3 trafieniami,Linie z 4 trafieniami,Linie z 5 trafieniami,Linie z 6 trafieniami\r\n");
    EXPECT_NE(csv.find("\r\n1001,03.03.2001,1,2,3,4,5,6,6,1,1,0,1\r\n1002,06.03.2001,1,2,3,10,20,30,5,1,1,1,0\r\n"),
              std::string::npos);
}

TEST(SystemHistory, RefusesWhatCannotBeChecked) {
    EXPECT_EQ(checkSystemOnHistory(LotterySystem{}, kFourDraws).refusal, kEmptySystemMessage);
    LotterySystem withText = kFourLines;
    withText.appendLine("1 2 3 4 5 6");
    EXPECT_EQ(checkSystemOnHistory(withText, kFourDraws).refusal,
              "Linia 5 systemu nie jest szóstką różnych liczb od 1 do 49 - system nie został sprawdzony !");
    const LotterySystem unsorted = systemOf({{1, 2, 3, 4, 5, 6}, {2, 1, 3, 4, 5, 6}});
    EXPECT_EQ(checkSystemOnHistory(unsorted, kFourDraws).refusal, badSystemLineMessage(2));
    EXPECT_EQ(checkSystemOnHistory(kFourLines, DrawHistory{}).refusal, kEmptyHistoryMessage);
    DrawHistory damaged = kFourDraws;
    damaged.problem = "Plik Losowanie.dat jest uszkodzony - jego długość nie jest wielokrotnością 20 bajtów !";
    EXPECT_EQ(checkSystemOnHistory(kFourLines, damaged).refusal, kDamagedHistoryMessage);
}

// The look-ups must give what meeting every line with every draw gives, also for repeated lines and for
// systems and draws crowded into few Numbers, where every hit count occurs.
TEST(SystemHistoryDifferential, AgreesWithTheLineByLineCount) {
    std::mt19937 rng(713);
    for (int round = 0; round < 12; ++round) {
        const int highest = round % 2 == 0 ? 12 : kHighestNumber;
        const DrawHistory history = randomHistory(rng, 150, highest);
        std::vector<Combination> lines;
        const int size = std::uniform_int_distribution<int>(1, 1500)(rng);
        for (int i = 0; i < size; ++i)
            lines.push_back(i > 0 && i % 7 == 0 ? lines[i / 2] : randomCombination(rng, kLowestNumber, highest));
        const LotterySystem system = systemOf(lines);
        EXPECT_EQ(checkSystemOnHistory(system, history), checkSystemOnHistoryReference(system, history))
            << "round " << round;
    }
}
