#pragma once

// Where the main window stands and which of its controls the player may use there. The stage state is
// all the windows need to enable and disable their controls; `enabledControls` is the one place that
// says how.

#include <cstdint>

namespace selektor {

// The panel the main window shows.
enum class Screen : std::uint8_t { Intro, Filters, Generator };

// What the generator stage holds and is doing.
enum class GeneratorMode : std::uint8_t {
    Ready,           // just entered through "Etap końcowy": an empty list, every generator offered
    Built,           // a reduced guarantee system or a finished simulation
    PostProcessable, // a full system ("gw 6") or a post-processed one: "Akcja" is offered too
    Simulating,      // a random simulation runs; only the back button and the list stay usable
    Stopped,         // a simulation stopped on request: the groups are usable, their buttons are not
    FromFile,        // a system opened from a file: it can be checked, printed and saved, not rebuilt
    Busy,            // a guarantee build or a post-processing run is working
};

struct StageState {
    Screen screen = Screen::Intro;
    GeneratorMode generator = GeneratorMode::Ready;
    bool finalStageAllowed = false; // "Etap końcowy": the last "Oblicz" left 1 to 30000 combinations
    bool introRunning = true;       // the intro's numbers still change

    friend bool operator==(const StageState&, const StageState&) = default;
};

// The controls of the generator stage that come and go with its mode.
struct GeneratorControls {
    bool back = false;            // "Powrót do poprzedniego etapu"
    bool save = false;            // "Zapis systemu"
    bool guaranteeGroup = false;  // " Systemy gwarancyjne "
    bool guaranteeOk = false;     //   its OK button
    bool simulationGroup = false; // " Symulacja komputerowa "
    bool simulationOk = false;    //   its OK button
    bool resultOk = false;        // " Sprawdzanie wyników " OK
    bool print = false;           // " Wydruk systemu "
    bool postProcessing = false;  // both "Akcja" buttons of " Obróbka systemu"
    bool busyLamp = false;        // the red lamp in the corner of " Generator systemu " (shown, not enabled)
    bool countdown = false;       // the panel "Do zakończenia" (shown, not enabled)

    friend bool operator==(const GeneratorControls&, const GeneratorControls&) = default;
};

GeneratorControls enabledControls(GeneratorMode mode);

} // namespace selektor
