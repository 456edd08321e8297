#pragma once

// Files in memory behind the file-operations seam, with faults on demand: the n-th call of a step fails
// with an errno of the test's choosing, and the disk takes and gives at most a piece of bytes a call, so a
// failing write may leave part of its bytes behind, as a full disk does. Fast enough to build a history
// of thousands of draws, and any step of a store's change can be made to fail.
//
// Crashes too: after the k-th operation from a given moment the process is gone, and nothing it does
// afterwards reaches the disk; a power failure on top of that loses every byte written since its file
// was last synced. A fresh store on what is left shows what the player finds at the next start.

#include "core/Files.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace selektor::test {

class MemoryFiles : public FileOperations {
public:
    enum class Step : std::uint8_t {
        Open,
        Read,
        Write,
        Seek,
        Truncate,
        Sync,
        Close,
        Status,
        SetPermissions,
        Resolve,
        Rename,
        Remove,
        List,
        Count
    };

    explicit MemoryFiles(std::size_t piece = 256) : m_pieces{piece} {}
    // Every read and write takes the next of these piece sizes, in turn.
    explicit MemoryFiles(std::vector<std::size_t> pieces) : m_pieces(std::move(pieces)) {}

    std::map<std::string, std::string> files;
    std::set<std::string> folders{"."};
    int process = 4242;               // this process's number
    std::set<int> runningProcesses{}; // other processes still running

    // The call-th call of `step`, counted from now, fails with `error`.
    void failAt(Step step, int call, int error) { m_faults.push_back({step, m_calls[index(step)] + call, error}); }
    // Starts the counts afresh and forgets the planned faults.
    void resetCalls() {
        m_calls = {};
        m_faults.clear();
    }
    int calls(Step step) const { return m_calls[index(step)]; }

    // Every operation from now on counts; the process ends right after the `operations`-th of them.
    void crashAfter(int operations) {
        m_synced = files;
        m_operations = 0;
        m_crashAt = operations;
    }
    // Operations counted since crashAfter.
    int operations() const { return m_operations; }
    // The program starts again on what is on the disk: a new process, nothing open, nothing failing.
    void restart() {
        m_crashAt = -1;
        m_open.clear();
        m_faults.clear();
        ++process;
    }
    // The power fails: every file holds what it held when it was last synced.
    void powerCut() {
        for (auto& [path, bytes] : files) {
            const auto synced = m_synced.find(path);
            bytes = synced == m_synced.end() ? std::string() : synced->second;
        }
    }

