#include "core/Files.h"

#include "support/DirectoryTest.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>

using namespace selektor;

namespace {

namespace fs = std::filesystem;

TEST(StandardTexts, EveryErrnoReadsAsAMessageBoxTextNeverAsANumber) {
    const struct {
        int error;
        const char* text;
    } table[] = {
        {ENOENT, "File not found"},    {ENOTDIR, "Path not found"},     {ENAMETOOLONG, "Path not found"},
        {ELOOP, "Path not found"},     {EACCES, "File access denied"},  {EPERM, "File access denied"},
        {EROFS, "File access denied"}, {EISDIR, "File access denied"},  {ETXTBSY, "File access denied"},
        {EIO, "File access denied"},   {ENOSPC, "Disk full"},           {EDQUOT, "Disk full"},
        {EFBIG, "Disk full"},          {EMFILE, "Too many open files"}, {ENFILE, "Too many open files"},
        {ENOMEM, "Out of memory"},
    };
    for (const auto& row : table)
        EXPECT_STREQ(fileErrorText(row.error), row.text) << row.error;

    const std::set<std::string> known = {"File not found", "Path not found",      "File access denied",
                                         "Disk full",      "Too many open files", "Out of memory"};
    for (int error = 0; error < 256; ++error)
        EXPECT_TRUE(known.count(fileErrorText(error))) << error << ": " << fileErrorText(error);
}

class FilesOnDisk : public selektor::test::DirectoryTest {};

TEST_F(FilesOnDisk, AStoreKeptInPlaceIsWrittenReadByPositionAndCut) {
    File store(systemFiles(), path("store.dat"), OpenMode::ReadWrite);
    store.write("0123456789abcdefghij");
    store.seek(10);
    store.write("ABCDE");
    char buffer[32] = {};
    EXPECT_EQ(store.readAt(buffer, 8, 8), 8u);
    EXPECT_EQ(std::string(buffer, 8), "89ABCDEf");
    // Near the end only what is there comes back.
    EXPECT_EQ(store.readAt(buffer, sizeof buffer, 17), 3u);
    EXPECT_EQ(std::string(buffer, 3), "hij");
    store.truncate(12);
    EXPECT_EQ(store.status().size, 12u);
    EXPECT_TRUE(store.status().regular);
    store.sync();
    store.close();
    EXPECT_EQ(bytesOf(path("store.dat")), "0123456789AB");

    // Opened again, it is read from the start to its end.
    File again(systemFiles(), path("store.dat"), OpenMode::Read);
    EXPECT_EQ(again.read(buffer, sizeof buffer), 12u);
    EXPECT_EQ(again.read(buffer, sizeof buffer), 0u);
}

TEST_F(FilesOnDisk, AReplacementTakesTheOldFilesPlaceOnlyWhenCommitted) {
    writeBytes(path("s.txt"), "old");
    const auto kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path("s.txt"), kept);
    fs::create_symlink("s.txt", path("link.txt"));

    // Given up (an exception on the way, say), it leaves the old file and no trace, also of a new one.
    for (const char* name : {"s.txt", "new.txt"}) {
        FileReplacement replacement(systemFiles(), path(name));
        replacement.write("half a system");
    }
    EXPECT_EQ(bytesOf(path("s.txt")), "old");
    EXPECT_EQ(entries(), (std::set<std::string>{"s.txt", "link.txt"}));

    // Saved through a link, it replaces the link's target and keeps its permissions.
    {
        FileReplacement replacement(systemFiles(), path("link.txt"));
        replacement.write("new ");
        replacement.write("content");
        EXPECT_EQ(bytesOf(path("s.txt")), "old");
        replacement.commit();
    }
    EXPECT_EQ(bytesOf(path("s.txt")), "new content");
    EXPECT_TRUE(fs::is_symlink(path("link.txt")));
    EXPECT_EQ(fs::status(path("s.txt")).permissions(), kept);
    EXPECT_EQ(entries(), (std::set<std::string>{"s.txt", "link.txt"}));
}

} // namespace
