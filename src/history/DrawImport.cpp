#include "history/DrawImport.h"

#include "history/DrawEntry.h"

#include <algorithm>
#include <charconv>

namespace selektor {

namespace {

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// "2002-05-18" as the program writes it, "18.05.2002"; nothing for anything but a real calendar day.
std::optional<std::string> isoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto year = wholeNumber(text.substr(0, 4));
    const auto month = wholeNumber(text.substr(5, 2));
    const auto day = wholeNumber(text.substr(8, 2));
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1)
        return std::nullopt;
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int days = kDays[*month - 1] + (*month == 2 && isLeapYear(*year) ? 1 : 0);
    if (*day > days)
        return std::nullopt;
    return polishShortDate(*year, *month, *day);
}

std::string badLineMessage(std::size_t lineNumber) {
    return "Wiersz " + std::to_string(lineNumber) +
           " pliku nie zawiera daty i sześciu różnych liczb od 1 do 49 - nic nie zostało dodane !";
}

std::optional<ImportedDraw> readDraw(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i)
        if (i == line.size() || line[i] == ',') {
            fields.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    if (fields.size() != 1 + kNumbersPerCombination)
        return std::nullopt;
    ImportedDraw draw;
    const auto date = isoDate(fields[0]);
    if (!date)
        return std::nullopt;
    draw.date = *date;
    for (int k = 0; k < kNumbersPerCombination; ++k) {
        const auto n = wholeNumber(fields[1 + k]);
        if (!n || *n < kLowestNumber || *n > kHighestNumber)
            return std::nullopt;
        draw.numbers[k] = static_cast<Number>(*n);
    }
    std::sort(draw.numbers.begin(), draw.numbers.end());
    if (std::adjacent_find(draw.numbers.begin(), draw.numbers.end()) != draw.numbers.end())
        return std::nullopt;
    return draw;
}

} // namespace

DrawImport readDrawCsv(std::string_view text) {
    DrawImport result;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (lineNumber == 1 || line.empty())
            continue; // the header; blank lines carry nothing
        const std::optional<ImportedDraw> draw = readDraw(line);
        if (!draw) {
            result.draws.clear();
            result.refusal = badLineMessage(lineNumber);
            return result;
        }
        result.draws.push_back(*draw);
    }
    return result;
}

std::string drawCountText(std::size_t count) {
    const std::size_t lastTwo = count % 100, last = count % 10;
    const char* word = "losowań";
    if (count == 1)
        word = "losowanie";
    else if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        word = "losowania";
    return std::to_string(count) + " " + word;
}

} // namespace selektor
