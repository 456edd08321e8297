#include "core/FilterSettings.h"

#include "core/Patterns.h"

#include <algorithm>

namespace selektor {

namespace {

bool anyOn(const auto& flags) {
    return std::any_of(flags.begin(), flags.end(), [](std::uint8_t f) { return f != 0; });
}

bool anyOn2(const auto& table) {
    return std::any_of(table.begin(), table.end(), [](const auto& row) { return anyOn(row); });
}

bool numbersAccept(const FilterSettings& s, const Combination& c) {
    int favourites = 0;
    for (Number n : c) {
        if (s.numberRole[n] == NoGroup)
            return false;
        favourites += s.numberRole[n] == Favourite ? 1 : 0;
    }
    // With no favourites the basic group alone decides membership.
    return s.favouriteCount == 0 || s.favouriteShareAllowed[favourites] != 0;
}

bool rowColumnAccepts(const FilterSettings& s, const Combination& c) {
    const RowColumnPattern p = rowColumnPattern(c);
    if (p.rows < kMinRows || p.rows > kMaxRows || p.columns < kMinColumns)
        return false;
    return s.rowColumnTemplates[p.rows][p.columns] != 0;
}

bool neighboursAccept(const FilterSettings& s, const Combination& c) {
    const NeighbourPairs pairs = neighbourPairs(c);
    switch (s.mode(Panel::Neighbours)) {
    case NoNeighbours:
        return pairs.count == 0;
    case AtLeastOneNeighbourPair:
        return pairs.count > 0;
    case SelectedNeighbourPairs:
        for (int i = 0; i < pairs.count; ++i)
            if (s.neighbourTemplates[pairs.lower[i]])
                return true;
        return false;
    default:
        return true;
    }
}

bool gapsAccept(const FilterSettings& s, const Combination& c) {
    for (std::uint8_t g : gaps(c))
        if (g <= kHighestGapTemplate && s.gapTemplates[g])
            return true;
    return false;
}

bool pairsAccept(const FilterSettings& s, const Combination& c) {
    // Leading digit: the selected digit with the most members; on a tie, the one that got there first.
    EndingCounts m{};
    int leadingCount = 0;
    int leadingDigit = -1;
    for (Number n : c) {
        const int t = lastDigit(n);
        ++m[t];
        if (m[t] >= 2 && s.endingTemplates[t] && m[t] > leadingCount) {
            leadingCount = m[t];
            leadingDigit = t;
        }
    }
    if (leadingDigit < 0 || leadingCount > pairGroupCountLimit(s.pairGroupLimit))
        return false;
    return otherDigitsAllowed(s, m, leadingDigit);
}

} // namespace

void FilterSettings::setNumberRole(Number n, NumberRole role) {
    const auto old = numberRole[n];
    favouriteCount -= old == Favourite ? 1 : 0;
    basicCount -= old == Basic ? 1 : 0;
    numberRole[n] = role;
    favouriteCount += role == Favourite ? 1 : 0;
    basicCount += role == Basic ? 1 : 0;
}

bool otherDigitsAllowed(const FilterSettings& s, const std::array<std::uint8_t, 10>& m, int leadingDigit) {
    for (int t = 0; t < 10; ++t) {
        if (t == leadingDigit)
            continue;
        switch (s.otherDigitsRule) {
        case 1:
            if (m[t] > 2 || (m[t] == 2 && !s.endingTemplates[t]))
                return false;
            break;
        case 2:
            if (m[t] > 2)
                return false;
            break;
        case 3:
            if (m[t] > 1)
                return false;
            break;
        default:
            break;
        }
    }
    return true;
}

std::optional<std::string> validateFilterSettings(FilterSettings& s) {
    if (s.active(Panel::Numbers)) {
        if (s.favouriteCount + s.basicCount < 6)
            return "Panel - Liczby : Z wybranych liczb nie zbudujemy nic szczególnego ! ";
        s.favouriteShareAllowed = s.shareBoxChecked;
        if (!anyOn(s.shareBoxChecked) && s.favouriteCount > 0)
            return "Panel - Liczby : Nie ustalony zakres liczby elementów z grupy faworytów w szóstce !";
    }
    if (s.active(Panel::EvenOdd) && !anyOn(s.evenOddTemplates))
        return "Panel - P-N : Nie ustalony schemat liczb parzystych/nieparzystych w szóstce !";
    if (s.active(Panel::RowColumn) && !anyOn2(s.rowColumnTemplates))
        return "Panel - W-K : Nie ustalony schemat graficzny wiersze/kolumny w szóstce !";
    if (s.active(Panel::Sum) && !anyOn(s.sumTemplates))
        return "Panel - Suma : Nie ustalony zakres sumy ostatnich cyfr w każdej szóstce !";
    if (s.active(Panel::Edge) && !anyOn(s.edgeTemplates))
        return "Panel - Brzeg : Nie ustalony zakres liczb brzegowych w każdej szóstce !";
    if (s.active(Panel::Dsg) && !anyOn2(s.dsgTemplates))
        return "Panel - DSG : Nie ustalony szablon grup DSG w każdej szóstce !";
    if (s.mode(Panel::Neighbours) == SelectedNeighbourPairs && !anyOn(s.neighbourTemplates))
        return "Panel - L. sdne : Nie ustalone szablony liczb sąsiednich w każdej szóstce !";
    if (s.active(Panel::Pairs) && !anyOn(s.endingTemplates))
        return "Panel - Pary : Nie ustalony szablon par liczb zakończonych tą samą cyfrą !";
    if (s.active(Panel::Gaps) && !anyOn(s.gapTemplates))
        return "Panel - Odlg : Nie ustalona różnica dwóch kolejnych liczb w każdej szóstce !";
    return std::nullopt;
}

bool panelAccepts(const FilterSettings& s, Panel panel, const Combination& c) {
    if (!s.active(panel))
        return true;
    switch (panel) {
    case Panel::Numbers:
        return numbersAccept(s, c);
    case Panel::EvenOdd:
        return s.evenOddTemplates[evenCount(c)] != 0;
    case Panel::RowColumn:
        return rowColumnAccepts(s, c);
    case Panel::Sum:
        return s.sumTemplates[sumBucket(lastDigitSum(c))] != 0;
    case Panel::Edge:
        return s.edgeTemplates[edgeCount(c)] != 0;
    case Panel::Dsg: {
        const DsgPattern p = dsgPattern(c);
        return s.dsgTemplates[p.d][p.s] != 0;
    }
    case Panel::Neighbours:
        return neighboursAccept(s, c);
    case Panel::Pairs:
        return pairsAccept(s, c);
    case Panel::Gaps:
        return gapsAccept(s, c);
    }
    return true;
}

bool acceptsCombination(const FilterSettings& s, const Combination& c) {
    for (int p = 0; p < kPanelCount; ++p)
        if (!panelAccepts(s, static_cast<Panel>(p), c))
            return false;
    return true;
}

} // namespace selektor
