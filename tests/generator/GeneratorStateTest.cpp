#include "generator/GeneratorState.h"

#include "generator/SystemLine.h"

#include <gtest/gtest.h>
#include <memory>

using namespace selektor;

TEST(SaveButtonFlash, ShowsSevenAlternatingFramesThenStops) {
    auto state = std::make_unique<GeneratorState>();
    state->flashStep = 42;
    startFlash(*state);
    const bool expected[] = {true, false, true, false, true, false, true};
    for (bool shown : expected) {
        const FlashTick tick = flashTick(*state);
        ASSERT_EQ(tick.frameShown, shown);
        ASSERT_FALSE(tick.stopTimer);
    }
    const FlashTick last = flashTick(*state);
    EXPECT_EQ(last.frameShown, false);
    EXPECT_TRUE(last.stopTimer);
    // A late tick of a stopped timer keeps the frame hidden.
    EXPECT_TRUE(flashTick(*state).stopTimer);
}

TEST(SaveButtonFlash, RestartingMidFlashBeginsAgainWithAShownFrame) {
    auto state = std::make_unique<GeneratorState>();
    startFlash(*state);
    flashTick(*state);
    flashTick(*state);
    startFlash(*state);
    EXPECT_EQ(flashTick(*state).frameShown, true);
}

TEST(GeneratorState, FinalStageStartsFromAnEmptySavedState) {
    auto state = std::make_unique<GeneratorState>();
    state->generatorList = {"  1  2  3  4  5  6"};
    state->systemSaved = 0;
    state->generatorRunning = 1;
    enterFinalStage(*state);
    EXPECT_TRUE(state->generatorList.empty());
    EXPECT_EQ(state->systemSaved, 1);
    EXPECT_EQ(state->generatorRunning, 0);
}
