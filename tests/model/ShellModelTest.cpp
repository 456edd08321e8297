// The "System" menu and the end of the program in the model: the questions that protect a running
// simulation and a new system, opening a file from every stage; and the filter stage's locking of
// "Etap końcowy".

#include "ModelFixture.h"

#include <functional>

using namespace selektor;
using namespace selektor::test;

namespace {

enum class Command { New, Open, End };

Outcome run(ApplicationModel& model, Questions& questions, Command command) {
    switch (command) {
    case Command::New:
        return model.newSystem(questions);
    case Command::Open:
        return model.openSystem(questions);
    case Command::End:
        break;
    }
    return model.requestEnd(questions);
}

} // namespace

TEST_F(ModelTest, CommandsDuringARunAskFirst) {
    const struct {
        Command command;
        const char* question;
        Screen afterYes;
    } cases[] = {
        {Command::New, "Czy chcesz teraz tworzyć nowy system ?", Screen::Filters},
        {Command::Open, "Czy chcesz teraz przeglądać systemy ?", Screen::Generator},
        {Command::End, "Czy chcesz przerwać obliczenia ?", Screen::Generator},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.question);
        enterWithLexicographic(10);
        startLongRun(5);
        const auto partial = lines();
        ASSERT_FALSE(partial.empty());
        questions.asked.clear();

        // No leaves the run going.
        answer({false});
        Outcome outcome = run(*model, questions, c.command);
        EXPECT_EQ(questions.asked, std::vector<std::string>{kRunning + c.question});
        EXPECT_TRUE(model->generatorRunning());
        EXPECT_EQ(outcome.stage.generator, GeneratorMode::Simulating);
        EXPECT_FALSE(outcome.endProgram);

        // Yes stops the run and keeps the partial system without an offer; "Otwórz" then meets a
        // cancelled dialog, the end of the program a No to the final question.
        questions.asked.clear();
        answer({true});
        if (c.command == Command::End)
            answer({false});
        if (c.command == Command::Open)
            questions.fileNames = {""};
        outcome = run(*model, questions, c.command);
        std::vector<std::string> expected{kRunning + c.question};
        if (c.command == Command::End)
            expected.push_back(kEndQuestion);
        if (c.command == Command::Open)
            expected.push_back(kOpenDialog);
        EXPECT_EQ(questions.asked, expected);
        EXPECT_FALSE(model->generatorRunning());
        EXPECT_EQ(outcome.stage.generator, GeneratorMode::Stopped);
        EXPECT_EQ(outcome.stage.screen, c.afterYes);
        EXPECT_FALSE(outcome.endProgram);
        EXPECT_EQ(lines(), partial);
        // A stopped run was not offered: the next command asks nothing about it.
        EXPECT_TRUE(model->systemSaved());
    }
}

TEST_F(ModelTest, NewSystemOffersToSaveOnce) {
    enterWithLexicographic(9);
    build(GuaranteeMode::Full);
    answer({true});
    questions.fileNames = {""}; // the save dialog cancelled

    EXPECT_EQ(model->newSystem(questions).stage.screen, Screen::Filters);
    const Outcome again = model->newSystem(questions);

    EXPECT_EQ(questions.asked, (std::vector<std::string>{kSaveQuestion, kSaveDialog}));
    EXPECT_TRUE(again.showFirstTab);
    EXPECT_TRUE(model->systemSaved());
}

TEST_F(ModelTest, ASaveThatFailsStopsTheCommand) {
    for (Command command : {Command::New, Command::Open, Command::End}) {
        enterWithLexicographic(9);
        build(GuaranteeMode::Full);
        const auto built = lines();
        questions.asked.clear();
        answer({true});
        questions.fileNames = {path("no such folder/system.txt")};

        const Outcome outcome = run(*model, questions, command);

        EXPECT_EQ(questions.asked, (std::vector<std::string>{kSaveQuestion, kSaveDialog})); // no open dialog
        EXPECT_EQ(outcome.messages.size(), 1u);
        EXPECT_EQ(outcome.stage.screen, Screen::Generator);
        EXPECT_FALSE(outcome.endProgram);
        EXPECT_FALSE(model->systemSaved());
        EXPECT_EQ(lines(), built);
        // The next round starts from a saved system.
        answer({false});
        model->newSystem(questions);
    }
}

TEST_F(ModelTest, TheProgramEndsOnlyAfterTheFinalQuestion) {
    answer({false});
    EXPECT_FALSE(model->requestEnd(questions).endProgram);
    EXPECT_EQ(questions.asked, std::vector<std::string>{kEndQuestion});

    enterWithLexicographic(9);
    build(GuaranteeMode::Full);
    questions.asked.clear();
    answer({false, true});
    EXPECT_TRUE(model->requestEnd(questions).endProgram);
    EXPECT_EQ(questions.asked, (std::vector<std::string>{kSaveQuestion, kEndQuestion}));
    // "Zakończ" answered Yes closes the window, which asks nothing more.
    EXPECT_TRUE(model->requestEnd(questions).endProgram);
    EXPECT_EQ(questions.asked.size(), 2u);
}

