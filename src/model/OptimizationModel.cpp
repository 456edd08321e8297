#include "model/OptimizationModel.h"

#include "analysis/AnalysisTexts.h"
#include "analysis/SystemCoverage.h"
#include "generator/FieldText.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <set>

namespace selektor {

namespace {

const char* const kNothingToCoverMessage =
    "Nie ma czego pokrywać - naciśnij \"Oblicz\" albo zbuduj lub otwórz system !";
const char* const kSystemTooLargeMessage =
    "System ma więcej niż 30000 różnych kombinacji - optymalizacja pokrywa najwyżej 30000 !";
const char* const kOneRowMessage =
    "W puli jest tylko jedna kombinacja - jedynym systemem, który ją pokrywa, jest ona sama !";
const char* const kGuaranteeMessage =
    "Gwarancja może wynosić od 2 do 5 trafień - 6 trafień daje tylko cała pula, a mniej niż 2 nie jest wygraną !";
const char* const kTicketCountNotNumberMessage = "Wpisz liczbę zakładów jako liczbę całkowitą większą od zera !";
const char* const kTicketCountZeroMessage = "Liczba zakładów musi być większa od zera !";
const char* const kTimeLimitMessage = "Limit czasu może wynosić od 1 do 600 sekund !";
const char* const kSeedMessage = "Ziarno musi być liczbą całkowitą od 0 do 4294967295 (puste pole: ziarno z zegara) !";
const char* const kStepLimitMessage = "Limit kroków musi być liczbą całkowitą (puste pole: bez limitu) !";

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits only, around them blanks; nothing for anything else or a value past `largest`.
std::optional<std::uint64_t> wholeValue(std::string_view text, std::uint64_t largest) {
    text = trimmed(text);
    if (!allDigits(text))
        return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value > largest)
        return std::nullopt;
    return value;
}

std::string lineMessage(std::size_t lineNumber) {
    return "Linia " + std::to_string(lineNumber) +
           " systemu nie jest szóstką różnych liczb od 1 do 49 - takiego systemu nie można optymalizować !";
}

std::string tooManyTicketsMessage(std::int32_t poolRows) {
    return "Liczba zakładów nie może być większa niż liczba kombinacji w puli (" + std::to_string(poolRows) + ") !";
}

} // namespace

std::string ticketCountText(std::int64_t tickets) {
    const std::int64_t ones = tickets % 10, tens = tickets % 100;
    const char* word = "zakładów";
    if (tickets == 1)
        word = "zakład";
    else if (ones >= 2 && ones <= 4 && !(tens >= 12 && tens <= 14))
        word = "zakłady";
    return std::to_string(tickets) + " " + word;
}

std::string proofSentence(std::int32_t covered, std::int32_t poolRows, int guarantee) {
    return std::string(covered == poolRows ? "Gwarancja sprawdzona: " : "Pokrycie sprawdzone: ") +
           std::to_string(covered) + " z " + std::to_string(poolRows) + " kombinacji puli ma co najmniej " +
           hitCountText(guarantee);
}

