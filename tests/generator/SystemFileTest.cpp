#include "generator/SystemFile.h"

#include "support/DirectoryTest.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <new>
#include <set>
#include <sys/stat.h>

using namespace selektor;

namespace {

namespace fs = std::filesystem;

class SystemFileTest : public selektor::test::DirectoryTest {
protected:
    template <class Operation> static std::string messageOf(Operation&& operation) {
        try {
            operation();
        } catch (const FileError& e) {
            return e.what();
        }
        return "no error";
    }
};

// The real files, except that the n-th call of one step fails with the given errno, and that the disk
// takes and gives at most a few kilobytes a call, so lines and line ends straddle every boundary.
class FaultyFiles : public FileOperations {
public:
    enum class Step { None, Open, Write, Sync, Close, Rename, SetPermissions, Read, ReadOutOfMemory };

    FaultyFiles(Step step = Step::None, int n = 0, int error = 0) : m_step(step), m_n(n), m_error(error) {}

    // How often the step was called.
    int calls(Step step) const { return m_calls[static_cast<int>(step)]; }

    int open(const std::string& path, OpenMode mode, int& descriptor) override {
        return strikes(Step::Open) ? m_error : m_real.open(path, mode, descriptor);
    }
    int read(int descriptor, char* buffer, std::size_t size, std::size_t& got) override {
        if (strikes(Step::ReadOutOfMemory))
            throw std::bad_alloc();
        return strikes(Step::Read) ? m_error : m_real.read(descriptor, buffer, std::min(size, kPiece), got);
    }
    int readAt(int descriptor, char* buffer, std::size_t size, std::uint64_t offset, std::size_t& got) override {
        return m_real.readAt(descriptor, buffer, size, offset, got);
    }
    int write(int descriptor, const char* data, std::size_t size, std::size_t& written) override {
        return strikes(Step::Write) ? m_error : m_real.write(descriptor, data, std::min(size, kPiece), written);
    }
    int seek(int descriptor, std::uint64_t offset) override { return m_real.seek(descriptor, offset); }
    int truncate(int descriptor, std::uint64_t size) override { return m_real.truncate(descriptor, size); }
    int sync(int descriptor) override { return strikes(Step::Sync) ? m_error : m_real.sync(descriptor); }
    int close(int descriptor) override {
        // The descriptor is gone even when closing reports a failure.
        const int error = m_real.close(descriptor);
        return strikes(Step::Close) ? m_error : error;
    }
    int fileStatus(int descriptor, FileStatus& status) override { return m_real.fileStatus(descriptor, status); }
    int pathStatus(const std::string& path, FileStatus& status) override { return m_real.pathStatus(path, status); }
    int setPermissions(int descriptor, std::uint32_t permissions) override {
        return strikes(Step::SetPermissions) ? m_error : m_real.setPermissions(descriptor, permissions);
    }
    int resolve(const std::string& path, std::string& resolved) override { return m_real.resolve(path, resolved); }
    int rename(const std::string& from, const std::string& to) override {
        return strikes(Step::Rename) ? m_error : m_real.rename(from, to);
    }
    int remove(const std::string& path) override { return m_real.remove(path); }
    int listFolder(const std::string& path, std::vector<std::string>& names) override {
        return m_real.listFolder(path, names);
    }
    bool processRunning(int process) override { return m_real.processRunning(process); }
    int processNumber() override { return m_real.processNumber(); }

private:
    static constexpr std::size_t kPiece = 4099; // 20 * 204 + 19: the first boundary falls between CR and LF

    bool strikes(Step step) {
        const int call = ++m_calls[static_cast<int>(step)];
        return step == m_step && call == m_n;
    }

    FileOperations& m_real = systemFiles();
    Step m_step;
    int m_n;
    int m_error;
    int m_calls[static_cast<int>(Step::ReadOutOfMemory) + 1] = {};
};

// A file that never ends, repeating `pattern`, and says it is empty, as files the system makes up as they
// are read do.
class EndlessFile : public FaultyFiles {
public:
    explicit EndlessFile(std::string pattern) : m_pattern(std::move(pattern)) {}

