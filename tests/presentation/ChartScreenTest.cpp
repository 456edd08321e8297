#include "presentation/ChartScreen.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace selektor;

TEST(ChartScreen, PickerComesDownInEightPixelStepsAndTheTickAfterItsRestEndsTheSlide) {
    PickerSlide slide;
    EXPECT_EQ(slide.position(), -100);
    std::vector<int> tops;
    SlideStep step;
    for (int tick = 0; tick < 100 && !step.done; ++tick) {
        step = slide.tick();
        tops.push_back(step.position);
    }
    // Thirteen moves, -92 to 4, and the fourteenth tick ends the slide where it rests.
    ASSERT_EQ(tops.size(), 14u);
    for (std::size_t i = 0; i < 13; ++i)
        EXPECT_EQ(tops[i], -92 + 8 * static_cast<int>(i));
    EXPECT_EQ(tops[12], kPickerRest);
    EXPECT_EQ(tops[13], kPickerRest);
    EXPECT_TRUE(slide.tick().done);
}

TEST(ChartScreen, FrameKeepsOnePointAFlatLineAndAWideSpreadOffTheEdges) {
    // An empty history's single point of 0: in the middle, not on the axis, and no negative mark shown
    // between the whole counts.
    const std::vector<std::int32_t> single{0};
    const ChartFrame one = chartFrame(single);
    EXPECT_EQ(one.across, (AxisSpan{-0.5, 0.5, 1}));
    EXPECT_DOUBLE_EQ(one.up.lowest, -0.5);
    EXPECT_DOUBLE_EQ(one.up.highest, 0.5);
    EXPECT_EQ(one.up.markDistance, 1);
    EXPECT_EQ(chartFrame({}), one);

    // Every window holding the Number as often: the line runs across the middle.
    const std::vector<std::int32_t> flat{12, 12, 12};
    const ChartFrame level = chartFrame(flat);
    EXPECT_EQ(level.across, (AxisSpan{-0.5, 2.5, 1}));
    EXPECT_DOUBLE_EQ((level.up.lowest + level.up.highest) / 2, 12);
    EXPECT_GT(level.up.highest - level.up.lowest, 0.9);

    // A spread of counts: a tenth of it to spare at either end, marks on whole counts, ten gaps at most.
    const std::vector<std::int32_t> spread{5, 20, 11, 7};
    const ChartFrame wide = chartFrame(spread);
    EXPECT_DOUBLE_EQ(wide.up.lowest, 3.5);
    EXPECT_DOUBLE_EQ(wide.up.highest, 21.5);
    EXPECT_EQ(wide.up.markDistance, 2);
    const std::vector<std::int32_t> tall{0, 150};
    EXPECT_EQ(chartFrame(tall).up.markDistance, 20);
    for (const ChartFrame& frame : {one, level, wide, chartFrame(tall)}) {
        EXPECT_EQ(frame.up.markDistance, std::round(frame.up.markDistance));
        EXPECT_LE((frame.up.highest - frame.up.lowest) / frame.up.markDistance, 10);
    }
}

TEST(ChartScreen, ALongHistoryThinsThePointLabelsAndShrinksTheDots) {
    EXPECT_EQ(pointLabelStep(1), 1);
    EXPECT_EQ(pointLabelStep(25), 1);
    EXPECT_EQ(pointLabelStep(26), 2);
    EXPECT_EQ(pointLabelStep(350), 20); // the whole Polish history at 100 draws a window, 20 a step
    EXPECT_EQ(pointLabelStep(720), 50); // ... at 50 and 10
    EXPECT_EQ(chartFrame(std::vector<std::int32_t>(350, 1)).across.markDistance, 20);

    for (int n = 1; n <= 25; ++n)
        EXPECT_TRUE(pointLabelShown(n, 1));
    // Beside "2" there is no room for "1"; beside "5" and further there is.
    EXPECT_FALSE(pointLabelShown(1, 2));
    EXPECT_TRUE(pointLabelShown(2, 2));
    EXPECT_FALSE(pointLabelShown(3, 2));
    EXPECT_TRUE(pointLabelShown(1, 20));
    EXPECT_TRUE(pointLabelShown(40, 20));
    EXPECT_FALSE(pointLabelShown(21, 20));
    // No more than about kMostPointLabels labels whatever the length.
    for (int count : {26, 100, 350, 720, 5000}) {
        const int step = pointLabelStep(count);
        int shown = 0;
        for (int n = 1; n <= count; ++n)
            shown += pointLabelShown(n, step) ? 1 : 0;
        EXPECT_LE(shown, kMostPointLabels + 1) << count;
    }

    // A narrow axis takes fewer labels: 241 points (the Polish history at a step of 30) on an axis with
    // room for 16 whole labels are labelled every 20, not every 10.
    EXPECT_EQ(pointLabelsThatFit(630, 35), 16);
    EXPECT_EQ(pointLabelStep(241, pointLabelsThatFit(630, 35)), 20);
    EXPECT_EQ(chartFrame(std::vector<std::int32_t>(241, 1), 16).across.markDistance, 20);
    EXPECT_EQ(pointLabelsThatFit(5000, 10), kMostPointLabels);
    EXPECT_EQ(pointLabelsThatFit(20, 35), 1);
    for (int count : {26, 100, 241, 350, 720}) {
        const int most = pointLabelsThatFit(630, 35);
        const int step = pointLabelStep(count, most);
        int shown = 0;
        for (int n = 1; n <= count; ++n)
            shown += pointLabelShown(n, step) ? 1 : 0;
        EXPECT_LE((shown + 1) * 35, 630) << count;
    }

    // 46 points over 700 pixels stand apart; the 360 of the whole history crowd; none at all still
    // gives a dot the chart can draw.
    EXPECT_EQ(markerSize(46, 700), kLargestMarker);
    EXPECT_EQ(markerSize(100, 700), 6);
    EXPECT_EQ(markerSize(360, 700), kSmallestMarker);
    EXPECT_EQ(markerSize(0, 700), kLargestMarker);
}
