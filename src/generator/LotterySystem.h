#pragma once

// The current system: its lines in list order. A line is a ticket (a Combination, shown and saved as its
// 18-character system line) or, when a file held something else there, the file's own text, which is
// shown, checked and saved back unchanged. Tickets take six bytes each, so a system of millions of lines
// from a file stays small, and the generators, the result check and printing read the Numbers directly.

#include "core/Combination.h"
#include "generator/SystemLine.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace selektor {

// The ticket whose system line is exactly `text`: six fields of three characters, each a blank and two
// digits from 10 or two blanks and a digit below 10, Numbers 1 to 49 rising. Nothing for any other text.
std::optional<Combination> parseSystemLine(std::string_view text);

class LotterySystem {
public:
    std::size_t size() const { return m_tickets.size(); }
    bool empty() const { return m_tickets.empty(); }
    void clear();
    void reserve(std::size_t lines) { m_tickets.reserve(lines); }

    // A ticket kept by a generator.
    void append(const Combination& ticket) { m_tickets.push_back(ticket); }
    // A line as a file holds it: a ticket when it reads as one exactly, otherwise kept as text.
    void appendLine(std::string_view text);

    // Line i as the list shows it and a file holds it.
    std::string line(std::size_t i) const;
    // Appends line i to `out`, without a line end: at most `most` bytes of it.
    void appendLineTo(std::size_t i, std::string& out, std::size_t most = std::string::npos) const;

    // Calls f(index, text) for every line in list order; `text` is valid only during the call.
    template <class F> void forEachLine(F&& f) const;

    // The ticket on line i, or nothing for a line that is not one.
    std::optional<Combination> ticket(std::size_t i) const;
    // True when every line is a ticket, as in every system a generator built.
    bool allTickets() const { return m_textLines.empty(); }
    // Every line's ticket in list order; a line that is not a ticket holds zeros here. Meant for systems
    // whose lines are all tickets.
    std::span<const Combination> tickets() const { return m_tickets; }

    friend bool operator==(const LotterySystem&, const LotterySystem&) = default;

private:
    // The position of line i among the lines kept as text, if it is one.
    std::optional<std::size_t> textLinePosition(std::size_t i) const;

    std::vector<Combination> m_tickets;     // one entry per line
    std::vector<std::uint32_t> m_textLines; // the lines kept as text, rising
    std::vector<std::size_t> m_textEnds;    // where each of them ends in m_text
    std::string m_text;                     // their texts, one after another
};

template <class F> void LotterySystem::forEachLine(F&& f) const {
    std::string buffer;
    std::size_t textLine = 0;
    std::size_t textBegin = 0;
    for (std::size_t i = 0; i < m_tickets.size(); ++i) {
        if (textLine < m_textLines.size() && m_textLines[textLine] == i) {
            const std::size_t end = m_textEnds[textLine++];
            f(i, std::string_view(m_text).substr(textBegin, end - textBegin));
            textBegin = end;
            continue;
        }
        buffer.clear();
        appendSystemLine(m_tickets[i], buffer);
        f(i, std::string_view(buffer));
    }
}

} // namespace selektor
