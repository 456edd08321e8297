#pragma once

// " Systemy gwarancyjne ": the full system, or a greedy packing of the pool in pool order in which no
// two kept combinations share the guarantee's number of Numbers or more.

#include "core/CandidatePool.h"
#include "generator/LotterySystem.h"

#include <cstdint>

namespace selektor {

// The index of the guarantee choice.
enum class GuaranteeMode : std::uint8_t {
    Full = 0, // "system pełny - gw 6"
    Gw5 = 1,  // "system skrócony - gw 5"
    Gw4 = 2,  // "system skrócony - gw 4"
    Gw3 = 3,  // "system skrócony - gw 3"
};

// The most Numbers a kept combination may share with each one kept before it: one less than the
// guarantee (4, 3, 2); the full system has no limit and gives 6.
int guaranteeOverlapLimit(GuaranteeMode mode);

struct GuaranteeOutcome {
    std::int32_t lineCount = 0;         // "Liczba kombinacji"
    bool postProcessingOffered = false; // the two "Akcja" buttons: only after a full system
};

// The build the program uses. Reads the pool's stored rows in order (the pool is not changed) and
// replaces the system with the rows it keeps. A table of the kept rows' sub-combinations answers "does
// this row conflict" in a few look-ups however many rows were kept, and rows that start with an already
// conflicting part are passed over together; where the pool stands in order, a long run of them is
// leapt over.
GuaranteeOutcome buildGuaranteeSystem(GuaranteeMode mode, const CandidatePool& pool, LotterySystem& system);

// The same result by comparing each pool row with every kept row, six Numbers by six, until the first
// conflict. The yardstick for the fast build in tests and benchmarks.
GuaranteeOutcome buildGuaranteeSystemReference(GuaranteeMode mode, const CandidatePool& pool, LotterySystem& system);

} // namespace selektor
