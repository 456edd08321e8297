#include "optimizer/LocalSearch.h"

#include <algorithm>
#include <climits>
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
                         Strategy strategy)
    : m_pool(pool), m_fewest(fewest), m_state(pool, start), m_random(seed), m_bestTickets(start.begin(), start.end()),
      m_tabuUntil(static_cast<std::size_t>(pool.size()), 0), m_lastMoved(static_cast<std::size_t>(pool.size()), 0),
      m_annealing(strategy == Strategy::Annealing), m_hottest(std::max(1.0, pool.largestCoverCount() / kRowsPerDegree)),
      m_temperature(m_hottest), m_cooling(std::pow(kColdestShare, 1.0 / static_cast<double>(kCoolingSteps))) {
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
        if (m_annealing)
            m_temperature = m_steps % kCoolingSteps == 0 ? m_hottest : m_temperature * m_cooling;
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

// The slot whose ticket alone covers the least penalty, the one that has stood longest among equals;
// the ticket the last step put in stays unless `allowNewcomer`.
int LocalSearch::cheapestSlot(bool allowNewcomer) {
    std::int64_t least = INT64_MAX;
    std::uint64_t oldest = UINT64_MAX;
    int cheapest = -1;
    for (int slot = 0; slot < m_state.ticketCount(); ++slot) {
        const RowIndex ticket = m_state.ticket(slot);
        if (ticket == m_newcomer && !allowNewcomer)
            continue;
        const std::int64_t only = m_state.onlyPenalty(slot);
        if (only < least || (only == least && m_lastMoved[ticket] < oldest)) {
            least = only;
            oldest = m_lastMoved[ticket];
            cheapest = slot;
        }
    }
    return cheapest;
}

void LocalSearch::dropTicket() {
    const int count = m_state.ticketCount();
    if (count < m_bestValue) {
        m_bestValue = count;
        keepBest();
    }
    if (count <= m_pool.lowerBound()) {
        m_done = true;
        return;
    }
    m_state.remove(cheapestSlot(true));
}

// Of the tickets that would cover `row` (all of them, or a sample when there are many), the one that
// takes in the most penalty; among equals the one out longest. Tickets taken out in the last few steps
// wait their turn unless nothing else covers the row.
RowIndex LocalSearch::bestCoverOf(RowIndex row) {
    m_candidates.clear();
    auto consider = [&](RowIndex q) {
        if (!m_state.isTicket(q) && m_tabuUntil[q] <= m_steps)
            m_candidates.push_back(q);
    };
    if (m_pool.coverCount(row) <= kCoversWeighed) {
        m_pool.forEachCovered(row, consider);
    } else {
        for (int i = 0; i < kCoversWeighed; ++i)
            consider(m_pool.someCoverOf(row, [&](std::size_t n) { return m_random.below(n); }));
    }
    if (m_candidates.empty())
        return row;
    std::int64_t most = -1;
    RowIndex chosen = -1;
    for (RowIndex q : m_candidates) {
        const std::int64_t gain = m_state.additionGain(q);
        if (gain > most || (gain == most && m_lastMoved[q] < m_lastMoved[chosen])) {
            most = gain;
            chosen = q;
        }
    }
    return chosen;
}

bool LocalSearch::afterCompleteCover() {
    if (!m_state.uncovered().empty())
        return false;
    if (!m_fewest) {
        m_done = true;
        return true;
    }
    dropTicket();
    return m_done;
}

void LocalSearch::noteCoverage() {
    const std::int64_t value = m_pool.totalWeight() - m_state.uncoveredWeight();
    if (value > m_bestValue) {
        m_bestValue = value;
        m_bestUnsaved = true;
    }
    m_done = m_state.uncovered().empty();
}

void LocalSearch::step() {
    if (m_annealing) {
        annealingStep();
        return;
    }
    if (afterCompleteCover())
        return;
    // Out first, so that what it leaves uncovered counts for the ticket that comes in.
    if (!m_fewest && m_bestUnsaved)
        keepBest();
    const int slot = cheapestSlot(m_state.ticketCount() == 1);
    const RowIndex leaving = m_state.ticket(slot);
    m_tabuUntil[leaving] = m_steps + kTabuSteps;
    m_lastMoved[leaving] = m_steps;
    m_state.vacate(slot);

    const std::span<const RowIndex> uncovered = m_state.uncovered();
    const RowIndex incoming = bestCoverOf(uncovered[m_random.below(uncovered.size())]);
    m_lastMoved[incoming] = m_steps;
    m_newcomer = incoming;
    m_state.fill(slot, incoming);
    m_state.raisePenalties(1);

    if (!m_fewest)
        noteCoverage();
}

int LocalSearch::nearestSlots(std::uint64_t mask) {
    int nearest = -1;
    m_slots.clear();
    for (int slot = 0; slot < m_state.ticketCount(); ++slot) {
        const int shared = sharedNumbers(m_pool.mask(m_state.ticket(slot)), mask);
        if (shared > nearest) {
            nearest = shared;
            m_slots.clear();
        }
        if (shared == nearest)
            m_slots.push_back(slot);
    }
    return nearest;
}

void LocalSearch::annealingStep() {
    if (afterCompleteCover())
        return;
    const std::span<const RowIndex> uncovered = m_state.uncovered();
    const RowIndex row = uncovered[m_random.below(uncovered.size())];
    const std::uint64_t rowMask = m_pool.mask(row);

    // One of the tickets nearest to covering the row trades a Number the row lacks for one it holds, so
    // that it changes little and, when it lacked one Number, now covers the row. When the pool holds no
    // such ticket, any ticket covering the row takes the near one's place.
    nearestSlots(rowMask);
    const int slot = m_slots[m_random.below(m_slots.size())];
    const RowIndex ticket = m_state.ticket(slot);
    const std::uint64_t ticketMask = m_pool.mask(ticket);
    const Combination& ticketNumbers = m_pool.combination(ticket);
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

    // A worse move passes with the chance exp(-cost / temperature).
    const double threshold = std::min(-m_temperature * std::log(m_random.unit()), 1e15);
    const std::int64_t cost =
        m_state.replacementCostUpTo(slot, incoming, static_cast<std::int64_t>(std::floor(threshold)));
    if (static_cast<double>(cost) > threshold)
        return;
    if (!m_fewest && cost > 0 && m_bestUnsaved)
        keepBest();
    m_state.replace(slot, incoming);
    if (!m_fewest)
        noteCoverage();
}

} // namespace selektor::optimizer
