// The enumeration behind "Oblicz", done per four-number prefix instead of per combination.
//
// For every prefix the numbers that may still follow are gathered in a 64-bit mask (bit n stands for
// number n): each active tab contributes the set of next numbers it would accept, looked up in small
// tables built from the settings once per run. At the fifth number the mask of every sixth number is
// found with a handful of lookups from what the first four left behind, so the bulk of the work, the
// 1.7 million five-number prefixes of a broad setting, costs a few instructions each. The passing sixth
// numbers are read off the mask in ascending order, which is exactly the lexicographic order of the full
// enumeration, so the count and the stored rows are those of the straightforward nested loops.
//
// The space is cut into many small shares of consecutive (c1, c2) pairs. The cores take them one after
// another, so a core that drew quickly thinned shares simply takes more of them; the shares' counts and
// rows are then joined in their order.

#include "core/Enumeration.h"
#include "core/Patterns.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <memory>
#include <system_error>
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

constexpr std::array<Mask, 10> kDigitNumbers = [] {
    std::array<Mask, 10> m{};
    for (int n = 1; n <= 49; ++n)
        m[n % 10] |= bit(n);
    return m;
}();

// Numbers standing in any of the coupon rows (bit r - 1 for row r) / column keys of a set.
constexpr std::array<Mask, 64> kRowNumbers = [] {
    std::array<Mask, 64> m{};
    for (int rows = 0; rows < 64; ++rows)
        for (int n = 1; n <= 49; ++n)
            if (rows & (1 << (couponRow(static_cast<Number>(n)) - 1)))
                m[rows] |= bit(n);
    return m;
}();

constexpr std::array<Mask, 512> kColumnNumbers = [] {
    std::array<Mask, 512> m{};
    for (int keys = 0; keys < 512; ++keys)
        for (int n = 1; n <= 49; ++n)
            if (keys & (1 << couponColumnKey(static_cast<Number>(n))))
                m[keys] |= bit(n);
    return m;
}();

// What a number adds to the running patterns that do not depend on the settings.
struct NumberTraits {
    std::uint8_t digit = 0;
    std::uint8_t rowBit = 0;     // bit r - 1 for coupon row r
    std::uint16_t columnBit = 0; // bit k for column key k
};

constexpr std::array<NumberTraits, 64> kTraits = [] {
    std::array<NumberTraits, 64> t{};
    for (int n = 1; n <= 49; ++n) {
        const Number number = static_cast<Number>(n);
        t[n].digit = static_cast<std::uint8_t>(lastDigit(number));
        t[n].rowBit = static_cast<std::uint8_t>(1u << (couponRow(number) - 1));
        t[n].columnBit = static_cast<std::uint16_t>(1u << couponColumnKey(number));
    }
    return t;
}();

constexpr Mask all(bool on) {
    return on ? ~Mask{0} : Mask{0};
}

// The digits of up to five members as a multiset, numbered densely, with the transition that adds one
// digit. The tabs that look only at last digits (" P - N  ", "  Suma  ", " D S G  " and " Pary   ")
// decide a six from these counts alone. For " Pary   " that holds because its leading digit is chosen by
// scan order only between selected digits of equal count, and the rules for the other digits treat two
// such digits alike.
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

// Whether the last-digit tabs accept a six with these digit counts.
bool digitTabsAccept(const FilterSettings& s, const EndingCounts& m) {
    if (s.active(Panel::EvenOdd) && !s.evenOddTemplates[m[0] + m[2] + m[4] + m[6] + m[8]])
        return false;
    if (s.active(Panel::Sum)) {
        int total = 0;
        for (int t = 1; t < 10; ++t)
            total += t * m[t];
        if (!s.sumTemplates[sumBucket(total)])
            return false;
    }
    if (s.active(Panel::Dsg) && !s.dsgTemplates[m[0] + m[1] + m[2] + m[3]][m[4] + m[5] + m[6]])
        return false;
    return !s.active(Panel::Pairs) || pairsAcceptCounts(s, m);
}

