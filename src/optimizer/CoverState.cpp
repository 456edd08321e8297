#include "optimizer/CoverState.h"

namespace selektor::optimizer {

CoverState::CoverState(const CoverPool& pool, std::span<const RowIndex> tickets)
    : m_pool(&pool), m_ticketSlot(static_cast<std::size_t>(pool.size()), -1),
      m_coverCount(static_cast<std::size_t>(pool.size()), 0), m_slotSum(static_cast<std::size_t>(pool.size()), 0),
      m_place(static_cast<std::size_t>(pool.size()), 0) {
    m_uncovered.reserve(static_cast<std::size_t>(pool.size()));
    m_penalty.reserve(static_cast<std::size_t>(pool.size()));
    for (RowIndex r = 0; r < pool.size(); ++r) {
        m_penalty.push_back(pool.weight(r));
        addUncovered(r);
    }
    for (RowIndex t : tickets)
        add(t);
}

void CoverState::raisePenalties(std::int64_t amount) {
    for (RowIndex u : m_uncovered)
        m_penalty[u] += amount;
    m_uncoveredPenalty += amount * static_cast<std::int64_t>(m_uncovered.size());
}

std::int64_t CoverState::replacementCost(int slot, RowIndex row) const {
    return replacementCostUpTo(slot, row, INT64_MAX);
}

std::int64_t CoverState::additionGain(RowIndex row) const {
    const CoverPool& pool = *m_pool;
    std::int64_t gain = 0;
    // The uncovered rows the newcomer takes in: from whichever of the two lists is shorter.
    if (m_uncovered.size() <= static_cast<std::size_t>(pool.coverCount(row))) {
        const std::uint64_t mask = pool.mask(row);
        const int t = pool.guarantee();
        for (RowIndex u : m_uncovered)
            if (sharedNumbers(mask, pool.mask(u)) >= t)
                gain += m_penalty[u];
    } else {
        pool.forEachCovered(row, [&](RowIndex q) {
            if (m_coverCount[q] == 0)
                gain += m_penalty[q];
        });
    }
    return gain;
}

std::int64_t CoverState::replacementCostUpTo(int slot, RowIndex row, std::int64_t limit) const {
    const std::int64_t gain = additionGain(row);
    // The rows only the leaving ticket held that the newcomer does not.
    std::int64_t loss = 0;
    const std::int64_t most = limit == INT64_MAX ? INT64_MAX : limit + gain;
    const std::uint64_t mask = m_pool->mask(row);
    const int t = m_pool->guarantee();
    for (RowIndex q : m_onlyBy[static_cast<std::size_t>(slot)]) {
        if (sharedNumbers(mask, m_pool->mask(q)) < t) {
            loss += m_penalty[q];
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

void CoverState::vacate(int slot) {
    uncoverBy(slot, m_tickets[static_cast<std::size_t>(slot)]);
    m_tickets[static_cast<std::size_t>(slot)] = -1;
}

void CoverState::fill(int slot, RowIndex row) {
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
        m_onlyPenalty[static_cast<std::size_t>(slot)] = m_onlyPenalty[static_cast<std::size_t>(last)];
    }
    m_tickets.pop_back();
    m_onlyBy.pop_back();
    m_onlyPenalty.pop_back();
}

void CoverState::add(RowIndex row) {
    const int slot = ticketCount();
    m_tickets.push_back(row);
    m_onlyBy.emplace_back();
    m_onlyPenalty.push_back(0);
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
    m_onlyPenalty[static_cast<std::size_t>(slot)] += m_penalty[row];
}

void CoverState::dropOnly(int slot, RowIndex row) {
    auto& list = m_onlyBy[static_cast<std::size_t>(slot)];
    const RowIndex last = list.back();
    list[static_cast<std::size_t>(m_place[row])] = last;
    m_place[last] = m_place[row];
    list.pop_back();
    m_onlyPenalty[static_cast<std::size_t>(slot)] -= m_penalty[row];
}

void CoverState::addUncovered(RowIndex row) {
    m_place[row] = static_cast<std::int32_t>(m_uncovered.size());
    m_uncovered.push_back(row);
    m_uncoveredWeight += m_pool->weight(row);
    m_uncoveredPenalty += m_penalty[row];
}

void CoverState::dropUncovered(RowIndex row) {
    const RowIndex last = m_uncovered.back();
    m_uncovered[static_cast<std::size_t>(m_place[row])] = last;
    m_place[last] = m_place[row];
    m_uncovered.pop_back();
    m_uncoveredWeight -= m_pool->weight(row);
    m_uncoveredPenalty -= m_penalty[row];
}

} // namespace selektor::optimizer
