// The generator stage in the model: which controls each mode leaves usable, entering the stage,
// guarantee systems, and the flows that keep or lose a player's system (saving, the save offer, the back
// button, opening a file).

#include "ModelFixture.h"

using namespace selektor;
using namespace selektor::test;

namespace {

struct ControlsCase {
    const char* name;
    GeneratorMode mode;
    GeneratorControls controls;
};

// Fields: back, save, guarantee group, its OK, simulation group, its OK, result OK, print, "Akcja",
// busy lamp, countdown.
const ControlsCase kControls[] = {
    {"Ready", GeneratorMode::Ready, {1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0}},
    {"Built", GeneratorMode::Built, {1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0}},
    {"PostProcessable", GeneratorMode::PostProcessable, {1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0}},
    {"Simulating", GeneratorMode::Simulating, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
    {"Stopped", GeneratorMode::Stopped, {1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0}},
    {"FromFile", GeneratorMode::FromFile, {0, 1, 1, 0, 1, 0, 1, 1, 0, 0, 0}},
    {"Busy", GeneratorMode::Busy, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}},
};

class GeneratorControlsTest : public testing::TestWithParam<ControlsCase> {};

} // namespace

TEST_P(GeneratorControlsTest, EachModeLeavesItsControls) {
    EXPECT_EQ(enabledControls(GetParam().mode), GetParam().controls);
}

INSTANTIATE_TEST_SUITE_P(Modes, GeneratorControlsTest, testing::ValuesIn(kControls),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ModelTest, EnteringTheStageStartsFromTheSameEmptyState) {
    enterWithLexicographic(9);
    // Dirty every group first.
    build(GuaranteeMode::Full);
    model->setSimulationCountText("12");
    model->setSimulationLimitText("30");
    model->setDifferenceChoice(DifferenceChoice::Three);
    model->selectLine(4);
    for (int i = 0; i < 6; ++i)
        model->setDrawnEntry(i, std::to_string(i + 1));
    model->checkResult();
    model->setRecentDrawsChoice(2);
    model->setLastDrawsChoice(1);
    ASSERT_FALSE(model->systemSaved());
    ASSERT_NE(model->form(), GeneratorForm{});
    ASSERT_TRUE(model->generatorControls().postProcessing);

    // Back to the filters (the new system offered and declined), "Oblicz" again, and in once more.
    answer({false});
    model->returnToFilters(questions);
    EXPECT_FALSE(model->enterFinalStage().stage.screen == Screen::Generator); // locked until "Oblicz"
    model->takeCountedPool(model->candidatePool());
    const Outcome entered = model->enterFinalStage();

    EXPECT_EQ(entered.stage.screen, Screen::Generator);
    EXPECT_EQ(entered.stage.generator, GeneratorMode::Ready);
    EXPECT_TRUE(entered.stopSaveFlash);
    EXPECT_TRUE(model->system().empty());
    EXPECT_EQ(model->form(), GeneratorForm{});
    EXPECT_EQ(drawsToUseText(model->form().drawsToUse), " 10");
    EXPECT_TRUE(model->systemSaved());
    EXPECT_FALSE(model->generatorRunning());
    EXPECT_EQ(questions.asked, std::vector<std::string>{kSaveQuestion});
}

TEST(DrawsToUse, ShownInThreeCharacters) {
    EXPECT_EQ(drawsToUseText(10), " 10");
    EXPECT_EQ(drawsToUseText(90), " 90");
    EXPECT_EQ(drawsToUseText(100), "100");
    EXPECT_EQ(drawsToUseText(500), "500");
}

