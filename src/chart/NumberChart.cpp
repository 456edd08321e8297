#include "chart/NumberChart.h"

#include <algorithm>
#include <cstddef>

namespace selektor {

namespace {

bool holds(const DrawRecord& record, Number n) {
    return std::find(record.numbers.begin(), record.numbers.end(), n) != record.numbers.end();
}

// Draws among records [from, from + count) that hold n.
std::int32_t countHolding(std::span<const DrawRecord> records, std::size_t from, std::size_t count, Number n) {
    return static_cast<std::int32_t>(std::count_if(records.begin() + static_cast<std::ptrdiff_t>(from),
                                                   records.begin() + static_cast<std::ptrdiff_t>(from + count),
                                                   [n](const DrawRecord& r) { return holds(r, n); }));
}

} // namespace

std::string windowLengthText(int windowLength) {
    return windowLength < 100 ? " " + std::to_string(windowLength) : std::to_string(windowLength);
}

std::string windowStepText(int windowStep) {
    return " " + std::to_string(windowStep);
}

std::string chartTitle(Number chartNumber) {
    return "Liczba " + std::to_string(chartNumber);
}

std::vector<ChartPoint> buildNumberChart(Number chartNumber, int windowLength, int windowStep,
                                         std::span<const DrawRecord> records) {
    const std::size_t length =
        static_cast<std::size_t>(std::clamp(windowLength, kWindowLengthRange.lowest, kWindowLengthRange.highest));
    const std::size_t step =
        static_cast<std::size_t>(std::clamp(windowStep, kWindowStepRange.lowest, kWindowStepRange.highest));
    const std::size_t total = records.size();
    const std::size_t start = total % step;

    // The first window counts whole; each later one takes the step that enters it and gives back the
    // step that leaves it.
    std::vector<ChartPoint> points;
    std::int32_t windowCount = countHolding(records, start, std::min(length, total - start), chartNumber);
    points.push_back({windowCount, "1"});
    for (std::size_t out = start, in = start + length; in + step <= total; out += step, in += step) {
        windowCount += countHolding(records, in, step, chartNumber) - countHolding(records, out, step, chartNumber);
        points.push_back({windowCount, std::to_string(points.size() + 1)});
    }
    return points;
}

} // namespace selektor
