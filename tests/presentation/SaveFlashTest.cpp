#include "presentation/SaveFlash.h"

#include <gtest/gtest.h>

using namespace selektor;

TEST(SaveButtonFlash, ShowsSevenAlternatingFramesThenStops) {
    SaveFlash flash;
    for (int i = 0; i < 42; ++i)
        flash.tick();
    flash.start();
    const bool expected[] = {true, false, true, false, true, false, true};
    for (bool shown : expected) {
        const FlashTick tick = flash.tick();
        ASSERT_EQ(tick.frameShown, shown);
        ASSERT_FALSE(tick.stopTimer);
    }
    const FlashTick last = flash.tick();
    EXPECT_EQ(last.frameShown, false);
    EXPECT_TRUE(last.stopTimer);
    // A late tick of a stopped timer keeps the frame hidden.
    EXPECT_TRUE(flash.tick().stopTimer);
}

TEST(SaveButtonFlash, RestartingMidFlashBeginsAgainWithAShownFrame) {
    SaveFlash flash;
    flash.start();
    flash.tick();
    flash.tick();
    flash.start();
    EXPECT_EQ(flash.tick().frameShown, true);
}
