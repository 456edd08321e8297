#pragma once

// "Szanse systemu": every one of the 13,983,816 possible draws played against the current system, and
// how many of them give its best line 6, 5, 4, 3 or fewer hits. The counts are exact, so they add up to
// every draw there is; the same is told for the draws inside the pool (where a proved guarantee gives
// every draw its prize), and beside it what the same number of tickets bought at random would give.

#include "core/CandidatePool.h"
#include "generator/LotterySystem.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace selektor {

// Draws whose best line has exactly h hits, h = 0 to 6.
using BestLineCounts = std::array<std::int64_t, kNumbersPerCombination + 1>;

// The fewest hits that win a prize.
inline constexpr int kLowestPrizeHits = 3;

struct SystemOdds {
    std::optional<std::string> refusal; // the system's; nothing below is then filled
    std::int32_t systemLines = 0;
    std::int32_t distinctTickets = 0; // the draws a line of the system equals
    BestLineCounts allDraws{};        // over all 13,983,816 draws

    // Over the draws inside the pool: the pool's own sentence when there is none to restrict to.
    std::optional<std::string> poolRefusal;
    std::int32_t poolRows = 0;
    BestLineCounts poolDraws{};

    // The same number of tickets, each chosen at random from all combinations independently of the
    // others (so two may be alike): the chance that the best of them has exactly h hits. For one draw a
    // ticket misses k hits with chance q_k, so all N tickets do with q_k^N; the best line has k or more
    // hits with chance 1 - q_k^N.
    std::array<double, kNumbersPerCombination + 1> randomChance{};

    friend bool operator==(const SystemOdds&, const SystemOdds&) = default;
};

// The program's count: the system's k-number parts are marked once, and the draws are walked in order
// with, for every first five Numbers, the set of sixth Numbers that reach each number of hits, so that
// all draws sharing their first five are counted together. `pool` may be null (no pool to restrict to);
// a pool of more combinations than are stored is refused as the coverage refuses it.
SystemOdds systemOdds(const LotterySystem& system, const CandidatePool* pool,
                      std::optional<std::string> noPoolSentence = std::nullopt);

// Exact chances of the best line over all draws, by meeting draws with every line: every `drawStep`-th
// draw in lexicographic order (1: all of them). The yardstick in tests, and, on a sample of draws, in
// the benchmark.
BestLineCounts bestLineCountsReference(const LotterySystem& system, std::uint32_t drawStep = 1);

// The chance of the best of `tickets` random tickets having exactly h hits, h = 0 to 6.
std::array<double, kNumbersPerCombination + 1> randomTicketsChance(std::int64_t tickets);

// How many draws there are with exactly h hits on a single ticket: C(6, h) C(43, 6 - h).
std::int64_t singleTicketDraws(int hits);

// "1 : 54 201", "1 : 2,35": one such draw in so many; "-" when there is none.
std::string oddsText(double chance);
std::string oddsText(std::int64_t part, std::int64_t whole);

} // namespace selektor
