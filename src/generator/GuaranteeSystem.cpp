#include "generator/GuaranteeSystem.h"

#include "core/Patterns.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

namespace selektor {

namespace {

std::int32_t poolRows(const CandidatePool& pool) {
    return std::max(pool.storedCount(), 0);
}

GuaranteeOutcome buildFullSystem(const CandidatePool& pool, LotterySystem& system) {
    const std::int32_t rows = poolRows(pool);
    system.reserve(static_cast<std::size_t>(rows));
    for (std::int32_t k = 0; k < rows; ++k)
        system.append(pool.rows()[k]);
    return GuaranteeOutcome{rows, true};
}

GuaranteeOutcome reducedOutcome(const LotterySystem& system) {
    return GuaranteeOutcome{static_cast<std::int32_t>(system.size()), false};
}

using NumberMask = std::uint64_t; // bit n set for every Number n of a combination

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

// Two combinations share Size or more Numbers exactly when they have a common Size-subset. A pool row
// a1 < ... < a6 conflicts exactly when for some position p its Number a_p completes a (Size - 1)-subset
// of a_1 .. a_(p-1) to a Size-subset of a kept row; the first such p also tells how long a leading part
// of the row already holds the conflict. Only completions above the subset's highest Number are ever
// asked for.
//
// The kept rows' Size-subsets are remembered as one bit each. Every (Size - 1)-subset S owns whole
// bytes holding one bit per Number above its highest one, and the subsets follow each other in
// lexicographic order; one word read at S's first byte holds all of S's completions. For gw 4 the whole
// table is about 34 KB and stays in the fastest cache.
//
// The first byte of c_1 < ... < c_(Size - 1) is a sum of one table value per position:
// kStarts.of[t][c_t] summed over t.
template <int Length> struct CompletionStarts {
    std::int32_t of[Length][kHighestNumber + 2]{};
    std::int32_t bytes = 0; // the whole table

    constexpr CompletionStarts() {
        // taken[j][v]: bytes owned by the subsets in which v stands with j more Numbers after it.
        std::int32_t taken[Length][kHighestNumber + 2]{};
        for (int v = 1; v <= kHighestNumber; ++v)
            taken[0][v] = (kHighestNumber - v + 7) / 8;
        for (int j = 1; j < Length; ++j)
            for (int v = kHighestNumber - 1; v >= 1; --v)
                taken[j][v] = taken[j][v + 1] + taken[j - 1][v + 1];
        // before[j][v]: the same, summed over every v' below v.
        std::int32_t before[Length][kHighestNumber + 2]{};
        for (int j = 0; j < Length; ++j)
            for (int v = 2; v <= kHighestNumber + 1; ++v)
                before[j][v] = before[j][v - 1] + taken[j][v - 1];
        // The subsets ahead of c_1 .. c_Length: for every position t those that agree before t and
        // hold a smaller Number at t, i.e. before[rest][c_t] - before[rest][c_(t-1) + 1], where rest is
        // the count of positions after t. The second part belongs to position t - 1.
        for (int t = 0; t < Length; ++t) {
            const int rest = Length - 1 - t;
            for (int c = 1; c <= kHighestNumber; ++c)
                of[t][c] = before[rest][c] - (rest > 0 ? before[rest - 1][c + 1] : 0);
        }
        bytes = before[Length - 1][kHighestNumber + 1];
    }
};

template <int Size> class CompletionTable {
public:
    CompletionTable() : m_storage(storage()), m_data(m_storage.bytes.data()) {}

    // Back to all zero for the next build on this thread: only the bytes this build set.
    ~CompletionTable() {
        for (std::int32_t byte : m_storage.touched)
            m_storage.bytes[static_cast<std::size_t>(byte)] = 0;
        m_storage.touched.clear();
    }
    CompletionTable(const CompletionTable&) = delete;
    CompletionTable& operator=(const CompletionTable&) = delete;

    // The first byte of the completions of the subset made of the Numbers at `positions` (Size - 2 of
    // them) and at `last`, which stands after all of them.
    static std::int32_t startOfCompletions(const Combination& row, const std::uint8_t* positions, int last) {
        std::int32_t start = kStarts.of[Size - 2][row[last]];
        for (int t = 0; t < Size - 2; ++t)
            start += kStarts.of[t][row[positions[t]]];
        return start;
    }

    // The completions of such a subset: bit i stands for the Number row[last] + 1 + i. Bits for
    // Numbers past 49 belong to other subsets and mean nothing.
    NumberMask completionsFrom(std::int32_t start) const {
        const std::size_t byte = static_cast<std::size_t>(start);
        std::uint64_t word = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&word, m_data + byte, sizeof word);
        } else {
            for (std::size_t b = 0; b < sizeof word; ++b)
                word |= std::uint64_t{m_data[byte + b]} << (8 * b);
        }
        return word;
    }

