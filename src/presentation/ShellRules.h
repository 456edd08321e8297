#pragma once

// Rules of the program's shell that need no window: where the main window opens and what the intro
// picture's six numbers show.

#include "core/Combination.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// The launcher (bin/selektor) makes and fills the player's folder before the program starts in it. What
// stops it is said by the program in a window: the launcher starts it with this argument, the kind of
// failure and the folder concerned, and the program shows the sentence and ends. No player types it.
inline constexpr char kLauncherFailureArgument[] = "--selektor-launcher-failure";

inline std::optional<std::string> launcherFailureText(std::string_view kind, std::string_view folder) {
    const std::string where(folder);
    if (kind == "dom")
        return std::string("Nie można ustalić, gdzie utworzyć folder na pliki programu Selektor - brak zmiennych "
                           "środowiska HOME i XDG_DATA_HOME !");
    if (kind == "dane")
        return "Brak domyślnych plików programu Selektor w folderze " + where + " - zainstaluj program ponownie !";
    if (kind == "folder")
        return "Nie można utworzyć folderu " + where +
               " na pliki programu Selektor - sprawdź, czy wolno w nim zapisywać i czy nie stoi tam plik o tej "
               "nazwie !";
    if (kind == "kopia")
        return "Nie można skopiować plików programu Selektor do folderu " + where +
               " - sprawdź, czy na dysku jest wolne miejsce i czy wolno w tym folderze zapisywać !";
    return std::nullopt;
}

} // namespace selektor