PoolToCover choosePoolToCover(const CandidatePool& pool, std::uint64_t poolRevision, const LotterySystem& system,
                              std::uint64_t systemRevision, bool systemFromFile) {
    PoolToCover chosen;
    if (!systemFromFile && pool.count() > 0) {
        chosen.key = {PoolToCoverSource::CandidatePool, poolRevision, static_cast<std::size_t>(pool.storedCount())};
        chosen.counted = pool.count();
        chosen.rows = std::make_unique<CandidatePool>();
        for (std::int32_t k = 0; k < pool.storedCount(); ++k)
            chosen.rows->append(pool.rows()[k]);
        chosen.description =
            pool.count() > pool.storedCount()
                ? "Pula do pokrycia: pierwsze " + std::to_string(pool.storedCount()) + " z " +
                      std::to_string(pool.count()) + " kombinacji ostatniego \"Oblicz\"."
                : "Pula do pokrycia: kombinacje ostatniego \"Oblicz\" (" + std::to_string(pool.storedCount()) + ").";
        if (pool.count() > pool.storedCount())
            chosen.note = "\"Oblicz\" naliczyło " + std::to_string(pool.count()) +
                          " kombinacji, a zapamiętanych jest " + std::to_string(pool.storedCount()) +
                          " - pokryte są tylko te " + std::to_string(pool.storedCount()) + ".";
        return chosen;
    }
    if (system.empty()) {
        chosen.description = kNothingToCoverMessage;
        return chosen;
    }
    // The system's own combinations, each once, in list order.
    const std::span<const Combination> tickets = system.tickets();
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        if (!isSoundCombination(tickets[i])) {
            chosen.description = lineMessage(i + 1);
            return chosen;
        }
    }
    std::set<Combination> seen;
    std::vector<Combination> rows;
    for (const Combination& ticket : system.tickets()) {
        if (!seen.insert(ticket).second)
            continue;
        if (rows.size() == static_cast<std::size_t>(kPoolCapacity)) {
            chosen.description = kSystemTooLargeMessage;
            return chosen;
        }
        rows.push_back(ticket);
    }
    chosen.key = {PoolToCoverSource::SystemLines, systemRevision, system.size()};
    chosen.rows = std::make_unique<CandidatePool>();
    for (const Combination& row : rows)
        chosen.rows->append(row);
    chosen.counted = static_cast<std::int64_t>(rows.size());
    chosen.description = "Pula do pokrycia: kombinacje bieżącego systemu (" + std::to_string(rows.size()) + ").";
    return chosen;
}

double OptimizationRun::doneShare() const {
    if (!running)
        return 1.0;
    double share = timeLimit.count() > 0
                       ? static_cast<double>(progress.elapsed.count()) / static_cast<double>(timeLimit.count())
                       : 0.0;
    if (stepLimit > 0)
        share = std::max(share, static_cast<double>(progress.steps) / static_cast<double>(stepLimit));
    return std::clamp(share, 0.0, 1.0);
}

OptimizationModel::OptimizationModel() = default;

OptimizationModel::~OptimizationModel() = default;

Outcome OptimizationModel::start(const PoolToCover& pool, std::uint32_t timeOfDay) {
    Outcome outcome;
    if (running())
        return outcome;
    const auto refuse = [&outcome](std::string text) {
        outcome.inform(std::move(text));
        return outcome;
    };
    if (!pool.rows)
        return refuse(pool.description);
    const std::int32_t poolRows = pool.size();
    if (poolRows < 2)
        return refuse(kOneRowMessage);
    if (m_guarantee < kLowestGuarantee || m_guarantee > kHighestGuarantee)
        return refuse(kGuaranteeMessage);

    CoverRequest request;
    request.guarantee = m_guarantee;
    request.goal = m_goal;
    if (m_goal == CoverGoal::BestCoverage) {
        const std::string_view text = trimmed(m_ticketCountText);
        if (!allDigits(text))
            return refuse(kTicketCountNotNumberMessage);
        // Digits past any count are more than any pool holds.
        const std::optional<std::uint64_t> tickets = wholeValue(text, std::numeric_limits<std::uint64_t>::max());
        if (tickets && *tickets == 0)
            return refuse(kTicketCountZeroMessage);
        if (!tickets || *tickets > static_cast<std::uint64_t>(poolRows))
            return refuse(tooManyTicketsMessage(poolRows));
        request.ticketCount = static_cast<std::int32_t>(*tickets);
    }
    if (m_timeLimitSeconds < kShortestTimeLimitSeconds || m_timeLimitSeconds > kLongestTimeLimitSeconds)
        return refuse(kTimeLimitMessage);
    request.timeLimit = std::chrono::seconds(m_timeLimitSeconds);
    std::uint64_t seed = timeOfDay;
    if (!trimmed(m_seedText).empty()) {
        const std::optional<std::uint64_t> typed = wholeValue(m_seedText, std::numeric_limits<std::uint32_t>::max());
        if (!typed)
            return refuse(kSeedMessage);
        seed = *typed;
    }
    request.seed = seed;
    if (!trimmed(m_stepLimitText).empty()) {
        const std::optional<std::uint64_t> steps =
            wholeValue(m_stepLimitText, std::numeric_limits<std::uint64_t>::max());
        if (!steps)
            return refuse(kStepLimitMessage);
        request.stepLimit = *steps;
    }
    request.threads = m_threads;
    request.pool.assign(pool.rows->rows().begin(), pool.rows->rows().begin() + poolRows);
    // Whatever else the search itself cannot take is said in its own sentence.
    if (const std::optional<std::string> refusal = checkCoverRequest(request))
        return refuse(*refusal);

    OptimizationRun run;
    run.pool = pool.key;
    run.poolDescription = pool.description;
    run.note = pool.note;
    run.poolRows = poolRows;
    run.guarantee = request.guarantee;
    run.goal = request.goal;
    run.ticketCount = request.ticketCount;
    run.seed = request.seed;
    run.stepLimit = request.stepLimit;
    run.timeLimit = std::chrono::duration_cast<std::chrono::milliseconds>(request.timeLimit);
    run.running = true;

    // The search starts before anything of the last one is replaced, so a failure to start leaves it.
    auto search = std::make_unique<CoverSearch>(std::move(request));
    m_runPool = std::make_unique<CandidatePool>(*pool.rows);
    m_search = std::move(search);
    m_run = std::move(run);
    return outcome;
}

