// The ready filter sets the program ships in data/filtry: each opens, counts what its help page says,
// and is written just as the program itself would write it.

#include "filtersets/FilterSetFile.h"
#include "model/ApplicationModel.h"
#include "support/ScriptedQuestions.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>

using namespace selektor;

namespace {

std::string bytesOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(ShippedFilterSets, OpenAndCountWhatTheHelpSays) {
    // What "Oblicz" shows after each set, and whether "Etap końcowy" then opens.
    const std::map<std::string, std::pair<std::int32_t, bool>> expected{
        {"parzyste-i-suma.sel", {6106870, false}},
        {"18-liczb-podstawowych.sel", {16128, true}},
        {"faworyci-i-podstawowe.sel", {21233, true}},
    };
    const std::filesystem::path folder = std::filesystem::path(SELEKTOR_DEFAULT_DATA_DIR) / "filtry";
    const std::string help = bytesOf(std::filesystem::path(SELEKTOR_DEFAULT_DATA_DIR) / "pomoc" / "filtry-zapis.html");
    ASSERT_FALSE(help.empty());

    std::size_t shipped = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        ++shipped;
        const auto counts = expected.find(name);
        ASSERT_NE(counts, expected.end()) << "a set the test and the help do not know";

        ApplicationModel model(SELEKTOR_DEFAULT_DATA_DIR, 0);
        test::ScriptedQuestions questions;
        questions.fileNames = {entry.path().string()};
        const Outcome opened = model.openFilterSet(questions);
        ASSERT_TRUE(opened.messages.empty()) << opened.messages[0].text;
        const Outcome counted = model.countCombinations();
        EXPECT_TRUE(counted.messages.empty());
        EXPECT_EQ(model.shownCount(), counts->second.first);
        EXPECT_EQ(counted.stage.finalStageAllowed, counts->second.second);

        // The help names the file with its count in the form the count bar shows it.
        EXPECT_NE(help.find("<td>" + name + "</td>"), std::string::npos);
        EXPECT_NE(help.find(">" + std::to_string(counts->second.first) + "</td>"), std::string::npos);
        // A player comparing it with a set of their own sees only the differences.
        EXPECT_EQ(filterSetText(readFilterSetText(bytesOf(entry.path())).settings), bytesOf(entry.path()));
    }
    EXPECT_EQ(shipped, expected.size());
}
