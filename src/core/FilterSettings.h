#pragma once

// What the player set on the nine filter tabs, and the rule by which each tab accepts a combination.
// Every table is indexed directly by the pattern value it describes; flags are bytes holding 0 or 1.

#include "core/Combination.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace selektor {

// The nine filter tabs in the order they stand on the page control.
enum class Panel : std::uint8_t { Numbers, EvenOdd, RowColumn, Sum, Edge, Dsg, Neighbours, Pairs, Gaps };
inline constexpr int kPanelCount = 9;

// Mode of the "L. sdne" tab.
enum NeighbourMode : std::uint8_t {
    AnyNeighbours = 0,
    NoNeighbours = 1,
    AtLeastOneNeighbourPair = 2,
    SelectedNeighbourPairs = 3,
};

// Roles of a number on the " Liczby  " tab.
enum NumberRole : std::uint8_t { NoGroup = 0, Favourite = 1, Basic = 2 };

inline constexpr int kMinRows = 3, kMaxRows = 5, kMinColumns = 3, kMaxColumns = 6;
inline constexpr int kLowestSumBucket = 19, kHighestSumBucket = 36;
inline constexpr int kHighestGapTemplate = 16;

struct FilterSettings {
    // Mode of each tab: the item index of its radio group; 0 accepts every combination.
    std::array<std::uint8_t, kPanelCount> modes{};

    std::array<std::uint8_t, kHighestNumber + 1> numberRole{}; // index 1..49
    std::uint8_t favouriteCount = 0;
    std::uint8_t basicCount = 0;
    // The check boxes " 0" to " 6" of the "  Zakres" box, as the player left them.
    std::array<std::uint8_t, 7> shareBoxChecked{};
    // Filled from the check boxes when the settings are checked before an enumeration.
    std::array<std::uint8_t, 7> favouriteShareAllowed{};

    std::array<std::uint8_t, 7> evenOddTemplates{};                                           // even count 0..6
    std::array<std::array<std::uint8_t, kMaxColumns + 1>, kMaxRows + 1> rowColumnTemplates{}; // [3..5][3..6]
    std::array<std::uint8_t, kHighestSumBucket + 1> sumTemplates{};                           // bucket 19..36
    std::array<std::uint8_t, 7> edgeTemplates{};                                              // edge count 0..6
    std::array<std::array<std::uint8_t, 7>, 7> dsgTemplates{};                                // [d][s], d + s <= 6
    std::array<std::uint8_t, kHighestNumber> neighbourTemplates{};                            // lower number 1..48
    std::array<std::uint8_t, 10> endingTemplates{};                                           // last digit 0..9
    std::array<std::uint8_t, kHighestGapTemplate + 1> gapTemplates{};                         // gap 1..16

    // " Opcje dodatkowe " of the " Pary   " tab, in force in its mode 1 only.
    std::uint8_t pairGroupLimit = 0;  // 0: pairs only, 1: triples too, 2: triples and quadruples
    std::uint8_t otherDigitsRule = 0; // 0: any, 1: only selected pairs, 2: other pairs too, 3: no other pairs

    std::uint8_t mode(Panel p) const { return modes[static_cast<int>(p)]; }
    void setMode(Panel p, std::uint8_t m) { modes[static_cast<int>(p)] = m; }
    bool active(Panel p) const { return mode(p) != 0; }

    friend bool operator==(const FilterSettings&, const FilterSettings&) = default;

    // Puts a number in a group (or in none), keeping the two group counts right.
    void setNumberRole(Number n, NumberRole role);
};

// Largest leading same-ending count allowed by `pairGroupLimit`.
constexpr int pairGroupCountLimit(std::uint8_t pairGroupLimit) {
    return 2 + pairGroupLimit;
}

// The " Pary   " rule for the digits other than the leading one, given how many members end in each
// digit; true when `otherDigitsRule` lets them stand.
bool otherDigitsAllowed(const FilterSettings& settings, const std::array<std::uint8_t, 10>& endingCounts,
                        int leadingDigit);

// Refuses a tab that is set to use templates while none is chosen. Returns the first failing tab's
// message, or nothing when the settings may be enumerated. Fills `favouriteShareAllowed` from the
// check boxes on the way.
std::optional<std::string> validateFilterSettings(FilterSettings& settings);

// True when every tab accepts the combination.
bool acceptsCombination(const FilterSettings& settings, const Combination& c);

// The rule of one tab alone (true in mode 0).
bool panelAccepts(const FilterSettings& settings, Panel panel, const Combination& c);

} // namespace selektor
