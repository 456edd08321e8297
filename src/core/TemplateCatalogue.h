#pragma once

// The templates of each filter tab in the order the tab lays them out: their captions and the flag that
// each one switches. A template is addressed by its position on the tab, counted from 0.

#include "core/FilterSettings.h"

#include <cstdint>
#include <string>

namespace selektor {

// 0 for " Liczby  ", which has number grids instead of templates.
int templateCount(Panel panel);

// The caption the player clicks, e.g. "3-3", "2-19", "510", " 9 -10 ".
std::string templateCaption(Panel panel, int position);

// The flag in the settings that the template at this position stands for. Throws std::out_of_range for a
// position the tab does not have.
std::uint8_t& templateFlag(FilterSettings& settings, Panel panel, int position);
std::uint8_t templateFlag(const FilterSettings& settings, Panel panel, int position);

// A click on a template caption: switches its flag and returns the new state.
bool toggleTemplate(FilterSettings& settings, Panel panel, int position);

// The mode in which a tab uses its templates (and reveals them): 3 for "L. sdne", 1 for the others.
std::uint8_t selectingMode(Panel panel);

} // namespace selektor
