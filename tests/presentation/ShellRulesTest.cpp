#include "presentation/ShellRules.h"

#include <gtest/gtest.h>
#include <vector>

namespace selektor {
namespace {

TEST(ShellRules, MainWindowIsCentredOnTallScreensAndTuckedAwayOnSmallOnes) {
    EXPECT_EQ(mainWindowPlace(768), (WindowPlace{187, 91}));
    EXPECT_EQ(mainWindowPlace(1080), (WindowPlace{187, 247}));
    EXPECT_EQ(mainWindowPlace(651), (WindowPlace{187, 32})); // rounded towards zero
    EXPECT_EQ(mainWindowPlace(650), (WindowPlace{187, 32}));
    EXPECT_EQ(mainWindowPlace(649), (WindowPlace{65, 4}));
    EXPECT_EQ(mainWindowPlace(600), (WindowPlace{65, 4}));
}

// Hands out scripted indexes and remembers the bounds it was asked for.
struct ScriptedRandom {
    std::vector<std::uint32_t> indexes;
    std::vector<std::uint32_t> bounds;
    std::size_t next = 0;
    std::uint32_t below(std::uint32_t n) {
        bounds.push_back(n);
        return indexes[next++ % indexes.size()];
    }
};

TEST(ShellRules, IntroNumbersCoverOneToFortyNineWithRepeats) {
    ScriptedRandom random;
    random.indexes = {0, 48, 0, 21, 48, 5};
    const auto numbers = introNumbers(random);
    EXPECT_EQ(numbers, (std::array<Number, 6>{1, 49, 1, 22, 49, 6}));
    EXPECT_EQ(random.bounds, std::vector<std::uint32_t>(6, 49));
}

// The launcher names a kind of failure; every kind it gives is said in Polish, with the folder, and
// anything else is no failure of the launcher's (the program then starts as usual).
TEST(ShellRules, EveryLauncherFailureHasItsSentence) {
    for (const char* kind : {"dane", "folder", "kopia"}) {
        const std::optional<std::string> text = launcherFailureText(kind, "/srv/gracz/.local/share/selektor");
        ASSERT_TRUE(text) << kind;
        EXPECT_NE(text->find("/srv/gracz/.local/share/selektor"), std::string::npos) << kind;
        EXPECT_EQ(text->substr(text->size() - 2), " !") << kind;
    }
    EXPECT_TRUE(launcherFailureText("dom", ""));
    EXPECT_FALSE(launcherFailureText("system 1.txt", ""));
}

} // namespace
} // namespace selektor
