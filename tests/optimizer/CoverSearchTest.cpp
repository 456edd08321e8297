// The search as the window uses it: what it finds is always proved by the coverage measure of
// "Analiza", small systems whose best size is known come out at that size, a stop keeps a valid best, a
// seed with a step limit repeats, and impossible requests are refused with their sentence.

#include "optimizer/CoverSearch.h"

#include "OptimizerFixtures.h"
#include "analysis/SystemCoverage.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

using namespace selektor;
using namespace selektor::test;
using namespace std::chrono_literals;

namespace {

CoverRequest requestFor(std::vector<Combination> pool, int guarantee, std::uint64_t steps, std::uint64_t seed = 7) {
    CoverRequest request;
    request.pool = std::move(pool);
    request.guarantee = guarantee;
    request.seed = seed;
    request.stepLimit = steps;
    request.timeLimit = 600s;
    return request;
}

CoverResult searched(const CoverRequest& request) {
    CoverSearch search(request);
    search.wait();
    EXPECT_TRUE(search.finished());
    return search.best();
}

// The tickets checked the way "Analiza" checks any system: every pool row against them.
SystemCoverage measured(const CoverRequest& request, const CoverResult& result) {
    const auto pool = poolOf(request.pool);
    return measureCoverage(systemOf(result.tickets), *pool);
}

void expectTicketsFromThePool(const CoverRequest& request, const CoverResult& result) {
    const std::set<Combination> pool(request.pool.begin(), request.pool.end());
    EXPECT_TRUE(std::is_sorted(result.tickets.begin(), result.tickets.end()));
    EXPECT_EQ(std::set<Combination>(result.tickets.begin(), result.tickets.end()).size(), result.tickets.size());
    for (const Combination& t : result.tickets)
        EXPECT_TRUE(pool.count(t)) << "a ticket outside the pool";
    EXPECT_EQ(result.poolRows, static_cast<std::int32_t>(request.pool.size()));
}

struct KnownOptimum {
    int numbers;
    int guarantee;
    std::size_t tickets;
    std::uint64_t steps;
};

class SmallestKnown : public ::testing::TestWithParam<KnownOptimum> {};

} // namespace

// 12 Numbers at t = 3: two disjoint sixes, since any six of twelve has three in one of them.
TEST_P(SmallestKnown, FullPoolsReachTheirProvedSize) {
    const KnownOptimum c = GetParam();
    const CoverRequest request = requestFor(fullPool(c.numbers), c.guarantee, c.steps);
    CoverSearch search(request);
    search.wait();
    const CoverResult result = search.best();
    EXPECT_EQ(result.tickets.size(), c.tickets);
    // Steps run out, or the best is one no cover can beat: either way the run repeats.
    EXPECT_TRUE(search.progress().repeatable);
    EXPECT_GE(measured(request, result).guaranteedHits, c.guarantee);
    expectTicketsFromThePool(request, result);
}

