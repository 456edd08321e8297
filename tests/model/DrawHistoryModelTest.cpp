// The draw history in the model: loaded at start-up with what went wrong said once, draws added and
// deleted through their questions, and refused before any question when the files are broken.

#include "ModelFixture.h"
#include "history/DrawImport.h"
#include "support/EmptyHistory.h"

#include <sys/stat.h>

using namespace selektor;
using namespace selektor::test;

namespace {

NumberBoxes ticked(std::initializer_list<int> numbers) {
    NumberBoxes boxes{};
    for (int n : numbers)
        boxes[n - 1] = 1;
    return boxes;
}

const std::string kAddQuestion = "question: Czy na pewno dnia 18.05.2002 wylosowano liczby 3, 12, 25, 31, 40, 49 ?";
const std::string kDeleteQuestion = "question: Czy na pewno wybrane losowanie ma  zostać skasowane ?";

} // namespace

class DrawHistoryModelTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        writeEmptyHistory(directory().string());
        ASSERT_TRUE(model->loadHistory(questions).messages.empty());
    }
    Outcome addDraw(bool yes) {
        answer({yes});
        return model->addDraw("18.05.2002", ticked({3, 12, 25, 31, 40, 49}), questions);
    }
};

TEST_F(DrawHistoryModelTest, ADrawIsStoredOnlyOnYes) {
    EXPECT_FALSE(addDraw(false).drawStored);
    EXPECT_TRUE(model->drawHistory().lines.empty());
    EXPECT_EQ(bytesOf(path("Losowanie.dat")), "");

    const Outcome added = addDraw(true);
    EXPECT_TRUE(added.drawStored);
    EXPECT_TRUE(added.messages.empty());
    EXPECT_EQ(questions.asked, (std::vector<std::string>{kAddQuestion, kAddQuestion}));
    EXPECT_EQ(model->drawHistory().lines,
              std::vector<std::string>{"1001  18.05.2002   3 12 25 31 40 49   24  63  20  2  411"});
    EXPECT_EQ(bytesOf(path("Losowanie.dat")).size(), 20u);
    EXPECT_EQ(model->recencyTable()[2], 1); // Number 3, in the newest draw
    EXPECT_EQ(model->recencyTable()[3], 0); // Number 4, never drawn
    EXPECT_EQ(model->statistics(50).historySize, 1u);

    // Not six numbers: the message, no question.
    questions.asked.clear();
    const Outcome seven = model->addDraw("18.05.2002", ticked({1, 2, 3, 4, 5, 6, 7}), questions);
    EXPECT_EQ(seven.messages, std::vector<Message>{information("Potrzebnych jest dokładnie 6 liczb !")});
    EXPECT_TRUE(questions.asked.empty());
}

TEST_F(DrawHistoryModelTest, ADrawIsDeletedOnlyWhenChosenAndConfirmed) {
    addDraw(true);
    questions.asked.clear();
    EXPECT_EQ(model->deleteDraw(-1, questions).messages,
              std::vector<Message>{information("Zaznacz najpierw losowanie które chcesz skasować !")});
    answer({false});
    EXPECT_FALSE(model->deleteDraw(0, questions).drawStored);
    EXPECT_EQ(model->drawHistory().lines.size(), 1u);

    answer({true});
    EXPECT_TRUE(model->deleteDraw(0, questions).drawStored);
    EXPECT_EQ(questions.asked, (std::vector<std::string>{kDeleteQuestion, kDeleteQuestion}));
    EXPECT_TRUE(model->drawHistory().lines.empty());
    EXPECT_EQ(bytesOf(path("Stat.dat")).size(), 3 * kStatRecordSize);
}

