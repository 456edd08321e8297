#pragma once

// Filter settings a player might really use, shared by the tests and the benchmarks that need an
// ordinary setting rather than a random one.

#include "core/FilterSettings.h"

#include <utility>

namespace selektor::test {

// A player's narrow but ordinary setting, with every tab in its selecting mode.
inline FilterSettings allTabsSelecting() {
    FilterSettings s;
    for (int p = 0; p < kPanelCount; ++p)
        s.setMode(static_cast<Panel>(p), 1);
    for (int n = 1; n <= 49; ++n)
        if (n % 7 != 0)
            s.setNumberRole(static_cast<Number>(n), n % 5 == 0 ? Favourite : Basic);
    s.shareBoxChecked = {1, 1, 1, 0, 0, 0, 0};
    s.evenOddTemplates = {0, 0, 1, 1, 1, 0, 0};
    for (int r = 3; r <= 5; ++r)
        for (int k = 4; k <= 6; ++k)
            s.rowColumnTemplates[r][k] = 1;
    for (int b = 22; b <= 32; ++b)
        s.sumTemplates[b] = 1;
    s.edgeTemplates = {0, 1, 1, 1, 1, 0, 0};
    for (auto cell : {std::pair{2, 2}, {3, 2}, {2, 3}, {3, 1}, {1, 3}, {2, 1}, {1, 2}})
        s.dsgTemplates[cell.first][cell.second] = 1;
    s.setMode(Panel::Neighbours, SelectedNeighbourPairs);
    for (int n = 1; n < 49; n += 2)
        s.neighbourTemplates[n] = 1;
    s.endingTemplates = {0, 1, 1, 0, 1, 0, 1, 0, 0, 1};
    s.pairGroupLimit = 1;
    s.otherDigitsRule = 1;
    for (int g = 3; g <= 9; ++g)
        s.gapTemplates[g] = 1;
    return s;
}

// A typical evening's settings: three even and three odd, last-digit sum 20 to 30, one edge number,
// DSG 2-2-2. 27336 combinations pass, all of them kept in the pool.
inline FilterSettings eveningSettings() {
    FilterSettings s;
    s.setMode(Panel::EvenOdd, 1);
    s.evenOddTemplates[3] = 1;
    s.setMode(Panel::Sum, 1);
    for (int bucket = 20; bucket <= 30; ++bucket)
        s.sumTemplates[bucket] = 1;
    s.setMode(Panel::Edge, 1);
    s.edgeTemplates[1] = 1;
    s.setMode(Panel::Dsg, 1);
    s.dsgTemplates[2][2] = 1;
    return s;
}

} // namespace selektor::test
