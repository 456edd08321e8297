#pragma once

// One thread's local search: simulated annealing over "replace one ticket" with the number of tickets
// fixed, the cost being the weight of the rows left uncovered. A move picks an uncovered row, the
// ticket that comes nearest to covering it, and trades one Number of that ticket for one of the row's,
// so that the ticket changes little and, when it lacked one Number, now covers the row; when the pool
// holds no such ticket, any ticket covering the row takes the near one's place. For the fewest tickets,
// a complete cover is kept and the ticket that alone covers the fewest rows is dropped, and the search
// goes on with one ticket less.
//
// Everything depends only on the seed and the number of steps taken: the same seed and steps give the
// same tickets.

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
    // Uniform in (0, 1].
    double unit() { return (static_cast<double>(next() >> 11) + 1.0) * 0x1.0p-53; }

private:
    std::uint64_t m_s[4];
};

// The seed of thread `index` of a search seeded with `seed`.
std::uint64_t threadSeed(std::uint64_t seed, int index);

struct AnnealingSchedule {
    double hottest = 1.0;
    double coldest = 0.05;
    // Steps from the hottest to the coldest, after which the temperature starts again at the hottest.
    std::uint64_t cycleSteps = 200'000;
};

class LocalSearch {
public:
    // `fewest`: drop a ticket whenever the cover is complete; otherwise keep the number of tickets and
    // cover as much weight as possible.
    LocalSearch(const CoverPool& pool, bool fewest, std::span<const RowIndex> start, std::uint64_t seed,
                AnnealingSchedule schedule = {});

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
    void coverComplete();
    void keepBest();

    const CoverPool& m_pool;
    bool m_fewest;
    CoverState m_state;
    Random m_random;
    AnnealingSchedule m_schedule;
    std::uint64_t m_steps = 0;
    bool m_done = false;
    std::int64_t m_bestValue = 0;
    std::vector<RowIndex> m_bestTickets;
    bool m_bestUnsaved = false; // the current tickets are the best and not yet copied
    double m_temperature = 1.0;
    double m_cooling = 1.0; // the temperature's factor from one step to the next
    std::vector<int> m_slots;
    std::vector<RowIndex> m_candidates;
};

} // namespace selektor::optimizer
