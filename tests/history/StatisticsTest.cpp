#include "history/Statistics.h"

#include "core/Captions.h"
#include "core/Patterns.h"
#include "history/InformationTables.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace selektor;

namespace {

// A history of draws oldest first with its totals, as the store would hold them.
struct History {
    std::vector<DrawRecord> records;
    StatRecord totals;

    void add(const Combination& numbers, int times = 1) {
        for (int i = 0; i < times; ++i) {
            records.push_back(makeDrawRecord(1001 + static_cast<int>(records.size()), numbers));
            countDraw(totals, records.back(), +1);
        }
    }
    HistoryStatistics statistics(int recentWindow) const {
        return computeStatistics(records.size(), totals, records, recentWindow);
    }
};

std::array<std::int32_t, 3> seen(const OccurrenceColumn& column) {
    return {column.allCount, column.recentCount, column.lastSeen};
}

// "0-6" as the information tables write it: "0 - 6"; "600" as "6 0 0".
std::string spaced(const std::string& caption) {
    std::string text(1, caption[0]);
    for (std::size_t i = 1; i < caption.size(); ++i)
        text += {' ', caption[i]};
    return text;
}

} // namespace

TEST(InformationTables, CountEveryCombinationOfSixOutOf49) {
    std::array<std::int32_t, 7> even{}, edges{}, rows{};
    std::array<std::array<std::int32_t, 4>, 3> rowsColumns{};
    std::array<std::int32_t, 18> sums{};
    std::array<std::array<std::int32_t, 7>, 7> groups{};
    for (int a = 1; a <= 44; ++a)
        for (int b = a + 1; b <= 45; ++b)
            for (int c = b + 1; c <= 46; ++c)
                for (int d = c + 1; d <= 47; ++d)
                    for (int e = d + 1; e <= 48; ++e)
                        for (int f = e + 1; f <= 49; ++f) {
                            const Combination x = {Number(a), Number(b), Number(c), Number(d), Number(e), Number(f)};
                            ++even[evenCount(x)];
                            ++edges[edgeCount(x)];
                            const RowColumnPattern rc = rowColumnPattern(x);
                            ++rows[rc.rows];
                            if (rc.rows >= 3 && rc.rows <= 5 && rc.columns >= 3)
                                ++rowsColumns[rc.rows - 3][rc.columns - 3];
                            ++sums[sumBucket(lastDigitSum(x)) - 19];
                            const DsgPattern g = dsgPattern(x);
                            ++groups[g.d][g.s];
                        }
    for (int k = 0; k <= 6; ++k) {
        EXPECT_EQ(kEvenOddInformation[k].combinations, even[k]) << k;
        EXPECT_EQ(kEvenOddInformation[k].pattern, spaced(evenOddCaption(k)));
        EXPECT_EQ(kEdgeInformation[k].combinations, edges[k]) << k;
        EXPECT_EQ(kEdgeInformation[k].pattern, spaced(edgeCaption(k)));
    }
    // "2 - X" is exactly two rows: the 420 combinations within one row stand nowhere.
    EXPECT_EQ(kRowColumnInformation.front().combinations, rows[2]);
    EXPECT_EQ(kRowColumnInformation.back().combinations, rows[6]);
    EXPECT_EQ(kRowColumnInformation.front().pattern, "2 - X");
    EXPECT_EQ(kRowColumnInformation.back().pattern, "6 - X");
    for (int r = 3; r <= 5; ++r)
        for (int k = 3; k <= 6; ++k) {
            EXPECT_EQ(rowColumnInformation(r, k).combinations, rowsColumns[r - 3][k - 3]) << r << k;
            EXPECT_EQ(rowColumnInformation(r, k).pattern, spaced(rowColumnCaption(r, k)));
        }
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(kSumInformation[i].combinations, sums[i]) << i;
    EXPECT_EQ(kSumInformation.front().pattern, "2 - 19");
    EXPECT_EQ(kSumInformation[1].pattern, "20");
    EXPECT_EQ(kSumInformation.back().pattern, "36 - 53");
    for (int i = 0; i < 28; ++i) {
        const auto [d, s] = kDsgOrder[i];
        EXPECT_EQ(kDsgInformation[i].combinations, groups[d][s]) << i;
        EXPECT_EQ(kDsgInformation[i].pattern, spaced(dsgCaption(d, s)));
    }
    // Halves round upward; the information-only rows have no divisor; B - k shares the count of k odd.
    EXPECT_EQ(rowColumnInformation(3, 5).divisor, 14998); // 14997.5
    EXPECT_EQ(rowColumnInformation(5, 3).divisor, 2412);  // 2411.5
    EXPECT_EQ(kDsgInformation[21].divisor, 50);           // "0 6 0": 50.05
    EXPECT_EQ(kDsgInformation[15].divisor, 571);          // "1 5 0": 570.57
    EXPECT_EQ(kRowColumnInformation.front().divisor, 0);
    EXPECT_EQ(kEdgeInformation[6].divisor, 1771);
}

