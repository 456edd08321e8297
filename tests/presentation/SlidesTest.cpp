#include "presentation/Slides.h"

#include <gtest/gtest.h>
#include <vector>

using namespace selektor;

namespace {

// Every position a slide takes, tick by tick, until it comes to rest.
std::vector<int> positions(Slide slide) {
    std::vector<int> taken;
    for (int tick = 0; tick < 1000; ++tick) {
        const SlideStep step = slide.tick();
        taken.push_back(step.position);
        if (step.done)
            break;
    }
    return taken;
}

} // namespace

TEST(Slides, SidePanelComesInFromBeyondTheLeftEdgeAndRestsInsideIt) {
    const std::vector<int> taken = positions(sidePanelSlide(174));
    EXPECT_EQ(sidePanelSlide(174).position(), -174);
    ASSERT_EQ(taken.size(), 18u);
    EXPECT_EQ(taken.front(), -164);
    EXPECT_EQ(taken[16], -4);
    EXPECT_EQ(taken.back(), kSidePanelRest); // the last step is cut short: no jump past the edge and back
}

TEST(Slides, StatisticsAreaComesDownToItsPlaceAndNeverPassesIt) {
    const std::vector<int> taken = positions(Slide(-470, 0));
    ASSERT_EQ(taken.size(), 47u);
    for (std::size_t i = 1; i < taken.size(); ++i)
        EXPECT_EQ(taken[i] - taken[i - 1], kSlideStep);
    EXPECT_EQ(taken.back(), 0);

    // A height that is no whole number of steps: the last step is the shorter one.
    EXPECT_EQ(positions(Slide(-25, 0)), (std::vector<int>{-15, -5, 0}));
    // Already there, or a place above the start: at rest on the first tick, in its place.
    EXPECT_EQ(positions(Slide(0, 0)), std::vector<int>{0});
    EXPECT_EQ(positions(Slide(-10, -40)), std::vector<int>{-40});
    // A tick after the rest keeps it there.
    Slide done(-5, 0);
    done.tick();
    EXPECT_EQ(done.tick().position, 0);
}
