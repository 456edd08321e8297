#include "core/TemplateCatalogue.h"

#include <gtest/gtest.h>
#include <set>
#include <stdexcept>

namespace selektor {
namespace {

constexpr Panel kTemplatePanels[] = {Panel::EvenOdd, Panel::RowColumn,  Panel::Sum,   Panel::Edge,
                                     Panel::Dsg,     Panel::Neighbours, Panel::Pairs, Panel::Gaps};

TEST(TemplateCatalogue, EveryTemplateSwitchesItsOwnFlagAndNoOther) {
    for (Panel panel : kTemplatePanels) {
        FilterSettings settings;
        std::set<const std::uint8_t*> flags;
        for (int i = 0; i < templateCount(panel); ++i) {
            EXPECT_TRUE(toggleTemplate(settings, panel, i));
            flags.insert(&templateFlag(settings, panel, i));
        }
        EXPECT_EQ(static_cast<int>(flags.size()), templateCount(panel)) << static_cast<int>(panel);
        for (int i = 0; i < templateCount(panel); ++i) {
            EXPECT_EQ(templateFlag(std::as_const(settings), panel, i), 1);
            EXPECT_FALSE(toggleTemplate(settings, panel, i));
        }
    }
}

struct Placement {
    Panel panel;
    int position;
    const char* caption;
};

class TemplatePlacement : public ::testing::TestWithParam<Placement> {};

TEST_P(TemplatePlacement, CaptionFollowsTheLayoutOrder) {
    const Placement p = GetParam();
    EXPECT_EQ(templateCaption(p.panel, p.position), p.caption);
}

INSTANTIATE_TEST_SUITE_P(LayoutOrder, TemplatePlacement,
                         ::testing::Values(Placement{Panel::EvenOdd, 0, "0-6"}, Placement{Panel::EvenOdd, 6, "6-0"},
                                           Placement{Panel::RowColumn, 0, "3-3"}, Placement{Panel::RowColumn, 5, "4-4"},
                                           Placement{Panel::RowColumn, 6, "4-5"},
                                           Placement{Panel::RowColumn, 11, "5-6"}, Placement{Panel::Sum, 0, "2-19"},
                                           Placement{Panel::Sum, 1, "20"}, Placement{Panel::Sum, 16, "35"},
                                           Placement{Panel::Sum, 17, "36-53"}, Placement{Panel::Edge, 6, "B-6"},
                                           Placement{Panel::Dsg, 0, "600"}, Placement{Panel::Dsg, 1, "510"},
                                           Placement{Panel::Dsg, 27, "006"}, Placement{Panel::Neighbours, 0, " 1 - 2 "},
                                           Placement{Panel::Neighbours, 8, " 9 -10 "},
                                           Placement{Panel::Neighbours, 47, "48-49"}, Placement{Panel::Pairs, 9, "9-9"},
                                           Placement{Panel::Gaps, 15, "16"}));

TEST(TemplateCatalogue, PositionsMapOntoTheTablesTheRulesRead) {
    FilterSettings s;
    toggleTemplate(s, Panel::RowColumn, 6);
    EXPECT_EQ(s.rowColumnTemplates[4][5], 1);
    toggleTemplate(s, Panel::Sum, 0);
    toggleTemplate(s, Panel::Sum, 17);
    EXPECT_EQ(s.sumTemplates[19], 1);
    EXPECT_EQ(s.sumTemplates[36], 1);
    toggleTemplate(s, Panel::Dsg, 1);
    EXPECT_EQ(s.dsgTemplates[5][1], 1);
    toggleTemplate(s, Panel::Neighbours, 47);
    EXPECT_EQ(s.neighbourTemplates[48], 1);
    toggleTemplate(s, Panel::Gaps, 0);
    EXPECT_EQ(s.gapTemplates[1], 1);
    toggleTemplate(s, Panel::EvenOdd, 3);
    EXPECT_EQ(s.evenOddTemplates[3], 1);
}

TEST(TemplateCatalogue, RefusesPositionsOutsideTheTab) {
    FilterSettings s;
    EXPECT_EQ(templateCount(Panel::Numbers), 0);
    EXPECT_THROW(templateFlag(s, Panel::Numbers, 0), std::out_of_range);
    EXPECT_THROW(templateFlag(s, Panel::Gaps, 16), std::out_of_range);
    EXPECT_THROW(templateFlag(s, Panel::EvenOdd, -1), std::out_of_range);
}

TEST(TemplateCatalogue, OnlyNeighboursSelectInTheirFourthMode) {
    EXPECT_EQ(selectingMode(Panel::Neighbours), SelectedNeighbourPairs);
    EXPECT_EQ(selectingMode(Panel::Pairs), 1);
    EXPECT_EQ(selectingMode(Panel::Numbers), 1);
}

} // namespace
} // namespace selektor
