// A change of the draw history is all or nothing: whichever step of whichever file fails, the three
// files are afterwards byte for byte as before and the store's history is the one it had, or, when the
// failure did no harm, everything is as after the change. Should even putting them back fail, the next
// start does it.

#include "HistoryFiles.h"
#include "history/DrawHistory.h"
#include "support/MemoryFiles.h"

#include <functional>
#include <gtest/gtest.h>

using namespace selektor;
using namespace selektor::test;

namespace {

using Step = MemoryFiles::Step;
using Change = std::function<void(DrawHistoryStore&)>;

// A history of three draws in the folder "data".
MemoryFiles threeDraws() {
    MemoryFiles files;
    files.folders.insert("data");
    files.files = {{"data/Losowania.txt", ""}, {"data/Losowanie.dat", ""}, {"data/Stat.dat", kZeroTotals}};
    DrawHistoryStore store("data", files);
    store.load();
    enterNumbers(store, {3, 12, 25, 31, 40, 49});
    enterNumbers(store, {1, 2, 3, 4, 5, 6});
    enterNumbers(store, {44, 45, 46, 47, 48, 49});
    return files;
}

DrawHistory loaded(MemoryFiles files) {
    DrawHistoryStore store("data", files);
    store.load();
    return store.history();
}

// Every step that changes a file or makes a change durable or visible fails in turn, at every call it
// gets. `harmless` counts the calls whose failure the change may shrug off: syncing and closing the
// folder once a new name (a new version, the journal made or removed) stands, closing the file that was
// only opened to see that it may be written, and looking for the journal of another change.
void failEveryStep(const Change& change, const std::map<Step, int>& harmless) {
    const MemoryFiles start = threeDraws();
    const DrawHistory before = loaded(start);
    ASSERT_EQ(before.problem, std::nullopt);

    MemoryFiles clean = start;
    DrawHistoryStore cleanStore("data", clean);
    cleanStore.load();
    clean.resetCalls();
    change(cleanStore);
    const DrawHistory after = cleanStore.history();
    ASSERT_EQ(loaded(clean), after);

    const struct {
        Step step;
        int error;
    } faults[] = {{Step::Status, EIO}, {Step::Open, EMFILE},          {Step::Resolve, ENOMEM},
                  {Step::Seek, EIO},   {Step::SetPermissions, EPERM}, {Step::Write, ENOSPC},
                  {Step::Sync, EIO},   {Step::Close, EDQUOT},         {Step::Rename, EACCES}};
    int cases = 0;
    for (const auto& fault : faults) {
        int failed = 0;
        const int calls = clean.calls(fault.step);
        for (int n = 1; n <= calls; ++n, ++cases) {
            SCOPED_TRACE(testing::Message() << "step " << static_cast<int>(fault.step) << ", call " << n);
            MemoryFiles files = start;
            DrawHistoryStore store("data", files);
            store.load();
            files.resetCalls();
            files.failAt(fault.step, n, fault.error);
            const std::string message = messageOf([&] { change(store); });
            if (message == "no error") {
                EXPECT_EQ(files.files, clean.files);
                EXPECT_EQ(store.history(), after);
                continue;
            }
            ++failed;
            EXPECT_EQ(message, fileErrorText(fault.error));
            EXPECT_EQ(files.files, start.files); // also: no new version left beside a file
            EXPECT_EQ(store.history(), before);
            EXPECT_EQ(loaded(files), before);
            // Nothing is left half done that would stand in the way of trying again.
            change(store);
            EXPECT_EQ(files.files, clean.files);
        }
        const auto shrugged = harmless.find(fault.step);
        EXPECT_EQ(failed, calls - (shrugged == harmless.end() ? 0 : shrugged->second))
            << "step " << static_cast<int>(fault.step);
    }
    EXPECT_GT(cases, 10);
}

const DrawEntry kFourth = enterDraw({"1003"}, "1.6.2002", [] {
    NumberBoxes boxes{};
    for (int n : {7, 16, 25, 34, 43, 49})
        boxes[n - 1] = 1;
    return boxes;
}());

} // namespace

TEST(DrawHistoryFaults, AnAppendFailingAtAnyStepLeavesTheFilesAndTheHistoryAsTheyWere) {
    // Three appends between the journal made and removed, each of those with the folder synced.
    failEveryStep([](DrawHistoryStore& store) { store.appendDraw(kFourth.line, kFourth.record); },
                  {{Step::Status, 1}, {Step::Open, 2}, {Step::Sync, 2}, {Step::Close, 2}});
}

TEST(DrawHistoryFaults, ADeletionFailingAtAnyStepLeavesTheFilesAndTheHistoryAsTheyWere) {
    // Two new versions (text, records), each with the folder opened, synced and closed after the rename
    // and a probe of the old file closed; then one append (totals); all of it inside the journal.
    failEveryStep([](DrawHistoryStore& store) { store.deleteDraw(1); },
                  {{Step::Status, 1}, {Step::Open, 4}, {Step::Sync, 4}, {Step::Close, 6}});
}

TEST(DrawHistoryFaults, WhenPuttingTheFilesBackFailsTheNextStartDoesIt) {
    struct Case {
        const char* name;
        Change change;
        std::vector<std::pair<Step, int>> faults; // the first fails the change, the second its undo
    };
    const Case cases[] = {
        // The totals' first piece fails; cutting the records file back fails too.
        {"append",
         [](DrawHistoryStore& s) { s.appendDraw(kFourth.line, kFourth.record); },
         {{Step::Write, 4}, {Step::Truncate, 2}}},
        // The records' new version fails; the old text cannot be renamed back into place.
        {"deletion", [](DrawHistoryStore& s) { s.deleteDraw(1); }, {{Step::Sync, 5}, {Step::Rename, 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryFiles files = threeDraws();
        DrawHistoryStore store("data", files);
        store.load();
        const DrawHistory before = store.history();
        files.resetCalls();
        for (const auto& [step, call] : c.faults)
            files.failAt(step, call, step == Step::Write ? ENOSPC : EIO);
        const std::string failure = fileErrorText(c.faults[0].first == Step::Write ? ENOSPC : EIO);
        EXPECT_EQ(messageOf([&] { c.change(store); }), filesDisagreeMessage(failure));
        EXPECT_EQ(store.history().problem, filesDisagreeMessage(failure));
        EXPECT_EQ(store.history().lines, before.lines);
        EXPECT_EQ(store.history().records, before.records);
        EXPECT_FALSE(store.repairable()); // the journal knows better than the text
        const auto written = files.files;
        EXPECT_EQ(messageOf([&] { c.change(store); }), filesDisagreeMessage(failure));
        EXPECT_EQ(files.files, written);

        DrawHistoryStore next("data", files);
        next.load();
        EXPECT_TRUE(next.interruptedChangeUndone());
        EXPECT_EQ(next.history(), before);
        EXPECT_EQ(files.files, threeDraws().files);
    }
    EXPECT_EQ(filesDisagreeMessage("Disk full"),
              "Zapis nie powiódł się (Disk full) i nie udało się od razu przywrócić poprzedniej zawartości plików "
              "Losowania.txt, Losowanie.dat i Stat.dat - zamknij program, a przy następnym uruchomieniu zostanie ona "
              "przywrócona !");
}
