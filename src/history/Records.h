#pragma once

// The two binary records of the draw history: a draw as "Losowanie.dat" holds it (20 bytes), and the
// running totals of "Stat.dat" (604 bytes). Both are little-endian, field by field, whatever the machine.

#include "core/Combination.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace selektor {

inline constexpr std::size_t kDrawRecordSize = 20;
inline constexpr std::size_t kStatRecordSize = 604;

// A draw and the pattern values it was stored with.
struct DrawRecord {
    std::int32_t drawNumber = 0;
    Combination numbers{};         // ascending
    std::uint8_t evenCount = 0;    // 0 to 6
    std::uint8_t rowCount = 0;     // distinct coupon rows, 1 to 6
    std::uint8_t columnCount = 0;  // distinct coupon columns, 1 to 6
    std::uint8_t lastDigitSum = 0; // 2 to 53, not bucketed
    std::uint8_t edgeCount = 0;    // 0 to 6
    std::uint8_t groupDCount = 0;  // last digit 0 to 3
    std::uint8_t groupSCount = 0;  // last digit 4 to 6; G is what is left of the six

    friend bool operator==(const DrawRecord&, const DrawRecord&) = default;
};

// A draw's record with its pattern values worked out from its numbers.
DrawRecord makeDrawRecord(std::int32_t drawNumber, const Combination& numbers);

// True when the numbers are six Numbers 1 to 49 strictly rising and the seven pattern values are the
// ones they give: the totals and the statistics use the stored values as table positions.
bool isSoundDrawRecord(const DrawRecord& record);

using DrawRecordBytes = std::array<std::uint8_t, kDrawRecordSize>;
DrawRecordBytes encodeDrawRecord(const DrawRecord& record); // the reserved bytes written as zero
DrawRecord decodeDrawRecord(const std::uint8_t* bytes);     // reads kDrawRecordSize bytes

// The last-digit sums as the totals bucket them: 15 holds every sum up to 15, 36 every sum from 36.
inline constexpr int kLowestTotalsSumBucket = 15, kHighestTotalsSumBucket = 36;
constexpr int totalsSumBucket(int lastDigitSum) {
    return lastDigitSum < kLowestTotalsSumBucket
               ? kLowestTotalsSumBucket
               : (lastDigitSum > kHighestTotalsSumBucket ? kHighestTotalsSumBucket : lastDigitSum);
}

// Running totals over all draws of the history at one moment.
struct StatRecord {
    std::int32_t drawCount = 0;
    std::array<std::int32_t, 49> numberCounts{};                  // index n - 1
    std::array<std::int32_t, 7> evenCounts{};                     // index: even count
    std::array<std::array<std::int32_t, 4>, 4> rowColumnCounts{}; // [rows - 3][columns - 3], rows and columns 3 to 6
    std::array<std::int32_t, 22> sumCounts{};                     // index: bucket - 15
    std::array<std::int32_t, 7> edgeCounts{};                     // index: edge count
    std::array<std::array<std::int32_t, 7>, 7> dsgCounts{};       // [d][s]

    friend bool operator==(const StatRecord&, const StatRecord&) = default;
};

// Counts the draw into the totals (+1) or out of them (-1), by its stored pattern values. A draw with
// fewer than three rows or columns changes no row-and-column cell; six rows are counted.
void countDraw(StatRecord& totals, const DrawRecord& draw, int sign);

using StatRecordBytes = std::array<std::uint8_t, kStatRecordSize>;
StatRecordBytes encodeStatRecord(const StatRecord& record);
StatRecord decodeStatRecord(const std::uint8_t* bytes); // reads kStatRecordSize bytes

} // namespace selektor
