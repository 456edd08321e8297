#pragma once

// The pool as the search sees it: its distinct combinations, each with the Numbers as a bit mask, and
// tables that list, for every t-number set, the pool rows holding it. A ticket covers a row when the two
// share t or more Numbers, that is when they hold a t-number set in common, so the rows a ticket covers
// are read off its own t-number sets' lists; nothing row by row is stored, which keeps a pool of 30000
// rows at t = 2 (where one row meets some 18000 others) within a few megabytes.
//
// The relation is symmetric: the rows a ticket covers are exactly the tickets that would cover it.

#include "core/Combination.h"

#include <array>
#include <bit>
#include <cstdint>
#include <span>
#include <vector>

namespace selektor::optimizer {

// A distinct pool combination, numbered from 0 in the order of first appearance in the pool.
using RowIndex = std::int32_t;

// C(n, k) for n up to 49 and k up to 6.
inline constexpr auto kChoose = [] {
    std::array<std::array<std::uint32_t, kNumbersPerCombination + 1>, kHighestNumber + 1> c{};
    for (int n = 0; n <= kHighestNumber; ++n) {
        c[n][0] = 1;
        for (int k = 1; k <= kNumbersPerCombination && k <= n; ++k)
            c[n][k] = c[n - 1][k - 1] + (k < n ? c[n - 1][k] : 0);
    }
    return c;
}();

inline std::uint64_t numberMask(const Combination& c) {
    std::uint64_t mask = 0;
    for (Number n : c)
        mask |= std::uint64_t{1} << n;
    return mask;
}

// How many Numbers two combinations share, from their masks. Without the processor's own count (not
// every 64-bit processor has it, so the build does not ask for it) a few shifts and a multiply do.
inline int sharedNumbers(std::uint64_t a, std::uint64_t b) {
#if defined(__POPCNT__)
    return std::popcount(a & b);
#else
    std::uint64_t x = a & b;
    x -= (x >> 1) & 0x5555555555555555ull;
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((x * 0x0101010101010101ull) >> 56);
#endif
}

class CoverPool {
public:
    // `rows` must hold six distinct Numbers 1 to 49 rising in every row (checkCoverRequest sees to it).
    // With `countRepeats`, a combination that stands in the pool several times weighs as many rows;
    // otherwise every distinct combination weighs one.
    CoverPool(std::span<const Combination> rows, int guarantee, bool countRepeats);

    int guarantee() const { return m_guarantee; }
    std::int32_t size() const { return static_cast<std::int32_t>(m_masks.size()); }
    std::int32_t poolRows() const { return m_poolRows; }
    std::int64_t totalWeight() const { return m_totalWeight; }
    // How many different Numbers the pool's rows hold.
    int numbersUsed() const { return m_numbersUsed; }

    const Combination& combination(RowIndex r) const { return m_combinations[r]; }
    std::uint64_t mask(RowIndex r) const { return m_masks[r]; }
    std::int32_t weight(RowIndex r) const { return m_weights[r]; }
    // How many rows `r` covers, itself included.
    std::int32_t coverCount(RowIndex r) const { return m_coverCounts[r]; }
    // The most rows one ticket covers: the fewest tickets of a complete cover are at least the pool's
    // weight divided by it.
    std::int32_t largestCoverCount() const { return m_largestCoverCount; }
    std::int32_t lowerBound() const;
    // A stronger bound that walks every row's covers (as long as a search step on a full pool at t = 2,
    // so meant for reports): every row is covered by a ticket that covers at most as many rows as the
    // largest cover among its own covers, so each row needs at least the inverse of that share of a
    // ticket. Rows that no other row covers count one ticket each.
    std::int32_t shareLowerBound() const;

    bool covers(RowIndex ticket, RowIndex row) const {
        return sharedNumbers(m_masks[ticket], m_masks[row]) >= m_guarantee;
    }

    // Calls f(row) once for every row that `ticket` covers, itself included. Each row is met through
    // each t-number set it shares with the ticket but taken only through the first of them, so no
    // marks are needed and threads may walk the lists at once.
    template <class F> void forEachCovered(RowIndex ticket, F&& f) const;

