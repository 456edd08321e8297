#pragma once

// How a trend level of the statistics is drawn: three places stacked one over the other in every trend
// cell, the more of them filled the stronger the trend. Upward triangles for a pattern or Number that
// came up more often than chance predicts, downward ones for less often, an equals sign in the middle
// for as often.

#include <array>
#include <cstdint>

namespace selektor {

enum class TrendGlyph : std::uint8_t {
    None,
    Up,    // drawn green
    Down,  // drawn red
    Equal, // drawn silver
};

// The places from top to bottom: upper, middle, lower.
using TrendGlyphs = std::array<TrendGlyph, 3>;

// Level 0: "=" in the middle. Levels ±1: the middle; ±2: the upper and the middle; ±3: all three. A
// level beyond ±3 is drawn as ±3.
TrendGlyphs trendGlyphs(int level);

} // namespace selektor
