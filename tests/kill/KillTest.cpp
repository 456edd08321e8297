// The program really killed: a child process changes the draw history (additions, deletions, imports) or
// saves the print positions, one change after another, and is killed with SIGKILL at a random moment. The
// next start on what it left must find a history (or seven positions) that the child had at the end of
// one of its changes: never anything half done.
//
// Labelled "kill", so that a developer in a hurry can leave it out (ctest -LE kill).

#include "history/DrawEntry.h"
#include "history/DrawHistory.h"
#include "print/PrintSettings.h"
#include "support/DirectoryTest.h"
#include "support/EmptyHistory.h"
#include "support/MemoryFiles.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace selektor;
using namespace selektor::test;

namespace {

constexpr int kKills = 24;   // of each kind
constexpr int kChanges = 60; // a child's whole run of draw history changes, if it is not killed first
constexpr int kSaves = 10;   // and of print position saves

Combination randomDraw(std::mt19937& random) {
    std::vector<int> all(kHighestNumber);
    for (int n = 0; n < kHighestNumber; ++n)
        all[n] = n + 1;
    std::shuffle(all.begin(), all.end(), random);
    Combination numbers{};
    std::copy_n(all.begin(), kNumbersPerCombination, numbers.begin());
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

DrawHistoryStore::NewDraw entered(const std::vector<std::string>& lines, const Combination& numbers) {
    NumberBoxes boxes{};
    for (Number n : numbers)
        boxes[n - 1] = 1;
    const DrawEntry entry = enterDraw(lines, "18.05.2002", boxes);
    return {entry.line, entry.record};
}

// The child's run: the same changes in the same order for the same seed, wherever the files are.
template <class AfterEach> void changeHistory(DrawHistoryStore& store, AfterEach&& afterEach) {
    std::mt19937 random(20261209);
    for (int change = 0; change < kChanges; ++change) {
        const auto kind = random() % 10;
        const std::size_t draws = store.history().lines.size();
        if (kind < 3 && draws > 0) {
            store.deleteDraw(random() % draws);
        } else if (kind < 5) {
            std::vector<std::string> lines = store.history().lines;
            std::vector<DrawHistoryStore::NewDraw> imported;
            for (int i = 0; i < 3; ++i) {
                imported.push_back(entered(lines, randomDraw(random)));
                lines.push_back(imported.back().line);
            }
            store.appendDraws(imported);
        } else {
            const DrawHistoryStore::NewDraw draw = entered(store.history().lines, randomDraw(random));
            store.appendDraw(draw.line, draw.record);
        }
        afterEach(store.history());
    }
}

enum class End { Finished, Failed, Killed };

// Runs `work` in a child process and kills it once `delay` has passed, unless it ended before.
template <class Work> End runChild(std::chrono::microseconds delay, Work&& work) {
    const pid_t child = fork();
    if (child == 0) {
        try {
            work();
        } catch (...) {
            _exit(2);
        }
        _exit(0);
    }
    const auto deadline = std::chrono::steady_clock::now() + delay;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::microseconds(0)) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return End::Killed;
        }
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, std::chrono::microseconds(50)));
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? End::Finished : End::Failed;
}

// How long `work` takes in a child process that is left to finish.
template <class Work> std::chrono::microseconds wholeRun(Work&& work) {
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(runChild(std::chrono::seconds(50), work), End::Finished);
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - begin);
}

class KillTest : public DirectoryTest {};

} // namespace

TEST_F(KillTest, AHistoryChangedWhenTheProgramIsKilledIsOneTheProgramHadBetweenChanges) {
    // The histories the child passes through, worked out in memory beforehand.
    const std::string folder = directory().string();
    writeEmptyHistory(folder);
    DrawHistoryStore seeded(folder);
    seeded.load();
    std::mt19937 draws(7);
    for (int i = 0; i < 200; ++i) {
        const DrawHistoryStore::NewDraw draw = entered(seeded.history().lines, randomDraw(draws));
        seeded.appendDraw(draw.line, draw.record);
    }
    std::map<std::string, std::string> start;
    for (const char* name : {kHistoryTextFile, kDrawRecordFile, kTotalsFile})
        start[name] = bytesOf(path(name));

    MemoryFiles memory(1 << 16);
    memory.folders.insert("m");
    for (const auto& [name, bytes] : start)
        memory.files["m/" + name] = bytes;
    DrawHistoryStore expected("m", memory);
    expected.load();
    std::vector<DrawHistory> states{expected.history()};
    changeHistory(expected, [&](const DrawHistory& history) { states.push_back(history); });

    const auto work = [&] {
        DrawHistoryStore store(folder);
        store.load();
        changeHistory(store, [](const DrawHistory&) {});
    };
    const std::chrono::microseconds run = wholeRun(work);

    std::mt19937 moments(99);
    int undone = 0, midway = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        for (const auto& [name, bytes] : start)
            writeBytes(path(name), bytes);
        const End end = runChild(std::chrono::microseconds(moments() % std::max<std::int64_t>(run.count(), 1)), work);
        EXPECT_NE(end, End::Failed);
        midway += end == End::Killed;
        DrawHistoryStore next(folder);
        next.load();
        undone += next.interruptedChangeUndone();
        EXPECT_EQ(next.history().problem, std::nullopt) << "kill " << kill;
        EXPECT_NE(std::find(states.begin(), states.end(), next.history()), states.end())
            << "kill " << kill << " left a history the program never had";
        EXPECT_EQ(entries(), (std::set<std::string>{kHistoryTextFile, kDrawRecordFile, kTotalsFile}));
    }
    std::cout << kKills << " kills of the draw history (" << midway << " during the run, " << undone
              << " in the middle of a change, undone); a whole run takes " << run.count() / 1000 << " ms\n";
    EXPECT_GT(undone, 0);
}

TEST_F(KillTest, PrintPositionsSavedWhenTheProgramIsKilledAreAllOldOrAllNew) {
    const std::string folder = directory().string();
    savePrintSettings(folder, PrintSettings{0, 0, 0, 0, 0, 0, 0});
    const auto saveAll = [&] {
        for (std::int32_t value = 1; value <= kSaves; ++value)
            savePrintSettings(folder, PrintSettings{value, value, value, value, value, value, value});
    };
    const std::chrono::microseconds run = wholeRun(saveAll);

    std::mt19937 moments(98);
    int undone = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        savePrintSettings(folder, PrintSettings{0, 0, 0, 0, 0, 0, 0});
        EXPECT_NE(runChild(std::chrono::microseconds(moments() % std::max<std::int64_t>(run.count(), 1)), saveAll),
                  End::Failed);
        const LoadedPrintSettings loaded = loadPrintSettings(folder);
        undone += loaded.interruptedSaveUndone;
        EXPECT_EQ(loaded.error, std::nullopt) << "kill " << kill;
        for (std::size_t i = 1; i < kPrintSettingCount; ++i)
            EXPECT_EQ(loaded.settings[i], loaded.settings[0]) << "kill " << kill << ": a mixture of two saves";
        EXPECT_EQ(entries().size(), kPrintSettingCount);
    }
    std::cout << kKills << " kills of the print positions (" << undone
              << " in the middle of a save, undone); a whole run takes " << run.count() / 1000 << " ms\n";
}