// Each edge of the pattern bands and the index just past it, in the whole-history bands (which the digit
// groups keep also over the newest draws) and in the wider short-term ones.
TEST(PatternBands, EveryEdge) {
    struct Case {
        long double index;
        TrendLevel longTerm, shortTerm;
    };
    const auto below = [](long double x) { return std::nextafter(x, 0.0L); };
    const auto above = [](long double x) { return std::nextafter(x, 1000.0L); };
    // clang-format off
    const Case cases[] = {
        {0, -3, -3},          {below(50), -3, -3},  {50, -3, -2},         {below(60), -3, -2},
        {60, -2, -2},         {below(70), -2, -2},  {70, -2, -1},         {below(80), -2, -1},
        {80, -1, -1},         {below(90), -1, -1},  {90, -1, 0},          {below(95), -1, 0},
        {95, 0, 0},           {105, 0, 0},          {above(105), 1, 0},   {110, 1, 0},
        {above(110), 1, 1},   {120, 1, 1},          {above(120), 2, 1},   {130, 2, 1},
        {above(130), 2, 2},   {140, 2, 2},          {above(140), 3, 2},   {150, 3, 2},
        {above(150), 3, 3},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(longTermPatternTrend(c.index), c.longTerm) << static_cast<double>(c.index);
        EXPECT_EQ(shortTermPatternTrend(c.index), c.shortTerm) << static_cast<double>(c.index);
    }
}

// Against 20 expected, count ÷ 20 lands on each edge of the Number bands. The distances 2 - r and
// 1 - r are doubles, the edges extended values: where the double falls just outside an edge, the count
// takes the next band, not the one exact arithmetic would give.
TEST(NumberBands, CountsAgainstTwentyExpected) {
    struct Case {
        std::int32_t count;
        TrendLevel longTerm, shortTerm;
    };
    // Outside by a hair: v = 1.05 + 4e-17 at 19, 0.95 - 4e-17 at 21; u = 0.3 + 4e-17 at 14, -0.1 - 9e-17
    // at 22, -0.3 - 4e-17 at 26. 50 is capped at twice the expected count.
    const Case cases[] = {{0, -3, -3}, {8, -3, -3}, {10, -3, -2}, {12, -2, -2}, {14, -2, -2}, {16, -1, -1},
                          {18, -1, 0}, {19, -1, 0}, {20, 0, 0},   {21, 1, 0},   {22, 1, 1},   {24, 1, 1},
                          {26, 2, 2},  {28, 2, 2},  {29, 3, 2},   {30, 3, 2},   {31, 3, 3},   {50, 3, 3}};
    for (const Case& c : cases) {
        EXPECT_EQ(longTermNumberTrend(c.count, 20), c.longTerm) << c.count;
        EXPECT_EQ(shortTermNumberTrend(c.count, 20), c.shortTerm) << c.count;
    }
}

