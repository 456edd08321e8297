#include "core/FilterSettings.h"

#include <gtest/gtest.h>
#include <utility>

using namespace selektor;

namespace {

FilterSettings withMode(Panel panel, std::uint8_t mode = 1) {
    FilterSettings s;
    s.setMode(panel, mode);
    return s;
}

} // namespace

// Each tab set to use templates while none is chosen is refused with its own sentence.
struct Refusal {
    Panel panel;
    std::uint8_t mode;
    const char* message;
};

class Validation : public testing::TestWithParam<Refusal> {};

TEST_P(Validation, TabWithoutTemplatesIsRefused) {
    FilterSettings s = withMode(GetParam().panel, GetParam().mode);
    if (GetParam().panel == Panel::Numbers)
        for (int n = 1; n <= 6; ++n)
            s.setNumberRole(static_cast<Number>(n), Favourite);
    const auto message = validateFilterSettings(s);
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    EveryTab, Validation,
    testing::Values(
        Refusal{Panel::Numbers, 1,
                "Panel - Liczby : Nie ustalony zakres liczby elementów z grupy faworytów w szóstce !"},
        Refusal{Panel::EvenOdd, 1, "Panel - P-N : Nie ustalony schemat liczb parzystych/nieparzystych w szóstce !"},
        Refusal{Panel::RowColumn, 1, "Panel - W-K : Nie ustalony schemat graficzny wiersze/kolumny w szóstce !"},
        Refusal{Panel::Sum, 1, "Panel - Suma : Nie ustalony zakres sumy ostatnich cyfr w każdej szóstce !"},
        Refusal{Panel::Edge, 1, "Panel - Brzeg : Nie ustalony zakres liczb brzegowych w każdej szóstce !"},
        Refusal{Panel::Dsg, 1, "Panel - DSG : Nie ustalony szablon grup DSG w każdej szóstce !"},
        Refusal{Panel::Neighbours, SelectedNeighbourPairs,
                "Panel - L. sdne : Nie ustalone szablony liczb sąsiednich w każdej szóstce !"},
        Refusal{Panel::Pairs, 1, "Panel - Pary : Nie ustalony szablon par liczb zakończonych tą samą cyfrą !"},
        Refusal{Panel::Gaps, 1, "Panel - Odlg : Nie ustalona różnica dwóch kolejnych liczb w każdej szóstce !"}));

TEST(Validation, OnlyTheFirstFailingTabIsReportedInCheckOrder) {
    FilterSettings s;
    for (int p = 0; p < kPanelCount; ++p)
        s.setMode(static_cast<Panel>(p), 1);
    s.setMode(Panel::Neighbours, SelectedNeighbourPairs);
    for (int n = 1; n <= 5; ++n)
        s.setNumberRole(static_cast<Number>(n), Basic);
    EXPECT_EQ(validateFilterSettings(s), "Panel - Liczby : Z wybranych liczb nie zbudujemy nic szczególnego ! ");

    // From here on one tab at a time is given a template, so that each message is reported while
    // every later tab fails too. The check follows the tabs, not the order in which "Oblicz" consults
    // them: " W - K  " before "  Suma  ", " Pary   " before " Odlg   ".
    s.setNumberRole(6, Favourite);
    EXPECT_EQ(validateFilterSettings(s),
              "Panel - Liczby : Nie ustalony zakres liczby elementów z grupy faworytów w szóstce !");
    s.shareBoxChecked[1] = 1;
    EXPECT_EQ(validateFilterSettings(s),
              "Panel - P-N : Nie ustalony schemat liczb parzystych/nieparzystych w szóstce !");
    s.evenOddTemplates[3] = 1;
    EXPECT_EQ(validateFilterSettings(s), "Panel - W-K : Nie ustalony schemat graficzny wiersze/kolumny w szóstce !");
    s.rowColumnTemplates[4][4] = 1;
    EXPECT_EQ(validateFilterSettings(s), "Panel - Suma : Nie ustalony zakres sumy ostatnich cyfr w każdej szóstce !");
    s.sumTemplates[20] = 1;
    EXPECT_EQ(validateFilterSettings(s), "Panel - Brzeg : Nie ustalony zakres liczb brzegowych w każdej szóstce !");
    s.edgeTemplates[2] = 1;
    EXPECT_EQ(validateFilterSettings(s), "Panel - DSG : Nie ustalony szablon grup DSG w każdej szóstce !");
    s.dsgTemplates[2][2] = 1;
    EXPECT_EQ(validateFilterSettings(s), "Panel - L. sdne : Nie ustalone szablony liczb sąsiednich w każdej szóstce !");
    s.neighbourTemplates[10] = 1;
    EXPECT_EQ(validateFilterSettings(s), "Panel - Pary : Nie ustalony szablon par liczb zakończonych tą samą cyfrą !");
    s.endingTemplates[1] = 1;
    EXPECT_EQ(validateFilterSettings(s),
              "Panel - Odlg : Nie ustalona różnica dwóch kolejnych liczb w każdej szóstce !");
    s.gapTemplates[5] = 1;
    EXPECT_FALSE(validateFilterSettings(s));
}

