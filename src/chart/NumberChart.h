#pragma once

// The number chart: how often one Number came up over the history, as a moving count. A window of a
// fixed number of consecutive draws slides from the oldest draws to the newest in fixed steps; each
// point is the number of draws in the window that hold the Number.

#include "core/Combination.h"
#include "history/Records.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace selektor {

// An up-down's positions: lowest to highest in steps, and where it stands when the window is created.
struct UpDownRange {
    int lowest = 0;
    int highest = 0;
    int step = 0;
    int atStart = 0;
};

// " Liczba losowań ": the draws counted for one point.
inline constexpr UpDownRange kWindowLengthRange{50, 150, 10, 100};
// "Amplituda": the draws by which the window moves from one point to the next.
inline constexpr UpDownRange kWindowStepRange{10, 30, 10, 20};

// The fields above the up-downs, three characters each: " 50", "100"; " 10", " 30".
std::string windowLengthText(int windowLength);
std::string windowStepText(int windowStep);

inline constexpr Number kChartNumberAtStart = 1;
inline constexpr char kChartTitleAtStart[] = "Wykresy ";
// After the Number picker has slid in: the chart is empty until OK.
inline constexpr char kChartTitleAfterSlideIn[] = "Liczby";
// "Liczba 49": the title of a chart built for that Number.
std::string chartTitle(Number chartNumber);

struct ChartPoint {
    std::int32_t value = 0; // draws of the window that hold the Number
    std::string label;      // "1", "2", ...: the point's place from the oldest window

    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

// The points for `chartNumber` over `records` (oldest first). With S records the windows start at
// S mod windowStep and move on by windowStep while a whole window fits, so they line up with the end of
// the history in whole steps; the newest draws past the last whole window are in none. The first window
// may meet the end of a short history and counts the draws it has; an empty history gives one point of
// 0. The window length and step are held to their up-downs' ranges.
std::vector<ChartPoint> buildNumberChart(Number chartNumber, int windowLength, int windowStep,
                                         std::span<const DrawRecord> records);

} // namespace selektor