TEST(NumberBands, DistanceIsADoubleAgainstExtendedEdges) {
    // 9 in 70 draws: v is the double 0.95, below 0.95L. A pure double comparison would give 0.
    EXPECT_EQ(2 - 9 / expectedNumberCount(70), 0.95);
    EXPECT_EQ(longTermNumberTrend(9, expectedNumberCount(70)), 1);
    // 18 in 105 draws: v is the double just above 0.6, so two arrows.
    EXPECT_EQ(longTermNumberTrend(18, expectedNumberCount(105)), 2);
    // 6 in 35 draws: v is the double just below 0.6L; taken wholly in extended precision it would land
    // on 0.6L and give two arrows.
    EXPECT_EQ(longTermNumberTrend(6, expectedNumberCount(35)), 3);
}

TEST(Statistics, WorkedExampleOf150Draws) {
    StatRecord totals;
    totals.evenCounts[3] = 55;
    totals.evenCounts[0] = 2;
    totals.numberCounts[0] = 18; // 18 against 18.37 expected
    const HistoryStatistics s = computeStatistics(150, totals, {}, kStartingRecentWindow);
    EXPECT_NEAR(patternIndex(55, 150, kEvenOddInformation[3].divisor), 110.1, 0.05);
    EXPECT_NEAR(patternIndex(2, 150, kEvenOddInformation[0].divisor), 105.3, 0.05);
    EXPECT_EQ(s.evenOdd[3].longTermTrend, 1);
    EXPECT_EQ(s.evenOdd[0].longTermTrend, 1);
    EXPECT_EQ(s.evenOdd[6].longTermTrend, -3); // never seen: index 0
    EXPECT_EQ(s.evenOdd[3].caption, "3-3");
    EXPECT_EQ(s.longTermExpectedText, "18,3673469387755");
    EXPECT_EQ(s.numbers[0].longTermTrend, 0);
    EXPECT_EQ(s.numbers[1].longTermTrend, -3);
}

TEST(Statistics, ScaleOfTheIndexDecidesTheEdgeOfEighty) {
    // 60 draws of "4 - 2" in 329: 60 × 13983800 ÷ (329 × 31878) lies just under 80, two arrows down. The
    // true count of all combinations, 13983816, would give exactly 80 and only one arrow.
    StatRecord totals;
    totals.evenCounts[4] = 60;
    EXPECT_NEAR(patternIndex(60, 329, kEvenOddInformation[4].divisor), 79.99991, 0.000005);
    EXPECT_EQ(computeStatistics(329, totals, {}, kStartingRecentWindow).evenOdd[4].longTermTrend, -2);
}

TEST(Statistics, ShortTermOfAHistoryShorterThanTheWindowIsMeasuredAgainstItsDraws) {
    History history;
    history.add({1, 2, 3, 4, 5, 6}, 7);   // "3-3", index 7 × 13983800 ÷ (20 × 46552) ≈ 105
    history.add({1, 3, 5, 7, 9, 11}, 13); // "0-6"
    const HistoryStatistics s = history.statistics(50);
    EXPECT_EQ(s.recentDraws, 20u);
    EXPECT_EQ(s.shortTermExpectedText, "2,44897959183673");
    EXPECT_EQ(s.evenOdd[3].shortTermCount, 7);
    EXPECT_EQ(s.evenOdd[3].shortTermTrend, 0); // against 50 draws it would be 42: three arrows down

    // Once the history is longer, the window is the measure.
    history.add({1, 3, 5, 7, 9, 11}, 40);
    EXPECT_EQ(history.statistics(50).recentDraws, 50u);
}