TEST(Validation, TemplatesOfTabsInModeZeroAreNotChecked) {
    FilterSettings s = withMode(Panel::Neighbours, NoNeighbours);
    EXPECT_FALSE(validateFilterSettings(s));
    s.setMode(Panel::Neighbours, AtLeastOneNeighbourPair);
    EXPECT_FALSE(validateFilterSettings(s));
}

TEST(Validation, NumbersTabReadsTheShareBoxes) {
    FilterSettings s = withMode(Panel::Numbers);
    for (int n = 1; n <= 6; ++n)
        s.setNumberRole(static_cast<Number>(n), Basic);
    // No favourites: no share box is needed and membership alone counts.
    EXPECT_FALSE(validateFilterSettings(s));

    s.setNumberRole(7, Favourite);
    s.shareBoxChecked[1] = 1;
    EXPECT_FALSE(validateFilterSettings(s));
    EXPECT_EQ(s.favouriteShareAllowed, (std::array<std::uint8_t, 7>{0, 1, 0, 0, 0, 0, 0}));

    // Unchecking every box is refused, and the boxes are read all the same.
    s.shareBoxChecked[1] = 0;
    EXPECT_TRUE(validateFilterSettings(s));
    EXPECT_EQ(s.favouriteShareAllowed, (std::array<std::uint8_t, 7>{}));
}

TEST(NumberRoles, CountsFollowEveryMove) {
    FilterSettings s;
    s.setNumberRole(5, Favourite);
    s.setNumberRole(6, Basic);
    s.setNumberRole(5, Basic);
    EXPECT_EQ(s.favouriteCount, 0);
    EXPECT_EQ(s.basicCount, 2);
    s.setNumberRole(6, NoGroup);
    EXPECT_EQ(s.basicCount, 1);
}

