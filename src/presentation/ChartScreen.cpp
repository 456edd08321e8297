#include "presentation/ChartScreen.h"

#include <algorithm>

namespace selektor {

namespace {

// The marks of the count axis: at most this many gaps between them.
constexpr double kMostCountMarks = 10;

// The smallest of 1, 2, 5, 10, 20, 50, ... that is at least `atLeast`.
long roundStep(double atLeast) {
    for (long decade = 1;; decade *= 10)
        for (long step : {decade, 2 * decade, 5 * decade})
            if (step >= atLeast)
                return step;
}

} // namespace

SlideStep PickerSlide::tick() {
    if (m_top >= kPickerRest) {
        m_top = kPickerRest;
        return {m_top, true};
    }
    m_top = std::min(m_top + kPickerSlideStep, kPickerRest);
    return {m_top, false};
}

ChartFrame chartFrame(std::span<const std::int32_t> values, int mostLabels) {
    const std::int32_t zero = 0;
    const std::span<const std::int32_t> shown = values.empty() ? std::span<const std::int32_t>(&zero, 1) : values;
    const auto [low, high] = std::minmax_element(shown.begin(), shown.end());
    const double margin = std::max(0.5, (*high - *low) * 0.1);

    ChartFrame frame;
    frame.across = {-0.5, static_cast<double>(shown.size()) - 0.5,
                    static_cast<double>(pointLabelStep(static_cast<int>(shown.size()), mostLabels))};
    frame.up.lowest = *low - margin;
    frame.up.highest = *high + margin;
    frame.up.markDistance = static_cast<double>(roundStep((frame.up.highest - frame.up.lowest) / kMostCountMarks));
    return frame;
}

int markerSize(int pointCount, double plotWidth) {
    const double apart = plotWidth / std::max(1, pointCount);
    return std::clamp(static_cast<int>(apart) - 1, kSmallestMarker, kLargestMarker);
}

int pointLabelStep(int pointCount, int mostLabels) {
    return static_cast<int>(roundStep(static_cast<double>(pointCount) / std::max(1, mostLabels)));
}

int pointLabelsThatFit(double axisWidth, double labelRoom) {
    if (labelRoom <= 0)
        return kMostPointLabels;
    // A step lets through up to mostLabels labels and "1" beside them; the chart shares the axis among
    // those and one place more.
    const int fit = static_cast<int>(axisWidth / labelRoom) - 2;
    return std::clamp(fit, 1, kMostPointLabels);
}

bool pointLabelShown(int pointNumber, int labelStep) {
    if (labelStep <= 1 || pointNumber % labelStep == 0)
        return true;
    // "1" marks where the history begins; beside "2" it would crowd.
    return pointNumber == 1 && labelStep >= 5;
}

} // namespace selektor
