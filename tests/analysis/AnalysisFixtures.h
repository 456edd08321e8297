#pragma once

// Small draw histories, systems and pools for the analysis tests.

#include "core/CandidatePool.h"
#include "generator/LotterySystem.h"
#include "history/DrawEntry.h"
#include "history/DrawHistory.h"
#include "support/PoolOf.h"
#include "support/RandomCombination.h"

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace selektor::test {

// A loaded history of the given draws, oldest first, numbered from 1001 with their lines as the draw
// list writes them.
inline DrawHistory historyOf(const std::vector<std::pair<std::string, Combination>>& draws) {
    DrawHistory history;
    for (const auto& [date, numbers] : draws) {
        const DrawRecord record =
            makeDrawRecord(kFirstDrawNumber + static_cast<std::int32_t>(history.records.size()), numbers);
        history.lines.push_back(historyLine(record, date));
        history.records.push_back(record);
    }
    return history;
}

inline LotterySystem systemOf(const std::vector<Combination>& lines) {
    LotterySystem system;
    for (const Combination& line : lines)
        system.append(line);
    return system;
}

inline DrawHistory randomHistory(std::mt19937& rng, std::size_t draws, int highest = kHighestNumber) {
    std::vector<std::pair<std::string, Combination>> list;
    for (std::size_t i = 0; i < draws; ++i)
        list.emplace_back("01.01.2000", randomCombination(rng, kLowestNumber, highest));
    return historyOf(list);
}

} // namespace selektor::test
