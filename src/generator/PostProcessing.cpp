#include "generator/PostProcessing.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <string>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define SELEKTOR_POST_PROCESSING_AVX2 1
#endif

namespace selektor {

namespace {

static_assert(sizeof(Combination) == kNumbersPerCombination, "pool rows are six bytes each, back to back");

// Every choice compares each row with a run of consecutive draws at a time, the newest run first, and
// removes the row when more than `threshold` of its Numbers occur in the run, each Number counting once.
// A run of one draw is the draw itself.
struct Rule {
    std::int32_t runs = 0;    // runs asked for
    std::int32_t runSize = 0; // draws in one run: 1, 2 or 3
    int threshold = 0;
};

std::optional<Rule> ruleFor(RecentDrawsChoice choice, std::int32_t drawsToUse) {
    const std::int32_t runs = std::clamp(drawsToUse, kFewestDrawsToUse, kMostDrawsToUse);
    switch (choice) {
    case RecentDrawsChoice::Triples:
        return Rule{runs, 1, 2};
    case RecentDrawsChoice::Quadruples:
        return Rule{runs, 1, 3};
    case RecentDrawsChoice::FiveOfThree:
        return Rule{runs, 3, 4};
    case RecentDrawsChoice::SixOfThree:
        return Rule{runs, 3, 5};
    }
    return std::nullopt;
}

std::optional<Rule> ruleFor(LastDrawsChoice choice) {
    switch (choice) {
    case LastDrawsChoice::MoreThanOne:
        return Rule{1, 1, 1};
    case LastDrawsChoice::MoreThanTwo:
        return Rule{1, 1, 2};
    case LastDrawsChoice::MoreThanThreeOfTwo:
        return Rule{1, 2, 3};
    }
    return std::nullopt;
}

std::string shortHistoryMessage(std::int32_t used, std::int32_t wanted) {
    std::string text =
        "Za mało losowań w historii - wykorzystano " + std::to_string(used) + " z " + std::to_string(wanted);
    if (used == 0)
        text += ", system pozostał bez zmian";
    return text + " !";
}

// What a run of the tool will do with the draws stored: how many runs it compares (0 when it does
// nothing) and what the player is told. The history is read back from the newest draw, so a history
// shorter than the choice needs gives fewer runs, or none when not even one run of draws is there.
struct Plan {
    Rule rule;
    std::int32_t runs = 0;
    PostProcessingOutcome outcome;
};

Plan plan(const std::optional<Rule>& rule, std::int32_t smallestPool, std::size_t stored, const CandidatePool& pool) {
    Plan p;
    p.outcome.lineCount = pool.storedCount();
    if (!rule)
        return p;
    p.rule = *rule;
    const std::int32_t wanted = rule->runs + rule->runSize - 1;
    p.outcome.drawsWanted = wanted;
    if (pool.storedCount() < smallestPool)
        return p;
    const auto draws = static_cast<std::int32_t>(std::min<std::size_t>(stored, static_cast<std::size_t>(wanted)));
    if (draws < rule->runSize) {
        p.outcome.message = shortHistoryMessage(0, wanted);
        return p;
    }
    p.runs = draws - rule->runSize + 1;
    p.outcome.ran = true;
    p.outcome.drawsUsed = draws;
    if (draws < wanted)
        p.outcome.message = shortHistoryMessage(draws, wanted);
    return p;
}

PostProcessingOutcome finished(Plan& p, const CandidatePool& pool) {
    p.outcome.lineCount = pool.storedCount();
    return p.outcome;
}

// ---- The program's reduction ----------------------------------------------------------------------

using NumberSet = std::uint64_t; // bit n set for every Number n of a run of draws

// Only Numbers 1 to 49 go in: a damaged record's other values can match no pool row anyway, and bit 0
// must stay clear for the blank bytes the wide scan puts between rows.
NumberSet numberSetOf(const Combination& draw) {
    NumberSet set = 0;
    for (Number n : draw)
        if (n >= kLowestNumber && n <= kHighestNumber)
            set |= NumberSet{1} << n;
    return set;
}

// One pass goes through the pool in blocks of 64 rows, from the block holding the last row to the first.
// A block's rows are tested all together and then the failing ones removed from the highest place to
// the lowest. That leaves the rows in the order the row-by-row pass leaves: a removed row's place is
// filled from the last row, which has already been examined and kept, so no row of the block changes
// between its test and its removal, and the blocks below are not touched at all.
//
// A block's failing rows are bits with the highest row lowest: bit 63 - i stands for row base + i, so
// the removals take the lowest bit first.

// The failing rows from `base` to `end` (at most 64): those with more than `threshold` of their Numbers
// in `set`. Pool rows hold Numbers 1 to 49; the shift reads a Number modulo 64 only to stay defined.
std::uint64_t failingRows(const Combination* rows, std::int32_t base, std::int32_t end, NumberSet set, int threshold) {
    std::uint64_t failing = 0;
    for (std::int32_t k = base; k < end; ++k) {
        int common = 0;
        for (Number n : rows[k])
            common += static_cast<int>((set >> (n % 64)) & 1u);
        failing |= static_cast<std::uint64_t>(common > threshold) << (63 - (k - base));
    }
    return failing;
}

std::int32_t lastBlock(const CandidatePool& pool) {
    return std::max(pool.storedCount() - 1, 0) / 64 * 64;
}

#ifdef SELEKTOR_POST_PROCESSING_AVX2
// The failing rows of a whole block, four rows to a register, each row moved into a 64-bit lane of its
// own with two blank bytes, the first row in the highest lane. A Number's bit in the set is found by two
// table look-ups inside the register (its byte of the set, its bit in that byte), and the members of
// each row are added up by the sum of absolute differences against zero. The 16-byte loads of the
// block's last rows reach into the row after the block, so the block holding the last row takes the plain
// loop. The removals stay outside: compiled for these instructions, the pool's bookkeeping is slower.
[[gnu::target("avx2"), gnu::noinline]] std::uint64_t failingRowsAvx2(const Combination* blockRows, NumberSet set,
                                                                     int threshold) {
    // Within each half, the second row of the half goes to the lower lane.
    const __m256i spread = _mm256_setr_epi8(6, 7, 8, 9, 10, 11, -1, -1, 0, 1, 2, 3, 4, 5, -1, -1, //
                                            6, 7, 8, 9, 10, 11, -1, -1, 0, 1, 2, 3, 4, 5, -1, -1);
    const __m256i setBytes = _mm256_broadcastsi128_si256(_mm_cvtsi64_si128(static_cast<long long>(set)));
    // Looked up by a Number's low four bits: the table repeats after eight.
    const __m256i bitInByte = _mm256_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128, //
                                               1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128);
    const __m256i lowThree = _mm256_set1_epi8(7);
    const __m256i one = _mm256_set1_epi8(1);
    const __m256i limit = _mm256_set1_epi64x(threshold);
    const auto* block = reinterpret_cast<const std::uint8_t*>(blockRows);
    std::uint64_t failing = 0;
    for (int part = 0; part < 64; part += 4) {
        const std::uint8_t* at = block + part * kNumbersPerCombination;
        const __m128i firstTwo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i lastTwo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 12));
        const __m256i numbers =
            _mm256_shuffle_epi8(_mm256_inserti128_si256(_mm256_castsi128_si256(lastTwo), firstTwo, 1), spread);
        const __m256i setByte =
            _mm256_shuffle_epi8(setBytes, _mm256_and_si256(_mm256_srli_epi16(numbers, 3), lowThree));
        const __m256i bit = _mm256_shuffle_epi8(bitInByte, numbers);
        const __m256i member = _mm256_min_epu8(_mm256_and_si256(setByte, bit), one);
        const __m256i common = _mm256_sad_epu8(member, _mm256_setzero_si256());
        const int four = _mm256_movemask_pd(_mm256_castsi256_pd(_mm256_cmpgt_epi64(common, limit)));
        failing |= static_cast<std::uint64_t>(four) << (60 - part);
    }
    return failing;
}

