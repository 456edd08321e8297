// Each kind of search on its own: it only ever keeps covers the independent count accepts, and what it
// does depends on its seed and its number of steps alone, not on how the steps are cut into runs (the
// search runs in short pieces between looks at the clock, and the last piece is shorter).

#include "optimizer/LocalSearch.h"

#include "OptimizerFixtures.h"
#include "analysis/SubsetIndex.h"
#include "optimizer/GreedyCover.h"

#include <gtest/gtest.h>

using namespace selektor;
using namespace selektor::optimizer;
using namespace selektor::test;

namespace {

std::int64_t uncoveredByHand(const CoverPool& pool, const std::vector<RowIndex>& tickets) {
    std::int64_t uncovered = 0;
    for (RowIndex r = 0; r < pool.size(); ++r) {
        bool covered = false;
        for (RowIndex t : tickets)
            covered = covered || subsets::commonNumbers(pool.combination(t), pool.combination(r)) >= pool.guarantee();
        uncovered += covered ? 0 : pool.weight(r);
    }
    return uncovered;
}

} // namespace

TEST(LocalSearch, BothKindsRepeatAndKeepOnlyTrueCovers) {
    std::mt19937 rng(77);
    const std::atomic<bool> never{false};
    for (int guarantee : {3, 4, 5}) {
        std::vector<Combination> rows = randomPoolRows(rng, 700, 16);
        rows.push_back(rows[2]);
        for (Strategy strategy : {Strategy::Weighting, Strategy::Annealing}) {
            for (bool fewest : {true, false}) {
                const CoverPool pool(rows, guarantee, !fewest);
                const std::vector<RowIndex> greedy = greedyCover(pool, fewest ? pool.size() : 4, never);
                SCOPED_TRACE(testing::Message() << "t = " << guarantee << (fewest ? ", fewest" : ", coverage")
                                                << (strategy == Strategy::Weighting ? ", weighting" : ", annealing"));

                LocalSearch whole(pool, fewest, greedy, 5, strategy);
                LocalSearch pieces(pool, fewest, greedy, 5, strategy);
                const std::uint64_t taken = whole.run(3000);
                std::uint64_t inPieces = 0;
                for (std::uint64_t piece = 1; inPieces < taken; ++piece)
                    inPieces += pieces.run(std::min(piece, taken - inPieces));
                EXPECT_EQ(whole.bestTickets(), pieces.bestTickets());
                EXPECT_EQ(whole.bestValue(), pieces.bestValue());

                const std::vector<RowIndex> best = whole.bestTickets();
                if (fewest) {
                    EXPECT_EQ(uncoveredByHand(pool, best), 0);
                    EXPECT_EQ(whole.bestValue(), static_cast<std::int64_t>(best.size()));
                    EXPECT_LE(best.size(), greedy.size());
                } else {
                    EXPECT_EQ(best.size(), 4u);
                    EXPECT_EQ(whole.bestValue(), pool.totalWeight() - uncoveredByHand(pool, best));
                    EXPECT_GE(whole.bestValue(), pool.totalWeight() - uncoveredByHand(pool, greedy));
                }
                EXPECT_EQ(std::set<RowIndex>(best.begin(), best.end()).size(), best.size());
            }
        }
    }
}