    int open(const std::string&, OpenMode, int& descriptor) override {
        descriptor = 1000;
        return 0;
    }
    int read(int, char* buffer, std::size_t size, std::size_t& got) override {
        for (got = 0; got < size; ++got)
            buffer[got] = m_pattern[m_next++ % m_pattern.size()];
        return 0;
    }
    int close(int) override { return 0; }
    int fileStatus(int, FileStatus& status) override {
        status = FileStatus{};
        status.regular = true;
        return 0;
    }

private:
    std::string m_pattern;
    std::size_t m_next = 0;
};

LotterySystem systemOf(const std::vector<std::string>& lines) {
    LotterySystem system;
    for (const std::string& line : lines)
        system.appendLine(line);
    return system;
}

const LotterySystem kThreeLines = systemOf({"  1  2  3  4  5  6", "  5 12 25 31 38 45", " 10 20 30 40 45 49"});

// Ten thousand lines, 200000 bytes: several write pieces and many disk calls.
LotterySystem manyLines() {
    LotterySystem system;
    for (int i = 0; i < 10000; ++i)
        system.append(*kThreeLines.ticket(i % 3));
    system.appendLine("kept as read \xb3");
    return system;
}

std::string savedBytes(const LotterySystem& system) {
    std::string bytes;
    system.forEachLine([&](std::size_t, std::string_view line) {
        bytes.append(line);
        bytes.append("\r\n");
    });
    return bytes;
}

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