TEST_F(DrawHistoryModelTest, FilesThatDisagreeAreOfferedARebuildFromTheText) {
    // A line without its record: said with the offer to rebuild, at the start and at every change.
    const std::string line = "1001  18.05.2002   3 12 25 31 40 49   24  63  20  2  411";
    writeBytes(path("Losowania.txt"), line + "\r\n");
    const std::string problem =
        "Liczba wierszy pliku Losowania.txt (1) nie zgadza się z liczbą zapisów pliku Losowanie.dat (0) !";
    const std::string offer = "question: " + problem + " " + kRepairQuestion;
    answer({false});
    EXPECT_TRUE(model->loadHistory(questions).messages.empty());
    EXPECT_EQ(model->drawHistory().lines.size(), 1u); // what could be read is shown
    EXPECT_EQ(model->statistics(50).historySize, 0u); // but nothing of it is counted
    answer({false, false});
    EXPECT_FALSE(model->addDraw("18.05.2002", ticked({3, 12, 25, 31, 40, 49}), questions).drawStored);
    EXPECT_FALSE(model->deleteDraw(0, questions).drawStored);
    EXPECT_EQ(questions.asked, (std::vector<std::string>{offer, offer, offer}));
    EXPECT_EQ(bytesOf(path("Losowanie.dat")), "");

    // Yes: the records and the totals are made again from the text, the old files kept beside them, and
    // the deletion asked for goes on.
    answer({true, true});
    const Outcome rebuilt = model->deleteDraw(0, questions);
    EXPECT_EQ(rebuilt.messages, std::vector<Message>{information(repairedMessage({kDrawRecordFile, kTotalsFile}))});
    EXPECT_TRUE(rebuilt.drawStored);
    EXPECT_EQ(questions.asked.back(), kDeleteQuestion);
    EXPECT_EQ(bytesOf(path("Stat.dat.bak")), std::string(kStatRecordSize, '\0'));
    EXPECT_EQ(bytesOf(path("Losowanie.dat.bak")), "");
    EXPECT_TRUE(model->drawHistory().lines.empty());
    EXPECT_EQ(model->drawHistory().problem, std::nullopt);

    // A line the program cannot have written is named, and nothing is rebuilt.
    writeBytes(path("Losowania.txt"), line + "\r\n1002 recznie dopisane\r\n");
    answer({true});
    const Outcome named = model->loadHistory(questions);
    ASSERT_EQ(named.messages.size(), 1u);
    EXPECT_EQ(named.messages[0].text.substr(0, 33), "Wiersz 2 pliku Losowania.txt nie ");
    EXPECT_EQ(bytesOf(path("Losowanie.dat")), "");
}

TEST_F(DrawHistoryModelTest, AMissingFileIsNamedAtStartUpAndByPostProcessing) {
    answer({true});
    ASSERT_TRUE(model->addDraw("18.05.2002", ticked({1, 2, 3, 20, 21, 22}), questions).drawStored);
    std::filesystem::remove(path("Losowanie.dat"));
    const std::string missing = "Nie można odczytać pliku Losowanie.dat (File not found) !";
    answer({false});
    EXPECT_TRUE(model->loadHistory(questions).messages.empty());
    EXPECT_EQ(questions.asked.back(), "question: " + missing + " " + kRepairQuestion);
    // The draw list is there, so the player sees what the rebuild would start from.
    EXPECT_EQ(model->drawHistory().lines.size(), 1u);

    enterWithThreeRows();
    build(GuaranteeMode::Full);
    EXPECT_EQ(model->reduceByRecentDraws().messages, std::vector<Message>{information(missing)});
    EXPECT_EQ(lines().size(), 3u);

    // The text alone missing leaves nothing to rebuild from: said as the error it is.
    std::filesystem::remove(path("Losowania.txt"));
    EXPECT_EQ(
        model->loadHistory(questions).messages,
        (std::vector<Message>{{Message::Kind::Error, "Nie można odczytać pliku Losowania.txt (File not found) !"}}));
    EXPECT_FALSE(model->addDraw("18.05.2002", ticked({3, 12, 25, 31, 40, 49}), questions).drawStored);
}

TEST_F(DrawHistoryModelTest, AChangeCutShortIsUndoneAtTheNextStartAndSaidSo) {
    answer({true});
    ASSERT_TRUE(model->addDraw("18.05.2002", ticked({1, 2, 3, 20, 21, 22}), questions).drawStored);
    const std::string text = bytesOf(path("Losowania.txt"));
    // What the program leaves when it is killed after the journal is written and the text appended.
    const std::vector<JournalEntry> undo = {{JournalEntry::Kind::Length, "Losowania.txt", text.size(), {}},
                                            {JournalEntry::Kind::Length, "Losowanie.dat", 20, {}},
                                            {JournalEntry::Kind::Length, "Stat.dat", 2 * kStatRecordSize, {}}};
    writeBytes(path(kHistoryJournalFile), encodeJournal(undo));
    writeBytes(path("Losowania.txt"), text + "1002  25.05.2002   1  2  3  4  5  6   33  16  21  6  330\r\n");
    writeBytes(path(".Losowania.txt.999999.0.tmp"), "half of a deletion");

    EXPECT_EQ(model->loadHistory(questions).messages,
              std::vector<Message>{information(kInterruptedChangeUndoneMessage)});
    EXPECT_EQ(model->drawHistory().lines.size(), 1u);
    EXPECT_EQ(bytesOf(path("Losowania.txt")), text);
    EXPECT_EQ(entries(), (std::set<std::string>{"Losowania.txt", "Losowanie.dat", "Stat.dat"}));
    EXPECT_TRUE(model->loadHistory(questions).messages.empty());
}

