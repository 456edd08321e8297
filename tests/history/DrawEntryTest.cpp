#include "history/DrawEntry.h"

#include "history/DrawHistory.h"

#include <gtest/gtest.h>

using namespace selektor;

namespace {

NumberBoxes ticked(std::initializer_list<int> numbers) {
    NumberBoxes boxes{};
    for (int n : numbers)
        boxes[n - 1] = 1;
    return boxes;
}

} // namespace

TEST(HistoryLine, ColumnsStandWhereTheListHeaderPutsThem) {
    const DrawRecord draw = makeDrawRecord(1001, {3, 12, 25, 31, 40, 49});
    // Under a short date of 2002-05-18, and under the Polish one the program writes.
    EXPECT_EQ(historyLine(draw, "2002-05-18"), "1001  2002-05-18   3 12 25 31 40 49   24  63  20  2  411");
    EXPECT_EQ(historyLine(draw, polishShortDate(2002, 5, 18)),
              "1001  18.05.2002   3 12 25 31 40 49   24  63  20  2  411");
    EXPECT_EQ(historyLine(draw, "2002-05-18").size(), 56u);
    // A last-digit sum below 10 takes one character: the line is 55 long.
    EXPECT_EQ(historyLine(makeDrawRecord(1002, {1, 10, 11, 20, 30, 40}), "18.05.2002"),
              "1002  18.05.2002   1 10 11 20 30 40   42  54  2  2  600");
    EXPECT_EQ(polishShortDate(1957, 1, 27), "27.01.1957");
}

TEST(DrawEntry, TakesTheTickedNumbersInOrderAndNumbersTheDrawAfterTheLastLine) {
    const std::vector<std::string> none;
    const std::vector<std::string> two = {"1001  18.05.2002 ...", "1007  25.05.2002 ..."};

    const DrawEntry first = enterDraw(none, "18.05.2002", ticked({49, 3, 40, 12, 31, 25}));
    ASSERT_EQ(first.refusal, "");
    EXPECT_EQ(first.record, makeDrawRecord(1001, {3, 12, 25, 31, 40, 49}));
    EXPECT_EQ(first.line, historyLine(first.record, "18.05.2002"));
    EXPECT_EQ(first.question, "Czy na pewno dnia 18.05.2002 wylosowano liczby 3, 12, 25, 31, 40, 49 ?");
    // A gap left by a deletion is not filled: the number follows the last line.
    EXPECT_EQ(enterDraw(two, "1.6.2002", ticked({1, 2, 3, 4, 5, 6})).record.drawNumber, 1008);

    struct Refused {
        std::vector<std::string> lines;
        const char* date;
        NumberBoxes boxes;
        std::string refusal;
    };
    const Refused refused[] = {
        {none, "", ticked({1, 2, 3, 4, 5, 6}), kNoDrawDateMessage},
        {none, "18.05.2002", ticked({}), kSixNumbersNeededMessage},
        {none, "18.05.2002", ticked({1, 2, 3, 4, 5}), kSixNumbersNeededMessage},
        {none, "18.05.2002", ticked({1, 2, 3, 4, 5, 6, 49}), kSixNumbersNeededMessage},
        {{"9998  x", "9999  y"}, "18.05.2002", ticked({1, 2, 3, 4, 5, 6}), kNoDrawNumberLeftMessage},
        {{"1001  x", "99 y"}, "18.05.2002", ticked({1, 2, 3, 4, 5, 6}), lineWithoutDrawNumberMessage(1)},
    };
    for (const Refused& r : refused) {
        SCOPED_TRACE(r.refusal);
        EXPECT_EQ(enterDraw(r.lines, r.date, r.boxes).refusal, r.refusal);
    }
    EXPECT_EQ(lineWithoutDrawNumberMessage(1), "Wiersz 2 pliku Losowania.txt nie zaczyna się od numeru losowania !");
    EXPECT_EQ(nextDrawNumber({"9998  x"}), 9999);
}
