#include "history/DrawHistory.h"

#include "HistoryFiles.h"
#include "support/DirectoryTest.h"

#include <gtest/gtest.h>

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

TEST_F(DrawHistoryFiles, AMissingFileIsReportedAndNeverMade) {
    for (const char* name : {kHistoryTextFile, kDrawRecordFile, kTotalsFile}) {
        SCOPED_TRACE(name);
        writeHistory("", "", kZeroTotals);
        std::filesystem::remove(path(name));
        DrawHistoryStore store(directory().string());
        EXPECT_EQ(messageOf([&] { store.load(); }), "File not found");
        EXPECT_EQ(store.history().problem, "File not found");
        EXPECT_EQ(messageOf([&] { enterNumbers(store, {1, 2, 3, 4, 5, 6}); }), "File not found");
        EXPECT_EQ(entries().count(name), 0u);
    }
    DrawHistoryStore nowhere(path("no such folder"));
    EXPECT_EQ(messageOf([&] { nowhere.load(); }), "Path not found");
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
