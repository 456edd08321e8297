#include "optimizer/LocalSearch.h"

#include <algorithm>
#include <cmath>

namespace selektor::optimizer {

namespace {

std::uint64_t splitMix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

} // namespace

Random::Random(std::uint64_t seed) {
    for (std::uint64_t& s : m_s)
        s = splitMix(seed);
}

std::uint64_t Random::next() {
    const std::uint64_t result = rotl(m_s[1] * 5, 7) * 9;
    const std::uint64_t t = m_s[1] << 17;
    m_s[2] ^= m_s[0];
    m_s[3] ^= m_s[1];
    m_s[1] ^= m_s[2];
    m_s[0] ^= m_s[3];
    m_s[2] ^= t;
    m_s[3] = rotl(m_s[3], 45);
    return result;
}

std::uint64_t threadSeed(std::uint64_t seed, int index) {
    std::uint64_t x = seed ^ (0xD1B54A32D192ED03ull * static_cast<std::uint64_t>(index + 1));
    return splitMix(x);
}

LocalSearch::LocalSearch(const CoverPool& pool, bool fewest, std::span<const RowIndex> start, std::uint64_t seed,
                         AnnealingSchedule schedule)
    : m_pool(pool), m_fewest(fewest), m_state(pool, start), m_random(seed), m_schedule(schedule),
      m_bestTickets(start.begin(), start.end()) {
    m_schedule.cycleSteps = std::max<std::uint64_t>(m_schedule.cycleSteps, 1);
    m_cooling = std::pow(m_schedule.coldest / m_schedule.hottest, 1.0 / static_cast<double>(m_schedule.cycleSteps));
    m_temperature = m_schedule.hottest;
    if (m_fewest) {
        m_bestValue = m_state.ticketCount();
        m_done = m_state.ticketCount() <= pool.lowerBound();
    } else {
        m_bestValue = pool.totalWeight() - m_state.uncoveredWeight();
        m_done = m_state.uncovered().empty();
    }
}

std::uint64_t LocalSearch::run(std::uint64_t steps) {
    std::uint64_t taken = 0;
    for (; taken < steps && !m_done; ++taken) {
        step();
        ++m_steps;
        if (m_steps % m_schedule.cycleSteps == 0)
            m_temperature = m_schedule.hottest;
        else
            m_temperature *= m_cooling;
    }
    return taken;
}

std::vector<RowIndex> LocalSearch::bestTickets() {
    if (m_bestUnsaved)
        keepBest();
    return m_bestTickets;
}

void LocalSearch::keepBest() {
    m_bestTickets.assign(m_state.tickets().begin(), m_state.tickets().end());
    m_bestUnsaved = false;
}

void LocalSearch::coverComplete() {
    const int count = m_state.ticketCount();
    if (count < m_bestValue) {
        m_bestValue = count;
        keepBest();
    }
    if (count <= m_pool.lowerBound()) {
        m_done = true;
        return;
    }
    // The ticket whose loss uncovers the least.
    std::int64_t least = INT64_MAX;
    m_slots.clear();
    for (int slot = 0; slot < count; ++slot) {
        const std::int64_t only = m_state.onlyWeight(slot);
        if (only < least) {
            least = only;
            m_slots.clear();
        }
        if (only == least)
            m_slots.push_back(slot);
    }
    m_state.remove(m_slots[m_random.below(m_slots.size())]);
}

void LocalSearch::step() {
    if (m_state.uncovered().empty()) {
        coverComplete();
        if (m_done || m_state.uncovered().empty())
            return;
    }
    const std::span<const RowIndex> uncovered = m_state.uncovered();
    const RowIndex row = uncovered[m_random.below(uncovered.size())];
    const std::uint64_t rowMask = m_pool.mask(row);

    // The tickets that come nearest to covering the row.
    int nearest = -1;
    m_slots.clear();
    for (int slot = 0; slot < m_state.ticketCount(); ++slot) {
        const int shared = std::popcount(m_pool.mask(m_state.ticket(slot)) & rowMask);
        if (shared > nearest) {
            nearest = shared;
            m_slots.clear();
        }
        if (shared == nearest)
            m_slots.push_back(slot);
    }
    const int slot = m_slots[m_random.below(m_slots.size())];
    const RowIndex ticket = m_state.ticket(slot);
    const std::uint64_t ticketMask = m_pool.mask(ticket);
    const Combination& ticketNumbers = m_pool.combination(ticket);

    // The pool rows the ticket becomes by giving up a Number the row lacks for one the row holds.
    m_candidates.clear();
    m_pool.forEachNeighbour(ticket, [&](RowIndex q, int traded) {
        if ((rowMask >> ticketNumbers[static_cast<std::size_t>(traded)]) & 1)
            return;
        if ((m_pool.mask(q) & ~ticketMask & rowMask) == 0 || m_state.isTicket(q))
            return;
        m_candidates.push_back(q);
    });
    RowIndex incoming;
    if (!m_candidates.empty()) {
        incoming = m_candidates[m_random.below(m_candidates.size())];
    } else {
        incoming = m_pool.someCoverOf(row, [&](std::size_t n) { return m_random.below(n); });
        if (m_state.isTicket(incoming))
            return;
    }

    // Worse moves pass with the chance exp(-cost / temperature).
    const double threshold = std::min(-m_temperature * std::log(m_random.unit()), 1e15);
    const std::int64_t cost =
        m_state.replacementCostUpTo(slot, incoming, static_cast<std::int64_t>(std::floor(threshold)));
    if (static_cast<double>(cost) > threshold)
        return;
    if (!m_fewest && cost > 0 && m_bestUnsaved)
        keepBest();
    m_state.replace(slot, incoming);
    if (!m_fewest) {
        const std::int64_t value = m_pool.totalWeight() - m_state.uncoveredWeight();
        if (value > m_bestValue) {
            m_bestValue = value;
            m_bestUnsaved = true;
        }
        m_done = m_state.uncovered().empty();
    }
}

} // namespace selektor::optimizer
