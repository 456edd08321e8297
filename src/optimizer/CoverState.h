#pragma once

// A set of tickets on a pool with the counts the local search lives on, kept up to date ticket by
// ticket: for every row, how many tickets cover it; the rows no ticket covers; and for every ticket the
// rows that only it covers. What replacing one ticket would gain and lose then costs a look at the
// uncovered rows and at the ticket's own rows, not at the whole pool.
//
// Each row also carries a penalty, at first its weight, which the search raises on the rows that stay
// uncovered: rows that are hard to cover then count for more, and the search leaves the places where
// every move looks alike. Gains and losses are counted in penalties.

#include "optimizer/CoverPool.h"

#include <cstdint>
#include <span>
#include <vector>

namespace selektor::optimizer {

class CoverState {
public:
    CoverState(const CoverPool& pool, std::span<const RowIndex> tickets);

    const CoverPool& pool() const { return *m_pool; }
    int ticketCount() const { return static_cast<int>(m_tickets.size()); }
    RowIndex ticket(int slot) const { return m_tickets[static_cast<std::size_t>(slot)]; }
    std::span<const RowIndex> tickets() const { return m_tickets; }
    bool isTicket(RowIndex row) const { return m_ticketSlot[row] >= 0; }

    // How many tickets cover the row.
    std::int32_t coverCount(RowIndex row) const { return m_coverCount[row]; }
    std::span<const RowIndex> uncovered() const { return m_uncovered; }
    // The summed weight of the uncovered rows: the pool rows the tickets leave uncovered.
    std::int64_t uncoveredWeight() const { return m_uncoveredWeight; }
    // The rows that the ticket in `slot` alone covers, in no particular order.
    std::span<const RowIndex> coveredOnlyBy(int slot) const { return m_onlyBy[static_cast<std::size_t>(slot)]; }

    std::int64_t penalty(RowIndex row) const { return m_penalty[row]; }
    std::int64_t uncoveredPenalty() const { return m_uncoveredPenalty; }
    // The penalties of the rows the ticket in `slot` alone covers: what removing it would cost.
    std::int64_t onlyPenalty(int slot) const { return m_onlyPenalty[static_cast<std::size_t>(slot)]; }
    // Every uncovered row's penalty grows by `amount`.
    void raisePenalties(std::int64_t amount);

    // How much the uncovered penalty would grow if the ticket in `slot` gave way to `row` (negative: it
    // would shrink). `row` must not be a ticket already.
    std::int64_t replacementCost(int slot, RowIndex row) const;
    // As replacementCost, but stops as soon as the cost is certain to exceed `limit` and then returns
    // some value above it.
    std::int64_t replacementCostUpTo(int slot, RowIndex row, std::int64_t limit) const;

    // The uncovered penalty `row` would take in as one more ticket.
    std::int64_t additionGain(RowIndex row) const;

    void replace(int slot, RowIndex row);
    // Takes the ticket out of its slot, which stays empty (covering nothing) until fill().
    void vacate(int slot);
    void fill(int slot, RowIndex row);
    // The last slot's ticket takes the place of the one removed.
    void remove(int slot);
    void add(RowIndex row);

private:
    void coverBy(int slot, RowIndex ticket);
    void uncoverBy(int slot, RowIndex ticket);
    void addOnly(int slot, RowIndex row);
    void dropOnly(int slot, RowIndex row);
    void addUncovered(RowIndex row);
    void dropUncovered(RowIndex row);

    const CoverPool* m_pool;
    std::vector<RowIndex> m_tickets;
    std::vector<std::int32_t> m_ticketSlot; // per row: its slot, or -1
    std::vector<std::int32_t> m_coverCount;
    // Per row: the sum of the slots of the tickets covering it, which names the slot when only one does.
    std::vector<std::uint32_t> m_slotSum;
    std::vector<RowIndex> m_uncovered;
    std::vector<std::int32_t> m_place; // per row: its place in m_uncovered or in its slot's m_onlyBy
    std::vector<std::vector<RowIndex>> m_onlyBy;
    std::vector<std::int64_t> m_penalty;
    std::vector<std::int64_t> m_onlyPenalty;
    std::int64_t m_uncoveredWeight = 0;
    std::int64_t m_uncoveredPenalty = 0;
};

} // namespace selektor::optimizer
