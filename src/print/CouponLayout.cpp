#include "print/CouponLayout.h"

#include "generator/FieldText.h"
#include "print/WholeNumber.h"

#include <algorithm>

namespace selektor {

namespace {

constexpr std::size_t kCellWidth = 3;

// The x of "$$$" on a coupon; the test page has it three pixels to the right.
std::int32_t markerX(const PrintSettings& s) {
    return s.PX1 + 11 * s.X1X2 - 4;
}

std::int32_t markerY(const PrintSettings& s) {
    return markY(s, kMarkRows - 1) + s.PYDL;
}

} // namespace

std::int32_t blanksNeeded(std::size_t lines) {
    return static_cast<std::int32_t>(lines / kTicketsPerBlank + (lines % kTicketsPerBlank != 0 ? 1 : 0));
}

std::array<std::string, kTicketsPerBlank> blankLines(const LotterySystem& system, std::int32_t blank) {
    std::array<std::string, kTicketsPerBlank> lines;
    const std::size_t first = static_cast<std::size_t>(blank - 1) * kTicketsPerBlank;
    for (std::size_t place = 0; place < lines.size(); ++place)
        lines[place] = first + place < system.size() ? system.line(first + place) : std::string(kFillerLine);
    return lines;
}

std::array<std::string_view, 6> ticketCells(std::string_view line) {
    std::array<std::string_view, 6> cells;
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const std::size_t start = k * kCellWidth;
        cells[k] = start < line.size() ? trimmed(line.substr(start, kCellWidth)) : std::string_view();
    }
    return cells;
}

MarkCell markCell(int place, int number) {
    const int band = (place - 1) / 2;
    const int side = place % 2 == 1 ? kColumnsPerField : 0;
    return {kRowsPerBand * band + (number - 1) % kRowsPerBand, side + 5 - (number - 1) / kRowsPerBand};
}

bool isNumberCell(int row, int column) {
    return column % kColumnsPerField != 0 || row % kRowsPerBand < 4;
}

MarkGrid markGrid(const std::array<std::string, kTicketsPerBlank>& lines) {
    MarkGrid marks{};
    for (int place = 1; place <= kTicketsPerBlank; ++place) {
        for (const std::string_view cell : ticketCells(lines[static_cast<std::size_t>(place - 1)])) {
            const std::optional<std::int32_t> n = wholeNumber(cell);
            if (n && *n >= kLowestNumber && *n <= kHighestNumber) {
                const MarkCell at = markCell(place, *n);
                marks[static_cast<std::size_t>(at.row)][static_cast<std::size_t>(at.column)] = 1;
            }
        }
    }
    return marks;
}

std::int32_t markX(const PrintSettings& s, int column) {
    return s.PX1 + column * s.X1X2 + column / 3;
}

std::int32_t markY(const PrintSettings& s, int row) {
    // The bottom band's boxes sit a pixel higher on the blank than the band gaps alone would put them,
    // and from its fifth row on another pixel higher.
    std::int32_t shift = 0;
    if (row < kRowsPerBand)
        shift = 0;
    else if (row <= 17)
        shift = s.PYK;
    else if (row <= 26)
        shift = 2 * s.PYK;
    else if (row <= 30)
        shift = 3 * s.PYK - 1;
    else
        shift = 3 * s.PYK - 2;
    return s.PY1 + row * s.Y1Y2 + shift;
}

PrintPage drawBlank(const PrintSettings& s, const MarkGrid& marks, std::int32_t blank) {
    PrintPage page;
    for (int row = 0; row < kMarkRows; ++row)
        for (int column = 0; column < kMarkColumns; ++column)
            if (isNumberCell(row, column) && marks[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)])
                page.push_back({"***", markX(s, column), markY(s, row)});
    page.push_back({"$$$", markerX(s), markerY(s)});
    page.push_back({std::to_string(blank), markerX(s) - 70, markerY(s) + s.PNR});
    return page;
}

PrintPage couponPage(const PrintSettings& settings, const LotterySystem& system, std::int32_t blank) {
    return drawBlank(settings, markGrid(blankLines(system, blank)), blank);
}

PrintPage testPage(const PrintSettings& s) {
    PrintPage page;
    page.reserve(kNumberCells + 2);
    for (int row = 0; row < kMarkRows; ++row)
        for (int column = 0; column < kMarkColumns; ++column)
            if (isNumberCell(row, column))
                page.push_back({"***", markX(s, column), markY(s, row)});
    page.push_back({"$$$", markerX(s) + 3, markerY(s)});
    page.push_back({"TEST", markerX(s) + 3 - 70, markerY(s) + s.PNR});
    return page;
}

} // namespace selektor
