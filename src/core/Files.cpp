#include "core/Files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace selektor {

namespace {

// Repeats a call that a signal interrupted; returns 0 or the errno value.
template <class Call> int retried(Call call) {
    for (;;) {
        if (call() >= 0)
            return 0;
        if (errno != EINTR)
            return errno;
    }
}

FileStatus statusOf(const struct stat& s) {
    FileStatus status;
    status.regular = S_ISREG(s.st_mode);
    status.directory = S_ISDIR(s.st_mode);
    status.permissions = static_cast<std::uint32_t>(s.st_mode & 07777);
    status.size = s.st_size > 0 ? static_cast<std::uint64_t>(s.st_size) : 0;
    return status;
}

int openFlags(OpenMode mode) {
    switch (mode) {
    case OpenMode::Read:
        // A pipe opened for reading waits for a writer, and a device may wait for ever; without waiting
        // the file is seen for what it is and refused.
        return O_RDONLY | O_NONBLOCK | O_NOCTTY;
    case OpenMode::Write:
        return O_WRONLY | O_NOCTTY;
    case OpenMode::WriteTruncate:
        return O_WRONLY | O_NOCTTY | O_TRUNC;
    case OpenMode::CreateNew:
        return O_WRONLY | O_NOCTTY | O_CREAT | O_EXCL;
    case OpenMode::ReadWrite:
        return O_RDWR | O_NOCTTY | O_CREAT;
    case OpenMode::Directory:
        return O_RDONLY | O_DIRECTORY;
    }
    return O_RDONLY;
}

class SystemFiles final : public FileOperations {
public:
    int open(const std::string& path, OpenMode mode, int& descriptor) override {
        // New files get the usual read and write permissions, less what the user's umask takes away.
        return retried([&] { return descriptor = ::open(path.c_str(), openFlags(mode) | O_CLOEXEC, 0666); });
    }
    int read(int descriptor, char* buffer, std::size_t size, std::size_t& got) override {
        got = 0;
        ssize_t n = 0;
        const int error = retried([&] { return n = ::read(descriptor, buffer, clamped(size)); });
        if (error == 0)
            got = static_cast<std::size_t>(n);
        return error;
    }
    int readAt(int descriptor, char* buffer, std::size_t size, std::uint64_t offset, std::size_t& got) override {
        got = 0;
        if (offset > static_cast<std::uint64_t>(LLONG_MAX))
            return EINVAL;
        ssize_t n = 0;
        const int error =
            retried([&] { return n = ::pread(descriptor, buffer, clamped(size), static_cast<off_t>(offset)); });
        if (error == 0)
            got = static_cast<std::size_t>(n);
        return error;
    }
    int write(int descriptor, const char* data, std::size_t size, std::size_t& written) override {
        written = 0;
        ssize_t n = 0;
        const int error = retried([&] { return n = ::write(descriptor, data, clamped(size)); });
        if (error == 0)
            written = static_cast<std::size_t>(n);
        return error;
    }
    int seek(int descriptor, std::uint64_t offset) override {
        if (offset > static_cast<std::uint64_t>(LLONG_MAX))
            return EINVAL;
        return retried([&] { return ::lseek(descriptor, static_cast<off_t>(offset), SEEK_SET); });
    }
    int truncate(int descriptor, std::uint64_t size) override {
        if (size > static_cast<std::uint64_t>(LLONG_MAX))
            return EINVAL;
        return retried([&] { return ::ftruncate(descriptor, static_cast<off_t>(size)); });
    }
    int sync(int descriptor) override {
        return retried([&] { return ::fsync(descriptor); });
    }
    int close(int descriptor) override {
        // Linux releases the descriptor even when close is interrupted, so it is never repeated.
        if (::close(descriptor) == 0 || errno == EINTR)
            return 0;
        return errno;
    }
    int fileStatus(int descriptor, FileStatus& status) override {
        struct stat s {};
        const int error = retried([&] { return ::fstat(descriptor, &s); });
        if (error == 0)
            status = statusOf(s);
        return error;
    }
    int pathStatus(const std::string& path, FileStatus& status) override {
        struct stat s {};
        const int error = retried([&] { return ::stat(path.c_str(), &s); });
        if (error == 0)
            status = statusOf(s);
        return error;
    }
    int setPermissions(int descriptor, std::uint32_t permissions) override {
        return retried([&] { return ::fchmod(descriptor, static_cast<mode_t>(permissions & 07777)); });
    }
    int resolve(const std::string& path, std::string& resolved) override {
        char* real = ::realpath(path.c_str(), nullptr);
        if (real == nullptr)
            return errno;
        resolved = real;
        std::free(real);
        return 0;
    }
    int rename(const std::string& from, const std::string& to) override {
        return retried([&] { return ::rename(from.c_str(), to.c_str()); });
    }
    int remove(const std::string& path) override {
        return retried([&] { return ::unlink(path.c_str()); });
    }
    int listFolder(const std::string& path, std::vector<std::string>& names) override {
        names.clear();
        DIR* folder = ::opendir(path.c_str());
        if (folder == nullptr)
            return errno;
        const std::unique_ptr<DIR, int (*)(DIR*)> closing(folder, ::closedir);
        for (;;) {
            errno = 0;
            const dirent* entry = ::readdir(folder);
            if (entry == nullptr)
                return errno;
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
    }
    bool processRunning(int process) override {
        // A process of another user cannot be signalled, but it runs.
        return process > 0 && (::kill(process, 0) == 0 || errno == EPERM);
    }
    int processNumber() override { return static_cast<int>(::getpid()); }

private:
    static std::size_t clamped(std::size_t size) { return size < SSIZE_MAX ? size : SSIZE_MAX; }
};

// Writes all of `bytes`; returns 0 or the errno value.
int writeAll(FileOperations& files, int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        std::size_t written = 0;
        if (const int error = files.write(descriptor, bytes.data(), bytes.size(), written))
            return error;
        // Only a full device takes nothing and reports nothing.
        if (written == 0)
            return ENOSPC;
        bytes.remove_prefix(written);
    }
    return 0;
}

// The temporary name FileReplacement gives a new version of `name`: "." + name (at most 64 bytes of it,
// whole characters) + "." + process number + "." + serial + ".tmp".
std::string temporaryStem(std::string name) {
    if (name.size() > 64) {
        std::size_t cut = 64;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.resize(cut);
    }
    return "." + name + ".";
}

bool allDigits(std::string_view text) {
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

constexpr std::size_t kReadPiece = std::size_t{1} << 16;

} // namespace

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string notRegularFileMessage(const std::string& path) {
    return "Plik " + nameOf(path) + " nie jest zwykłym plikiem i nie może zostać odczytany !";
}

std::string fileTooLargeMessage(const std::string& path) {
    return "Plik " + nameOf(path) + " jest za duży i nie może zostać odczytany !";
}

const char* fileErrorText(int error) {
    switch (error) {
    case ENOENT:
        return "File not found";
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return "Path not found";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "Disk full";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case ENOMEM:
        return "Out of memory";
    default:
        // Permissions, a read-only disk, a folder where a file was expected, and whatever else the system
        // refuses: the file cannot be used as asked.
        return "File access denied";
    }
}

FileOperations& systemFiles() {
    static SystemFiles files;
    return files;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string pathErrorText(FileOperations& files, int error, const std::string& path) {
    if (error == ENOENT) {
        FileStatus folder;
        if (files.pathStatus(folderOf(path), folder) != 0 || !folder.directory)
            return "Path not found";
    }
    return fileErrorText(error);
}

std::optional<FileStatus> statusIfPresent(FileOperations& files, const std::string& path) {
    FileStatus status;
    const int error = files.pathStatus(path, status);
    if (error == ENOENT)
        return std::nullopt;
    if (error != 0)
        throw FileError(pathErrorText(files, error, path));
    return status;
}

File::File(FileOperations& files, const std::string& path, OpenMode mode) : m_files(files), m_path(path) {
    if (const int error = m_files.open(m_path, mode, m_descriptor)) {
        m_descriptor = -1;
        fail(error);
    }
    if (mode != OpenMode::Read)
        return;
    // No destructor runs for a constructor that throws: the descriptor is closed here.
    FileStatus status;
    const int error = m_files.fileStatus(m_descriptor, status);
    if (error == 0 && status.regular)
        return;
    m_files.close(m_descriptor);
    m_descriptor = -1;
    if (error != 0)
        fail(error);
    throw FileError(notRegularFileMessage(m_path));
}

File::~File() {
    if (m_descriptor >= 0)
        m_files.close(m_descriptor);
}

void File::fail(int error) {
    throw FileError(pathErrorText(m_files, error, m_path));
}

std::size_t File::read(char* buffer, std::size_t size) {
    std::size_t got = 0;
    if (const int error = m_files.read(m_descriptor, buffer, size, got))
        fail(error);
    return got;
}

std::size_t File::readAt(char* buffer, std::size_t size, std::uint64_t offset) {
    std::size_t total = 0;
    while (total < size) {
        std::size_t got = 0;
        if (const int error = m_files.readAt(m_descriptor, buffer + total, size - total, offset + total, got))
            fail(error);
        if (got == 0)
            break;
        total += got;
    }
    return total;
}

void File::write(std::string_view bytes) {
    if (const int error = writeAll(m_files, m_descriptor, bytes))
        fail(error);
}

void File::seek(std::uint64_t offset) {
    if (const int error = m_files.seek(m_descriptor, offset))
        fail(error);
}

void File::truncate(std::uint64_t size) {
    if (const int error = m_files.truncate(m_descriptor, size))
        fail(error);
}

void File::sync() {
    if (const int error = m_files.sync(m_descriptor))
        fail(error);
}

FileStatus File::status() {
    FileStatus status;
    if (const int error = m_files.fileStatus(m_descriptor, status))
        fail(error);
    return status;
}

std::uint64_t File::refuseLargerThan(std::uint64_t largest, const std::string& tooLarge) {
    const std::uint64_t size = status().size;
    if (size > largest)
        throw FileError(tooLarge.empty() ? fileTooLargeMessage(m_path) : tooLarge);
    return size;
}

void File::close() {
    if (m_descriptor < 0)
        return;
    const int descriptor = m_descriptor;
    m_descriptor = -1;
    if (const int error = m_files.close(descriptor))
        fail(error);
}

std::string readWholeFile(FileOperations& files, const std::string& path, std::uint64_t largest,
                          const std::string& tooLarge) {
    try {
        File file(files, path, OpenMode::Read);
        std::string bytes;
        bytes.reserve(static_cast<std::size_t>(file.refuseLargerThan(largest, tooLarge)));
        const std::unique_ptr<char[]> buffer(new char[kReadPiece]);
        while (const std::size_t got = file.read(buffer.get(), kReadPiece)) {
            // The file grew since its size was looked at.
            if (bytes.size() + got > largest)
                throw FileError(tooLarge.empty() ? fileTooLargeMessage(path) : tooLarge);
            bytes.append(buffer.get(), got);
        }
        return bytes;
    } catch (const std::bad_alloc&) {
        throw FileError(fileErrorText(ENOMEM));
    }
}

void removeLeftovers(FileOperations& files, const std::string& folder, const std::vector<std::string>& names) {
    std::vector<std::string> entries;
    if (files.listFolder(folder, entries) != 0)
        return;
    const int self = files.processNumber();
    for (const std::string& entry : entries) {
        for (const std::string& name : names) {
            // ".<name>.<process>.<serial>.tmp"
            const std::string stem = temporaryStem(name);
            const std::string_view rest = std::string_view(entry).substr(std::min(entry.size(), stem.size()));
            if (entry.compare(0, stem.size(), stem) != 0 || rest.size() < 4 || rest.substr(rest.size() - 4) != ".tmp")
                continue;
            const std::string_view numbers = rest.substr(0, rest.size() - 4);
            const std::size_t dot = numbers.find('.');
            if (dot == std::string_view::npos || !allDigits(numbers.substr(0, dot)) ||
                !allDigits(numbers.substr(dot + 1)))
                continue;
            const int process = std::stoi(std::string(numbers.substr(0, dot)));
            if (process != self && !files.processRunning(process))
                files.remove(folder + "/" + entry);
            break;
        }
    }
}

FileReplacement::FileReplacement(FileOperations& files, const std::string& path) : m_files(files), m_target(path) {
    FileStatus old;
    const int missing = m_files.pathStatus(path, old);
    if (missing != 0 && missing != ENOENT)
        fail(missing);
    const bool exists = missing == 0;
    if (exists && old.directory)
        fail(EISDIR);
    if (exists && !old.regular) {
        if (const int error = m_files.open(path, OpenMode::WriteTruncate, m_descriptor)) {
            m_descriptor = -1;
            fail(error);
        }
        return;
    }
    if (exists) {
        if (const int error = m_files.resolve(path, m_target))
            fail(error);
        // The rename would replace a file whatever its own permissions say; a file the player may not
        // write to (made read-only, say) must stay as it is, as it did when saving wrote into it.
        int probe = -1;
        if (const int error = m_files.open(m_target, OpenMode::Write, probe))
            fail(error);
        m_files.close(probe);
    }

    // A hidden name beside the target, unique to this process; the start of the target's name (whole
    // characters of it) tells what a file left behind by a crash was meant to be.
    static std::atomic<unsigned> serial{0};
    const std::string stem =
        folderOf(m_target) + "/" + temporaryStem(nameOf(m_target)) + std::to_string(m_files.processNumber()) + ".";
    for (int attempt = 0;; ++attempt) {
        const std::string candidate = stem + std::to_string(serial++) + ".tmp";
        const int error = m_files.open(candidate, OpenMode::CreateNew, m_descriptor);
        if (error == 0) {
            m_temporary = candidate;
            break;
        }
        m_descriptor = -1;
        if (error != EEXIST || attempt == 100)
            fail(error);
    }
    if (exists) {
        if (const int error = m_files.setPermissions(m_descriptor, old.permissions))
            fail(error);
    }
}

FileReplacement::~FileReplacement() {
    if (!m_committed)
        discard();
}

void FileReplacement::discard() {
    if (m_descriptor >= 0)
        m_files.close(m_descriptor);
    m_descriptor = -1;
    if (!m_temporary.empty())
        m_files.remove(m_temporary);
    m_temporary.clear();
}

void FileReplacement::fail(int error) {
    discard();
    throw FileError(pathErrorText(m_files, error, m_target));
}

void FileReplacement::write(std::string_view bytes) {
    if (m_descriptor < 0)
        fail(EBADF);
    if (const int error = writeAll(m_files, m_descriptor, bytes))
        fail(error);
}

void FileReplacement::commit() {
    if (m_descriptor < 0)
        fail(EBADF);
    const bool direct = m_temporary.empty();
    // A full disk may show only when the data reach it: on the sync, or on closing.
    if (!direct) {
        if (const int error = m_files.sync(m_descriptor))
            fail(error);
    }
    const int descriptor = m_descriptor;
    m_descriptor = -1;
    if (const int error = m_files.close(descriptor))
        fail(error);
    if (direct) {
        m_committed = true;
        return;
    }
    if (const int error = m_files.rename(m_temporary, m_target))
        fail(error);
    m_temporary.clear();
    m_committed = true;

    // The new version is whole on the disk and has its name. Syncing the folder makes the new name
    // survive a power cut too. Should that fail (some file systems cannot sync a folder), the name still
    // holds either the old version or the new one, never a cut one, so the save stands.
    int folder = -1;
    if (m_files.open(folderOf(m_target), OpenMode::Directory, folder) == 0) {
        m_files.sync(folder);
        m_files.close(folder);
    }
}

} // namespace selektor
