#pragma once

// The statistics of the draw history: how often every Number and every pattern of the filter tabs came
// up over the whole history and over the newest draws, against what pure chance gives, as counts and
// trend levels; and the neighbour pairs and equal endings with the draws since each last came up.

#include "history/Records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace selektor {

// The span of newest draws for the short-term figures: a spinner from 10 to 100 in steps of 10.
inline constexpr int kSmallestRecentWindow = 10, kLargestRecentWindow = 100, kRecentWindowStep = 10;
inline constexpr int kStartingRecentWindow = 50;

// The window moved by a number of spinner steps (negative downwards), held within 10 to 100.
int stepRecentWindow(int recentWindow, int steps);
// The spinner's read-only field: "100", otherwise a blank and the value (" 50").
std::string recentWindowText(int recentWindow);

// -3 to +3: 0 as often as chance predicts, positive more often, negative less often; the window shows
// the size as one to three arrows.
using TrendLevel = int;

// How often chance draws one Number in so many draws: 6 × draws ÷ 49.
double expectedNumberCount(std::int64_t draws);
// The column "Średnie": up to 15 significant digits with the Polish decimal comma ("18,3673469387755"),
// whatever the machine's locale.
std::string averageText(double expectedCount);

// A Number's trend over the whole history, and over the newest draws. The ratio count ÷ expected and
// its distance from the bands are doubles, the edges of the bands extended-precision values: a count of
// 9 in 70 draws, 1.05 times the expected count, is one arrow up. With nothing expected (no draws) the
// level is 0.
TrendLevel longTermNumberTrend(std::int32_t count, double expectedCount);
TrendLevel shortTermNumberTrend(std::int32_t count, double expectedCount);

// A pattern's count measured against its share of all combinations, 100 meaning exactly its share:
// count × 13983800 ÷ (draws × divisor), the product taken in 64 bits. Needs draws and divisor above 0.
long double patternIndex(std::int32_t count, std::int64_t draws, std::int32_t divisor);
// The bands of a pattern index: 95 to 105 is level 0 over the whole history; the short term, with its
// fewer draws, is given the wider 90 to 110.
TrendLevel longTermPatternTrend(long double index);
TrendLevel shortTermPatternTrend(long double index);

// One column of the Number and pattern panels.
struct StatisticsColumn {
    std::string caption;
    std::int32_t longTermCount = 0;  // over the whole history, from the totals
    std::int32_t shortTermCount = 0; // over the newest draws
    TrendLevel longTermTrend = 0;
    TrendLevel shortTermTrend = 0;
};

// One column of the neighbour-pair and equal-ending panels, counted over every stored draw.
struct OccurrenceColumn {
    std::string caption;
    std::int32_t allCount = 0;
    std::int32_t recentCount = 0; // within the newest recentWindow draws
    std::int32_t lastSeen = 0;    // "Ostatni raz": draws ago of the newest occurrence, 1 the newest; 0 never
};

struct HistoryStatistics {
    std::size_t historySize = 0; // the long-term "Losowań:" rows
    int recentWindow = 0;
    // The short-term "Losowań:" rows: the draws the short-term figures were counted over and are
    // measured against. That is recentWindow, or every stored draw when there are fewer.
    std::size_t recentDraws = 0;

    double longTermExpected = 0; // "Średnie" of the Numbers, 0 with no draws
    double shortTermExpected = 0;
    std::string longTermExpectedText;
    std::string shortTermExpectedText;

    std::array<StatisticsColumn, 49> numbers;     // Number 1 to 49
    std::array<StatisticsColumn, 7> evenOdd;      // even count 0 to 6: "0-6" to "6-0"
    std::array<StatisticsColumn, 12> rowsColumns; // rows 3 to 5 by columns 3 to 6: "3-3" to "5-6"
    std::array<StatisticsColumn, 18> sums;        // "2 - 19", "20" to "35", "36 - 53"
    std::array<StatisticsColumn, 7> edges;        // edge count 0 to 6: "B-0" to "B-6"
    std::array<StatisticsColumn, 28> digitGroups; // "600" to "006" in the tab's order
    std::array<OccurrenceColumn, 48> neighbours;  // pair n, n + 1 for n 1 to 48
    std::array<OccurrenceColumn, 10> endings;     // last digit 0 to 9: "0 - 0" to "9 - 9"
};

// Everything the statistics area shows. historySize is the number of lines of the draw list, totals the
// newest totals record, records every stored draw oldest first, each sound (isSoundDrawRecord) as the
// store admits them. With no draws every expected count is 0 and every level 0: nothing was expected
// and nothing came up.
HistoryStatistics computeStatistics(std::size_t historySize, const StatRecord& totals,
                                    std::span<const DrawRecord> records, int recentWindow);

} // namespace selektor
