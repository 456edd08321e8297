#pragma once

#include "core/Combination.h"

#include <string>

namespace selektor {

inline constexpr int kSystemLineLength = 18;

// The text form of one ticket: six right-aligned three-character fields, 18 characters.
std::string systemLine(const Combination& c);
// The same, appended to `out`.
void appendSystemLine(const Combination& c, std::string& out);

// One Number in its three-character field: two blanks and the digit below 10, one blank and the two
// digits from 10. The countdown panel shows the drawn candidate's numbers the same way.
std::string numberField(Number n);

} // namespace selektor