TEST(Statistics, ShortTermCountsPerPanel) {
    History history;
    history.add({1, 2, 3, 10, 20, 36});    // last-digit sum 12 counts in "2 - 19"; rows and columns "4-4"
    history.add({9, 18, 27, 35, 39, 49});  // six rows, four columns: no rows-and-columns column
    history.add({44, 45, 46, 47, 48, 49}); // two rows: none either
    const HistoryStatistics s = history.statistics(10);
    EXPECT_EQ(s.sums[0].caption, "2 - 19");
    EXPECT_EQ(s.sums[0].longTermCount, 1);
    EXPECT_EQ(s.sums[0].shortTermCount, 1);
    for (const StatisticsColumn& column : s.rowsColumns)
        EXPECT_EQ(column.longTermCount + column.shortTermCount, column.caption == "4-4" ? 2 : 0) << column.caption;

    // 100 draws: "3-3" 36 times (index about 108) stays level 0 in the short-term bands, "321" 12 times
    // (index about 110) rises one arrow in the whole-history bands the digit groups keep.
    History hundred;
    hundred.add({2, 3, 10, 14, 15, 17}, 12); // "3-3", "321"
    hundred.add({1, 2, 3, 4, 5, 6}, 24);     // "3-3", "330"
    hundred.add({1, 3, 5, 7, 9, 11}, 64);    // "0-6", "312"
    const HistoryStatistics h = hundred.statistics(100);
    EXPECT_EQ(h.evenOdd[3].shortTermTrend, 0);
    EXPECT_EQ(h.digitGroups[7].caption, "321");
    EXPECT_EQ(h.digitGroups[7].shortTermCount, 12);
    EXPECT_EQ(h.digitGroups[7].shortTermTrend, 1);
}

TEST(Statistics, NeighboursAndEndingsOverEveryDraw) {
    History history;
    history.add({11, 12, 13, 30, 40, 45}); // pairs 11 and 12, digit 0 twice; the oldest, 12 draws ago
    history.add({1, 3, 5, 7, 9, 20}, 10);  // nothing
    history.add({3, 13, 23, 24, 35, 49});  // pair 23, digit 3 three times: once
    const HistoryStatistics s = history.statistics(10);
    EXPECT_EQ(seen(s.neighbours[10]), (std::array{1, 0, 12}));
    EXPECT_EQ(seen(s.neighbours[11]), (std::array{1, 0, 12}));
    EXPECT_EQ(seen(s.neighbours[22]), (std::array{1, 1, 1}));
    EXPECT_EQ(seen(s.neighbours[12]), (std::array{0, 0, 0}));
    EXPECT_EQ(seen(s.endings[0]), (std::array{1, 0, 12}));
    EXPECT_EQ(seen(s.endings[3]), (std::array{1, 1, 1}));
    EXPECT_EQ(seen(s.endings[4]), (std::array{0, 0, 0}));
    EXPECT_EQ(s.neighbours[9].caption, "10-11");
    EXPECT_EQ(s.endings[3].caption, "3 - 3");
}

TEST(Statistics, EmptyHistoryShowsNothingExpectedAndLevelZero) {
    const HistoryStatistics s = computeStatistics(0, StatRecord{}, {}, kStartingRecentWindow);
    EXPECT_EQ(s.recentDraws, 0u);
    EXPECT_EQ(s.longTermExpectedText, "0");
    EXPECT_EQ(s.shortTermExpectedText, "0");
    const auto levelsZero = [](const auto& panel) {
        return std::all_of(panel.begin(), panel.end(), [](const StatisticsColumn& column) {
            return column.longTermTrend == 0 && column.shortTermTrend == 0;
        });
    };
    EXPECT_TRUE(levelsZero(s.numbers) && levelsZero(s.evenOdd) && levelsZero(s.rowsColumns) && levelsZero(s.sums) &&
                levelsZero(s.edges) && levelsZero(s.digitGroups));
    EXPECT_EQ(recentWindowText(100), "100");
    EXPECT_EQ(recentWindowText(stepRecentWindow(kStartingRecentWindow, 1)), " 60");
    EXPECT_EQ(stepRecentWindow(10, -1), 10);
}

