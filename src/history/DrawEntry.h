#pragma once

// Entering a new draw and deleting a stored one, apart from the widgets: the numbers taken from the 49
// boxes, the draw number, the line of "Losowania.txt", the record of "Losowanie.dat", and the sentences
// the draw history window shows or asks.

#include "history/Records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selektor {

inline constexpr char kNoDrawDateMessage[] = "Nie ustalona data losowania !";
inline constexpr char kSixNumbersNeededMessage[] = "Potrzebnych jest dokładnie 6 liczb !";
inline constexpr char kNoDrawSelectedMessage[] = "Zaznacz najpierw losowanie które chcesz skasować !";
inline constexpr char kDeleteDrawQuestion[] = "Czy na pewno wybrane losowanie ma  zostać skasowane ?";
// Draw numbers are written in four characters: the history ends with draw 9999.
inline constexpr char kNoDrawNumberLeftMessage[] =
    "Nie można dodać losowania - numer 9999 był ostatnim numerem, jaki może mieć losowanie !";

// The first draw of an empty history, and the last one four characters can number.
inline constexpr std::int32_t kFirstDrawNumber = 1001, kLastDrawNumber = 9999;

// A calendar date as the draw list writes it, the Polish short date "18.05.2002", whatever the
// machine's own format.
std::string polishShortDate(int year, int month, int day);

struct CalendarDay {
    int year = 0, month = 0, day = 0;
    friend auto operator<=>(const CalendarDay&, const CalendarDay&) = default;
};

// The day a date names, in the program's own form "18.05.2002" (one or two digits for the day and the
// month) or the international "2002-05-18"; nothing for any other text or a day the calendar lacks
// (the Gregorian one: 29.02.2000 is a day, 29.02.1900 is not).
std::optional<CalendarDay> calendarDay(std::string_view text);

// The draw number a line of the draw list begins with: its first four characters, all digits.
std::optional<std::int32_t> lineDrawNumber(std::string_view line);

// The number of the next draw: the last line's number plus one, 1001 for an empty list. None when the
// last line begins with no number or the next number would pass 9999.
std::optional<std::int32_t> nextDrawNumber(const std::vector<std::string>& lines);

// The line of the draw list for a draw entered on `date`, columns PN, WK, SUM, BR and DSG after the
// numbers: "1001  18.05.2002   3 12 25 31 40 49   24  63  20  2  411".
std::string historyLine(const DrawRecord& record, std::string_view date);

// A line of the draw list read back: the draw with its pattern values and the date as written. Nothing
// unless the line is exactly what historyLine writes for them, so that a line changed by hand in its
// numbers or its columns is told apart.
struct ReadHistoryLine {
    DrawRecord record;
    std::string date;
};
std::optional<ReadHistoryLine> readHistoryLine(std::string_view line);

// "Czy na pewno dnia 18.05.2002 wylosowano liczby 3, 12, 25, 31, 40, 49 ?"
std::string drawQuestion(std::string_view date, const Combination& numbers);

// The 49 number boxes of the entry panel, one flag per Number (index n - 1), 1 for ticked.
using NumberBoxes = std::array<std::uint8_t, kHighestNumber>;

// A draw the player entered, ready for the question and, on Yes, for the store; or the sentence that
// refuses it, when `refusal` is not empty.
struct DrawEntry {
    std::string refusal;
    DrawRecord record;
    std::string line;
    std::string question;
};

// The draw of the ticked boxes on `entryDate`, numbered after the last line of the list. Refused without
// a date (a text that names no calendar day is none), with other than exactly six boxes ticked, or past
// draw 9999.
DrawEntry enterDraw(const std::vector<std::string>& lines, std::string_view entryDate, const NumberBoxes& ticked);

} // namespace selektor