bool hasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

// A whole block, with the row after it there for the wide loads.
std::uint64_t failingInBlock(const Combination* rows, std::int32_t base, NumberSet set, int threshold) {
#ifdef SELEKTOR_POST_PROCESSING_AVX2
    if (hasAvx2())
        return failingRowsAvx2(rows + base, set, threshold);
#endif
    return failingRows(rows, base, base + 64, set, threshold);
}

// The block below is tested before this block's removals, which never reach below this block's first
// row: the test then need not wait for the removals, nor the removals for the test.
void removeSharing(CandidatePool& pool, NumberSet set, int threshold) {
    const Combination* rows = pool.rows().data();
    std::int32_t base = lastBlock(pool);
    std::uint64_t failing = failingRows(rows, base, std::min(base + 64, pool.storedCount()), set, threshold);
    for (; base >= 0; base -= 64) {
        const std::uint64_t below = base > 0 ? failingInBlock(rows, base - 64, set, threshold) : 0;
        pool.removeBlockRows(base, failing);
        failing = below;
    }
}

void reduce(const Plan& p, std::span<const Combination> draws, CandidatePool& pool) {
    const std::size_t newest = draws.size() - 1;
    for (std::int32_t run = 0; run < p.runs && pool.storedCount() > 0; ++run) {
        NumberSet set = 0;
        for (std::int32_t back = 0; back < p.rule.runSize; ++back)
            set |= numberSetOf(draws[newest - static_cast<std::size_t>(run + back)]);
        removeSharing(pool, set, p.rule.threshold);
    }
}

