#include "analysis/SystemOdds.h"

#include "analysis/AnalysisTexts.h"
#include "analysis/SubsetIndex.h"
#include "analysis/SystemCoverage.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

namespace selektor {

namespace {

using Bits = std::uint64_t; // bit n stands for the Number n

constexpr Bits bitOf(int n) {
    return Bits{1} << n;
}

// Every Number 1 to 49.
constexpr Bits kEveryNumber = ((Bits{1} << (kHighestNumber + 1)) - 1) & ~Bits{1};

// The Numbers above n.
constexpr Bits above(int n) {
    return kEveryNumber & ~((bitOf(n) << 1) - 1);
}

bool has(Bits bits, int n) {
    return ((bits >> n) & 1) != 0;
}

// For every (k - 1)-number part of some line, k = 2 to 5, the Numbers that make it a k-number part of
// the same line: a draw holding the part and one of those Numbers has k hits on that line.
class Completions {
public:
    explicit Completions(const std::vector<Combination>& tickets)
        : m_toTwo(subsets::setCount(1)), m_toThree(subsets::setCount(2)), m_toFour(subsets::setCount(3)),
          m_toFive(subsets::setCount(4)) {
        for (const Combination& ticket : tickets) {
            Bits line = 0;
            for (Number n : ticket)
                line |= bitOf(n);
            m_single |= line;
            const subsets::PartTerms terms(ticket);
            complete<1>(terms, ticket, line, m_toTwo);
            complete<2>(terms, ticket, line, m_toThree);
            complete<3>(terms, ticket, line, m_toFour);
            complete<4>(terms, ticket, line, m_toFive);
        }
    }

    Bits single() const { return m_single; }
    Bits toTwo(std::uint32_t part) const { return m_toTwo[part]; }
    Bits toThree(std::uint32_t part) const { return m_toThree[part]; }
    Bits toFour(std::uint32_t part) const { return m_toFour[part]; }
    Bits toFive(std::uint32_t part) const { return m_toFive[part]; }

private:
    template <int K>
    static void complete(const subsets::PartTerms& terms, const Combination& ticket, Bits line,
                         std::vector<Bits>& table) {
        for (const auto& positions : subsets::kPartPositions<K>) {
            std::uint32_t number = 0;
            Bits part = 0;
            for (int t = 0; t < K; ++t) {
                number += terms.term[positions[t]][t + 1];
                part |= bitOf(ticket[positions[t]]);
            }
            table[number] |= line & ~part;
        }
    }

