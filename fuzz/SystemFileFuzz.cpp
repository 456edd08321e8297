// Arbitrary bytes as a system file. The file lives in memory and the fuzzer chooses how many bytes every
// read gives and every write takes, so the reader's cutting into lines meets line ends split anywhere.
//
// Checked for every input:
// - cut in any pieces, the text gives the lines splitSystemText gives for the whole;
// - opened, the file gives those lines, each a ticket exactly when it reads as one, and a ticket's line
//   reads back as the same text;
// - saved, the system gives the same lines with every line end a CR LF, no temporary file left behind;
// - under small bounds, the file is refused exactly when it has too many lines or too much text.

#include "generator/SystemFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <map>
#include <string>
#include <vector>

using namespace selektor;

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

// Files in memory, in one folder ".". Reads and writes move as many bytes as the next of the chosen
// piece sizes allows.
class MemoryFiles final : public FileOperations {
public:
    explicit MemoryFiles(std::vector<std::size_t> pieces) : m_pieces(std::move(pieces)) {}

    std::map<std::string, std::string> files;

    int open(const std::string& path, OpenMode mode, int& descriptor) override {
        if (mode == OpenMode::Directory) {
            if (path != ".")
                return ENOENT;
        } else {
            const bool exists = files.count(path) != 0;
            if (mode == OpenMode::CreateNew && exists)
                return EEXIST;
            if ((mode == OpenMode::Read || mode == OpenMode::Write || mode == OpenMode::WriteTruncate) && !exists)
                return ENOENT;
            if (mode == OpenMode::WriteTruncate || !exists)
                files[path].clear();
        }
        descriptor = m_next++;
        m_open[descriptor] = Open{path, 0};
        return 0;
    }
    int read(int descriptor, char* buffer, std::size_t size, std::size_t& got) override {
        Open& file = m_open.at(descriptor);
        const std::string& bytes = files.at(file.path);
        got = std::min({size, nextPiece(), bytes.size() - file.offset});
        std::copy_n(bytes.data() + file.offset, got, buffer);
        file.offset += got;
        return 0;
    }
    int write(int descriptor, const char* data, std::size_t size, std::size_t& written) override {
        Open& file = m_open.at(descriptor);
        written = std::min(size, nextPiece());
        files.at(file.path).append(data, written);
        return 0;
    }
    int sync(int descriptor) override { return m_open.count(descriptor) ? 0 : EBADF; }
    int close(int descriptor) override { return m_open.erase(descriptor) ? 0 : EBADF; }
    int fileStatus(int descriptor, FileStatus& status) override {
        const Open& file = m_open.at(descriptor);
        status = FileStatus{};
        status.directory = file.path == ".";
        status.regular = !status.directory;
        status.size = status.regular ? files.at(file.path).size() : 0;
        return 0;
    }
    int pathStatus(const std::string& path, FileStatus& status) override {
        status = FileStatus{};
        if (path == ".") {
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
    int setPermissions(int, std::uint32_t) override { return 0; }
    int resolve(const std::string& path, std::string& resolved) override {
        if (!files.count(path))
            return ENOENT;
        resolved = path;
        return 0;
    }
    int rename(const std::string& from, const std::string& to) override {
        const auto found = files.find(from);
        if (found == files.end())
            return ENOENT;
        std::string bytes = std::move(found->second);
        files.erase(found);
        files[to] = std::move(bytes);
        return 0;
    }
    int remove(const std::string& path) override { return files.erase(path) ? 0 : ENOENT; }
    int readAt(int, char*, std::size_t, std::uint64_t, std::size_t&) override { return EINVAL; }
    int seek(int, std::uint64_t) override { return EINVAL; }
    int truncate(int, std::uint64_t) override { return EINVAL; }

private:
    struct Open {
        std::string path;
        std::size_t offset;
    };
    std::size_t nextPiece() { return m_pieces[m_turn++ % m_pieces.size()]; }

    std::vector<std::size_t> m_pieces;
    std::size_t m_turn = 0;
    std::map<int, Open> m_open;
    int m_next = 3;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    std::vector<std::size_t> pieces(provider.ConsumeIntegralInRange<std::size_t>(1, 4));
    for (std::size_t& piece : pieces)
        piece = provider.ConsumeIntegralInRange<std::size_t>(1, 70);
    SystemFileBounds bounds;
    bounds.lines = provider.ConsumeIntegralInRange<std::size_t>(0, 40);
    bounds.text = provider.ConsumeIntegralInRange<std::uint64_t>(0, 800);
    const std::string text = provider.ConsumeRemainingBytesAsString();

    const std::vector<std::string> lines = splitSystemText(text);

    // Cut in pieces, with an empty one before each.
    std::vector<std::string> pieced;
    SystemTextSplitter splitter;
    const auto collect = [&](std::string_view line) { pieced.emplace_back(line); };
    for (std::size_t at = 0, turn = 0; at < text.size(); ++turn) {
        const std::size_t length = std::min(pieces[turn % pieces.size()], text.size() - at);
        splitter.feed(std::string_view(), collect);
        splitter.feed(std::string_view(text).substr(at, length), collect);
        at += length;
    }
    splitter.finish(collect);
    require(pieced == lines);

    // Opened.
    MemoryFiles files(pieces);
    files.files["s.txt"] = text;
    const LotterySystem system = readSystemFile("s.txt", files);
    require(system.size() == lines.size());
    std::uint64_t textSize = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        textSize += lines[i].size();
        require(system.line(i) == lines[i]);
        const std::optional<Combination> ticket = system.ticket(i);
        require(ticket == parseSystemLine(lines[i]));
        if (ticket) {
            require(systemLine(*ticket) == lines[i]);
            for (int k = 0; k < kNumbersPerCombination; ++k)
                require((*ticket)[k] >= (k == 0 ? kLowestNumber : (*ticket)[k - 1] + 1) &&
                        (*ticket)[k] <= kHighestNumber);
        }
    }
    LotterySystem appended;
    for (const std::string& line : lines)
        appended.appendLine(line);
    require(appended == system);

    // Saved over the file it came from.
    writeSystemFile("s.txt", system, files);
    std::string normalised;
    for (const std::string& line : lines)
        normalised += line + "\r\n";
    require(files.files.size() == 1 && files.files.at("s.txt") == normalised);
    require(readSystemFile("s.txt", files) == system);

    // Refused exactly beyond the bounds.
    files.files["s.txt"] = text;
    const bool beyond = lines.size() > bounds.lines || textSize > bounds.text;
    try {
        require(readSystemFile("s.txt", files, bounds) == system && !beyond);
    } catch (const FileError& error) {
        require(beyond && std::string(error.what()) == kSystemFileTooLargeMessage);
    }
    return 0;
}