TEST_F(DrawHistoryModelTest, PostProcessingMakesTheReducedPoolTheNewFullSystem) {
    // The newest draw 1 2 3 20 21 22 shares three Numbers with the first two rows only.
    answer({true});
    ASSERT_TRUE(model->addDraw("18.05.2002", ticked({1, 2, 3, 20, 21, 22}), questions).drawStored);
    enterWith({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 7, 8, 9}, {10, 11, 12, 13, 14, 15}});
    EXPECT_EQ(model->reduceByRecentDraws().stage.screen, Screen::Generator); // only after a full system
    EXPECT_EQ(lines().size(), 0u);
    build(GuaranteeMode::Full);
    questions.fileNames = {""};
    model->saveSystem(questions); // offered: the flag must come back to "not saved"

    const Outcome reduced = model->reduceByRecentDraws(); // "trójki", 10 draws wanted, one stored
    EXPECT_EQ(reduced.messages,
              std::vector<Message>{information("Za mało losowań w historii - wykorzystano 1 z 10 !")});
    EXPECT_EQ(lines(), std::vector<std::string>{" 10 11 12 13 14 15"});
    EXPECT_EQ(model->form().lineCount, 1);
    EXPECT_EQ(model->candidatePool().count(), 1);
    EXPECT_FALSE(model->systemSaved());
    EXPECT_TRUE(reduced.flashSaveButton);
    EXPECT_EQ(reduced.stage.generator, GeneratorMode::PostProcessable);

    // A reduced build afterwards closes post-processing again; it works on the reduced pool.
    EXPECT_EQ(build(GuaranteeMode::Gw4).stage.generator, GeneratorMode::Built);
    EXPECT_EQ(lines().size(), 1u);
}

TEST_F(DrawHistoryModelTest, PostProcessingWithoutDrawsChangesNothing) {
    enterWithThreeRows();
    build(GuaranteeMode::Full);
    questions.fileNames = {""};
    model->saveSystem(questions);
    model->setLastDrawsChoice(2);

    const Outcome untouched = model->reduceByLastDraws();

    EXPECT_EQ(untouched.messages, std::vector<Message>{information(
                                      "Za mało losowań w historii - wykorzystano 0 z 2, system pozostał bez zmian !")});
    EXPECT_EQ(lines().size(), 3u);
    EXPECT_TRUE(model->systemSaved());
    EXPECT_FALSE(untouched.flashSaveButton);
}

TEST(DrawsToUseSpinner, StepsByTenBetweenTenAndFiveHundred) {
    ApplicationModel model(".", 0);
    model.stepDrawsToUse(-1);
    EXPECT_EQ(model.form().drawsToUse, 10);
    model.stepDrawsToUse(9);
    EXPECT_EQ(drawsToUseText(model.form().drawsToUse), "100");
    model.stepDrawsToUse(100);
    EXPECT_EQ(model.form().drawsToUse, 500);
}

