#include "presentation/TrendGlyphs.h"

#include <gtest/gtest.h>

using namespace selektor;

TEST(TrendGlyphs, LevelsFillTheMiddleFirstThenUpperThenLower) {
    constexpr auto N = TrendGlyph::None, U = TrendGlyph::Up, D = TrendGlyph::Down;
    EXPECT_EQ(trendGlyphs(0), (TrendGlyphs{N, TrendGlyph::Equal, N}));
    EXPECT_EQ(trendGlyphs(1), (TrendGlyphs{N, U, N}));
    EXPECT_EQ(trendGlyphs(2), (TrendGlyphs{U, U, N}));
    EXPECT_EQ(trendGlyphs(3), (TrendGlyphs{U, U, U}));
    EXPECT_EQ(trendGlyphs(-1), (TrendGlyphs{N, D, N}));
    EXPECT_EQ(trendGlyphs(-2), (TrendGlyphs{D, D, N}));
    EXPECT_EQ(trendGlyphs(-3), (TrendGlyphs{D, D, D}));
    // Out of range: as strong as can be drawn, never a wrong direction.
    EXPECT_EQ(trendGlyphs(7), trendGlyphs(3));
    EXPECT_EQ(trendGlyphs(-7), trendGlyphs(-3));
}
