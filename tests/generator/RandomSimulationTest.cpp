#include "generator/RandomSimulation.h"

#include "PoolFixtures.h"
#include "generator/SystemLine.h"

#include <gtest/gtest.h>
#include <set>

using namespace selektor;
using namespace selektor::test;

namespace {

constexpr std::uint32_t kSeed = 45'296'789; // 12:34:56.789

struct SimulationRun {
    LotterySystem system;
    RandomSimulation sim;

    StartOutcome start(std::string_view count, std::string_view limit, DifferenceChoice choice = DifferenceChoice::One,
                       std::uint32_t seed = kSeed) {
        return startRandomSimulation(count, limit, choice, seed, system, sim);
    }

    // Drives the run as the two timers would: a hundred 10 ms ticks between countdown ticks, until it
    // ends. Returns the number of countdown ticks delivered.
    int runToEnd(const CandidatePool& pool, int maxSeconds = 100) {
        for (int second = 1; second <= maxSeconds; ++second) {
            for (int tick = 0; tick < 100; ++tick)
                if (simulationTick(pool, system, sim).finished)
                    return second - 1;
            if (countdownTick(sim).finished)
                return second;
        }
        ADD_FAILURE() << "the run did not end";
        return -1;
    }
};

} // namespace

TEST(RandomSource, IsTheProgramsLinearCongruentialGenerator) {
    RandomSource random(12345);
    EXPECT_EQ(random.below(10), 3u);
    EXPECT_EQ(random.seed(), 1655067934u);
    EXPECT_EQ(random.below(30000), 8680u);
    EXPECT_EQ(random.seed(), 1242767767u);
    EXPECT_EQ(random.below(49), 3u);
    EXPECT_EQ(random.below(1), 0u);
    EXPECT_EQ(random.seed(), 2377737157u);
    // The seed wraps modulo 2^32.
    RandomSource wrapping(0xFFFFFFFFu);
    EXPECT_EQ(wrapping.next(), static_cast<std::uint32_t>(0xFFFFFFFFull * 134775813ull + 1));
}

TEST(RandomSource, SeedIsTheTimeOfDayInMilliseconds) {
    EXPECT_EQ(seedFromTimeOfDay(0, 0, 0, 0), 0u);
    EXPECT_EQ(seedFromTimeOfDay(12, 34, 56, 789), kSeed);
    EXPECT_EQ(seedFromTimeOfDay(23, 59, 59, 999), 86'399'999u);
}

struct FieldCase {
    const char* count;
    const char* limit;
    StartStatus status;
    const char* message;
};

class SimulationStartFields : public testing::TestWithParam<FieldCase> {};

TEST_P(SimulationStartFields, RefusalsChangeNothing) {
    SimulationRun run;
    run.system.append({1, 2, 3, 4, 5, 6});
    const StartOutcome outcome = run.start(GetParam().count, GetParam().limit);
    EXPECT_EQ(outcome.status, GetParam().status);
    EXPECT_EQ(outcome.message, GetParam().message);
    EXPECT_EQ(run.system.size(), 1u);
    EXPECT_FALSE(run.sim.running);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SimulationStartFields,
    testing::Values(FieldCase{"", "10", StartStatus::Refused, "Nie ustalona liczba kombinacji w systemie !"},
                    FieldCase{"    ", "", StartStatus::Refused, "Nie ustalona liczba kombinacji w systemie !"},
                    FieldCase{"5", "  ", StartStatus::Refused, "Nie ustalony limit czasu pracy generatora !"},
                    FieldCase{"0", "10", StartStatus::NothingToDo, ""},
                    FieldCase{"0000", "", StartStatus::NothingToDo, ""},
                    FieldCase{"5", " 0", StartStatus::NothingToDo, ""},
                    // The count is converted before the limit is looked at.
                    FieldCase{"1 2", "", StartStatus::ConversionError, "'1 2' is not a valid integer value"},
                    FieldCase{" 12", "3 4", StartStatus::ConversionError, "'3 4' is not a valid integer value"},
                    FieldCase{"99999999999", "5", StartStatus::ConversionError,
                              "'99999999999' is not a valid integer value"}));

TEST(RandomSimulation, StartEmptiesTheListAndShowsTheLimit) {
    SimulationRun run;
    run.system.appendLine("left from the previous run");
    run.system.append({1, 2, 3, 4, 5, 6});
    const StartOutcome outcome = run.start(" 25 ", "  7", DifferenceChoice::Three);
    EXPECT_EQ(outcome.status, StartStatus::Started);
    EXPECT_TRUE(run.system.empty());
    EXPECT_TRUE(run.sim.running);
    EXPECT_EQ(run.sim.requestedCount, 25);
    EXPECT_EQ(run.sim.secondsLeft, 7);
    EXPECT_EQ(run.sim.overlapLimit, 3);
    EXPECT_EQ(run.sim.random.seed(), kSeed);
}

TEST(RandomSimulation, CountOneEndsAtTheTickAfterTheFirstAcceptance) {
    auto pool = randomPool(21, 300);
    SimulationRun run;
    ASSERT_EQ(run.start("1", "9999").status, StartStatus::Started);
    const SimulationTickOutcome first = simulationTick(*pool, run.system, run.sim);
    ASSERT_TRUE(first.drawn);
    EXPECT_TRUE(first.accepted);
    EXPECT_FALSE(first.finished);
    EXPECT_EQ(linesOf(run.system), (std::vector<std::string>{systemLine(*first.drawn)}));

    const SimulationTickOutcome second = simulationTick(*pool, run.system, run.sim);
    EXPECT_TRUE(second.finished);
    EXPECT_FALSE(second.drawn);
    EXPECT_FALSE(run.sim.running);
    // Ticks still queued after the end change nothing.
    EXPECT_FALSE(simulationTick(*pool, run.system, run.sim).drawn);
    EXPECT_FALSE(countdownTick(run.sim).finished);
    EXPECT_EQ(run.system.size(), 1u);
}

