#pragma once

#include "core/Combination.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace selektor {

inline constexpr std::int32_t kPoolCapacity = 30000;

// The first 30000 combinations that passed the last "Oblicz", in enumeration order, and the true
// number that passed. Rows past the stored count hold whatever an earlier run left and are never read.
struct CandidatePool {
    std::array<Combination, kPoolCapacity> rows; // row k of the player's numbering is rows[k - 1]
    std::int32_t count = 0;                      // candidateCount: may exceed the capacity

    std::int32_t storedCount() const { return std::min(count, kPoolCapacity); }
};

} // namespace selektor
