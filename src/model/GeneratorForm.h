#pragma once

// What the groups of the generator stage show and what the player typed or chose there. The model keeps
// it so that entering the stage and opening a file put every group back in one place, and so that a
// command reads the fields as they stood when the player clicked.

#include "core/Combination.h"
#include "generator/GuaranteeSystem.h"
#include "generator/RandomSimulation.h"
#include "generator/ResultCheck.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace selektor {

inline constexpr int kDrawsToUseAtStart = 10;

struct GeneratorForm {
    // " Systemy gwarancyjne " and " Symulacja komputerowa ".
    GuaranteeMode guaranteeChoice = GuaranteeMode::Full;
    DifferenceChoice differenceChoice = DifferenceChoice::One;
    std::string countText; // "Liczba kombinacji:", as typed (blanks for unfilled positions)
    std::string limitText; // "Limit czasowy:"

    // " Generator systemu ": blank (nothing) or a value.
    std::optional<std::int64_t> lineCount;    // "Liczba kombinacji"
    std::optional<std::int64_t> selectedLine; // "Wybrane rozw.", 1-based
    // The countdown panel "Do zakończenia" (shown while a simulation runs).
    std::optional<std::int32_t> secondsLeft;
    std::optional<Combination> drawnCandidate; // the six number labels

    // " Sprawdzanie wyników ".
    std::array<std::string, kDrawnNumbers> drawnEntries{};
    std::optional<ResultCheckOutcome> results; // nothing: blank counts and empty lists

    // " Wydruk systemu ".
    bool printSettingsShown = false;
    bool printRangeShown = false;
    std::int32_t blanksNeeded = 0; // "Potrzebnych blankietów :"
    std::string printFrom;         // "Od"
    std::string printTo;           // "Do"

    // " Obróbka systemu".
    int recentDrawsChoice = 0;
    int lastDrawsChoice = 0;
    int drawsToUse = kDrawsToUseAtStart; // "Liczba losowań"

    friend bool operator==(const GeneratorForm&, const GeneratorForm&) = default;
};

// "Liczba losowań" in three characters: a blank and the digits for 10 to 90, the bare digits from 100.
std::string drawsToUseText(int drawsToUse);

} // namespace selektor
