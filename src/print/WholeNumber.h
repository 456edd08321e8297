#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace selektor {

// The whole-number conversion of the print fields and of the cells of a ticket line: decimal digits
// only, since the fields take nothing else and blanks between digits make no number; a value past 32
// bits is no number either.
std::optional<std::int32_t> wholeNumber(std::string_view text);

// A print position: one to four digits, all that its field can show.
std::optional<std::int32_t> printPosition(std::string_view text);

} // namespace selektor