    Bits m_single = 0;
    std::vector<Bits> m_toTwo, m_toThree, m_toFour, m_toFive;
};

// What the first Numbers of a draw already decide. For k = 1 to 5: `sure[k]`, some line holds k of
// them; `next[k]`, the Numbers that, added to them, make k hits on some line. The parts of up to three
// of the first Numbers are kept by their numbers, to look up what the next Number completes.
struct Prefix {
    std::array<bool, 6> sure{};
    std::array<Bits, 6> next{};
    int size = 0;
    std::array<std::uint32_t, 4> singles{};
    std::array<std::uint32_t, 6> pairs{};
    std::array<std::uint32_t, 4> triples{};
    int pairCount = 0, tripleCount = 0;
};

Prefix extend(const Prefix& p, int n, const Completions& c) {
    using subsets::kChoose;
    Prefix q = p;
    for (int k = 1; k <= 5; ++k)
        q.sure[k] = p.sure[k] || has(p.next[k], n);
    q.next[2] |= c.toTwo(static_cast<std::uint32_t>(n - 1));
    for (int i = 0; i < p.size; ++i)
        q.next[3] |= c.toThree(p.singles[i] + kChoose[n - 1][2]);
    for (int i = 0; i < p.pairCount; ++i)
        q.next[4] |= c.toFour(p.pairs[i] + kChoose[n - 1][3]);
    for (int i = 0; i < p.tripleCount; ++i)
        q.next[5] |= c.toFive(p.triples[i] + kChoose[n - 1][4]);
    // The parts the new Number makes with the Numbers before it; only those of up to three Numbers among
    // the first four are ever looked up.
    if (p.size < 4) {
        for (int i = 0; i < p.pairCount && q.tripleCount < 4; ++i)
            q.triples[q.tripleCount++] = p.pairs[i] + kChoose[n - 1][3];
        for (int i = 0; i < p.size; ++i)
            q.pairs[q.pairCount++] = p.singles[i] + kChoose[n - 1][2];
        q.singles[q.size] = static_cast<std::uint32_t>(n - 1);
    }
    ++q.size;
    return q;
}

std::vector<Combination> distinctTickets(const LotterySystem& system) {
    std::vector<Combination> tickets(system.tickets().begin(), system.tickets().end());
    std::sort(tickets.begin(), tickets.end());
    tickets.erase(std::unique(tickets.begin(), tickets.end()), tickets.end());
    return tickets;
}

// Draws with k or more hits on their best line, k = 0 to 5, over all draws.
std::array<std::int64_t, 6> atLeastOverAllDraws(const std::vector<Combination>& tickets) {
    const Completions completions(tickets);
    Prefix start;
    start.next[1] = completions.single();
    std::array<std::int64_t, 6> atLeast{};
    for (int a = 1; a <= kHighestNumber - 5; ++a) {
        const Prefix pa = extend(start, a, completions);
        for (int b = a + 1; b <= kHighestNumber - 4; ++b) {
            const Prefix pb = extend(pa, b, completions);
            for (int c = b + 1; c <= kHighestNumber - 3; ++c) {
                const Prefix pc = extend(pb, c, completions);
                for (int d = c + 1; d <= kHighestNumber - 2; ++d) {
                    const Prefix pd = extend(pc, d, completions);
                    for (int e = d + 1; e <= kHighestNumber - 1; ++e) {
                        const Prefix pe = extend(pd, e, completions);
                        // Every sixth Number above e ends a draw with these five.
                        const Bits sixth = above(e);
                        const int draws = std::popcount(sixth);
                        atLeast[0] += draws;
                        for (int k = 1; k <= 5; ++k)
                            atLeast[k] += pe.sure[k] ? draws : std::popcount(pe.next[k] & sixth);
                    }
                }
            }
        }
    }
    return atLeast;
}

double totalDraws() {
    return static_cast<double>(kAllCombinations);
}

} // namespace

std::int64_t singleTicketDraws(int hits) {
    if (hits < 0 || hits > kNumbersPerCombination)
        return 0;
    constexpr int kOthers = kHighestNumber - kNumbersPerCombination;
    return std::int64_t{subsets::kChoose[kNumbersPerCombination][hits]} *
           subsets::kChoose[kOthers][kNumbersPerCombination - hits];
}

std::array<double, kNumbersPerCombination + 1> randomTicketsChance(std::int64_t tickets) {
    std::array<double, kNumbersPerCombination + 1> chance{};
    // atLeast[k]: the chance that some ticket has k or more hits.
    std::array<double, kNumbersPerCombination + 2> atLeast{};
    std::int64_t draws = 0;
    for (int k = kNumbersPerCombination; k >= 0; --k) {
        draws += singleTicketDraws(k);
        const double one = static_cast<double>(draws) / totalDraws();
        // 1 - (1 - p)^N without losing the small chances of thousands of tickets.
        atLeast[k] = one >= 1.0 ? 1.0 : -std::expm1(static_cast<double>(tickets) * std::log1p(-one));
    }
    if (tickets <= 0)
        atLeast = {};
    for (int k = 0; k <= kNumbersPerCombination; ++k)
        chance[k] = atLeast[k] - atLeast[k + 1];
    return chance;
}

SystemOdds systemOdds(const LotterySystem& system, const CandidatePool* pool,
                      std::optional<std::string> noPoolSentence) {
    SystemOdds odds;
    if ((odds.refusal = systemRefusal(system)))
        return odds;
    const std::vector<Combination> tickets = distinctTickets(system);
    odds.systemLines = static_cast<std::int32_t>(system.size());
    odds.distinctTickets = static_cast<std::int32_t>(tickets.size());

    const std::array<std::int64_t, 6> atLeast = atLeastOverAllDraws(tickets);
    for (int k = 0; k < 5; ++k)
        odds.allDraws[k] = atLeast[k] - atLeast[k + 1];
    // A draw has six hits exactly when it is one of the tickets.
    odds.allDraws[5] = atLeast[5] - odds.distinctTickets;
    odds.allDraws[6] = odds.distinctTickets;
    odds.randomChance = randomTicketsChance(odds.systemLines);

    if (!pool) {
        odds.poolRefusal = noPoolSentence ? std::move(noPoolSentence) : std::optional<std::string>(kEmptyPoolMessage);
        return odds;
    }
    const SystemCoverage coverage = measureCoverage(system, *pool);
    if (coverage.refusal) {
        odds.poolRefusal = coverage.refusal;
        return odds;
    }
    odds.poolRows = static_cast<std::int32_t>(coverage.poolRows.size());
    for (int k = 0; k <= kNumbersPerCombination; ++k)
        odds.poolDraws[k] =
            coverage.coveredAtLeast[k] - (k < kNumbersPerCombination ? coverage.coveredAtLeast[k + 1] : 0);
    return odds;
}

BestLineCounts bestLineCountsReference(const LotterySystem& system, std::uint32_t drawStep) {
    std::vector<Bits> lines;
    lines.reserve(system.size());
    for (const Combination& ticket : system.tickets()) {
        Bits line = 0;
        for (Number n : ticket)
            line |= bitOf(n);
        lines.push_back(line);
    }
    BestLineCounts counts{};
    const std::uint32_t step = std::max<std::uint32_t>(drawStep, 1);
    std::uint32_t untilNext = 0;
    for (int a = 1; a <= 44; ++a)
        for (int b = a + 1; b <= 45; ++b)
            for (int c = b + 1; c <= 46; ++c)
                for (int d = c + 1; d <= 47; ++d)
                    for (int e = d + 1; e <= 48; ++e)
                        for (int f = e + 1; f <= 49; ++f) {
                            if (untilNext-- != 0)
                                continue;
                            untilNext = step - 1;
                            const Bits draw = bitOf(a) | bitOf(b) | bitOf(c) | bitOf(d) | bitOf(e) | bitOf(f);
                            int best = 0;
                            for (Bits line : lines)
                                best = std::max(best, std::popcount(draw & line));
                            ++counts[best];
                        }
    return counts;
}

std::string oddsText(double chance) {
    if (!(chance > 0))
        return "-";
    const double inverse = 1.0 / chance;
    // Small figures keep two decimals ("1 : 2,35"), large ones are whole with their thousands set apart.
    if (inverse < 100) {
        const auto hundredths = static_cast<std::int64_t>(std::llround(inverse * 100));
        const std::int64_t fraction = hundredths % 100;
        return "1 : " + std::to_string(hundredths / 100) + (fraction < 10 ? ",0" : ",") + std::to_string(fraction);
    }
    std::string digits = std::to_string(std::llround(inverse));
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ' ');
    return "1 : " + digits;
}

std::string oddsText(std::int64_t part, std::int64_t whole) {
    if (part <= 0 || whole <= 0)
        return "-";
    return oddsText(static_cast<double>(part) / static_cast<double>(whole));
}

} // namespace selektor
