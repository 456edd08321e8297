#pragma once

// Captions of the templates the filter tabs offer, shared by the tabs and the statistics.

#include "core/FilterSettings.h"

#include <array>
#include <string>

namespace selektor {

// "0-6" ... "6-0": even count first.
std::string evenOddCaption(int evenCount);
// "3-3" ... "5-6".
std::string rowColumnCaption(int rows, int columns);
// "2-19", "20" ... "35", "36-53".
std::string sumCaption(int bucket);
// "B-0" ... "B-6".
std::string edgeCaption(int edgeCount);
// "600", "510", ...: d, s and g run together.
std::string dsgCaption(int d, int s);
// " 1 - 2 " ... " 8 - 9 ", " 9 -10 ", "10-11" ... "48-49".
std::string neighbourCaption(int lower);
// "0-0" ... "9-9".
std::string endingCaption(int digit);
// "1" ... "16".
std::string gapCaption(int gap);

struct DsgCell {
    int d;
    int s;
};
// The 28 digit-group templates in the tab's order: d descending, then s descending.
extern const std::array<DsgCell, 28> kDsgOrder;

} // namespace selektor
