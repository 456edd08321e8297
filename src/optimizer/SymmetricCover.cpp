#include "optimizer/SymmetricCover.h"

#include "optimizer/CoverState.h"

#include <algorithm>
#include <climits>
#include <numeric>
#include <utility>

namespace selektor::optimizer {

namespace {

// The pool's Numbers in rising order.
std::vector<int> numbersOf(const CoverPool& pool) {
    std::uint64_t used = 0;
    for (RowIndex r = 0; r < pool.size(); ++r)
        used |= pool.mask(r);
    std::vector<int> numbers;
    for (int n = kLowestNumber; n <= kHighestNumber; ++n)
        if ((used >> n) & 1)
            numbers.push_back(n);
    return numbers;
}

int orderOf(std::span<const int> cycles) {
    int order = 1;
    for (int length : cycles)
        order = std::lcm(order, length);
    return order;
}

// A number of order `order` in the multiplicative group modulo the prime p, or 0 when there is none.
int elementOfOrder(int p, int order) {
    if ((p - 1) % order != 0)
        return 0;
    for (int a = 2; a < p; ++a) {
        int power = 1;
        int smallest = 0;
        for (int k = 1; k <= order && smallest == 0; ++k) {
            power = power * a % p;
            if (power == 1)
                smallest = k;
        }
        if (smallest == order)
            return a;
    }
    return 0;
}

bool isPrime(int n) {
    if (n < 2)
        return false;
    for (int d = 2; d * d <= n; ++d)
        if (n % d == 0)
            return false;
    return true;
}

// Visits of a relabelling start at about this much work (cover list entries read) and double with
// every visit of the same relabelling, up to 32 times as much.
constexpr double kVisitWork = 3e8;
constexpr int kLongestVisitDoubling = 5;
// Relabellings whose orbits would be more than so many in a system of the expected size are left out.
constexpr std::int64_t kMostOrbitsChosen = 50;
// Rows with more covering orbits than this have a sample of them weighed.
constexpr int kOrbitsWeighed = 48;
// The cover lists of the relabellings kept at once take at most about so many entries (4 bytes each):
// some 120 MB at most for each thread, so that two threads with the pool's own lists stay well within
// 500 MB on 19 Numbers.
constexpr std::int64_t kMostEntries = 30'000'000;

} // namespace

bool isFullPool(const CoverPool& pool) {
    const int numbers = pool.numbersUsed();
    return numbers > kNumbersPerCombination && pool.totalWeight() == pool.size() &&
           static_cast<std::uint32_t>(pool.size()) == kChoose[numbers][kNumbersPerCombination];
}

Relabelling relabellingOfCycles(std::vector<int> cycles) {
    Relabelling r;
    std::vector<int> image;
    int first = 0;
    for (int length : cycles) {
        for (int i = 0; i < length; ++i)
            image.push_back(first + (i + 1) % length);
        first += length;
    }
    r.order = orderOf(cycles);
    r.moves.push_back(std::move(image));
    r.cycles = std::move(cycles);
    return r;
}

std::vector<Relabelling> relabellingsFor(const CoverPool& pool, std::int64_t expectedTickets) {
    const int numbers = pool.numbersUsed();
    std::vector<Relabelling> candidates;
    if (numbers <= kNumbersPerCombination + 1)
        return candidates;
    for (int fixed = 0; fixed <= 2; ++fixed) {
        std::vector<int> cycles{numbers - fixed};
        cycles.insert(cycles.end(), static_cast<std::size_t>(fixed), 1);
        candidates.push_back(relabellingOfCycles(cycles));
        // On a prime number p of Numbers, the shift joined by a multiplication x -> a x modulo p: the
        // classic groups of cyclic systems, with orbits of p times the order of a.
        const int p = numbers - fixed;
        if (!isPrime(p))
            continue;
        for (int order = 2; order < p; ++order) {
            const int a = elementOfOrder(p, order);
            if (a == 0)
                continue;
            Relabelling r = candidates.back();
            std::vector<int> image(static_cast<std::size_t>(numbers));
            for (int x = 0; x < numbers; ++x)
                image[static_cast<std::size_t>(x)] = x < p ? x * a % p : x;
            r.moves.push_back(std::move(image));
            r.order = p * order;
            r.multiplier = a;
            candidates.push_back(std::move(r));
        }
    }
    // Equal cycles, with up to four Numbers left fixed.
    for (int length = numbers / 2; length >= 2; --length)
        for (int fixed = 0; fixed <= 4; ++fixed)
            if ((numbers - fixed) % length == 0 && (numbers - fixed) / length >= 2) {
                std::vector<int> cycles(static_cast<std::size_t>((numbers - fixed) / length), length);
                cycles.insert(cycles.end(), static_cast<std::size_t>(fixed), 1);
                candidates.push_back(relabellingOfCycles(std::move(cycles)));
            }
    // A system of a few tickets has no room for large orbits; one of hundreds is found sooner among
    // a few dozen large orbits than among hundreds of small ones.
    std::vector<Relabelling> fitting;
    for (auto& r : candidates)
        if (r.order * 2 <= expectedTickets && r.order * kMostOrbitsChosen >= expectedTickets &&
            OrbitPool::estimatedEntries(pool, r) <= kMostEntries)
            fitting.push_back(std::move(r));
    return fitting;
}

std::int64_t OrbitPool::estimatedEntries(const CoverPool& pool, const Relabelling& relabelling) {
    const std::int64_t orbits = pool.size() / relabelling.order + 1;
    return orbits * std::min<std::int64_t>(orbits, 2 * pool.largestCoverCount() / relabelling.order + 1);
}

OrbitPool::OrbitPool(const CoverPool& pool, const Relabelling& relabelling, const std::function<bool()>& stop) {
    // Each move of the relabelling as a table from a Number to the bit of its image.
    const std::vector<int> numbers = numbersOf(pool);
    std::vector<std::array<std::uint64_t, kHighestNumber + 1>> images(relabelling.moves.size());
    for (std::size_t m = 0; m < relabelling.moves.size(); ++m)
        for (std::size_t rank = 0; rank < numbers.size(); ++rank)
            images[m][static_cast<std::size_t>(numbers[rank])] =
                std::uint64_t{1} << numbers[static_cast<std::size_t>(relabelling.moves[m][rank])];
    auto relabelled = [](const std::array<std::uint64_t, kHighestNumber + 1>& image, std::uint64_t mask) {
        std::uint64_t result = 0;
        for (; mask != 0; mask &= mask - 1)
            result |= image[static_cast<std::size_t>(std::countr_zero(mask))];
        return result;
    };

    std::vector<std::pair<std::uint64_t, RowIndex>> byMask;
    byMask.reserve(static_cast<std::size_t>(pool.size()));
    for (RowIndex r = 0; r < pool.size(); ++r)
        byMask.emplace_back(pool.mask(r), r);
    std::sort(byMask.begin(), byMask.end());
    auto rowOf = [&byMask](std::uint64_t mask) {
        return std::lower_bound(byMask.begin(), byMask.end(), std::pair<std::uint64_t, RowIndex>{mask, 0})->second;
    };

    std::vector<std::int32_t> orbitOf(static_cast<std::size_t>(pool.size()), -1);
    m_begin.push_back(0);
    for (RowIndex r = 0; r < pool.size(); ++r) {
        if (orbitOf[r] >= 0)
            continue;
        // Every row the moves reach from r, in turn, is r's orbit.
        const auto orbit = static_cast<std::int32_t>(m_begin.size()) - 1;
        const std::size_t begin = m_members.size();
        orbitOf[r] = orbit;
        m_members.push_back(r);
        for (std::size_t next = begin; next < m_members.size(); ++next) {
            for (const auto& image : images) {
                const RowIndex member = rowOf(relabelled(image, pool.mask(m_members[next])));
                if (orbitOf[member] < 0) {
                    orbitOf[member] = orbit;
                    m_members.push_back(member);
                }
            }
        }
        m_begin.push_back(static_cast<std::int32_t>(m_members.size()));
    }

    std::vector<std::int32_t> seen(static_cast<std::size_t>(size()), -1);
    m_coverBegin.push_back(0);
    for (std::int32_t orbit = 0; orbit < size(); ++orbit) {
        if (stop && orbit % 64 == 0 && stop()) {
            *this = OrbitPool();
            return;
        }
        pool.forEachCovered(members(orbit).front(), [&](RowIndex q) {
            const std::int32_t other = orbitOf[q];
            if (seen[other] != orbit) {
                seen[other] = orbit;
                m_covers.push_back(other);
            }
        });
        m_coverBegin.push_back(static_cast<std::int64_t>(m_covers.size()));
    }
}

// The weighting search over orbits: the chosen orbits, how many of them cover each orbit of rows, and
// the penalties, kept as CoverState keeps them for tickets. An orbit of rows counts as one thing to
// cover; an orbit chosen costs its tickets.
class SymmetricSearch::Quotient {
public:
    Quotient(const OrbitPool& orbits, std::int64_t budget)
        : m_orbits(orbits), m_budget(budget), m_chosen(size(), 0), m_count(size(), 0), m_idSum(size(), 0),
          m_place(size(), 0), m_penalty(size(), 1), m_onlyPenalty(size(), 0), m_changedSinceOut(size(), 1),
          m_lastMoved(size(), 0), m_chosenPlace(size(), 0) {
        for (std::int32_t o = 0; o < m_orbits.size(); ++o) {
            m_place[o] = o;
            m_uncovered.push_back(o);
        }
    }