void OptimizationModel::stop() {
    // Waiting here would hold the window (and a new "Oblicz") until the threads notice; they are read
    // again by the next poll instead.
    if (!running())
        return;
    m_search->stop();
    m_run->stopping = true;
}

bool OptimizationModel::poll() {
    if (!running())
        return false;
    m_run->progress = m_search->progress();
    if (m_search->finished())
        finish();
    return running();
}

void OptimizationModel::follow(const PoolToCoverKey& current) {
    // A search of a pool that is no longer the one to cover could never be used; its best is kept, to be
    // offered again should that pool come back.
    if (running() && m_run->pool != current)
        stop();
}

const OptimizationRun* OptimizationModel::offered(const PoolToCoverKey& current) const {
    if (!m_run || m_run->running || !m_run->proved || m_run->pool != current)
        return nullptr;
    return &*m_run;
}

void OptimizationModel::finish() {
    m_search->wait();
    m_run->progress = m_search->progress();
    const CoverResult best = m_search->best();
    m_search.reset();
    OptimizationRun& run = *m_run;
    run.running = run.stopping = false;
    run.tickets = best.tickets;

    // The search's word is not taken for it: the tickets are measured on every row of the pool by the
    // same measure as "Pokrycie systemu", and each must be a pool combination, so that it passes the
    // player's filters.
    LotterySystem system;
    system.reserve(best.tickets.size());
    for (const Combination& ticket : best.tickets)
        system.append(ticket);
    const SystemCoverage coverage = measureCoverage(system, *m_runPool);
    std::vector<Combination> poolRows(m_runPool->rows().begin(), m_runPool->rows().begin() + m_runPool->storedCount());
    std::sort(poolRows.begin(), poolRows.end());
    const bool fromPool = std::all_of(best.tickets.begin(), best.tickets.end(), [&](const Combination& ticket) {
        return std::binary_search(poolRows.begin(), poolRows.end(), ticket);
    });
    m_runPool.reset();

    if (coverage.refusal || !fromPool) {
        run.proof = "Wynik nie przeszedł sprawdzenia - nie wszystkie jego zakłady są kombinacjami puli !";
        if (best.tickets.empty())
            run.proof = "Nie znaleziono żadnego wyniku - spróbuj z dłuższym limitem czasu !";
        return;
    }
    run.coveredRows = coverage.coveredAtLeast[static_cast<std::size_t>(run.guarantee)];
    const bool goalMet =
        run.goal == CoverGoal::FewestTickets
            ? run.coveredRows == run.poolRows
            : static_cast<std::int32_t>(best.tickets.size()) <= run.ticketCount && run.coveredRows == best.coveredRows;
    run.proof = proofSentence(run.coveredRows, run.poolRows, run.guarantee);
    if (!goalMet) {
        run.proof = "Wynik nie przeszedł sprawdzenia: " + std::to_string(run.coveredRows) + " z " +
                    std::to_string(run.poolRows) + " kombinacji puli ma co najmniej " + hitCountText(run.guarantee) +
                    " - nie można go użyć !";
        return;
    }
    run.proved = true;
}

} // namespace selektor
