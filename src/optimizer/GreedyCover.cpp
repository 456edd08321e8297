#include "optimizer/GreedyCover.h"

#include <queue>
#include <utility>

namespace selektor::optimizer {

// Every row's gain is kept up to date: when a row becomes covered, every row that covers it gains that
// much less. The queue may hold a row with a gain it has since lost; such an entry is put back with the
// gain of now when it comes to the top, so the row taken is always the one with the largest gain of now.
std::vector<RowIndex> greedyCover(const CoverPool& pool, std::int32_t most, const std::atomic<bool>& abandon) {
    std::vector<std::uint8_t> covered(static_cast<std::size_t>(pool.size()), 0);
    std::vector<std::int64_t> gain(static_cast<std::size_t>(pool.size()), 0);
    // (gain, -row): the largest gain first, then the lowest row.
    std::priority_queue<std::pair<std::int64_t, RowIndex>> queue;
    std::int64_t left = 0;
    for (RowIndex r = 0; r < pool.size(); ++r) {
        // Repeated combinations weigh more; without repeats every gain is the cover count.
        if (pool.totalWeight() == pool.size())
            gain[r] = pool.coverCount(r);
        else
            pool.forEachCovered(r, [&](RowIndex q) { gain[r] += pool.weight(q); });
        queue.emplace(gain[r], -r);
        left += pool.weight(r);
    }

    std::vector<RowIndex> chosen;
    while (left > 0 && static_cast<std::int32_t>(chosen.size()) < most && !queue.empty()) {
        if (abandon.load(std::memory_order_relaxed))
            break;
        const auto [queued, minusRow] = queue.top();
        const RowIndex r = -minusRow;
        queue.pop();
        if (queued != gain[r]) {
            queue.emplace(gain[r], minusRow);
            continue;
        }
        chosen.push_back(r);
        pool.forEachCovered(r, [&](RowIndex q) {
            if (covered[q])
                return;
            covered[q] = 1;
            left -= pool.weight(q);
            pool.forEachCovered(q, [&](RowIndex s) { gain[s] -= pool.weight(q); });
        });
    }
    return chosen;
}

} // namespace selektor::optimizer
