#pragma once

// The chart window's screen rules: how the Number picker comes down into its place, and how the
// chart frames its points, so that a single point, a flat line or a history of thousands of draws
// all read at a glance.

#include "presentation/Slides.h"

#include <cstdint>
#include <span>

namespace selektor {

// The Number picker drops from above its place in steps of 8 pixels, one step a tick; the tick after
// it has come to rest ends the slide, and only then is the chart emptied.
inline constexpr int kPickerSlideStart = -100;
inline constexpr int kPickerRest = 4;
inline constexpr int kPickerSlideStep = 8;

class PickerSlide {
public:
    constexpr int position() const { return m_top; }
    // One tick: the new top, and done when the panel was already at rest.
    SlideStep tick();

private:
    int m_top = kPickerSlideStart;
};

// The most point labels an axis takes, however long the history (see pointLabelStep).
inline constexpr int kMostPointLabels = 25;

// One axis of the chart: its ends and the distance between its marks.
struct AxisSpan {
    double lowest = 0;
    double highest = 0;
    double markDistance = 1;

    friend bool operator==(const AxisSpan&, const AxisSpan&) = default;
};

// Where the axes stand for these point values (the counts, oldest window first). Across, each point
// sits at its 0-based place with half a place to spare at either end, and the marks are the label step
// below. Up, the counts get a margin above and below, at least half a count, so a single point or a
// flat line stays in the middle of the chart and off its edges; the marks stand on whole counts. No
// points: the frame of a single 0.
struct ChartFrame {
    AxisSpan across;
    AxisSpan up;

    friend bool operator==(const ChartFrame&, const ChartFrame&) = default;
};
// mostLabels: how many point labels the axis has room for (see pointLabelsThatFit).
ChartFrame chartFrame(std::span<const std::int32_t> values, int mostLabels = kMostPointLabels);

// The dot on each point: kLargestMarker pixels across while the points stand apart, smaller as they
// crowd so that the line between them still shows, never under kSmallestMarker.
inline constexpr int kLargestMarker = 9, kSmallestMarker = 4;
int markerSize(int pointCount, double plotWidth);

// A long history gives hundreds of points; their labels ("1", "2", ...) would run into one another.
// Every label is written while there are at most mostLabels points; beyond that only the labels of a
// round step (2, 5, 10, 20, 50, ...) are written, and "1" as well when the step leaves room for it.
int pointLabelStep(int pointCount, int mostLabels = kMostPointLabels);
// How many labels an axis of axisWidth pixels holds whole when each needs labelRoom pixels (its widest
// text and the chart's padding on both sides): the chart shares the axis evenly among the labels and
// one place more, and cuts a label that does not fit its share to "...". At least 1, at most
// kMostPointLabels.
int pointLabelsThatFit(double axisWidth, double labelRoom);
// Whether the label of point `pointNumber` (from 1) is written on the axis.
bool pointLabelShown(int pointNumber, int labelStep);

} // namespace selektor