    // Also under the longest name a folder takes, 255 bytes, most of them Polish letters: the new version
    // is written under a shorter name of its own first.
    std::string longest = "a";
    while (longest.size() < 253)
        longest += "ż";
    longest += ".t";
    writeSystemFile(path(longest.c_str()), lines);
    EXPECT_EQ(readSystemFile(path(longest.c_str())), lines);
    writeSystemFile(path(longest.c_str()), kThreeLines);
    EXPECT_EQ(readSystemFile(path(longest.c_str())), kThreeLines);
    EXPECT_EQ(entries(), (std::set<std::string>{"s.txt", longest}));
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
    writeBytes(path("file.txt"), "  1  2  3  4  5  6\r\n");
    fs::create_symlink("loop.txt", path("loop.txt"));
    const std::string tooLong = path("") + std::string(300, 'a') + ".txt";
    struct Case {
        std::string path;
        std::string opening;
        const char* saving;
    };
    const Case cases[] = {
        {path("missing.txt"), "File not found", nullptr}, // saving there makes a new file
        {path("no/such/dir.txt"), "Path not found", "Path not found"},
        {path("file.txt/s.txt"), "Path not found", "Path not found"},
        {tooLong, "Path not found", "Path not found"},
        {path("loop.txt"), "Path not found", "Path not found"},
        {directory().string(), notRegularFileMessage(directory().string()), "File access denied"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(messageOf([&] { readSystemFile(c.path); }), c.opening);
        if (c.saving) {
            EXPECT_EQ(messageOf([&] { writeSystemFile(c.path, kThreeLines); }), c.saving);
        }
    }
    EXPECT_EQ(entries(), (std::set<std::string>{"file.txt", "loop.txt"}));
    // A pipe would keep the window waiting for a writer, and a device may never end: both are refused
    // at once.
    ASSERT_EQ(mkfifo(path("pipe.txt").c_str(), 0600), 0);
    EXPECT_EQ(messageOf([&] { readSystemFile(path("pipe.txt")); }),
              "Plik pipe.txt nie jest zwykłym plikiem i nie może zostać odczytany !");
    EXPECT_EQ(messageOf([&] { readSystemFile("/dev/zero"); }), notRegularFileMessage("/dev/zero"));
    // A device cannot be replaced: it is written to, as before, and stays the device it was.
    if (fs::exists("/dev/full")) {
        EXPECT_EQ(messageOf([&] { writeSystemFile("/dev/full", kThreeLines); }), "Disk full");
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
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

TEST_F(SystemFileTest, ASaveThatFailsAtAnyStepLeavesTheOldFileAsItWas) {
    using Step = FaultyFiles::Step;
    const std::string oldBytes = savedBytes(kThreeLines);
    const LotterySystem system = manyLines();
    const auto kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    struct Fault {
        Step step;
        int error;
        const char* text;
        // Calls of the step whose failure does no harm: closing the old file after checking that it may be
        // written, and opening, syncing and closing the folder once the new file has its name.
        int harmless;
    };
    const Fault faults[] = {
        {Step::Open, EMFILE, "Too many open files", 1}, {Step::SetPermissions, EPERM, "File access denied", 0},
        {Step::Write, ENOSPC, "Disk full", 0},          {Step::Sync, EIO, "File access denied", 1},
        {Step::Close, EDQUOT, "Disk full", 2},          {Step::Rename, EACCES, "File access denied", 0},
    };
    FaultyFiles clean;
    writeBytes(path("s.txt"), oldBytes);
    writeSystemFile(path("s.txt"), system, clean);
    ASSERT_GT(clean.calls(Step::Write), 10);
    EXPECT_EQ(clean.calls(Step::Sync), 2); // the new file, then the folder that holds its name
    for (const Fault& fault : faults) {
        int failed = 0;
        // One call past the last one, nothing fails.
        for (int n = 1; n <= clean.calls(fault.step) + 1; ++n) {
            SCOPED_TRACE(testing::Message() << fault.text << ", call " << n);
            writeBytes(path("s.txt"), oldBytes);
            fs::permissions(path("s.txt"), kept);
            FaultyFiles files(fault.step, n, fault.error);
            const std::string message = messageOf([&] { writeSystemFile(path("s.txt"), system, files); });
            EXPECT_EQ(entries(), std::set<std::string>{"s.txt"});
            if (message == "no error") {
                EXPECT_EQ(bytesOf(path("s.txt")), savedBytes(system));
                EXPECT_EQ(fs::status(path("s.txt")).permissions(), kept);
                continue;
            }
            ++failed;
            EXPECT_EQ(message, fault.text);
            EXPECT_EQ(bytesOf(path("s.txt")), oldBytes);
        }
        EXPECT_EQ(failed, clean.calls(fault.step) - fault.harmless) << fault.text;
    }
}

TEST_F(SystemFileTest, AReadThatFailsMidwayLeavesTheCallersListAlone) {
    using Step = FaultyFiles::Step;
    const LotterySystem system = manyLines();
    writeSystemFile(path("s.txt"), system);
    LotterySystem list = kThreeLines;
    for (int n = 1;; ++n) {
        SCOPED_TRACE(n);
        FaultyFiles files(Step::Read, n, EIO);
        const std::string message = messageOf([&] { list = readSystemFile(path("s.txt"), files); });
        if (message == "no error") {
            // Read a few kilobytes at a time, with a line end cut between its CR and its LF, the lines
            // are the same.
            EXPECT_EQ(list, system);
            EXPECT_EQ(n, files.calls(Step::Read) + 1);
            break;
        }
        EXPECT_EQ(message, "File access denied");
        ASSERT_EQ(list, kThreeLines);
    }
    list = kThreeLines;
    FaultyFiles outOfMemory(Step::ReadOutOfMemory, 3);
    EXPECT_EQ(messageOf([&] { list = readSystemFile(path("s.txt"), outOfMemory); }), "Out of memory");
    EXPECT_EQ(list, kThreeLines);
}

TEST_F(SystemFileTest, AFileBeyondTheBoundsIsRefusedAsItIsRead) {
    const SystemFileBounds bounds{4, 60};
    writeBytes(path("full.txt"), std::string(15, 'a') + "\n" + std::string(15, 'b') + "\r\n" + std::string(15, 'c') +
                                     "\r" + std::string(15, 'd'));
    EXPECT_EQ(readSystemFile(path("full.txt"), systemFiles(), bounds).size(), 4u);
    writeBytes(path("lines.txt"), "\n\n\n\n\n");
    EXPECT_EQ(messageOf([&] { readSystemFile(path("lines.txt"), systemFiles(), bounds); }), kSystemFileTooLargeMessage);
    writeBytes(path("text.txt"), std::string(61, 'x'));
    EXPECT_EQ(messageOf([&] { readSystemFile(path("text.txt"), systemFiles(), bounds); }), kSystemFileTooLargeMessage);

    // No file within the bounds has more than 60 characters and 4 two-byte line ends: a larger one is
    // refused before anything is read.
    writeBytes(path("large.txt"), std::string(69, '\n'));
    FaultyFiles counting;
    EXPECT_EQ(messageOf([&] { readSystemFile(path("large.txt"), counting, bounds); }), kSystemFileTooLargeMessage);
    EXPECT_EQ(counting.calls(FaultyFiles::Step::Read), 0);

    // A source without end is refused, once it has given one line too many or one endless line.
    EndlessFile lineEnds("\r\n");
    EXPECT_EQ(messageOf([&] { readSystemFile("endless", lineEnds, bounds); }), kSystemFileTooLargeMessage);
    EndlessFile oneLine("x");
    EXPECT_EQ(messageOf([&] { readSystemFile("endless", oneLine, bounds); }), kSystemFileTooLargeMessage);
}

TEST_F(SystemFileTest, NoFileHoldsMoreThanTheWholeLottery) {
    // Every combination once, in lines of 20 bytes, is the largest file there can be.
    writeBytes(path("huge.txt"), "");
    fs::resize_file(path("huge.txt"), 20ull * kAllCombinations + 1);
    EXPECT_EQ(messageOf([&] { readSystemFile(path("huge.txt")); }), kSystemFileTooLargeMessage);
    // An endless source of system lines is refused after the line that makes one too many.
    EndlessFile tickets("  1  2  3  4  5  6\n");
    EXPECT_EQ(messageOf([&] { readSystemFile("endless", tickets); }), kSystemFileTooLargeMessage);
    const std::string message = kSystemFileTooLargeMessage;
    EXPECT_NE(message.find("13 983 816 linii"), std::string::npos);
    EXPECT_EQ(message.substr(message.size() - 2), " !");
}
