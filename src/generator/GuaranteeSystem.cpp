#include "generator/GuaranteeSystem.h"

#include "core/Patterns.h"
#include "generator/SystemLine.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace selektor {

namespace {

std::int32_t poolRows(const CandidatePool& pool) { return std::max(pool.storedCount(), 0); }

// The common first steps of every mode: an empty list, a system not yet offered for saving.
void beginBuild(GeneratorState& state) {
    state.generatorList.clear();
    state.systemSaved = 0;
}

GuaranteeOutcome buildFullSystem(const CandidatePool& pool, GeneratorState& state) {
    const std::int32_t rows = poolRows(pool);
    state.generatorList.reserve(static_cast<std::size_t>(rows));
    for (std::int32_t k = 0; k < rows; ++k)
        state.generatorList.push_back(systemLine(pool.rows[k]));
    return GuaranteeOutcome{rows, true};
}

void keep(const Combination& c, GeneratorState& state) {
    state.systemTable[state.systemCount] = c;
    ++state.systemCount;
    state.generatorList.push_back(systemLine(c));
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

using NumberMask = std::uint64_t; // bit n set for every Number n of a combination

NumberMask maskOf(const Combination& c) {
    NumberMask mask = 0;
    for (Number n : c)
        mask |= NumberMask{1} << n;
    return mask;
}

// Positions (0..5) of subsets of one size, in a fixed order.
struct PositionSets {
    int count = 0;
    std::uint8_t positions[20][kNumbersPerCombination]{};
};

// Every subset of `size` positions among the first `among` positions.
constexpr PositionSets subsetsOf(int size, int among) {
    PositionSets result;
    for (int mask = 0; mask < (1 << among); ++mask) {
        if (std::popcount(static_cast<unsigned>(mask)) != size)
            continue;
        int t = 0;
        for (int b = 0; b < among; ++b)
            if ((mask >> b) & 1)
                result.positions[result.count][t++] = static_cast<std::uint8_t>(b);
        ++result.count;
    }
    return result;
}

// Two combinations share Size or more Numbers exactly when they have a common Size-subset. The kept
// system is remembered per (Size - 1)-subset S of its rows, as the Numbers that complete S to a subset
// of some kept row ("completions"). A pool row a1 < ... < a6 conflicts exactly when for some position p
// its Number a_p completes a (Size - 1)-subset of a_1 .. a_(p-1); the first such p also tells how long
// a leading part of the row already holds the conflict.
//
// Subsets are numbered in lexicographic order, so the subsets that neighbouring pool rows look up lie
// close together. The table lives as long as the thread and is wiped back to zero after every build, so
// a build costs only the entries of the rows it keeps, not the C(49, Size - 1) entries of the table.
template <int Size>
class CompletionTable {
public:
    CompletionTable() : m_completions(table()) {}

    ~CompletionTable() {
        for (std::int32_t rank : m_touched)
            m_completions[static_cast<std::size_t>(rank)] = 0;
    }
    CompletionTable(const CompletionTable&) = delete;
    CompletionTable& operator=(const CompletionTable&) = delete;

    // Completions of the (Size - 1)-subset made of the Numbers at `positions` (Size - 2 of them) and at
    // `last`, which stands after all of them. The subset's number: sum of C(49 - a_t, Size - 1 - t).
    NumberMask completions(const Combination& row, const std::uint8_t* positions, int last) const {
        std::int32_t r = kBinomials.c[kHighestNumber - row[last]][1];
        for (int t = 0; t < Size - 2; ++t)
            r += kBinomials.c[kHighestNumber - row[positions[t]]][Size - 1 - t];
        return m_completions[static_cast<std::size_t>(r)];
    }

    void keep(const Combination& row) {
        static constexpr PositionSets kSubsets = subsetsOf(Size - 1, kNumbersPerCombination);
        const NumberMask rowMask = maskOf(row);
        for (int s = 0; s < kSubsets.count; ++s) {
            const std::uint8_t* positions = kSubsets.positions[s];
            NumberMask own = 0;
            std::int32_t r = 0;
            for (int t = 0; t < Size - 1; ++t) {
                own |= NumberMask{1} << row[positions[t]];
                r += kBinomials.c[kHighestNumber - row[positions[t]]][Size - 1 - t];
            }
            NumberMask& entry = m_completions[static_cast<std::size_t>(r)];
            if (entry == 0)
                m_touched.push_back(r);
            entry |= rowMask & ~own;
        }
    }

private:
    static std::vector<NumberMask>& table() {
        thread_local std::vector<NumberMask> completions(
            static_cast<std::size_t>(kBinomials.c[kHighestNumber][Size - 1]), 0);
        return completions;
    }

    std::vector<NumberMask>& m_completions;
    std::vector<std::int32_t> m_touched;
};

// A combination's six bytes as one number, the first Number in the lowest byte.
std::uint64_t packed(const Combination& c) {
    if constexpr (std::endian::native == std::endian::little) {
        // Two plain loads; a six-byte copy into a wider word would stall on the partial store.
        std::uint32_t low = 0;
        std::uint16_t high = 0;
        std::memcpy(&low, c.data(), sizeof low);
        std::memcpy(&high, c.data() + sizeof low, sizeof high);
        return low | (std::uint64_t{high} << 32);
    } else {
        std::uint64_t word = 0;
        for (int b = 0; b < kNumbersPerCombination; ++b)
            word |= std::uint64_t{c[b]} << (8 * b);
        return word;
    }
}

// The bytes of the first `length` Numbers in a packed combination.
std::uint64_t leadingMask(int length) {
    return length >= kNumbersPerCombination ? (std::uint64_t{1} << (8 * kNumbersPerCombination)) - 1
                                            : (std::uint64_t{1} << (8 * length)) - 1;
}

// How many leading Numbers two combinations have in common.
int sharedLeadingNumbers(const Combination& a, const Combination& b) {
    const std::uint64_t differs = packed(a) ^ packed(b);
    return differs == 0 ? kNumbersPerCombination : std::countr_zero(differs) / 8;
}

// Walks the pool row by row, keeping for the current row the union of completions of all
// (size - 1)-subsets within its first p Numbers ("reach" at depth p). Consecutive pool rows mostly
// share their first Numbers, so the reach of the shared part is reused and only the rest is looked up.
template <int Size>
class ConflictFinder {
public:
    explicit ConflictFinder(const CompletionTable<Size>& table) : m_table(table) { forget(); }

    // 0 when the row fits beside every kept row; otherwise the length of the row's leading part that
    // already conflicts, so every row that starts with the same Numbers conflicts as well.
    int conflictPrefix(const Combination& row) {
        m_depth = std::min(m_depth, sharedLeadingNumbers(row, m_model));
        m_model = row;
        for (int p = kBase + 1; p < kNumbersPerCombination; ++p) {
            if (p > m_depth) {
                NumberMask reach = m_reach[p - 1];
                const PositionSets& added = kNewSubsets[p];
                for (int s = 0; s < added.count; ++s)
                    reach |= m_table.completions(row, added.positions[s], p - 1);
                m_reach[p] = reach;
                m_depth = p;
            }
            if ((m_reach[p] >> row[p]) & 1u)
                return p + 1;
        }
        return 0;
    }

    // A row was kept: every reach computed so far is out of date.
    void forget() {
        m_depth = kBase;
        for (NumberMask& reach : m_reach)
            reach = 0;
    }

private:
    // Below this depth no (Size - 1)-subset fits: the reach is empty.
    static constexpr int kBase = Size - 2;
    // For depth p: the (Size - 2)-subsets of the positions before p - 1, which with p - 1 itself make
    // the subsets that depth p adds.
    static constexpr std::array<PositionSets, kNumbersPerCombination> kNewSubsets = [] {
        std::array<PositionSets, kNumbersPerCombination> sets{};
        for (int p = 1; p < kNumbersPerCombination; ++p)
            sets[p] = subsetsOf(kBase, p - 1);
        return sets;
    }();

    const CompletionTable<Size>& m_table;
    Combination m_model{};
    int m_depth = 0;
    NumberMask m_reach[kNumbersPerCombination]{};
};

// The first row at or after `from` whose leading `length` Numbers differ from those of `model`. Pools
// come in enumeration order, where rows with a common start stand together, so runs can be long.
std::int32_t endOfRun(const CandidatePool& pool, std::int32_t from, std::int32_t rows, const Combination& model,
                      int length) {
    const std::uint64_t rowMask = leadingMask(length);
    const std::uint64_t rowPattern = packed(model) & rowMask;
    auto rowMatches = [&](std::int32_t k) { return (packed(pool.rows[k]) & rowMask) == rowPattern; };
    std::int32_t k = from;
    // Most runs in a filtered pool are short: look at a few rows one by one first.
    for (const std::int32_t stop = std::min(rows, from + 8); k < stop; ++k)
        if (!rowMatches(k))
            return k;
    if constexpr (std::endian::native == std::endian::little) {
        static_assert(sizeof(Combination) == kNumbersPerCombination);
        // Eight rows fill six 64-bit words; the pattern and mask repeat the model's leading Numbers at
        // every row start.
        auto spread = [](std::uint64_t v, std::uint64_t out[3]) {
            out[0] = v | (v << 48);
            out[1] = (v >> 16) | (v << 32);
            out[2] = (v >> 32) | (v << 16);
        };
        std::uint64_t pattern[3], mask[3];
        spread(rowPattern, pattern);
        spread(rowMask, mask);
        const auto* bytes = reinterpret_cast<const unsigned char*>(pool.rows.data());
        for (; k + 8 <= rows; k += 8) {
            std::uint64_t w[6];
            std::memcpy(w, bytes + 6 * static_cast<std::size_t>(k), sizeof w);
            const std::uint64_t differs = ((w[0] ^ pattern[0]) & mask[0]) | ((w[1] ^ pattern[1]) & mask[1]) |
                                          ((w[2] ^ pattern[2]) & mask[2]) | ((w[3] ^ pattern[0]) & mask[0]) |
                                          ((w[4] ^ pattern[1]) & mask[1]) | ((w[5] ^ pattern[2]) & mask[2]);
            if (differs != 0)
                break;
        }
    }
    while (k < rows && rowMatches(k))
        ++k;
    return k;
}

// The greedy packing in pool order, where no two kept rows share Size Numbers.
template <int Size>
GuaranteeOutcome buildPacking(const CandidatePool& pool, GeneratorState& state) {
    CompletionTable<Size> kept;
    ConflictFinder<Size> finder(kept);
    const std::int32_t rows = poolRows(pool);
    state.systemCount = 0;
    for (std::int32_t k = 0; k < rows;) {
        const Combination& candidate = pool.rows[k];
        const int conflict = finder.conflictPrefix(candidate);
        if (conflict == 0) {
            kept.keep(candidate);
            finder.forget();
            keep(candidate, state);
            ++k;
        } else if (conflict < kNumbersPerCombination) {
            k = endOfRun(pool, k + 1, rows, candidate, conflict);
        } else {
            ++k; // only the row itself: the next one is looked at anyway
        }
    }
    return GuaranteeOutcome{state.systemCount, false};
}

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
    beginBuild(state);
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
    beginBuild(state);
    switch (mode) {
    case GuaranteeMode::Full:
        return buildFullSystem(pool, state);
    // Sharing more than the overlap limit means sharing a subset of limit + 1 Numbers.
    case GuaranteeMode::Gw5:
        return buildPacking<5>(pool, state);
    case GuaranteeMode::Gw4:
        return buildPacking<4>(pool, state);
    case GuaranteeMode::Gw3:
        return buildPacking<3>(pool, state);
    }
    return GuaranteeOutcome{};
}

} // namespace selektor
