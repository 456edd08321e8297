#pragma once

// The sentences and captions of the analysis window, and the few things its three tabs share: which
// draws of the history they use, and whether the current system is one a check can read.

#include "core/FilterSettings.h"
#include "generator/LotterySystem.h"
#include "history/DrawHistory.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace selektor {

// Said in a tab instead of figures that would only look like results.
inline constexpr char kEmptyHistoryMessage[] =
    "Historia losowań jest pusta - dodaj lub zaimportuj losowania, zanim zaczniesz analizę !";
inline constexpr char kDamagedHistoryMessage[] =
    "Historia losowań nie została poprawnie wczytana - analiza będzie możliwa po naprawieniu plików losowań !";
inline constexpr char kEmptySystemMessage[] = "System jest pusty - zbuduj albo otwórz system, zanim go sprawdzisz !";
inline constexpr char kEmptyPoolMessage[] =
    "Pula kombinacji jest pusta - pokrycie systemu mierzy się na puli, którą zostawia \"Oblicz\" !";
inline constexpr char kPoolTooLargeMessage[] =
    "W puli jest więcej niż 30000 kombinacji i nie wszystkie zostały zapamiętane - zawęź filtry i naciśnij "
    "\"Oblicz\" !";
// "Linia 17 systemu nie jest szóstką różnych liczb od 1 do 49 - system nie został sprawdzony !"
std::string badSystemLineMessage(std::size_t lineNumber);

// The order in which "Oblicz" consults the tabs (see Enumeration.h): the tab that throws a draw out
// first and the steps of the funnel follow it.
inline constexpr std::array<Panel, kPanelCount> kEnumerationOrder = {Panel::Numbers, Panel::EvenOdd, Panel::Sum,
                                                                     Panel::Edge,    Panel::Dsg,     Panel::Neighbours,
                                                                     Panel::Gaps,    Panel::Pairs,   Panel::RowColumn};

// The tab's caption without the blanks that pad it on the page control: "Liczby", "P - N", "L. sdne".
std::string panelCaption(Panel panel);

// part of whole in percent with two decimals and a decimal comma, rounded half up: "75,00", "0,03".
// "0,00" when whole is 0. A share short of the whole never shows "100,00", a share above nothing never
// "0,00".
std::string percentText(std::int64_t part, std::int64_t whole);

// "1 trafienie", "3 trafienia", "5 trafień".
std::string hitCountText(int hits);

// What a system is sure of when the drawn six is one of its pool's combinations, `guaranteedHits` being
// the fewest hits of the best line over the whole pool.
std::string guaranteeSentence(int guaranteedHits);

// The draws an analysis works on, oldest first: every record of the history, or the newest `newest` of
// them (0: all). The history is refused when it is empty or failed its checks at loading.
struct HistoryDraws {
    std::optional<std::string> refusal;
    std::size_t first = 0; // index of the oldest draw used
    std::size_t end = 0;   // one past the newest
};
HistoryDraws historyDraws(const DrawHistory& history, std::size_t newest = 0);

// The date of draw `index` as its line of the draw list holds it ("dd.MM.yyyy"); empty when the line is
// too short to hold one.
std::string drawDate(const DrawHistory& history, std::size_t index);

// Nothing when every line of the system is a ticket of six different Numbers 1 to 49 rising; otherwise
// the sentence naming the first line that is not, or the empty system's.
std::optional<std::string> systemRefusal(const LotterySystem& system);

} // namespace selektor
