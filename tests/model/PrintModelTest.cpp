// Printing in the model: the print positions loaded at start-up and taken from their fields, the print
// panels, and the jobs the buttons hand to the printer.

#include "ModelFixture.h"
#include "support/EmptyHistory.h"

#include <functional>

using namespace selektor;
using namespace selektor::test;

namespace {

// The positions of the layout's worked example.
const char* const kExample[] = {"100", "50", "200", "40", "30", "60", "50"};

bool holds(const PrintPage& page, const std::string& text, std::int32_t x, std::int32_t y) {
    for (const PageText& piece : page)
        if (piece.text == text && piece.x == x && piece.y == y)
            return true;
    return false;
}

} // namespace

class PrintModelTest : public ModelTest {
protected:
    void writeSettings(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            writeBytes(path(printSettingFileName(i)), std::string(kExample[i]) + "\r\n");
    }
    void typeSettings() {
        for (std::size_t i = 0; i < kPrintSettingCount; ++i)
            model->setPrintSettingText(i, kExample[i]);
    }
};

TEST_F(PrintModelTest, PositionsLoadAtStartUpUntilTheFirstFileMissing) {
    writeSettings(6); // "PNR.txt" missing
    const Outcome loaded = model->loadPrintSettings();
    EXPECT_EQ(loaded.messages, (std::vector<Message>{{Message::Kind::Error, "File not found"}}));
    EXPECT_EQ(model->printSettingTexts()[5], "60");
    EXPECT_EQ(model->printSettingTexts()[6], "");
    EXPECT_EQ(model->printSettings().PYDL, 60);

    // The test page then asks for the missing one.
    EXPECT_EQ(model->testPrint().messages, std::vector<Message>{information("Nie ustalona pozycja wydruku: PNR !")});
    model->setPrintSettingText(6, "50");
    const Outcome test = model->testPrint();
    ASSERT_EQ(test.printJob.size(), 1u);
    EXPECT_TRUE(holds(test.printJob[0], "$$$", 649, 1748));
    EXPECT_TRUE(holds(test.printJob[0], "TEST", 579, 1798));
}

TEST_F(PrintModelTest, PanelsCountTheBlanksOfTheListAsTheyOpen) {
    enterWithLexicographic(7); // 7 lines
    build(GuaranteeMode::Full);
    model->togglePrintPanels();
    EXPECT_TRUE(model->form().printSettingsShown);
    EXPECT_EQ(model->form().blanksNeeded, 1);
    model->togglePrintPanels();
    EXPECT_FALSE(model->form().printRangeShown);

    // A new list closes them, so the count on screen always belongs to the list on screen.
    model->togglePrintPanels();
    build(GuaranteeMode::Gw5);
    EXPECT_FALSE(model->form().printSettingsShown);
}

TEST_F(PrintModelTest, CouponsPrintTheRangeAfterEveryCheck) {
    enterWithLexicographic(9); // 84 lines: 11 blanks
    build(GuaranteeMode::Full);
    model->togglePrintPanels();
    typeSettings();
    model->setPrintFromText("11");
    model->setPrintToText("12");
    EXPECT_EQ(model->printCoupons().messages,
              std::vector<Message>{information("Górny zakres poza dopuszczalnym limitem !")});
    model->setPrintFromText("10");
    model->setPrintToText("11");
    const Outcome printed = model->printCoupons();
    ASSERT_EQ(printed.printJob.size(), 2u);
    EXPECT_TRUE(holds(printed.printJob[1], "11", 576, 1798)); // the blank's own number
    EXPECT_TRUE(printed.messages.empty());

    model->setPrintSettingText(1, "5 0");
    EXPECT_EQ(model->printCoupons().messages,
              (std::vector<Message>{{Message::Kind::Error, "'5 0' is not a valid integer value"}}));
}

