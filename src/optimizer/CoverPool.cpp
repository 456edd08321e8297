#include "optimizer/CoverPool.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace selektor::optimizer {

std::vector<std::vector<std::uint8_t>> partPositions(int k) {
    std::vector<std::vector<std::uint8_t>> parts;
    for (int set = 0; set < (1 << kNumbersPerCombination); ++set) {
        if (std::popcount(static_cast<unsigned>(set)) != k)
            continue;
        std::vector<std::uint8_t> positions;
        for (int p = 0; p < kNumbersPerCombination; ++p)
            if ((set >> p) & 1)
                positions.push_back(static_cast<std::uint8_t>(p));
        parts.push_back(std::move(positions));
    }
    return parts;
}

CoverPool::CoverPool(std::span<const Combination> rows, int guarantee, bool countRepeats)
    : m_guarantee(guarantee), m_poolRows(static_cast<std::int32_t>(rows.size())),
      m_guaranteePositions(partPositions(guarantee)), m_fivePositions(partPositions(5)) {
    // A combination that stands twice in the pool is one ticket and one row to cover.
    std::map<Combination, RowIndex> seen;
    for (const Combination& c : rows) {
        const auto [it, added] = seen.try_emplace(c, size());
        if (added) {
            m_combinations.push_back(c);
            m_masks.push_back(numberMask(c));
            m_weights.push_back(1);
        } else if (countRepeats) {
            ++m_weights[it->second];
        }
    }
    for (std::int32_t w : m_weights)
        m_totalWeight += w;

    std::array<std::uint8_t, kHighestNumber + 1> rank{};
    std::uint64_t used = 0;
    for (std::uint64_t m : m_masks)
        used |= m;
    for (int n = kLowestNumber; n <= kHighestNumber; ++n)
        if ((used >> n) & 1)
            rank[n] = static_cast<std::uint8_t>(m_numbersUsed++);
    m_ranks.reserve(m_combinations.size());
    for (const Combination& c : m_combinations) {
        Combination r{};
        for (int p = 0; p < kNumbersPerCombination; ++p)
            r[p] = rank[c[p]];
        m_ranks.push_back(r);
    }

    buildParts(guarantee, m_guaranteeParts);
    buildParts(5, m_fiveParts);
    countCovers();
}

std::int32_t CoverPool::lowerBound() const {
    if (m_largestCoverCount == 0)
        return 0;
    return static_cast<std::int32_t>((m_totalWeight + m_largestCoverCount - 1) / m_largestCoverCount);
}

std::int32_t CoverPool::shareLowerBound() const {
    double tickets = 0;
    for (RowIndex r = 0; r < size(); ++r) {
        std::int32_t largest = 0;
        forEachCovered(r, [&](RowIndex q) { largest = std::max(largest, m_coverCounts[q]); });
        tickets += 1.0 / largest;
    }
    // A hair below the sum, so that rounding in the sum never lifts the bound past the truth.
    return static_cast<std::int32_t>(std::ceil(tickets - 1e-6));
}

void CoverPool::buildParts(int k, PartLists& lists) const {
    const auto positions = partPositions(k);
    lists.begin.assign(kChoose[m_numbersUsed][k] + 1, 0);
    for (RowIndex r = 0; r < size(); ++r)
        for (const auto& part : positions)
            ++lists.begin[partNumber(r, part) + 1];
    for (std::size_t i = 1; i < lists.begin.size(); ++i)
        lists.begin[i] += lists.begin[i - 1];
    lists.rows.resize(static_cast<std::size_t>(lists.begin.back()));
    std::vector<std::int32_t> next(lists.begin.begin(), lists.begin.end() - 1);
    for (RowIndex r = 0; r < size(); ++r)
        for (const auto& part : positions)
            lists.rows[static_cast<std::size_t>(next[partNumber(r, part)]++)] = r;
}

// How many rows each row covers, without walking them: with a_j the number of (row, j-number set) pairs
// in which the row holds one of this row's j-number sets, and e_i the number of rows sharing exactly i
// Numbers with it, a_j = sum over i of C(i, j) e_i; solved from e_6 = 1 (the row itself) downwards.
void CoverPool::countCovers() {
    const int t = m_guarantee;
    std::array<std::vector<std::int32_t>, kNumbersPerCombination> holders;
    std::array<std::vector<std::vector<std::uint8_t>>, kNumbersPerCombination> positions;
    for (int j = t; j < kNumbersPerCombination; ++j) {
        positions[j] = partPositions(j);
        holders[j].assign(kChoose[m_numbersUsed][j], 0);
        for (RowIndex r = 0; r < size(); ++r)
            for (const auto& part : positions[j])
                ++holders[j][partNumber(r, part)];
    }
    m_coverCounts.assign(m_combinations.size(), 0);
    for (RowIndex r = 0; r < size(); ++r) {
        std::array<std::int64_t, kNumbersPerCombination + 1> exactly{};
        exactly[kNumbersPerCombination] = 1;
        for (int i = kNumbersPerCombination - 1; i >= t; --i) {
            std::int64_t pairs = 0;
            for (const auto& part : positions[i])
                pairs += holders[i][partNumber(r, part)];
            for (int l = i + 1; l <= kNumbersPerCombination; ++l)
                pairs -= static_cast<std::int64_t>(kChoose[l][i]) * exactly[l];
            exactly[i] = pairs;
        }
        std::int64_t covered = 0;
        for (int i = t; i <= kNumbersPerCombination; ++i)
            covered += exactly[i];
        m_coverCounts[r] = static_cast<std::int32_t>(covered);
        m_largestCoverCount = std::max(m_largestCoverCount, m_coverCounts[r]);
    }
}

} // namespace selektor::optimizer