// Positions 1 to 6 of a combination; tables below are indexed by the position about to be filled.
constexpr int kPositions = kNumbersPerCombination + 1;

// For a count criterion (favourites, edge numbers): the numbers that may fill `position` when `counted`
// of the members so far belong to the class, so that some allowed final count stays reachable.
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

constexpr std::array<std::uint8_t, 7> kEveryCount = {1, 1, 1, 1, 1, 1, 1};

// The state of the favourites and edge counts, f * 7 + e.
constexpr int kFavouriteStep = 7;
constexpr int kFavouriteEdgeStates = 49;

// What the tabs leave open for each position, per state of the members before it; built once per run.
// At the sixth position the masks are exact; before it they only drop numbers after which no allowed
// pattern can be reached any more.
struct PositionTables {
    bool rowColumn = false, gaps = false;
    int neighbourMode = AnyNeighbours;

    Mask members = kAllNumbers; // numbers that may appear at all
    // The numbers that may come sixth after the fifth member c5, for the " Liczby  " groups and "L. sdne"
    // mode 1 alone.
    std::array<Mask, 64> sixthAfter{};

    // The last-digit tabs together, by the digit multiset of the members so far: which numbers keep an
    // accepted six within reach. Deciding them jointly drops prefixes that each tab alone would let pass.
    std::array<Mask, DigitMultisets::kMaxStates> byDigits{};

    // The favourites and edge counts, by position and f * 7 + e, and each number's step in that state.
    std::array<std::array<Mask, kFavouriteEdgeStates>, kPositions> byFavouritesEdges{};
    std::array<std::uint8_t, 64> favouriteEdgeStep{};

    // " W - K  " by the numbers still to come after the next one, the rows taken and how many columns
    // are taken: the numbers allowed next in a column already taken and in a new one.
    struct RowColumnNext {
        Mask takenColumn = 0;
        Mask newColumn = 0;
    };
    std::array<std::array<std::array<RowColumnNext, 8>, 64>, kNumbersPerCombination> rowColumnNext{};

    std::array<std::uint8_t, kHighestNumber + 1> neighbourFlag{};
    std::array<Mask, 64> selectedNeighbourAfter{}; // bit n + 1 when n, n + 1 is a selected pair
    Mask selectedNeighbourLowers = 0;              // bit n when n, n + 1 is a selected pair of members
    std::array<std::uint8_t, 64> gapFlag{};
    Mask gapSteps = 0;      // bit g for a selected gap g
    Mask gapsFromFifth = 0; // bit c5 when a selected gap can follow c5 to a sixth number

    explicit PositionTables(const FilterSettings& s) {
        Mask favouriteNumbers = 0;
        bool favourites = false;
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
        }
        constexpr Mask kEdgeNumbers = [] {
            Mask m = 0;
            for (int n = 1; n <= 49; ++n)
                if (isEdgeNumber(static_cast<Number>(n)))
                    m |= bit(n);
            return m;
        }();
        const auto byFavourites = countMasks(favourites ? s.favouriteShareAllowed : kEveryCount, favouriteNumbers);
        const auto byEdges = countMasks(s.active(Panel::Edge) ? s.edgeTemplates : kEveryCount, kEdgeNumbers);
        for (int position = 1; position <= 6; ++position)
            for (int f = 0; f < position; ++f)
                for (int e = 0; e < position; ++e)
                    byFavouritesEdges[position][f * kFavouriteStep + e] =
                        byFavourites[position][f] & byEdges[position][e];
        for (int n = 1; n <= 49; ++n)
            favouriteEdgeStep[n] =
                static_cast<std::uint8_t>(((favouriteNumbers >> n) & 1) * kFavouriteStep + ((kEdgeNumbers >> n) & 1));

