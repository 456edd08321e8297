#include "optimizer/CoverSearch.h"

#include "core/CandidatePool.h"
#include "core/Combination.h"
#include "optimizer/CoverPool.h"
#include "optimizer/GreedyCover.h"
#include "optimizer/LocalSearch.h"
#include "optimizer/SymmetricCover.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <mutex>
#include <new>
#include <set>
#include <stdexcept>
#include <thread>

namespace selektor {

using namespace optimizer;

namespace {

// Steps between two looks at the clock and at "Stop": a few milliseconds of work, whatever a step costs.
// A step walks rows a ticket covers, so on 30000 rows at t = 2 (some 20000 each) only a few steps go
// between looks, at t = 5 (under a hundred) a few hundred.
std::uint64_t stepsBetweenLooks(std::int32_t largestCoverCount) {
    return static_cast<std::uint64_t>(std::clamp(200'000 / std::max(largestCoverCount, 1), 1, 256));
}

// From a greedy cover of so many tickets on, every thread of a full pool searches over orbits.
constexpr std::size_t kOrbitsOnEveryThread = 40;

} // namespace

std::optional<std::string> checkCoverRequest(const CoverRequest& request) {
    if (request.pool.empty())
        return "Pula jest pusta - nie ma żadnej kombinacji do pokrycia !";
    for (std::size_t i = 0; i < request.pool.size(); ++i)
        if (!isSoundCombination(request.pool[i]))
            return "Kombinacja " + std::to_string(i + 1) + " puli nie jest szóstką różnych liczb od 1 do 49 !";
    const std::set<Combination> distinct(request.pool.begin(), request.pool.end());
    if (distinct.size() > static_cast<std::size_t>(kPoolCapacity))
        return "W puli jest więcej niż 30000 różnych kombinacji - optymalizacja obejmuje najwyżej 30000 !";
    if (distinct.size() == 1)
        return "W puli jest tylko jedna kombinacja - nie ma czego optymalizować !";
    if (request.guarantee < kLowestGuarantee || request.guarantee > kHighestGuarantee)
        return "Gwarancja może wynosić od 2 do 5 trafień !";
    if (request.goal == CoverGoal::BestCoverage) {
        if (request.ticketCount <= 0)
            return "Liczba zakładów musi być większa od zera !";
        if (static_cast<std::size_t>(request.ticketCount) > distinct.size())
            return "Liczba zakładów nie może być większa niż liczba różnych kombinacji w puli (" +
                   std::to_string(distinct.size()) + ") !";
    }
    return std::nullopt;
}

class CoverSearch::Engine {
public:
    explicit Engine(CoverRequest request)
        : m_request(std::move(request)), m_threadCount(std::max(1, m_request.threads)),
          m_start(std::chrono::steady_clock::now()), m_stepsTaken(static_cast<std::size_t>(m_threadCount)) {
        m_result.poolRows = static_cast<std::int32_t>(m_request.pool.size());
        m_coordinator = std::thread([this] { search(); });
    }

    ~Engine() {
        m_abandon = true;
        stop();
        wait();
    }

    void stop() { m_stop = true; }

    void wait() {
        std::lock_guard lock(m_joinMutex);
        if (m_coordinator.joinable())
            m_coordinator.join();
    }

    bool finished() const { return m_finished.load(); }

    CoverProgress progress() const {
        CoverProgress progress;
        for (const auto& steps : m_stepsTaken)
            progress.steps += steps.load(std::memory_order_relaxed);
        std::lock_guard lock(m_mutex);
        progress.finished = m_finished.load();
        progress.failed = m_failed;
        progress.repeatable = progress.finished && !m_failed && !m_cutShort.load();
        progress.elapsed = progress.finished ? m_elapsedAtEnd : elapsed();
        progress.bestValue = m_bestValue;
        progress.milestones = m_milestones;
        return progress;
    }

    CoverResult best() const {
        std::lock_guard lock(m_mutex);
        return m_result;
    }

private:
    struct ThreadBest {
        std::int64_t value = 0;
        std::vector<RowIndex> tickets;
    };

    std::chrono::milliseconds elapsed() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start);
    }
    bool fewest() const { return m_request.goal == CoverGoal::FewestTickets; }
    bool better(std::int64_t value, std::int64_t than) const { return fewest() ? value < than : value > than; }

