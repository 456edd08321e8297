#include "core/Patterns.h"

#include "core/Captions.h"

#include <gtest/gtest.h>
#include <string>

using namespace selektor;

TEST(CouponGrid, RowsAndColumnKeysFollowTheNineByNineLayout) {
    EXPECT_EQ(couponRow(9), 1);
    EXPECT_EQ(couponRow(10), 2);
    EXPECT_EQ(couponRow(45), 5);
    EXPECT_EQ(couponRow(46), 6);
    EXPECT_EQ(couponRow(49), 6);
    // 9 and 18 share the ninth column.
    EXPECT_EQ(couponColumnKey(9), couponColumnKey(18));
    EXPECT_EQ(couponColumnKey(9), 0);
}

TEST(CouponGrid, EdgeNumbersAreTheTwentyFiveOnTheBorder) {
    int edges = 0;
    for (int n = 1; n <= 49; ++n)
        edges += isEdgeNumber(static_cast<Number>(n)) ? 1 : 0;
    EXPECT_EQ(edges, 25);
    EXPECT_TRUE(isEdgeNumber(10));
    EXPECT_TRUE(isEdgeNumber(19));
    EXPECT_FALSE(isEdgeNumber(11));
    EXPECT_FALSE(isEdgeNumber(20));
    // 38 to 40 have 47 to 49 below them.
    EXPECT_FALSE(isEdgeNumber(38));
    EXPECT_FALSE(isEdgeNumber(40));
    EXPECT_TRUE(isEdgeNumber(41));
}

TEST(Patterns, FirstCombination) {
    const Combination c{1, 2, 3, 4, 5, 6};
    EXPECT_EQ(evenCount(c), 3);
    EXPECT_EQ(rowColumnPattern(c), (RowColumnPattern{1, 6}));
    EXPECT_EQ(lastDigitSum(c), 21);
    EXPECT_EQ(edgeCount(c), 6);
    EXPECT_EQ(dsgPattern(c), (DsgPattern{3, 3, 0}));
    const NeighbourPairs pairs = neighbourPairs(c);
    ASSERT_EQ(pairs.count, 5);
    EXPECT_EQ(pairs.lower, (std::array<Number, 5>{1, 2, 3, 4, 5}));
    for (auto m : endingCounts(c))
        EXPECT_LE(m, 1);
    EXPECT_EQ(gaps(c), (Gaps{1, 1, 1, 1, 1}));
}

TEST(Patterns, SmallestLastDigitSum) {
    const Combination c{1, 10, 11, 20, 30, 40};
    EXPECT_EQ(lastDigitSum(c), 2);
    EXPECT_EQ(sumBucket(lastDigitSum(c)), 19);
    EXPECT_EQ(sumCaption(sumBucket(lastDigitSum(c))), "2-19");
    // Both sides of the boundary between "2-19" and "20".
    EXPECT_EQ(sumBucket(19), 19);
    EXPECT_EQ(sumBucket(20), 20);
    EXPECT_EQ(evenCount(c), 4);
    EXPECT_EQ(rowColumnPattern(c), (RowColumnPattern{5, 4}));
    EXPECT_EQ(edgeCount(c), 2);
    EXPECT_EQ(dsgPattern(c), (DsgPattern{6, 0, 0}));
    const NeighbourPairs pairs = neighbourPairs(c);
    ASSERT_EQ(pairs.count, 1);
    EXPECT_EQ(pairs.lower[0], 10);
    EXPECT_EQ(endingCounts(c)[0], 4);
    EXPECT_EQ(endingCounts(c)[1], 2);
}

TEST(Patterns, LargestLastDigitSum) {
    const Combination c{9, 19, 29, 39, 48, 49};
    EXPECT_EQ(lastDigitSum(c), 53);
    EXPECT_EQ(sumCaption(sumBucket(lastDigitSum(c))), "36-53");
    // Both sides of the boundary between "35" and "36-53".
    EXPECT_EQ(sumCaption(sumBucket(35)), "35");
    EXPECT_EQ(sumCaption(sumBucket(36)), "36-53");
    EXPECT_EQ(endingCounts(c)[9], 5);
    EXPECT_EQ(dsgCaption(dsgPattern(c).d, dsgPattern(c).s), "006");
    EXPECT_EQ(neighbourCaption(neighbourPairs(c).lower[0]), "48-49");
}

TEST(Patterns, RowsAndColumnsAtTheBottomAndDownOneColumn) {
    EXPECT_EQ(rowColumnPattern({44, 45, 46, 47, 48, 49}), (RowColumnPattern{2, 6}));
    EXPECT_EQ(edgeCount({44, 45, 46, 47, 48, 49}), 6);
    EXPECT_EQ(rowColumnPattern({7, 16, 25, 34, 43, 49}), (RowColumnPattern{6, 2}));
}

TEST(Patterns, DigitGroupsSplitAfterThreeAndAfterSix) {
    // Last digits 0 to 9 of the numbers 10 to 19, group by group.
    std::string groups;
    for (int n = 10; n <= 19; ++n)
        groups += "DSG"[static_cast<int>(digitGroup(static_cast<Number>(n)))];
    EXPECT_EQ(groups, "DDDDSSSGGG");
    EXPECT_EQ(dsgPattern({3, 4, 6, 7, 30, 47}), (DsgPattern{2, 2, 2}));
    EXPECT_EQ(dsgPattern({7, 17, 27, 37, 44, 47}), (DsgPattern{0, 1, 5}));
}

TEST(Captions, MatchTheTemplatesOnTheTabs) {
    EXPECT_EQ(evenOddCaption(0), "0-6");
    EXPECT_EQ(evenOddCaption(6), "6-0");
    EXPECT_EQ(neighbourCaption(1), " 1 - 2 ");
    EXPECT_EQ(neighbourCaption(8), " 8 - 9 ");
    EXPECT_EQ(neighbourCaption(9), " 9 -10 ");
    EXPECT_EQ(neighbourCaption(10), "10-11");
    EXPECT_EQ(edgeCaption(0), "B-0");
    EXPECT_EQ(endingCaption(9), "9-9");
    EXPECT_EQ(rowColumnCaption(5, 6), "5-6");
    EXPECT_EQ(dsgCaption(kDsgOrder.front().d, kDsgOrder.front().s), "600");
    EXPECT_EQ(dsgCaption(kDsgOrder[4].d, kDsgOrder[4].s), "411");
    EXPECT_EQ(dsgCaption(kDsgOrder.back().d, kDsgOrder.back().s), "006");
}
