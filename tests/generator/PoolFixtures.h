#pragma once

// Candidate pools for the generator tests, built off the stack (a pool is 180 kB) and reproducible.

#include "core/CandidatePool.h"
#include "core/Enumeration.h"
#include "generator/LotterySystem.h"
#include "support/PoolOf.h"
#include "support/RandomCombination.h"
#include "support/SystemLines.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <random>

namespace selektor::test {

// `rows` random combinations; each row picks its own number range, so the pool mixes tight clusters
// (many repeats and near-repeats) with spread-out tickets.
inline std::unique_ptr<CandidatePool> randomPool(std::uint32_t seed, std::int32_t rows) {
    std::mt19937 rng(seed);
    auto pool = std::make_unique<CandidatePool>();
    const int narrowest = 6 + static_cast<int>(rng() % 10);
    for (std::int32_t k = 0; k < rows; ++k) {
        const int width = narrowest + static_cast<int>(rng() % static_cast<unsigned>(kHighestNumber - narrowest + 1));
        const int lowest = 1 + static_cast<int>(rng() % static_cast<unsigned>(kHighestNumber - width + 1));
        pool->append(randomCombination(rng, lowest, lowest + width - 1));
    }
    return pool;
}

// The pool "Oblicz" leaves for these settings (nullptr when the settings are refused).
inline std::unique_ptr<CandidatePool> enumeratedPool(FilterSettings settings) {
    auto pool = std::make_unique<CandidatePool>();
    if (countCombinations(settings, *pool).refusal)
        return nullptr;
    return pool;
}

inline int commonNumbers(const Combination& a, const Combination& b) {
    int common = 0;
    for (Number x : a)
        for (Number y : b)
            common += x == y;
    return common;
}

} // namespace selektor::test
