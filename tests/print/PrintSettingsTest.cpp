#include "print/PrintSettings.h"

#include "support/CrashEverywhere.h"
#include "support/DirectoryTest.h"
#include "support/MemoryFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/stat.h>
#include <tuple>

using namespace selektor;
using namespace selektor::test;

namespace {

using Step = MemoryFiles::Step;

// The seven files in the folder "data", PX1 to PNR in order; a null content leaves the file out.
MemoryFiles settingsFiles(const std::array<const char*, kPrintSettingCount>& contents) {
    MemoryFiles files(3); // three bytes a call: CR LF falls across two reads
    files.folders.insert("data");
    for (std::size_t i = 0; i < kPrintSettingCount; ++i)
        if (contents[i] != nullptr)
            files.files["data/" + printSettingFileName(i)] = contents[i];
    return files;
}

PrintSettingTexts fields(std::initializer_list<const char*> texts) {
    PrintSettingTexts result;
    std::size_t i = 0;
    for (const char* text : texts)
        result.at(i++) = text;
    return result;
}

} // namespace

TEST(PrintSettings, AllSevenFilesLoadTheirFirstLines) {
    MemoryFiles files = settingsFiles({"100\r\n", "50\r\n", "200\r\n9999\r\n", "40", "0085\r\n", "0\r\n", "9999\n"});
    const LoadedPrintSettings loaded = loadPrintSettings("data", files);
    EXPECT_EQ(loaded.error, std::nullopt);
    EXPECT_EQ(loaded.settings, (PrintSettings{100, 50, 200, 40, 85, 0, 9999}));
    EXPECT_EQ(loaded.texts, fields({"100", "50", "200", "40", "0085", "0", "9999"}));
}

