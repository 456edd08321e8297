// Systems made of whole orbits on full pools: the orbits and which cover which agree with a count row by
// row, only pools that really hold every six of their Numbers are searched so, and what the search keeps
// is a true cover that repeats with its seed and steps however they are cut into runs.

#include "optimizer/SymmetricCover.h"

#include "OptimizerFixtures.h"
#include "analysis/SubsetIndex.h"
#include "analysis/SystemCoverage.h"
#include "optimizer/CoverSearch.h"
#include "optimizer/GreedyCover.h"

#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <thread>

using namespace selektor;
using namespace selektor::optimizer;
using namespace selektor::test;

namespace {

bool coveredByHand(const CoverPool& pool, const std::vector<RowIndex>& tickets) {
    for (RowIndex r = 0; r < pool.size(); ++r) {
        bool covered = false;
        for (RowIndex t : tickets)
            covered = covered || subsets::commonNumbers(pool.combination(t), pool.combination(r)) >= pool.guarantee();
        if (!covered)
            return false;
    }
    return true;
}

// The image of a combination under one move, worked out from the Numbers 1 to v directly.
Combination relabelled(const Combination& c, const std::vector<int>& move) {
    Combination result{};
    for (int p = 0; p < kNumbersPerCombination; ++p)
        result[p] = static_cast<Number>(move[static_cast<std::size_t>(c[p] - 1)] + 1);
    std::sort(result.begin(), result.end());
    return result;
}

} // namespace

TEST(OrbitPool, OrbitsAndTheirCoversAgreeWithACountRowByRow) {
    std::vector<Relabelling> relabellings;
    for (std::vector<int> cycles : std::vector<std::vector<int>>{{10}, {9, 1}, {5, 5}, {4, 4, 1, 1}, {3, 3, 3, 1}})
        relabellings.push_back(relabellingOfCycles(std::move(cycles)));
    // The shift on 1 to 11 joined by the doubling modulo 11, which repeats after ten: 110 relabellings.
    const CoverPool eleven(fullPool(11), 4, false);
    for (const Relabelling& r : relabellingsFor(eleven, 1000))
        if (r.multiplier == 2 && r.cycles == std::vector<int>{11})
            relabellings.push_back(r);
    ASSERT_EQ(relabellings.back().order, 110);

    for (const Relabelling& relabelling : relabellings) {
        const int numbers = std::accumulate(relabelling.cycles.begin(), relabelling.cycles.end(), 0);
        const CoverPool pool(fullPool(numbers), 4, false);
        const OrbitPool orbits(pool, relabelling);
        SCOPED_TRACE(testing::Message() << relabelling.cycles.size() << " cycles, the first of "
                                        << relabelling.cycles.front() << ", multiplier " << relabelling.multiplier);

        // Every row in exactly one orbit, which the relabelling maps onto itself.
        std::vector<std::int32_t> orbitOf(static_cast<std::size_t>(pool.size()), -1);
        for (std::int32_t o = 0; o < orbits.size(); ++o) {
            EXPECT_EQ(relabelling.order % orbits.orbitSize(o), 0);
            for (RowIndex r : orbits.members(o)) {
                EXPECT_EQ(orbitOf[r], -1);
                orbitOf[r] = o;
            }
        }
        std::map<Combination, RowIndex> rowOf;
        for (RowIndex r = 0; r < pool.size(); ++r) {
            ASSERT_GE(orbitOf[r], 0);
            rowOf[pool.combination(r)] = r;
        }
        for (const std::vector<int>& move : relabelling.moves)
            for (RowIndex r = 0; r < pool.size(); ++r)
                EXPECT_EQ(orbitOf[rowOf.at(relabelled(pool.combination(r), move))], orbitOf[r]);

        // Orbit A covers orbit B exactly when some ticket of A has four Numbers of some row of B.
        for (std::int32_t a = 0; a < orbits.size(); ++a) {
            std::vector<std::uint8_t> byHand(static_cast<std::size_t>(orbits.size()), 0);
            for (RowIndex t : orbits.members(a))
                for (RowIndex r = 0; r < pool.size(); ++r)
                    if (subsets::commonNumbers(pool.combination(t), pool.combination(r)) >= 4)
                        byHand[orbitOf[r]] = 1;
            std::vector<std::uint8_t> listed(static_cast<std::size_t>(orbits.size()), 0);
            for (std::int32_t b : orbits.covers(a)) {
                EXPECT_EQ(listed[b], 0) << "an orbit listed twice";
                listed[b] = 1;
            }
            ASSERT_EQ(listed, byHand) << "orbit " << a;
        }
    }
}

