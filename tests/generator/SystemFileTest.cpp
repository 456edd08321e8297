#include "generator/SystemFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace selektor;

namespace {

namespace fs = std::filesystem;

class SystemFileTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::path(testing::TempDir()) /
                ("systemfile_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string path(const char* name) const { return (m_dir / name).string(); }

    static std::string bytesOf(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void writeBytes(const std::string& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }

    fs::path m_dir;
};

LotterySystem systemOf(const std::vector<std::string>& lines) {
    LotterySystem system;
    for (const std::string& line : lines)
        system.appendLine(line);
    return system;
}

const LotterySystem kThreeLines = systemOf({"  1  2  3  4  5  6", "  5 12 25 31 38 45", " 10 20 30 40 45 49"});

} // namespace

TEST_F(SystemFileTest, ThreeLinesMakeSixtyBytesEndingInCrLf) {
    writeSystemFile(path("s.txt"), kThreeLines);
    const std::string bytes = bytesOf(path("s.txt"));
    ASSERT_EQ(bytes.size(), 60u);
    EXPECT_EQ(bytes.substr(0, 20), "  1  2  3  4  5  6\r\n");
    EXPECT_EQ(bytes[58], 13);
    EXPECT_EQ(bytes[59], 10);
}

TEST_F(SystemFileTest, SavedSystemOpensLineForLine) {
    LotterySystem lines;
    for (int i = 0; i < 5000; ++i)
        lines.append(*kThreeLines.ticket(i % 3));
    writeSystemFile(path("s.txt"), lines);
    EXPECT_EQ(readSystemFile(path("s.txt")), lines);
}

TEST_F(SystemFileTest, OpenedContentIsWrittenBackUnchanged) {
    // Not system lines at all: blanks kept, 8-bit bytes kept, an empty entry kept.
    const LotterySystem lines = systemOf({"  1  2  3  4  5  6   ", "", "  x \xb3\xea", " 7"});
    writeSystemFile(path("odd.txt"), lines);
    EXPECT_EQ(bytesOf(path("odd.txt")), "  1  2  3  4  5  6   \r\n\r\n  x \xb3\xea\r\n 7\r\n");
    EXPECT_EQ(readSystemFile(path("odd.txt")), lines);
}

TEST_F(SystemFileTest, EmptyListWritesAnEmptyFileOverAnOldOne) {
    writeBytes(path("s.txt"), "old content that must go");
    writeSystemFile(path("s.txt"), {});
    EXPECT_EQ(bytesOf(path("s.txt")), "");
    EXPECT_TRUE(readSystemFile(path("s.txt")).empty());
}

TEST_F(SystemFileTest, FailuresCarryTheStandardText) {
    auto messageOf = [](auto&& operation) -> std::string {
        try {
            operation();
        } catch (const FileError& e) {
            return e.what();
        }
        return "no error";
    };
    EXPECT_EQ(messageOf([&] { readSystemFile(path("missing.txt")); }), "File not found");
    EXPECT_EQ(messageOf([&] { writeSystemFile(path("no/such/dir.txt"), kThreeLines); }), "Path not found");
    EXPECT_EQ(messageOf([&] { writeSystemFile(m_dir.string(), kThreeLines); }), "File access denied");
    if (fs::exists("/dev/full")) {
        EXPECT_EQ(messageOf([&] { writeSystemFile("/dev/full", kThreeLines); }), "Disk full");
    }
}

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

class SystemTextLines : public testing::TestWithParam<SplitCase> {};

TEST_P(SystemTextLines, CutAtEveryKindOfLineEnd) {
    EXPECT_EQ(splitSystemText(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, SystemTextLines,
    testing::Values(SplitCase{"empty", "", {}}, SplitCase{"crLf", "a\r\nb\r\n", {"a", "b"}},
                    SplitCase{"loneCr", "a\rb\r", {"a", "b"}}, SplitCase{"loneLf", "a\nb\n", {"a", "b"}},
                    SplitCase{"mixed", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
                    SplitCase{"lastLineWithoutEnd", "a\r\nb", {"a", "b"}},
                    SplitCase{"emptyEntryInTheMiddle", "a\r\n\r\nb\r\n", {"a", "", "b"}},
                    SplitCase{"lfCrIsTwoEnds", "a\n\rb", {"a", "", "b"}}, SplitCase{"onlyALineEnd", "\r\n", {""}},
                    SplitCase{"twoEndsAtTheEnd", "a\r\n\r\n", {"a", ""}}, SplitCase{"crAtTheVeryEnd", "a\r", {"a"}},
                    SplitCase{"blanksKept", "  5 12 25 31 38 45  \r\n\t", {"  5 12 25 31 38 45  ", "\t"}}),
    [](const auto& info) { return std::string(info.param.name); });