TEST(RandomSimulation, ReplaysTheDrawsOfItsSeed) {
    auto pool = randomPool(22, 1000);
    SimulationRun run;
    ASSERT_EQ(run.start("9999", "5", DifferenceChoice::Two, 777).status, StartStatus::Started);
    RandomSource expected(777);
    for (int tick = 0; tick < 300; ++tick) {
        const SimulationTickOutcome outcome = simulationTick(*pool, run.system, run.sim);
        ASSERT_TRUE(outcome.drawn);
        ASSERT_EQ(*outcome.drawn, pool->rows()[expected.below(1000)]) << "tick " << tick;
    }
    SimulationRun again;
    again.start("9999", "5", DifferenceChoice::Two, 777);
    for (int tick = 0; tick < 300; ++tick)
        simulationTick(*pool, again.system, again.sim);
    EXPECT_EQ(again.system, run.system);
}

TEST(RandomSimulation, SmallPoolEndsAtTheLimitPlusOneSecondWithDistinctLines) {
    auto pool = poolOf({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}, {1, 2, 3, 4, 5, 8}});
    SimulationRun run;
    ASSERT_EQ(run.start("5", "3").status, StartStatus::Started);
    EXPECT_EQ(run.runToEnd(*pool), 4); // three ticks show 2, 1, 0; the fourth ends the run
    const auto lines = linesOf(run.system);
    EXPECT_EQ(lines.size(), 3u);
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), lines.size());
    EXPECT_FALSE(run.sim.running);
}

TEST(RandomSimulation, EveryChoiceKeepsItsDifference) {
    auto pool = enumeratedPool(FilterSettings{});
    ASSERT_TRUE(pool);
    for (auto choice :
         {DifferenceChoice::One, DifferenceChoice::Two, DifferenceChoice::Three, DifferenceChoice::Four}) {
        SimulationRun run;
        ASSERT_EQ(run.start("9999", "20", choice).status, StartStatus::Started);
        run.runToEnd(*pool);
        const int limit = differenceOverlapLimit(choice);
        const auto kept = run.system.tickets();
        ASSERT_GT(kept.size(), 1u);
        ASSERT_TRUE(run.system.allTickets());
        for (std::size_t a = 0; a < kept.size(); ++a)
            for (std::size_t b = a + 1; b < kept.size(); ++b)
                ASSERT_LE(commonNumbers(kept[a], kept[b]), limit);
    }
}

TEST(RandomSimulation, LimitOneShowsOneThenZeroAndEndsAfterTwoSeconds) {
    auto pool = randomPool(23, 50);
    SimulationRun run;
    ASSERT_EQ(run.start("9999", "1").status, StartStatus::Started);
    const CountdownTickOutcome first = countdownTick(run.sim);
    EXPECT_EQ(first.secondsShown, 0);
    EXPECT_FALSE(first.finished);
    const CountdownTickOutcome second = countdownTick(run.sim);
    EXPECT_EQ(second.secondsShown, 0);
    EXPECT_TRUE(second.finished);
    EXPECT_FALSE(run.sim.running);
}

TEST(RandomSimulation, EmptyPoolDrawsNothingAndEndsAtTheLimit) {
    auto pool = poolOf({});
    SimulationRun run;
    ASSERT_EQ(run.start("10", "2").status, StartStatus::Started);
    for (int tick = 0; tick < 50; ++tick) {
        const SimulationTickOutcome outcome = simulationTick(*pool, run.system, run.sim);
        ASSERT_FALSE(outcome.drawn);
        ASSERT_FALSE(outcome.finished);
    }
    EXPECT_EQ(run.runToEnd(*pool), 3);
    EXPECT_TRUE(run.system.empty());
}

TEST(RandomSimulation, StopKeepsThePartialList) {
    auto pool = randomPool(24, 2000);
    SimulationRun run;
    ASSERT_EQ(run.start("500", "60", DifferenceChoice::Two).status, StartStatus::Started);
    for (int tick = 0; tick < 40; ++tick)
        simulationTick(*pool, run.system, run.sim);
    const LotterySystem partial = run.system;
    ASSERT_FALSE(partial.empty());
    stopSimulation(run.sim);
    EXPECT_FALSE(run.sim.running);
    EXPECT_FALSE(simulationTick(*pool, run.system, run.sim).drawn);
    EXPECT_FALSE(countdownTick(run.sim).finished);
    EXPECT_EQ(run.system, partial);
}

TEST(RandomSimulation, TestCandidateAcceptsTheFirstAndRejectsTooCloseOnes) {
    SimulationRun run;
    run.start("10", "10", DifferenceChoice::Four); // at most two shared
    run.sim.candidateBuffer = {1, 2, 3, 4, 5, 6};
    EXPECT_TRUE(testCandidate(run.system, run.sim));
    run.sim.candidateBuffer = {1, 2, 3, 40, 41, 42};
    EXPECT_FALSE(testCandidate(run.system, run.sim));
    run.sim.candidateBuffer = {1, 2, 30, 40, 41, 42};
    EXPECT_TRUE(testCandidate(run.system, run.sim));
    EXPECT_EQ(run.sim.testIdle, 1);
    EXPECT_EQ(linesOf(run.system), (std::vector<std::string>{"  1  2  3  4  5  6", "  1  2 30 40 41 42"}));
}