TEST_F(ModelTest, GuaranteeModesKeepTheGreedyPacking) {
    const std::string first = "  1  2  3  4  5  6", second = "  1  2  3  4  5  7", third = "  1  2  3  4  8  9";
    const struct {
        GuaranteeMode mode;
        std::vector<std::string> lines;
        GeneratorMode after;
    } cases[] = {
        {GuaranteeMode::Full, {first, second, third}, GeneratorMode::PostProcessable},
        {GuaranteeMode::Gw5, {first, third}, GeneratorMode::Built},
        {GuaranteeMode::Gw4, {first}, GeneratorMode::Built},
        {GuaranteeMode::Gw3, {first}, GeneratorMode::Built},
    };
    enterWithThreeRows();
    for (const auto& c : cases) {
        model->selectLine(0);
        const Outcome outcome = build(c.mode);
        EXPECT_EQ(lines(), c.lines);
        EXPECT_EQ(model->form().lineCount, static_cast<std::int64_t>(c.lines.size()));
        EXPECT_FALSE(model->form().selectedLine);
        EXPECT_EQ(outcome.stage.generator, c.after);
        EXPECT_FALSE(model->systemSaved());
        EXPECT_TRUE(outcome.flashSaveButton);
        EXPECT_TRUE(outcome.messages.empty());
    }
    // Building again with the same pool and mode gives the same list.
    build(GuaranteeMode::Gw5);
    const auto once = lines();
    build(GuaranteeMode::Gw5);
    EXPECT_EQ(lines(), once);
}

TEST_F(ModelTest, SavingWritesTwentyBytesPerLineAndMarksTheSystemSaved) {
    enterWithThreeRows();
    build(GuaranteeMode::Full);
    questions.fileNames = {path("system.txt")};

    const Outcome outcome = model->saveSystem(questions);

    EXPECT_EQ(questions.asked, std::vector<std::string>{kSaveDialog});
    EXPECT_EQ(bytesOf(path("system.txt")), "  1  2  3  4  5  6\r\n  1  2  3  4  5  7\r\n  1  2  3  4  8  9\r\n");
    EXPECT_TRUE(model->systemSaved());
    EXPECT_TRUE(outcome.messages.empty());
}

TEST_F(ModelTest, SavingAnEmptyListOnlyTellsSo) {
    enterWithThreeRows();
    const Outcome outcome = model->saveSystem(questions);
    EXPECT_EQ(outcome.messages, std::vector<Message>{information("Co chcesz zapisywać ? Lista jest pusta ! ")});
    EXPECT_TRUE(questions.asked.empty());
}

TEST_F(ModelTest, ACancelledSaveStillCountsAsOffered) {
    enterWithThreeRows();
    build(GuaranteeMode::Full);
    questions.fileNames = {""};
    model->saveSystem(questions);
    EXPECT_TRUE(model->systemSaved());
    // The back button then asks nothing.
    EXPECT_EQ(model->returnToFilters(questions).stage.screen, Screen::Filters);
    EXPECT_EQ(questions.asked, std::vector<std::string>{kSaveDialog});
}

TEST_F(ModelTest, AFailedSaveShowsTheErrorAndLeavesTheSystemUnsaved) {
    enterWithThreeRows();
    build(GuaranteeMode::Full);
    questions.fileNames = {path("no such folder/system.txt")};
    const Outcome outcome = model->saveSystem(questions);
    EXPECT_EQ(outcome.messages, (std::vector<Message>{{Message::Kind::Error, "Path not found"}}));
    EXPECT_FALSE(model->systemSaved());
}

TEST_F(ModelTest, BackButtonOffersToSaveANewSystemOnce) {
    for (const bool yes : {false, true}) {
        enterWithThreeRows();
        build(GuaranteeMode::Gw5);
        questions.asked.clear();
        answer({yes});
        if (yes)
            questions.fileNames = {path("offered.txt")};

        const Outcome back = model->returnToFilters(questions);

        EXPECT_EQ(questions.asked.front(), kSaveQuestion);
        EXPECT_EQ(back.stage.screen, Screen::Filters);
        EXPECT_FALSE(back.stage.finalStageAllowed);
        EXPECT_FALSE(model->shownCount());
        EXPECT_EQ(bytesOf(path("offered.txt")).size(), yes ? 40u : 0u);
        EXPECT_TRUE(model->systemSaved());
    }
}