// The statistics of the real Polish history against counts taken straight from the draws.
TEST(Statistics, RealHistoryAgreesWithAStraightCount) {
    std::ifstream file(SELEKTOR_TEST_DATA_DIR "/poland_lotto_6of49.csv");
    ASSERT_TRUE(file) << "poland_lotto_6of49.csv";
    std::vector<Combination> draws;
    std::string line;
    std::getline(file, line); // date,n1,...,n6
    for (Combination c{}; std::getline(file, line); draws.push_back(c))
        std::sscanf(line.c_str(), "%*[^,],%hhu,%hhu,%hhu,%hhu,%hhu,%hhu", &c[0], &c[1], &c[2], &c[3], &c[4], &c[5]);
    ASSERT_EQ(draws.size(), 7275u);
    History history;
    for (const Combination& numbers : draws)
        history.add(numbers);

    constexpr int window = 50;
    const HistoryStatistics s = history.statistics(window);
    EXPECT_EQ(s.recentDraws, 50u);
    EXPECT_EQ(s.longTermExpectedText, "890,816326530612");
    const auto countIn = [&](std::size_t first, auto&& has) {
        std::int32_t count = 0;
        for (std::size_t i = first; i < draws.size(); ++i)
            count += has(draws[i]) ? 1 : 0;
        return count;
    };
    const std::size_t all = 0, recent = draws.size() - window;
    const auto contains = [](const Combination& c, int n) { return std::find(c.begin(), c.end(), n) != c.end(); };
    const auto check = [&](const StatisticsColumn& column, auto&& has) {
        EXPECT_EQ(column.longTermCount, countIn(all, has)) << column.caption;
        EXPECT_EQ(column.shortTermCount, countIn(recent, has)) << column.caption;
    };
    for (int n = 1; n <= 49; ++n)
        check(s.numbers[n - 1], [&](const Combination& c) { return contains(c, n); });
    for (int e = 0; e <= 6; ++e)
        check(s.evenOdd[e], [e](const Combination& c) { return evenCount(c) == e; });
    for (int r = 3; r <= 5; ++r)
        for (int k = 3; k <= 6; ++k)
            check(s.rowsColumns[4 * (r - 3) + k - 3], [=](const Combination& c) {
                return rowColumnPattern(c) == RowColumnPattern{r, k};
            });
    for (int bucket = 19; bucket <= 36; ++bucket)
        check(s.sums[bucket - 19], [=](const Combination& c) { return sumBucket(lastDigitSum(c)) == bucket; });
    for (int b = 0; b <= 6; ++b)
        check(s.edges[b], [b](const Combination& c) { return edgeCount(c) == b; });
    for (int i = 0; i < 28; ++i)
        check(s.digitGroups[i], [cell = kDsgOrder[i]](const Combination& c) {
            const DsgPattern p = dsgPattern(c);
            return p.d == cell.d && p.s == cell.s;
        });

    // Neighbours and equal endings: all, within the window, and draws ago of the newest occurrence. Read
    // oldest to newest, so the last occurrence met is the newest.
    const auto occurrences = [&](auto&& has) {
        std::array<std::int32_t, 3> found{};
        for (std::size_t back = draws.size(); back >= 1; --back)
            if (has(draws[draws.size() - back])) {
                ++found[0];
                found[1] += back <= window ? 1 : 0;
                found[2] = static_cast<std::int32_t>(back);
            }
        return found;
    };
    for (int n = 1; n <= 48; ++n)
        EXPECT_EQ(seen(s.neighbours[n - 1]),
                  occurrences([&](const Combination& c) { return contains(c, n) && contains(c, n + 1); }));
    for (int digit = 0; digit <= 9; ++digit)
        EXPECT_EQ(seen(s.endings[digit]), occurrences([&](const Combination& c) {
                      return std::count_if(c.begin(), c.end(), [&](Number n) { return n % 10 == digit; }) >= 2;
                  }));
}
