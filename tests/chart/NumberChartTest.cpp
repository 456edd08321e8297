#include "chart/NumberChart.h"

#include <gtest/gtest.h>

using namespace selektor;

namespace {

constexpr Number kCharted = 7;

// S draws, the Number 7 in an irregular pattern of them, so that a window out by one draw counts
// differently somewhere.
std::vector<DrawRecord> historyOf(int draws) {
    std::vector<DrawRecord> records(static_cast<std::size_t>(draws));
    std::uint32_t seed = 12345;
    for (DrawRecord& record : records) {
        seed = seed * 134775813u + 1u;
        record.numbers = (seed >> 24) % 5 == 0 ? Combination{3, 7, 12, 25, 33, 41} : Combination{1, 8, 12, 25, 33, 49};
    }
    return records;
}

// The draws holding the Number among records first to first + length − 1, those that exist.
std::int32_t recount(const std::vector<DrawRecord>& records, std::size_t first, std::size_t length) {
    std::int32_t count = 0;
    for (std::size_t r = first; r < first + length && r < records.size(); ++r)
        for (Number n : records[r].numbers)
            count += n == kCharted ? 1 : 0;
    return count;
}

} // namespace

TEST(NumberChart, EachPointCountsItsWindowOfDraws) {
    struct Case {
        int draws;
        int length;
        int step;
        std::size_t points;
        std::size_t firstStart; // the record the first window starts at
        std::size_t lastEnd;    // the record after the last window
    } const cases[] = {
        {0, 100, 20, 1, 0, 0},        {90, 100, 20, 1, 10, 90}, // the first window meets the end of the history
        {1000, 100, 20, 46, 0, 1000}, {1005, 100, 20, 46, 5, 1005},
        {1000, 50, 20, 48, 0, 990}, // the ten newest draws are in no window
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "S " << c.draws << ", N " << c.length << ", A " << c.step);
        const std::vector<DrawRecord> records = historyOf(c.draws);
        const std::vector<ChartPoint> points = buildNumberChart(kCharted, c.length, c.step, records);
        ASSERT_EQ(points.size(), c.points);
        for (std::size_t k = 0; k < points.size(); ++k) {
            const std::size_t first = c.firstStart + k * static_cast<std::size_t>(c.step);
            EXPECT_EQ(points[k],
                      (ChartPoint{recount(records, first, static_cast<std::size_t>(c.length)), std::to_string(k + 1)}))
                << "point " << k + 1;
        }
        const std::size_t lastStart = c.firstStart + (c.points - 1) * static_cast<std::size_t>(c.step);
        EXPECT_EQ(std::min(lastStart + static_cast<std::size_t>(c.length), records.size()), c.lastEnd);
    }
    EXPECT_EQ(buildNumberChart(kCharted, 100, 20, {}), (std::vector<ChartPoint>{{0, "1"}}));
}

TEST(NumberChart, TheSettingsAndTitlesReadAsTheWindowShowsThem) {
    EXPECT_EQ(windowLengthText(kWindowLengthRange.lowest), " 50");
    EXPECT_EQ(windowLengthText(90), " 90");
    EXPECT_EQ(windowLengthText(kWindowLengthRange.atStart), "100");
    EXPECT_EQ(windowLengthText(kWindowLengthRange.highest), "150");
    EXPECT_EQ(windowStepText(kWindowStepRange.lowest), " 10");
    EXPECT_EQ(windowStepText(kWindowStepRange.atStart), " 20");
    EXPECT_EQ(windowStepText(kWindowStepRange.highest), " 30");
    EXPECT_EQ(chartTitle(49), "Liczba 49");
    EXPECT_EQ(chartTitle(kChartNumberAtStart), "Liczba 1");
}
