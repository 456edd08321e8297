#pragma once

// Seeded random sixes for the differential tests and the benchmarks: the same seed gives the same sixes.

#include "core/Combination.h"

#include <random>

namespace selektor::test {

// Six distinct Numbers drawn from `lowest`..`highest`, in ascending order. A narrow range makes tickets
// overlap heavily, which is what exercises the guarantee builds and the coverage.
inline Combination randomCombination(std::mt19937& rng, int lowest = kLowestNumber, int highest = kHighestNumber) {
    bool taken[kHighestNumber + 1] = {};
    for (int drawn = 0; drawn < kNumbersPerCombination;) {
        const int n = lowest + static_cast<int>(rng() % static_cast<unsigned>(highest - lowest + 1));
        if (!taken[n]) {
            taken[n] = true;
            ++drawn;
        }
    }
    Combination c{};
    int k = 0;
    for (int n = 1; n <= kHighestNumber; ++n)
        if (taken[n])
            c[k++] = static_cast<Number>(n);
    return c;
}

} // namespace selektor::test
