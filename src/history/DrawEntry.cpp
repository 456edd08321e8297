#include "history/DrawEntry.h"

#include "history/DrawHistory.h"

#include <algorithm>
#include <cstdio>

namespace selektor {

namespace {

char digit(int value) {
    return static_cast<char>('0' + value);
}

// One to `most` decimal digits and nothing else.
std::optional<int> digits(std::string_view text, std::size_t fewest, std::size_t most) {
    if (text.size() < fewest || text.size() > most)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = 10 * value + (c - '0');
    }
    return value;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

} // namespace

std::string polishShortDate(int year, int month, int day) {
    char text[48]; // room for any three whole numbers
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year);
    return text;
}

std::optional<CalendarDay> calendarDay(std::string_view text) {
    std::optional<int> year, month, day;
    if (text.size() == 10 && text[4] == '-' && text[7] == '-') {
        year = digits(text.substr(0, 4), 4, 4);
        month = digits(text.substr(5, 2), 2, 2);
        day = digits(text.substr(8, 2), 2, 2);
    } else {
        const std::size_t first = text.find('.');
        const std::size_t second = first == std::string_view::npos ? first : text.find('.', first + 1);
        if (second == std::string_view::npos)
            return std::nullopt;
        day = digits(text.substr(0, first), 1, 2);
        month = digits(text.substr(first + 1, second - first - 1), 1, 2);
        year = digits(text.substr(second + 1), 4, 4);
    }
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1)
        return std::nullopt;
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (*day > kDays[*month - 1] + (*month == 2 && isLeapYear(*year) ? 1 : 0))
        return std::nullopt;
    return CalendarDay{*year, *month, *day};
}

std::optional<std::int32_t> lineDrawNumber(std::string_view line) {
    if (line.size() < 4)
        return std::nullopt;
    std::int32_t number = 0;
    for (char c : line.substr(0, 4)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = 10 * number + (c - '0');
    }
    return number;
}

std::optional<std::int32_t> nextDrawNumber(const std::vector<std::string>& lines) {
    if (lines.empty())
        return kFirstDrawNumber;
    const std::optional<std::int32_t> last = lineDrawNumber(lines.back());
    if (!last || *last >= kLastDrawNumber)
        return std::nullopt;
    return *last + 1;
}

std::string historyLine(const DrawRecord& record, std::string_view date) {
    std::string line = std::to_string(record.drawNumber).substr(0, 4);
    line += "  ";
    line += date;
    line += ' ';
    for (Number n : record.numbers) {
        line += n < 10 ? "  " : " ";
        line += std::to_string(n);
    }
    line += "   ";
    line += digit(record.evenCount);
    line += digit(kNumbersPerCombination - record.evenCount);
    line += "  ";
    line += digit(record.rowCount);
    line += digit(record.columnCount);
    line += "  ";
    line += std::to_string(record.lastDigitSum);
    line += "  ";
    line += digit(record.edgeCount);
    line += "  ";
    line += digit(record.groupDCount);
    line += digit(record.groupSCount);
    line += digit(kNumbersPerCombination - record.groupDCount - record.groupSCount);
    return line;
}

std::optional<ReadHistoryLine> readHistoryLine(std::string_view line) {
    // The line is "nnnn  " + date + " " + the numbers and the columns; the numbers are the six fields
    // before the five columns at its end.
    std::vector<std::string_view> fields;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t start = line.find_first_not_of(' ', at);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(line.find(' ', start), line.size());
        fields.push_back(line.substr(start, end - start));
        at = end;
    }
    const std::optional<std::int32_t> number = lineDrawNumber(line);
    if (!number || fields.size() < 1 + 1 + kNumbersPerCombination + 5)
        return std::nullopt;
    Combination numbers{};
    for (int k = 0; k < kNumbersPerCombination; ++k) {
        const std::optional<int> n = digits(fields[fields.size() - 11 + k], 1, 2);
        if (!n || *n < kLowestNumber || *n > kHighestNumber || (k > 0 && *n <= numbers[k - 1]))
            return std::nullopt;
        numbers[k] = static_cast<Number>(*n);
    }
    ReadHistoryLine read;
    read.record = makeDrawRecord(*number, numbers);
    const std::string around = historyLine(read.record, "");
    const std::size_t head = 6; // "nnnn  "
    const std::size_t tail = around.size() - head;
    if (line.size() <= head + tail || line.compare(0, head, around, 0, head) != 0 ||
        line.compare(line.size() - tail, tail, around, head, tail) != 0)
        return std::nullopt;
    read.date = line.substr(head, line.size() - head - tail);
    if (read.date.find_first_not_of(' ') == std::string::npos)
        return std::nullopt;
    return read;
}

std::string drawQuestion(std::string_view date, const Combination& numbers) {
    std::string question = "Czy na pewno dnia ";
    question += date;
    question += " wylosowano liczby ";
    for (int i = 0; i < kNumbersPerCombination; ++i) {
        if (i > 0)
            question += ", ";
        question += std::to_string(numbers[i]);
    }
    question += " ?";
    return question;
}

DrawEntry enterDraw(const std::vector<std::string>& lines, std::string_view entryDate, const NumberBoxes& ticked) {
    DrawEntry entry;
    if (!calendarDay(entryDate)) {
        entry.refusal = kNoDrawDateMessage;
        return entry;
    }
    // The boxes are gone through from 1 to 49, so the numbers come out ascending, as a draw is stored.
    Combination numbers{};
    int count = 0;
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        if (!ticked[n - 1])
            continue;
        if (count < kNumbersPerCombination)
            numbers[count] = static_cast<Number>(n);
        ++count;
    }
    if (count != kNumbersPerCombination) {
        entry.refusal = kSixNumbersNeededMessage;
        return entry;
    }
    const std::optional<std::int32_t> number = nextDrawNumber(lines);
    if (!number) {
        entry.refusal = lineDrawNumber(lines.back()) ? std::string(kNoDrawNumberLeftMessage)
                                                     : lineWithoutDrawNumberMessage(lines.size() - 1);
        return entry;
    }
    entry.record = makeDrawRecord(*number, numbers);
    entry.line = historyLine(entry.record, entryDate);
    entry.question = drawQuestion(entryDate, numbers);
    return entry;
}

} // namespace selektor
