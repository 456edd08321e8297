#include "core/CandidatePool.h"

#include "support/PoolOf.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

using namespace selektor;
using selektor::test::poolOf;

namespace {

const Combination kA{1, 2, 3, 4, 5, 6};
const Combination kB{1, 2, 3, 4, 5, 7};
const Combination kC{1, 2, 3, 4, 8, 9};
const Combination kD{10, 11, 12, 13, 14, 15};

} // namespace

TEST(CandidatePool, KnowsHowFarItsRowsStandInOrder) {
    EXPECT_EQ(poolOf({})->orderedCount(), 0);
    EXPECT_EQ(poolOf({kA, kB, kC, kD})->orderedCount(), 4);
    // Equal neighbours do not break the order; a smaller row ends it for good.
    EXPECT_EQ(poolOf({kA, kA, kB})->orderedCount(), 3);
    EXPECT_EQ(poolOf({kA, kC, kB, kD})->orderedCount(), 2);
    EXPECT_EQ(poolOf({kD, kA})->orderedCount(), 1);

    auto pool = poolOf({kA, kB});
    pool->clear();
    pool->append(kD);
    pool->append(kA);
    EXPECT_EQ(pool->orderedCount(), 1);
}

TEST(CandidatePool, RemovingARowMovesTheLastIntoItsPlace) {
    auto pool = poolOf({kA, kB, kC, kD, Combination{20, 21, 22, 23, 24, 25}});
    pool->removeRow(1);
    ASSERT_EQ(pool->count(), 4);
    EXPECT_EQ(pool->rows()[1], (Combination{20, 21, 22, 23, 24, 25}));
    EXPECT_EQ(pool->rows()[2], kC);
    EXPECT_EQ(pool->orderedCount(), 1);

    pool->removeRow(3); // the last row: nothing moves
    EXPECT_EQ(pool->count(), 3);
    EXPECT_EQ(pool->rows()[2], kC);

    // Out of range: nothing happens.
    pool->removeRow(3);
    pool->removeRow(-1);
    EXPECT_EQ(pool->count(), 3);

    auto single = poolOf({kA});
    single->removeRow(0);
    EXPECT_EQ(single->count(), 0);
    EXPECT_EQ(single->orderedCount(), 0);

    // A block's rows at once end as they do one by one from the highest down; marks of rows that are not
    // stored (past the last, before the first) are passed over.
    auto oneByOne = poolOf({kA, kB, kC, kD, Combination{20, 21, 22, 23, 24, 25}, Combination{30, 31, 32, 33, 34, 35}});
    auto together = std::make_unique<CandidatePool>(*oneByOne);
    for (std::int32_t k : {5, 3, 2})
        oneByOne->removeRow(k);
    const auto mark = [](int row) { return std::uint64_t{1} << (63 - row); };
    together->removeBlockRows(0, mark(9) | mark(5) | mark(3) | mark(2));
    together->removeBlockRows(-64, ~std::uint64_t{0});
    EXPECT_EQ(together->count(), oneByOne->count());
    EXPECT_EQ(together->orderedCount(), oneByOne->orderedCount());
    EXPECT_TRUE(
        std::equal(together->rows().begin(), together->rows().begin() + together->count(), oneByOne->rows().begin()));
}

TEST(CandidatePool, CountsPastTheCapacityButStoresOnlyTheFirstRows) {
    auto pool = std::make_unique<CandidatePool>();
    for (std::int32_t k = 0; k < kPoolCapacity + 5; ++k)
        pool->append(k < kPoolCapacity ? kA : kD);
    EXPECT_EQ(pool->count(), kPoolCapacity + 5);
    EXPECT_EQ(pool->storedCount(), kPoolCapacity);
    EXPECT_EQ(pool->orderedCount(), kPoolCapacity);
    EXPECT_EQ(pool->rows()[kPoolCapacity - 1], kA);

    // The uncounted rows were never stored: removing a row leaves only stored rows counted.
    pool->removeRow(0);
    EXPECT_EQ(pool->count(), kPoolCapacity - 1);
}

TEST(CandidatePool, WritingRowsInPlaceForgetsTheOrderUntilTheCountIsKnown) {
    auto pool = poolOf({kA, kB, kC});
    CandidatePool::Rows& rows = pool->rowsToEnumerate();
    EXPECT_EQ(pool->orderedCount(), 0);
    rows[0] = kD;
    pool->enumerated(1);
    EXPECT_EQ(pool->count(), 1);
    EXPECT_EQ(pool->orderedCount(), 1);
}
