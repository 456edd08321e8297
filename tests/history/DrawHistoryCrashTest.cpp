// The draw history survives the program stopped at any moment of any change: after every k-th file
// operation of an addition, a deletion, an import and a rebuild, killed or with the power gone, the next
// start shows the history exactly as before the change or exactly as after it.

#include "HistoryFiles.h"
#include "history/DrawHistory.h"
#include "support/CrashEverywhere.h"

#include <functional>
#include <gtest/gtest.h>
#include <iostream>

using namespace selektor;
using namespace selektor::test;

namespace {

// Small pieces, so that a write is cut anywhere in its bytes.
MemoryFiles threeDraws() {
    MemoryFiles files(97);
    files.folders.insert("data");
    files.files = {{"data/Losowania.txt", ""}, {"data/Losowanie.dat", ""}, {"data/Stat.dat", kZeroTotals}};
    DrawHistoryStore store("data", files);
    store.load();
    enterNumbers(store, {3, 12, 25, 31, 40, 49});
    enterNumbers(store, {1, 2, 3, 4, 5, 6}, "25.05.2002");
    enterNumbers(store, {44, 45, 46, 47, 48, 49}, "01.06.2002");
    return files;
}

DrawHistory shown(MemoryFiles& files) {
    DrawHistoryStore store("data", files);
    try {
        store.load();
    } catch (const FileError&) {
    }
    return store.history();
}

int crashEveryChange(const MemoryFiles& start, const std::function<void(DrawHistoryStore&)>& change) {
    return crashEverywhere(start, shown, [&](MemoryFiles& files) {
        DrawHistoryStore store("data", files);
        try {
            store.load();
        } catch (const FileError&) {
            // A missing file, which the rebuild makes again.
        }
        change(store);
    });
}

DrawHistoryStore::NewDraw newDraw(std::int32_t number, const Combination& numbers, const char* date) {
    const DrawRecord record = makeDrawRecord(number, numbers);
    return {historyLine(record, date), record};
}

} // namespace

TEST(DrawHistoryCrashes, EveryChangeIsWholeOrNotThereAtTheNextStart) {
    const MemoryFiles start = threeDraws();
    int crashes = 0;
    crashes += crashEveryChange(start, [](DrawHistoryStore& s) { enterNumbers(s, {7, 16, 25, 34, 43, 49}); });
    crashes += crashEveryChange(start, [](DrawHistoryStore& s) { s.deleteDraw(1); });
    crashes += crashEveryChange(start, [](DrawHistoryStore& s) { s.deleteDraw(2); });
    crashes += crashEveryChange(start, [](DrawHistoryStore& s) {
        const DrawHistoryStore::NewDraw draws[] = {newDraw(1004, {1, 5, 14, 26, 46, 47}, "08.06.2002"),
                                                   newDraw(1005, {1, 18, 31, 37, 42, 43}, "15.06.2002")};
        s.appendDraws(draws);
    });

    // The rebuild of files that disagree (a record lost), once with an older copy in the way.
    MemoryFiles broken = start;
    std::string& records = broken.files.at("data/Losowanie.dat");
    records.resize(records.size() - kDrawRecordSize);
    crashes += crashEveryChange(broken, [](DrawHistoryStore& s) { s.repair(); });
    broken.files["data/Stat.dat.bak"] = "an older copy";
    broken.files.erase("data/Losowanie.dat");
    crashes += crashEveryChange(broken, [](DrawHistoryStore& s) { s.repair(); });
    EXPECT_GT(crashes, 500);
    std::cout << crashes << " crashes, every one whole or not there\n";
}