    void keep(const Combination& row) {
        static constexpr PositionSets kSubsets = subsetsOf(Size, kNumbersPerCombination);
        for (int s = 0; s < kSubsets.count; ++s) {
            const std::uint8_t* positions = kSubsets.positions[s];
            std::int32_t start = 0;
            for (int t = 0; t < Size - 1; ++t)
                start += kStarts.of[t][row[positions[t]]];
            const int above = row[positions[Size - 1]] - row[positions[Size - 2]] - 1;
            const std::int32_t byte = start + above / 8;
            m_storage.bytes[static_cast<std::size_t>(byte)] |= static_cast<std::uint8_t>(1u << (above % 8));
            m_storage.touched.push_back(byte);
        }
    }

private:
    static constexpr CompletionStarts<Size - 1> kStarts{};

    // Kept from build to build on a thread, so that a build neither allocates nor wipes the table.
    struct Storage {
        // The completions, and a word's worth of spare bytes so that a word can be read at any start.
        std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(static_cast<std::size_t>(kStarts.bytes + 8), 0);
        std::vector<std::int32_t> touched; // the bytes set so far
    };
    static Storage& storage() {
        thread_local Storage kept;
        return kept;
    }

    Storage& m_storage;
    const std::uint8_t* m_data;
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
template <int Size> class ConflictFinder {
public:
    explicit ConflictFinder(const CompletionTable<Size>& table) : m_table(table) { forget(); }

    // 0 when the row fits beside every kept row; otherwise the length of the row's leading part that
    // already conflicts, so every row that starts with the same Numbers conflicts as well. `previous`
    // is the pool row before `row`; rows passed over without a look start like the last row looked at
    // up to its conflicting part, so they stand in for it.
    int conflictPrefix(const Combination& row, const Combination& previous) {
        const int shared = sharedLeadingNumbers(row, previous);
        if (shared >= m_conflictLength) {
            ++m_rowsPassedInRun;
            return m_conflictLength;
        }
        m_rowsPassedInRun = 0;
        m_depth = std::min(m_depth, shared);
        // The previous row passed every test before its conflicting part, and this row starts like it up
        // to the first differing Number: its tests start there. After a row was kept, rows share fewer
        // than Size Numbers with it and are tested from the first place a conflict can show.
        switch (std::max(shared, kBase + 1)) {
        case 1:
        case 2:
        case 3:
            return testFrom<kBase + 1>(row);
        case 4:
            return testFrom<std::max(4, kBase + 1)>(row);
        default:
            return testFrom<5>(row);
        }
    }

    // How many rows in a row conflicted just by starting like the one before them.
    int rowsPassedInRun() const { return m_rowsPassedInRun; }

    // A row was kept: every reach computed so far is out of date, and every row that starts with the
    // kept row's first Size Numbers conflicts with it.
    void rowKept() {
        m_conflictLength = Size;
        forget();
    }

    void forget() {
        m_depth = kBase;
        for (NumberMask& reach : m_reach)
            reach = 0;
    }

private:
    // Tests the row's Numbers from position P on, each against the reach of the Numbers before it.
    template <int P> int testFrom(const Combination& row) {
        if constexpr (P == kNumbersPerCombination) {
            m_conflictLength = kNoConflict;
            return 0;
        } else if constexpr (P >= kNumbersPerCombination - kTestedTogether && P < kNumbersPerCombination - 1) {
            return testTogether<P>(row);
        } else {
            if (P > m_depth) {
                m_reach[P] = m_reach[P - 1] | newReach<P>(row);
                m_depth = P;
            }
            if ((m_reach[P] >> row[P]) & 1u)
                return m_conflictLength = P + 1;
            return testFrom<P + 1>(row);
        }
    }

    // From the fourth Number on, a row's Numbers are tested together, without a branch between them:
    // which of them conflicts, if any, changes from row to row beyond any guess, and the later Numbers'
    // look-ups cost less than a wrong guess. A row that differs from the one before only in its sixth
    // Number has a single test left and takes the plain way.
    static constexpr int kTestedTogether = 3;

    template <int P> int testTogether(const Combination& row) {
        if (P > m_depth)
            m_reach[P] = m_reach[P - 1] | newReach<P>(row);
        unsigned hits = static_cast<unsigned>((m_reach[P] >> row[P]) & 1u);
        [&]<std::size_t... Q>(std::index_sequence<Q...>) {
            ((m_reach[P + 1 + Q] = m_reach[P + Q] | newReach<P + 1 + Q>(row),
              hits |= static_cast<unsigned>((m_reach[P + 1 + Q] >> row[P + 1 + Q]) & 1u) << (1 + Q)),
             ...);
        }
        (std::make_index_sequence<kNumbersPerCombination - 1 - P>{});
        m_depth = kNumbersPerCombination - 1;
        constexpr int kTested = kNumbersPerCombination - P;
        const int first = std::countr_zero(hits | (1u << kTested)); // kTested: none conflicts
        const int conflict = first == kTested ? 0 : P + 1 + first;
        m_conflictLength = conflict != 0 ? conflict : kNoConflict;
        return conflict;
    }

    // What depth P adds to the reach. Every subset it adds ends in row[P - 1]: their completions line
    // up, and one shift puts them in place as Numbers.
    template <int P> NumberMask newReach(const Combination& row) const {
        constexpr PositionSets added = kNewSubsets[P];
        const NumberMask found = [&]<std::size_t... S>(std::index_sequence<S...>) {
            return (m_table.completionsFrom(CompletionTable<Size>::startOfCompletions(row, added.positions[S], P - 1)) |
                    ... | NumberMask{0});
        }
        (std::make_index_sequence<static_cast<std::size_t>(added.count)>{});
        return found << (row[P - 1] + 1);
    }

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
    int m_depth = 0;
    NumberMask m_reach[kNumbersPerCombination]{};
    static constexpr int kNoConflict = kNumbersPerCombination + 1;
    int m_conflictLength = kNoConflict;
    int m_rowsPassedInRun = 0;
};

// How far a run is followed row by row before the pool's order is used to leap to its end: short runs
// end sooner than a leap would find out.
constexpr std::int32_t kScanBeforeLeaping = 128;

// The first row at or after `from` whose leading `length` Numbers differ from those of `model`. Pools
// come in enumeration order, where rows with a common start stand together, so runs can be long.
std::int32_t endOfRun(const CandidatePool& pool, std::int32_t from, std::int32_t rows, const Combination& model,
                      int length) {
    const std::uint64_t rowMask = leadingMask(length);
    const std::uint64_t rowPattern = packed(model) & rowMask;
    auto rowMatches = [&](std::int32_t k) { return (packed(pool.rows()[k]) & rowMask) == rowPattern; };

    // Looks at the rows from k on up to `limit` and stops at the first that differs, or at the limit.
    auto scan = [&](std::int32_t k, std::int32_t limit) {
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
            const auto* bytes = reinterpret_cast<const unsigned char*>(pool.rows().data());
            for (; k + 8 <= limit; k += 8) {
                std::uint64_t w[6];
                std::memcpy(w, bytes + 6 * static_cast<std::size_t>(k), sizeof w);
                const std::uint64_t differs = ((w[0] ^ pattern[0]) & mask[0]) | ((w[1] ^ pattern[1]) & mask[1]) |
                                              ((w[2] ^ pattern[2]) & mask[2]) | ((w[3] ^ pattern[0]) & mask[0]) |
                                              ((w[4] ^ pattern[1]) & mask[1]) | ((w[5] ^ pattern[2]) & mask[2]);
                if (differs != 0)
                    break;
            }
        }
        while (k < limit && rowMatches(k))
            ++k;
        return k;
    };