TEST(PanelRules, NumbersTabWithFavouritesShare) {
    FilterSettings s = withMode(Panel::Numbers);
    for (Number n : {1, 2, 3, 4, 5, 6})
        s.setNumberRole(n, Favourite);
    for (Number n : {10, 11, 12, 13, 14, 15})
        s.setNumberRole(n, Basic);
    s.shareBoxChecked[0] = 1;
    ASSERT_FALSE(validateFilterSettings(s));
    EXPECT_TRUE(acceptsCombination(s, {10, 11, 12, 13, 14, 15}));
    EXPECT_FALSE(acceptsCombination(s, {1, 11, 12, 13, 14, 15}));
    EXPECT_FALSE(acceptsCombination(s, {10, 11, 12, 13, 14, 20})) << "20 is in neither group";

    s.shareBoxChecked = {0, 0, 0, 0, 0, 0, 1};
    ASSERT_FALSE(validateFilterSettings(s));
    EXPECT_TRUE(acceptsCombination(s, {1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(acceptsCombination(s, {1, 2, 3, 4, 5, 10}));
}

TEST(PanelRules, RowsAndColumns) {
    FilterSettings s = withMode(Panel::RowColumn);
    s.rowColumnTemplates[3][3] = 1;
    EXPECT_FALSE(acceptsCombination(s, {1, 2, 3, 10, 11, 12})) << "two rows";
    EXPECT_FALSE(acceptsCombination(s, {1, 2, 10, 11, 19, 20})) << "two column keys";
    EXPECT_TRUE(acceptsCombination(s, {1, 2, 3, 10, 19, 20}));
    EXPECT_FALSE(acceptsCombination(s, {1, 2, 11, 12, 21, 22})) << "four column keys";
}

TEST(PanelRules, SumBucketsAtTheEnds) {
    FilterSettings s = withMode(Panel::Sum);
    s.sumTemplates[19] = 1;
    EXPECT_TRUE(acceptsCombination(s, {1, 10, 11, 20, 30, 40}));
    EXPECT_TRUE(acceptsCombination(s, {1, 2, 3, 4, 5, 14})) << "sum 19";
    EXPECT_FALSE(acceptsCombination(s, {1, 2, 3, 4, 5, 15})) << "sum 20";

    // Both sides of the two boundaries of the range buckets: each sum finds its own template only.
    const std::pair<int, Combination> sums[] = {
        {19, {1, 2, 3, 4, 5, 14}}, {20, {1, 2, 3, 4, 5, 15}}, {35, {5, 6, 7, 8, 9, 10}}, {36, {5, 6, 7, 8, 9, 11}}};
    for (int bucket : {19, 20, 35, 36}) {
        s.sumTemplates = {};
        s.sumTemplates[bucket] = 1;
        for (const auto& [sum, c] : sums)
            EXPECT_EQ(acceptsCombination(s, c), sum == bucket) << "template " << bucket << ", sum " << sum;
    }
}

TEST(PanelRules, SelectedNeighbourPairs) {
    FilterSettings s = withMode(Panel::Neighbours, SelectedNeighbourPairs);
    s.neighbourTemplates[1] = 1;
    EXPECT_TRUE(acceptsCombination(s, {1, 2, 10, 20, 30, 40}));
    EXPECT_TRUE(acceptsCombination(s, {1, 2, 3, 10, 20, 30}));
    EXPECT_FALSE(acceptsCombination(s, {2, 3, 10, 20, 30, 40}));
}

TEST(PanelRules, GapsUpToSixteen) {
    FilterSettings s = withMode(Panel::Gaps);
    s.gapTemplates[16] = 1;
    EXPECT_TRUE(acceptsCombination(s, {1, 17, 20, 30, 40, 45}));
    EXPECT_FALSE(acceptsCombination(s, {1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(acceptsCombination(s, {1, 18, 20, 30, 40, 45})) << "a gap of 17 has no template";
}

TEST(PanelRules, SameEndingPairsWithOneSelectedDigit) {
    FilterSettings s = withMode(Panel::Pairs);
    s.endingTemplates[1] = 1;
    s.otherDigitsRule = 3;
    EXPECT_TRUE(acceptsCombination(s, {1, 11, 20, 32, 43, 45}));
    EXPECT_FALSE(acceptsCombination(s, {1, 11, 21, 32, 43, 45})) << "leading count 3";
    EXPECT_FALSE(acceptsCombination(s, {1, 11, 22, 32, 43, 45})) << "digit 2 occurs twice";
    EXPECT_FALSE(acceptsCombination(s, {2, 12, 20, 33, 44, 45})) << "no selected digit pairs";
    s.pairGroupLimit = 1;
    s.otherDigitsRule = 0;
    EXPECT_TRUE(acceptsCombination(s, {1, 11, 21, 32, 43, 45}));
    s.pairGroupLimit = 2;
    EXPECT_FALSE(acceptsCombination(s, {1, 11, 21, 31, 41, 45})) << "a quintuple is always refused";
}

TEST(PanelRules, SameEndingPairsOtherDigitsRules) {
    FilterSettings s = withMode(Panel::Pairs);
    s.endingTemplates[1] = 1;
    s.endingTemplates[2] = 1;
    s.otherDigitsRule = 1;
    EXPECT_TRUE(acceptsCombination(s, {1, 2, 11, 12, 30, 45}));
    s.endingTemplates[2] = 0;
    EXPECT_FALSE(acceptsCombination(s, {1, 2, 11, 12, 30, 45})) << "digit 2 pairs without being selected";
    s.otherDigitsRule = 2;
    EXPECT_TRUE(acceptsCombination(s, {1, 2, 11, 12, 30, 45}));

    // Rules 1 and 2 let another digit form a pair at most, never a triple.
    for (std::uint8_t rule : {1, 2}) {
        s.otherDigitsRule = rule;
        EXPECT_FALSE(acceptsCombination(s, {1, 2, 11, 12, 22, 45})) << "rule " << int{rule} << ", digit 2 thrice";
    }
    s.otherDigitsRule = 0;
    EXPECT_TRUE(acceptsCombination(s, {1, 2, 11, 12, 22, 45}));
    // Both digits selected and both triples: 1 leads, having reached three first, and 2 is too many.
    s.endingTemplates[2] = 1;
    s.pairGroupLimit = 1;
    for (std::uint8_t rule : {1, 2}) {
        s.otherDigitsRule = rule;
        EXPECT_FALSE(acceptsCombination(s, {1, 2, 11, 12, 21, 22})) << "rule " << int{rule} << ", two triples";
    }
    s.otherDigitsRule = 0;
    EXPECT_TRUE(acceptsCombination(s, {1, 2, 11, 12, 21, 22}));
}
