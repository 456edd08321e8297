#pragma once

// The tables of the analysis window as CSV text for a spreadsheet: UTF-8, a header row, fields
// separated by commas and quoted where they hold a comma, a quote or a line end, CR LF after every row.
// Shares are percentages with a decimal comma, as the window shows them. The window saves the text
// through the program's file replacement. A refused result gives the header row alone.

#include "analysis/FilterHistory.h"
#include "analysis/SystemCoverage.h"
#include "analysis/SystemHistory.h"

#include <string>
#include <string_view>

namespace selektor {

// The field as it stands, or in quotes with every quote doubled when it needs them.
std::string csvField(std::string_view text);

// "Filtry a historia": one row per tab in "Oblicz" order, then "Wszystkie zakładki": how many draws the
// tab lets through by itself, and how many combinations are left after it and the tabs before it.
std::string filterHistoryCsv(const FilterHistoryCheck& check, const FilterFunnel& funnel);

// The listed thrown-out draws, newest first, with the tab that refuses each first.
std::string rejectedDrawsCsv(const FilterHistoryCheck& check);

// "System a historia": one row per draw, oldest first, with its best hits and its lines by hits.
std::string systemHistoryCsv(const SystemHistoryCheck& check);

// "Pokrycie systemu": one row per pool combination, in pool order, with the most hits of one line.
std::string coverageCsv(const SystemCoverage& coverage);

} // namespace selektor
