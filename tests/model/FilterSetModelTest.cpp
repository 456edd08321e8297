// "Zapisz filtry" and "Otwórz filtry" in the model: a saved set opens into the same settings, count and
// pool; opening reaches the filter stage from anywhere with the questions of "Nowy", and a file that is
// refused or cannot be read changes nothing.

#include "ModelFixture.h"
#include "core/TemplateCatalogue.h"
#include "support/RandomSettings.h"
#include "support/TypicalSettings.h"

#include <random>

using namespace selektor;
using namespace selektor::test;

namespace {

const std::string kSaveFilters = "save: Filtry Selektora (*.sel) | sel";
const std::string kOpenFilters = "open: Filtry Selektora (*.sel) | sel";
const std::string kRunningOpenFilters = kRunning + "Czy chcesz teraz otworzyć filtry ?";

// The settings put in as a player does it: the groups first, then the share boxes they free, the
// templates and the modes.
void click(ApplicationModel& model, const FilterSettings& s) {
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        if (s.numberRole[n] == Favourite)
            model.toggleFavourite(static_cast<Number>(n));
        else if (s.numberRole[n] == Basic)
            model.toggleBasic(static_cast<Number>(n));
    }
    for (int share = 0; share < kShareBoxes; ++share)
        if (s.shareBoxChecked[share] != 0)
            model.setShareBox(share, true);
    for (int p = 0; p < kPanelCount; ++p) {
        const auto panel = static_cast<Panel>(p);
        for (int position = 0; position < templateCount(panel); ++position)
            if (templateFlag(s, panel, position) != 0)
                model.toggleTemplate(panel, position);
        model.chooseMode(panel, s.mode(panel));
    }
    model.setPairGroupLimit(s.pairGroupLimit);
    model.setOtherDigitsRule(s.otherDigitsRule);
}

class FilterSetModelTest : public ModelTest {
protected:
    // The settings saved from the filter stage into `name`.
    void saveAs(const std::string& name) {
        questions.fileNames = {path(name)};
        const Outcome saved = model->saveFilterSet(questions);
        ASSERT_TRUE(saved.messages.empty()) << saved.messages[0].text;
    }
    Outcome open(const std::string& name) {
        questions.fileNames = {path(name)};
        return model->openFilterSet(questions);
    }
};

} // namespace

TEST_F(FilterSetModelTest, ASavedSetOpensIntoTheSameSettingsCountAndPool) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        ApplicationModel player(directory().string(), kTimeOfDay);
        player.newSystem(questions);
        click(player, randomFilterSettings(rng));
        const Outcome counted = player.countCombinations();
        questions.fileNames = {path("set.sel")};
        ASSERT_TRUE(player.saveFilterSet(questions).messages.empty());

        // A program started afresh, with nothing chosen on any tab.
        ApplicationModel fresh(directory().string(), kTimeOfDay);
        fresh.newSystem(questions);
        questions.fileNames = {path("set.sel")};
        const Outcome opened = fresh.openFilterSet(questions);
        ASSERT_TRUE(opened.messages.empty()) << opened.messages[0].text;
        EXPECT_EQ(fresh.shareBoxesEnabled(), player.shareBoxesEnabled());
        EXPECT_EQ(fresh.countCombinations().messages, counted.messages);
        EXPECT_EQ(fresh.filterSettings(), player.filterSettings());
        EXPECT_EQ(fresh.shownCount(), player.shownCount());
        const CandidatePool& before = player.candidatePool();
        ASSERT_EQ(fresh.candidatePool().storedCount(), before.storedCount());
        for (int row = 0; row < before.storedCount(); ++row)
            ASSERT_EQ(fresh.candidatePool().rows()[row], before.rows()[row]) << "row " << row + 1;
    }
}

TEST_F(FilterSetModelTest, OpeningLeadsToTheFilterStageFromEveryScreen) {
    model->newSystem(questions);
    click(*model, allTabsSelecting());
    saveAs("typical.sel");
    const FilterSettings typical = model->filterSettings();
    const std::string written = bytesOf(path("typical.sel"));

    for (Screen from : {Screen::Intro, Screen::Filters, Screen::Generator}) {
        SCOPED_TRACE(static_cast<int>(from));
        SetUp();
        writeBytes(path("typical.sel"), written);
        if (from == Screen::Filters) {
            model->newSystem(questions);
            auto pool = std::make_unique<CandidatePool>();
            pool->append({1, 2, 3, 4, 5, 6});
            model->takeCountedPool(*pool);
        } else if (from == Screen::Generator) {
            enterWithLexicographic(9);
        }
        questions.asked.clear();
        const std::uint64_t revision = model->filterSettingsRevision();

        const Outcome opened = open("typical.sel");

        EXPECT_EQ(questions.asked, std::vector<std::string>{kOpenFilters});
        EXPECT_EQ(opened.stage.screen, Screen::Filters);
        EXPECT_FALSE(opened.stage.introRunning);
        // As "Nowy" leaves it: the first tab in front, no count, "Etap końcowy" locked.
        EXPECT_TRUE(opened.showFirstTab);
        EXPECT_FALSE(opened.stage.finalStageAllowed);
        EXPECT_FALSE(model->shownCount());
        EXPECT_EQ(model->filterSettings(), typical);
        EXPECT_GT(model->filterSettingsRevision(), revision);
    }
}

