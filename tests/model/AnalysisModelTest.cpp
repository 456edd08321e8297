// "Analiza" in the model: the figures follow the model's own settings, history, system and pool, and a
// table is saved as CSV only when there are figures to save.

#include "ModelFixture.h"
#include "analysis/AnalysisTexts.h"
#include "support/EmptyHistory.h"

using namespace selektor;
using namespace selektor::test;

namespace {

const std::string kCsvDialog = "save: Pliki CSV(*.csv) | csv";

NumberBoxes ticked(const Combination& numbers) {
    NumberBoxes boxes{};
    for (Number n : numbers)
        boxes[n - 1] = 1;
    return boxes;
}

} // namespace

class AnalysisModelTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        writeEmptyHistory(directory().string());
        ASSERT_TRUE(model->loadHistory(questions).messages.empty());
    }
    void addDraw(const Combination& numbers) {
        answer({true});
        ASSERT_TRUE(model->addDraw("18.05.2002", ticked(numbers), questions).drawStored);
    }
};

TEST_F(AnalysisModelTest, NothingToMeasureIsSaidInsteadOfSavingEmptyTables) {
    EXPECT_EQ(model->filtersOnHistory(0).refusal, kEmptyHistoryMessage);
    EXPECT_EQ(model->systemOnHistory().refusal, kEmptySystemMessage);
    EXPECT_EQ(model->systemCoverage().refusal, kEmptySystemMessage);
    // With every tab free the funnel stays at all combinations, as "Oblicz" counts them.
    EXPECT_EQ(model->filterFunnel().steps.back().left, kAllCombinations);

    for (AnalysisTable table : {AnalysisTable::Filters, AnalysisTable::RejectedDraws, AnalysisTable::SystemOnDraws,
                                AnalysisTable::Coverage}) {
        const Outcome outcome = model->saveAnalysisTable(table, 0, questions);
        ASSERT_EQ(outcome.messages.size(), 1u);
        EXPECT_EQ(outcome.messages[0].kind, Message::Kind::Information);
    }
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_EQ(entries().size(), 3u); // the three draw files alone
}

TEST_F(AnalysisModelTest, TheSystemAndItsPoolAreMeasuredAndSaved) {
    addDraw({1, 2, 3, 4, 5, 6});
    addDraw({1, 2, 3, 10, 11, 12});
    enterWithThreeRows();
    build(GuaranteeMode::Gw5);
    // Gw 5 keeps the first row and the third (the second shares five numbers with the first).
    ASSERT_EQ(lines().size(), 2u);

    const SystemHistoryCheck onDraws = model->systemOnHistory();
    ASSERT_FALSE(onDraws.refusal);
    ASSERT_EQ(onDraws.draws.size(), 2u);
    EXPECT_EQ(onDraws.draws[0].bestHits, 6);
    EXPECT_EQ(onDraws.draws[1].bestHits, 3);
    EXPECT_EQ(onDraws.byHits[3].drawsWithLine, 1);
    EXPECT_EQ(onDraws.byHits[3].lines, 2); // both lines hold 1, 2, 3 of the second draw

    const SystemCoverage coverage = model->systemCoverage();
    ASSERT_FALSE(coverage.refusal);
    EXPECT_EQ(coverage.poolRows.size(), 3u);
    EXPECT_EQ(coverage.guaranteedHits, 5);

    questions.asked.clear();
    questions.fileNames = {path("trafienia.csv"), ""};
    EXPECT_TRUE(model->saveAnalysisTable(AnalysisTable::SystemOnDraws, 0, questions).messages.empty());
    EXPECT_EQ(questions.asked, std::vector<std::string>{kCsvDialog});
    const std::string csv = bytesOf(path("trafienia.csv"));
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "Nr losowania,Data,Liczba 1,Liczba 2,Liczba 3,Liczba 4,Liczba 5,Liczba 6,Najwięcej trafień,"
              "Linie z 3 trafieniami,Linie z 4 trafieniami,Linie z 5 trafieniami,Linie z 6 trafieniami");
    EXPECT_NE(csv.find("\r\n1001,18.05.2002,1,2,3,4,5,6,6,0,1,0,1\r\n"), std::string::npos);

    // A cancelled dialog writes nothing; a folder that is not there is said with the standard text.
    const auto before = entries();
    EXPECT_TRUE(model->saveAnalysisTable(AnalysisTable::Coverage, 0, questions).messages.empty());
    EXPECT_EQ(entries(), before);
    questions.fileNames = {path("brak/pokrycie.csv")};
    const Outcome missingFolder = model->saveAnalysisTable(AnalysisTable::Coverage, 0, questions);
    ASSERT_EQ(missingFolder.messages.size(), 1u);
    EXPECT_EQ(missingFolder.messages[0].kind, Message::Kind::Error);
    EXPECT_EQ(entries(), before);
}

TEST_F(AnalysisModelTest, TheFiltersAreTriedOnTheNewestDrawsAsked) {
    // Views that keep figures of the history know it changed by its revision.
    const std::uint64_t before = model->historyRevision();
    addDraw({1, 2, 3, 4, 5, 6}); // three even
    EXPECT_GT(model->historyRevision(), before);
    addDraw({2, 4, 6, 8, 10, 12}); // six even
    addDraw({1, 3, 5, 7, 9, 11});  // none even
    model->chooseMode(Panel::EvenOdd, 1);
    model->toggleTemplate(Panel::EvenOdd, 3);

    const FilterHistoryCheck all = model->filtersOnHistory(0);
    ASSERT_FALSE(all.refusal);
    EXPECT_EQ(all.draws, 3);
    EXPECT_EQ(all.passedAll, 1);
    ASSERT_EQ(all.rejected.size(), 2u);
    EXPECT_EQ(all.rejected[0].drawNumber, 1003); // newest first
    EXPECT_EQ(all.rejected[0].firstRefusingTab, Panel::EvenOdd);

    const FilterHistoryCheck newest = model->filtersOnHistory(2);
    EXPECT_EQ(newest.draws, 2);
    EXPECT_EQ(newest.passedAll, 0);

    // The funnel ends at "Oblicz"'s own count.
    const FilterFunnel funnel = model->filterFunnel();
    ASSERT_FALSE(funnel.refusal);
    model->countCombinations();
    EXPECT_EQ(funnel.steps.back().left, model->shownCount().value_or(-1));

    questions.fileNames = {path("odrzucone.csv")};
    EXPECT_TRUE(model->saveAnalysisTable(AnalysisTable::RejectedDraws, 0, questions).messages.empty());
    EXPECT_NE(bytesOf(path("odrzucone.csv")).find("\r\n1003,18.05.2002,1,3,5,7,9,11,P - N\r\n"), std::string::npos);
}
