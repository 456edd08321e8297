#pragma once

// The short animations that reveal a tab's templates when the player chooses its selecting mode. Each
// function tells what the tab shows after `tick` ticks of the tab's timer (tick 0: the mode was just
// chosen); `done` marks the tick at which the timer stops itself. Item masks count templates in the
// tab's layout order (bit 0 is the first template).

#include "core/FilterSettings.h"

#include <cstdint>

namespace selektor {

// Tick interval of each tab's reveal, in milliseconds.
int revealInterval(Panel panel);

// " Liczby  ": the favourites panel slides down from above, the basic panel up from below; then the
// "  Zakres" box appears.
struct GroupsSlide {
    int favouritesTop = 0;
    int basicTop = 0;
    bool rangeBoxShown = false;
    bool done = false;
};
GroupsSlide numbersReveal(int tick);

// Tabs whose templates appear one by one or in pairs.
struct ItemsReveal {
    std::uint64_t shapes = 0;   // bars, cards, columns, rows of pairs ("L. sdne": bit r is row r), gap templates
    std::uint64_t captions = 0; // their captions
    bool picture = false;       // " Brzeg  ": the edge-number picture; "L. sdne": the decorative picture
    bool note = false;          // " Odlg   ": the " Uwaga " note
    bool done = false;
};
ItemsReveal evenOddReveal(int tick);    // bars "0-6" to "6-0", then their captions
ItemsReveal rowColumnReveal(int tick);  // cards in pairs from both ends inward, captions from the middle outward
ItemsReveal edgeReveal(int tick);       // the picture, then the columns "B-6" down to "B-0"
ItemsReveal neighboursReveal(int tick); // the picture briefly, then the four rows
ItemsReveal gapsReveal(int tick);       // templates "1" to "16", then the note

// "  Suma  ": the block "20" to "35" grows downwards, then "2-19" and "36-53" appear.
struct SumGrowth {
    int blockHeight = 0;
    bool endBoxesShown = false;
    bool done = false;
};
SumGrowth sumReveal(int tick);

// " D S G  ": the block of squares swings left and right into its place, then the legend appears.
struct DsgSwing {
    bool blockShown = false;
    int blockX = 0;
    bool legendShown = false;
    bool done = false;
};
DsgSwing dsgReveal(int tick);

// " Pary   ": the two grey curtains part from the middle, then " Opcje dodatkowe " appears.
struct CurtainsPart {
    int leftX = 0;
    int rightX = 0;
    bool curtainsShown = true;
    bool optionsShown = false;
    bool done = false;
};
inline constexpr int kCurtainWidth = 185;
CurtainsPart pairsReveal(int tick);

} // namespace selektor
