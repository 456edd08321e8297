#include "history/Records.h"

#include <gtest/gtest.h>

using namespace selektor;

TEST(DrawRecord, HoldsTheDrawAndItsPatternsInTwentyBytes) {
    const DrawRecord draw = makeDrawRecord(1001, {3, 12, 25, 31, 40, 49});
    EXPECT_EQ(draw.evenCount, 2);
    EXPECT_EQ(draw.rowCount, 6);
    EXPECT_EQ(draw.columnCount, 3);
    EXPECT_EQ(draw.lastDigitSum, 20);
    EXPECT_EQ(draw.edgeCount, 2);
    EXPECT_EQ(draw.groupDCount, 4);
    EXPECT_EQ(draw.groupSCount, 1);
    EXPECT_TRUE(isSoundDrawRecord(draw));

    const DrawRecordBytes bytes = encodeDrawRecord(draw);
    const DrawRecordBytes expected = {0xE9, 0x03, 0, 0, 3, 12, 25, 31, 40, 49, 2, 6, 3, 20, 2, 4, 1, 0, 0, 0};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(decodeDrawRecord(bytes.data()), draw);

    DrawRecord wrongPattern = draw;
    wrongPattern.edgeCount = 3;
    DrawRecord notRising = makeDrawRecord(1002, {3, 12, 25, 31, 49, 40});
    DrawRecord outOfRange = makeDrawRecord(1003, {3, 12, 25, 31, 40, 50});
    for (const DrawRecord& bad : {wrongPattern, notRising, outOfRange})
        EXPECT_FALSE(isSoundDrawRecord(bad));
}

TEST(StatRecord, EveryFieldStandsAtItsOffset) {
    StatRecord totals;
    totals.drawCount = 1;
    totals.numberCounts[48] = 2;      // Number 49
    totals.evenCounts[6] = 3;         // "6 - 0"
    totals.rowColumnCounts[3][3] = 4; // six rows, six columns
    totals.sumCounts[36 - 15] = 5;    // "36 - 53"
    totals.edgeCounts[0] = -6;
    totals.dsgCounts[6][0] = 0x01020304;
    const StatRecordBytes bytes = encodeStatRecord(totals);
    const auto at = [&](std::size_t offset) {
        return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 | bytes[offset + 3] << 24;
    };
    EXPECT_EQ(at(0), 1);
    EXPECT_EQ(at(4 + 4 * 48), 2);
    EXPECT_EQ(at(200 + 4 * 6), 3);
    EXPECT_EQ(at(228 + 4 * (4 * 3 + 3)), 4);
    EXPECT_EQ(at(292 + 4 * 21), 5);
    EXPECT_EQ(at(380), -6);
    EXPECT_EQ(at(408 + 4 * (7 * 6 + 0)), 0x01020304);
    EXPECT_EQ(decodeStatRecord(bytes.data()), totals);
}

TEST(StatRecord, CountsADrawInAndOutByItsStoredPatterns) {
    StatRecord totals;
    // Rows and columns (2, 6): no cell; (6, 3): the cell of six rows.
    countDraw(totals, makeDrawRecord(1001, {44, 45, 46, 47, 48, 49}), +1);
    EXPECT_EQ(totals.rowColumnCounts, StatRecord{}.rowColumnCounts);
    countDraw(totals, makeDrawRecord(1002, {3, 12, 25, 31, 40, 49}), +1);
    EXPECT_EQ(totals.rowColumnCounts[3][0], 1);
    EXPECT_EQ(totals.drawCount, 2);
    EXPECT_EQ(totals.numberCounts[48], 2);

    // Sums bucket at 15 and 36.
    EXPECT_EQ(totalsSumBucket(12), 15);
    EXPECT_EQ(totalsSumBucket(17), 17);
    EXPECT_EQ(totalsSumBucket(40), 36);

    countDraw(totals, makeDrawRecord(1002, {3, 12, 25, 31, 40, 49}), -1);
    countDraw(totals, makeDrawRecord(1001, {44, 45, 46, 47, 48, 49}), -1);
    EXPECT_EQ(totals, StatRecord{});
}
