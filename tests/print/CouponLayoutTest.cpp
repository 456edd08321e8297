#include "print/CouponLayout.h"

#include <gtest/gtest.h>
#include <set>
#include <utility>

using namespace selektor;

namespace {

// The calibration of the layout's worked example.
const PrintSettings kSettings{100, 50, 200, 40, 30, 60, 50};

using Point = std::pair<std::int32_t, std::int32_t>;

Point pointOf(int place, int number) {
    const MarkCell cell = markCell(place, number);
    return {markX(kSettings, cell.column), markY(kSettings, cell.row)};
}

// Line k (from 1) holds k to k + 5.
LotterySystem systemOf(int lines) {
    LotterySystem system;
    for (int k = 1; k <= lines; ++k) {
        Combination ticket{};
        for (int j = 0; j < kNumbersPerCombination; ++j)
            ticket[static_cast<std::size_t>(j)] = static_cast<Number>(k + j);
        system.append(ticket);
    }
    return system;
}

std::set<std::pair<int, int>> markedCells(const MarkGrid& marks) {
    std::set<std::pair<int, int>> cells;
    for (int row = 0; row < kMarkRows; ++row)
        for (int column = 0; column < kMarkColumns; ++column)
            if (marks[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)])
                cells.insert({row, column});
    return cells;
}

} // namespace

TEST(CouponLayout, AFieldHoldsTheCouponGridTurnedAQuarterTurn) {
    // The field as the blank shows it, mark rows 0 to 8 by columns 0 to 5; 0 where there is no box.
    const int field[9][6] = {{46, 37, 28, 19, 10, 1}, {47, 38, 29, 20, 11, 2}, {48, 39, 30, 21, 12, 3},
                             {49, 40, 31, 22, 13, 4}, {0, 41, 32, 23, 14, 5},  {0, 42, 33, 24, 15, 6},
                             {0, 43, 34, 25, 16, 7},  {0, 44, 35, 26, 17, 8},  {0, 45, 36, 27, 18, 9}};
    // Place 2 is the left-hand field of the top band.
    for (int row = 0; row < 9; ++row)
        for (int column = 0; column < 6; ++column) {
            if (field[row][column] != 0) {
                EXPECT_EQ(markCell(2, field[row][column]), (MarkCell{row, column})) << field[row][column];
            }
            EXPECT_EQ(isNumberCell(row, column), field[row][column] != 0) << row << " " << column;
        }

    // The odd tickets go right and the even ones left, band by band from the top.
    const MarkCell numberOne[] = {{0, 11}, {0, 5}, {9, 11}, {9, 5}, {18, 11}, {18, 5}, {27, 11}, {27, 5}};
    for (int place = 1; place <= kTicketsPerBlank; ++place)
        EXPECT_EQ(markCell(place, 1), numberOne[place - 1]) << place;
}

TEST(CouponLayout, MarksLandAtTheCalibratedPositions) {
    const std::int32_t columns[] = {100, 150, 200, 251, 301, 351, 402, 452, 502, 553, 603, 653};
    for (int column = 0; column < kMarkColumns; ++column)
        EXPECT_EQ(markX(kSettings, column), columns[column]) << column;

    EXPECT_EQ(pointOf(1, 1), Point(653, 200));
    EXPECT_EQ(pointOf(1, 9), Point(653, 520));
    EXPECT_EQ(pointOf(3, 1), Point(653, 590));
    EXPECT_EQ(pointOf(8, 49), Point(100, 1489));
    EXPECT_EQ(pointOf(8, 45), Point(150, 1688));

    // Y1Y2 within a band, Y1Y2 + PYK between bands, a pixel less into the bottom band and within it
    // from its fifth row on.
    for (int row = 1; row < kMarkRows; ++row) {
        const int gap = row == 9 || row == 18 ? 70 : row == 27 ? 69 : row == 31 ? 39 : 40;
        EXPECT_EQ(markY(kSettings, row) - markY(kSettings, row - 1), gap) << row;
    }

    const PrintPage blank = drawBlank(kSettings, MarkGrid{}, 1);
    EXPECT_EQ(blank, (PrintPage{{"$$$", 646, 1748}, {"1", 576, 1798}}));
}

