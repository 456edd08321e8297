#include "presentation/RevealSteps.h"

#include <gtest/gtest.h>

namespace selektor {
namespace {

// The tick at which a reveal stops its timer, found by running it.
template <class Step> int stopTick(Step step) {
    int tick = 0;
    while (!step(tick).done && tick < 1000)
        ++tick;
    return tick;
}

std::uint64_t bits(std::initializer_list<int> items) {
    std::uint64_t mask = 0;
    for (int i : items)
        mask |= 1ull << i;
    return mask;
}

TEST(RevealSteps, TimersTickAtTheirOwnPace) {
    EXPECT_EQ(revealInterval(Panel::Numbers), 5);
    EXPECT_EQ(revealInterval(Panel::Sum), 10);
    for (Panel p :
         {Panel::EvenOdd, Panel::RowColumn, Panel::Edge, Panel::Dsg, Panel::Neighbours, Panel::Pairs, Panel::Gaps})
        EXPECT_EQ(revealInterval(p), 100);
}

TEST(RevealSteps, NumberGroupsSlideFromAboveAndBelowIntoPlace) {
    EXPECT_EQ(numbersReveal(0).favouritesTop, -244);
    EXPECT_EQ(numbersReveal(0).basicTop, 255);
    EXPECT_EQ(numbersReveal(1).favouritesTop, -234);
    EXPECT_EQ(numbersReveal(1).basicTop, 234);
    const GroupsSlide last = numbersReveal(24);
    EXPECT_EQ(last.favouritesTop, -4);
    EXPECT_EQ(last.basicTop, 4);
    EXPECT_FALSE(last.rangeBoxShown);
    const GroupsSlide settled = numbersReveal(25);
    EXPECT_EQ(settled.favouritesTop, 4);
    EXPECT_EQ(settled.basicTop, 4);
    EXPECT_TRUE(settled.rangeBoxShown);
    EXPECT_EQ(stopTick(numbersReveal), 25);
}

TEST(RevealSteps, EvenOddBarsThenCaptionsLeftToRight) {
    EXPECT_EQ(evenOddReveal(0).shapes, 0u);
    EXPECT_EQ(evenOddReveal(1).shapes, bits({0}));
    EXPECT_EQ(evenOddReveal(7).shapes, 0x7Fu);
    EXPECT_EQ(evenOddReveal(7).captions, 0u);
    EXPECT_EQ(evenOddReveal(8).captions, bits({0}));
    EXPECT_EQ(evenOddReveal(14).captions, 0x7Fu);
    EXPECT_EQ(stopTick(evenOddReveal), 15);
}

TEST(RevealSteps, RowColumnCardsInwardCaptionsOutward) {
    // Layout order: "3-3" .. "3-6" (0..3), "4-3" .. "4-6" (4..7), "5-3" .. "5-6" (8..11).
    EXPECT_EQ(rowColumnReveal(1).shapes, bits({0, 11}));
    EXPECT_EQ(rowColumnReveal(2).shapes, bits({0, 11, 1, 10}));
    EXPECT_EQ(rowColumnReveal(5).shapes & ~rowColumnReveal(4).shapes, bits({4, 7}));
    EXPECT_EQ(rowColumnReveal(6).shapes, 0xFFFu);
    EXPECT_EQ(rowColumnReveal(6).captions, 0u);
    EXPECT_EQ(rowColumnReveal(7).captions, bits({5, 6}));
    EXPECT_EQ(rowColumnReveal(8).captions, bits({5, 6, 4, 7}));
    EXPECT_EQ(rowColumnReveal(12).captions, 0xFFFu);
    EXPECT_EQ(stopTick(rowColumnReveal), 13);
}

TEST(RevealSteps, EdgePictureThenTheStaircaseFromTheTallestColumn) {
    EXPECT_FALSE(edgeReveal(0).picture);
    EXPECT_TRUE(edgeReveal(1).picture);
    EXPECT_EQ(edgeReveal(1).shapes, 0u);
    EXPECT_EQ(edgeReveal(2).shapes, bits({6}));
    EXPECT_EQ(edgeReveal(3).shapes, bits({6, 5}));
    EXPECT_EQ(edgeReveal(8).shapes, 0x7Fu);
    EXPECT_EQ(edgeReveal(8).captions, edgeReveal(8).shapes);
    EXPECT_EQ(stopTick(edgeReveal), 9);
}

TEST(RevealSteps, NeighboursPictureIsShownOnlyBriefly) {
    EXPECT_FALSE(neighboursReveal(0).picture);
    EXPECT_TRUE(neighboursReveal(3).picture);
    EXPECT_FALSE(neighboursReveal(4).picture);
    EXPECT_EQ(neighboursReveal(4).shapes, 0u);
    EXPECT_EQ(neighboursReveal(5).shapes, bits({0}));
    EXPECT_EQ(neighboursReveal(8).shapes, 0xFu);
    EXPECT_EQ(stopTick(neighboursReveal), 9);
}

TEST(RevealSteps, GapTemplatesOneByOneThenTheNote) {
    EXPECT_EQ(gapsReveal(16).shapes, 0xFFFFu);
    EXPECT_FALSE(gapsReveal(16).note);
    EXPECT_TRUE(gapsReveal(17).note);
    EXPECT_EQ(stopTick(gapsReveal), 18);
}

TEST(RevealSteps, SumBlockGrowsToItsFullHeight) {
    EXPECT_EQ(sumReveal(0).blockHeight, 9);
    EXPECT_EQ(sumReveal(1).blockHeight, 19);
    EXPECT_FALSE(sumReveal(19).endBoxesShown);
    EXPECT_EQ(sumReveal(20).blockHeight, 209);
    EXPECT_TRUE(sumReveal(20).endBoxesShown);
    EXPECT_EQ(stopTick(sumReveal), 20);
}

TEST(RevealSteps, DsgBlockSwingsLeftThenRestsRightOfTheLegend) {
    EXPECT_FALSE(dsgReveal(0).blockShown);
    EXPECT_EQ(dsgReveal(1).blockX, 154);
    EXPECT_EQ(dsgReveal(2).blockX, 10);
    EXPECT_EQ(dsgReveal(3).blockX, 154);
    EXPECT_EQ(dsgReveal(4).blockX, 242);
    EXPECT_FALSE(dsgReveal(4).legendShown);
    EXPECT_TRUE(dsgReveal(5).legendShown);
    EXPECT_EQ(stopTick(dsgReveal), 6);
}

TEST(RevealSteps, PairsCurtainsPartFromTheMiddle) {
    EXPECT_EQ(pairsReveal(0).leftX, 0);
    EXPECT_EQ(pairsReveal(0).rightX, 185);
    EXPECT_TRUE(pairsReveal(0).curtainsShown);
    EXPECT_EQ(pairsReveal(3).leftX, -30);
    EXPECT_EQ(pairsReveal(3).rightX, 215);
    EXPECT_TRUE(pairsReveal(17).curtainsShown);
    EXPECT_FALSE(pairsReveal(17).optionsShown);
    EXPECT_FALSE(pairsReveal(18).curtainsShown);
    EXPECT_TRUE(pairsReveal(18).optionsShown);
    EXPECT_EQ(stopTick(pairsReveal), 18);
}

} // namespace
} // namespace selektor
