#pragma once

// The " Liczby  " tab: moving numbers in and out of the favourites and the basic group, and which of the
// share boxes " 0" to " 6" the player may tick for the number of favourites in every six.

#include "core/FilterSettings.h"

#include <array>

namespace selektor {

inline constexpr int kShareBoxes = 7;

// Whether each of the share boxes " 0" to " 6" may be ticked. At start only " 0" may.
using ShareBoxesEnabled = std::array<bool, kShareBoxes>;
inline constexpr ShareBoxesEnabled kInitialShareBoxesEnabled{true, false, false, false, false, false, false};

// A click on n in "Grupa faworytów": n joins the favourites (leaving the basic group if it was there) or,
// when it already is a favourite, leaves them. The share boxes follow while there are at most six.
void toggleFavourite(FilterSettings& settings, ShareBoxesEnabled& enabled, Number n);

// The mirror image for "Grupa podstawowa".
void toggleBasic(FilterSettings& settings, ShareBoxesEnabled& enabled, Number n);

// With F favourites (0 to 6) the shares 1 to F may be ticked and keep their ticks; the shares above F are
// unticked and locked. " 0" is always free. From seven favourites on the boxes stay as they were at six.
void updateShareBoxes(FilterSettings& settings, ShareBoxesEnabled& enabled);

// Which boxes the clicks leave free with this many favourites. The count moves one number at a time and
// the boxes follow it up to six, so they depend on the count alone: from seven on, all are free.
ShareBoxesEnabled shareBoxesEnabledFor(int favouriteCount);

} // namespace selektor
