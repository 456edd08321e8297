// The data folder the program ships with: the real Polish history as the program itself would have
// stored it, draw by draw, and print positions the fields can show.

#include "history/DrawImport.h"
#include "model/ApplicationModel.h"
#include "support/ScriptedQuestions.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace selektor;

TEST(ShippedData, HoldsTheRealHistoryWholeAndPositionsToCalibrateFrom) {
    // The program starts on it without a word.
    ApplicationModel model(SELEKTOR_DEFAULT_DATA_DIR, 0);
    test::ScriptedQuestions questions;
    EXPECT_TRUE(model.loadHistory(questions).messages.empty());
    EXPECT_TRUE(model.loadPrintSettings().messages.empty());
    const DrawHistory& history = model.drawHistory();

    std::ifstream csv(SELEKTOR_TEST_DATA_DIR "/poland_lotto_6of49.csv", std::ios::binary);
    const DrawImport real = readDrawCsv(std::string(std::istreambuf_iterator<char>(csv), {}));
    ASSERT_FALSE(real.refusal);
    ASSERT_EQ(history.records.size(), real.draws.size());
    StatRecord recount;
    for (std::size_t i = 0; i < real.draws.size(); ++i) {
        const DrawRecord expected =
            makeDrawRecord(kFirstDrawNumber + static_cast<std::int32_t>(i), real.draws[i].numbers);
        ASSERT_EQ(history.records[i], expected) << "draw " << i + 1;
        ASSERT_EQ(history.lines[i], historyLine(expected, real.draws[i].date)) << "draw " << i + 1;
        countDraw(recount, expected, +1);
    }
    EXPECT_EQ(history.totals, recount);
    EXPECT_EQ(history.journalRecords, static_cast<std::int64_t>(real.draws.size()) + 1);
}
