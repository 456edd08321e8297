// The enumeration behind "Oblicz", done per five-number prefix instead of per combination.
//
// For every prefix c1 < ... < c5 the numbers that may still complete it are gathered in a 64-bit mask
// (bit n stands for number n): each active tab contributes the set of sixth numbers it would accept,
// looked up in small tables built from the settings once per run. The passing sixth numbers are then
// read off the mask in ascending order, which is exactly the lexicographic order of the full
// enumeration, so the count and the stored rows are those of the straightforward nested loops.
//
// The space is cut into two halves of about equal work at a (c1, c2) boundary; both cores enumerate one
// half each and the halves are joined in order.

#include "core/Enumeration.h"
#include "core/Patterns.h"

#include <bit>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

namespace selektor {

namespace {

using Mask = std::uint64_t;

constexpr Mask bit(int n) {
    return Mask{1} << n;
}

// Numbers lo..hi inclusive (empty when lo > hi).
constexpr Mask rangeMask(int lo, int hi) {
    return lo > hi ? 0 : ((bit(hi) << 1) - bit(lo));
}

constexpr Mask kAllNumbers = rangeMask(1, 49);

constexpr Mask numbersWhere(bool (*pred)(int)) {
    Mask m = 0;
    for (int n = 1; n <= 49; ++n)
        if (pred(n))
            m |= bit(n);
    return m;
}

constexpr Mask kEvenNumbers = numbersWhere([](int n) { return n % 2 == 0; });
constexpr Mask kEdgeNumbers = numbersWhere([](int n) { return isEdgeNumber(static_cast<Number>(n)); });

constexpr std::array<Mask, 10> kDigitNumbers = [] {
    std::array<Mask, 10> m{};
    for (int n = 1; n <= 49; ++n)
        m[n % 10] |= bit(n);
    return m;
}();

constexpr std::array<Mask, 3> kGroupNumbers = [] {
    std::array<Mask, 3> m{};
    for (int n = 1; n <= 49; ++n)
        m[static_cast<int>(digitGroup(static_cast<Number>(n)))] |= bit(n);
    return m;
}();

// Numbers standing in any of the coupon rows (bit r - 1 for row r) / column keys of a set.
const std::array<Mask, 64> kRowNumbers = [] {
    std::array<Mask, 64> m{};
    for (int rows = 0; rows < 64; ++rows)
        for (int n = 1; n <= 49; ++n)
            if (rows & (1 << (couponRow(static_cast<Number>(n)) - 1)))
                m[rows] |= bit(n);
    return m;
}();

const std::array<Mask, 512> kColumnNumbers = [] {
    std::array<Mask, 512> m{};
    for (int keys = 0; keys < 512; ++keys)
        for (int n = 1; n <= 49; ++n)
            if (keys & (1 << couponColumnKey(static_cast<Number>(n))))
                m[keys] |= bit(n);
    return m;
}();

constexpr Mask all(bool on) {
    return on ? ~Mask{0} : Mask{0};
}

// The digits of up to five members as a multiset, numbered densely, with the transition that adds one
// digit. Whether " Pary   " accepts a six depends only on how many members end in each digit: its
// leading digit is chosen by scan order only between selected digits of equal count, and the rules for
// the other digits treat two such digits alike.
struct DigitMultisets {
    static constexpr int kMaxStates = 3003; // multisets of 0..5 digits out of 10
    std::array<std::array<std::uint16_t, 10>, kMaxStates> next{};
    std::array<EndingCounts, kMaxStates> counts{};
    std::array<std::uint8_t, kMaxStates> size{};
    int stateCount = 0;

