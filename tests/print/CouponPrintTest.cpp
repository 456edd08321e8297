#include "print/CouponPrint.h"

#include <gtest/gtest.h>

using namespace selektor;

namespace {

// `lines` generated tickets, line k (from 1) holding k % 40 + 1 to k % 40 + 6.
LotterySystem ticketsOf(int lines) {
    LotterySystem system;
    for (int k = 1; k <= lines; ++k) {
        Combination ticket{};
        for (int j = 0; j < kNumbersPerCombination; ++j)
            ticket[static_cast<std::size_t>(j)] = static_cast<Number>(k % 40 + 1 + j);
        system.append(ticket);
    }
    return system;
}

PrintRefusal refused(const char* text) {
    return {PrintRefusal::Kind::Refused, text};
}

PrintRefusal notANumber(const char* text) {
    return {PrintRefusal::Kind::ConversionError, text};
}

} // namespace

TEST(CouponPrint, TheRangeIsCheckedInThePlayersOrder) {
    struct Case {
        const char* from;
        const char* to;
        int lines;
        std::optional<PrintRefusal> refusal;
    } const cases[] = {
        {"", "1", 16, refused("Nie ustalony zakres wydruku !")},
        {"1", "    ", 16, refused("Nie ustalony zakres wydruku !")},
        {"1 2", "", 16, refused("Nie ustalony zakres wydruku !")},
        {"1 2", "3 4", 16, notANumber("'1 2' is not a valid integer value")},
        {"0", "3 4", 16, notANumber("'3 4' is not a valid integer value")},
        {"0", "0", 16, refused("Kupon zerowy nie istnieje !")},
        {"0", "9", 16, refused("Kupon zerowy nie istnieje !")},
        {"5", "3", 16, refused("Zakres dolny przewyższa zakres górny !")},
        {"5", "3", 0, refused("Zakres dolny przewyższa zakres górny !")},
        {"1", "3", 16, refused("Górny zakres poza dopuszczalnym limitem !")},
        {"1", "1", 0, refused("Górny zakres poza dopuszczalnym limitem !")},
        {"1", "3", 17, std::nullopt},
        {"  2", "2 ", 16, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "'" << c.from << "' to '" << c.to << "', " << c.lines << " lines");
        const CouponPrintCheck check = checkCouponPrint(c.from, c.to, ticketsOf(c.lines));
        EXPECT_EQ(check.refusal, c.refusal);
        if (!c.refusal) {
            EXPECT_EQ(check.firstBlank, std::stoi(c.from));
            EXPECT_EQ(check.lastBlank, std::stoi(c.to));
        }
    }
}

// A system opened from a file may hold lines that are no tickets; the whole range is read before
// anything is printed.
TEST(CouponPrint, EveryTicketOfTheRangeIsCheckedBeforeTheJob) {
    const PrintRefusal kUnsound =
        refused("Linia 12 systemu nie zawiera sześciu różnych liczb od 1 do 49 - nic nie zostało wydrukowane !");
    struct Case {
        const char* line;
        std::optional<PrintRefusal> refusal; // at line 12, in blank 2
    } const cases[] = {
        {" 1  2  3  4  5 50", kUnsound},
        {"  0  2  3  4  5  6", kUnsound},
        {"  7  2  3  4  5  7", kUnsound},
        {"  1  2  3  4  5", kUnsound},
        {"  1     3  4  5  6  7", kUnsound},
        {"  1  2 x3  4  5  6", notANumber("'x3' is not a valid integer value")},
        {"Lotto 6 z 49", notANumber("'Lot' is not a valid integer value")},
        // Not as a generator writes it, but six different Numbers all the same.
        {"49 12  3 30 41  5 (mój)", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        LotterySystem system;
        const LotterySystem tickets = ticketsOf(20);
        for (std::size_t i = 0; i < tickets.size(); ++i) {
            if (i == 11)
                system.appendLine(c.line);
            else
                system.appendLine(tickets.line(i));
        }
        EXPECT_EQ(checkCouponPrint("2", "2", system).refusal, c.refusal);
        EXPECT_EQ(checkCouponPrint("1", "3", system).refusal, c.refusal);
        // Blanks without the line print as asked.
        EXPECT_EQ(checkCouponPrint("1", "1", system).refusal, std::nullopt);
        EXPECT_EQ(checkCouponPrint("3", "3", system).refusal, std::nullopt);
    }
}
