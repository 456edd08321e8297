#pragma once

// Draws printed pages (the coupon blanks, the test page) onto a printer as the layout gives them.

#include "print/CouponLayout.h"

#include <QString>
#include <optional>
#include <vector>

class QPrinter;

namespace selektor {

// Printer pixels to the inch of every print: the print positions are calibrated at this resolution.
inline constexpr int kPrintResolution = 300;

// One page of the printer per page given, in order, in the font of the coupon print; each text has its
// top-left corner at its point in the printer's pixels, counted from the top left of its printable area.
// Nothing when every page went out; otherwise the failure, and the job is abandoned so the next print can
// begin.
std::optional<QString> paintPages(QPrinter& printer, const std::vector<PrintPage>& pages);

} // namespace selektor