    void search() {
        try {
            searchFromGreedy();
        } catch (const std::exception&) {
            // Out of memory or of threads: the program goes on, and what was found before stays.
            std::lock_guard lock(m_mutex);
            m_failed = true;
            m_elapsedAtEnd = elapsed();
            m_finished = true;
        }
    }

    void searchFromGreedy() {
        m_pool = std::make_unique<CoverPool>(m_request.pool, m_request.guarantee, !fewest());
        const std::int32_t most = fewest() ? m_pool->size() : std::min(m_request.ticketCount, m_pool->size());
        std::vector<RowIndex> start = greedyCover(*m_pool, most, m_abandon);
        // Coverage of N tickets that cover everything with fewer: the player asked for N tickets.
        if (!fewest()) {
            std::vector<std::uint8_t> taken(static_cast<std::size_t>(m_pool->size()), 0);
            for (RowIndex r : start)
                taken[r] = 1;
            for (RowIndex r = 0; r < m_pool->size() && static_cast<std::int32_t>(start.size()) < most; ++r)
                if (!taken[r])
                    start.push_back(r);
        }
        const CoverState greedy(*m_pool, start);
        const std::int64_t greedyValue =
            fewest() ? greedy.ticketCount() : m_pool->totalWeight() - greedy.uncoveredWeight();
        publish(greedyValue, start);

        // A thread that runs out of memory ends with the greedy cover.
        const ThreadBest greedyBest{greedyValue, start};
        std::vector<ThreadBest> bests(static_cast<std::size_t>(m_threadCount), greedyBest);
        auto guardedWork = [this, &start, &bests](int i) {
            try {
                bests[static_cast<std::size_t>(i)] = work(i, start);
            } catch (const std::bad_alloc&) {
            }
        };
        std::vector<std::thread> workers;
        try {
            for (int i = 1; i < m_threadCount; ++i)
                workers.emplace_back(guardedWork, i);
        } catch (...) {
            m_stop = true;
            for (std::thread& w : workers)
                w.join();
            throw;
        }
        guardedWork(0);
        for (std::thread& w : workers)
            w.join();

        // The winner by value, then by thread: what each thread finds depends only on its seed and steps.
        int winner = 0;
        for (int i = 1; i < m_threadCount; ++i)
            if (better(bests[i].value, bests[winner].value))
                winner = i;
        {
            std::lock_guard lock(m_mutex);
            setResult(bests[winner].value, bests[winner].tickets);
            m_elapsedAtEnd = elapsed();
            m_finished = true;
        }
    }

    ThreadBest work(int index, const std::vector<RowIndex>& start) {
        // On a full pool the first thread builds systems of whole orbits under relabellings of the
        // Numbers, and so do the others when the system runs to dozens of tickets: there the orbits find
        // systems far smaller than any search ticket by ticket. A system of a few tickets has no room
        // for orbits of many tickets, and the search ticket by ticket finds the best known ones.
        // Elsewhere two kinds of search share the work: the weighting search leads on sparse pools and
        // at t = 5, the annealing on full pools at t = 3 and 4; every other thread runs the other kind.
        if (fewest() && isFullPool(*m_pool) && (index == 0 || start.size() >= kOrbitsOnEveryThread)) {
            auto relabellings = relabellingsFor(*m_pool, static_cast<std::int64_t>(start.size()));
            if (!relabellings.empty()) {
                SymmetricSearch search(*m_pool, start, threadSeed(m_request.seed, index), std::move(relabellings),
                                       static_cast<std::size_t>(index), [this] {
                                           return m_stop.load(std::memory_order_relaxed) ||
                                                  std::chrono::steady_clock::now() >= m_start + m_request.timeLimit;
                                       });
                return drive(index, search);
            }
        }
        LocalSearch search(*m_pool, fewest(), start, threadSeed(m_request.seed, index),
                           index % 2 == 0 ? Strategy::Weighting : Strategy::Annealing);
        return drive(index, search);
    }

