#include "generator/LotterySystem.h"

#include "generator/SystemLine.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace selektor {

namespace {

// One three-character field of a system line; 0 when it is not one.
int fieldNumber(const char* field) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (field[0] != ' ' || !digit(field[2]))
        return 0;
    if (field[1] == ' ')
        return field[2] == '0' ? 0 : field[2] - '0';
    if (!digit(field[1]) || field[1] == '0')
        return 0;
    return (field[1] - '0') * 10 + (field[2] - '0');
}

} // namespace

std::optional<Combination> parseSystemLine(std::string_view text) {
    if (text.size() != kSystemLineLength)
        return std::nullopt;
    Combination ticket{};
    int previous = 0;
    for (int k = 0; k < kNumbersPerCombination; ++k) {
        const int n = fieldNumber(text.data() + 3 * k);
        if (n <= previous || n > kHighestNumber)
            return std::nullopt;
        ticket[k] = static_cast<Number>(n);
        previous = n;
    }
    return ticket;
}

void LotterySystem::clear() {
    m_tickets.clear();
    m_textLines.clear();
    m_textEnds.clear();
    m_text.clear();
}

void LotterySystem::appendLine(std::string_view text) {
    if (const std::optional<Combination> ticket = parseSystemLine(text)) {
        append(*ticket);
        return;
    }
    if (m_tickets.size() >= std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("too many lines");
    m_textLines.push_back(static_cast<std::uint32_t>(m_tickets.size()));
    m_text.append(text);
    m_textEnds.push_back(m_text.size());
    m_tickets.push_back(Combination{});
}

std::optional<std::size_t> LotterySystem::textLinePosition(std::size_t i) const {
    if (m_textLines.empty() || i > m_textLines.back())
        return std::nullopt;
    const auto found = std::lower_bound(m_textLines.begin(), m_textLines.end(), i);
    if (found == m_textLines.end() || *found != i)
        return std::nullopt;
    return static_cast<std::size_t>(found - m_textLines.begin());
}

void LotterySystem::appendLineTo(std::size_t i, std::string& out, std::size_t most) const {
    if (const std::optional<std::size_t> position = textLinePosition(i)) {
        const std::size_t begin = *position == 0 ? 0 : m_textEnds[*position - 1];
        out.append(m_text, begin, std::min(m_textEnds[*position] - begin, most));
        return;
    }
    const std::size_t start = out.size();
    appendSystemLine(m_tickets.at(i), out);
    if (out.size() - start > most)
        out.resize(start + most);
}

std::string LotterySystem::line(std::size_t i) const {
    std::string text;
    appendLineTo(i, text);
    return text;
}

std::optional<Combination> LotterySystem::ticket(std::size_t i) const {
    if (i >= m_tickets.size() || textLinePosition(i))
        return std::nullopt;
    return m_tickets[i];
}

} // namespace selektor
