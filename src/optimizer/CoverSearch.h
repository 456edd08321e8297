#pragma once

// "Optymalizacja systemu": the fewest tickets, taken from a pool, such that whenever the six drawn Numbers
// are all in the pool some ticket holds at least t of them ("t if 6"); or, for a number of tickets the
// player names, the most pool combinations covered so. The search starts from a greedy cover and goes on
// with a local search in the background, on every core it is given, until its time runs out or it is
// stopped; the best found so far can be read at any moment.

#include "core/Combination.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace selektor {

enum class CoverGoal : std::uint8_t {
    FewestTickets, // "Najmniej zakładów": every pool row covered, as few tickets as possible
    BestCoverage,  // "Najlepsze pokrycie": `ticketCount` tickets covering as many pool rows as possible
};

inline constexpr int kLowestGuarantee = 2;
inline constexpr int kHighestGuarantee = 5;

struct CoverRequest {
    std::vector<Combination> pool; // the rows to cover, in pool order; every ticket is one of them
    int guarantee = 3;             // t, 2 to 5
    CoverGoal goal = CoverGoal::FewestTickets;
    std::int32_t ticketCount = 0; // N, for BestCoverage only
    std::uint64_t seed = 1;
    std::chrono::milliseconds timeLimit{30'000};
    // Steps of the local search summed over every thread; 0 for no limit. With the same seed, pool, goal
    // and step limit the search ends with the same tickets, however fast the machine.
    //
    // Exactly: the same pool rows in the same order, the same guarantee, goal, ticketCount, seed,
    // stepLimit and threads give the same tickets whenever the steps run out (or nothing better can
    // exist) before the time limit does and before stop() is called. The steps are shared out between
    // the threads in fixed numbers, each thread searches from its own seed derived from `seed`, and the
    // winner is the best value, then the lowest thread. A run ended by the clock or by stop() keeps a
    // valid best, but not necessarily the same one.
    std::uint64_t stepLimit = 0;
    int threads = 2; // fewer than 1 counts as 1
};

// The first thing that makes a request impossible, as one Polish sentence for the player; nothing when it
// can be searched.
std::optional<std::string> checkCoverRequest(const CoverRequest& request);

struct CoverResult {
    std::vector<Combination> tickets; // ascending rows, sorted
    std::int32_t coveredRows = 0;     // pool rows with t or more hits on some ticket
    std::int32_t poolRows = 0;
};

// One improvement of the best value: tickets for FewestTickets (only complete covers count), covered
// rows for BestCoverage.
struct CoverMilestone {
    std::chrono::milliseconds elapsed{0};
    std::int64_t value = 0;
};

struct CoverProgress {
    std::chrono::milliseconds elapsed{0};
    std::uint64_t steps = 0;
    std::int64_t bestValue = 0;
    std::vector<CoverMilestone> milestones; // in time order, the first one the greedy start
    bool finished = false;                  // the time or the steps ran out, or stop() was called
    // The machine had no memory or no thread to spare: the search ended early with what it had found
    // (nothing, when it had not yet found the greedy cover). Say kCoverSearchFailedMessage.
    bool failed = false;
    // Finished by its steps, or with a best that nothing could beat, and not by the clock or stop(): the
    // same request gives the same tickets again.
    bool repeatable = false;
};

inline constexpr char kCoverSearchFailedMessage[] = "Zabrakło pamięci albo wątków - optymalizacja została przerwana !";

// A running search. The constructor checks the request (std::invalid_argument with checkCoverRequest's
// sentence) and starts the threads; the destructor stops and joins them. Every member may be called from
// the window's thread while the search runs.
//
// The greedy cover is worked out on the search's own thread too, so the window never waits for it; until
// it stands (a fraction of a second on a full pool of 30000), best() has no tickets and progress() no
// milestones. stop() does not cut the greedy cover short, so a finished search always has a result.
class CoverSearch {
public:
    explicit CoverSearch(CoverRequest request);
    ~CoverSearch();
    CoverSearch(const CoverSearch&) = delete;
    CoverSearch& operator=(const CoverSearch&) = delete;

    // Asks every thread to stop; the best found so far stays.
    void stop();
    // Returns once every thread has ended.
    void wait();
    bool finished() const;
    CoverProgress progress() const;
    // The best found so far: for FewestTickets the smallest complete cover (the greedy one at first).
    // For BestCoverage exactly ticketCount tickets, even when fewer would cover the whole pool.
    CoverResult best() const;

private:
    class Engine;
    std::unique_ptr<Engine> m_engine;
};

} // namespace selektor