TEST_F(ModelTest, BackButtonAsksNothingWithAnEmptyOrSavedList) {
    enterWithThreeRows();
    EXPECT_EQ(model->returnToFilters(questions).stage.screen, Screen::Filters);

    enterWithThreeRows();
    build(GuaranteeMode::Full);
    questions.fileNames = {path("saved.txt")};
    model->saveSystem(questions);
    EXPECT_EQ(model->returnToFilters(questions).stage.screen, Screen::Filters);
    EXPECT_EQ(questions.asked, std::vector<std::string>{kSaveDialog});
}

TEST_F(ModelTest, BackButtonStaysWhenTheOfferedSaveFails) {
    enterWithThreeRows();
    build(GuaranteeMode::Full);
    answer({true});
    questions.fileNames = {path("missing folder/x.txt")};

    const Outcome back = model->returnToFilters(questions);

    EXPECT_EQ(back.stage.screen, Screen::Generator);
    EXPECT_EQ(back.messages.size(), 1u);
    EXPECT_EQ(back.messages.front().kind, Message::Kind::Error);
    EXPECT_FALSE(model->systemSaved());
    EXPECT_EQ(lines().size(), 3u);
}

TEST_F(ModelTest, AnOpenedFileMatchesTheSavedSystemAndIsWrittenBackUnchanged) {
    enterWithLexicographic(11);
    build(GuaranteeMode::Gw3);
    const auto built = lines();
    questions.fileNames = {path("roundtrip.txt")};
    model->saveSystem(questions);
    ASSERT_EQ(bytesOf(path("roundtrip.txt")).size(), 20 * built.size());

    questions.fileNames = {path("roundtrip.txt")};
    const Outcome opened = model->openSystem(questions);
    EXPECT_EQ(lines(), built);
    EXPECT_EQ(model->form().lineCount, static_cast<std::int64_t>(built.size()));
    EXPECT_TRUE(opened.messages.empty());

    questions.fileNames = {path("copy.txt")};
    model->saveSystem(questions);
    EXPECT_EQ(bytesOf(path("copy.txt")), bytesOf(path("roundtrip.txt")));
}

TEST_F(ModelTest, OpeningResetsTheStageForASystemFromAFile) {
    writeBytes(path("odd.txt"), "  1  2  3  4  5  6\r\n\r\nnot a line\r  7  8  9 10 11 12\n 13 14 15 16 17 18");
    enterWithThreeRows();
    build(GuaranteeMode::Full);
    questions.fileNames = {path("first.txt")};
    model->saveSystem(questions);
    model->setGuaranteeChoice(GuaranteeMode::Gw3);
    model->setDifferenceChoice(DifferenceChoice::Four);
    model->setSimulationCountText("5");
    model->selectLine(1);
    questions.fileNames = {path("odd.txt")};

    const Outcome opened = model->openSystem(questions);

    EXPECT_EQ(lines(), (std::vector<std::string>{"  1  2  3  4  5  6", "", "not a line", "  7  8  9 10 11 12",
                                                 " 13 14 15 16 17 18"}));
    GeneratorForm expected;
    expected.lineCount = 5;
    EXPECT_EQ(model->form(), expected);
    EXPECT_EQ(opened.stage.generator, GeneratorMode::FromFile);
    EXPECT_EQ(opened.stage.screen, Screen::Generator);
    EXPECT_TRUE(model->systemSaved()); // an opened system counts as saved
}

TEST_F(ModelTest, AnUnreadableFileKeepsTheSystemOnScreen) {
    enterWithThreeRows();
    build(GuaranteeMode::Full);
    questions.fileNames = {path("saved.txt"), path("typed name that does not exist.txt")};
    model->saveSystem(questions);
    const auto before = lines();

    const Outcome opened = model->openSystem(questions);

    EXPECT_EQ(opened.messages, (std::vector<Message>{{Message::Kind::Error, "File not found"}}));
    EXPECT_EQ(lines(), before);
    EXPECT_EQ(model->form().lineCount, 3);
    EXPECT_EQ(opened.stage.generator, GeneratorMode::PostProcessable);
}
