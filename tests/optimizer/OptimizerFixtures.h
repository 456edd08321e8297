#pragma once

// Pools for the optimizer's tests: every six of the first v Numbers, or seeded random sixes from a
// narrow range of Numbers, where tickets overlap much as in a player's filtered pool.

#include "core/CandidatePool.h"
#include "generator/LotterySystem.h"
#include "support/LexicographicPool.h"
#include "support/PoolOf.h"
#include "support/RandomCombination.h"

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <vector>

namespace selektor::test {

inline std::vector<Combination> fullPool(int numbers) {
    auto pool = std::make_unique<CandidatePool>();
    fillLexicographic(*pool, numbers);
    return {pool->rows().begin(), pool->rows().begin() + pool->storedCount()};
}

inline std::vector<Combination> randomPoolRows(std::mt19937& rng, std::size_t rows, int highest) {
    std::set<Combination> distinct;
    while (distinct.size() < rows)
        distinct.insert(randomCombination(rng, kLowestNumber, highest));
    std::vector<Combination> shuffled(distinct.begin(), distinct.end());
    std::shuffle(shuffled.begin(), shuffled.end(), rng);
    return shuffled;
}

inline LotterySystem systemOf(const std::vector<Combination>& tickets) {
    LotterySystem system;
    for (const Combination& t : tickets)
        system.append(t);
    return system;
}

} // namespace selektor::test
