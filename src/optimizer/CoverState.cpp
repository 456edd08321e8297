#include "optimizer/CoverState.h"

namespace selektor::optimizer {

CoverState::CoverState(const CoverPool& pool, std::span<const RowIndex> tickets)
    : m_pool(&pool), m_ticketSlot(static_cast<std::size_t>(pool.size()), -1),
      m_coverCount(static_cast<std::size_t>(pool.size()), 0), m_slotSum(static_cast<std::size_t>(pool.size()), 0),
      m_place(static_cast<std::size_t>(pool.size()), 0) {
    m_uncovered.reserve(static_cast<std::size_t>(pool.size()));
    for (RowIndex r = 0; r < pool.size(); ++r)
        addUncovered(r);
    for (RowIndex t : tickets)
        add(t);
}

std::int64_t CoverState::replacementCost(int slot, RowIndex row) const {
    return replacementCostUpTo(slot, row, INT64_MAX);
}

std::int64_t CoverState::replacementCostUpTo(int slot, RowIndex row, std::int64_t limit) const {
    const CoverPool& pool = *m_pool;
    std::int64_t gain = 0;
    // The uncovered rows the newcomer takes in: from whichever of the two lists is shorter.
    if (m_uncovered.size() <= static_cast<std::size_t>(pool.coverCount(row))) {
        const std::uint64_t mask = pool.mask(row);
        const int t = pool.guarantee();
        for (RowIndex u : m_uncovered)
            if (std::popcount(mask & pool.mask(u)) >= t)
                gain += pool.weight(u);
    } else {
        pool.forEachCovered(row, [&](RowIndex q) {
            if (m_coverCount[q] == 0)
                gain += pool.weight(q);
        });
    }
    // The rows only the leaving ticket held that the newcomer does not.
    std::int64_t loss = 0;
    const std::int64_t most = limit == INT64_MAX ? INT64_MAX : limit + gain;
    const std::uint64_t mask = pool.mask(row);
    const int t = pool.guarantee();
    for (RowIndex q : m_onlyBy[static_cast<std::size_t>(slot)]) {
        if (std::popcount(mask & pool.mask(q)) < t) {
            loss += pool.weight(q);
            if (loss > most)
                break;
        }
    }
    return loss - gain;
}

void CoverState::replace(int slot, RowIndex row) {
    uncoverBy(slot, m_tickets[static_cast<std::size_t>(slot)]);
    coverBy(slot, row);
}

void CoverState::remove(int slot) {
    const int last = ticketCount() - 1;
    uncoverBy(slot, m_tickets[static_cast<std::size_t>(slot)]);
    if (slot != last) {
        const RowIndex moved = m_tickets[static_cast<std::size_t>(last)];
        const auto shift = static_cast<std::uint32_t>(slot - last);
        m_pool->forEachCovered(moved, [&](RowIndex q) { m_slotSum[q] += shift; });
        m_tickets[static_cast<std::size_t>(slot)] = moved;
        m_ticketSlot[moved] = slot;
        m_onlyBy[static_cast<std::size_t>(slot)] = std::move(m_onlyBy[static_cast<std::size_t>(last)]);
        m_onlyWeight[static_cast<std::size_t>(slot)] = m_onlyWeight[static_cast<std::size_t>(last)];
    }
    m_tickets.pop_back();
    m_onlyBy.pop_back();
    m_onlyWeight.pop_back();
}

void CoverState::add(RowIndex row) {
    const int slot = ticketCount();
    m_tickets.push_back(row);
    m_onlyBy.emplace_back();
    m_onlyWeight.push_back(0);
    coverBy(slot, row);
}

void CoverState::coverBy(int slot, RowIndex ticket) {
    m_tickets[static_cast<std::size_t>(slot)] = ticket;
    m_ticketSlot[ticket] = slot;
    m_pool->forEachCovered(ticket, [&](RowIndex q) {
        const std::int32_t count = ++m_coverCount[q];
        const std::uint32_t before = m_slotSum[q];
        m_slotSum[q] = before + static_cast<std::uint32_t>(slot);
        if (count == 1) {
            dropUncovered(q);
            addOnly(slot, q);
        } else if (count == 2) {
            dropOnly(static_cast<int>(before), q);
        }
    });
}

void CoverState::uncoverBy(int slot, RowIndex ticket) {
    m_ticketSlot[ticket] = -1;
    m_pool->forEachCovered(ticket, [&](RowIndex q) {
        const std::int32_t count = --m_coverCount[q];
        m_slotSum[q] -= static_cast<std::uint32_t>(slot);
        if (count == 0) {
            dropOnly(slot, q);
            addUncovered(q);
        } else if (count == 1) {
            addOnly(static_cast<int>(m_slotSum[q]), q);
        }
    });
}

void CoverState::addOnly(int slot, RowIndex row) {
    auto& list = m_onlyBy[static_cast<std::size_t>(slot)];
    m_place[row] = static_cast<std::int32_t>(list.size());
    list.push_back(row);
    m_onlyWeight[static_cast<std::size_t>(slot)] += m_pool->weight(row);
}

void CoverState::dropOnly(int slot, RowIndex row) {
    auto& list = m_onlyBy[static_cast<std::size_t>(slot)];
    const RowIndex last = list.back();
    list[static_cast<std::size_t>(m_place[row])] = last;
    m_place[last] = m_place[row];
    list.pop_back();
    m_onlyWeight[static_cast<std::size_t>(slot)] -= m_pool->weight(row);
}

void CoverState::addUncovered(RowIndex row) {
    m_place[row] = static_cast<std::int32_t>(m_uncovered.size());
    m_uncovered.push_back(row);
    m_uncoveredWeight += m_pool->weight(row);
}

void CoverState::dropUncovered(RowIndex row) {
    const RowIndex last = m_uncovered.back();
    m_uncovered[static_cast<std::size_t>(m_place[row])] = last;
    m_place[last] = m_place[row];
    m_uncovered.pop_back();
    m_uncoveredWeight -= m_pool->weight(row);
}

} // namespace selektor::optimizer
