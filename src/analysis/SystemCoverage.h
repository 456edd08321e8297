#pragma once

// "Pokrycie systemu": every combination of the candidate pool taken as a possible result, and the most
// Numbers of it that one line of the system holds. This is the guarantee the system really gives over
// the pool it was built from, whatever its name promises.

#include "core/CandidatePool.h"
#include "generator/LotterySystem.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace selektor {

// How many of the weakest pool combinations are listed.
inline constexpr std::size_t kListedHoles = 100;

// A pool combination whose best line holds few of its Numbers.
struct CoverageHole {
    std::int32_t poolRow = 0; // 1-based, as the pool numbers its rows
    Combination numbers{};
    int bestHits = 0;

    friend bool operator==(const CoverageHole&, const CoverageHole&) = default;
};

struct SystemCoverage {
    std::optional<std::string> refusal; // the system's or the pool's; nothing below is then filled
    std::int32_t systemLines = 0;
    std::vector<Combination> poolRows;  // the pool as measured, in its order
    std::vector<std::uint8_t> bestHits; // per pool row: the most of its Numbers on one line, 0 to 6
    // Pool rows whose best line has k or more hits, k = 0 to 6 (the window shows 3 to 6).
    std::array<std::int32_t, 7> coveredAtLeast{};
    // The fewest hits of the best line over the whole pool: if the drawn six is in the pool, this many
    // hits are sure.
    int guaranteedHits = 0;
    // The pool rows with the fewest hits first, in pool order among equals; at most kListedHoles.
    std::vector<CoverageHole> holes;

    friend bool operator==(const SystemCoverage&, const SystemCoverage&) = default;
};

// The program's measure: the k-number parts of the lines are marked once, and each pool row asks for
// its own parts, the six-number one first, until it finds one marked.
SystemCoverage measureCoverage(const LotterySystem& system, const CandidatePool& pool);

// The same figures by meeting every pool row with every line. The yardstick in tests and benchmarks.
SystemCoverage measureCoverageReference(const LotterySystem& system, const CandidatePool& pool);

} // namespace selektor
