#include "presentation/SaveFlash.h"

namespace selektor {

FlashTick flashTickRule(std::int32_t step) {
    FlashTick tick;
    if (step > 6) {
        tick.nextStep = step;
        tick.frameShown = false;
        tick.stopTimer = true;
        return tick;
    }
    tick.nextStep = step + 1;
    if (step == 0)
        tick.frameShown = true;
    const std::int32_t t = step + 1;
    if (t == 2 || t == 4 || t == 6)
        tick.frameShown = false;
    else if (t == 3 || t == 5 || t == 7)
        tick.frameShown = true;
    return tick;
}

} // namespace selektor
