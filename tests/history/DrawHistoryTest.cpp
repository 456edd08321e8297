#include "history/DrawHistory.h"

#include "HistoryFiles.h"
#include "history/DrawImport.h"
#include "support/DirectoryTest.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>
#include <sys/stat.h>

using namespace selektor;
using namespace selektor::test;

namespace {

std::string encoded(const DrawRecord& record) {
    const DrawRecordBytes bytes = encodeDrawRecord(record);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string encoded(const StatRecord& totals) {
    const StatRecordBytes bytes = encodeStatRecord(totals);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

class DrawHistoryFiles : public DirectoryTest {
protected:
    void SetUp() override {
        DirectoryTest::SetUp();
        writeHistory("", "", kZeroTotals);
    }
    void writeHistory(const std::string& text, const std::string& records, const std::string& totals) {
        writeBytes(path(kHistoryTextFile), text);
        writeBytes(path(kDrawRecordFile), records);
        writeBytes(path(kTotalsFile), totals);
    }
    // A store freshly loaded from the folder, as at the next start of the program.
    DrawHistory reloaded() {
        DrawHistoryStore store(directory().string());
        store.load();
        return store.history();
    }
};

} // namespace

TEST_F(DrawHistoryFiles, DrawsAreAddedAndDeletedInAllThreeFiles) {
    DrawHistoryStore store(directory().string());
    store.load();
    EXPECT_EQ(store.history().problem, std::nullopt);
    EXPECT_EQ(store.recencyTable(), decltype(store.recencyTable()){});

    enterNumbers(store, {3, 12, 25, 31, 40, 49});
    EXPECT_EQ(store.history().records.at(0).drawNumber, 1001);
    const StatRecord afterFirst = store.history().totals;
    enterNumbers(store, {1, 2, 3, 4, 5, 6}, "25.05.2002");
    EXPECT_EQ(bytesOf(path(kDrawRecordFile)).size(), 40u);
    EXPECT_EQ(bytesOf(path(kTotalsFile)).size(), 3 * kStatRecordSize);
    EXPECT_EQ(store.history().totals.drawCount, 2);
    EXPECT_EQ(bytesOf(path(kHistoryTextFile)), "1001  18.05.2002   3 12 25 31 40 49   24  63  20  2  411\r\n"
                                               "1002  25.05.2002   1  2  3  4  5  6   33  16  21  6  330\r\n");
    EXPECT_EQ(store.newestRecords(5), (std::vector{store.history().records[1], store.history().records[0]}));
    // 3 came up in both draws: the newest counts.
    EXPECT_EQ(store.recencyTable()[3 - 1], 1);
    EXPECT_EQ(store.recencyTable()[49 - 1], 2);
    EXPECT_EQ(store.recencyTable()[7 - 1], 0);

    // Deleting the newest draw makes its number the next one again; the journal grows on deletion too.
    store.deleteDraw(1);
    EXPECT_EQ(store.history().totals, afterFirst);
    EXPECT_EQ(store.history().journalRecords, 4);
    enterNumbers(store, {7, 16, 25, 34, 43, 49});
    EXPECT_EQ(store.history().records.at(1).drawNumber, 1002);

    // Deleting a middle draw leaves a gap; later records move down with their numbers.
    enterNumbers(store, {44, 45, 46, 47, 48, 49});
    store.deleteDraw(1);
    EXPECT_EQ(store.history().lines.at(1).substr(0, 4), "1003");
    EXPECT_EQ(bytesOf(path(kDrawRecordFile)), encoded(makeDrawRecord(1001, {3, 12, 25, 31, 40, 49})) +
                                                  encoded(makeDrawRecord(1003, {44, 45, 46, 47, 48, 49})));
    EXPECT_EQ(reloaded(), store.history());

    // Deleting every draw leaves empty files and, last in the journal, the totals of the empty history.
    store.deleteDraw(1);
    store.deleteDraw(0);
    EXPECT_EQ(bytesOf(path(kHistoryTextFile)), "");
    EXPECT_EQ(bytesOf(path(kDrawRecordFile)), "");
    EXPECT_EQ(bytesOf(path(kTotalsFile)).substr(8 * kStatRecordSize), kZeroTotals);
    EXPECT_EQ(reloaded(), store.history());
    EXPECT_EQ(entries(), (std::set<std::string>{kHistoryTextFile, kDrawRecordFile, kTotalsFile}));
}

TEST_F(DrawHistoryFiles, AnotherProgramsTextIsKeptAsItIs) {
    // Lone LF line ends and a last line without an end, as an editor may leave them.
    const DrawRecord first = makeDrawRecord(1001, {3, 12, 25, 31, 40, 49});
    const DrawRecord second = makeDrawRecord(1002, {1, 2, 3, 4, 5, 6});
    StatRecord totals;
    countDraw(totals, first, +1);
    countDraw(totals, second, +1);
    writeHistory("1001 a\n1002 b", encoded(first) + encoded(second), kZeroTotals + encoded(totals));
    DrawHistoryStore store(directory().string());
    store.load();
    ASSERT_EQ(store.history().problem, std::nullopt);
    enterNumbers(store, {10, 20, 30, 40, 41, 42});
    EXPECT_EQ(bytesOf(path(kHistoryTextFile)).substr(0, 19), "1001 a\n1002 b\r\n1003");
    EXPECT_EQ(reloaded(), store.history());
}

TEST_F(DrawHistoryFiles, EveryLoadCheckNamesWhatIsWrong) {
    const DrawRecord draw = makeDrawRecord(1001, {3, 12, 25, 31, 40, 49});
    const std::string line = historyLine(draw, "18.05.2002") + "\r\n";
    StatRecord one;
    countDraw(one, draw, +1);
    DrawRecord unsound = draw;
    unsound.edgeCount = 3;
    const DrawRecord beyond = makeDrawRecord(10000, draw.numbers);
    const DrawRecord next = makeDrawRecord(1002, {1, 2, 3, 4, 5, 6});
    const std::string later = historyLine(makeDrawRecord(1000, draw.numbers), "x") + "\r\n";
    struct Case {
        std::string text, records, totals, problem;
    };
    const Case cases[] = {
        {line, encoded(draw) + "x", encoded(one),
         "Plik Losowanie.dat jest uszkodzony - jego długość nie jest wielokrotnością 20 bajtów !"},
        {line, encoded(draw), "", "Plik Stat.dat jest pusty - nie ma w nim ani jednego zapisu statystyki !"},
        {line, encoded(draw), encoded(one) + "x",
         "Plik Stat.dat jest uszkodzony - jego długość nie jest wielokrotnością 604 bajtów !"},
        {line + line, encoded(draw), encoded(one),
         "Liczba wierszy pliku Losowania.txt (2) nie zgadza się z liczbą zapisów pliku Losowanie.dat (1) !"},
        {line, encoded(draw), kZeroTotals,
         "Liczba losowań w ostatnim zapisie pliku Stat.dat (0) nie zgadza się z liczbą zapisów pliku Losowanie.dat "
         "(1) !"},
        {"x" + line, encoded(draw), encoded(one), lineWithoutDrawNumberMessage(0)},
        {"1000" + line, encoded(beyond), encoded(one),
         "Zapis 1 pliku Losowanie.dat ma numer losowania 10000, większy od ostatniego możliwego 9999 !"},
        {line, encoded(unsound), encoded(one),
         "Zapis 1 pliku Losowanie.dat jest uszkodzony - jego liczby lub ich układy są błędne !"},
        {"1002" + line.substr(4), encoded(draw), encoded(one),
         "Wiersz 1 pliku Losowania.txt ma numer losowania 1002, a zapis 1 pliku Losowanie.dat numer 1001 - pliki "
         "nie zgadzają się ze sobą !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        writeHistory(c.text, c.records, c.totals);
        DrawHistoryStore store(directory().string());
        store.load();
        EXPECT_EQ(store.history().problem, c.problem);
        // The history is still read; it is not written on.
        EXPECT_EQ(messageOf([&] { store.deleteDraw(0); }), c.problem);
        EXPECT_EQ(messageOf([&] { store.appendDraw(historyLine(next, "x"), next); }), c.problem);
        EXPECT_EQ(bytesOf(path(kHistoryTextFile)), c.text);
        EXPECT_EQ(bytesOf(path(kDrawRecordFile)), c.records);
        EXPECT_EQ(bytesOf(path(kTotalsFile)), c.totals);
    }
    // Numbers that do not rise.
    countDraw(one, draw, +1);
    writeHistory(line + later, encoded(draw) + encoded(makeDrawRecord(1000, draw.numbers)), encoded(one));
    EXPECT_EQ(reloaded().problem,
              "Numery losowań nie rosną - w wierszu 2 pliku Losowania.txt po losowaniu 1001 stoi losowanie 1000 !");
}

TEST_F(DrawHistoryFiles, AMissingFileIsNamedAndNeverMadeWhileTheDrawListIsStillShown) {
    const std::string line = historyLine(makeDrawRecord(1001, {3, 12, 25, 31, 40, 49}), "18.05.2002");
    for (const char* name : {kHistoryTextFile, kDrawRecordFile, kTotalsFile}) {
        SCOPED_TRACE(name);
        writeHistory(line + "\r\n", "", kZeroTotals);
        std::filesystem::remove(path(name));
        DrawHistoryStore store(directory().string());
        const std::string missing = "Nie można odczytać pliku " + std::string(name) + " (File not found) !";
        EXPECT_EQ(messageOf([&] { store.load(); }), missing);
        EXPECT_EQ(store.history().problem, missing);
        // The list is what the text holds, so long as there is a text; nothing else is read.
        EXPECT_EQ(store.history().lines.size(), name == kHistoryTextFile ? 0u : 1u);
        EXPECT_TRUE(store.history().records.empty());
        EXPECT_EQ(store.repairable(), name != kHistoryTextFile);
        EXPECT_EQ(messageOf([&] { enterNumbers(store, {1, 2, 3, 4, 5, 6}); }), missing);
        EXPECT_EQ(entries().count(name), 0u);
    }
    DrawHistoryStore nowhere(path("no such folder"));
    EXPECT_EQ(messageOf([&] { nowhere.load(); }), "Nie można odczytać pliku Losowania.txt (Path not found) !");
    DrawHistoryStore unloaded(directory().string());
    EXPECT_EQ(messageOf([&] { unloaded.deleteDraw(0); }), kHistoryNotLoadedMessage);
}

TEST_F(DrawHistoryFiles, ChangesThatWouldBreakTheFilesAreRefused) {
    DrawHistoryStore store(directory().string());
    store.load();
    enterNumbers(store, {3, 12, 25, 31, 40, 49});
    const DrawRecord next = makeDrawRecord(1002, {1, 2, 3, 4, 5, 6});
    DrawRecord unsound = next;
    unsound.groupDCount = 6;
    const std::string line = historyLine(next, "18.05.2002");
    const struct {
        std::string line;
        DrawRecord record;
    } refused[] = {
        {line, makeDrawRecord(1003, next.numbers)},
        {historyLine(unsound, "x"), unsound},
        {"1002  18.05\r\n2002", next},
        {"1003" + line.substr(4), next},
    };
    for (const auto& r : refused)
        EXPECT_EQ(messageOf([&] { store.appendDraw(r.line, r.record); }), kUnsoundNewDrawMessage) << r.line;
    EXPECT_EQ(messageOf([&] { store.deleteDraw(1); }), kNoDrawSelectedMessage);

    // A second copy of the program added a draw since this one loaded: nothing is written over it.
    writeBytes(path(kDrawRecordFile), bytesOf(path(kDrawRecordFile)) + encoded(next));
    EXPECT_EQ(messageOf([&] { store.appendDraw(line, next); }), kHistoryChangedMessage);
    EXPECT_EQ(messageOf([&] { store.deleteDraw(0); }), kHistoryChangedMessage);
    EXPECT_EQ(store.history().lines.size(), 1u);
    EXPECT_EQ(bytesOf(path(kHistoryTextFile)), store.history().lines[0] + "\r\n");
}

TEST(Recency, CountsDrawsBackToEachNumbersNewestDrawAndHoldsAtTheByte) {
    std::vector<DrawRecord> records;
    records.push_back(makeDrawRecord(1001, {1, 2, 3, 4, 5, 48}));
    for (int i = 0; i < 300; ++i)
        records.push_back(makeDrawRecord(1002 + i, {1, 2, 3, 4, 5, static_cast<Number>(6 + i % 42)}));
    const auto table = recencyTable(records);
    // Draw k of the 301 came up 301 - k draws ago; 6 to 47 come round every 42 draws.
    EXPECT_EQ(table[1 - 1], 1);
    EXPECT_EQ(table[11 - 1], 1);   // k = 300
    EXPECT_EQ(table[6 - 1], 6);    // k = 295
    EXPECT_EQ(table[47 - 1], 7);   // k = 294
    EXPECT_EQ(table[48 - 1], 255); // 301 draws ago
    EXPECT_EQ(table[49 - 1], 0);   // never
    EXPECT_EQ(recencyTable({}), decltype(table){});
}

TEST_F(DrawHistoryFiles, ThePipesDevicesAndGiantsNoHistoryCanBeAreRefusedAtOnce) {
    const std::string line = historyLine(makeDrawRecord(1001, {3, 12, 25, 31, 40, 49}), "18.05.2002") + "\r\n";
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
        std::string problem;
    };
    const Case cases[] = {
        {kHistoryTextFile, [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); },
         "Plik Losowania.txt nie jest zwykłym plikiem i nie może zostać odczytany !"},
        {kHistoryTextFile, [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); },
         "Plik Losowania.txt nie jest zwykłym plikiem i nie może zostać odczytany !"},
        {kHistoryTextFile,
         [](const std::string& p) {
             writeBytes(p, "");
             std::filesystem::resize_file(p, 200 << 20);
         },
         "Plik Losowania.txt jest za duży - historia może mieć najwyżej 8999 losowań !"},
        {kDrawRecordFile, [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); },
         "Plik Losowanie.dat nie jest zwykłym plikiem i nie może zostać odczytany !"},
        {kDrawRecordFile,
         [](const std::string& p) {
             writeBytes(p, "");
             std::filesystem::resize_file(p, 9000 * kDrawRecordSize);
         },
         "Plik Losowanie.dat jest za duży - historia może mieć najwyżej 8999 losowań !"},
        {kTotalsFile, [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); },
         "Plik Stat.dat nie jest zwykłym plikiem i nie może zostać odczytany !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        writeHistory(line, "", kZeroTotals);
        std::filesystem::remove(path(c.name));
        c.make(path(c.name));
        DrawHistoryStore store(directory().string());
        EXPECT_EQ(messageOf([&] { store.load(); }), c.problem);
        EXPECT_EQ(store.history().lines.size(), c.name == kHistoryTextFile ? 0u : 1u);
        std::filesystem::remove(path(c.name));
    }
}