// Also: no two Numbers of a blank share a box, or the page would have fewer than 392 different marks.
TEST(CouponLayout, TheTestPageMarksEveryBoxAndSaysTest) {
    const PrintPage page = testPage(kSettings);
    ASSERT_EQ(page.size(), static_cast<std::size_t>(kNumberCells + 2));
    std::set<Point> marks;
    for (int i = 0; i < kNumberCells; ++i) {
        EXPECT_EQ(page[static_cast<std::size_t>(i)].text, "***");
        marks.insert({page[static_cast<std::size_t>(i)].x, page[static_cast<std::size_t>(i)].y});
    }
    std::set<Point> boxes;
    for (int place = 1; place <= kTicketsPerBlank; ++place)
        for (int n = kLowestNumber; n <= kHighestNumber; ++n)
            boxes.insert(pointOf(place, n));
    EXPECT_EQ(marks, boxes);
    EXPECT_EQ(page[kNumberCells], (PageText{"$$$", 649, 1748}));
    EXPECT_EQ(page[kNumberCells + 1], (PageText{"TEST", 579, 1798}));
}

TEST(CouponLayout, EightTicketsGoOntoABlankAndTheLastOneIsFilledUp) {
    struct Case {
        int lines;
        std::int32_t blanks;
    } const counts[] = {{0, 0}, {1, 1}, {8, 1}, {9, 2}, {16, 2}, {17, 3}};
    for (const Case& c : counts)
        EXPECT_EQ(blanksNeeded(static_cast<std::size_t>(c.lines)), c.blanks) << c.lines;

    // Nine lines: blank 2 carries line 9 (9 to 14) in the top right field and nothing else.
    const std::array<std::string, kTicketsPerBlank> second = blankLines(systemOf(9), 2);
    EXPECT_EQ(second[0], "  9 10 11 12 13 14");
    for (std::size_t place = 1; place < second.size(); ++place)
        EXPECT_EQ(second[place], kFillerLine);
    EXPECT_EQ(markedCells(markGrid(second)),
              (std::set<std::pair<int, int>>{{8, 11}, {0, 10}, {1, 10}, {2, 10}, {3, 10}, {4, 10}}));

    // Sixteen lines: blank 2 is lines 9 to 16 in full, numbered 2.
    const LotterySystem sixteen = systemOf(16);
    const std::array<std::string, kTicketsPerBlank> full = blankLines(sixteen, 2);
    for (std::size_t place = 0; place < full.size(); ++place)
        EXPECT_EQ(full[place], sixteen.line(8 + place));
    const PrintPage page = couponPage(kSettings, sixteen, 2);
    EXPECT_EQ(page.size(), 8u * 6u + 2u);
    EXPECT_EQ(page.back(), (PageText{"2", 576, 1798}));

    // Seventeen lines: blank 3 is line 17 (17 to 22) at the top right, "$$$" and "3", row by row.
    EXPECT_EQ(couponPage(kSettings, systemOf(17), 3), (PrintPage{{"***", 553, 200},
                                                                 {"***", 553, 240},
                                                                 {"***", 553, 280},
                                                                 {"***", 553, 320},
                                                                 {"***", 603, 480},
                                                                 {"***", 603, 520},
                                                                 {"$$$", 646, 1748},
                                                                 {"3", 576, 1798}}));
}

TEST(CouponLayout, ATicketLineIsReadInSixCellsOfItsFirstEighteenCharacters) {
    const std::array<std::string_view, 6> cells = ticketCells("1  2  3  4  5  49 12");
    EXPECT_EQ(cells, (std::array<std::string_view, 6>{"1", "2", "3", "4", "5", "49"}));
    EXPECT_EQ(ticketCells("  7 12"), (std::array<std::string_view, 6>{"7", "12", "", "", "", ""}));

    // The Numbers 1 to 6 fill the rightmost column of their field, 46 to 49 the top of the leftmost.
    std::array<std::string, kTicketsPerBlank> lines;
    lines.fill(kFillerLine);
    lines[0] = "  1  2  3  4  5  6";
    lines[7] = " 46 47 48 49  0 50"; // what is no Number marks nothing
    EXPECT_EQ(markedCells(markGrid(lines)),
              (std::set<std::pair<int, int>>{
                  {0, 11}, {1, 11}, {2, 11}, {3, 11}, {4, 11}, {5, 11}, {27, 0}, {28, 0}, {29, 0}, {30, 0}}));
}
