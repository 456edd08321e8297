#pragma once

// What the generator stage keeps outside its widgets: the current system as combinations and as the
// lines of the generator list, the two flags, and the step counter of the save-button flash.

#include "core/Combination.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace selektor {

// As many rows as the candidate pool, so any system drawn from the pool fits.
inline constexpr std::int32_t kSystemCapacity = 30000;

struct GeneratorState {
    // The accepted combinations of the last guarantee build or simulation, rows[0 .. systemCount - 1]
    // in acceptance order. The full system ("gw 6") leaves it alone: it is the pool itself.
    std::array<Combination, kSystemCapacity> systemTable{};
    std::int32_t systemCount = 0;

    // The lines shown in the list, in order. Normally system lines; a list opened from a file holds the
    // file's lines as they stood, as 8-bit text.
    std::vector<std::string> generatorList;

    // 1: the list needs no offer to save (start-up, saved, offered); 0: a newly built system.
    std::uint8_t systemSaved = 1;
    // 1 while a random simulation runs.
    std::uint8_t generatorRunning = 0;
    // Steps of the current save-button flash.
    std::int32_t flashStep = 0;
};

// "Etap końcowy": an empty list, nothing pending to save, no simulation running.
void enterFinalStage(GeneratorState& state);

// The generators end by drawing attention to the save button: the step counter restarts and the
// window starts its 200 ms flash timer.
void startFlash(GeneratorState& state);

// One 200 ms tick of the save-button flash, decided from the step value on entry.
struct FlashTick {
    std::int32_t nextStep = 0;      // the value to store back into flashStep
    std::optional<bool> frameShown; // show (true) or hide (false) the lime frame; nothing: leave it
    bool stopTimer = false;         // the flash is over
};
// Visible, hidden, visible, hidden, visible, hidden, visible over seven ticks, hidden for good and the
// timer stopped at the eighth.
FlashTick flashTickRule(std::int32_t step);
// Applies the rule to the state's counter and returns what the window must do with the frame.
FlashTick flashTick(GeneratorState& state);

} // namespace selektor