    // Most runs in a filtered pool are short: look at a few rows one by one first, then a stretch eight
    // rows at a time.
    std::int32_t k = from;
    for (const std::int32_t stop = std::min(rows, from + 8); k < stop; ++k)
        if (!rowMatches(k))
            return k;
    const std::int32_t stretchEnd = std::min(rows, from + kScanBeforeLeaping);
    k = scan(k, stretchEnd);
    if (k < stretchEnd)
        return k;

    // Still in the run. Where the rows stand in order, the run ends at the first row with another start:
    // strides that double until they overshoot, then halving, look at a few dozen rows however long
    // the run is.
    if (const std::int32_t ordered = std::min(pool.orderedCount(), rows); k < ordered) {
        std::int32_t matching = k; // rows from..matching - 1 start like the model
        std::int32_t beyond = k;   // the row looked at next; past the run, or `ordered`
        for (std::int32_t stride = 1; beyond < ordered && rowMatches(beyond); stride *= 2) {
            matching = beyond + 1;
            beyond = std::min(ordered, matching + stride);
        }
        while (matching < beyond) {
            const std::int32_t middle = matching + (beyond - matching) / 2;
            if (rowMatches(middle))
                matching = middle + 1;
            else
                beyond = middle;
        }
        if (matching < ordered)
            return matching;
        k = ordered;
    }
    return scan(k, rows);
}

