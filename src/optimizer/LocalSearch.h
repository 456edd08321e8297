#pragma once

// One thread's local search, a weighting search of the kind that does well on covering problems. Each
// step takes out the ticket whose loss costs least and puts in, for a random uncovered row, the ticket
// among those covering it that takes in the most; the rows left uncovered after a step have their
// penalty raised, so that places the search keeps leaving uncovered grow dearer until a ticket is moved
// to them. For the fewest tickets, whenever the cover is complete it is kept and the ticket that alone
// covers the least is dropped, and the search goes on with one ticket less; for the best coverage, the
// number of tickets stays and the best coverage met is kept.
//
// Everything depends only on the pool, the start, the seed and the number of steps taken: the same
// give the same tickets.

#include "optimizer/CoverState.h"

#include <cstdint>
#include <vector>

namespace selektor::optimizer {

// xoshiro256**: fast, and the same numbers on every machine.
class Random {
public:
    explicit Random(std::uint64_t seed);
    std::uint64_t next();
    // Uniform enough below n (n below 2^32).
    std::uint32_t below(std::size_t n) { return static_cast<std::uint32_t>(((next() >> 32) * n) >> 32); }

private:
    std::uint64_t m_s[4];
};

// The seed of thread `index` of a search seeded with `seed`.
std::uint64_t threadSeed(std::uint64_t seed, int index);

class LocalSearch {
public:
    // `fewest`: drop a ticket whenever the cover is complete; otherwise keep the number of tickets and
    // cover as much weight as possible. For the fewest, `start` must be a complete cover.
    LocalSearch(const CoverPool& pool, bool fewest, std::span<const RowIndex> start, std::uint64_t seed);

    // Takes `steps` steps, or fewer when nothing better can be found (done()). Returns the steps taken.
    std::uint64_t run(std::uint64_t steps);
    // The best cannot be beaten: the cover is complete with the fewest tickets any cover could have,
    // or every row is covered.
    bool done() const { return m_done; }

    // Tickets of the smallest complete cover, or the weight covered by the best tickets.
    std::int64_t bestValue() const { return m_bestValue; }
    std::vector<RowIndex> bestTickets();
    const CoverState& state() const { return m_state; }

private:
    void step();
    void dropTicket();
    int cheapestSlot(bool allowNewcomer);
    RowIndex bestCoverOf(RowIndex row);
    void keepBest();

    // Steps during which a ticket that was taken out may not come back.
    static constexpr std::uint64_t kTabuSteps = 3;
    // Rows with more covers than this have a sample of them weighed.
    static constexpr int kCoversWeighed = 64;

    const CoverPool& m_pool;
    bool m_fewest;
    CoverState m_state;
    Random m_random;
    std::uint64_t m_steps = 0;
    bool m_done = false;
    std::int64_t m_bestValue = 0;
    std::vector<RowIndex> m_bestTickets;
    bool m_bestUnsaved = false;             // the current tickets are the best and not yet copied
    std::vector<std::uint64_t> m_tabuUntil; // per row: the step from which it may be a ticket again
    std::vector<std::uint64_t> m_lastMoved; // per row: the step it last came in or went out
    RowIndex m_newcomer = -1;               // the ticket the last step put in
    std::vector<RowIndex> m_candidates;
};

} // namespace selektor::optimizer
