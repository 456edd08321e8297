#pragma once

// Covers of a full pool (every six of its Numbers) made of whole orbits: a relabelling of the Numbers
// (in cycles, or a shift joined by a multiplication) maps the pool onto itself and a cover onto a cover, so a ticket
// can stand for every ticket it becomes under the relabelling, and a row for every row it becomes. The search then
// chooses among a few hundred or thousand orbits instead of tens of thousands of tickets, and many of the smallest
// known systems are built just so. Only a pool that really holds every six of its Numbers is searched this way; a
// filtered pool is not mapped onto itself by any relabelling.

#include "optimizer/CoverPool.h"
#include "optimizer/LocalSearch.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace selektor::optimizer {

// Whether the pool holds every six of the Numbers it uses, each once.
bool isFullPool(const CoverPool& pool);

// A group of relabellings of the pool's Numbers, given by the moves that make it: each move maps the
// rank of a Number (0 for the lowest of the pool) to the rank of its image.
struct Relabelling {
    std::vector<std::vector<int>> moves;
    int order = 1;           // how many relabellings the moves make together
    std::vector<int> cycles; // the first move's cycle lengths, over the ranks in rising order
    int multiplier = 0;      // the second move multiplies the first cycle's ranks by this, or none
};

// One move in cycles of the given lengths over the ranks in rising order: each Number goes one place on
// in its cycle, the last back to the first.
Relabelling relabellingOfCycles(std::vector<int> cycles);

// The relabellings tried on a full pool for systems of about `expectedTickets`: one long cycle over the
// pool's Numbers, or over all but one or two left fixed (joined, when it is of a prime length, by each
// multiplication that keeps it), and equal cycles with up to four left fixed; each with few enough
// relabellings that a system of that size still holds a few orbits, enough that it needs no more than
// some fifty, and orbits coarse enough that their lists fit the memory.
std::vector<Relabelling> relabellingsFor(const CoverPool& pool, std::int64_t expectedTickets);

// The orbits of the pool's rows under a group of relabellings, and which orbits cover which:
// orbit A covers orbit B when some ticket of A covers some row of B, and then every row of B is covered
// by some ticket of A, since relabelling both keeps the Numbers they share.
class OrbitPool {
public:
    // Building the lists of a fine relabelling on a dense pool takes most of a second; when `stop` says
    // so meanwhile ("Stop", or the time is up), the building is given up and the orbits are none.
    OrbitPool(const CoverPool& pool, const Relabelling& relabelling, const std::function<bool()>& stop = {});

    std::int32_t size() const { return static_cast<std::int32_t>(m_begin.size()) - 1; }
    // How many tickets (or rows) the orbit holds.
    std::int32_t orbitSize(std::int32_t orbit) const { return m_begin[orbit + 1] - m_begin[orbit]; }
    std::span<const RowIndex> members(std::int32_t orbit) const {
        return {m_members.data() + m_begin[orbit], m_members.data() + m_begin[orbit + 1]};
    }
    // The orbits the orbit covers, which are the orbits that cover it.
    std::span<const std::int32_t> covers(std::int32_t orbit) const {
        return {m_covers.data() + m_coverBegin[orbit], m_covers.data() + m_coverBegin[orbit + 1]};
    }
    // The entries the cover lists would take, worked out before building them, so that a relabelling
    // too fine for the memory is never built.
    static std::int64_t estimatedEntries(const CoverPool& pool, const Relabelling& relabelling);
    std::int64_t entries() const { return static_cast<std::int64_t>(m_covers.size()); }

private:
    OrbitPool() : m_begin{0}, m_coverBegin{0} {}

    std::vector<std::int32_t> m_begin; // per orbit, into m_members
    std::vector<RowIndex> m_members;
    std::vector<std::int64_t> m_coverBegin;
    std::vector<std::int32_t> m_covers;
};

// A search over covers made of whole orbits, visiting one relabelling after another: each once in turn,
// then mostly the one whose orbits made the smallest system, each visit of a relabelling twice as long
// as its last. Within a relabelling it is the weighting search, with the orbits' sizes as the tickets
// they cost, where an orbit taken out comes back only once something near it has changed: whenever the chosen orbits
// cover everything, their tickets (less any that others make unneeded) are kept if fewer than the best, and orbits are
// taken out until they cost less than the best again. Only the fewest tickets are sought.
//
// As LocalSearch, everything depends only on the pool, the seed and the number of steps taken.
class SymmetricSearch {
public:
    // The relabellings are visited in turn from the one at `first` (taken modulo their number), so
    // that threads searching side by side begin at different ones; there must be at least one. `stop`,
    // when given, cuts short the building of a relabelling's lists; run() then returns early.
    SymmetricSearch(const CoverPool& pool, std::span<const RowIndex> start, std::uint64_t seed,
                    std::vector<Relabelling> relabellings, std::size_t first = 0, std::function<bool()> stop = {});
    ~SymmetricSearch();

    std::uint64_t run(std::uint64_t steps);
    bool done() const { return m_done; }
    std::int64_t bestValue() const { return m_bestValue; }
    std::vector<RowIndex> bestTickets() const { return m_bestTickets; }

private:
    class Quotient;
    bool beginVisit();
    void keepCover();

    const CoverPool& m_pool;
    std::function<bool()> m_stop;
    Random m_random;
    std::vector<Relabelling> m_relabellings;
    std::size_t m_next = 0;
    std::uint64_t m_steps = 0;
    std::uint64_t m_visits = 0;
    std::uint64_t m_visitLeft = 0;
    // Each relabelling's orbits and search, kept from one visit to the next while memory allows, so
    // that a visit goes on where the last one stopped.
    struct Kept {
        std::unique_ptr<OrbitPool> orbits;
        std::unique_ptr<Quotient> quotient;
    };
    std::vector<Kept> m_kept;
    std::vector<std::int64_t> m_madeOwn; // per relabelling: the fewest tickets its orbits have made
    std::vector<std::uint64_t> m_ownVisits;
    std::size_t m_current = 0;
    std::int64_t m_keptEntries = 0;
    OrbitPool* m_orbits = nullptr;
    Quotient* m_quotient = nullptr;
    bool m_done = false;
    std::int64_t m_bestValue = 0;
    std::vector<RowIndex> m_bestTickets;
};

// Takes out, one by one, tickets that no row needs (each row they cover is covered by another), the
// last ones first.
std::vector<RowIndex> withoutUnneededTickets(const CoverPool& pool, std::span<const RowIndex> tickets);

} // namespace selektor::optimizer