TEST_F(PrintModelTest, SavingAsksFirstAndWritesThePlainValues) {
    writeSettings(7);
    model->loadPrintSettings();
    model->setPrintSettingText(0, "0085");
    answer({false});
    model->savePrintSettings(questions);
    EXPECT_EQ(bytesOf(path("PX1.txt")), "100\r\n");

    answer({true});
    EXPECT_TRUE(model->savePrintSettings(questions).messages.empty());
    EXPECT_EQ(bytesOf(path("PX1.txt")), "85\r\n");
    EXPECT_EQ(questions.asked, (std::vector<std::string>{"question: Zapisać aktualne ustawienia ?",
                                                         "question: Zapisać aktualne ustawienia ?"}));
}

// Every command that replaces the list closes the print panels, so "Potrzebnych blankietów :" never
// counts blanks of a list that is gone; entering the stage and opening a file also start the count and
// the range afresh.
enum class Command { RecentDraws, LastDraws, GuaranteeBuild, RandomRun, Open, EnterStage };

struct NewList {
    const char* name;
    Command command;
    bool rangeStartsAfresh;
};

class NewListTest : public PrintModelTest, public testing::WithParamInterface<NewList> {
protected:
    void SetUp() override {
        PrintModelTest::SetUp();
        // One stored draw, 1 2 3 20 21 22, for post-processing to compare with.
        writeEmptyHistory(directory().string());
        ASSERT_TRUE(model->loadHistory(questions).messages.empty());
        NumberBoxes drawn{};
        for (int n : {1, 2, 3, 20, 21, 22})
            drawn[n - 1] = 1;
        answer({true});
        ASSERT_TRUE(model->addDraw("18.05.2002", drawn, questions).drawStored);
        writeBytes(path("saved.txt"), "  1  2  3  4  5  6\r\n");

        enterWithLexicographic(9); // 84 lines: 11 blanks
        build(GuaranteeMode::Full);
        questions.fileNames = {""};
        model->saveSystem(questions); // offered, so no command below asks to save it
        model->togglePrintPanels();
        model->setPrintFromText("1");
        model->setPrintToText("11");
        ASSERT_TRUE(model->form().printSettingsShown && model->form().printRangeShown);
        ASSERT_EQ(model->form().blanksNeeded, 11);
    }

    Outcome run(Command command) {
        switch (command) {
        case Command::RecentDraws:
            return model->reduceByRecentDraws();
        case Command::LastDraws:
            return model->reduceByLastDraws();
        case Command::GuaranteeBuild:
            return build(GuaranteeMode::Gw4);
        case Command::RandomRun:
            return startRun("3", "10");
        case Command::Open:
            questions.fileNames = {path("saved.txt")};
            return model->openSystem(questions);
        case Command::EnterStage:
            model->returnToFilters(questions);
            model->takeCountedPool(model->candidatePool());
            return model->enterFinalStage();
        }
        return {};
    }
};

TEST_P(NewListTest, ClosesThePrintPanels) {
    const Outcome outcome = run(GetParam().command);
    EXPECT_EQ(outcome.stage.screen, Screen::Generator);
    EXPECT_FALSE(model->form().printSettingsShown);
    EXPECT_FALSE(model->form().printRangeShown);
    if (GetParam().rangeStartsAfresh) {
        EXPECT_EQ(model->form().blanksNeeded, 0);
        EXPECT_EQ(model->form().printFrom, "");
        EXPECT_EQ(model->form().printTo, "");
    }
    // Opened again, they count the list now on screen.
    model->togglePrintPanels();
    EXPECT_EQ(model->form().blanksNeeded, static_cast<std::int32_t>((lines().size() + 7) / 8));
}

INSTANTIATE_TEST_SUITE_P(PrintPanels, NewListTest,
                         testing::Values(NewList{"RecentDraws", Command::RecentDraws, false},
                                         NewList{"LastDraws", Command::LastDraws, false},
                                         NewList{"GuaranteeBuild", Command::GuaranteeBuild, false},
                                         NewList{"RandomRun", Command::RandomRun, false},
                                         NewList{"Open", Command::Open, true},
                                         NewList{"EnterStage", Command::EnterStage, true}),
                         [](const testing::TestParamInfo<NewList>& info) { return std::string(info.param.name); });
