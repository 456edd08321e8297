#include "analysis/SystemHistory.h"

#include "analysis/AnalysisTexts.h"
#include "analysis/SubsetIndex.h"

#include <algorithm>
#include <span>
#include <tuple>

namespace selektor {

namespace {

using LinesByHits = std::array<std::int32_t, 7>;

// What both checks share around the counting of one draw's lines: the refusals, the draws' own fields
// and the figures made from every draw's lines by hits.
template <class CountLines>
SystemHistoryCheck checkWith(const LotterySystem& system, const DrawHistory& history, CountLines&& countLines) {
    SystemHistoryCheck check;
    if ((check.refusal = systemRefusal(system)))
        return check;
    const HistoryDraws range = historyDraws(history);
    if ((check.refusal = range.refusal))
        return check;

    check.systemLines = static_cast<std::int32_t>(system.size());
    check.draws.reserve(range.end - range.first);
    for (std::size_t i = range.first; i < range.end; ++i) {
        const DrawRecord& record = history.records[i];
        DrawAgainstSystem& draw = check.draws.emplace_back();
        draw.index = i;
        draw.drawNumber = record.drawNumber;
        draw.date = drawDate(history, i);
        draw.numbers = record.numbers;
        countLines(record.numbers, draw.linesByHits);
        for (int h = kNumbersPerCombination; h >= 0; --h)
            if (draw.linesByHits[h] > 0) {
                draw.bestHits = h;
                break;
            }
        for (int h = 3; h <= kNumbersPerCombination; ++h) {
            check.byHits[h].drawsWithLine += draw.linesByHits[h] > 0 ? 1 : 0;
            check.byHits[h].lines += draw.linesByHits[h];
        }
    }

    const auto rank = [&](std::size_t k) {
        const LinesByHits& n = check.draws[k].linesByHits;
        return std::make_tuple(n[6], n[5], n[4], n[3], k);
    };
    for (std::size_t k = 0; k < check.draws.size(); ++k)
        if (check.draws[k].bestHits >= 3)
            check.bestDraws.push_back(k);
    const std::size_t listed = std::min(kBestDrawsListed, check.bestDraws.size());
    std::partial_sort(check.bestDraws.begin(), check.bestDraws.begin() + static_cast<std::ptrdiff_t>(listed),
                      check.bestDraws.end(), [&](std::size_t a, std::size_t b) { return rank(a) > rank(b); });
    check.bestDraws.resize(listed);
    return check;
}

// The system's lines counted by their k-number parts. For a draw, adding up the counts of its own
// k-number parts gives the sum over all lines of C(h, k), h being the line's hits; these seven sums
// (k = 0 to 6) determine how many lines have exactly h hits.
class PartCounts {
public:
    explicit PartCounts(std::span<const Combination> lines) : m_lineCount(static_cast<std::int64_t>(lines.size())) {
        for (int k = 1; k < subsets::kLargest; ++k)
            m_counts[k].assign(subsets::setCount(k), 0);
        m_wholes.reserve(lines.size());
        for (const Combination& line : lines) {
            const subsets::PartTerms terms(line);
            count<1>(terms);
            count<2>(terms);
            count<3>(terms);
            count<4>(terms);
            count<5>(terms);
            terms.forEachPart<6>([&](std::uint32_t number) { m_wholes.push_back(number); });
        }
        // The six-number parts would need a table of all 13,983,816 sets; the lines' own numbers, in
        // order, serve as well.
        std::sort(m_wholes.begin(), m_wholes.end());
    }

    void linesByHits(const Combination& draw, LinesByHits& lines) const {
        const subsets::PartTerms terms(draw);
        std::array<std::int64_t, subsets::kLargest + 1> sums{};
        sums[0] = m_lineCount;
        sums[1] = sum<1>(terms);
        sums[2] = sum<2>(terms);
        sums[3] = sum<3>(terms);
        sums[4] = sum<4>(terms);
        sums[5] = sum<5>(terms);
        terms.forEachPart<6>([&](std::uint32_t number) {
            const auto [from, to] = std::equal_range(m_wholes.begin(), m_wholes.end(), number);
            sums[6] = to - from;
        });
        // sums[k] is the sum over h of lines[h] * C(h, k); turned back by the alternating sum.
        for (int h = 0; h <= subsets::kLargest; ++h) {
            std::int64_t n = 0;
            for (int k = h; k <= subsets::kLargest; ++k)
                n += ((k - h) % 2 == 0 ? 1 : -1) * static_cast<std::int64_t>(subsets::kChoose[k][h]) * sums[k];
            lines[h] = static_cast<std::int32_t>(n);
        }
    }

private:
    template <int K> void count(const subsets::PartTerms& terms) {
        std::vector<std::int32_t>& counts = m_counts[K];
        terms.forEachPart<K>([&](std::uint32_t number) { ++counts[number]; });
    }
    template <int K> std::int64_t sum(const subsets::PartTerms& terms) const {
        const std::vector<std::int32_t>& counts = m_counts[K];
        std::int64_t total = 0;
        terms.forEachPart<K>([&](std::uint32_t number) { total += counts[number]; });
        return total;
    }

    std::int64_t m_lineCount;
    std::array<std::vector<std::int32_t>, subsets::kLargest> m_counts; // k = 1 to 5: lines holding each set
    std::vector<std::uint32_t> m_wholes;                               // every line's own number, rising
};

} // namespace

SystemHistoryCheck checkSystemOnHistory(const LotterySystem& system, const DrawHistory& history) {
    std::optional<PartCounts> parts;
    return checkWith(system, history, [&](const Combination& draw, LinesByHits& lines) {
        // Built with the first draw, once the system and the history have been found usable.
        if (!parts)
            parts.emplace(system.tickets());
        parts->linesByHits(draw, lines);
    });
}

SystemHistoryCheck checkSystemOnHistoryReference(const LotterySystem& system, const DrawHistory& history) {
    return checkWith(system, history, [&](const Combination& draw, LinesByHits& lines) {
        for (const Combination& line : system.tickets())
            ++lines[subsets::commonNumbers(draw, line)];
    });
}

} // namespace selektor
