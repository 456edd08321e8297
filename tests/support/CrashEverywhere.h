#pragma once

// The crash test of a change of several files, after the way SQLite tests its atomic commit: the program
// is stopped after the k-th file operation of the change, for every k from none to all of them, once as a
// kill (what was written stays) and once as a power failure (what was not synced is lost). Each time the
// program starts again on what is left, and what it loads must be exactly the state before the change or
// exactly the state after it, with not a byte of the files otherwise, and nothing left behind. The
// player's spare copies (".bak") are no part of either state: a rebuild replaces them.

#include "support/MemoryFiles.h"

#include <climits>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>

namespace selektor::test {

inline std::map<std::string, std::string> withoutSpareCopies(std::map<std::string, std::string> files) {
    std::erase_if(files, [](const auto& file) { return file.first.ends_with(".bak"); });
    return files;
}

// `load(files)` starts the program on the files and returns what it shows; `change(files)` starts it,
// loads and makes the change. Returns the number of crashes tried.
template <class Load, class Change> int crashEverywhere(const MemoryFiles& start, Load&& load, Change&& change) {
    MemoryFiles before = start;
    const auto shownBefore = load(before);

    MemoryFiles clean = start;
    clean.crashAfter(INT_MAX);
    change(clean);
    const int operations = clean.operations();
    clean.restart();
    const auto shownAfter = load(clean);
    const auto filesBefore = withoutSpareCopies(before.files), filesAfter = withoutSpareCopies(clean.files);
    EXPECT_NE(filesBefore, filesAfter) << "the change changed nothing";

    int crashes = 0;
    for (int k = 0; k <= operations; ++k) {
        for (const bool powerFails : {false, true}) {
            SCOPED_TRACE(testing::Message() << "stopped after operation " << k << " of " << operations
                                            << (powerFails ? ", the power gone" : ""));
            MemoryFiles files = start;
            files.crashAfter(k);
            try {
                change(files);
            } catch (...) {
                // The program is gone; what it was doing is of no matter.
            }
            if (powerFails)
                files.powerCut();
            files.restart();
            const auto shown = load(files);
            const auto left = withoutSpareCopies(files.files);
            if (left == filesBefore) {
                EXPECT_EQ(shown, shownBefore);
            } else {
                EXPECT_EQ(left, filesAfter) << "neither the state before the change nor the one after";
                EXPECT_EQ(shown, shownAfter);
            }
            ++crashes;
        }
    }
    return crashes;
}

} // namespace selektor::test