    // Calls f(row, position) for every row that shares exactly five Numbers with `ticket`: the rows the
    // ticket can become by trading one Number, the one at `position` (0 to 5).
    template <class F> void forEachNeighbour(RowIndex ticket, F&& f) const;

    // A row that covers `row`, chosen by `pick` (a function giving an index below its argument).
    template <class Pick> RowIndex someCoverOf(RowIndex row, Pick&& pick) const;

private:
    // The rows holding each k-number set of the pool's Numbers, k being the guarantee or five.
    struct PartLists {
        std::vector<std::int32_t> begin; // C(m, k) + 1 offsets into rows
        std::vector<RowIndex> rows;
        std::span<const RowIndex> of(std::uint32_t part) const {
            return {rows.data() + begin[part], rows.data() + begin[part + 1]};
        }
    };
    void buildParts(int k, PartLists& lists) const;
    void countCovers();
    // The number of the k-number set at `positions` of row r's ranks.
    std::uint32_t partNumber(RowIndex r, std::span<const std::uint8_t> positions) const {
        std::uint32_t number = 0;
        for (std::size_t i = 0; i < positions.size(); ++i)
            number += kChoose[m_ranks[r][positions[i]]][i + 1];
        return number;
    }

    int m_guarantee;
    std::int32_t m_poolRows = 0;
    std::int64_t m_totalWeight = 0;
    int m_numbersUsed = 0; // m: the pool's Numbers are ranked 0 to m - 1
    std::vector<Combination> m_combinations;
    std::vector<Combination> m_ranks; // the Numbers' ranks, so the part tables span only C(m, k)
    std::vector<std::uint64_t> m_masks;
    std::vector<std::int32_t> m_weights;
    std::vector<std::int32_t> m_coverCounts;
    std::int32_t m_largestCoverCount = 0;
    PartLists m_guaranteeParts;
    PartLists m_fiveParts;
    // The positions of every k-number part of a six, for k = t and k = 5.
    std::vector<std::vector<std::uint8_t>> m_guaranteePositions;
    std::vector<std::vector<std::uint8_t>> m_fivePositions;
};

// The positions (0 to 5) of every k-number part of a six, in a fixed order.
std::vector<std::vector<std::uint8_t>> partPositions(int k);

template <class F> void CoverPool::forEachCovered(RowIndex ticket, F&& f) const {
    const std::uint64_t ticketMask = m_masks[ticket];
    const Combination& numbers = m_combinations[ticket];
    for (const auto& positions : m_guaranteePositions) {
        std::uint64_t partMask = 0;
        for (std::uint8_t p : positions)
            partMask |= std::uint64_t{1} << numbers[p];
        // The part is the first t shared Numbers exactly when nothing shared lies below its highest.
        const std::uint64_t below = (std::uint64_t{1} << numbers[positions.back()] << 1) - 1;
        for (RowIndex row : m_guaranteeParts.of(partNumber(ticket, positions)))
            if ((m_masks[row] & ticketMask & below) == partMask)
                f(row);
    }
}

template <class F> void CoverPool::forEachNeighbour(RowIndex ticket, F&& f) const {
    for (const auto& positions : m_fivePositions) {
        // The positions 0 to 5 add up to 15; the one a five-number part leaves out is the one traded.
        int traded = 15;
        for (std::uint8_t p : positions)
            traded -= p;
        for (RowIndex row : m_fiveParts.of(partNumber(ticket, positions)))
            if (row != ticket)
                f(row, traded);
    }
}

template <class Pick> RowIndex CoverPool::someCoverOf(RowIndex row, Pick&& pick) const {
    const auto& positions = m_guaranteePositions[pick(m_guaranteePositions.size())];
    const std::span<const RowIndex> holders = m_guaranteeParts.of(partNumber(row, positions));
    return holders[pick(holders.size())];
}

} // namespace selektor::optimizer
