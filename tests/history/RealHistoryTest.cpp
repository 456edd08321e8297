// The whole history of the Polish 6 of 49 since 1957, entered draw by draw as the player would.

#include "HistoryFiles.h"
#include "history/DrawHistory.h"
#include "support/MemoryFiles.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace selektor;
using namespace selektor::test;

TEST(RealHistory, SevenThousandDrawsEnteredOneByOneKeepTheTotalsRight) {
    std::ifstream csv(SELEKTOR_TEST_DATA_DIR "/poland_lotto_6of49.csv");
    ASSERT_TRUE(csv) << "the real draw history is missing";
    MemoryFiles files(1 << 16);
    files.folders.insert("data");
    files.files = {{"data/Losowania.txt", ""}, {"data/Losowanie.dat", ""}, {"data/Stat.dat", kZeroTotals}};
    DrawHistoryStore store("data", files);
    store.load();

    std::string row;
    std::getline(csv, row); // date,n1,...,n6
    while (std::getline(csv, row)) {
        int year = 0, month = 0, day = 0;
        int n[6] = {};
        ASSERT_EQ(std::sscanf(row.c_str(), "%d-%d-%d,%d,%d,%d,%d,%d,%d", &year, &month, &day, &n[0], &n[1], &n[2],
                              &n[3], &n[4], &n[5]),
                  9)
            << row;
        Combination numbers{};
        std::copy(std::begin(n), std::end(n), numbers.begin());
        enterNumbers(store, numbers, polishShortDate(year, month, day));
    }

    const DrawHistory& history = store.history();
    ASSERT_EQ(history.records.size(), 7275u);
    EXPECT_EQ(history.lines.front().substr(0, 17), "1001  27.01.1957 ");
    EXPECT_EQ(history.lines.back().substr(0, 35), "8275  15.11.2025   2 12 19 32 39 44");
    EXPECT_EQ(history.totals, recount(history.records));
    EXPECT_EQ(history.journalRecords, 7276);
    EXPECT_EQ(files.files.at("data/Stat.dat").size(), 7276 * kStatRecordSize);

    DrawHistoryStore again("data", files);
    again.load();
    EXPECT_EQ(again.history().problem, std::nullopt);
    EXPECT_EQ(again.history(), history);
}