TEST_F(ModelTest, OpeningWorksFromEveryScreen) {
    for (Screen from : {Screen::Intro, Screen::Filters, Screen::Generator}) {
        SetUp(); // a fresh program for each screen
        writeBytes(path("two.txt"), "  1  2  3  4  5  6\r\n  7  8  9 10 11 12\r\n");
        if (from == Screen::Filters)
            model->newSystem(questions);
        else if (from == Screen::Generator)
            enterWithLexicographic(9);
        ASSERT_EQ(model->stage().screen, from);
        questions.fileNames = {path("two.txt")};

        const Outcome opened = model->openSystem(questions);

        EXPECT_EQ(opened.stage.screen, Screen::Generator);
        EXPECT_EQ(opened.stage.generator, GeneratorMode::FromFile);
        EXPECT_FALSE(opened.stage.introRunning);
        EXPECT_EQ(lines().size(), 2u);
    }
}

TEST_F(ModelTest, OpeningOffersToSaveFirstAndACancelChangesNothing) {
    writeBytes(path("other.txt"), "  1  2  3  4  5  6\r\n");
    enterWithLexicographic(9);
    build(GuaranteeMode::Gw5);
    const auto built = lines();
    answer({false});
    questions.fileNames = {""};
    const Outcome cancelled = model->openSystem(questions);
    EXPECT_EQ(questions.asked, (std::vector<std::string>{kSaveQuestion, kOpenDialog}));
    EXPECT_EQ(lines(), built);
    EXPECT_EQ(cancelled.stage.generator, GeneratorMode::Built);

    // The opened system counts as saved: "Nowy", its way out, asks nothing.
    questions.fileNames = {path("other.txt")};
    model->openSystem(questions);
    EXPECT_EQ(lines(), std::vector<std::string>{"  1  2  3  4  5  6"});
    EXPECT_EQ(model->newSystem(questions).stage.screen, Screen::Filters);
    EXPECT_EQ(questions.asked.size(), 3u);
}

TEST_F(ModelTest, AnUnreadableFileLeavesTheScreenAsItWas) {
    for (Screen from : {Screen::Intro, Screen::Filters}) {
        if (from == Screen::Filters)
            model->newSystem(questions);
        questions.fileNames = {path("typed name that does not exist.txt")};
        const Outcome opened = model->openSystem(questions);
        EXPECT_EQ(opened.messages.size(), 1u);
        EXPECT_EQ(opened.stage.screen, from);
    }
}

TEST_F(ModelTest, EveryChangeOnTheFiltersLocksTheFinalStage) {
    auto pool = std::make_unique<CandidatePool>();
    pool->append({1, 2, 3, 4, 5, 6});
    const std::function<void()> changes[] = {
        [&] { model->toggleFavourite(7); },
        [&] { model->toggleBasic(8); },
        [&] { model->setShareBox(0, true); }, // ticking " 0" changes nothing else
        [&] { model->toggleTemplate(Panel::Sum, 3); },
        [&] { model->chooseMode(Panel::Gaps, 1); },
        [&] { model->chooseMode(Panel::Gaps, 1); }, // the same mode again
        [&] { model->setPairGroupLimit(1); },
        [&] { model->setOtherDigitsRule(2); },
    };
    model->newSystem(questions);
    for (const auto& change : changes) {
        model->takeCountedPool(*pool);
        ASSERT_TRUE(model->stage().finalStageAllowed);
        change();
        EXPECT_FALSE(model->stage().finalStageAllowed);
        EXPECT_EQ(model->enterFinalStage().stage.screen, Screen::Filters);
    }
}

TEST_F(ModelTest, CountingShowsTheCountOrTheRefusal) {
    model->newSystem(questions);
    model->chooseMode(Panel::Numbers, 1);
    for (Number n = 1; n <= 10; ++n)
        model->toggleBasic(n);
    Outcome counted = model->countCombinations();
    EXPECT_EQ(model->shownCount(), 210);
    EXPECT_TRUE(counted.stage.finalStageAllowed);
    EXPECT_TRUE(counted.messages.empty());

    // A tab set to use templates with none chosen: the refusal, a blank count.
    model->chooseMode(Panel::EvenOdd, 1);
    counted = model->countCombinations();
    EXPECT_EQ(counted.messages.size(), 1u);
    EXPECT_FALSE(model->shownCount());
    EXPECT_EQ(model->candidatePool().count(), 210); // the pool of the last count stays

    // "Nowy" puts every tab back into its free mode and keeps what was chosen on them.
    model->toggleTemplate(Panel::EvenOdd, 3);
    const Outcome fresh = model->newSystem(questions);
    EXPECT_TRUE(fresh.showFirstTab);
    EXPECT_FALSE(fresh.stage.finalStageAllowed);
    EXPECT_FALSE(model->shownCount());
    for (int p = 0; p < kPanelCount; ++p)
        EXPECT_EQ(model->filterSettings().mode(static_cast<Panel>(p)), 0);
    EXPECT_EQ(model->filterSettings().numberRole[10], Basic);
    EXPECT_EQ(model->filterSettings().evenOddTemplates[3], 1);
}