TEST_F(DrawHistoryFiles, TotalsThatAreNotTheRecordsOwnCountsAreDamage) {
    DrawHistoryStore store(directory().string());
    store.load();
    enterNumbers(store, {3, 12, 25, 31, 40, 49});
    enterNumbers(store, {1, 2, 3, 4, 5, 6});
    const std::string totals = bytesOf(path(kTotalsFile));
    const StatRecord last = store.history().totals;
    const struct {
        std::function<void(StatRecord&)> damage;
        const char* problem;
    } cases[] = {
        {[](StatRecord& t) { t.numberCounts[2] += 500; },
         "Ostatni zapis pliku Stat.dat nie zgadza się z losowaniami pliku Losowanie.dat - jego liczniki są "
         "uszkodzone !"},
        {[](StatRecord& t) { t.sumCounts[0] = -1; },
         "Ostatni zapis pliku Stat.dat jest uszkodzony - ma ujemny licznik !"},
        // Counting the draw out of such a cell would go below the smallest integer.
        {[](StatRecord& t) { t.dsgCounts[3][1] = std::numeric_limits<std::int32_t>::min(); },
         "Ostatni zapis pliku Stat.dat jest uszkodzony - ma ujemny licznik !"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        StatRecord damaged = last;
        c.damage(damaged);
        writeBytes(path(kTotalsFile), totals.substr(0, totals.size() - kStatRecordSize) + encoded(damaged));
        EXPECT_EQ(reloaded().problem, c.problem);
    }
}

TEST_F(DrawHistoryFiles, TheRebuildTakesEveryDrawFromTheTextAndKeepsTheOldFiles) {
    std::ifstream csv(SELEKTOR_TEST_DATA_DIR "/poland_lotto_6of49.csv", std::ios::binary);
    const DrawImport real = readDrawCsv(std::string(std::istreambuf_iterator<char>(csv), {}));
    ASSERT_EQ(real.draws.size(), 7275u);
    std::string text, records, totals = kZeroTotals;
    StatRecord counted;
    for (std::size_t i = 0; i < real.draws.size(); ++i) {
        const DrawRecord record = makeDrawRecord(1001 + static_cast<std::int32_t>(i), real.draws[i].numbers);
        text += historyLine(record, real.draws[i].date) + "\r\n";
        records += encoded(record);
        countDraw(counted, record, +1);
        totals += encoded(counted);
    }
    // The records of a program that wrote their reserved bytes, and totals cut short.
    std::string odd = records;
    odd[17] = 'x';
    writeHistory(text, odd, totals.substr(0, 1000));
    DrawHistoryStore store(directory().string());
    store.load();
    ASSERT_TRUE(store.history().problem);
    ASSERT_TRUE(store.repairable());
    EXPECT_EQ(store.repair(), (std::vector<std::string>{kDrawRecordFile, kTotalsFile}));
    EXPECT_EQ(store.history().problem, std::nullopt);
    EXPECT_EQ(bytesOf(path(kDrawRecordFile)), records);
    EXPECT_EQ(bytesOf(path(kTotalsFile)), totals);
    EXPECT_EQ(bytesOf(path("Losowanie.dat.bak")), odd);
    EXPECT_EQ(bytesOf(path("Stat.dat.bak")), totals.substr(0, 1000));
    EXPECT_EQ(bytesOf(path(kHistoryTextFile)), text);
    EXPECT_EQ(reloaded(), store.history());

    // A line changed by hand is named and stops the rebuild before any file is touched.
    writeHistory(text + "9999  01.01.2030   1  2  3  4  5  6   33  16  21  6  331\r\n", records, totals);
    store.load();
    EXPECT_EQ(messageOf([&] { store.repair(); }),
              "Wiersz 7276 pliku Losowania.txt nie jest wierszem losowania (numer większy od poprzedniego, data, sześć "
              "liczb rosnąco i ich układy, tak jak zapisuje je program) - nic nie zostało odbudowane !");
    EXPECT_EQ(bytesOf(path(kDrawRecordFile)), records);
    EXPECT_EQ(bytesOf(path("Losowanie.dat.bak")), odd);

    // A missing file is made anew, and only the one there was is kept aside and named.
    writeHistory(text, records, totals);
    std::filesystem::remove(path(kDrawRecordFile));
    std::filesystem::remove(path("Losowanie.dat.bak"));
    EXPECT_THROW(store.load(), FileError);
    EXPECT_EQ(store.repair(), std::vector<std::string>{kTotalsFile});
    EXPECT_EQ(bytesOf(path(kDrawRecordFile)), records);
    EXPECT_FALSE(std::filesystem::exists(path("Losowanie.dat.bak")));
    EXPECT_EQ(repairedMessage({kTotalsFile}), "Pliki Losowanie.dat i Stat.dat zostały odbudowane z pliku "
                                              "Losowania.txt, poprzedni plik zachowano jako Stat.dat.bak !");
    EXPECT_EQ(repairedMessage({}), "Pliki Losowanie.dat i Stat.dat zostały odbudowane z pliku Losowania.txt !");
}

TEST_F(DrawHistoryFiles, WhatAChangeCutShortLeftIsPutBackOrRemovedAtTheNextLoad) {
    DrawHistoryStore store(directory().string());
    store.load();
    enterNumbers(store, {3, 12, 25, 31, 40, 49});
    const DrawHistory before = store.history();
    const std::string text = bytesOf(path(kHistoryTextFile));

    // A deletion killed after its new text was in place, and the new records half written beside.
    writeBytes(path(kHistoryJournalFile),
               encodeJournal({{JournalEntry::Kind::Content, kHistoryTextFile, 0, text},
                              {JournalEntry::Kind::Content, kDrawRecordFile, 0, bytesOf(path(kDrawRecordFile))},
                              {JournalEntry::Kind::Length, kTotalsFile, 2 * kStatRecordSize, {}}}));
    writeBytes(path(kHistoryTextFile), "");
    writeBytes(path(".Losowanie.dat.77777777.3.tmp"), "half");
    writeBytes(path(".Losowanie.dat.77777777.3.tmp.kept"), "not the program's name");
    store.load();
    EXPECT_TRUE(store.interruptedChangeUndone());
    EXPECT_EQ(store.history(), before);
    EXPECT_EQ(entries(), (std::set<std::string>{kHistoryTextFile, kDrawRecordFile, kTotalsFile,
                                                ".Losowanie.dat.77777777.3.tmp.kept"}));

    // A journal cut short before it was whole changed nothing: it goes, and nothing is put back.
    std::string cut = encodeJournal({{JournalEntry::Kind::Content, kHistoryTextFile, 0, ""}});
    cut.pop_back();
    writeBytes(path(kHistoryJournalFile), cut);
    store.load();
    EXPECT_FALSE(store.interruptedChangeUndone());
    EXPECT_EQ(store.history(), before);
    EXPECT_EQ(entries().count(kHistoryJournalFile), 0u);
    // Nor is a journal that names a file of another set (or of another folder) ever played back.
    EXPECT_FALSE(decodeJournal(encodeJournal({{JournalEntry::Kind::Absent, "../PX1.txt", 0, {}}}),
                               {kHistoryTextFile, kDrawRecordFile, kTotalsFile}));
}
