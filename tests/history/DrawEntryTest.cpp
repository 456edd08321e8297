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
    EXPECT_EQ(enterDraw(two, "29.02.2000", ticked({1, 2, 3, 4, 5, 6})).refusal, "");

    struct Refused {
        std::vector<std::string> lines;
        const char* date;
        NumberBoxes boxes;
        std::string refusal;
    };
    const Refused refused[] = {
        {none, "", ticked({1, 2, 3, 4, 5, 6}), kNoDrawDateMessage},
        {none, "29.02.1900", ticked({1, 2, 3, 4, 5, 6}), kNoDrawDateMessage}, // not a day of the calendar
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

TEST(CalendarDay, KnowsTheGregorianLeapYears) {
    EXPECT_EQ(calendarDay("29.02.2000"), (CalendarDay{2000, 2, 29})); // every 400 years
    EXPECT_EQ(calendarDay("2024-02-29"), (CalendarDay{2024, 2, 29})); // every 4 years
    EXPECT_EQ(calendarDay("1.3.2000"), (CalendarDay{2000, 3, 1}));
    for (const char* none : {"29.02.1900", "2100-02-29", "29.02.2023", "31.04.2002", "00.01.2002", "18.13.2002",
                             "18.05.02", "2002-5-18", "18-05-2002", "18.05.2002 ", ""})
        EXPECT_FALSE(calendarDay(none)) << none;
}

TEST(HistoryLine, ReadsBackOnlyWhatTheProgramWrites) {
    const DrawRecord draw = makeDrawRecord(1001, {3, 12, 25, 31, 40, 49});
    const std::string line = historyLine(draw, "18.05.2002");
    const std::optional<ReadHistoryLine> read = readHistoryLine(line);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->record, draw);
    EXPECT_EQ(read->date, "18.05.2002");
    EXPECT_EQ(readHistoryLine(historyLine(draw, "18 maja 2002"))->date, "18 maja 2002");
    for (const std::string& changed : std::vector<std::string>{
             line.substr(0, line.size() - 1) + "2",                      // a column that does not match the Numbers
             "1001  18.05.2002   3 12 25 31 41 49   24  63  20  2  411", // a Number changed by hand
             "1001  18.05.2002   3 12 25 31 49 40   24  63  20  2  411", // Numbers out of order
             "1001   3 12 25 31 40 49   24  63  20  2  411",             // no date
             "100A" + line.substr(4), line + " ", "1001 a"})
        EXPECT_FALSE(readHistoryLine(changed)) << changed;
}
