#pragma once

// One thread's local search, of one of two kinds.
//
// The weighting search, which does well on covering problems: each step takes out the ticket whose loss
// costs least and puts in, for a random uncovered row, the ticket among those covering it that takes in
// the most; the rows left uncovered after a step have their penalty raised, so that places the search
// keeps leaving uncovered grow dearer until a ticket is moved to them.
//
// The annealing: a step picks an uncovered row and one of the tickets nearest to covering it, which
// trades one Number for one of the row's; the move is made when it costs nothing, and otherwise with a
// chance that shrinks with its cost and with the temperature.
//
// For the fewest tickets, whenever the cover is complete it is kept and the ticket that alone covers the
// least is dropped, and the search goes on with one ticket less; for the best coverage, the number of
// tickets stays and the best coverage met is kept.
//
// Everything depends only on the pool, the start, the seed, the kind and the number of steps taken: the
// same give the same tickets.

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

enum class Strategy : std::uint8_t {
    Weighting,
    Annealing,
};

class LocalSearch {
public:
    // `fewest`: drop a ticket whenever the cover is complete; otherwise keep the number of tickets and
    // cover as much weight as possible. For the fewest, `start` must be a complete cover.
    LocalSearch(const CoverPool& pool, bool fewest, std::span<const RowIndex> start, std::uint64_t seed,
                Strategy strategy = Strategy::Weighting);

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
    void annealingStep();
    // Fills m_slots with the slots whose tickets share the most Numbers with `mask`; returns how many.
    int nearestSlots(std::uint64_t mask);
    void dropTicket();
    // When every row is covered, the search for the best coverage is done, and the search for the
    // fewest tickets takes one out (done when none can go); says whether the search is done.
    bool afterCompleteCover();
    // In the search for the best coverage of N tickets: a better coverage becomes the best (kept
    // lazily, at the next change that would lose it), and a complete one ends the search.
    void noteCoverage();
    int cheapestSlot(bool allowNewcomer);
    RowIndex bestCoverOf(RowIndex row);
    void keepBest();

    // Steps during which a ticket that was taken out may not come back.
    static constexpr std::uint64_t kTabuSteps = 3;
    // Rows with more covers than this have a sample of them weighed.
    static constexpr int kCoversWeighed = 64;
    // The annealing's temperature falls from the hottest to a twentieth of it over so many steps, then
    // starts again. The hottest lets a cost of one row pass one time in three, and grows with the rows a
    // ticket covers (beyond a thousand), since one trade then moves hundreds of rows: at t = 3 on 19
    // Numbers a ticket covers some 7000 rows and a cold search would never move at all.
    static constexpr double kRowsPerDegree = 1000.0;
    static constexpr double kColdestShare = 0.05;
    static constexpr std::uint64_t kCoolingSteps = 200'000;

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
    bool m_annealing;
    double m_hottest;
    double m_temperature;
    double m_cooling; // the temperature's factor from one step to the next
    std::vector<int> m_slots;
};

} // namespace selektor::optimizer
