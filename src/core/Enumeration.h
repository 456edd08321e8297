#pragma once

// "Oblicz": every six-of-49 combination in ascending lexicographic order, counted when all nine tabs
// accept it; the first 30000 are kept as the candidate pool.

#include "core/CandidatePool.h"
#include "core/FilterSettings.h"

#include <optional>
#include <string>

namespace selektor {

// The straightforward enumeration: nested loops, tabs consulted in the order " Liczby  ", " P - N  ",
// "  Suma  ", " Brzeg  ", " D S G  ", "L. sdne", " Odlg   ", " Pary   ", " W - K  ". Kept as the
// yardstick for the fast one. Writes the pool's rows and count.
void enumerateReference(const FilterSettings& settings, CandidatePool& pool);

// The enumeration the program uses: same count, same rows, far less work per combination.
void enumerateFast(const FilterSettings& settings, CandidatePool& pool);

struct CountOutcome {
    std::optional<std::string> refusal; // the first failing tab's message; nothing was enumerated
    bool finalStageAllowed = false;     // 1..30000 combinations passed (also after a refusal)
};

// Checks the settings and, when they pass, enumerates into the pool. A refusal keeps the pool and its
// count from the previous run.
CountOutcome countCombinations(FilterSettings& settings, CandidatePool& pool);

} // namespace selektor