    DigitMultisets() {
        // A multiset is found again by its digits in ascending order, read as a base-11 number.
        std::vector<std::uint16_t> byKey(161051, 0xFFFF);
        const auto keyOf = [](const EndingCounts& c) {
            int key = 0;
            for (int t = 9; t >= 0; --t)
                for (int i = 0; i < c[t]; ++i)
                    key = key * 11 + t + 1;
            return key;
        };
        counts[0] = {};
        size[0] = 0;
        stateCount = 1;
        for (int s = 0; s < stateCount; ++s) {
            if (size[s] == 5)
                continue;
            for (int t = 0; t < 10; ++t) {
                EndingCounts c = counts[s];
                ++c[t];
                std::uint16_t& found = byKey[keyOf(c)];
                if (found == 0xFFFF) {
                    found = static_cast<std::uint16_t>(stateCount++);
                    counts[found] = c;
                    size[found] = static_cast<std::uint8_t>(size[s] + 1);
                }
                next[s][t] = found;
            }
        }
    }
};

const DigitMultisets& digitMultisets() {
    static const DigitMultisets machine;
    return machine;
}

bool pairsAcceptCounts(const FilterSettings& s, const EndingCounts& m) {
    int leadingCount = 0;
    int leadingDigit = -1;
    for (int t = 0; t < 10; ++t)
        if (m[t] >= 2 && s.endingTemplates[t] && m[t] > leadingCount) {
            leadingCount = m[t];
            leadingDigit = t;
        }
    if (leadingDigit < 0 || leadingCount > pairGroupCountLimit(s.pairGroupLimit))
        return false;
    return otherDigitsAllowed(s, m, leadingDigit);
}

// Positions 1 to 6 of a combination; tables below are indexed by the position about to be filled.
constexpr int kPositions = kNumbersPerCombination + 1;

// For a count criterion (favourites, evens, edge numbers): the numbers that may fill `position` when
// `counted` of the members so far belong to the class, so that some allowed final count stays reachable.
template <typename Flags> std::array<std::array<Mask, 7>, kPositions> countMasks(const Flags& allowed, Mask inClass) {
    std::array<std::array<Mask, 7>, kPositions> masks{};
    for (int position = 1; position <= 6; ++position) {
        const int after = 6 - position;
        for (int counted = 0; counted < position; ++counted) {
            bool withClass = false, withoutClass = false;
            for (int final = 0; final <= 6; ++final) {
                if (!allowed[final])
                    continue;
                withClass = withClass || (final >= counted + 1 && final <= counted + 1 + after);
                withoutClass = withoutClass || (final >= counted && final <= counted + after);
            }
            masks[position][counted] = (all(withClass) & inClass) | (all(withoutClass) & ~inClass);
        }
    }
    return masks;
}

// What the tabs leave open for each position, per state of the members before it; built once per run.
// At the sixth position the masks are exact; before it they only drop numbers after which no allowed
// pattern can be reached any more.
struct PositionTables {
    bool favourites = false, evenOdd = false, sum = false, edge = false, dsg = false, pairs = false, rowColumn = false,
         gaps = false;
    int neighbourMode = AnyNeighbours;

    Mask members = kAllNumbers; // numbers that may appear at all
    Mask favouriteNumbers = 0;
    std::array<std::array<Mask, 7>, kPositions> byFavourites{};
    std::array<std::array<Mask, 7>, kPositions> byEvens{};
    std::array<std::array<Mask, 7>, kPositions> byEdges{};
    std::array<std::array<Mask, 46>, kPositions> bySum{};
    std::array<std::array<std::array<Mask, 7>, 7>, kPositions> byDsg{};
    std::array<Mask, DigitMultisets::kMaxStates> byDigits{}; // the state's size tells the position
    // [numbers still to come][rows][columns]: some allowed rows/columns template stays reachable.
    std::array<std::array<std::array<bool, 8>, 8>, kPositions> rowColumnReachable{};
    std::array<std::uint8_t, kHighestNumber + 1> neighbourFlag{};
    std::array<std::uint8_t, 64> gapFlag{};
    Mask gapSteps = 0; // bit g for a selected gap g

