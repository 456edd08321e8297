#include "generator/RandomSimulation.h"

#include "core/Patterns.h"
#include "generator/FieldText.h"

#include <algorithm>
#include <limits>

namespace selektor {

namespace {

const char* const kMissingCountMessage = "Nie ustalona liczba kombinacji w systemie !";
const char* const kMissingLimitMessage = "Nie ustalony limit czasu pracy generatora !";

// The field's whole-number conversion: digits only (the field takes nothing else but blanks, and
// blanks between digits make it no number); too large a value is no number either.
std::optional<std::int32_t> wholeNumber(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::string conversionErrorText(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

// Reads one field: the refusal or nothing-to-do outcome, or the value.
std::optional<StartOutcome> readField(std::string_view rawText, const char* missingMessage, std::int32_t& value) {
    const std::string_view text = trimmed(rawText);
    if (text.empty())
        return StartOutcome{StartStatus::Refused, missingMessage};
    const std::optional<std::int32_t> number = wholeNumber(text);
    if (!number)
        return StartOutcome{StartStatus::ConversionError, conversionErrorText(text)};
    if (*number == 0)
        return StartOutcome{StartStatus::NothingToDo, {}};
    value = *number;
    return std::nullopt;
}

} // namespace

std::uint32_t seedFromTimeOfDay(int hours, int minutes, int seconds, int milliseconds) {
    return static_cast<std::uint32_t>(((hours * 60 + minutes) * 60 + seconds) * 1000 + milliseconds);
}

int differenceOverlapLimit(DifferenceChoice choice) {
    return 5 - static_cast<int>(choice);
}

StartOutcome startRandomSimulation(std::string_view countText, std::string_view limitText, DifferenceChoice choice,
                                   std::uint32_t seed, LotterySystem& system, RandomSimulation& sim) {
    std::int32_t requestedCount = 0;
    std::int32_t timeLimit = 0;
    if (auto refusal = readField(countText, kMissingCountMessage, requestedCount))
        return *refusal;
    if (auto refusal = readField(limitText, kMissingLimitMessage, timeLimit))
        return *refusal;

    system.clear();
    sim.requestedCount = requestedCount;
    sim.timeLimit = timeLimit;
    sim.overlapLimit = static_cast<std::uint8_t>(differenceOverlapLimit(choice));
    sim.secondsLeft = timeLimit;
    sim.testIdle = 1;
    sim.random.reseed(seed);
    sim.running = true;
    return StartOutcome{StartStatus::Started, {}};
}

SimulationTickOutcome simulationTick(const CandidatePool& pool, LotterySystem& system, RandomSimulation& sim) {
    SimulationTickOutcome outcome;
    if (!sim.running)
        return outcome;
    if (static_cast<std::int64_t>(system.size()) == sim.requestedCount) {
        stopSimulation(sim);
        outcome.finished = true;
        return outcome;
    }
    // An emptied pool (after post-processing) offers nothing to draw; the countdown ends the run.
    const std::int32_t poolRows = std::max(pool.storedCount(), 0);
    if (poolRows == 0)
        return outcome;
    const std::uint32_t index = sim.random.below(static_cast<std::uint32_t>(poolRows));
    outcome.drawn = pool.rows()[index];
    if (sim.testIdle == 1) {
        sim.candidateBuffer = pool.rows()[index];
        outcome.accepted = testCandidate(system, sim);
    }
    return outcome;
}

CountdownTickOutcome countdownTick(RandomSimulation& sim) {
    CountdownTickOutcome outcome;
    if (!sim.running) {
        outcome.secondsShown = sim.secondsLeft;
        return outcome;
    }
    if (sim.secondsLeft < 1) {
        stopSimulation(sim);
        outcome.secondsShown = 0;
        outcome.finished = true;
        return outcome;
    }
    --sim.secondsLeft;
    outcome.secondsShown = sim.secondsLeft;
    return outcome;
}

bool testCandidate(LotterySystem& system, RandomSimulation& sim) {
    sim.testIdle = 0;
    bool accepted = system.size() < static_cast<std::size_t>(kSystemCapacity);
    for (std::size_t r = 0; accepted && r < system.size(); ++r)
        if (commonNumbers(sim.candidateBuffer, system.tickets()[r]) > sim.overlapLimit)
            accepted = false;
    if (accepted)
        system.append(sim.candidateBuffer);
    sim.testIdle = 1;
    return accepted;
}

void stopSimulation(RandomSimulation& sim) {
    sim.running = false;
}

} // namespace selektor