    bool complete() const { return m_uncovered.empty(); }
    std::span<const std::int32_t> chosen() const { return m_chosenList; }

    // Orbits go out, the least useful for their tickets first, until the chosen cost at most `budget`.
    void lowerBudget(std::int64_t budget, std::uint64_t step) {
        m_budget = budget;
        while (m_cost > m_budget && !m_chosenList.empty())
            takeOut(leastUseful(-1), step);
    }

    void step(Random& random, std::uint64_t step) {
        const std::int32_t row = m_uncovered[random.below(m_uncovered.size())];
        const std::span<const std::int32_t> covers = m_orbits.covers(row);
        std::int32_t best = -1;
        std::int64_t bestGain = 0;
        auto weigh = [&](std::int32_t o) {
            if (m_chosen[o] || !m_changedSinceOut[o])
                return;
            const std::int64_t gain = gainOf(o);
            // Gain per ticket, the one out longest among equals.
            const std::int64_t lhs = gain * m_orbits.orbitSize(best < 0 ? o : best);
            const std::int64_t rhs = bestGain * m_orbits.orbitSize(o);
            if (best < 0 || lhs > rhs || (lhs == rhs && m_lastMoved[o] < m_lastMoved[best])) {
                best = o;
                bestGain = gain;
            }
        };
        if (covers.size() <= static_cast<std::size_t>(kOrbitsWeighed)) {
            for (std::int32_t o : covers)
                weigh(o);
        } else {
            for (int i = 0; i < kOrbitsWeighed; ++i)
                weigh(covers[random.below(covers.size())]);
        }
        if (best < 0)
            best = row; // every orbit covers itself; it is not chosen, since the row is uncovered
        putIn(best, step);
        while (m_cost > m_budget)
            takeOut(leastUseful(best), step);
        for (std::int32_t u : m_uncovered)
            ++m_penalty[u];
    }

private:
    std::size_t size() const { return static_cast<std::size_t>(m_orbits.size()); }