INSTANTIATE_TEST_SUITE_P(Records, SmallestKnown,
                         ::testing::Values(KnownOptimum{12, 3, 2, 20'000}, KnownOptimum{9, 4, 3, 20'000},
                                           KnownOptimum{10, 4, 3, 20'000}, KnownOptimum{10, 3, 2, 20'000},
                                           KnownOptimum{16, 2, 3, 2'000}));

TEST(CoverSearch, EveryResultIsProvedOverTheWholePool) {
    std::mt19937 rng(2026);
    for (int guarantee = kLowestGuarantee; guarantee <= kHighestGuarantee; ++guarantee) {
        for (int highest : {14, 22}) {
            std::vector<Combination> rows = randomPoolRows(rng, 400, highest);
            rows.push_back(rows[10]); // a pool read from a system may repeat a combination
            CoverRequest fewest = requestFor(rows, guarantee, 2'000, rng());
            const CoverResult cover = searched(fewest);
            const SystemCoverage proof = measured(fewest, cover);
            SCOPED_TRACE(testing::Message() << "t = " << guarantee << ", Numbers 1.." << highest);
            EXPECT_GE(proof.guaranteedHits, guarantee);
            EXPECT_EQ(cover.coveredRows, proof.coveredAtLeast[static_cast<std::size_t>(guarantee)]);
            expectTicketsFromThePool(fewest, cover);

            CoverRequest coverage = fewest;
            coverage.goal = CoverGoal::BestCoverage;
            coverage.ticketCount = static_cast<std::int32_t>(cover.tickets.size() / 2 + 1);
            const CoverResult best = searched(coverage);
            EXPECT_EQ(best.tickets.size(), static_cast<std::size_t>(coverage.ticketCount));
            EXPECT_EQ(best.coveredRows, measured(coverage, best).coveredAtLeast[static_cast<std::size_t>(guarantee)]);
            expectTicketsFromThePool(coverage, best);
        }
    }
}

TEST(CoverSearch, AsManyTicketsAsAskedEvenWhenFewerCoverEverything) {
    CoverRequest request = requestFor(fullPool(12), 3, 1000);
    request.goal = CoverGoal::BestCoverage;
    request.ticketCount = 5;
    const CoverResult result = searched(request);
    EXPECT_EQ(result.tickets.size(), 5u);
    EXPECT_EQ(result.coveredRows, 924);
    expectTicketsFromThePool(request, result);
}

TEST(CoverSearch, TheSameSeedAndStepsGiveTheSameTickets) {
    std::mt19937 rng(5);
    const std::vector<Combination> rows = randomPoolRows(rng, 1500, 18);
    for (CoverGoal goal : {CoverGoal::FewestTickets, CoverGoal::BestCoverage}) {
        CoverRequest request = requestFor(rows, 4, 4'000, 99);
        request.goal = goal;
        request.ticketCount = 12;
        request.threads = 2;
        const CoverResult first = searched(request);
        const CoverResult second = searched(request);
        EXPECT_EQ(first.tickets, second.tickets);
        EXPECT_EQ(first.coveredRows, second.coveredRows);

        // The steps are shared between the threads, all of them taken.
        CoverSearch search(request);
        search.wait();
        const CoverProgress progress = search.progress();
        EXPECT_EQ(progress.steps, 4'000u);
        EXPECT_TRUE(progress.finished);
        EXPECT_TRUE(progress.repeatable);
    }
}

TEST(CoverSearch, MilestonesStartAtTheGreedyCoverAndOnlyImprove) {
    CoverRequest request = requestFor(fullPool(14), 4, 20'000);
    CoverSearch search(request);
    search.wait();
    const CoverProgress progress = search.progress();
    ASSERT_FALSE(progress.milestones.empty());
    for (std::size_t i = 1; i < progress.milestones.size(); ++i) {
        EXPECT_LT(progress.milestones[i].value, progress.milestones[i - 1].value);
        EXPECT_GE(progress.milestones[i].elapsed, progress.milestones[i - 1].elapsed);
    }
    EXPECT_EQ(progress.bestValue, progress.milestones.back().value);
    EXPECT_EQ(static_cast<std::int64_t>(search.best().tickets.size()), progress.bestValue);
}

TEST(CoverSearch, StopKeepsAValidBest) {
    std::mt19937 rng(11);
    CoverRequest request = requestFor(randomPoolRows(rng, 8000, 24), 3, 0);
    request.timeLimit = 600s;
    CoverSearch search(request);
    while (search.progress().milestones.empty())
        std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(search.finished());
    search.stop();
    search.wait();
    EXPECT_TRUE(search.finished());
    EXPECT_FALSE(search.progress().repeatable);
    const CoverResult result = search.best();
    EXPECT_GE(measured(request, result).guaranteedHits, 3);
    EXPECT_EQ(static_cast<std::int64_t>(result.tickets.size()), search.progress().bestValue);
    expectTicketsFromThePool(request, result);
}

TEST(CoverSearch, EndsWhenTheTimeIsUp) {
    std::mt19937 rng(12);
    CoverRequest request = requestFor(randomPoolRows(rng, 3000, 20), 4, 0);
    request.timeLimit = 200ms;
    CoverSearch search(request);
    search.wait();
    EXPECT_GE(search.progress().elapsed, 200ms);
    EXPECT_FALSE(search.progress().repeatable);
    EXPECT_GE(measured(request, search.best()).guaranteedHits, 4);
}

TEST(CoverSearch, RefusesWhatCannotBeSearched) {
    const std::vector<Combination> pool = fullPool(8);
    struct Case {
        CoverRequest request;
        std::string sentence;
    };
    std::vector<Case> cases;
    auto add = [&](auto change, std::string sentence) {
        CoverRequest r = requestFor(pool, 3, 100);
        change(r);
        cases.push_back({r, std::move(sentence)});
    };
    add([](CoverRequest& r) { r.pool.clear(); }, "Pula jest pusta - nie ma żadnej kombinacji do pokrycia !");
    add(
        [](CoverRequest& r) {
            r.pool = {{1, 2, 3, 4, 5, 6}};
        },
        "W puli jest tylko jedna kombinacja - nie ma czego optymalizować !");
    add(
        [](CoverRequest& r) {
            r.pool = {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}};
        },
        "W puli jest tylko jedna kombinacja - nie ma czego optymalizować !");
    add([](CoverRequest& r) { r.pool[4] = {1, 2, 3, 4, 5, 50}; },
        "Kombinacja 5 puli nie jest szóstką różnych liczb od 1 do 49 !");
    add([](CoverRequest& r) { r.pool[1] = {1, 2, 3, 3, 5, 6}; },
        "Kombinacja 2 puli nie jest szóstką różnych liczb od 1 do 49 !");
    add([](CoverRequest& r) { r.pool[0] = {0, 2, 3, 4, 5, 6}; },
        "Kombinacja 1 puli nie jest szóstką różnych liczb od 1 do 49 !");
    add([](CoverRequest& r) { r.guarantee = 1; }, "Gwarancja może wynosić od 2 do 5 trafień !");
    add([](CoverRequest& r) { r.guarantee = 6; }, "Gwarancja może wynosić od 2 do 5 trafień !");
    auto coverage = [](std::int32_t n) {
        return [n](CoverRequest& r) {
            r.goal = CoverGoal::BestCoverage;
            r.ticketCount = n;
        };
    };
    add(coverage(0), "Liczba zakładów musi być większa od zera !");
    add(coverage(-3), "Liczba zakładów musi być większa od zera !");
    add(coverage(29), "Liczba zakładów nie może być większa niż liczba różnych kombinacji w puli (28) !");
    add(
        [](CoverRequest& r) {
            r.pool = fullPool(20);
            r.pool.push_back({40, 41, 42, 43, 44, 45});
        },
        "W puli jest więcej niż 30000 różnych kombinacji - optymalizacja obejmuje najwyżej 30000 !");

    for (const Case& c : cases) {
        EXPECT_EQ(checkCoverRequest(c.request), c.sentence);
        try {
            CoverSearch search(c.request);
            ADD_FAILURE() << "started despite: " << c.sentence;
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(e.what(), c.sentence);
        }
    }

    // The edges that can be searched.
    CoverRequest whole = requestFor(pool, 3, 100);
    EXPECT_EQ(checkCoverRequest(whole), std::nullopt);
    coverage(28)(whole);
    EXPECT_EQ(checkCoverRequest(whole), std::nullopt);
    whole.guarantee = 5;
    EXPECT_EQ(checkCoverRequest(whole), std::nullopt);
    whole.pool = fullPool(20); // 30000 of C(20, 6) = 38760: the capacity of a pool
    coverage(1)(whole);
    EXPECT_EQ(checkCoverRequest(whole), std::nullopt);
}

// A player who presses "Stop" at once, or closes the window while the search runs, still has a complete
// cover, or nothing hangs.
TEST(CoverSearch, StoppedAtOnceStillEndsWithTheGreedyCover) {
    std::mt19937 rng(13);
    CoverRequest request = requestFor(randomPoolRows(rng, 5000, 22), 3, 0);
    {
        CoverSearch search(request);
        search.stop();
        search.wait();
        const CoverProgress progress = search.progress();
        EXPECT_TRUE(progress.finished);
        EXPECT_FALSE(progress.failed);
        ASSERT_EQ(progress.milestones.size(), 1u);
        EXPECT_GE(measured(request, search.best()).guaranteedHits, 3);
    }
    for (auto wait : {0ms, 5ms, 100ms}) {
        CoverSearch search(request);
        std::this_thread::sleep_for(wait);
    }
}

// When no cover can be smaller, the search ends at once instead of running out its time.
TEST(CoverSearch, EndsAsSoonAsNoSmallerCoverCanExist) {
    struct Case {
        std::vector<Combination> pool;
        int guarantee;
        std::size_t tickets;
    };
    const std::vector<Case> cases = {
        {{{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}}, 5, 1},
        {{{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}, 2, 2},
        {{{1, 2, 3, 4, 5, 6}, {1, 2, 3, 10, 11, 12}, {1, 2, 3, 20, 21, 22}}, 3, 1},
    };
    for (const Case& c : cases) {
        CoverRequest request = requestFor(c.pool, c.guarantee, 0);
        request.timeLimit = 600s;
        CoverSearch search(request);
        search.wait();
        EXPECT_EQ(search.best().tickets.size(), c.tickets);
        EXPECT_TRUE(search.progress().repeatable);
    }
}
