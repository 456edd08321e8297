// The random simulation and the result check in the model: what a start, the ticks and the end of a run
// leave in the stage, and what a check shows or refuses.

#include "ModelFixture.h"
#include "generator/SystemLine.h"

using namespace selektor;
using namespace selektor::test;

TEST_F(ModelTest, StartRefusalsTellWhyAndChangeNothing) {
    const struct {
        const char* count;
        const char* limit;
        std::vector<Message> messages;
    } cases[] = {
        {"", "10", {information("Nie ustalona liczba kombinacji w systemie !")}},
        {"5", "", {information("Nie ustalony limit czasu pracy generatora !")}},
        {"0", "10", {}},
        {"5", "0", {}},
        {"1 2", "10", {{Message::Kind::Error, "'1 2' is not a valid integer value"}}},
    };
    enterWithThreeRows();
    build(GuaranteeMode::Full);
    for (const auto& c : cases) {
        const Outcome outcome = startRun(c.count, c.limit);
        EXPECT_EQ(outcome.messages, c.messages) << c.count << " / " << c.limit;
        EXPECT_EQ(outcome.stage.generator, GeneratorMode::PostProcessable);
        EXPECT_FALSE(model->generatorRunning());
        EXPECT_EQ(lines().size(), 3u);
    }
}

TEST_F(ModelTest, ARunningSimulationShowsTheCountdownAndTheDrawnCandidate) {
    enterWithLexicographic(10);
    build(GuaranteeMode::Full);
    model->selectLine(2);
    const Outcome started = startRun("50", "25");

    EXPECT_EQ(started.stage.generator, GeneratorMode::Simulating);
    EXPECT_TRUE(model->generatorRunning());
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(model->form().lineCount, 0);
    EXPECT_FALSE(model->form().selectedLine);
    EXPECT_EQ(model->form().secondsLeft, 25);
    EXPECT_FALSE(model->systemSaved()); // a start leaves the flag as it was

    // The first draw is always kept and shown in the six labels.
    model->simulationTick();
    ASSERT_TRUE(model->form().drawnCandidate);
    EXPECT_EQ(lines(), std::vector<std::string>{systemLine(*model->form().drawnCandidate)});
    EXPECT_EQ(model->form().lineCount, 1);
    model->countdownTick();
    EXPECT_EQ(model->form().secondsLeft, 24);
}

TEST_F(ModelTest, ARunEndsAtItsCountWithASystemToOffer) {
    enterWithLexicographic(10);
    startRun("1", "60");
    EXPECT_FALSE(model->simulationTick().flashSaveButton);
    EXPECT_TRUE(model->generatorRunning());

    const Outcome ended = model->simulationTick();

    EXPECT_FALSE(model->generatorRunning());
    EXPECT_EQ(ended.stage.generator, GeneratorMode::Built);
    EXPECT_TRUE(ended.flashSaveButton);
    EXPECT_FALSE(model->systemSaved());
    EXPECT_EQ(lines().size(), 1u);
    // Ticks still queued when the run ended change nothing.
    model->simulationTick();
    model->countdownTick();
    EXPECT_EQ(lines().size(), 1u);
}

TEST_F(ModelTest, AnEmptyRunLeavesNothingToOffer) {
    enterWithThreeRows();
    startRun("5", "1", DifferenceChoice::Four);
    model->countdownTick();
    const Outcome ended = model->countdownTick(); // the tick that finds 0 already shown
    EXPECT_FALSE(model->generatorRunning());
    // The first draw is always kept, so a run without ticks is the only empty one.
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(model->systemSaved());
    EXPECT_TRUE(ended.flashSaveButton);
}

TEST_F(ModelTest, ASecondRunEmptiesTheListFirst) {
    enterWithLexicographic(10);
    startRun("3", "30");
    for (int tick = 0; tick < 50 && model->generatorRunning(); ++tick)
        model->simulationTick();
    ASSERT_EQ(lines().size(), 3u);
    const std::uint64_t revision = model->systemRevision();
    startRun("1", "30");
    EXPECT_TRUE(lines().empty());
    EXPECT_GT(model->systemRevision(), revision);
}

