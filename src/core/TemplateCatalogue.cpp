#include "core/TemplateCatalogue.h"

#include "core/Captions.h"

#include <stdexcept>

namespace selektor {

namespace {

constexpr int kRowColumnTemplates = (kMaxRows - kMinRows + 1) * (kMaxColumns - kMinColumns + 1);
constexpr int kSumTemplates = kHighestSumBucket - kLowestSumBucket + 1;

void checkPosition(Panel panel, int position) {
    if (position < 0 || position >= templateCount(panel))
        throw std::out_of_range("no such template on this tab");
}

} // namespace

int templateCount(Panel panel) {
    switch (panel) {
    case Panel::Numbers:
        return 0;
    case Panel::EvenOdd:
        return 7;
    case Panel::RowColumn:
        return kRowColumnTemplates;
    case Panel::Sum:
        return kSumTemplates;
    case Panel::Edge:
        return 7;
    case Panel::Dsg:
        return static_cast<int>(kDsgOrder.size());
    case Panel::Neighbours:
        return kHighestNumber - 1;
    case Panel::Pairs:
        return 10;
    case Panel::Gaps:
        return kHighestGapTemplate;
    }
    return 0;
}

std::string templateCaption(Panel panel, int position) {
    checkPosition(panel, position);
    switch (panel) {
    case Panel::EvenOdd:
        return evenOddCaption(position);
    case Panel::RowColumn:
        return rowColumnCaption(kMinRows + position / 4, kMinColumns + position % 4);
    case Panel::Sum:
        return sumCaption(kLowestSumBucket + position);
    case Panel::Edge:
        return edgeCaption(position);
    case Panel::Dsg:
        return dsgCaption(kDsgOrder[position].d, kDsgOrder[position].s);
    case Panel::Neighbours:
        return neighbourCaption(position + 1);
    case Panel::Pairs:
        return endingCaption(position);
    case Panel::Gaps:
        return gapCaption(position + 1);
    case Panel::Numbers:
        break;
    }
    return {};
}

std::uint8_t& templateFlag(FilterSettings& s, Panel panel, int position) {
    checkPosition(panel, position);
    switch (panel) {
    case Panel::EvenOdd:
        return s.evenOddTemplates[position];
    case Panel::RowColumn:
        return s.rowColumnTemplates[kMinRows + position / 4][kMinColumns + position % 4];
    case Panel::Sum:
        return s.sumTemplates[kLowestSumBucket + position];
    case Panel::Edge:
        return s.edgeTemplates[position];
    case Panel::Dsg:
        return s.dsgTemplates[kDsgOrder[position].d][kDsgOrder[position].s];
    case Panel::Neighbours:
        return s.neighbourTemplates[position + 1];
    case Panel::Pairs:
        return s.endingTemplates[position];
    case Panel::Gaps:
        return s.gapTemplates[position + 1];
    case Panel::Numbers:
        break;
    }
    throw std::out_of_range("no such template on this tab");
}

std::uint8_t templateFlag(const FilterSettings& settings, Panel panel, int position) {
    return templateFlag(const_cast<FilterSettings&>(settings), panel, position);
}

bool toggleTemplate(FilterSettings& settings, Panel panel, int position) {
    std::uint8_t& flag = templateFlag(settings, panel, position);
    flag = flag != 0 ? 0 : 1;
    return flag != 0;
}

std::uint8_t selectingMode(Panel panel) {
    return panel == Panel::Neighbours ? SelectedNeighbourPairs : 1;
}

} // namespace selektor
