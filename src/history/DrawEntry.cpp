#include "history/DrawEntry.h"

#include "history/DrawHistory.h"

#include <cstdio>

namespace selektor {

namespace {

char digit(int value) {
    return static_cast<char>('0' + value);
}

} // namespace

std::string polishShortDate(int year, int month, int day) {
    char text[48]; // room for any three whole numbers
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year);
    return text;
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
    if (entryDate.empty()) {
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