    explicit PositionTables(const FilterSettings& s) {
        if (s.active(Panel::Numbers)) {
            members = 0;
            for (int n = 1; n <= 49; ++n) {
                if (s.numberRole[n] != NoGroup)
                    members |= bit(n);
                if (s.numberRole[n] == Favourite)
                    favouriteNumbers |= bit(n);
            }
            // With no favourites the basic group alone decides; the share boxes are not consulted.
            favourites = s.favouriteCount > 0;
            byFavourites = countMasks(s.favouriteShareAllowed, favouriteNumbers);
        }
        evenOdd = s.active(Panel::EvenOdd);
        byEvens = countMasks(s.evenOddTemplates, kEvenNumbers);
        edge = s.active(Panel::Edge);
        byEdges = countMasks(s.edgeTemplates, kEdgeNumbers);

        sum = s.active(Panel::Sum);
        for (int position = 1; position <= 6; ++position)
            for (int total = 0; total <= 9 * (position - 1); ++total)
                for (int d = 0; d < 10; ++d)
                    for (int final = total + d; final <= total + d + 9 * (6 - position); ++final)
                        if (s.sumTemplates[sumBucket(final)]) {
                            bySum[position][total] |= kDigitNumbers[d];
                            break;
                        }

        dsg = s.active(Panel::Dsg);
        for (int position = 1; position <= 6; ++position)
            for (int d = 0; d < position; ++d)
                for (int sc = 0; d + sc < position; ++sc) {
                    const int g = position - 1 - d - sc;
                    // Reachable finals from (d, s, g) after the next member joins group `joined`.
                    const auto reachable = [&](int dd, int ss, int gg) {
                        for (int fd = dd; fd <= 6; ++fd)
                            for (int fs = ss; fd + fs <= 6; ++fs)
                                if (6 - fd - fs >= gg && s.dsgTemplates[fd][fs])
                                    return true;
                        return false;
                    };
                    byDsg[position][d][sc] = (all(reachable(d + 1, sc, g)) & kGroupNumbers[0]) |
                                             (all(reachable(d, sc + 1, g)) & kGroupNumbers[1]) |
                                             (all(reachable(d, sc, g + 1)) & kGroupNumbers[2]);
                }

        pairs = s.active(Panel::Pairs);
        if (pairs) {
            // Backwards from the complete sixes: a digit may follow when the grown multiset can still
            // end accepted.
            const DigitMultisets& machine = digitMultisets();
            std::array<std::uint16_t, DigitMultisets::kMaxStates> digitsOpen{};
            for (int size = 5; size >= 0; --size)
                for (int state = 0; state < machine.stateCount; ++state) {
                    if (machine.size[state] != size)
                        continue;
                    for (int t = 0; t < 10; ++t) {
                        bool open;
                        if (size == 5) {
                            EndingCounts m = machine.counts[state];
                            ++m[t];
                            open = pairsAcceptCounts(s, m);
                        } else {
                            open = digitsOpen[machine.next[state][t]] != 0;
                        }
                        if (open) {
                            digitsOpen[state] = static_cast<std::uint16_t>(digitsOpen[state] | (1u << t));
                            byDigits[state] |= kDigitNumbers[t];
                        }
                    }
                }
        }

        rowColumn = s.active(Panel::RowColumn);
        for (int after = 0; after <= 5; ++after)
            for (int r = 0; r <= 7; ++r)
                for (int k = 0; k <= 7; ++k)
                    for (int fr = std::max(r, kMinRows); fr <= std::min(r + after, kMaxRows); ++fr)
                        for (int fk = std::max(k, kMinColumns); fk <= std::min(k + after, kMaxColumns); ++fk)
                            if (s.rowColumnTemplates[fr][fk])
                                rowColumnReachable[after][r][k] = true;

        neighbourMode = s.mode(Panel::Neighbours);
        for (int n = 1; n < kHighestNumber; ++n)
            neighbourFlag[n] = neighbourMode == SelectedNeighbourPairs ? s.neighbourTemplates[n] : 1;
        gaps = s.active(Panel::Gaps);
        for (int g = 1; g <= kHighestGapTemplate; ++g)
            if (s.gapTemplates[g]) {
                gapFlag[g] = 1;
                gapSteps |= bit(g);
            }

        // A count tab with every value selected accepts every six: leave it out of the loops.
        const auto allOn = [](const auto& flags, int from, int to) {
            for (int i = from; i <= to; ++i)
                if (!flags[i])
                    return false;
            return true;
        };
        favourites = favourites && !allOn(s.favouriteShareAllowed, 0, 6);
        evenOdd = evenOdd && !allOn(s.evenOddTemplates, 0, 6);
        edge = edge && !allOn(s.edgeTemplates, 0, 6);
        sum = sum && !allOn(s.sumTemplates, kLowestSumBucket, kHighestSumBucket);
        bool everyDsg = true;
        for (int d = 0; d <= 6; ++d)
            everyDsg = everyDsg && allOn(s.dsgTemplates[d], 0, 6 - d);
        dsg = dsg && !everyDsg;
    }
};

// The patterns of the members chosen so far, kept as running counts.
struct Prefix {
    Number last = 0;
    std::uint8_t favourites = 0, evens = 0, digitSum = 0, edges = 0, d = 0, s = 0;
    std::uint8_t rows = 0;      // bit r - 1 for each coupon row r occupied
    std::uint16_t columns = 0;  // bit k for each column key occupied
    std::uint16_t digits = 0;   // state in the digit multiset machine
    bool neighbourDone = false; // a pair that satisfies "L. sdne" modes 2 and 3 is already there
    bool gapDone = false;       // a selected gap is already there
};

inline Prefix extend(const Prefix& p, const PositionTables& t, const DigitMultisets& machine, int n) {
    Prefix q;
    q.last = static_cast<Number>(n);
    q.favourites = static_cast<std::uint8_t>(p.favourites + ((t.favouriteNumbers >> n) & 1));
    q.evens = static_cast<std::uint8_t>(p.evens + (n % 2 == 0));
    q.digitSum = static_cast<std::uint8_t>(p.digitSum + n % 10);
    q.edges = static_cast<std::uint8_t>(p.edges + ((kEdgeNumbers >> n) & 1));
    const int group = static_cast<int>(digitGroup(static_cast<Number>(n)));
    q.d = static_cast<std::uint8_t>(p.d + (group == 0));
    q.s = static_cast<std::uint8_t>(p.s + (group == 1));
    q.rows = static_cast<std::uint8_t>(p.rows | (1u << (couponRow(static_cast<Number>(n)) - 1)));
    q.columns = static_cast<std::uint16_t>(p.columns | (1u << couponColumnKey(static_cast<Number>(n))));
    q.digits = t.pairs ? machine.next[p.digits][n % 10] : 0;
    const bool neighbours = p.last != 0 && n == p.last + 1;
    q.neighbourDone = p.neighbourDone || (neighbours && t.neighbourFlag[p.last]);
    q.gapDone = p.gapDone || (p.last != 0 && t.gapFlag[n - p.last]);
    return q;
}

// The numbers that may fill `position` after the prefix.
inline Mask candidates(const Prefix& p, const PositionTables& t, int position) {
    Mask m = t.members & rangeMask(p.last + 1, 43 + position);
    // A six without neighbours never takes the number right after the last one.
    if (t.neighbourMode == NoNeighbours && p.last != 0)
        m &= ~bit(p.last + 1);
    if (t.favourites)
        m &= t.byFavourites[position][p.favourites];
    if (t.evenOdd)
        m &= t.byEvens[position][p.evens];
    if (t.sum)
        m &= t.bySum[position][p.digitSum];
    if (t.edge)
        m &= t.byEdges[position][p.edges];
    if (t.dsg)
        m &= t.byDsg[position][p.d][p.s];
    if (t.pairs)
        m &= t.byDigits[p.digits];
    if (t.rowColumn) {
        const int after = 6 - position;
        const int r = std::popcount(p.rows);
        const int k = std::popcount(p.columns);
        const auto& reachable = t.rowColumnReachable[after];
        const Mask sameRow = kRowNumbers[p.rows];
        const Mask sameColumn = kColumnNumbers[p.columns];
        m &= (sameRow & sameColumn & all(reachable[r][k])) | (sameRow & ~sameColumn & all(reachable[r][k + 1])) |
             (~sameRow & sameColumn & all(reachable[r + 1][k])) |
             (~sameRow & ~sameColumn & all(reachable[r + 1][k + 1]));
    }
    if (position == 6) {
        // A selected pair or gap can still come with the last number, and only with it.
        if (t.neighbourMode >= AtLeastOneNeighbourPair && !p.neighbourDone)
            m &= t.neighbourFlag[p.last] ? bit(p.last + 1) : 0;
        if (t.gaps && !p.gapDone)
            m &= t.gapSteps << p.last;
    }
    return m;
}

// One share of the work: every combination whose first two numbers lie in [first, end) of the (c1, c2)
// pairs in lexicographic order. Stores the first `capacity` passing rows.
struct Share {
    int first = 0;
    int end = 0;
    Combination* rows = nullptr;
    std::int32_t capacity = 0;
    std::int32_t count = 0;
};

struct PrefixPair {
    Number c1;
    Number c2;
};

// The (c1, c2) pairs that can start a combination, with the number of combinations each starts.
struct PrefixPairs {
    std::array<PrefixPair, 44 * 45 / 2> pairs{};
    std::array<std::int32_t, 44 * 45 / 2> weight{};
    int size = 0;
    PrefixPairs() {
        for (int a = 1; a <= 44; ++a)
            for (int b = a + 1; b <= 45; ++b) {
                const int rest = 49 - b; // choose four of the numbers above b
                pairs[size] = {static_cast<Number>(a), static_cast<Number>(b)};
                weight[size] = rest * (rest - 1) * (rest - 2) * (rest - 3) / 24;
                ++size;
            }
    }
};

const PrefixPairs kPrefixPairs;

// The loops count members of rows and column sets and the passing sixth numbers with popcount; where
// the processor has the instruction, a build that uses it is chosen at load time.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__)
__attribute__((target_clones("popcnt", "default")))
#endif
void enumerateShare(const PositionTables& t, Share& share) {
    const DigitMultisets& machine = digitMultisets();
    std::int32_t count = 0;
    Combination* const rows = share.rows;
    const std::int32_t capacity = share.capacity;

    const Prefix empty;
    const Mask firsts = candidates(empty, t, 1);
    for (int i = share.first; i < share.end; ++i) {
        const auto [c1, c2] = kPrefixPairs.pairs[i];
        if (!(firsts & bit(c1)))
            continue;
        const Prefix p1 = extend(empty, t, machine, c1);
        if (!(candidates(p1, t, 2) & bit(c2)))
            continue;
        const Prefix p2 = extend(p1, t, machine, c2);
        for (Mask m3 = candidates(p2, t, 3); m3; m3 &= m3 - 1) {
            const int c3 = std::countr_zero(m3);
            const Prefix p3 = extend(p2, t, machine, c3);
            for (Mask m4 = candidates(p3, t, 4); m4; m4 &= m4 - 1) {
                const int c4 = std::countr_zero(m4);
                const Prefix p4 = extend(p3, t, machine, c4);
                for (Mask m5 = candidates(p4, t, 5); m5; m5 &= m5 - 1) {
                    const int c5 = std::countr_zero(m5);
                    Mask m6 = candidates(extend(p4, t, machine, c5), t, 6);
                    if (!m6)
                        continue;
                    if (count >= capacity) {
                        count += std::popcount(m6);
                        continue;
                    }
                    for (; m6; m6 &= m6 - 1) {
                        if (count < capacity)
                            rows[count] = {c1,
                                           c2,
                                           static_cast<Number>(c3),
                                           static_cast<Number>(c4),
                                           static_cast<Number>(c5),
                                           static_cast<Number>(std::countr_zero(m6))};
                        ++count;
                    }
                }
            }
        }
    }
    share.count = count;
}

// The first kPoolCapacity combinations in lexicographic order, for settings that accept everything.
void fillFirstCombinations(CandidatePool::Rows& rows) {
    Combination c{1, 2, 3, 4, 5, 6};
    for (std::int32_t row = 0; row < kPoolCapacity; ++row) {
        rows[row] = c;
        // Next combination: raise the rightmost position that still has room, reset those after it.
        int i = kNumbersPerCombination - 1;
        while (i >= 0 && c[i] == kHighestNumber - (kNumbersPerCombination - 1 - i))
            --i;
        if (i < 0)
            break;
        ++c[i];
        for (int j = i + 1; j < kNumbersPerCombination; ++j)
            c[j] = static_cast<Number>(c[j - 1] + 1);
    }
}

} // namespace

void enumerateFast(const FilterSettings& settings, CandidatePool& pool) {
    bool anyActive = false;
    for (int p = 0; p < kPanelCount; ++p)
        anyActive = anyActive || settings.active(static_cast<Panel>(p));
    if (!anyActive) {
        fillFirstCombinations(pool.rowsToEnumerate());
        pool.enumerated(kAllCombinations);
        return;
    }

    const PositionTables tables(settings);

    // Two halves of about equal work, cut at a (c1, c2) boundary.
    std::int64_t half = 0;
    for (int i = 0; i < kPrefixPairs.size; ++i)
        half += kPrefixPairs.weight[i];
    half /= 2;
    int cut = 0;
    for (std::int64_t sum = 0; cut < kPrefixPairs.size && sum < half; ++cut)
        sum += kPrefixPairs.weight[cut];

    // The first half writes straight into the pool; the second keeps its own first rows aside until
    // it is known how many of them still fit behind the first half's.
    auto secondRows = std::unique_ptr<Combination[]>(new Combination[kPoolCapacity]);
    CandidatePool::Rows& rows = pool.rowsToEnumerate();
    Share first{0, cut, rows.data(), kPoolCapacity, 0};
    Share second{cut, kPrefixPairs.size, secondRows.get(), kPoolCapacity, 0};

    std::thread worker([&] { enumerateShare(tables, second); });
    enumerateShare(tables, first);
    worker.join();

    const std::int32_t stored = std::min(first.count, kPoolCapacity);
    const std::int32_t fromSecond = std::min(second.count, kPoolCapacity - stored);
    std::copy_n(secondRows.get(), fromSecond, rows.begin() + stored);
    pool.enumerated(first.count + second.count);
}

} // namespace selektor