    void touch(std::int32_t row) {
        for (std::int32_t o : m_orbits.covers(row))
            m_changedSinceOut[o] = 1;
    }

    std::int64_t gainOf(std::int32_t orbit) const {
        std::int64_t gain = 0;
        for (std::int32_t o : m_orbits.covers(orbit))
            if (m_count[o] == 0)
                gain += m_penalty[o];
        return gain;
    }

    // The chosen orbit whose loss costs the least penalty per ticket, the one in longest among equals;
    // never `keep`, unless it is the only one.
    std::int32_t leastUseful(std::int32_t keep) const {
        std::int32_t least = -1;
        for (std::int32_t o : m_chosenList) {
            if (o == keep && m_chosenList.size() > 1)
                continue;
            if (least < 0) {
                least = o;
                continue;
            }
            const std::int64_t lhs = m_onlyPenalty[o] * m_orbits.orbitSize(least);
            const std::int64_t rhs = m_onlyPenalty[least] * m_orbits.orbitSize(o);
            if (lhs < rhs || (lhs == rhs && m_lastMoved[o] < m_lastMoved[least]))
                least = o;
        }
        return least;
    }

    void putIn(std::int32_t orbit, std::uint64_t step) {
        m_chosen[orbit] = 1;
        m_lastMoved[orbit] = step;
        m_chosenPlace[orbit] = static_cast<std::int32_t>(m_chosenList.size());
        m_chosenList.push_back(orbit);
        m_cost += m_orbits.orbitSize(orbit);
        for (std::int32_t o : m_orbits.covers(orbit)) {
            const std::int32_t count = ++m_count[o];
            const std::int64_t before = m_idSum[o];
            m_idSum[o] = before + orbit;
            if (count == 1) {
                touch(o);
                const std::int32_t last = m_uncovered.back();
                m_uncovered[static_cast<std::size_t>(m_place[o])] = last;
                m_place[last] = m_place[o];
                m_uncovered.pop_back();
                m_onlyPenalty[orbit] += m_penalty[o];
            } else if (count == 2) {
                m_onlyPenalty[before] -= m_penalty[o];
            }
        }
    }

