#pragma once

// "System a historia": the current system as if it had been played on every draw of the history.

#include "generator/LotterySystem.h"
#include "history/DrawHistory.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace selektor {

// How many draws make the list of the system's best draws.
inline constexpr std::size_t kBestDrawsListed = 10;

// One draw of the history against the whole system.
struct DrawAgainstSystem {
    std::size_t index = 0; // position in the history, 0 the oldest draw
    std::int32_t drawNumber = 0;
    std::string date; // "dd.MM.yyyy"
    Combination numbers{};
    int bestHits = 0;                          // the most drawn Numbers on one line, 0 to 6
    std::array<std::int32_t, 7> linesByHits{}; // lines with exactly h hits, h = 0 to 6

    friend bool operator==(const DrawAgainstSystem&, const DrawAgainstSystem&) = default;
};

// Lines with exactly h hits, as the prize classes and " Sprawdzanie wyników " count them.
struct HitClassOnHistory {
    std::int32_t drawsWithLine = 0; // draws on which at least one line had h hits
    std::int64_t lines = 0;         // such lines over all draws

    friend bool operator==(const HitClassOnHistory&, const HitClassOnHistory&) = default;
};

struct SystemHistoryCheck {
    std::optional<std::string> refusal; // the system's or the history's; nothing below is then filled
    std::int32_t systemLines = 0;
    std::vector<DrawAgainstSystem> draws;      // every draw, oldest first: the table and the chart
    std::array<HitClassOnHistory, 7> byHits{}; // indexed by hits; only 3 to 6 are filled
    // The draws with the most lines of 6 hits, then of 5, 4 and 3, the newer first among equals; only
    // draws with at least one line of 3 or more hits, at most kBestDrawsListed. Indexes into `draws`.
    std::vector<std::size_t> bestDraws;

    friend bool operator==(const SystemHistoryCheck&, const SystemHistoryCheck&) = default;
};

// The program's check: the system's k-number parts counted once, so each draw is answered by looking
// up its own 63 parts instead of meeting every line.
SystemHistoryCheck checkSystemOnHistory(const LotterySystem& system, const DrawHistory& history);

// The same figures by counting the common Numbers of every draw and every line, six by six. The
// yardstick for the program's check in tests and benchmarks.
SystemHistoryCheck checkSystemOnHistoryReference(const LotterySystem& system, const DrawHistory& history);

} // namespace selektor
