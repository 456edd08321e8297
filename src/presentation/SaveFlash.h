#pragma once

// The lime frame that flashes around "Zapis systemu" when a generator ends, to draw the player's eye to
// a system that waits to be saved.

#include <cstdint>
#include <optional>

namespace selektor {

inline constexpr int kSaveFlashInterval = 200; // milliseconds between ticks

// One tick, decided from the step value on entry.
struct FlashTick {
    std::int32_t nextStep = 0;      // the value to store back into the step counter
    std::optional<bool> frameShown; // show (true) or hide (false) the frame; nothing: leave it
    bool stopTimer = false;         // the flash is over
};

// Visible, hidden, visible, hidden, visible, hidden, visible over seven ticks, hidden for good and the
// timer stopped at the eighth.
FlashTick flashTickRule(std::int32_t step);

class SaveFlash {
public:
    // A generator ended: the flash begins again from its first step; the window starts its timer.
    void start() { m_step = 0; }
    // One timer tick: what to do with the frame.
    FlashTick tick() {
        const FlashTick next = flashTickRule(m_step);
        m_step = next.nextStep;
        return next;
    }

private:
    std::int32_t m_step = 0;
};

} // namespace selektor