// A run this long is worth a wide scan.
constexpr std::int32_t kLongRun = 8;

// The greedy packing in pool order, where no two kept rows share Size Numbers.
template <int Size> GuaranteeOutcome buildPacking(const CandidatePool& pool, LotterySystem& system) {
    CompletionTable<Size> kept;
    ConflictFinder<Size> finder(kept);
    const std::int32_t rows = poolRows(pool);
    static constexpr Combination kNoRow{};
    for (std::int32_t k = 0; k < rows;) {
        const Combination& candidate = pool.rows()[k];
        const int conflict = finder.conflictPrefix(candidate, k > 0 ? pool.rows()[k - 1] : kNoRow);
        ++k;
        if (conflict == 0) {
            kept.keep(candidate);
            finder.rowKept();
            system.append(candidate);
        } else if (finder.rowsPassedInRun() >= kLongRun) {
            // A long run of rows that start with the conflicting part: pass the rest of it in wide steps.
            k = endOfRun(pool, k, rows, candidate, conflict);
        }
    }
    return reducedOutcome(system);
}

// For gw 3 a conflict is a kept three of Numbers, and each three is completed from a pair: the pairs'
// completions fit one 64-bit word each, 32 KB in all, looked up directly by the two Numbers.
class PairCompletions {
public:
    PairCompletions() : m_storage(storage()), m_words(m_storage.words.data()) {}

    // Back to all zero for the next build on this thread: only the words this build set.
    ~PairCompletions() {
        for (std::uint16_t word : m_storage.touched)
            m_storage.words[word] = 0;
        m_storage.touched.clear();
    }
    PairCompletions(const PairCompletions&) = delete;
    PairCompletions& operator=(const PairCompletions&) = delete;

    // The pairs that start with Number x: entry y holds, for x < y, every z above y such that x, y, z
    // stand together in a kept row.
    const NumberMask* pairsWith(unsigned x) const { return m_words + kSide * (x % kSide); }

    void keep(const Combination& row) {
        for (int i = 0; i < kNumbersPerCombination; ++i)
            for (int j = i + 1; j < kNumbersPerCombination; ++j) {
                const auto word = static_cast<std::uint16_t>(kSide * (row[i] % kSide) + row[j] % kSide);
                for (int l = j + 1; l < kNumbersPerCombination; ++l)
                    m_words[word] |= NumberMask{1} << (row[l] % kSide);
                m_storage.touched.push_back(word);
            }
    }

private:
    static constexpr unsigned kSide = 64; // Numbers are below 64, so any Number indexes safely

    struct Storage {
        std::vector<NumberMask> words = std::vector<NumberMask>(kSide * kSide, 0);
        std::vector<std::uint16_t> touched;
    };
    static Storage& storage() {
        thread_local Storage kept;
        return kept;
    }

    Storage& m_storage;
    NumberMask* m_words;
};