TEST_F(FilterSetModelTest, OpeningAsksWhatNowyAsks) {
    model->newSystem(questions);
    saveAs("empty.sel");

    // A new system waiting to be saved is offered once.
    enterWithLexicographic(9);
    build(GuaranteeMode::Full);
    answer({false});
    questions.asked.clear();
    EXPECT_EQ(open("empty.sel").stage.screen, Screen::Filters);
    EXPECT_EQ(questions.asked, (std::vector<std::string>{kSaveQuestion, kOpenFilters}));

    // A running simulation: No leaves it going and asks nothing more, Yes stops it before the dialog.
    model->newSystem(questions);
    enterWithLexicographic(10);
    startLongRun(3);
    questions.asked.clear();
    answer({false});
    EXPECT_EQ(model->openFilterSet(questions).stage.generator, GeneratorMode::Simulating);
    answer({true});
    const Outcome opened = open("empty.sel");
    EXPECT_EQ(questions.asked, (std::vector<std::string>{kRunningOpenFilters, kRunningOpenFilters, kOpenFilters}));
    EXPECT_FALSE(model->generatorRunning());
    EXPECT_EQ(opened.stage.screen, Screen::Filters);
}

TEST_F(FilterSetModelTest, ARefusedOrUnreadableFileChangesNothing) {
    model->newSystem(questions);
    click(*model, allTabsSelecting());
    saveAs("typical.sel");
    std::string broken = bytesOf(path("typical.sel"));
    broken.replace(broken.find("Suma: tryb 1"), 12, "Suma: tryb 7");
    writeBytes(path("broken.sel"), broken);
    writeBytes(path("big.sel"), std::string(70'000, ' '));

    // Settings that differ from the files', counted, with "Etap końcowy" open.
    model->toggleFavourite(49);
    auto pool = std::make_unique<CandidatePool>();
    pool->append({1, 2, 3, 4, 5, 6});
    model->takeCountedPool(*pool);
    const FilterSettings settings = model->filterSettings();
    const ShareBoxesEnabled shareBoxes = model->shareBoxesEnabled();
    const std::uint64_t revision = model->filterSettingsRevision();

    const struct {
        std::string name; // "": the dialog cancelled
        std::vector<Message> messages;
    } cases[] = {
        {"broken.sel", {information("Wiersz 8 pliku filtrów: zakładka Suma nie ma trybu 7 !")}},
        {"big.sel", {{Message::Kind::Error, "Plik big.sel jest za duży na plik filtrów !"}}},
        {"gone.sel", {{Message::Kind::Error, "File not found"}}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        questions.fileNames = {c.name.empty() ? "" : path(c.name)};
        const Outcome opened = model->openFilterSet(questions);
        EXPECT_EQ(opened.messages, c.messages);
        EXPECT_FALSE(opened.showFirstTab);
        EXPECT_TRUE(opened.stage.finalStageAllowed);
        EXPECT_EQ(model->shownCount(), 1);
        EXPECT_EQ(model->filterSettings(), settings);
        EXPECT_EQ(model->shareBoxesEnabled(), shareBoxes);
        EXPECT_EQ(model->filterSettingsRevision(), revision);
    }

    // From the generator stage a refused file keeps the system and the stage.
    enterWithThreeRows();
    build(GuaranteeMode::Full);
    answer({false});
    questions.fileNames = {path("broken.sel")};
    EXPECT_EQ(model->openFilterSet(questions).stage.screen, Screen::Generator);
    EXPECT_EQ(lines().size(), 3u);
}

TEST_F(FilterSetModelTest, SavingBelongsToTheFilterStage) {
    // Neither the intro nor the generator stage opens the save dialog.
    EXPECT_TRUE(model->saveFilterSet(questions).messages.empty());
    enterWithThreeRows();
    EXPECT_TRUE(model->saveFilterSet(questions).messages.empty());
    EXPECT_TRUE(questions.asked.empty());

    // Cancelled, nothing is written; a file that cannot be written is said, and the settings stay.
    model->newSystem(questions);
    model->toggleTemplate(Panel::Sum, 3);
    questions.fileNames = {""};
    EXPECT_TRUE(model->saveFilterSet(questions).messages.empty());
    questions.fileNames = {path("no such folder/set.sel")};
    const Outcome failed = model->saveFilterSet(questions);
    EXPECT_EQ(failed.messages, (std::vector<Message>{{Message::Kind::Error, "Path not found"}}));
    EXPECT_EQ(entries(), std::set<std::string>{});
    EXPECT_EQ(model->filterSettings().sumTemplates[22], 1);
}