        // Backwards from the complete sixes: a digit may follow when the grown multiset can still end
        // accepted by every last-digit tab.
        const DigitMultisets& machine = digitMultisets();
        if (s.active(Panel::EvenOdd) || s.active(Panel::Sum) || s.active(Panel::Dsg) || s.active(Panel::Pairs)) {
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
                            open = digitTabsAccept(s, m);
                        } else {
                            open = digitsOpen[machine.next[state][t]] != 0;
                        }
                        if (open) {
                            digitsOpen[state] = static_cast<std::uint16_t>(digitsOpen[state] | (1u << t));
                            byDigits[state] |= kDigitNumbers[t];
                        }
                    }
                }
        } else {
            byDigits.fill(~Mask{0});
        }

        rowColumn = s.active(Panel::RowColumn);
        if (rowColumn) {
            // [numbers still to come][rows][columns]: some allowed rows/columns template stays reachable.
            std::array<std::array<std::array<bool, 8>, 8>, kNumbersPerCombination> reachable{};
            for (int after = 0; after <= 5; ++after)
                for (int r = 0; r <= 7; ++r)
                    for (int k = 0; k <= 7; ++k)
                        for (int fr = std::max(r, kMinRows); fr <= std::min(r + after, kMaxRows); ++fr)
                            for (int fk = std::max(k, kMinColumns); fk <= std::min(k + after, kMaxColumns); ++fk)
                                if (s.rowColumnTemplates[fr][fk])
                                    reachable[after][r][k] = true;
            for (int after = 0; after <= 5; ++after)
                for (unsigned rows = 0; rows < 64; ++rows) {
                    const int r = std::popcount(rows);
                    const Mask sameRow = kRowNumbers[rows];
                    const auto& open = reachable[after];
                    for (int k = 0; k <= 6 && r <= 6; ++k)
                        rowColumnNext[after][rows][k] = {(sameRow & all(open[r][k])) | (~sameRow & all(open[r + 1][k])),
                                                         (sameRow & all(open[r][k + 1])) |
                                                             (~sameRow & all(open[r + 1][k + 1]))};
                }
        }

        neighbourMode = s.mode(Panel::Neighbours);
        for (int n = 1; n < kHighestNumber; ++n) {
            neighbourFlag[n] = neighbourMode == SelectedNeighbourPairs ? s.neighbourTemplates[n] : 1;
            selectedNeighbourAfter[n] = neighbourFlag[n] ? bit(n + 1) : 0;
        }
        gaps = s.active(Panel::Gaps);
        for (int g = 1; g <= kHighestGapTemplate; ++g)
            if (s.gapTemplates[g]) {
                gapFlag[g] = 1;
                gapSteps |= bit(g);
            }

        for (int c5 = 1; c5 <= 48; ++c5) {
            sixthAfter[c5] = members & rangeMask(c5 + (neighbourMode == NoNeighbours ? 2 : 1), 49);
            if (selectedNeighbourAfter[c5] & members)
                selectedNeighbourLowers |= bit(c5);
            if ((gapSteps << c5) & sixthAfter[c5])
                gapsFromFifth |= bit(c5);
        }
    }
};

// The patterns of the members chosen so far, kept as running states.
struct Prefix {
    Number last = 0;
    std::uint8_t favouritesEdges = 0; // f * 7 + e
    std::uint8_t rows = 0;            // bit r - 1 for each coupon row r occupied
    std::uint16_t columns = 0;        // bit k for each column key occupied
    std::uint16_t digits = 0;         // state in the digit multiset machine
    bool neighbourDone = false;       // a pair that satisfies "L. sdne" modes 2 and 3 is already there
    bool gapDone = false;             // a selected gap is already there
};

inline Prefix extend(const Prefix& p, const PositionTables& t, const DigitMultisets& machine, int n) {
    const NumberTraits& traits = kTraits[n];
    Prefix q;
    q.last = static_cast<Number>(n);
    q.favouritesEdges = static_cast<std::uint8_t>(p.favouritesEdges + t.favouriteEdgeStep[n]);
    q.rows = static_cast<std::uint8_t>(p.rows | traits.rowBit);
    q.columns = static_cast<std::uint16_t>(p.columns | traits.columnBit);
    q.digits = machine.next[p.digits][traits.digit];
    q.neighbourDone = p.neighbourDone || (p.last != 0 && n == p.last + 1 && t.neighbourFlag[p.last]);
    q.gapDone = p.gapDone || (p.last != 0 && t.gapFlag[n - p.last]);
    return q;
}

