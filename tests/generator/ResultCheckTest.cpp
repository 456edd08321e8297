#include "generator/ResultCheck.h"

#include <gtest/gtest.h>

using namespace selektor;

namespace {

using Entries = std::array<std::string, kDrawnNumbers>;

// A system whose lines stand as a file would hold them.
LotterySystem systemOf(const std::vector<std::string>& lines) {
    LotterySystem system;
    for (const std::string& line : lines)
        system.appendLine(line);
    return system;
}

// The "Kupon nr.poz" row of a hit class.
std::vector<std::string> positionsOf(const HitClass& hits) {
    std::vector<std::string> positions;
    for (std::int32_t number : hits.lineNumbers)
        positions.push_back(couponPosition(number - 1));
    return positions;
}

const Entries kDraw = {"5", "12", "25", "31", "38", "45"};

// A line that hits nothing of kDraw.
const std::string kMiss = "  1  2  3  4  6  7";

} // namespace

TEST(DrawKey, IsTheTrimmedEntryRightAlignedInThree) {
    EXPECT_EQ(drawKey("5"), "  5");
    EXPECT_EQ(drawKey(" 5"), "  5");
    EXPECT_EQ(drawKey("5 "), "  5");
    EXPECT_EQ(drawKey("12"), " 12");
    EXPECT_EQ(drawKey("05"), " 05");
}

TEST(CouponPosition, EightLinesPerCoupon) {
    EXPECT_EQ(couponPosition(0), "1.1");
    EXPECT_EQ(couponPosition(7), "1.8");
    EXPECT_EQ(couponPosition(8), "2.1");
    EXPECT_EQ(couponPosition(9), "2.2");
    EXPECT_EQ(couponPosition(29999), "3750.8");
}

TEST(ResultCheck, SixHitsAreListedAndGreeted) {
    const ResultCheckOutcome outcome = checkResult(kDraw, systemOf({"  5 12 25 31 38 45"}));
    ASSERT_FALSE(outcome.message);
    EXPECT_EQ(outcome.byHits[6].count, 1);
    EXPECT_EQ(outcome.byHits[6].lineNumbers, (std::vector<std::int32_t>{1}));
    EXPECT_EQ(positionsOf(outcome.byHits[6]), (std::vector<std::string>{"1.1"}));
    EXPECT_TRUE(outcome.playSixHitSound);
    for (int h = 3; h <= 5; ++h)
        EXPECT_EQ(outcome.byHits[h].count, 0);
}

TEST(ResultCheck, EachClassListsItsLinesWithCouponPositions) {
    std::vector<std::string> lines(20, kMiss);
    lines[9] = "  5 12 25 31  1  2";  // 4 hits, line 10
    lines[2] = "  5 12 25  1  2  3";  // 3 hits, line 3
    lines[16] = "  5 12 25 31 38  1"; // 5 hits, line 17
    lines[17] = "  5 12  1  2  3  4"; // 2 hits: not shown
    lines[19] = "  5 12 25  1  2  4"; // 3 hits, line 20
    const ResultCheckOutcome outcome = checkResult(kDraw, systemOf(lines));
    EXPECT_EQ(outcome.byHits[4].lineNumbers, (std::vector<std::int32_t>{10}));
    EXPECT_EQ(positionsOf(outcome.byHits[4]), (std::vector<std::string>{"2.2"}));
    EXPECT_EQ(outcome.byHits[5].lineNumbers, (std::vector<std::int32_t>{17}));
    EXPECT_EQ(positionsOf(outcome.byHits[5]), (std::vector<std::string>{"3.1"}));
    EXPECT_EQ(outcome.byHits[3].count, 2);
    EXPECT_EQ(outcome.byHits[3].lineNumbers, (std::vector<std::int32_t>{3, 20}));
    EXPECT_EQ(positionsOf(outcome.byHits[3]), (std::vector<std::string>{"1.3", "3.4"}));
    EXPECT_EQ(outcome.byHits[6].count, 0);
    EXPECT_FALSE(outcome.playSixHitSound);
}

TEST(ResultCheck, OneDigitKeyMatchesOnlyItsOwnField) {
    const Entries draw = {"1", "2", "3", "4", "5", "6"};
    const ResultCheckOutcome outcome = checkResult(draw, systemOf({"  1 12 13 14 15 16", " 21 22 23 24 25 26"}));
    for (int h = 3; h <= 6; ++h)
        EXPECT_EQ(outcome.byHits[h].count, 0) << h << " hits";
}

TEST(ResultCheck, EntriesOutsideTheNumbersNeverMatch) {
    // A leading zero is not the one-digit Number and not its duplicate; 0 and 50 pass unchecked.
    const Entries draw = {"05", "12", "25", "31", "0", "50"};
    const ResultCheckOutcome outcome = checkResult(draw, systemOf({"  5 12 25 31 38 45"}));
    ASSERT_FALSE(outcome.message);
    EXPECT_EQ(outcome.byHits[3].lineNumbers, (std::vector<std::int32_t>{1}));
}

TEST(ResultCheck, LongerEntriesAreSearchedAsTheyStand) {
    // The fields take two digits; text from elsewhere may be longer and is still a plain substring.
    const Entries draw = {"5", "12", "25", "31", "38 45", "7"};
    const ResultCheckOutcome outcome = checkResult(draw, systemOf({"  5 12 25 31 38 45"}));
    EXPECT_EQ(outcome.byHits[5].lineNumbers, (std::vector<std::int32_t>{1}));
}

TEST(ResultCheck, LinesNotInTheSystemFormatFindNoHits) {
    const ResultCheckOutcome outcome = checkResult(kDraw, systemOf({"", "5,12,25,31,38,45", "garbage"}));
    for (int h = 3; h <= 6; ++h)
        EXPECT_EQ(outcome.byHits[h].count, 0);
}

TEST(ResultCheck, EmptyListGivesZeroCounts) {
    const ResultCheckOutcome outcome = checkResult(kDraw, systemOf({}));
    ASSERT_FALSE(outcome.message);
    for (int h = 3; h <= 6; ++h) {
        EXPECT_EQ(outcome.byHits[h].count, 0);
        EXPECT_TRUE(outcome.byHits[h].lineNumbers.empty());
    }
    EXPECT_FALSE(outcome.playSixHitSound);
}

TEST(ResultCheck, RefusesMissingAndRepeatedNumbers) {
    const std::string missing = "Wprowadź najpierw wszystkie wylosowane liczby !";
    const std::string repeated = "Jeżeli wylosowano dwie te same liczby, to dokonaj zakupu programu Bramkarz i przejdź "
                                 "na zakłady piłkarskie !";
    EXPECT_EQ(checkResult({"5", "12", "  ", "31", "38", "45"}, systemOf({})).message, missing);
    EXPECT_EQ(checkResult({"5", "12", "25", "31", "38", ""}, systemOf({})).message, missing);
    // The first empty field is reported before any duplicate is looked for.
    EXPECT_EQ(checkResult({"5", "5", "25", "31", "", "45"}, systemOf({})).message, missing);
    EXPECT_EQ(checkResult({"5", "12", "25", "31", "38", " 5"}, systemOf({})).message, repeated);
    EXPECT_EQ(checkResult({"45", "12", "25", "31", "38", "45"}, systemOf({})).message, repeated);
    EXPECT_EQ(checkResult({"5", "5", "25", "31", "38", "45"}, systemOf({})).message, repeated);
}
