#include "history/DrawImport.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <utility>

namespace selektor {

const char* const kNothingNewToImportMessage =
    "Wszystkie losowania z pliku są już w historii - nie ma nic nowego do dodania !";

namespace {

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string badLineMessage(std::size_t lineNumber) {
    return "Wiersz " + std::to_string(lineNumber) +
           " pliku nie zawiera daty i sześciu różnych liczb od 1 do 49 w postaci 2002-05-18,3,12,25,31,40,49 lub "
           "18.05.2002;3;12;25;31;40;49 - nic nie zostało dodane !";
}

std::string olderDrawMessage(const ImportedDraw& draw, const CalendarDay& newest) {
    return "Wiersz " + std::to_string(draw.lineNumber) + " pliku zawiera losowanie z dnia " + draw.date +
           ", którego nie ma w historii, a które jest starsze od losowania z dnia " +
           polishShortDate(newest.year, newest.month, newest.day) +
           " - nowe losowania muszą być nowsze od zapisanych i iść od najstarszego do najnowszego; nic nie "
           "zostało dodane !";
}

std::optional<ImportedDraw> readDraw(std::string_view line) {
    const char separator = line.find(';') != std::string_view::npos ? ';' : ',';
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i)
        if (i == line.size() || line[i] == separator) {
            fields.push_back(trimmed(line.substr(start, i - start)));
            start = i + 1;
        }
    if (fields.size() != 1 + kNumbersPerCombination)
        return std::nullopt;
    const std::optional<CalendarDay> day = calendarDay(fields[0]);
    if (!day)
        return std::nullopt;
    ImportedDraw draw;
    draw.day = *day;
    draw.date = polishShortDate(day->year, day->month, day->day);
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
    // A byte order mark, as some spreadsheets write it, is not part of the first line.
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
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
        if (trimmed(line).empty())
            continue;
        std::optional<ImportedDraw> draw = readDraw(line);
        if (!draw) {
            // A header names its columns; a line that begins with a digit is a draw gone wrong.
            const std::string_view head = trimmed(line);
            if (lineNumber == 1 && (head[0] < '0' || head[0] > '9'))
                continue;
            result.draws.clear();
            result.refusal = badLineMessage(lineNumber);
            return result;
        }
        draw->lineNumber = lineNumber;
        result.draws.push_back(std::move(*draw));
    }
    return result;
}

DrawUpdate planDrawUpdate(const DrawImport& import, const std::vector<std::string>& lines) {
    // Two draws on one date (Poland 1965-1991) and one result on two dates (Germany 1962 and 2020) are
    // both real: a draw is the same only with the same date and the same Numbers.
    std::set<std::pair<CalendarDay, Combination>> stored;
    std::optional<CalendarDay> newest;
    for (const std::string& line : lines) {
        const std::optional<ReadHistoryLine> read = readHistoryLine(line);
        if (!read)
            continue;
        const std::optional<CalendarDay> day = calendarDay(read->date);
        if (!day)
            continue;
        stored.insert({*day, read->record.numbers});
        newest = newest ? std::max(*newest, *day) : *day;
    }
    DrawUpdate update;
    for (const ImportedDraw& draw : import.draws) {
        if (!stored.insert({draw.day, draw.numbers}).second) {
            ++update.alreadyStored;
            continue;
        }
        if (newest && draw.day < *newest) {
            update.newDraws.clear();
            update.refusal = olderDrawMessage(draw, *newest);
            return update;
        }
        newest = draw.day;
        update.newDraws.push_back(draw);
    }
    return update;
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

std::string importQuestion(const DrawUpdate& update) {
    std::string question = "Dodać " + drawCountText(update.newDraws.size()) + " ?";
    if (update.alreadyStored > 0)
        question += " (" + std::to_string(update.alreadyStored) + " już są w historii)";
    return question;
}

} // namespace selektor