// The numbers allowed next under " W - K  " once the members have these rows and columns, with `after`
// numbers still to come after the next one.
inline Mask rowColumnMask(const PositionTables& t, int after, unsigned rows, unsigned columns) {
    const auto& allowed = t.rowColumnNext[after][rows][std::popcount(columns)];
    const Mask sameColumn = kColumnNumbers[columns];
    return (sameColumn & allowed.takenColumn) | (~sameColumn & allowed.newColumn);
}

// The numbers that may fill `position` (1 to 5) after the prefix.
inline Mask candidates(const Prefix& p, const PositionTables& t, int position) {
    Mask m = t.members & rangeMask(p.last + 1, 43 + position);
    // A six without neighbours never takes the number right after the last one.
    if (t.neighbourMode == NoNeighbours && p.last != 0)
        m &= ~bit(p.last + 1);
    m &= t.byDigits[p.digits] & t.byFavouritesEdges[position][p.favouritesEdges];
    if (t.rowColumn)
        m &= rowColumnMask(t, 6 - position, p.rows, p.columns);
    return m;
}

// Everything the sixth number depends on that the first four members already fix. Each fifth number then
// costs a few lookups: its digit moves the digit multiset, its classes move the favourites and edges
// state, its row and column join the rows and columns, and the pair and gap it makes with the fourth
// member may already satisfy "L. sdne" or " Odlg   ".
struct SixthAfterFour {
    const PositionTables& t;
    const std::uint16_t* digitsNext; // the multiset of four, by the fifth number's digit
    const Mask* favouritesEdges;     // the sixth position's masks from the state of four
    unsigned rows, columns;
    bool neighbourOpen; // modes 2 and 3 still wait for a pair
    int neighbourWith4; // the fifth number that would make a selected pair with the fourth
    bool gapOpen;       // a selected gap is still missing
    Mask gapWith4;      // bit c5 when c5 - c4 is a selected gap

    SixthAfterFour(const PositionTables& tables, const DigitMultisets& machine, const Prefix& p4)
        : t(tables), digitsNext(machine.next[p4.digits].data()),
          favouritesEdges(tables.byFavouritesEdges[6].data() + p4.favouritesEdges), rows(p4.rows), columns(p4.columns),
          neighbourOpen(tables.neighbourMode >= AtLeastOneNeighbourPair && !p4.neighbourDone),
          neighbourWith4(tables.neighbourFlag[p4.last] ? p4.last + 1 : 0), gapOpen(tables.gaps && !p4.gapDone),
          gapWith4(tables.gapSteps << p4.last) {}

    // The sixth numbers that complete an accepted six after the fifth number c5. Instantiated for the
    // tabs that still have a say, so the loops over the fifth numbers carry no tests for the others.
    template <bool RowColumn, bool NeighbourOpen, bool GapOpen> Mask after(int c5) const {
        const NumberTraits& traits = kTraits[c5];
        Mask m = t.sixthAfter[c5] & t.byDigits[digitsNext[traits.digit]] & favouritesEdges[t.favouriteEdgeStep[c5]];
        if constexpr (RowColumn)
            m &= rowColumnMask(t, 0, rows | traits.rowBit, columns | traits.columnBit);
        // A selected pair or gap still missing can only come with the sixth number.
        if constexpr (NeighbourOpen)
            if (c5 != neighbourWith4)
                m &= t.selectedNeighbourAfter[c5];
        if constexpr (GapOpen)
            if (!((gapWith4 >> c5) & 1))
                m &= t.gapSteps << c5;
        return m;
    }
};

