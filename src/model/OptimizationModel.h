#pragma once

// "Optymalizacja systemu" in the model: the pool to cover, what the player asks for (the guarantee t, the
// goal, N, the time limit, the seed and the step limit), the search running in the background, and its
// result, proved by the coverage measure of "Analiza" on every pool row before it is offered. The
// application model owns one, chooses the pool, and makes an offered result the current system.

#include "core/CandidatePool.h"
#include "generator/LotterySystem.h"
#include "model/Outcome.h"
#include "optimizer/CoverSearch.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace selektor {

// Where the pool to cover comes from.
enum class PoolToCoverSource : std::uint8_t {
    None,          // there is nothing to cover
    CandidatePool, // the candidate pool of the last "Oblicz"
    SystemLines,   // the current system's own combinations: a system from a file, or no pool
};

// Tells one pool to cover from another: a search and its result belong to the pool they were made for.
struct PoolToCoverKey {
    PoolToCoverSource source = PoolToCoverSource::None;
    std::uint64_t revision = 0; // of the candidate pool or of the system it was taken from
    std::size_t size = 0;

    friend bool operator==(const PoolToCoverKey&, const PoolToCoverKey&) = default;
};

struct PoolToCover {
    PoolToCoverKey key;
    // The rows to cover, all of them stored; null when there is nothing to cover.
    std::unique_ptr<CandidatePool> rows;
    std::int64_t counted = 0;        // what "Oblicz" counted: more than the rows when it passed 30000
    std::string description;         // which pool and its size, or why there is nothing to cover
    std::optional<std::string> note; // said beside the result: only the stored 30000 are covered

    std::int32_t size() const { return rows ? rows->storedCount() : 0; }
};

// The candidate pool of the last "Oblicz" (`poolRevision` goes up whenever it changes), unless the
// current system came from a file; then, and when there is no pool, the system's own combinations,
// each once. Nothing when neither holds a combination, or the system cannot serve as a pool.
PoolToCover choosePoolToCover(const CandidatePool& pool, std::uint64_t poolRevision, const LotterySystem& system,
                              std::uint64_t systemRevision, bool systemFromFile);

// The time limit in seconds: 30 at first, from 1 second to 10 minutes.
inline constexpr int kDefaultTimeLimitSeconds = 30;
inline constexpr int kShortestTimeLimitSeconds = 1;
inline constexpr int kLongestTimeLimitSeconds = 600;

// "1 zakład", "3 zakłady", "12 zakładów", "22 zakłady".
std::string ticketCountText(std::int64_t tickets);

// The sentence of a proved result: "Gwarancja sprawdzona: 924 z 924 kombinacji puli ma co najmniej 3
// trafienia"; a cover short of the whole pool says "Pokrycie sprawdzone: ...".
std::string proofSentence(std::int32_t covered, std::int32_t poolRows, int guarantee);

// One search as the window shows it: what was asked, how far it went, and, once it ended, its best
// result and the proof.
struct OptimizationRun {
    PoolToCoverKey pool;
    std::string poolDescription;
    std::optional<std::string> note;
    std::int32_t poolRows = 0;
    int guarantee = 3;
    CoverGoal goal = CoverGoal::FewestTickets;
    std::int32_t ticketCount = 0; // N of "Najlepsze pokrycie"
    std::uint64_t seed = 0;
    std::uint64_t stepLimit = 0; // 0: none
    std::chrono::milliseconds timeLimit{0};

    bool running = false;
    bool stopping = false;  // asked to stop, its threads not yet ended
    CoverProgress progress; // as last read

    // Once it ended.
    std::vector<Combination> tickets;
    std::int32_t coveredRows = 0; // as measured, not as the search claims
    bool proved = false;          // every ticket a pool row, and the coverage what the goal needs
    std::string proof;            // the proof sentence, or why the result is not offered

    // How much of the time limit, or of the step limit, is gone: 0 to 1.
    double doneShare() const;
};

class OptimizationModel {
public:
    OptimizationModel();
    ~OptimizationModel();
    OptimizationModel(const OptimizationModel&) = delete;
    OptimizationModel& operator=(const OptimizationModel&) = delete;

    // ---- What the player sets ----
    int guarantee() const { return m_guarantee; }
    void setGuarantee(int t) { m_guarantee = t; }
    CoverGoal goal() const { return m_goal; }
    void setGoal(CoverGoal goal) { m_goal = goal; }
    const std::string& ticketCountText() const { return m_ticketCountText; }
    void setTicketCountText(std::string text) { m_ticketCountText = std::move(text); }
    int timeLimitSeconds() const { return m_timeLimitSeconds; }
    void setTimeLimitSeconds(int seconds) { m_timeLimitSeconds = seconds; }
    // Blank: the seed is taken from the clock as the search starts.
    const std::string& seedText() const { return m_seedText; }
    void setSeedText(std::string text) { m_seedText = std::move(text); }
    // Blank: no step limit.
    const std::string& stepLimitText() const { return m_stepLimitText; }
    void setStepLimitText(std::string text) { m_stepLimitText = std::move(text); }
    // How many threads a search uses; two, so that the same seed and step limit give the same result on
    // any machine.
    void setThreads(int threads) { m_threads = threads; }

    // ---- The search ----
    // "Start": a search of `pool` with what the player set. A refusal is one sentence in the outcome and
    // changes nothing; so does a click while a search runs. `timeOfDay` (milliseconds since midnight)
    // seeds a search whose seed field is blank.
    Outcome start(const PoolToCover& pool, std::uint32_t timeOfDay);
    // "Stop", and the closing of the window: the search is asked to end and returns at once; the next
    // poll() after its threads have ended proves its best and keeps it. Its first cover is never cut
    // short, so a search stopped at once still ends with a result.
    void stop();
    // Reads a running search; once it has ended, its best is proved. True while it runs.
    bool poll();
    // The pool to cover is now `current`: a search of another pool is stopped (its best is kept).
    void follow(const PoolToCoverKey& current);

    bool running() const { return m_run && m_run->running; }
    // The last search, running or ended; nothing before the first.
    const std::optional<OptimizationRun>& run() const { return m_run; }
    // The result "Użyj" may take: a proved one, made for the pool that is to be covered now.
    const OptimizationRun* offered(const PoolToCoverKey& current) const;

private:
    void finish();

    int m_guarantee = 3;
    CoverGoal m_goal = CoverGoal::FewestTickets;
    std::string m_ticketCountText;
    int m_timeLimitSeconds = kDefaultTimeLimitSeconds;
    std::string m_seedText;
    std::string m_stepLimitText;
    int m_threads = 2;

    std::optional<OptimizationRun> m_run;
    std::unique_ptr<CandidatePool> m_runPool; // the rows the running search covers, for the proof
    std::unique_ptr<CoverSearch> m_search;
};

} // namespace selektor