    void takeOut(std::int32_t orbit, std::uint64_t step) {
        m_chosen[orbit] = 0;
        m_lastMoved[orbit] = step;
        const std::int32_t last = m_chosenList.back();
        m_chosenList[static_cast<std::size_t>(m_chosenPlace[orbit])] = last;
        m_chosenPlace[last] = m_chosenPlace[orbit];
        m_chosenList.pop_back();
        m_cost -= m_orbits.orbitSize(orbit);
        for (std::int32_t o : m_orbits.covers(orbit)) {
            const std::int32_t count = --m_count[o];
            m_idSum[o] -= orbit;
            if (count == 0) {
                touch(o);
                m_onlyPenalty[orbit] -= m_penalty[o];
                m_place[o] = static_cast<std::int32_t>(m_uncovered.size());
                m_uncovered.push_back(o);
            } else if (count == 1) {
                m_onlyPenalty[m_idSum[o]] += m_penalty[o];
            }
        }
        m_changedSinceOut[orbit] = 0;
    }

    const OrbitPool& m_orbits;
    std::int64_t m_budget;
    std::int64_t m_cost = 0;
    std::vector<std::uint8_t> m_chosen;
    std::vector<std::int32_t> m_count;
    std::vector<std::int64_t> m_idSum; // per orbit of rows: the sum of the chosen orbits covering it
    std::vector<std::int32_t> m_place; // per orbit of rows: its place in m_uncovered
    std::vector<std::int32_t> m_uncovered;
    std::vector<std::int64_t> m_penalty;
    std::vector<std::int64_t> m_onlyPenalty;
    // Per orbit: whether some orbit of rows it covers has been covered or uncovered since it was last
    // taken out; until then it would only come back to the place it left.
    std::vector<std::uint8_t> m_changedSinceOut;
    std::vector<std::uint64_t> m_lastMoved;
    std::vector<std::int32_t> m_chosenList;
    std::vector<std::int32_t> m_chosenPlace;
};

SymmetricSearch::SymmetricSearch(const CoverPool& pool, std::span<const RowIndex> start, std::uint64_t seed,
                                 std::vector<Relabelling> relabellings, std::size_t first, std::function<bool()> stop)
    : m_pool(pool), m_stop(std::move(stop)), m_random(seed), m_relabellings(std::move(relabellings)),
      m_next(first % m_relabellings.size()), m_kept(m_relabellings.size()), m_madeOwn(m_relabellings.size(), INT64_MAX),
      m_ownVisits(m_relabellings.size(), 0), m_bestValue(static_cast<std::int64_t>(start.size())),
      m_bestTickets(start.begin(), start.end()) {
    m_done = m_bestValue <= pool.lowerBound();
}

SymmetricSearch::~SymmetricSearch() = default;

bool SymmetricSearch::beginVisit() {
    // Every relabelling once, in turn; then two visits of three go to the one whose orbits have made the
    // smallest system (the fewest visits among equals), the third to the next in turn, so that none is
    // given up for good.
    const std::size_t count = m_relabellings.size();
    std::size_t current = m_next;
    if (m_visits < count || m_visits % 3 == 2) {
        m_next = (m_next + 1) % count;
    } else {
        for (std::size_t i = 0; i < count; ++i)
            if (m_madeOwn[i] < m_madeOwn[current] ||
                (m_madeOwn[i] == m_madeOwn[current] && m_ownVisits[i] < m_ownVisits[current]))
                current = i;
    }
    const auto round = static_cast<int>(m_ownVisits[current]++);
    ++m_visits;
    m_current = current;
    const Relabelling& relabelling = m_relabellings[current];
    Kept& kept = m_kept[current];
    if (!kept.orbits) {
        // Room for this relabelling's lists: the others' go, and are built again at their next visit.
        if (m_keptEntries + OrbitPool::estimatedEntries(m_pool, relabelling) > kMostEntries) {
            for (Kept& other : m_kept)
                other = Kept{};
            m_keptEntries = 0;
        }
        kept.orbits = std::make_unique<OrbitPool>(m_pool, relabelling, m_stop);
        if (kept.orbits->size() == 0) {
            kept.orbits.reset();
            return false;
        }
        kept.quotient = std::make_unique<Quotient>(*kept.orbits, m_bestValue - 1);
        m_keptEntries += kept.orbits->entries();
    }
    m_orbits = kept.orbits.get();
    m_quotient = kept.quotient.get();
    m_quotient->lowerBudget(m_bestValue - 1, m_steps);

    // About as much work in every visit, whatever the orbits: a step reads the cover lists of the
    // orbits weighed.
    const double entries = static_cast<double>(m_orbits->entries()) / m_orbits->size();
    const double perStep = entries * std::min(entries, static_cast<double>(kOrbitsWeighed)) + 1;
    const double steps = std::clamp(kVisitWork / perStep, 1000.0, 2e6);
    m_visitLeft = static_cast<std::uint64_t>(steps) << std::min(round, kLongestVisitDoubling);
    return true;
}

void SymmetricSearch::keepCover() {
    std::vector<RowIndex> tickets;
    for (std::int32_t orbit : m_quotient->chosen())
        for (RowIndex r : m_orbits->members(orbit))
            tickets.push_back(r);
    tickets = withoutUnneededTickets(m_pool, tickets);
    m_madeOwn[m_current] = std::min(m_madeOwn[m_current], static_cast<std::int64_t>(tickets.size()));
    if (static_cast<std::int64_t>(tickets.size()) < m_bestValue) {
        m_bestValue = static_cast<std::int64_t>(tickets.size());
        m_bestTickets = std::move(tickets);
    }
    if (m_bestValue <= m_pool.lowerBound())
        m_done = true;
}

std::uint64_t SymmetricSearch::run(std::uint64_t steps) {
    std::uint64_t taken = 0;
    for (; taken < steps && !m_done; ++taken) {
        if (m_visitLeft == 0 && !beginVisit())
            break;
        --m_visitLeft;
        ++m_steps;
        m_quotient->step(m_random, m_steps);
        if (m_quotient->complete()) {
            keepCover();
            m_quotient->lowerBudget(m_bestValue - 1, m_steps);
        }
    }
    return taken;
}

std::vector<RowIndex> withoutUnneededTickets(const CoverPool& pool, std::span<const RowIndex> tickets) {
    CoverState state(pool, tickets);
    for (int slot = state.ticketCount() - 1; slot >= 0; --slot)
        if (state.coveredOnlyBy(slot).empty())
            state.remove(slot);
    return {state.tickets().begin(), state.tickets().end()};
}

} // namespace selektor::optimizer
