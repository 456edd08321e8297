#include "generator/SystemLine.h"

#include <gtest/gtest.h>

using namespace selektor;

TEST(SystemLine, RightAlignsEveryFieldInThreeCharacters) {
    EXPECT_EQ(systemLine({5, 12, 25, 31, 38, 45}), "  5 12 25 31 38 45");
    EXPECT_EQ(systemLine({1, 2, 3, 10, 11, 49}), "  1  2  3 10 11 49");
}