TEST(SymmetricCover, OnlyAPoolOfEverySixOfItsNumbersIsFull) {
    std::vector<Combination> rows = fullPool(9);
    EXPECT_TRUE(isFullPool(CoverPool(rows, 3, false)));
    // Every six of 9 Numbers other than 1 to 9: relabelling them maps the pool onto itself too.
    std::vector<Combination> shifted = rows;
    for (Combination& c : shifted)
        for (Number& n : c)
            n = static_cast<Number>(n + 30);
    EXPECT_TRUE(isFullPool(CoverPool(shifted, 3, false)));
    // A combination more than once, counted as several rows, weighs more than its orbit-mates.
    std::vector<Combination> repeated = rows;
    repeated.push_back(rows[5]);
    EXPECT_TRUE(isFullPool(CoverPool(repeated, 3, false)));
    EXPECT_FALSE(isFullPool(CoverPool(repeated, 3, true)));
    // One six missing, or one with a Number from outside: no relabelling keeps the pool.
    EXPECT_FALSE(isFullPool(CoverPool(std::vector<Combination>(rows.begin() + 1, rows.end()), 3, false)));
    rows.back() = {1, 2, 3, 4, 5, 40};
    EXPECT_FALSE(isFullPool(CoverPool(rows, 3, false)));
    std::mt19937 rng(3);
    EXPECT_FALSE(isFullPool(CoverPool(randomPoolRows(rng, 2000, 16), 3, false)));

    // Every relabelling offered moves the pool's own Numbers and leaves room for a few orbits.
    const CoverPool full(fullPool(15), 4, false);
    for (const Relabelling& r : relabellingsFor(full, 20)) {
        EXPECT_EQ(std::accumulate(r.cycles.begin(), r.cycles.end(), 0), 15);
        EXPECT_LE(r.order * 2, 20);
        for (const std::vector<int>& move : r.moves)
            EXPECT_TRUE(std::is_permutation(move.begin(), move.end(), relabellingOfCycles({15}).moves[0].begin()));
    }
    EXPECT_TRUE(relabellingsFor(full, 3).empty());
}

TEST(SymmetricCover, KeepsOnlyTrueCoversAndRepeatsHoweverTheStepsAreCut) {
    const std::atomic<bool> never{false};
    for (const auto& [numbers, guarantee] : std::vector<std::pair<int, int>>{{12, 5}, {14, 4}, {14, 3}}) {
        const CoverPool pool(fullPool(numbers), guarantee, false);
        const std::vector<RowIndex> greedy = greedyCover(pool, pool.size(), never);
        const auto relabellings = relabellingsFor(pool, static_cast<std::int64_t>(greedy.size()));
        ASSERT_FALSE(relabellings.empty());
        SCOPED_TRACE(testing::Message() << numbers << " Numbers, t = " << guarantee);

        SymmetricSearch whole(pool, greedy, 9, relabellings, 1);
        SymmetricSearch pieces(pool, greedy, 9, relabellings, 1);
        const std::uint64_t taken = whole.run(guarantee == 3 ? 300 : 20'000);
        std::uint64_t inPieces = 0;
        for (std::uint64_t piece = 1; inPieces < taken; piece *= 3)
            inPieces += pieces.run(std::min(piece, taken - inPieces));
        EXPECT_EQ(whole.bestTickets(), pieces.bestTickets());

        const std::vector<RowIndex> best = whole.bestTickets();
        EXPECT_EQ(whole.bestValue(), static_cast<std::int64_t>(best.size()));
        EXPECT_LE(best.size(), greedy.size());
        EXPECT_TRUE(coveredByHand(pool, best));
        EXPECT_EQ(std::set<RowIndex>(best.begin(), best.end()).size(), best.size());
    }
}

TEST(SymmetricCover, UnneededTicketsGoAndTheCoverStays) {
    const CoverPool pool(fullPool(12), 3, false);
    // Two disjoint sixes cover every six of 12 Numbers at three; whatever else stands beside them goes,
    // the last first.
    const RowIndex low = 0;                // 1 2 3 4 5 6
    const RowIndex high = pool.size() - 1; // 7 8 9 10 11 12
    const std::vector<RowIndex> kept = withoutUnneededTickets(pool, std::vector<RowIndex>{low, 5, 300, high, 77});
    EXPECT_EQ(std::set<RowIndex>(kept.begin(), kept.end()), (std::set<RowIndex>{low, high}));
    // A cover with nothing to spare stays whole.
    EXPECT_EQ(withoutUnneededTickets(pool, std::vector<RowIndex>{low, high}).size(), 2u);
}

// The window's search on a full pool, where every thread builds orbits: the result is proved by the
// coverage measure of "Analiza" and comes again with the same seed and steps.
TEST(SymmetricCover, AFullPoolSearchIsProvedAndRepeats) {
    CoverRequest request;
    request.pool = fullPool(12);
    request.guarantee = 5;
    request.seed = 21;
    request.stepLimit = 200'000;
    request.timeLimit = std::chrono::seconds(600);
    std::int64_t greedy = 0;
    auto searched = [&request, &greedy] {
        CoverSearch search(request);
        search.wait();
        EXPECT_TRUE(search.progress().repeatable);
        greedy = search.progress().milestones.front().value;
        return search.best();
    };
    const CoverResult first = searched();
    EXPECT_EQ(first.tickets, searched().tickets);
    const auto pool = poolOf(request.pool);
    EXPECT_GE(measureCoverage(systemOf(first.tickets), *pool).guaranteedHits, 5);
    EXPECT_LT(static_cast<std::int64_t>(first.tickets.size()), greedy);
}

// "Stop" or the end of the time while a relabelling's lists are being built, which on 19 Numbers at three
// takes most of a second: the search still ends with a proved cover.
TEST(SymmetricCover, StopWhileBuildingOrbitsKeepsAValidBest) {
    CoverRequest request;
    request.pool = fullPool(19);
    request.guarantee = 3;
    const auto pool = poolOf(request.pool);
    for (auto wait : {std::chrono::milliseconds(30), std::chrono::milliseconds(400)}) {
        CoverSearch search(request);
        std::this_thread::sleep_for(wait);
        search.stop();
        search.wait();
        EXPECT_FALSE(search.progress().repeatable);
        EXPECT_GE(measureCoverage(systemOf(search.best().tickets), *pool).guaranteedHits, 3);
    }
    request.timeLimit = std::chrono::milliseconds(300);
    CoverSearch timed(request);
    timed.wait();
    EXPECT_GE(measureCoverage(systemOf(timed.best().tickets), *pool).guaranteedHits, 3);
}
