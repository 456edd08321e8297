#include "analysis/AnalysisTexts.h"

#include <algorithm>

namespace selektor {

std::string badSystemLineMessage(std::size_t lineNumber) {
    return "Linia " + std::to_string(lineNumber) +
           " systemu nie jest szóstką różnych liczb od 1 do 49 - system nie został sprawdzony !";
}

std::string panelCaption(Panel panel) {
    switch (panel) {
    case Panel::Numbers:
        return "Liczby";
    case Panel::EvenOdd:
        return "P - N";
    case Panel::RowColumn:
        return "W - K";
    case Panel::Sum:
        return "Suma";
    case Panel::Edge:
        return "Brzeg";
    case Panel::Dsg:
        return "D S G";
    case Panel::Neighbours:
        return "L. sdne";
    case Panel::Pairs:
        return "Pary";
    case Panel::Gaps:
        return "Odlg";
    }
    return {};
}

std::string percentText(std::int64_t part, std::int64_t whole) {
    if (whole <= 0)
        return "0,00";
    // Hundredths of a percent, rounded half up, in whole numbers so that a table and its file agree to
    // the last digit.
    std::int64_t hundredths = (part * 20000 + whole) / (2 * whole);
    // A share that is neither all nor nothing never reads as either: a system one hole short of its
    // guarantee must not show "100,00".
    if (part < whole)
        hundredths = std::min<std::int64_t>(hundredths, 9999);
    if (part > 0)
        hundredths = std::max<std::int64_t>(hundredths, 1);
    const std::int64_t fraction = hundredths % 100;
    return std::to_string(hundredths / 100) + (fraction < 10 ? ",0" : ",") + std::to_string(fraction);
}

std::string hitCountText(int hits) {
    const char* word = "trafień";
    if (hits == 1)
        word = "trafienie";
    else if (hits >= 2 && hits <= 4)
        word = "trafienia";
    return std::to_string(hits) + " " + word;
}

std::string guaranteeSentence(int guaranteedHits) {
    const std::string lead = "Jeżeli wylosowana szóstka jest w puli, ";
    if (guaranteedHits <= 0)
        return lead + "system nie gwarantuje ani jednego trafienia.";
    if (guaranteedHits < 3)
        return lead + "system gwarantuje tylko " + hitCountText(guaranteedHits) + " - nawet trójka nie jest pewna.";
    return lead + "co najmniej jedna linia systemu ma na pewno " + hitCountText(guaranteedHits) + ".";
}

HistoryDraws historyDraws(const DrawHistory& history, std::size_t newest) {
    HistoryDraws draws;
    // The records of a history that failed its checks may hold anything; no figure is built on them.
    if (history.problem) {
        draws.refusal = kDamagedHistoryMessage;
        return draws;
    }
    if (history.records.empty()) {
        draws.refusal = kEmptyHistoryMessage;
        return draws;
    }
    draws.end = history.records.size();
    draws.first = newest == 0 || newest >= draws.end ? 0 : draws.end - newest;
    return draws;
}

std::string drawDate(const DrawHistory& history, std::size_t index) {
    // A line of the draw list: the draw number in four characters, two blanks, then the date.
    constexpr std::size_t kDateStart = 6, kDateLength = 10;
    if (index >= history.lines.size() || history.lines[index].size() < kDateStart + kDateLength)
        return {};
    return history.lines[index].substr(kDateStart, kDateLength);
}

std::optional<std::string> systemRefusal(const LotterySystem& system) {
    if (system.empty())
        return kEmptySystemMessage;
    // A line kept as text holds zeros among the tickets, so one pass finds it as well as a ticket that a
    // generator should never have made.
    const std::span<const Combination> tickets = system.tickets();
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        if (!isSoundCombination(tickets[i]))
            return badSystemLineMessage(i + 1);
    }
    return std::nullopt;
}

} // namespace selektor