TEST(PrintSettings, TheFirstFileThatFailsStopsTheLoadWithOneError) {
    struct Case {
        std::size_t failing;     // the file at fault; those before it load
        const char* content;     // its content, or null for a missing file
        const char* error;       // the one error shown
        const char* failingText; // its field afterwards
    } const cases[] = {
        {6, nullptr, "File not found", ""},
        {2, nullptr, "File not found", ""},
        {0, "85abc\r\n", "'85abc' is not a valid integer value", "85abc"},
        {3, "85\r", "'85\r' is not a valid integer value", "85\r"},
        {3, "85\r\r\n", "'85\r' is not a valid integer value", "85\r"},
        {4, " 85\r\n", "' 85' is not a valid integer value", " 85"},
        {4, "-5\r\n", "'-5' is not a valid integer value", "-5"},
        {5, "\r\n85\r\n", "'' is not a valid integer value", ""},
        {5, "", "'' is not a valid integer value", ""},
        // Past what the four-digit field can show, though the value itself may be small.
        {1, "10000\r\n", "'10000' is not a valid integer value", "10000"},
        {1, "00085\r\n", "'00085' is not a valid integer value", "00085"},
        {1, "99999999999\r\n", "'99999999999' is not a valid integer value", "99999999999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "file " << c.failing << ": " << (c.content ? c.content : "missing"));
        std::array<const char*, kPrintSettingCount> contents = {"1\r\n", "2\r\n", "3\r\n", "4\r\n",
                                                                "5\r\n", "6\r\n", "7\r\n"};
        contents[c.failing] = c.content;
        MemoryFiles files = settingsFiles(contents);
        const LoadedPrintSettings loaded = loadPrintSettings("data", files);
        EXPECT_EQ(loaded.error, c.error);
        for (std::size_t i = 0; i < kPrintSettingCount; ++i) {
            const bool read = i < c.failing;
            EXPECT_EQ(loaded.settings[i], read ? static_cast<std::int32_t>(i + 1) : 0) << i;
            EXPECT_EQ(loaded.texts[i], read ? std::to_string(i + 1) : i == c.failing ? c.failingText : "") << i;
        }
    }
}

TEST(PrintSettings, TakingTheFieldsStopsAtTheFirstUnfilledOrUnreadableOne) {
    const TakenPrintSettings all = takePrintSettings(fields({" 100", "50  ", "0200", "  40", "0", "60", "9999"}));
    EXPECT_EQ(all, (TakenPrintSettings{std::nullopt, PrintSettings{100, 50, 200, 40, 0, 60, 9999}}));

    // Each field left unfilled in turn, with every later one unfilled too: only its own message.
    for (std::size_t blank = 0; blank < kPrintSettingCount; ++blank) {
        PrintSettingTexts texts = fields({"1", "2", "3", "4", "5", "6", "7"});
        for (std::size_t i = blank; i < kPrintSettingCount; ++i)
            texts[i] = "    ";
        const PrintRefusal expected{PrintRefusal::Kind::Refused,
                                    "Nie ustalona pozycja wydruku: " + std::string(kPrintSettingNames[blank]) + " !"};
        EXPECT_EQ(takePrintSettings(texts).refusal, expected);
    }
    EXPECT_EQ(takePrintSettings(fields({"1", "", "3", "4", "", "6", "7"})).refusal->text,
              "Nie ustalona pozycja wydruku: X1X2 !");

    const PrintRefusal notANumber{PrintRefusal::Kind::ConversionError, "'1 5' is not a valid integer value"};
    EXPECT_EQ(takePrintSettings(fields({"1", " 1 5", "", "4", "5", "6", "7"})).refusal, notANumber);
    EXPECT_EQ(takePrintSettings(fields({"", " 1 5", "3", "4", "5", "6", "7"})).refusal->kind,
              PrintRefusal::Kind::Refused);
}

class PrintSettingsFiles : public DirectoryTest {};

TEST_F(PrintSettingsFiles, SavedSettingsLoadAsTypedInTheirPlainForm) {
    for (std::size_t i = 0; i < kPrintSettingCount; ++i)
        writeBytes(path(printSettingFileName(i)), "1\r\n2\r\n3\r\n");
    const TakenPrintSettings taken = takePrintSettings(fields({"0085", "50", "200", "40", "30", "60", "0"}));
    ASSERT_EQ(taken.refusal, std::nullopt);
    savePrintSettings(directory().string(), taken.settings);

    EXPECT_EQ(bytesOf(path("PX1.txt")), "85\r\n");
    EXPECT_EQ(bytesOf(path("PNR.txt")), "0\r\n");
    const LoadedPrintSettings loaded = loadPrintSettings(directory().string());
    EXPECT_EQ(loaded.error, std::nullopt);
    EXPECT_EQ(loaded.settings, taken.settings);
    EXPECT_EQ(loaded.texts, fields({"85", "50", "200", "40", "30", "60", "0"}));
    EXPECT_EQ(entries().size(), kPrintSettingCount); // no new version left beside a file
}

// A save that fails at any step of any file leaves the seven files as they were, the missing one (Y1Y2)
// still missing; a failure that does no harm leaves all seven new.
TEST(PrintSettings, ASaveFailingAtAnyStepLeavesTheOldFiles) {
    const MemoryFiles start =
        settingsFiles({"100\r\n", "50\r\n", "200\r\nold\r\n", nullptr, "30\r\n", "60\r\n", "50\r\n"});
    const PrintSettings typed{101, 51, 201, 41, 31, 61, 51};

    MemoryFiles clean = start;
    clean.resetCalls();
    savePrintSettings("data", typed, clean);
    ASSERT_EQ(loadPrintSettings("data", clean).settings, typed);

    const struct {
        Step step;
        int error;
    } faults[] = {{Step::Status, EIO},     {Step::Open, EMFILE},          {Step::Read, EIO},
                  {Step::Resolve, ENOMEM}, {Step::SetPermissions, EPERM}, {Step::Write, ENOSPC},
                  {Step::Sync, EIO},       {Step::Close, EDQUOT},         {Step::Rename, EACCES}};
    int failed = 0;
    for (const auto& fault : faults) {
        for (int n = 1; n <= clean.calls(fault.step); ++n) {
            SCOPED_TRACE(testing::Message() << "step " << static_cast<int>(fault.step) << ", call " << n);
            MemoryFiles files = start;
            files.resetCalls();
            files.failAt(fault.step, n, fault.error);
            std::string message = "no error";
            try {
                savePrintSettings("data", typed, files);
            } catch (const FileError& e) {
                message = e.what();
            }
            if (message == "no error") {
                EXPECT_EQ(files.files, clean.files);
                continue;
            }
            ++failed;
            EXPECT_EQ(message, fileErrorText(fault.error));
            EXPECT_EQ(files.files, start.files);
        }
    }
    // Every write, sync and rename of the seven files counts, and the folder sync after a rename never.
    EXPECT_GE(failed, 3 * 7);
}

// The program stopped after any file operation of a save, killed or with the power gone: the next start
// reads the seven old values or the seven new ones, never a mixture, and says when it undid a save.
TEST(PrintSettings, ASaveCutShortAnywhereIsUndoneAtTheNextStart) {
    const MemoryFiles start =
        settingsFiles({"100\r\n", "50\r\n", "200\r\nold\r\n", nullptr, "30\r\n", "60\r\n", "50\r\n"});
    const PrintSettings typed{101, 51, 201, 41, 31, 61, 51};
    int undone = 0;
    const int crashes = crashEverywhere(
        start,
        [&](MemoryFiles& files) {
            const LoadedPrintSettings loaded = loadPrintSettings("data", files);
            undone += loaded.interruptedSaveUndone ? 1 : 0;
            return std::tuple(loaded.settings, loaded.texts, loaded.error);
        },
        [&](MemoryFiles& files) { savePrintSettings("data", typed, files); });
    EXPECT_GT(crashes, 100);
    EXPECT_GT(undone, crashes / 4);
    std::cout << crashes << " crashes of a save, " << undone << " undone at the next start\n";
}

TEST_F(PrintSettingsFiles, OnlyASmallRegularFileIsRead) {
    for (std::size_t i = 0; i < kPrintSettingCount; ++i)
        writeBytes(path(printSettingFileName(i)), "1\r\n");
    std::filesystem::remove(path("PY1.txt"));
    ASSERT_EQ(mkfifo(path("PY1.txt").c_str(), 0600), 0);
    LoadedPrintSettings loaded = loadPrintSettings(directory().string());
    EXPECT_EQ(loaded.error, "Plik PY1.txt nie jest zwykłym plikiem i nie może zostać odczytany !");
    EXPECT_EQ(loaded.settings, (PrintSettings{1, 1, 0, 0, 0, 0, 0}));

    std::filesystem::remove(path("PY1.txt"));
    std::filesystem::create_symlink("/dev/zero", path("PY1.txt"));
    EXPECT_EQ(loadPrintSettings(directory().string()).error, notRegularFileMessage("PY1.txt"));

    std::filesystem::remove(path("PY1.txt"));
    writeBytes(path("PY1.txt"), "3\r\n" + std::string(1 << 20, '\n'));
    EXPECT_EQ(loadPrintSettings(directory().string()).error, "Plik PY1.txt jest za duży i nie może zostać odczytany !");
}
