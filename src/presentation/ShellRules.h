#pragma once

// Rules of the program's shell that need no window: where the main window opens and what the intro
// picture's six numbers show.

#include "core/Combination.h"

#include <array>
#include <cstdint>

namespace selektor {

struct WindowPlace {
    int left = 0;
    int top = 0;
    friend constexpr bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// The main window's outer frame is about 586 pixels high: centred vertically on screens of at least 650
// pixels, at its designed left edge; tucked into the top left corner on smaller screens.
constexpr WindowPlace mainWindowPlace(int screenHeight) {
    if (screenHeight >= 650)
        return {187, (screenHeight - 586) / 2};
    return {65, 4};
}

// One tick of the intro: six independent numbers 1 to 49 from the program's random source (anything
// with `below(n)` giving a uniform index under n), repeats allowed.
template <class Random> std::array<Number, kNumbersPerCombination> introNumbers(Random& random) {
    std::array<Number, kNumbersPerCombination> numbers{};
    for (Number& n : numbers)
        n = static_cast<Number>(kLowestNumber + random.below(kHighestNumber));
    return numbers;
}

} // namespace selektor
