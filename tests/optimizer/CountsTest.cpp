// The pool's tables and the search's incremental counts against straightforward recounts: every row
// against every ticket, six Numbers by six.

#include "OptimizerFixtures.h"
#include "analysis/SubsetIndex.h"
#include "optimizer/CoverPool.h"
#include "optimizer/CoverState.h"
#include "optimizer/GreedyCover.h"

#include <gtest/gtest.h>

using namespace selektor;
using namespace selektor::optimizer;
using namespace selektor::test;

namespace {

bool coversByHand(const CoverPool& pool, RowIndex ticket, RowIndex row) {
    return subsets::commonNumbers(pool.combination(ticket), pool.combination(row)) >= pool.guarantee();
}

// Every count of the state recounted from its tickets alone.
void expectCountsRecounted(const CoverState& state) {
    const CoverPool& pool = state.pool();
    std::int64_t uncoveredWeight = 0;
    std::int64_t uncoveredPenalty = 0;
    std::set<RowIndex> uncovered;
    std::vector<std::set<RowIndex>> onlyBy(static_cast<std::size_t>(state.ticketCount()));
    for (RowIndex r = 0; r < pool.size(); ++r) {
        std::int32_t count = 0;
        int lastSlot = -1;
        for (int slot = 0; slot < state.ticketCount(); ++slot)
            if (state.ticket(slot) >= 0 && coversByHand(pool, state.ticket(slot), r)) {
                ++count;
                lastSlot = slot;
            }
        ASSERT_EQ(state.coverCount(r), count) << "row " << r;
        if (count == 0) {
            uncovered.insert(r);
            uncoveredWeight += pool.weight(r);
            uncoveredPenalty += state.penalty(r);
        }
        if (count == 1)
            onlyBy[static_cast<std::size_t>(lastSlot)].insert(r);
    }
    EXPECT_EQ(std::set<RowIndex>(state.uncovered().begin(), state.uncovered().end()), uncovered);
    EXPECT_EQ(state.uncovered().size(), uncovered.size());
    EXPECT_EQ(state.uncoveredWeight(), uncoveredWeight);
    EXPECT_EQ(state.uncoveredPenalty(), uncoveredPenalty);
    for (int slot = 0; slot < state.ticketCount(); ++slot) {
        const auto only = state.coveredOnlyBy(slot);
        EXPECT_EQ(std::set<RowIndex>(only.begin(), only.end()), onlyBy[static_cast<std::size_t>(slot)]);
        std::int64_t penalty = 0;
        for (RowIndex r : onlyBy[static_cast<std::size_t>(slot)])
            penalty += state.penalty(r);
        EXPECT_EQ(state.onlyPenalty(slot), penalty);
        if (state.ticket(slot) >= 0)
            EXPECT_TRUE(state.isTicket(state.ticket(slot)));
        else
            EXPECT_TRUE(only.empty()) << "an empty slot covers nothing";
    }
}

struct PoolCase {
    int guarantee;
    std::size_t rows;
    int highest;
};

class PoolTables : public ::testing::TestWithParam<PoolCase> {};

} // namespace

TEST_P(PoolTables, CoverCountsAndListsMatchTheSixBySixCount) {
    const PoolCase c = GetParam();
    std::mt19937 rng(static_cast<unsigned>(c.guarantee * 1000 + c.rows));
    std::vector<Combination> rows = randomPoolRows(rng, c.rows, c.highest);
    // Repeats weigh as many rows when asked to.
    rows.push_back(rows[3]);
    rows.push_back(rows[3]);
    const CoverPool pool(rows, c.guarantee, true);
    ASSERT_EQ(pool.size(), static_cast<std::int32_t>(c.rows));
    EXPECT_EQ(pool.poolRows(), static_cast<std::int32_t>(c.rows + 2));
    EXPECT_EQ(pool.totalWeight(), static_cast<std::int64_t>(c.rows + 2));
    EXPECT_EQ(pool.weight(3), 3);
    EXPECT_EQ(CoverPool(rows, c.guarantee, false).totalWeight(), static_cast<std::int64_t>(c.rows));

    std::int32_t largest = 0;
    for (RowIndex ticket = 0; ticket < pool.size(); ++ticket) {
        std::vector<RowIndex> covered, byHand, neighbours, neighboursByHand;
        pool.forEachCovered(ticket, [&](RowIndex r) { covered.push_back(r); });
        pool.forEachNeighbour(ticket, [&](RowIndex r, int traded) {
            neighbours.push_back(r);
            // The traded Number is the ticket's one the neighbour lacks.
            EXPECT_EQ(pool.mask(r) >> pool.combination(ticket)[static_cast<std::size_t>(traded)] & 1, 0u);
        });
        for (RowIndex r = 0; r < pool.size(); ++r) {
            if (coversByHand(pool, ticket, r))
                byHand.push_back(r);
            if (subsets::commonNumbers(pool.combination(ticket), pool.combination(r)) == 5)
                neighboursByHand.push_back(r);
        }
        std::sort(covered.begin(), covered.end());
        std::sort(neighbours.begin(), neighbours.end());
        ASSERT_EQ(covered, byHand) << "ticket " << ticket;
        ASSERT_EQ(neighbours, neighboursByHand) << "ticket " << ticket;
        ASSERT_EQ(pool.coverCount(ticket), static_cast<std::int32_t>(byHand.size()));
        largest = std::max(largest, pool.coverCount(ticket));
        for (int draw = 0; draw < 3; ++draw) {
            const RowIndex cover = pool.someCoverOf(ticket, [&](std::size_t n) { return rng() % n; });
            EXPECT_TRUE(coversByHand(pool, cover, ticket));
        }
    }
    EXPECT_EQ(pool.largestCoverCount(), largest);
}

