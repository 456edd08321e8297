#pragma once

// The search's start: again and again the pool row that covers the most rows still uncovered, the first
// in pool order among equals.

#include "optimizer/CoverPool.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace selektor::optimizer {

// Tickets chosen until every row is covered or `most` are chosen. Ends early, with what it has, once
// `abandon` is set.
std::vector<RowIndex> greedyCover(const CoverPool& pool, std::int32_t most, const std::atomic<bool>& abandon);

} // namespace selektor::optimizer