TEST_F(ModelTest, BackDuringARunAsksAndDropsThePartialSystemOnYes) {
    enterWithLexicographic(10);
    startLongRun(5);
    const std::string question = kRunning + "Czy rzeczywiście chcesz teraz edytować dane ?";

    answer({false});
    EXPECT_EQ(model->returnToFilters(questions).stage.screen, Screen::Generator);
    EXPECT_TRUE(model->generatorRunning());

    answer({true});
    const Outcome back = model->returnToFilters(questions);
    // The partial system is dropped without an offer to save it.
    EXPECT_EQ(questions.asked, (std::vector<std::string>{question, question}));
    EXPECT_EQ(back.stage.screen, Screen::Filters);
    EXPECT_FALSE(model->generatorRunning());
    EXPECT_TRUE(model->systemSaved());
    EXPECT_FALSE(back.flashSaveButton);
}

namespace {

const std::array<std::string, 6> kDraw = {"5", "12", "25", "31", "38", "45"};

} // namespace

class ResultCheckModelTest : public ModelTest {
protected:
    // Ten lines; the 10th shares four numbers with the draw 5 12 25 31 38 45, the 1st is the draw
    // itself, the 3rd shares five and the 7th three.
    void enterTenLines() {
        enterWith({{5, 12, 25, 31, 38, 45},
                   {1, 2, 3, 4, 6, 7},
                   {5, 12, 25, 31, 38, 49},
                   {1, 2, 3, 4, 6, 8},
                   {1, 2, 3, 4, 6, 9},
                   {1, 2, 3, 4, 6, 10},
                   {5, 12, 25, 40, 41, 42},
                   {1, 2, 3, 4, 6, 11},
                   {1, 2, 3, 4, 6, 13},
                   {5, 12, 25, 31, 40, 41}});
        build(GuaranteeMode::Full);
    }
    Outcome check(const std::array<std::string, 6>& entries) {
        for (int i = 0; i < 6; ++i)
            model->setDrawnEntry(i, entries[i]);
        return model->checkResult();
    }
};

TEST_F(ResultCheckModelTest, EveryHitClassListsItsLinesAndASixIsGreeted) {
    enterTenLines();
    const Outcome outcome = check(kDraw);
    ASSERT_TRUE(model->form().results);
    const auto& byHits = model->form().results->byHits;
    EXPECT_EQ(byHits[6].lineNumbers, std::vector<std::int32_t>{1});
    EXPECT_EQ(byHits[5].lineNumbers, std::vector<std::int32_t>{3});
    EXPECT_EQ(byHits[4].lineNumbers, std::vector<std::int32_t>{10});
    EXPECT_EQ(byHits[3].lineNumbers, std::vector<std::int32_t>{7});
    EXPECT_EQ(couponPosition(byHits[4].lineNumbers[0] - 1), "2.2");
    EXPECT_TRUE(outcome.playSixHitSound);
    EXPECT_TRUE(outcome.messages.empty());
}

TEST_F(ResultCheckModelTest, RefusalsKeepThePreviousResults) {
    const std::string missing = "Wprowadź najpierw wszystkie wylosowane liczby !";
    const std::string twice =
        "Jeżeli wylosowano dwie te same liczby, to dokonaj zakupu programu Bramkarz i przejdź na zakłady piłkarskie !";
    enterTenLines();
    check(kDraw);
    const auto shown = model->form().results;
    for (const auto& [entries, message] :
         {std::pair{std::array<std::string, 6>{"5", "12", "25", "31", "38", ""}, missing},
          std::pair{std::array<std::string, 6>{"", "12", "25", "31", "38", "45"}, missing},
          std::pair{std::array<std::string, 6>{"5", "12", "25", "31", "12", "45"}, twice}}) {
        const Outcome refused = check(entries);
        EXPECT_EQ(refused.messages, std::vector<Message>{information(message)});
        EXPECT_FALSE(refused.playSixHitSound);
        EXPECT_EQ(model->form().results, shown);
    }
}

TEST_F(ResultCheckModelTest, AnEmptyListGivesZeroCounts) {
    enterWithThreeRows();
    // A leading zero makes "05" a different entry from "5": no duplicate, and it matches nothing.
    const Outcome outcome = check({"5", "05", "25", "31", "38", "45"});
    EXPECT_TRUE(outcome.messages.empty());
    ASSERT_TRUE(model->form().results);
    for (int hits = 3; hits <= 6; ++hits)
        EXPECT_EQ(model->form().results->byHits[hits].count, 0);
}
