#include "analysis/SystemCoverage.h"

#include "analysis/AnalysisTexts.h"
#include "analysis/SubsetIndex.h"

#include <algorithm>
#include <span>

namespace selektor {

namespace {

// What both measures share around finding each pool row's best hits: the refusals and the figures.
template <class BestHits>
SystemCoverage measureWith(const LotterySystem& system, const CandidatePool& pool, BestHits&& bestHits) {
    SystemCoverage coverage;
    if ((coverage.refusal = systemRefusal(system)))
        return coverage;
    if (pool.count() <= 0) {
        coverage.refusal = kEmptyPoolMessage;
        return coverage;
    }
    // Figures over the first 30000 of a larger pool would pass for the whole pool's.
    if (pool.count() > pool.storedCount()) {
        coverage.refusal = kPoolTooLargeMessage;
        return coverage;
    }

    coverage.systemLines = static_cast<std::int32_t>(system.size());
    coverage.poolRows.assign(pool.rows().begin(), pool.rows().begin() + pool.storedCount());
    coverage.bestHits.resize(coverage.poolRows.size());
    bestHits(std::span<const Combination>(coverage.poolRows), std::span<std::uint8_t>(coverage.bestHits));

    std::array<std::int32_t, 7> rowsWith{};
    for (std::uint8_t best : coverage.bestHits)
        ++rowsWith[best];
    for (int k = kNumbersPerCombination, total = 0; k >= 0; --k)
        coverage.coveredAtLeast[k] = total += rowsWith[k];
    while (rowsWith[coverage.guaranteedHits] == 0)
        ++coverage.guaranteedHits;
    for (int hits = coverage.guaranteedHits; hits <= kNumbersPerCombination; ++hits)
        for (std::size_t r = 0; r < coverage.poolRows.size() && coverage.holes.size() < kListedHoles; ++r)
            if (coverage.bestHits[r] == hits)
                coverage.holes.push_back({static_cast<std::int32_t>(r + 1), coverage.poolRows[r], hits});
    return coverage;
}

// One bit for every k-number set held by some line, k = 1 to 6.
class MarkedParts {
public:
    explicit MarkedParts(std::span<const Combination> lines) {
        for (int k = 1; k <= subsets::kLargest; ++k)
            m_bits[k].assign((subsets::setCount(k) + 63) / 64, 0);
        for (const Combination& line : lines) {
            const subsets::PartTerms terms(line);
            mark<1>(terms);
            mark<2>(terms);
            mark<3>(terms);
            mark<4>(terms);
            mark<5>(terms);
            mark<6>(terms);
        }
    }

    // The most Numbers of `row` that one line holds: the largest k for which a k-number part of the row
    // is marked.
    int bestHits(const Combination& row) const {
        const subsets::PartTerms terms(row);
        if (anyMarked<6>(terms))
            return 6;
        if (anyMarked<5>(terms))
            return 5;
        if (anyMarked<4>(terms))
            return 4;
        if (anyMarked<3>(terms))
            return 3;
        if (anyMarked<2>(terms))
            return 2;
        return anyMarked<1>(terms) ? 1 : 0;
    }

private:
    template <int K> void mark(const subsets::PartTerms& terms) {
        std::vector<std::uint64_t>& bits = m_bits[K];
        terms.forEachPart<K>([&](std::uint32_t n) { bits[n / 64] |= std::uint64_t{1} << (n % 64); });
    }
    template <int K> bool anyMarked(const subsets::PartTerms& terms) const {
        const std::vector<std::uint64_t>& bits = m_bits[K];
        bool found = false;
        terms.forEachPart<K>([&](std::uint32_t n) { found = found || ((bits[n / 64] >> (n % 64)) & 1); });
        return found;
    }

    std::array<std::vector<std::uint64_t>, subsets::kLargest + 1> m_bits;
};

} // namespace

SystemCoverage measureCoverage(const LotterySystem& system, const CandidatePool& pool) {
    return measureWith(system, pool, [&](std::span<const Combination> rows, std::span<std::uint8_t> best) {
        const MarkedParts marked(system.tickets());
        for (std::size_t r = 0; r < rows.size(); ++r)
            best[r] = static_cast<std::uint8_t>(marked.bestHits(rows[r]));
    });
}

SystemCoverage measureCoverageReference(const LotterySystem& system, const CandidatePool& pool) {
    return measureWith(system, pool, [&](std::span<const Combination> rows, std::span<std::uint8_t> best) {
        for (std::size_t r = 0; r < rows.size(); ++r) {
            int most = 0;
            for (const Combination& line : system.tickets())
                most = std::max(most, subsets::commonNumbers(rows[r], line));
            best[r] = static_cast<std::uint8_t>(most);
        }
    });
}

} // namespace selektor
