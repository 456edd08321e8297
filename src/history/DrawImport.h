#pragma once

// Draws from a CSV file of past results, "date,n1,n2,n3,n4,n5,n6" with ISO dates, a header line first,
// as public draw histories are published: read and checked in full before any draw is stored.

#include "core/Combination.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selektor {

struct ImportedDraw {
    std::string date; // "18.05.2002", as the program writes dates
    Combination numbers{};
};

struct DrawImport {
    std::vector<ImportedDraw> draws; // in file order; empty when the file was refused
    // The first bad line, as one sentence naming its line number (the header is line 1).
    std::optional<std::string> refusal;
};

// Reads every line; the first one that is not a date and six different Numbers 1 to 49 refuses the
// whole file. The numbers of a draw are put in ascending order.
DrawImport readDrawCsv(std::string_view text);

// "1 losowanie", "3 losowania", "5 losowań", "22 losowania": a count of draws with the Polish plural.
std::string drawCountText(std::size_t count);

} // namespace selektor