// Every six after a four-number prefix, its fifth numbers in m5: counted, and stored while there is room.
template <bool RowColumn, bool NeighbourOpen, bool GapOpen>
[[gnu::always_inline]] inline void completeFour(const SixthAfterFour& sixth, Mask m5, const Combination& four,
                                                Combination* rows, std::int32_t capacity, std::int32_t& count) {
    if (count >= capacity) {
        // The rows are stored: only the count goes on.
        std::int32_t added = 0;
        for (; m5; m5 &= m5 - 1)
            added += std::popcount(sixth.after<RowColumn, NeighbourOpen, GapOpen>(std::countr_zero(m5)));
        count += added;
        return;
    }
    for (; m5; m5 &= m5 - 1) {
        const int c5 = std::countr_zero(m5);
        for (Mask m6 = sixth.after<RowColumn, NeighbourOpen, GapOpen>(c5); m6; m6 &= m6 - 1) {
            if (count < capacity)
                rows[count] = {four[0],
                               four[1],
                               four[2],
                               four[3],
                               static_cast<Number>(c5),
                               static_cast<Number>(std::countr_zero(m6))};
            ++count;
        }
    }
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

// The (c1, c2) pairs that can start a combination in lexicographic order, cut into shares of about equal
// work for a broad setting: the five-number prefixes that start with them.
struct PrefixPairs {
    static constexpr int kPairs = 44 * 45 / 2;
    // Many more shares than cores, so that how unevenly the filters thin them hardly shows at the end.
    static constexpr int kShares = 128;
    std::array<PrefixPair, kPairs> pairs{};
    std::array<int, kShares + 1> shareStart{};
    int shareCount = 0;

    PrefixPairs() {
        std::array<std::int32_t, kPairs> weight{};
        std::int64_t total = 0;
        int size = 0;
        for (int a = 1; a <= 44; ++a)
            for (int b = a + 1; b <= 45; ++b) {
                const int rest = 48 - b; // choose three of the numbers above b, below 49
                pairs[size] = {static_cast<Number>(a), static_cast<Number>(b)};
                weight[size] = rest * (rest - 1) * (rest - 2) / 6 + 1;
                total += weight[size];
                ++size;
            }
        std::int64_t sum = 0;
        for (int i = 0; i < kPairs; ++i) {
            if (sum * kShares >= static_cast<std::int64_t>(shareCount) * total)
                shareStart[shareCount++] = i;
            sum += weight[i];
        }
        shareStart[shareCount] = kPairs;
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
                Mask m5 = candidates(p4, t, 5);
                if (!m5)
                    continue;
                const SixthAfterFour sixth(t, machine, p4);
                // With a selected pair or gap still missing, a fifth number that does not make one with
                // the fourth must leave room for it after itself.
                if (sixth.neighbourOpen)
                    m5 &= bit(sixth.neighbourWith4) | t.selectedNeighbourLowers;
                if (sixth.gapOpen)
                    m5 &= sixth.gapWith4 | t.gapsFromFifth;
                const Combination four{c1, c2, static_cast<Number>(c3), static_cast<Number>(c4), 0, 0};
                switch ((t.rowColumn ? 4 : 0) | (sixth.neighbourOpen ? 2 : 0) | (sixth.gapOpen ? 1 : 0)) {
                case 0:
                    completeFour<false, false, false>(sixth, m5, four, rows, capacity, count);
                    break;
                case 1:
                    completeFour<false, false, true>(sixth, m5, four, rows, capacity, count);
                    break;
                case 2:
                    completeFour<false, true, false>(sixth, m5, four, rows, capacity, count);
                    break;
                case 3:
                    completeFour<false, true, true>(sixth, m5, four, rows, capacity, count);
                    break;
                case 4:
                    completeFour<true, false, false>(sixth, m5, four, rows, capacity, count);
                    break;
                case 5:
                    completeFour<true, false, true>(sixth, m5, four, rows, capacity, count);
                    break;
                case 6:
                    completeFour<true, true, false>(sixth, m5, four, rows, capacity, count);
                    break;
                default:
                    completeFour<true, true, true>(sixth, m5, four, rows, capacity, count);
                    break;
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

// What one share left behind for the join.
struct ShareResult {
    std::atomic<bool> done{false};
    std::int32_t count = 0;
    const Combination* setAside = nullptr; // its rows, when they could not go to the pool straight away
    std::int32_t setAsideCount = 0;
};

// The shares handed out one after another, and what each core keeps of its rows meanwhile.
class ShareOut {
public:
    ShareOut(const PositionTables& tables, CandidatePool::Rows& pool, int cores)
        : m_tables(tables), m_pool(pool),
          m_setAside(std::unique_ptr<Combination[]>(new Combination[static_cast<std::size_t>(cores) * kPoolCapacity])) {
    }

    // Takes shares until none is left; `core` numbers the caller's rows set aside.
    void work(int core) {
        Combination* const setAside = m_setAside.get() + static_cast<std::size_t>(core) * kPoolCapacity;
        std::int32_t setAsideUsed = 0;
        for (;;) {
            const int i = m_next.fetch_add(1, std::memory_order_relaxed);
            if (i >= kPrefixPairs.shareCount)
                return;
            // The rows of the finished earlier shares come first in the pool; a share still running
            // puts this one's rows further back by a number not yet known.
            std::int32_t before = 0;
            bool placed = true;
            for (int k = 0; k < i; ++k) {
                if (m_results[k].done.load(std::memory_order_acquire))
                    before += m_results[k].count;
                else
                    placed = false;
            }
            Share share{kPrefixPairs.shareStart[i], kPrefixPairs.shareStart[i + 1], nullptr, 0, 0};
            ShareResult& result = m_results[i];
            if (before < kPoolCapacity) {
                share.capacity = kPoolCapacity - before;
                // Set aside, the rows of this core's earlier shares count among `before`, so what remains
                // of its space always holds this share's capacity.
                share.rows = placed ? m_pool.data() + before : setAside + setAsideUsed;
            }
            enumerateShare(m_tables, share);
            result.count = share.count;
            if (!placed && share.rows) {
                result.setAside = share.rows;
                result.setAsideCount = std::min(share.count, share.capacity);
                setAsideUsed += result.setAsideCount;
            }
            result.done.store(true, std::memory_order_release);
        }
    }

    // After every core is done: the set-aside rows to their places, and the count of all shares.
    std::int32_t join() {
        std::int32_t before = 0;
        for (int k = 0; k < kPrefixPairs.shareCount; ++k) {
            const ShareResult& result = m_results[k];
            if (result.setAside && before < kPoolCapacity)
                std::copy_n(result.setAside, std::min(result.setAsideCount, kPoolCapacity - before),
                            m_pool.begin() + before);
            before += result.count;
        }
        return before;
    }

private:
    const PositionTables& m_tables;
    CandidatePool::Rows& m_pool;
    std::unique_ptr<Combination[]> m_setAside;
    std::atomic<int> m_next{0};
    std::array<ShareResult, PrefixPairs::kShares> m_results{};
};

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
    const unsigned hardware = std::thread::hardware_concurrency();
    const int cores = static_cast<int>(std::clamp(hardware == 0 ? 2u : hardware, 1u, 8u));
    ShareOut shares(tables, pool.rowsToEnumerate(), cores);

    // The calling thread works too; a helper that cannot be started leaves its shares to the others.
    std::vector<std::thread> helpers;
    helpers.reserve(static_cast<std::size_t>(cores - 1));
    for (int core = 1; core < cores; ++core) {
        try {
            helpers.emplace_back([&shares, core] { shares.work(core); });
        } catch (const std::system_error&) {
            break;
        }
    }
    shares.work(0);
    for (std::thread& helper : helpers)
        helper.join();
    pool.enumerated(shares.join());
}

} // namespace selektor
