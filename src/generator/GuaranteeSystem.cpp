#include "generator/GuaranteeSystem.h"

#include "generator/SystemLine.h"

#include <algorithm>
#include <vector>

namespace selektor {

namespace {

std::int32_t poolRows(const CandidatePool& pool) { return std::max(pool.storedCount(), 0); }

// The common first steps of every mode: an empty list, a system not yet offered for saving.
void beginBuild(const CandidatePool& pool, GeneratorState& state) {
    state.generatorList.clear();
    state.generatorList.reserve(static_cast<std::size_t>(poolRows(pool)));
    state.systemSaved = 0;
}

GuaranteeOutcome buildFullSystem(const CandidatePool& pool, GeneratorState& state) {
    const std::int32_t rows = poolRows(pool);
    for (std::int32_t k = 0; k < rows; ++k)
        state.generatorList.push_back(systemLine(pool.rows[k]));
    return GuaranteeOutcome{rows, true};
}

void keep(const Combination& c, GeneratorState& state) {
    state.systemTable[state.systemCount] = c;
    ++state.systemCount;
    state.generatorList.push_back(systemLine(c));
}

int commonNumbers(const Combination& a, const Combination& b) {
    int common = 0;
    for (Number x : a)
        for (Number y : b)
            common += x == y;
    return common;
}

// Binomial coefficients C(n, k) for n up to 49 and k up to 6.
struct Binomials {
    std::int32_t c[kHighestNumber + 1][kNumbersPerCombination + 1]{};
    constexpr Binomials() {
        for (int n = 0; n <= kHighestNumber; ++n) {
            c[n][0] = 1;
            for (int k = 1; k <= kNumbersPerCombination; ++k)
                c[n][k] = n == 0 ? 0 : c[n - 1][k - 1] + c[n - 1][k];
        }
    }
};
constexpr Binomials kBinomials;

// The positions (0..5) of every size-k subset of a combination's six Numbers, in a fixed order.
struct SubsetPositions {
    int count = 0;
    std::uint8_t positions[20][kNumbersPerCombination]{};
};

constexpr SubsetPositions subsetPositions(int size) {
    SubsetPositions result;
    for (int mask = 0; mask < (1 << kNumbersPerCombination); ++mask) {
        int bits = 0;
        for (int b = 0; b < kNumbersPerCombination; ++b)
            bits += (mask >> b) & 1;
        if (bits != size)
            continue;
        int t = 0;
        for (int b = 0; b < kNumbersPerCombination; ++b)
            if ((mask >> b) & 1)
                result.positions[result.count][t++] = static_cast<std::uint8_t>(b);
        ++result.count;
    }
    return result;
}

// Two six-Number combinations share `size` or more Numbers exactly when they have a size-Number subset
// in common. So the kept system is remembered as the set of all its size-Number subsets, one bit each,
// addressed by the subset's rank among all C(49, size) subsets; a pool row conflicts with the system
// when one of its own subsets is already marked.
class SubsetMarks {
public:
    explicit SubsetMarks(int size)
        : m_size(size), m_subsets(subsetPositions(size)),
          m_bits((static_cast<std::size_t>(kBinomials.c[kHighestNumber][size]) + 63) / 64, 0) {}

    // Fills `ranks` with the ranks of the combination's subsets; returns whether any is marked.
    bool anyMarked(const Combination& c, std::int32_t* ranks) const {
        bool marked = false;
        for (int s = 0; s < m_subsets.count; ++s) {
            std::int32_t rank = 0;
            // Colexicographic rank: sum of C(number - 1, place + 1) over the subset's Numbers.
            for (int t = 0; t < m_size; ++t)
                rank += kBinomials.c[c[m_subsets.positions[s][t]] - 1][t + 1];
            ranks[s] = rank;
            marked |= ((m_bits[static_cast<std::size_t>(rank) >> 6] >> (rank & 63)) & 1u) != 0;
        }
        return marked;
    }

    void mark(const std::int32_t* ranks) {
        for (int s = 0; s < m_subsets.count; ++s)
            m_bits[static_cast<std::size_t>(ranks[s]) >> 6] |= std::uint64_t{1} << (ranks[s] & 63);
    }

private:
    int m_size;
    SubsetPositions m_subsets;
    std::vector<std::uint64_t> m_bits;
};

} // namespace

int guaranteeOverlapLimit(GuaranteeMode mode) {
    switch (mode) {
    case GuaranteeMode::Gw5:
        return 4;
    case GuaranteeMode::Gw4:
        return 3;
    case GuaranteeMode::Gw3:
        return 2;
    case GuaranteeMode::Full:
        break;
    }
    return kNumbersPerCombination;
}

GuaranteeOutcome buildGuaranteeSystemReference(GuaranteeMode mode, const CandidatePool& pool,
                                               GeneratorState& state) {
    beginBuild(pool, state);
    if (mode == GuaranteeMode::Full)
        return buildFullSystem(pool, state);

    const int overlapLimit = guaranteeOverlapLimit(mode);
    const std::int32_t rows = poolRows(pool);
    state.systemCount = 0;
    for (std::int32_t k = 0; k < rows; ++k) {
        const Combination& candidate = pool.rows[k];
        bool conflict = false;
        for (std::int32_t r = 0; r < state.systemCount && !conflict; ++r)
            conflict = commonNumbers(candidate, state.systemTable[r]) > overlapLimit;
        if (!conflict)
            keep(candidate, state);
    }
    return GuaranteeOutcome{state.systemCount, false};
}

GuaranteeOutcome buildGuaranteeSystem(GuaranteeMode mode, const CandidatePool& pool, GeneratorState& state) {
    beginBuild(pool, state);
    if (mode == GuaranteeMode::Full)
        return buildFullSystem(pool, state);

    // Sharing more than the overlap limit means sharing a subset of limit + 1 Numbers.
    SubsetMarks marks(guaranteeOverlapLimit(mode) + 1);
    const std::int32_t rows = poolRows(pool);
    std::int32_t ranks[20];
    state.systemCount = 0;
    for (std::int32_t k = 0; k < rows; ++k) {
        const Combination& candidate = pool.rows[k];
        if (marks.anyMarked(candidate, ranks))
            continue;
        marks.mark(ranks);
        keep(candidate, state);
    }
    return GuaranteeOutcome{state.systemCount, false};
}

} // namespace selektor
