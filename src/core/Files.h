#pragma once

// The program's own files (systems, the draw history, the print positions) go through a handful of
// operations that map one to one onto the operating system's calls. Every file store uses the real ones;
// a test hands in its own to make any step fail, a full disk in the middle of a save for instance, which
// no file permission can bring about when the tests run as root.
//
// Failures reach the player as the standard texts of the run-time library's message boxes, never as a
// bare error number.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace selektor {

// A file that could not be opened, read or written, carrying the standard text the window shows
// ("File not found", "Path not found", "File access denied", "Disk full", "Too many open files",
// "Out of memory"), or a refusal of the program's own in Polish.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The standard text for an errno value. A missing entry (ENOENT) reads "File not found" here; see
// pathErrorText for the missing folder.
const char* fileErrorText(int error);

enum class OpenMode : std::uint8_t {
    Read,          // an existing regular file, for reading; never waits for a pipe or a device
    Write,         // an existing file, for writing; nothing is created or emptied
    WriteTruncate, // an existing file, emptied first: a device or a pipe, which cannot be replaced
    CreateNew,     // a file that must not exist yet, created for writing
    ReadWrite,     // for reading and writing, created when missing: a store kept up to date in place
    Directory,     // a folder, opened only to make its entries durable
};

struct FileStatus {
    bool regular = false;
    bool directory = false;
    std::uint32_t permissions = 0; // the mode bits, 07777
    std::uint64_t size = 0;
};

// Each operation returns 0 on success or the errno value of its failure. An interrupted call is repeated,
// never reported.
class FileOperations {
public:
    virtual ~FileOperations() = default;

    virtual int open(const std::string& path, OpenMode mode, int& descriptor) = 0;
    // Sets `got` to 0 at the end of the file.
    virtual int read(int descriptor, char* buffer, std::size_t size, std::size_t& got) = 0;
    virtual int readAt(int descriptor, char* buffer, std::size_t size, std::uint64_t offset, std::size_t& got) = 0;
    // May write fewer bytes than asked, as the operating system does.
    virtual int write(int descriptor, const char* data, std::size_t size, std::size_t& written) = 0;
    // Moves to `offset` from the start of the file.
    virtual int seek(int descriptor, std::uint64_t offset) = 0;
    virtual int truncate(int descriptor, std::uint64_t size) = 0;
    // Returns once the file's data are on the disk.
    virtual int sync(int descriptor) = 0;
    // The descriptor is gone afterwards, also when closing reports a failure.
    virtual int close(int descriptor) = 0;
    virtual int fileStatus(int descriptor, FileStatus& status) = 0;
    // Follows symbolic links.
    virtual int pathStatus(const std::string& path, FileStatus& status) = 0;
    virtual int setPermissions(int descriptor, std::uint32_t permissions) = 0;
    // The path of an existing file with every symbolic link followed.
    virtual int resolve(const std::string& path, std::string& resolved) = 0;
    // Puts `from` in the place of `to` in one step.
    virtual int rename(const std::string& from, const std::string& to) = 0;
    virtual int remove(const std::string& path) = 0;
    // The names in a folder, "." and ".." left out.
    virtual int listFolder(const std::string& path, std::vector<std::string>& names) = 0;
    // Whether the process of that number still runs: a file named after it may still be in its hands.
    virtual bool processRunning(int process) = 0;
    // This process's number, which names its temporary files.
    virtual int processNumber() = 0;
};

// The operating system's files.
FileOperations& systemFiles();

// The standard text for a failure concerning `path`. A missing entry is "File not found" when the folder
// it should stand in exists and "Path not found" when that folder is missing, for opening and saving alike.
std::string pathErrorText(FileOperations& files, int error, const std::string& path);

// What stands at `path`, or nothing when nothing does; any other failure to look is a FileError.
std::optional<FileStatus> statusIfPresent(FileOperations& files, const std::string& path);

// The folder part of a path: "." for a bare name.
std::string folderOf(const std::string& path);

// The name of a file without its folder.
std::string nameOf(const std::string& path);

// The refusals of files that cannot be what the program reads: a pipe, a device or a folder where a
// file should be (opening a pipe for reading would wait for a writer for ever), and a file larger than
// its kind can be.
std::string notRegularFileMessage(const std::string& path);
std::string fileTooLargeMessage(const std::string& path);

// An open file, closed when it goes out of scope. Every failure throws FileError. Opened for reading,
// anything but a regular file is refused at once with notRegularFileMessage.
class File {
public:
    File(FileOperations& files, const std::string& path, OpenMode mode);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Up to `size` bytes; 0 at the end of the file.
    std::size_t read(char* buffer, std::size_t size);
    // Up to `size` bytes from `offset`; fewer only at the end of the file.
    std::size_t readAt(char* buffer, std::size_t size, std::uint64_t offset);
    // All of `bytes`, however many calls the operating system needs for them.
    void write(std::string_view bytes);
    void seek(std::uint64_t offset);
    void truncate(std::uint64_t size);
    void sync();
    FileStatus status();
    // Refuses a file larger than `largest` bytes before a byte of it is read: with `tooLarge`, or
    // fileTooLargeMessage when that is empty. Returns the size.
    std::uint64_t refuseLargerThan(std::uint64_t largest, const std::string& tooLarge = {});
    // Closes now, so that a failure to close is reported; the destructor ignores it.
    void close();

private:
    [[noreturn]] void fail(int error);

    FileOperations& m_files;
    std::string m_path;
    int m_descriptor = -1;
};

// The whole of a regular file of at most `largest` bytes: its size is looked at before a byte is read,
// and reading stops should the file grow past the bound meanwhile. Every file the program reads whole
// comes through here, each kind with the bound its format gives it, so that no file can make the
// program wait or fill the memory. Throws FileError: the standard text, notRegularFileMessage,
// `tooLarge` (fileTooLargeMessage when empty), or "Out of memory".
std::string readWholeFile(FileOperations& files, const std::string& path, std::uint64_t largest,
                          const std::string& tooLarge = {});

// Removes what a save cut short by a crash left in `folder`: the temporary files FileReplacement names
// after one of `names` and a process that no longer runs. Whatever cannot be removed stays, unsaid.
void removeLeftovers(FileOperations& files, const std::string& folder, const std::vector<std::string>& names);

// A new version of a file, written so that a failure at any step leaves the old version exactly as it
// was: the bytes go to a new file beside the old one, which is made durable and then renamed over it, with
// the old file's permissions. Until commit() has succeeded the old file is untouched; destroyed before
// that (a failure, an exception), the replacement removes its new file. A symbolic link is followed, so
// its target gets the new version. A device or a pipe cannot be replaced and is written directly.
class FileReplacement {
public:
    FileReplacement(FileOperations& files, const std::string& path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    void write(std::string_view bytes);
    void commit();

private:
    [[noreturn]] void fail(int error);
    void discard();

    FileOperations& m_files;
    std::string m_target;    // the file that gets the new version
    std::string m_temporary; // the new version until it is renamed; empty when writing directly
    int m_descriptor = -1;
    bool m_committed = false;
};

} // namespace selektor
