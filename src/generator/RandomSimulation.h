#pragma once

// " Symulacja komputerowa ": draws pool combinations at random, one per 10 ms tick, and keeps one only
// when it differs enough from all kept so far; a 1 s countdown bounds the run. The window owns the two
// timers and forwards their ticks here; everything the window shows comes back in the outcomes.

#include "core/CandidatePool.h"
#include "generator/LotterySystem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace selektor {

// The program's random source: a 32-bit linear congruential generator.
class RandomSource {
public:
    explicit RandomSource(std::uint32_t seed = 0) : m_seed(seed) {}

    void reseed(std::uint32_t seed) { m_seed = seed; }
    std::uint32_t seed() const { return m_seed; }

    // Advances the seed: seed * 134775813 + 1 modulo 2^32.
    std::uint32_t next() {
        m_seed = m_seed * 134775813u + 1u;
        return m_seed;
    }
    // A uniform index below n: the high 32 bits of the new seed times n. n must not be 0.
    std::uint32_t below(std::uint32_t n) {
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(next()) * n) >> 32);
    }

private:
    std::uint32_t m_seed;
};

// The seed is the time of day in milliseconds since midnight; the window reads its clock and passes it.
std::uint32_t seedFromTimeOfDay(int hours, int minutes, int seconds, int milliseconds);

// The index of the difference choice.
enum class DifferenceChoice : std::uint8_t {
    One = 0,   // "rozwiązania różne o jeden": no two kept combinations are equal
    Two = 1,   // "rozwiązania różne o dwa": any two share at most 4 Numbers
    Three = 2, // "rozwiązania różne o trzy": at most 3
    Four = 3,  // "rozwiązania różne o cztery": at most 2
};

// 5 minus the choice's index.
int differenceOverlapLimit(DifferenceChoice choice);

// A simulated system never grows past the pool's size.
inline constexpr std::int32_t kSystemCapacity = 30000;

// Everything a run keeps between ticks.
struct RandomSimulation {
    std::int32_t requestedCount = 0;
    std::int32_t timeLimit = 0;
    std::int32_t secondsLeft = 0;
    std::uint8_t overlapLimit = 5;
    Combination candidateBuffer{};
    std::uint8_t testIdle = 1;
    bool running = false; // generatorRunning: ticks that arrive after the run ended do nothing
    RandomSource random;
};

enum class StartStatus : std::uint8_t {
    Started,         // the run is on: start the 1000 ms countdown timer, then the 10 ms simulation timer
    Refused,         // an empty field: show `message` in a message box; nothing changed
    NothingToDo,     // a field holding 0: nothing starts and nothing is shown
    ConversionError, // a field that is not a whole number: show `message` as the standard error
};

struct StartOutcome {
    StartStatus status = StartStatus::NothingToDo;
    std::string message;
};

// The OK button of " Symulacja komputerowa ". `countText` and `limitText` are the raw texts of
// "Liczba kombinacji:" and "Limit czasowy:"; `seed` the time of day in milliseconds. On Started the
// system is empty, the run is on and the countdown shows the time limit.
StartOutcome startRandomSimulation(std::string_view countText, std::string_view limitText, DifferenceChoice choice,
                                   std::uint32_t seed, LotterySystem& system, RandomSimulation& sim);

struct SimulationTickOutcome {
    std::optional<Combination> drawn; // the candidate for the six labels of the countdown panel
    bool accepted = false;            // the system grew by one line
    bool finished = false;            // the requested count was reached: the run is over
};

// The 10 ms tick: ends the run once the requested count is reached, otherwise draws one pool row and
// tests it.
SimulationTickOutcome simulationTick(const CandidatePool& pool, LotterySystem& system, RandomSimulation& sim);

struct CountdownTickOutcome {
    std::int32_t secondsShown = 0; // the countdown value to show ("0" when the run ends)
    bool finished = false;         // the time is up: the run is over
};

// The 1000 ms tick: counts down; the tick that finds 0 already shown ends the run.
CountdownTickOutcome countdownTick(RandomSimulation& sim);

// Tests candidateBuffer against the kept rows and keeps it when it shares at most overlapLimit Numbers
// with each. Returns whether it was kept.
bool testCandidate(LotterySystem& system, RandomSimulation& sim);

// The run stops, by its own end or on the player's request; the system keeps what was found.
void stopSimulation(RandomSimulation& sim);

} // namespace selektor
