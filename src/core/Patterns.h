#pragma once

// The coupon grid and the pattern of a combination under each of the nine filter criteria. Every
// operation reads only the six numbers, works in place and never allocates: the enumeration behind
// "Oblicz" calls them for millions of combinations.

#include "core/Combination.h"

#include <array>
#include <bit>
#include <cstdint>

namespace selektor {

constexpr int lastDigit(Number n) {
    return n % 10;
}
constexpr bool isEven(Number n) {
    return n % 2 == 0;
}

// The coupon holds the numbers in 9 columns and 6 rows, filled row by row; row 6 has 46 to 49 only.
constexpr int couponRow(Number n) {
    return 1 + (n - 1) / 9;
}

// n mod 9: key 0 is the ninth column, keys 1 to 8 are columns 1 to 8.
constexpr int couponColumnKey(Number n) {
    return n % 9;
}

// The 25 numbers on the border of the coupon grid: top row, first and last column, bottom row, and
// 41 to 45, which have no number below them.
constexpr bool isEdgeNumber(Number n) {
    return n <= 10 || n == 18 || n == 19 || n == 27 || n == 28 || n == 36 || n == 37 || n >= 41;
}

// Digit groups by last digit: D holds 0-3, S holds 4-6, G holds 7-9.
enum class DigitGroup : std::uint8_t { D, S, G };
constexpr DigitGroup digitGroup(Number n) {
    const int t = lastDigit(n);
    return t < 4 ? DigitGroup::D : (t < 7 ? DigitGroup::S : DigitGroup::G);
}

struct RowColumnPattern {
    int rows = 0;    // distinct coupon rows, 1 to 6
    int columns = 0; // distinct column keys, 1 to 6
    friend constexpr bool operator==(const RowColumnPattern&, const RowColumnPattern&) = default;
};

struct DsgPattern {
    int d = 0;
    int s = 0;
    int g = 0;
    friend constexpr bool operator==(const DsgPattern&, const DsgPattern&) = default;
};

// Lower members n of the pairs n, n+1 inside a combination, ascending.
struct NeighbourPairs {
    int count = 0;
    std::array<Number, 5> lower{};
};

using EndingCounts = std::array<std::uint8_t, 10>;
using Gaps = std::array<std::uint8_t, 5>;

constexpr int evenCount(const Combination& c) {
    int e = 0;
    for (Number n : c)
        e += isEven(n) ? 1 : 0;
    return e;
}

constexpr RowColumnPattern rowColumnPattern(const Combination& c) {
    unsigned rowBits = 0;
    unsigned columnBits = 0;
    for (Number n : c) {
        rowBits |= 1u << couponRow(n);
        columnBits |= 1u << couponColumnKey(n);
    }
    return {std::popcount(rowBits), std::popcount(columnBits)};
}

constexpr int lastDigitSum(const Combination& c) {
    int s = 0;
    for (Number n : c)
        s += lastDigit(n);
    return s;
}

// The sum template that a last-digit sum falls in: 19 stands for "2-19", 36 for "36-53".
constexpr int sumBucket(int lastDigitSum) {
    return lastDigitSum < 19 ? 19 : (lastDigitSum > 36 ? 36 : lastDigitSum);
}

constexpr int edgeCount(const Combination& c) {
    int b = 0;
    for (Number n : c)
        b += isEdgeNumber(n) ? 1 : 0;
    return b;
}

constexpr DsgPattern dsgPattern(const Combination& c) {
    DsgPattern p;
    for (Number n : c) {
        switch (digitGroup(n)) {
        case DigitGroup::D:
            ++p.d;
            break;
        case DigitGroup::S:
            ++p.s;
            break;
        case DigitGroup::G:
            ++p.g;
            break;
        }
    }
    return p;
}

constexpr NeighbourPairs neighbourPairs(const Combination& c) {
    NeighbourPairs pairs;
    for (int i = 0; i + 1 < kNumbersPerCombination; ++i)
        if (c[i + 1] == c[i] + 1)
            pairs.lower[pairs.count++] = c[i];
    return pairs;
}

constexpr EndingCounts endingCounts(const Combination& c) {
    EndingCounts m{};
    for (Number n : c)
        ++m[lastDigit(n)];
    return m;
}

constexpr Gaps gaps(const Combination& c) {
    Gaps g{};
    for (int i = 0; i + 1 < kNumbersPerCombination; ++i)
        g[i] = static_cast<std::uint8_t>(c[i + 1] - c[i]);
    return g;
}

// How many numbers two combinations share: the overlap that guarantee systems and the random
// simulation limit. Numbers of a combination are distinct, so this is the size of the intersection.
constexpr int commonNumbers(const Combination& a, const Combination& b) {
    int common = 0;
    for (Number x : a)
        for (Number y : b)
            common += x == y;
    return common;
}

} // namespace selektor
