#pragma once

// Draws from a CSV file of past results, as public draw histories are published: a date and the six
// Numbers on each line, read and checked in full before any draw is stored. Importing works as an
// update: the draws the history already holds are passed over, so a complete results archive can be
// imported again and again and only adds what is new.

#include "core/Combination.h"
#include "history/DrawEntry.h"
#include "history/Records.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selektor {

struct ImportedDraw {
    std::string date; // "18.05.2002", as the program writes dates
    Combination numbers{};
    std::size_t lineNumber = 0; // in the file, counted from 1
    CalendarDay day{};
};

struct DrawImport {
    std::vector<ImportedDraw> draws; // in file order; empty when the file was refused
    // The first bad line, as one sentence naming its line number and the form a line must have.
    std::optional<std::string> refusal;
};

// Reads every line: a date ("2002-05-18" or "18.05.2002") and six different Numbers 1 to 49 in any
// order, separated by commas or semicolons, blanks around them allowed. Line 1 is a header when it is
// no draw and does not begin with a digit; blank lines are passed over. The first line that is no draw
// refuses the whole file. The numbers of a draw are put in ascending order.
DrawImport readDrawCsv(std::string_view text);

// What an import adds to the history of `lines` (a line the program cannot read back is no draw to
// compare with).
struct DrawUpdate {
    std::vector<ImportedDraw> newDraws; // in file order
    std::size_t alreadyStored = 0;      // draws of the file the history holds (same date, same Numbers)
    // A new draw dated before the newest draw of the history (or of the new draws above it), which would
    // put the history out of order; nothing is added.
    std::optional<std::string> refusal;
};
DrawUpdate planDrawUpdate(const DrawImport& import, const std::vector<std::string>& lines);

// "1 losowanie", "3 losowania", "5 losowań", "22 losowania": a count of draws with the Polish plural.
std::string drawCountText(std::size_t count);

// "Dodać 3 losowania ?", with "(7275 już są w historii)" after it when the file held stored draws.
std::string importQuestion(const DrawUpdate& update);
extern const char* const kNothingNewToImportMessage;

} // namespace selektor
