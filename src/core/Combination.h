#pragma once

#include <array>
#include <cstdint>

namespace selektor {

// A lottery number, 1 to 49.
using Number = std::uint8_t;

inline constexpr int kLowestNumber = 1;
inline constexpr int kHighestNumber = 49;
inline constexpr int kNumbersPerCombination = 6;

// The count of all six-of-49 combinations.
inline constexpr std::int32_t kAllCombinations = 13'983'816;

// Six distinct numbers in strictly ascending order, six consecutive bytes.
using Combination = std::array<Number, kNumbersPerCombination>;

// Whether six bytes really are a Combination: every Number 1 to 49 and each above the one before. A
// system line kept as text, or a ticket read from elsewhere, may not be.
constexpr bool isSoundCombination(const Combination& c) {
    if (c[0] < kLowestNumber || c[kNumbersPerCombination - 1] > kHighestNumber)
        return false;
    for (int k = 1; k < kNumbersPerCombination; ++k)
        if (c[k - 1] >= c[k])
            return false;
    return true;
}

} // namespace selektor
