#include "core/NumberGroups.h"

#include <gtest/gtest.h>
#include <random>

namespace selektor {
namespace {

class NumberGroupsTest : public ::testing::Test {
protected:
    FilterSettings settings;
    ShareBoxesEnabled enabled = kInitialShareBoxesEnabled;

    void favourites(std::initializer_list<int> numbers) {
        for (int n : numbers)
            toggleFavourite(settings, enabled, static_cast<Number>(n));
    }
    // The player can tick only the boxes that are enabled.
    void tickAll() {
        for (int k = 0; k < kShareBoxes; ++k)
            settings.shareBoxChecked[k] = enabled[k] ? 1 : 0;
    }
    ShareBoxesEnabled enabledUpTo(int f) {
        ShareBoxesEnabled e{};
        for (int k = 0; k <= f; ++k)
            e[k] = true;
        return e;
    }
};

TEST_F(NumberGroupsTest, ClickingAFavouriteTwiceReturnsItToNoGroup) {
    favourites({7});
    EXPECT_EQ(settings.numberRole[7], Favourite);
    EXPECT_EQ(settings.favouriteCount, 1);
    favourites({7});
    EXPECT_EQ(settings.numberRole[7], NoGroup);
    EXPECT_EQ(settings.favouriteCount, 0);
    EXPECT_EQ(enabled, kInitialShareBoxesEnabled);
}

TEST_F(NumberGroupsTest, ANumberMovesBetweenTheGroupsAndIsNeverInBoth) {
    favourites({5, 6});
    toggleBasic(settings, enabled, 5);
    EXPECT_EQ(settings.numberRole[5], Basic);
    EXPECT_EQ(settings.favouriteCount, 1);
    EXPECT_EQ(settings.basicCount, 1);
    EXPECT_EQ(enabled, enabledUpTo(1));

    toggleFavourite(settings, enabled, 5);
    EXPECT_EQ(settings.numberRole[5], Favourite);
    EXPECT_EQ(settings.favouriteCount, 2);
    EXPECT_EQ(settings.basicCount, 0);

    toggleBasic(settings, enabled, 30);
    toggleBasic(settings, enabled, 30);
    EXPECT_EQ(settings.numberRole[30], NoGroup);
    EXPECT_EQ(settings.basicCount, 0);
}

TEST_F(NumberGroupsTest, ShareBoxesFollowTheFavouritesUpToSix) {
    favourites({1, 2, 3});
    EXPECT_EQ(enabled, enabledUpTo(3));
    tickAll();
    EXPECT_EQ(settings.shareBoxChecked, (std::array<std::uint8_t, 7>{1, 1, 1, 1, 0, 0, 0}));

    // Removing one favourite unticks and locks " 3"; " 0" is never touched.
    favourites({2});
    EXPECT_EQ(enabled, enabledUpTo(2));
    EXPECT_EQ(settings.shareBoxChecked, (std::array<std::uint8_t, 7>{1, 1, 1, 0, 0, 0, 0}));

    favourites({1, 3});
    EXPECT_EQ(enabled, enabledUpTo(0));
    EXPECT_EQ(settings.shareBoxChecked, (std::array<std::uint8_t, 7>{1, 0, 0, 0, 0, 0, 0}));
}

TEST_F(NumberGroupsTest, FromSevenFavouritesOnTheBoxesStayAsTheyWereAtSix) {
    favourites({1, 2, 3, 4, 5, 6});
    EXPECT_EQ(enabled, enabledUpTo(6));
    tickAll();
    favourites({7, 8});
    EXPECT_EQ(settings.favouriteCount, 8);
    EXPECT_EQ(enabled, enabledUpTo(6));
    EXPECT_EQ(settings.shareBoxChecked, (std::array<std::uint8_t, 7>{1, 1, 1, 1, 1, 1, 1}));

    // Back to six through the basic grid: the chaining runs again, all six stay free and ticked.
    toggleBasic(settings, enabled, 8);
    toggleBasic(settings, enabled, 7);
    EXPECT_EQ(settings.favouriteCount, 6);
    EXPECT_EQ(enabled, enabledUpTo(6));
    EXPECT_EQ(settings.shareBoxChecked, (std::array<std::uint8_t, 7>{1, 1, 1, 1, 1, 1, 1}));

    favourites({6});
    EXPECT_EQ(enabled, enabledUpTo(5));
    EXPECT_EQ(settings.shareBoxChecked[6], 0);
}

TEST_F(NumberGroupsTest, BasicNumbersAloneNeverFreeAShare) {
    favourites({1});
    tickAll();
    favourites({1});
    for (int n = 10; n < 20; ++n)
        toggleBasic(settings, enabled, static_cast<Number>(n));
    EXPECT_EQ(settings.basicCount, 10);
    EXPECT_EQ(enabled, enabledUpTo(0));
    EXPECT_EQ(settings.shareBoxChecked, (std::array<std::uint8_t, 7>{1, 0, 0, 0, 0, 0, 0}));
}

// A filter set file holds the favourites, not the clicks that chose them: whatever way the player went,
// the boxes the tab leaves free must follow from the count alone.
TEST_F(NumberGroupsTest, FreeBoxesDependOnTheNumberOfFavouritesAlone) {
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<int> number(1, 12);
    for (int click = 0; click < 5000; ++click) {
        const auto n = static_cast<Number>(number(rng));
        if (rng() % 3 == 0)
            toggleBasic(settings, enabled, n);
        else
            toggleFavourite(settings, enabled, n);
        ASSERT_EQ(enabled, shareBoxesEnabledFor(settings.favouriteCount)) << "click " << click;
    }
}

} // namespace
} // namespace selektor