    template <class Search> ThreadBest drive(int index, Search& search) {
        std::uint64_t budget = UINT64_MAX;
        if (m_request.stepLimit > 0) {
            const auto threads = static_cast<std::uint64_t>(m_threadCount);
            budget =
                m_request.stepLimit / threads + (static_cast<std::uint64_t>(index) < m_request.stepLimit % threads);
        }
        const auto deadline = m_start + m_request.timeLimit;
        const std::uint64_t between = stepsBetweenLooks(m_pool->largestCoverCount());
        std::int64_t published = search.bestValue();
        while (budget > 0 && !search.done() && !m_stop.load(std::memory_order_relaxed) &&
               std::chrono::steady_clock::now() < deadline && m_lowestDone.load() > index) {
            const std::uint64_t taken = search.run(std::min(budget, between));
            budget -= taken;
            m_stepsTaken[static_cast<std::size_t>(index)].fetch_add(taken, std::memory_order_relaxed);
            if (better(search.bestValue(), published)) {
                published = search.bestValue();
                publish(published, search.bestTickets());
            }
        }
        // Only the clock and "Stop" end a thread at a moment that depends on the machine.
        if (budget > 0 && !search.done() && m_lowestDone.load() > index)
            m_cutShort = true;
        if (search.done()) {
            int lowest = m_lowestDone.load();
            while (index < lowest && !m_lowestDone.compare_exchange_weak(lowest, index)) {
            }
        }
        return {search.bestValue(), search.bestTickets()};
    }

    // A better value found by some thread, for the window to read while the search runs.
    void publish(std::int64_t value, const std::vector<RowIndex>& tickets) {
        std::lock_guard lock(m_mutex);
        if (!m_milestones.empty() && !better(value, m_bestValue))
            return;
        setResult(value, tickets);
        m_milestones.push_back({elapsed(), value});
    }

    void setResult(std::int64_t value, const std::vector<RowIndex>& tickets) {
        m_bestValue = value;
        m_result.tickets.clear();
        for (RowIndex r : tickets)
            m_result.tickets.push_back(m_pool->combination(r));
        std::sort(m_result.tickets.begin(), m_result.tickets.end());
        m_result.coveredRows = fewest() ? m_result.poolRows : static_cast<std::int32_t>(value);
    }

    const CoverRequest m_request;
    const int m_threadCount;
    const std::chrono::steady_clock::time_point m_start;
    std::unique_ptr<CoverPool> m_pool;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_abandon{false};
    std::atomic<bool> m_finished{false};
    std::atomic<bool> m_cutShort{false};
    // The lowest thread that found a best nothing can beat: the threads above it cannot win any more.
    std::atomic<int> m_lowestDone{INT_MAX};
    std::vector<std::atomic<std::uint64_t>> m_stepsTaken;

    mutable std::mutex m_mutex; // guards what follows
    CoverResult m_result;
    std::int64_t m_bestValue = 0;
    std::vector<CoverMilestone> m_milestones;
    std::chrono::milliseconds m_elapsedAtEnd{0};
    bool m_failed = false;

    std::mutex m_joinMutex;
    std::thread m_coordinator;
};

CoverSearch::CoverSearch(CoverRequest request) {
    if (const auto refusal = checkCoverRequest(request))
        throw std::invalid_argument(*refusal);
    m_engine = std::make_unique<Engine>(std::move(request));
}

CoverSearch::~CoverSearch() = default;

void CoverSearch::stop() {
    m_engine->stop();
}

void CoverSearch::wait() {
    m_engine->wait();
}

bool CoverSearch::finished() const {
    return m_engine->finished();
}

CoverProgress CoverSearch::progress() const {
    return m_engine->progress();
}

CoverResult CoverSearch::best() const {
    return m_engine->best();
}

} // namespace selektor
