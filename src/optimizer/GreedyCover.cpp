#include "optimizer/GreedyCover.h"

#include <queue>
#include <utility>

namespace selektor::optimizer {

// A row's gain only shrinks as tickets are chosen, so a gain once worked out stays an upper bound: the
// row on top of the queue is worked out again, and taken when it still beats the bound below it. Rows
// start with what they cover in an empty system, which in a full pool is the same for all, so the first
// row is taken at once instead of every row being worked out first.
std::vector<RowIndex> greedyCover(const CoverPool& pool, std::int32_t most, const std::atomic<bool>& abandon) {
    std::vector<std::uint8_t> covered(static_cast<std::size_t>(pool.size()), 0);
    // (gain, -row): the largest gain first, then the lowest row.
    std::priority_queue<std::pair<std::int64_t, RowIndex>> queue;
    std::int64_t left = 0;
    for (RowIndex r = 0; r < pool.size(); ++r) {
        std::int64_t gain = 0;
        // Repeated combinations weigh more; without repeats every gain is the cover count.
        if (pool.totalWeight() == pool.size())
            gain = pool.coverCount(r);
        else
            pool.forEachCovered(r, [&](RowIndex q) { gain += pool.weight(q); });
        queue.emplace(gain, -r);
        left += pool.weight(r);
    }

    std::vector<RowIndex> chosen;
    while (left > 0 && static_cast<std::int32_t>(chosen.size()) < most && !queue.empty()) {
        if (abandon.load(std::memory_order_relaxed))
            break;
        const RowIndex r = -queue.top().second;
        queue.pop();
        std::int64_t gain = 0;
        pool.forEachCovered(r, [&](RowIndex q) {
            if (!covered[q])
                gain += pool.weight(q);
        });
        if (gain == 0)
            continue;
        if (!queue.empty() && std::pair(gain, -r) < queue.top()) {
            queue.emplace(gain, -r);
            continue;
        }
        chosen.push_back(r);
        pool.forEachCovered(r, [&](RowIndex q) {
            if (!covered[q]) {
                covered[q] = 1;
                left -= pool.weight(q);
            }
        });
    }
    return chosen;
}

} // namespace selektor::optimizer
