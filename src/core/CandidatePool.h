#pragma once

#include "core/Combination.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <span>

namespace selektor {

inline constexpr std::int32_t kPoolCapacity = 30000;

// The first 30000 combinations that passed the last "Oblicz", in enumeration order, and the true
// number that passed. Rows past the stored count hold whatever an earlier run left and are never read.
//
// The pool also knows how many of its leading rows stand in order (each no smaller than the one before,
// compared Number by Number). A pool straight from the enumeration is in order throughout; removing a
// row puts the last row in its place and ends the ordered part there. The guarantee build relies on it
// to pass over all rows with a common start at once, so every change to the rows goes through here.
class CandidatePool {
public:
    using Rows = std::array<Combination, kPoolCapacity>;

    // Row k of the player's numbering is rows()[k - 1].
    const Rows& rows() const { return m_rows; }
    // candidateCount: how many combinations passed; may exceed the capacity.
    std::int32_t count() const { return m_count; }
    std::int32_t storedCount() const { return std::clamp(m_count, 0, kPoolCapacity); }
    // How many leading stored rows are known to stand in order.
    std::int32_t orderedCount() const { return std::min(m_ordered, storedCount()); }

    void clear() {
        m_count = 0;
        m_ordered = 0;
    }

    // One more combination passed: it is counted, and stored while there is room.
    void append(const Combination& c) {
        if (m_count >= 0 && m_count < kPoolCapacity) {
            if (m_ordered == m_count && (m_count == 0 || !(c < m_rows[m_count - 1])))
                ++m_ordered;
            m_rows[m_count] = c;
        }
        ++m_count;
    }

    // Removes stored row k (0-based): the last stored row takes its place, so removal costs the same
    // wherever the row stands. Rows beyond the capacity were never stored and are no longer counted.
    void removeRow(std::int32_t k) {
        const std::int32_t stored = storedCount();
        if (k < 0 || k >= stored)
            return;
        m_rows[k] = m_rows[stored - 1];
        m_count = stored - 1;
        m_ordered = std::min(m_ordered, k);
    }

    // Removes the rows of a block of 64 starting at `base` that are marked in `failing`, bit 63 - i
    // standing for row base + i, the highest row first, as removing them one by one in that order would;
    // marks of rows not stored are passed over. Post-processing tests 64 rows at once and takes out a
    // block's failures in one go, without the bookkeeping of each single removal.
    void removeBlockRows(std::int32_t base, std::uint64_t failing) {
        if (failing == 0)
            return;
        std::int32_t stored = storedCount();
        std::int32_t lowest = m_ordered;
        Combination* const rows = m_rows.data();
        for (; failing != 0; failing &= failing - 1) {
            const std::int32_t k = base + 63 - std::countr_zero(failing);
            if (k < 0 || k >= stored)
                continue;
            --stored;
            rows[k] = rows[stored];
            lowest = k;
        }
        m_count = stored;
        m_ordered = std::min(m_ordered, lowest);
    }

    // For an enumeration, which finds combinations in increasing order and writes its rows in place:
    // the rows to write, then how many combinations passed in all.
    Rows& rowsToEnumerate() {
        m_ordered = 0;
        return m_rows;
    }
    void enumerated(std::int32_t passed) {
        m_count = passed;
        m_ordered = storedCount();
    }

private:
    Rows m_rows;
    std::int32_t m_count = 0;
    std::int32_t m_ordered = 0;
};

} // namespace selektor
