#pragma once

// " Obróbka systemu": the candidate pool loses every combination that resembles recent draws too
// closely, and what remains is the new full system. The pool changes in place: a removed row's place is
// taken by the last row, so the rows that stay change their order as well, and the order the player sees
// is the one the draws, taken newest first and each scanning the pool from its last row up, leave.

#include "core/CandidatePool.h"
#include "core/Combination.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace selektor {

// "Liczba losowań": the spinner's range and step.
inline constexpr std::int32_t kFewestDrawsToUse = 10;
inline constexpr std::int32_t kMostDrawsToUse = 500;
inline constexpr std::int32_t kDrawsToUseStep = 10;

// The choice beside "Liczba losowań", by its index in the list.
enum class RecentDrawsChoice : std::uint8_t {
    Triples = 0,     // "trójki z ostatnich losowań": 3 or more Numbers shared with one draw
    Quadruples = 1,  // "czwórki z ostatnich losowań": 4 or more shared with one draw
    FiveOfThree = 2, // "5 liczb z trzech sąsiednich": 5 or more occurring in three consecutive draws
    SixOfThree = 3,  // "6 liczb z trzech sąsiednich": all 6 occurring in three consecutive draws
};

// The choice of the second tool, by its index in the list.
enum class LastDrawsChoice : std::uint8_t {
    MoreThanOne = 0,        // "więcej niż jedną liczbę z ostatniego los.": 2 or more with the newest draw
    MoreThanTwo = 1,        // "więcej niż dwie liczby z ostatniego los.": 3 or more with the newest draw
    MoreThanThreeOfTwo = 2, // "więcej niż trzy liczby z dwóch ostatnich ": 4 or more in either of the two
};

struct PostProcessingOutcome {
    // False when the tool did nothing: the pool was too small for it, or the history holds too few draws
    // for a single comparison. The pool is then as it was and the stage stays as it stands.
    bool ran = false;
    // How many of the newest draws the tool took in, and how many the choice asks for (for the windows of
    // three draws, the windows and the two draws before the oldest window). With a short history the tool
    // works with the draws there are.
    std::int32_t drawsUsed = 0;
    std::int32_t drawsWanted = 0;
    std::int32_t lineCount = 0; // "Liczba kombinacji": the pool's rows afterwards
    // Set when the history held fewer draws than wanted: one sentence for a message box.
    std::optional<std::string> message;

    friend bool operator==(const PostProcessingOutcome&, const PostProcessingOutcome&) = default;
};

// The first "Akcja" button. `draws` are the history's draws in file order, the newest last; `drawsToUse`
// is the spinner's value, held to its range. Does nothing for an empty pool.
PostProcessingOutcome reduceByRecentDraws(RecentDrawsChoice choice, std::int32_t drawsToUse,
                                          std::span<const Combination> draws, CandidatePool& pool);

// The second "Akcja" button: the newest draw, or the two newest together. Does nothing for a pool of one
// row or none.
PostProcessingOutcome reduceByLastDraws(LastDrawsChoice choice, std::span<const Combination> draws,
                                        CandidatePool& pool);

// The same results by the plain loops: for every draw or window, every row from the last to the first is
// compared Number by Number and removed on the spot. The yardstick for the two above in tests and
// benchmarks.
PostProcessingOutcome reduceByRecentDrawsReference(RecentDrawsChoice choice, std::int32_t drawsToUse,
                                                   std::span<const Combination> draws, CandidatePool& pool);
PostProcessingOutcome reduceByLastDrawsReference(LastDrawsChoice choice, std::span<const Combination> draws,
                                                 CandidatePool& pool);

} // namespace selektor
