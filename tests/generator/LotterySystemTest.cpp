#include "generator/LotterySystem.h"

#include <gtest/gtest.h>

using namespace selektor;

TEST(SystemLineReading, OnlyTheProgramsOwnLinesAreTickets) {
    EXPECT_EQ(parseSystemLine("  5 12 25 31 38 45"), (Combination{5, 12, 25, 31, 38, 45}));
    EXPECT_EQ(parseSystemLine("  1  2  3 10 11 49"), (Combination{1, 2, 3, 10, 11, 49}));
    for (const char* text : {
             "  5 12 25 31 38 45 ", // a trailing blank
             " 5 12 25 31 38 45",   // a field of two
             "  5 12 25 31 45 38",  // not rising
             "  5  5 25 31 38 45",  // a Number twice
             "  0 12 25 31 38 45",  // below 1
             "  5 12 25 31 38 50",  // above 49
             " 05 12 25 31 38 45",  // a leading zero
             "  5 12 25 31 38 4x",  // not a digit
             "5,12,25,31,38,45,,,",
             "",
         })
        EXPECT_FALSE(parseSystemLine(text)) << '"' << text << '"';
}

TEST(LotterySystem, KeepsTicketsAndOtherLinesInListOrder) {
    LotterySystem system;
    system.append({1, 2, 3, 4, 5, 6});
    system.appendLine("");
    system.appendLine("  7  8  9 10 11 12");
    system.appendLine("not a ticket \xb3");
    system.append({40, 41, 42, 43, 44, 45});

    ASSERT_EQ(system.size(), 5u);
    EXPECT_FALSE(system.allTickets());
    const std::vector<std::string> expected = {"  1  2  3  4  5  6", "", "  7  8  9 10 11 12", "not a ticket \xb3",
                                               " 40 41 42 43 44 45"};
    std::vector<std::string> walked;
    system.forEachLine([&](std::size_t i, std::string_view line) {
        EXPECT_EQ(i, walked.size());
        walked.emplace_back(line);
    });
    EXPECT_EQ(walked, expected);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(system.line(i), expected[i]) << i;
    EXPECT_EQ(system.ticket(2), (Combination{7, 8, 9, 10, 11, 12}));
    EXPECT_FALSE(system.ticket(1));
    EXPECT_FALSE(system.ticket(3));
    EXPECT_FALSE(system.ticket(5));

    system.clear();
    EXPECT_TRUE(system.empty());
    EXPECT_TRUE(system.allTickets());
    system.appendLine("  1  2  3  4  5  6");
    EXPECT_EQ(system.line(0), "  1  2  3  4  5  6");
}
