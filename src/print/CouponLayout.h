#pragma once

// Where the marks of a system go on a coupon blank. The page holds the blank turned by a quarter turn:
// four field bands from top to bottom, each with two coupon fields side by side, eight tickets a blank.
// A field is 6 mark columns by 9 mark rows; the coupon grid's first row (1 to 9) is its rightmost column
// and the sixth row (46 to 49) its leftmost. A page is a list of texts at points in printer pixels; the
// window draws each with its top-left corner there. The settings are those the player's fields give,
// 0 to 9999 each.

#include "generator/LotterySystem.h"
#include "print/PrintSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace selektor {

inline constexpr int kTicketsPerBlank = 8;
inline constexpr int kMarkRows = 36;
inline constexpr int kMarkColumns = 12;
inline constexpr int kRowsPerBand = 9;
inline constexpr int kColumnsPerField = 6;
// Every cell of every field that belongs to a Number: 8 × 49.
inline constexpr int kNumberCells = 392;

// A ticket place without a line: its cells read 0, which marks nothing.
inline constexpr char kFillerLine[] = "000000000000000000";

// Everything is printed in this font, set right after the print job begins.
inline constexpr char kPrintFontName[] = "MS Sans Serif";
inline constexpr int kPrintFontSize = 8;

// ⌈lines / 8⌉: 0 for an empty system.
std::int32_t blanksNeeded(std::size_t lines);

// The lines that go onto blank b (from 1) as its tickets 1 to 8: the system's lines 8·(b − 1) + 1 to
// 8·b, and kFillerLine for the places past the last line.
std::array<std::string, kTicketsPerBlank> blankLines(const LotterySystem& system, std::int32_t blank);

// The six cells of a ticket line, each trimmed: the first 18 characters, three to a cell. A cell past
// the end of a shorter line is empty.
std::array<std::string_view, 6> ticketCells(std::string_view line);

// The marks of one blank, [markRow][markColumn], 1 for a mark.
using MarkGrid = std::array<std::array<std::uint8_t, kMarkColumns>, kMarkRows>;

struct MarkCell {
    int row = 0;
    int column = 0;

    friend bool operator==(const MarkCell&, const MarkCell&) = default;
};

// Ticket `place` (1 to 8) stands in band (place − 1) div 2, the odd places in the right-hand field and
// the even ones in the left-hand field; Number n in its field's column 5 − (n − 1) div 9 and row
// (n − 1) mod 9.
MarkCell markCell(int place, int number);

// False only for the cells without a Number: rows 4 to 8 of a field's leftmost column, where the coupon
// grid's sixth row has no 50 to 54.
bool isNumberCell(int row, int column);

// The marks of the tickets in their places; a cell that is not a Number from 1 to 49 marks nothing.
MarkGrid markGrid(const std::array<std::string, kTicketsPerBlank>& lines);

// One extra pixel after every third mark column.
std::int32_t markX(const PrintSettings& settings, int column);
// The gap between bands after every nine mark rows, less a pixel from row 27 and two from row 31.
std::int32_t markY(const PrintSettings& settings, int row);

struct PageText {
    std::string text;
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const PageText&, const PageText&) = default;
};
using PrintPage = std::vector<PageText>;

// Blank b as printed: "***" at every mark row by row, "$$$" below the bottom band and the blank's
// number 70 pixels left of it and PNR lower, by which the blanks of a large system are told apart.
PrintPage drawBlank(const PrintSettings& settings, const MarkGrid& marks, std::int32_t blank);

// Blank b of the system, as drawBlank prints it. The lines of a printed range must have passed
// checkCouponPrint.
PrintPage couponPage(const PrintSettings& settings, const LotterySystem& system, std::int32_t blank);

// The calibration page: "***" at all 392 number cells, "$$$" three pixels right of where a coupon has
// it, and "TEST" where a coupon has its number. It needs no system.
PrintPage testPage(const PrintSettings& settings);

} // namespace selektor
