#include "history/Statistics.h"

#include "core/Captions.h"
#include "core/FilterSettings.h"
#include "core/Patterns.h"
#include "history/InformationTables.h"

#include <algorithm>
#include <charconv>

namespace selektor {

namespace {

// The measure of all combinations in the pattern index: 16 short of 13,983,816, the figure the bands of
// the pattern trends were set against.
constexpr std::int64_t kPatternIndexScale = 13983800;

// The edges of the seven levels on a scale where a higher value means "came up more often": the level
// is 0 from zeroLow to zeroHigh, both included; below it each band includes its lower edge, above it
// each band includes its upper edge.
struct Bands {
    long double zeroLow, zeroHigh;
    long double minusOneLow, minusTwoLow;
    long double plusOneHigh, plusTwoHigh;
};

TrendLevel bandLevel(long double value, const Bands& bands) {
    if (value < bands.zeroLow)
        return value >= bands.minusOneLow ? -1 : (value >= bands.minusTwoLow ? -2 : -3);
    if (value > bands.zeroHigh)
        return value <= bands.plusOneHigh ? 1 : (value <= bands.plusTwoHigh ? 2 : 3);
    return 0;
}

// The Number rules measure how far count ÷ expected stays below 2 (over the whole history) or below 1
// (over the newest draws), so a smaller distance is a Number drawn more often: the levels run against
// the scale of the bands. The bounds are extended-precision values; the distance is a double.
constexpr Bands kLongTermNumberBands = {0.95L, 1.05L, 0.8L, 0.6L, 1.2L, 1.4L};
constexpr Bands kShortTermNumberBands = {-0.1L, 0.1L, -0.3L, -0.5L, 0.3L, 0.5L};
constexpr Bands kLongTermPatternBands = {95, 105, 80, 60, 120, 140};
constexpr Bands kShortTermPatternBands = {90, 110, 70, 50, 130, 150};

// count ÷ expected, no more than twice what chance predicts.
double cappedRatio(std::int32_t count, double expectedCount) {
    const double ratio = count / expectedCount;
    return ratio > 2 ? 2 : ratio;
}

// Over no draws nothing is expected and nothing came up: as often as chance predicts.
TrendLevel patternTrend(std::int32_t count, std::int64_t draws, std::int32_t divisor,
                        TrendLevel (*bandsOf)(long double)) {
    return draws > 0 ? bandsOf(patternIndex(count, draws, divisor)) : 0;
}

void countOccurrence(OccurrenceColumn& column, std::int32_t back, int recentWindow) {
    ++column.allCount;
    if (column.lastSeen == 0)
        column.lastSeen = back;
    if (back <= recentWindow)
        ++column.recentCount;
}

} // namespace

int stepRecentWindow(int recentWindow, int steps) {
    return std::clamp(recentWindow + steps * kRecentWindowStep, kSmallestRecentWindow, kLargestRecentWindow);
}

std::string recentWindowText(int recentWindow) {
    std::string text = std::to_string(recentWindow);
    return text.size() < 3 ? " " + text : text;
}

double expectedNumberCount(std::int64_t draws) {
    return static_cast<double>(kNumbersPerCombination * draws) / kHighestNumber;
}

std::string averageText(double expectedCount) {
    // to_chars ignores the locale, so the comma is put in by hand for every machine alike.
    std::array<char, 32> digits{};
    const auto end =
        std::to_chars(digits.data(), digits.data() + digits.size(), expectedCount, std::chars_format::general, 15).ptr;
    std::string text(digits.data(), end);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

TrendLevel longTermNumberTrend(std::int32_t count, double expectedCount) {
    if (!(expectedCount > 0))
        return 0;
    const double distance = 2 - cappedRatio(count, expectedCount);
    return -bandLevel(distance, kLongTermNumberBands);
}

TrendLevel shortTermNumberTrend(std::int32_t count, double expectedCount) {
    if (!(expectedCount > 0))
        return 0;
    const double distance = 1 - cappedRatio(count, expectedCount);
    return -bandLevel(distance, kShortTermNumberBands);
}

long double patternIndex(std::int32_t count, std::int64_t draws, std::int32_t divisor) {
    return static_cast<long double>(count * kPatternIndexScale) / static_cast<long double>(draws * divisor);
}

TrendLevel longTermPatternTrend(long double index) {
    return bandLevel(index, kLongTermPatternBands);
}

TrendLevel shortTermPatternTrend(long double index) {
    return bandLevel(index, kShortTermPatternBands);
}

HistoryStatistics computeStatistics(std::size_t historySize, const StatRecord& totals,
                                    std::span<const DrawRecord> records, int recentWindow) {
    HistoryStatistics statistics;
    statistics.historySize = historySize;
    statistics.recentWindow = recentWindow;
    // A history shorter than the window is measured against the draws it has: dividing by the window
    // would make every short-term trend lean downward.
    statistics.recentDraws = std::min(records.size(), static_cast<std::size_t>(std::max(recentWindow, 0)));

    const auto longDraws = static_cast<std::int64_t>(historySize);
    const auto shortDraws = static_cast<std::int64_t>(statistics.recentDraws);
    statistics.longTermExpected = expectedNumberCount(longDraws);
    statistics.shortTermExpected = expectedNumberCount(shortDraws);
    statistics.longTermExpectedText = averageText(statistics.longTermExpected);
    statistics.shortTermExpectedText = averageText(statistics.shortTermExpected);

    std::array<std::int32_t, 49> recentNumbers{};
    std::array<std::int32_t, 7> recentEven{};
    std::array<std::array<std::int32_t, 4>, 3> recentRowsColumns{}; // [rows - 3][columns - 3]
    std::array<std::int32_t, 18> recentSums{};                      // [bucket - 19]
    std::array<std::int32_t, 7> recentEdges{};
    std::array<std::array<std::int32_t, 7>, 7> recentGroups{}; // [d][s]
    for (const DrawRecord& draw : records.last(statistics.recentDraws)) {
        for (Number n : draw.numbers)
            ++recentNumbers[n - 1];
        ++recentEven[draw.evenCount];
        // Like the totals: no column for fewer than three rows or columns; six rows have none either.
        if (draw.rowCount >= kMinRows && draw.rowCount <= kMaxRows && draw.columnCount >= kMinColumns)
            ++recentRowsColumns[draw.rowCount - kMinRows][draw.columnCount - kMinColumns];
        ++recentSums[sumBucket(draw.lastDigitSum) - kLowestSumBucket];
        ++recentEdges[draw.edgeCount];
        ++recentGroups[draw.groupDCount][draw.groupSCount];
    }

    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        StatisticsColumn& column = statistics.numbers[n - 1];
        column.caption = std::to_string(n);
        column.longTermCount = totals.numberCounts[n - 1];
        column.shortTermCount = recentNumbers[n - 1];
        column.longTermTrend = longTermNumberTrend(column.longTermCount, statistics.longTermExpected);
        column.shortTermTrend = shortTermNumberTrend(column.shortTermCount, statistics.shortTermExpected);
    }

    const auto fillPattern = [&](StatisticsColumn& column, std::string caption, std::int32_t longCount,
                                 std::int32_t shortCount, std::int32_t divisor,
                                 TrendLevel (*shortTermBands)(long double)) {
        column.caption = std::move(caption);
        column.longTermCount = longCount;
        column.shortTermCount = shortCount;
        column.longTermTrend = patternTrend(longCount, longDraws, divisor, longTermPatternTrend);
        column.shortTermTrend = patternTrend(shortCount, shortDraws, divisor, shortTermBands);
    };

    for (int e = 0; e <= 6; ++e)
        fillPattern(statistics.evenOdd[e], evenOddCaption(e), totals.evenCounts[e], recentEven[e],
                    kEvenOddInformation[e].divisor, shortTermPatternTrend);

    for (int r = kMinRows; r <= kMaxRows; ++r)
        for (int k = kMinColumns; k <= kMaxColumns; ++k)
            fillPattern(statistics.rowsColumns[4 * (r - kMinRows) + (k - kMinColumns)], rowColumnCaption(r, k),
                        totals.rowColumnCounts[r - 3][k - 3], recentRowsColumns[r - kMinRows][k - kMinColumns],
                        rowColumnInformation(r, k).divisor, shortTermPatternTrend);

    for (int bucket = kLowestSumBucket; bucket <= kHighestSumBucket; ++bucket) {
        // The totals keep the low sums in buckets 15 to 19; the panel shows them as one "2 - 19".
        std::int32_t longCount = 0;
        const int firstTotalsBucket = bucket == kLowestSumBucket ? kLowestTotalsSumBucket : bucket;
        for (int t = firstTotalsBucket; t <= bucket; ++t)
            longCount += totals.sumCounts[t - kLowestTotalsSumBucket];
        const InformationRow& information = kSumInformation[bucket - kLowestSumBucket];
        fillPattern(statistics.sums[bucket - kLowestSumBucket], std::string(information.pattern), longCount,
                    recentSums[bucket - kLowestSumBucket], information.divisor, shortTermPatternTrend);
    }

    for (int b = 0; b <= 6; ++b)
        fillPattern(statistics.edges[b], edgeCaption(b), totals.edgeCounts[b], recentEdges[b],
                    kEdgeInformation[b].divisor, shortTermPatternTrend);

    // The digit groups keep the whole-history bands also over the newest draws.
    for (std::size_t i = 0; i < kDsgOrder.size(); ++i) {
        const auto [d, s] = kDsgOrder[i];
        fillPattern(statistics.digitGroups[i], dsgCaption(d, s), totals.dsgCounts[d][s], recentGroups[d][s],
                    kDsgInformation[i].divisor, longTermPatternTrend);
    }

    for (int n = 1; n <= 48; ++n)
        statistics.neighbours[n - 1].caption = neighbourCaption(n);
    for (int digit = 0; digit <= 9; ++digit)
        statistics.endings[digit].caption = std::to_string(digit) + " - " + std::to_string(digit);

    // Neighbours and equal endings are not in the totals: every stored draw is read, newest first, so
    // that the first occurrence met is the newest.
    std::int32_t back = 0;
    for (auto draw = records.rbegin(); draw != records.rend(); ++draw) {
        ++back;
        const NeighbourPairs pairs = neighbourPairs(draw->numbers);
        for (int i = 0; i < pairs.count; ++i)
            countOccurrence(statistics.neighbours[pairs.lower[i] - 1], back, recentWindow);
        const EndingCounts endings = endingCounts(draw->numbers);
        for (int digit = 0; digit <= 9; ++digit)
            if (endings[digit] >= 2)
                countOccurrence(statistics.endings[digit], back, recentWindow);
    }
    return statistics;
}

} // namespace selektor
