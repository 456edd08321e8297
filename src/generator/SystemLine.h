#pragma once

#include "core/Combination.h"

#include <string>

namespace selektor {

// The text form of one ticket: six right-aligned three-character fields, 18 characters.
std::string systemLine(const Combination& c);

} // namespace selektor