// gw 3: a row conflicts when three of its Numbers stand together in a kept row. What the first three
// Numbers reach is worked out once for all the rows that start with them; the rest of a row takes seven
// look-ups and no branch, which costs less here than any guess about which of its Numbers conflicts.
// g++ also builds a copy for processors with the x86-64-v3 instructions, chosen at load time. Clang 14
// refuses the copies together with noinline, and its load-time test for an "arch=" level does not check
// the processor's features, so a clang build keeps the one plain version.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
[[gnu::noinline, gnu::target_clones("arch=x86-64-v3", "default")]]
#else
[[gnu::noinline]]
#endif
GuaranteeOutcome
buildPackingOfThrees(const CandidatePool& pool, LotterySystem& system) {
    PairCompletions kept;
    const std::int32_t rows = poolRows(pool);
    const Combination* const table = pool.rows().data();
    const auto startOf = [](std::uint64_t numbers) { return numbers & leadingMask(3); };
    const auto number = [](std::uint64_t numbers, int position) {
        return static_cast<unsigned>(numbers >> (8 * position)) % 64;
    };
    for (std::int32_t k = 0; k < rows;) {
        std::uint64_t numbers = packed(table[k]);
        const std::uint64_t start = startOf(numbers);
        const NumberMask* with1 = kept.pairsWith(number(numbers, 0));
        const NumberMask* with2 = kept.pairsWith(number(numbers, 1));
        const NumberMask* with3 = kept.pairsWith(number(numbers, 2));
        const NumberMask reach2 = with1[number(numbers, 1)];
        if ((reach2 >> number(numbers, 2)) & 1u) {
            // The start itself is a kept three: so is every row's that starts the same way.
            std::int32_t next = k + 1;
            while (next < rows && next - k < kLongRun && startOf(packed(table[next])) == start)
                ++next;
            k = next - k < kLongRun ? next : endOfRun(pool, next, rows, table[k], 3);
            continue;
        }
        const NumberMask reach3 = reach2 | with1[number(numbers, 2)] | with2[number(numbers, 2)];
        for (;;) {
            const unsigned a4 = number(numbers, 3), a5 = number(numbers, 4), a6 = number(numbers, 5);
            const NumberMask reach4 = reach3 | with1[a4] | with2[a4] | with3[a4];
            const NumberMask reach5 = reach4 | with1[a5] | with2[a5] | with3[a5] | kept.pairsWith(a4)[a5];
            if ((((reach3 >> a4) | (reach4 >> a5) | (reach5 >> a6)) & 1u) == 0) {
                kept.keep(table[k]);
                system.append(table[k]);
                ++k;
                break; // what every start reaches has grown
            }
            if (++k == rows)
                break;
            numbers = packed(table[k]);
            if (startOf(numbers) != start)
                break;
        }
    }
    return reducedOutcome(system);
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

GuaranteeOutcome buildGuaranteeSystemReference(GuaranteeMode mode, const CandidatePool& pool, LotterySystem& system) {
    system.clear();
    if (mode == GuaranteeMode::Full)
        return buildFullSystem(pool, system);

    const int overlapLimit = guaranteeOverlapLimit(mode);
    const std::int32_t rows = poolRows(pool);
    for (std::int32_t k = 0; k < rows; ++k) {
        const Combination& candidate = pool.rows()[k];
        bool conflict = false;
        for (std::size_t r = 0; r < system.size() && !conflict; ++r)
            conflict = commonNumbers(candidate, system.tickets()[r]) > overlapLimit;
        if (!conflict)
            system.append(candidate);
    }
    return reducedOutcome(system);
}

GuaranteeOutcome buildGuaranteeSystem(GuaranteeMode mode, const CandidatePool& pool, LotterySystem& system) {
    system.clear();
    switch (mode) {
    case GuaranteeMode::Full:
        return buildFullSystem(pool, system);
    // Sharing more than the overlap limit means sharing a subset of limit + 1 Numbers.
    case GuaranteeMode::Gw5:
        return buildPacking<5>(pool, system);
    case GuaranteeMode::Gw4:
        return buildPacking<4>(pool, system);
    case GuaranteeMode::Gw3:
        return buildPackingOfThrees(pool, system);
    }
    return GuaranteeOutcome{};
}

} // namespace selektor