TEST_P(PoolTables, IncrementalCountsMatchARecountAfterRandomMoves) {
    const PoolCase c = GetParam();
    std::mt19937 rng(static_cast<unsigned>(c.guarantee * 77 + c.rows));
    std::vector<Combination> rows = randomPoolRows(rng, c.rows, c.highest);
    rows.push_back(rows[0]);
    const CoverPool pool(rows, c.guarantee, true);
    auto randomRow = [&] { return static_cast<RowIndex>(rng() % static_cast<unsigned>(pool.size())); };
    auto randomNonTicket = [&](const CoverState& state) {
        RowIndex r = randomRow();
        while (state.isTicket(r))
            r = randomRow();
        return r;
    };

    CoverState state(pool, std::vector<RowIndex>{1, 5, 9});
    expectCountsRecounted(state);
    for (int move = 0; move < 150; ++move) {
        const unsigned kind = rng() % 7;
        const int slot = static_cast<int>(rng() % static_cast<unsigned>(state.ticketCount()));
        if (kind == 0 || state.ticketCount() < 2) {
            state.add(randomNonTicket(state));
        } else if (kind == 1) {
            state.remove(slot);
        } else if (kind == 2) {
            // A ticket out, the penalties of what it leaves uncovered raised, another in its slot.
            const RowIndex leaving = state.ticket(slot);
            state.vacate(slot);
            EXPECT_FALSE(state.isTicket(leaving));
            state.raisePenalties(static_cast<std::int64_t>(rng() % 3) + 1);
            expectCountsRecounted(state);
            state.fill(slot, randomNonTicket(state));
        } else {
            // The predicted cost of a replacement, and the gain of a newcomer, are what the uncovered
            // penalty then does.
            const RowIndex incoming = randomNonTicket(state);
            const std::int64_t before = state.uncoveredPenalty();
            const std::int64_t cost = state.replacementCost(slot, incoming);
            const std::int64_t limit = static_cast<std::int64_t>(rng() % 8) - 2;
            const std::int64_t bounded = state.replacementCostUpTo(slot, incoming, limit);
            EXPECT_TRUE(cost > limit ? bounded > limit : bounded == cost);
            state.replace(slot, incoming);
            ASSERT_EQ(state.uncoveredPenalty() - before, cost) << "move " << move;
            const RowIndex another = randomNonTicket(state);
            const std::int64_t gain = state.additionGain(another);
            const std::int64_t withoutIt = state.uncoveredPenalty();
            state.add(another);
            ASSERT_EQ(withoutIt - state.uncoveredPenalty(), gain) << "move " << move;
            state.remove(state.ticketCount() - 1);
        }
        expectCountsRecounted(state);
        if (HasFatalFailure())
            return;
    }
}

// The greedy start with its lazily updated gains picks exactly what working out every row's gain
// before every choice picks.
TEST_P(PoolTables, GreedyStartChoosesAsThePlainGreedyDoes) {
    const PoolCase c = GetParam();
    std::mt19937 rng(static_cast<unsigned>(c.guarantee * 31 + c.rows));
    std::vector<Combination> rows = randomPoolRows(rng, c.rows, c.highest);
    rows.push_back(rows[7]);
    for (bool repeats : {false, true}) {
        const CoverPool pool(rows, c.guarantee, repeats);
        std::vector<RowIndex> plain;
        std::vector<std::uint8_t> covered(static_cast<std::size_t>(pool.size()), 0);
        for (;;) {
            std::int64_t bestGain = 0;
            RowIndex best = -1;
            for (RowIndex ticket = 0; ticket < pool.size(); ++ticket) {
                std::int64_t gain = 0;
                for (RowIndex r = 0; r < pool.size(); ++r)
                    if (!covered[r] && coversByHand(pool, ticket, r))
                        gain += pool.weight(r);
                if (gain > bestGain) {
                    bestGain = gain;
                    best = ticket;
                }
            }
            if (best < 0)
                break;
            plain.push_back(best);
            for (RowIndex r = 0; r < pool.size(); ++r)
                if (coversByHand(pool, best, r))
                    covered[r] = 1;
        }
        const std::atomic<bool> never{false};
        EXPECT_EQ(greedyCover(pool, pool.size(), never), plain);
        const auto three = greedyCover(pool, 3, never);
        EXPECT_EQ(three, std::vector<RowIndex>(plain.begin(), plain.begin() + std::min<std::size_t>(3, plain.size())));
    }
}

INSTANTIATE_TEST_SUITE_P(SeededPools, PoolTables,
                         ::testing::Values(PoolCase{2, 60, 20}, PoolCase{3, 150, 14}, PoolCase{3, 120, 40},
                                           PoolCase{4, 200, 12}, PoolCase{5, 200, 11}, PoolCase{5, 80, 49}));