    int open(const std::string& path, OpenMode mode, int& descriptor) override {
        if (const int error = strike(Step::Open))
            return error;
        if (mode == OpenMode::Directory) {
            if (!folders.count(path))
                return files.count(path) ? ENOTDIR : ENOENT;
        } else {
            if (folders.count(path))
                return EISDIR;
            if (!folders.count(folderOf(path)))
                return ENOENT;
            const bool exists = files.count(path) != 0;
            if (mode == OpenMode::CreateNew && exists)
                return EEXIST;
            if (!exists && mode != OpenMode::CreateNew && mode != OpenMode::ReadWrite)
                return ENOENT;
            if (mode == OpenMode::WriteTruncate || !exists)
                files[path].clear();
            if (!exists)
                m_synced[path].clear();
        }
        descriptor = m_next++;
        m_open[descriptor] = Open{path, 0};
        return 0;
    }
    int read(int descriptor, char* buffer, std::size_t size, std::size_t& got) override {
        got = 0;
        if (const int error = strike(Step::Read))
            return error;
        Open& file = m_open.at(descriptor);
        const std::string& bytes = files.at(file.path);
        if (file.offset < bytes.size())
            got = std::min({size, nextPiece(), bytes.size() - file.offset});
        std::copy_n(bytes.data() + file.offset, got, buffer);
        file.offset += got;
        return 0;
    }
    int readAt(int descriptor, char* buffer, std::size_t size, std::uint64_t offset, std::size_t& got) override {
        got = 0;
        if (const int error = strike(Step::Read))
            return error;
        const std::string& bytes = files.at(m_open.at(descriptor).path);
        if (offset < bytes.size())
            got = std::min({size, nextPiece(), static_cast<std::size_t>(bytes.size() - offset)});
        std::copy_n(bytes.data() + offset, got, buffer);
        return 0;
    }
    int write(int descriptor, const char* data, std::size_t size, std::size_t& written) override {
        written = 0;
        if (const int error = strike(Step::Write))
            return error;
        Open& file = m_open.at(descriptor);
        std::string& bytes = files.at(file.path);
        written = std::min(size, nextPiece());
        if (bytes.size() < file.offset + written)
            bytes.resize(file.offset + written);
        std::copy_n(data, written, bytes.begin() + static_cast<std::ptrdiff_t>(file.offset));
        file.offset += written;
        return 0;
    }
    int seek(int descriptor, std::uint64_t offset) override {
        if (const int error = strike(Step::Seek))
            return error;
        m_open.at(descriptor).offset = offset;
        return 0;
    }
    int truncate(int descriptor, std::uint64_t size) override {
        if (const int error = strike(Step::Truncate))
            return error;
        files.at(m_open.at(descriptor).path).resize(size);
        return 0;
    }
    int sync(int descriptor) override {
        if (const int error = strike(Step::Sync))
            return error;
        const auto open = m_open.find(descriptor);
        if (open == m_open.end())
            return EBADF;
        if (const auto file = files.find(open->second.path); file != files.end())
            m_synced[open->second.path] = file->second;
        return 0;
    }
    int close(int descriptor) override {
        // The descriptor is gone even when closing reports a failure.
        const int error = strike(Step::Close);
        return m_open.erase(descriptor) ? error : EBADF;
    }
    int fileStatus(int descriptor, FileStatus& status) override {
        if (const int error = strike(Step::Status))
            return error;
        return statusOf(m_open.at(descriptor).path, status);
    }
    int pathStatus(const std::string& path, FileStatus& status) override {
        if (const int error = strike(Step::Status))
            return error;
        return statusOf(path, status);
    }
    int setPermissions(int, std::uint32_t) override { return strike(Step::SetPermissions); }
    int resolve(const std::string& path, std::string& resolved) override {
        if (const int error = strike(Step::Resolve))
            return error;
        if (!files.count(path) && !folders.count(path))
            return ENOENT;
        resolved = path;
        return 0;
    }
    int rename(const std::string& from, const std::string& to) override {
        if (const int error = strike(Step::Rename))
            return error;
        const auto found = files.find(from);
        if (found == files.end())
            return ENOENT;
        std::string bytes = std::move(found->second);
        files.erase(found);
        files[to] = std::move(bytes);
        // A name is durable at once here; the bytes behind it only once synced.
        std::string synced = std::move(m_synced[from]);
        m_synced.erase(from);
        m_synced[to] = std::move(synced);
        return 0;
    }
    int remove(const std::string& path) override {
        if (const int error = strike(Step::Remove))
            return error;
        m_synced.erase(path);
        return files.erase(path) ? 0 : ENOENT;
    }
    int listFolder(const std::string& path, std::vector<std::string>& names) override {
        names.clear();
        if (const int error = strike(Step::List))
            return error;
        if (!folders.count(path))
            return ENOENT;
        for (const auto& [file, bytes] : files)
            if (folderOf(file) == path)
                names.push_back(file.substr(file.rfind('/') + 1));
        return 0;
    }
    bool processRunning(int other) override { return runningProcesses.count(other) != 0; }
    int processNumber() override { return process; }

private:
    struct Open {
        std::string path;
        std::uint64_t offset;
    };
    struct Fault {
        Step step;
        int call;
        int error;
    };

    static std::size_t index(Step step) { return static_cast<std::size_t>(step); }

    int strike(Step step) {
        if (m_crashAt >= 0 && ++m_operations > m_crashAt)
            return EIO;
        const int call = ++m_calls[index(step)];
        for (const Fault& fault : m_faults)
            if (fault.step == step && fault.call == call)
                return fault.error;
        return 0;
    }

    int statusOf(const std::string& path, FileStatus& status) const {
        status = FileStatus{};
        if (folders.count(path)) {
            status.directory = true;
            return 0;
        }
        const auto found = files.find(path);
        if (found == files.end())
            return ENOENT;
        status.regular = true;
        status.permissions = 0644;
        status.size = found->second.size();
        return 0;
    }

    std::size_t nextPiece() { return m_pieces[m_turn++ % m_pieces.size()]; }

    std::vector<std::size_t> m_pieces;
    std::size_t m_turn = 0;
    std::array<int, static_cast<std::size_t>(Step::Count)> m_calls{};
    std::vector<Fault> m_faults;
    std::map<int, Open> m_open;
    int m_next = 3;
    std::map<std::string, std::string> m_synced; // what each file holds on the disk itself
    int m_operations = 0;
    int m_crashAt = -1;
};

} // namespace selektor::test
