#pragma once

// The k-number parts of a combination (k = 1 to 6), each numbered densely among all k-number sets of
// the 49 Numbers: the set x1 < ... < xk gets C(x1 - 1, 1) + C(x2 - 1, 2) + ... + C(xk - 1, k), a number
// below C(49, k). Two combinations share k or more Numbers exactly when they have a k-number part in
// common, so tables indexed by these numbers answer "how many lines share k Numbers with this six" and
// "does any line" in a handful of look-ups, whatever the number of lines.

#include "core/Combination.h"

#include <array>
#include <cstdint>

namespace selektor::subsets {

inline constexpr int kLargest = kNumbersPerCombination;

// C(n, k) for n 0 to 49 and k 0 to 6.
inline constexpr auto kChoose = [] {
    std::array<std::array<std::uint32_t, kLargest + 1>, kHighestNumber + 1> c{};
    for (int n = 0; n <= kHighestNumber; ++n) {
        c[n][0] = 1;
        for (int k = 1; k <= kLargest && k <= n; ++k)
            c[n][k] = c[n - 1][k - 1] + (k < n ? c[n - 1][k] : 0);
    }
    return c;
}();

// How many k-number sets there are: the size of a table indexed by their numbers.
constexpr std::uint32_t setCount(int k) {
    return kChoose[kHighestNumber][k];
}

// How many k-number parts one combination has.
constexpr int partCount(int k) {
    return static_cast<int>(kChoose[kNumbersPerCombination][k]);
}

// The positions (0 to 5) of every k-number part of a combination, k = 1 to 6.
template <int K>
inline constexpr auto kPartPositions = [] {
    std::array<std::array<std::uint8_t, K>, partCount(K)> parts{};
    int part = 0;
    for (int mask = 0; mask < (1 << kNumbersPerCombination); ++mask) {
        int size = 0;
        for (int p = 0; p < kNumbersPerCombination; ++p)
            size += (mask >> p) & 1;
        if (size != K)
            continue;
        int t = 0;
        for (int p = 0; p < kNumbersPerCombination; ++p)
            if ((mask >> p) & 1)
                parts[part][t++] = static_cast<std::uint8_t>(p);
        ++part;
    }
    return parts;
}();

// The terms of a combination's part numbers: term[p][t] is C(c[p] - 1, t), the share of the Number at
// position p when it stands t-th in a part. Worked out once per combination.
struct PartTerms {
    std::array<std::array<std::uint32_t, kLargest + 1>, kNumbersPerCombination> term{};

    explicit PartTerms(const Combination& c) {
        for (int p = 0; p < kNumbersPerCombination; ++p)
            term[p] = kChoose[c[p] - 1];
    }

    // Calls f(number) for every K-number part.
    template <int K, class F> void forEachPart(F&& f) const {
        for (const auto& positions : kPartPositions<K>) {
            std::uint32_t number = 0;
            for (int t = 0; t < K; ++t)
                number += term[positions[t]][t + 1];
            f(number);
        }
    }
};

// The common Numbers of two combinations by comparing each Number of one with each of the other: the
// straightforward count that the look-ups are measured against.
inline int commonNumbers(const Combination& a, const Combination& b) {
    int common = 0;
    for (Number x : a)
        for (Number y : b)
            common += x == y ? 1 : 0;
    return common;
}

} // namespace selektor::subsets
