#include "generator/SystemLine.h"

#include <gtest/gtest.h>

using namespace selektor;

TEST(SystemLine, RightAlignsEveryFieldInThreeCharacters) {
    EXPECT_EQ(systemLine({5, 12, 25, 31, 38, 45}), "  5 12 25 31 38 45");
    EXPECT_EQ(systemLine({1, 2, 3, 10, 11, 49}), "  1  2  3 10 11 49");
}

TEST(SystemLine, NumberFieldMatchesTheLinesFields) {
    EXPECT_EQ(numberField(1), "  1");
    EXPECT_EQ(numberField(9), "  9");
    EXPECT_EQ(numberField(10), " 10");
    EXPECT_EQ(numberField(49), " 49");
    const Combination c{3, 9, 10, 27, 40, 49};
    for (int k = 0; k < kNumbersPerCombination; ++k)
        EXPECT_EQ(systemLine(c).substr(3 * k, 3), numberField(c[k]));
}