// ---- The plain loops ------------------------------------------------------------------------------

// How many of the row's Numbers occur in at least one of the draws, each Number of the row counting once.
template <std::size_t Draws>
int numbersOccurring(const Combination& row, const std::array<const Combination*, Draws>& draws) {
    int count = 0;
    for (Number x : row) {
        bool occurs = false;
        for (const Combination* draw : draws)
            for (Number y : *draw)
                occurs |= x == y;
        count += occurs ? 1 : 0;
    }
    return count;
}

template <std::size_t Draws>
void removeRowByRow(CandidatePool& pool, const std::array<const Combination*, Draws>& draws, int threshold) {
    for (std::int32_t k = pool.storedCount() - 1; k >= 0; --k)
        if (numbersOccurring(pool.rows()[k], draws) > threshold)
            pool.removeRow(k);
}

} // namespace

PostProcessingOutcome reduceByRecentDraws(RecentDrawsChoice choice, std::int32_t drawsToUse,
                                          std::span<const Combination> draws, CandidatePool& pool) {
    Plan p = plan(ruleFor(choice, drawsToUse), 1, draws.size(), pool);
    if (p.runs > 0)
        reduce(p, draws, pool);
    return finished(p, pool);
}

PostProcessingOutcome reduceByLastDraws(LastDrawsChoice choice, std::span<const Combination> draws,
                                        CandidatePool& pool) {
    Plan p = plan(ruleFor(choice), 2, draws.size(), pool);
    if (p.runs > 0)
        reduce(p, draws, pool);
    return finished(p, pool);
}

PostProcessingOutcome reduceByRecentDrawsReference(RecentDrawsChoice choice, std::int32_t drawsToUse,
                                                   std::span<const Combination> draws, CandidatePool& pool) {
    Plan p = plan(ruleFor(choice, drawsToUse), 1, draws.size(), pool);
    if (p.runs == 0)
        return finished(p, pool);
    auto n = static_cast<std::int32_t>(draws.size());
    std::int32_t d = p.runs;
    if (p.rule.runSize == 1) {
        while (d > 0 && pool.storedCount() > 0) {
            n = n - 1;
            removeRowByRow(pool, std::array{&draws[n]}, p.rule.threshold);
            d = d - 1;
        }
    } else {
        // The window of slots A, B, C moves one draw back in time per step; A is the newest.
        const Combination* a = nullptr;
        const Combination* b = &draws[n - 1];
        const Combination* c = &draws[n - 2];
        std::int32_t i = n - 3;
        while (d > 0 && pool.storedCount() > 0) {
            a = b;
            b = c;
            c = &draws[i];
            i = i - 1;
            removeRowByRow(pool, std::array{c, b, a}, p.rule.threshold);
            d = d - 1;
        }
    }
    return finished(p, pool);
}

PostProcessingOutcome reduceByLastDrawsReference(LastDrawsChoice choice, std::span<const Combination> draws,
                                                 CandidatePool& pool) {
    Plan p = plan(ruleFor(choice), 2, draws.size(), pool);
    if (p.runs == 0)
        return finished(p, pool);
    const std::size_t n = draws.size();
    if (p.rule.runSize == 1)
        removeRowByRow(pool, std::array{&draws[n - 1]}, p.rule.threshold);
    else
        removeRowByRow(pool, std::array{&draws[n - 1], &draws[n - 2]}, p.rule.threshold);
    return finished(p, pool);
}

} // namespace selektor