TEST_F(DrawHistoryModelTest, ImportedDrawsAreAskedForAndStoredAllTogether) {
    writeBytes(path("wyniki.csv"), "date,n1,n2,n3,n4,n5,n6\n2025-11-08,7,10,20,30,35,39\n"
                                   "2025-11-11,1,5,14,26,46,47\n2025-11-13,1,18,31,37,42,43\n");
    questions.fileNames = {path("wyniki.csv")};
    answer({false});
    EXPECT_FALSE(model->importDraws(questions).drawStored);
    EXPECT_EQ(questions.asked.back(), "question: Dodać 3 losowania ?");
    EXPECT_TRUE(model->drawHistory().lines.empty());

    questions.fileNames = {path("wyniki.csv")};
    answer({true});
    EXPECT_TRUE(model->importDraws(questions).drawStored);
    ASSERT_EQ(model->drawHistory().lines.size(), 3u);
    EXPECT_EQ(model->drawHistory().lines[2].substr(0, 18), "1003  13.11.2025  ");
    EXPECT_EQ(bytesOf(path("Losowanie.dat")).size(), 60u);
    EXPECT_EQ(bytesOf(path("Stat.dat")).size(), 4 * kStatRecordSize); // one totals record per draw

    // The same file again holds nothing new: one sentence, no question.
    questions.fileNames = {path("wyniki.csv")};
    EXPECT_EQ(model->importDraws(questions).messages, std::vector<Message>{information(kNothingNewToImportMessage)});
    // A newer archive adds only its new draws.
    writeBytes(path("wyniki.csv"), bytesOf(path("wyniki.csv")) + "2025-11-15;2;12;19;32;39;44\n");
    questions.fileNames = {path("wyniki.csv")};
    answer({true});
    EXPECT_TRUE(model->importDraws(questions).drawStored);
    EXPECT_EQ(questions.asked.back(), "question: Dodać 1 losowanie ? (3 już są w historii)");
    EXPECT_EQ(model->drawHistory().lines.size(), 4u);

    // A file with a bad line: named by its line number, nothing added.
    std::string text = "date,n1,n2,n3,n4,n5,n6\n";
    for (int line = 2; line < 1234; ++line)
        text += "2025-11-15,2,12,19,32,39,44\n";
    text += "2025-11-18,2,12,19,32,39,39\n";
    writeBytes(path("zle.csv"), text);
    const std::string before = bytesOf(path("Losowania.txt"));
    questions.fileNames = {path("zle.csv")};
    const std::vector<Message> refused = model->importDraws(questions).messages;
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0].text.substr(0, 13), "Wiersz 1234 p");
    EXPECT_EQ(bytesOf(path("Losowania.txt")), before);
    EXPECT_EQ(model->drawHistory().lines.size(), 4u);

    // Only a regular file is read, and not one larger than any results file.
    ASSERT_EQ(mkfifo(path("fifo.csv").c_str(), 0600), 0);
    questions.fileNames = {path("fifo.csv"), "/dev/zero"};
    EXPECT_EQ(model->importDraws(questions).messages,
              (std::vector<Message>{{Message::Kind::Error, notRegularFileMessage(path("fifo.csv"))}}));
    EXPECT_EQ(model->importDraws(questions).messages,
              (std::vector<Message>{{Message::Kind::Error, notRegularFileMessage("/dev/zero")}}));
    writeBytes(path("duzy.csv"), "");
    std::filesystem::resize_file(path("duzy.csv"), 17 * 1024 * 1024);
    questions.fileNames = {path("duzy.csv")};
    EXPECT_EQ(model->importDraws(questions).messages,
              std::vector<Message>{information("Plik jest za duży na plik z wynikami losowań !")});
}

TEST_F(DrawHistoryModelTest, AnImportThatWouldPassDrawNumber9999IsRefused) {
    const DrawRecord last = makeDrawRecord(9998, {1, 2, 3, 4, 5, 6});
    StatRecord totals;
    countDraw(totals, last, +1);
    const auto record = encodeDrawRecord(last);
    const auto zero = encodeStatRecord(StatRecord{}), counted = encodeStatRecord(totals);
    writeBytes(path("Losowania.txt"), historyLine(last, "18.05.2002") + "\r\n");
    writeBytes(path("Losowanie.dat"), std::string(record.begin(), record.end()));
    writeBytes(path("Stat.dat"), std::string(zero.begin(), zero.end()) + std::string(counted.begin(), counted.end()));
    ASSERT_TRUE(model->loadHistory(questions).messages.empty());
    writeBytes(path("dwa.csv"), "date,n1,n2,n3,n4,n5,n6\n2025-11-08,7,10,20,30,35,39\n2025-11-11,1,5,14,26,46,47\n");
    questions.fileNames = {path("dwa.csv")};
    EXPECT_EQ(model->importDraws(questions).messages,
              std::vector<Message>{information("Tylu losowań nie można dodać - numer losowania przekroczyłby 9999 !")});
    EXPECT_EQ(model->drawHistory().lines.size(), 1u);
}
