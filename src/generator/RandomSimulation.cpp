#include "generator/RandomSimulation.h"

#include "core/Patterns.h"
#include "generator/FieldText.h"
#include "generator/SystemLine.h"

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
                                   std::uint32_t seed, GeneratorState& state, RandomSimulation& sim) {
    std::int32_t requestedCount = 0;
    std::int32_t timeLimit = 0;
    if (auto refusal = readField(countText, kMissingCountMessage, requestedCount))
        return *refusal;
    if (auto refusal = readField(limitText, kMissingLimitMessage, timeLimit))
        return *refusal;

    state.generatorList.clear();
    state.generatorRunning = 1;
    sim.requestedCount = requestedCount;
    sim.timeLimit = timeLimit;
    sim.overlapLimit = static_cast<std::uint8_t>(differenceOverlapLimit(choice));
    state.systemCount = 0;
    sim.secondsLeft = timeLimit;
    sim.testIdle = 1;
    sim.random.reseed(seed);
    sim.timersOn = true;
    return StartOutcome{StartStatus::Started, {}};
}

SimulationTickOutcome simulationTick(const CandidatePool& pool, GeneratorState& state, RandomSimulation& sim) {
    SimulationTickOutcome outcome;
    if (!sim.timersOn)
        return outcome;
    if (state.systemCount == sim.requestedCount) {
        finishGeneration(state, sim);
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
        outcome.accepted = testCandidate(state, sim);
    }
    return outcome;
}

CountdownTickOutcome countdownTick(GeneratorState& state, RandomSimulation& sim) {
    CountdownTickOutcome outcome;
    if (!sim.timersOn) {
        outcome.secondsShown = sim.secondsLeft;
        return outcome;
    }
    if (sim.secondsLeft < 1) {
        finishGeneration(state, sim);
        outcome.secondsShown = 0;
        outcome.finished = true;
        return outcome;
    }
    --sim.secondsLeft;
    outcome.secondsShown = sim.secondsLeft;
    return outcome;
}

bool testCandidate(GeneratorState& state, RandomSimulation& sim) {
    sim.testIdle = 0;
    bool accepted = state.systemCount < kSystemCapacity;
    for (std::int32_t r = 0; accepted && r < state.systemCount; ++r)
        if (commonNumbers(sim.candidateBuffer, state.systemTable[r]) > sim.overlapLimit)
            accepted = false;
    if (accepted) {
        state.systemTable[state.systemCount] = sim.candidateBuffer;
        ++state.systemCount;
        state.generatorList.push_back(systemLine(sim.candidateBuffer));
    }
    sim.testIdle = 1;
    return accepted;
}

void finishGeneration(GeneratorState& state, RandomSimulation& sim) {
    sim.timersOn = false;
    state.generatorRunning = 0;
    if (!state.generatorList.empty())
        state.systemSaved = 0;
    startFlash(state);
}

void stopGeneratorOnRequest(GeneratorState& state, RandomSimulation& sim) {
    sim.timersOn = false;
    state.generatorRunning = 0;
}

} // namespace selektor
