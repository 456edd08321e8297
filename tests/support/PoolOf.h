#pragma once

#include "core/CandidatePool.h"

#include <initializer_list>
#include <memory>
#include <vector>

namespace selektor::test {

// A candidate pool holding `rows` in their order, as "Oblicz" would have kept them.
inline std::unique_ptr<CandidatePool> poolOf(const std::vector<Combination>& rows) {
    auto pool = std::make_unique<CandidatePool>();
    for (const Combination& row : rows)
        pool->append(row);
    return pool;
}

inline std::unique_ptr<CandidatePool> poolOf(std::initializer_list<Combination> rows) {
    return poolOf(std::vector<Combination>(rows));
}

} // namespace selektor::test
