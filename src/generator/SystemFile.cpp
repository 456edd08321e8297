#include "generator/SystemFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>

namespace selektor {

namespace {

// The standard texts of the run-time I/O errors the player knows from message boxes.
std::string ioErrorText(int error, bool opening) {
    switch (error) {
    case ENOENT:
        return opening ? "File not found" : "Path not found";
    case ENOTDIR:
        return "Path not found";
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return "File access denied";
    case ENOSPC:
        return "Disk full";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    default:
        return "I/O error " + std::to_string(error);
    }
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kChunkSize = 1 << 16;

} // namespace

void writeSystemFile(const std::string& path, const LotterySystem& system) {
    errno = 0;
    FileHandle file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        // Creating a file in a folder that does not exist is a missing path, not a missing file.
        throw FileError(ioErrorText(errno, errno != ENOENT));
    }
    std::string chunk;
    chunk.reserve(kChunkSize + 64);
    auto flushChunk = [&] {
        if (chunk.empty())
            return;
        errno = 0;
        if (std::fwrite(chunk.data(), 1, chunk.size(), file.get()) != chunk.size())
            throw FileError(ioErrorText(errno != 0 ? errno : EIO, false));
        chunk.clear();
    };
    system.forEachLine([&](std::size_t, std::string_view line) {
        chunk.append(line);
        chunk.append("\r\n");
        if (chunk.size() >= kChunkSize)
            flushChunk();
    });
    flushChunk();
    errno = 0;
    // Closing flushes the last buffered bytes; a full disk often shows only here.
    std::FILE* raw = file.release();
    if (std::fclose(raw) != 0)
        throw FileError(ioErrorText(errno != 0 ? errno : EIO, false));
}

LotterySystem readSystemFile(const std::string& path) {
    errno = 0;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw FileError(ioErrorText(errno, true));
    std::string text;
    char buffer[kChunkSize];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        text.append(buffer, got);
        if (got < sizeof buffer) {
            if (std::ferror(file.get()))
                throw FileError(ioErrorText(errno != 0 ? errno : EIO, false));
            break;
        }
    }
    LotterySystem system;
    for (const std::string& line : splitSystemText(text))
        system.appendLine(line);
    return system;
}

std::vector<std::string> splitSystemText(std::string_view text) {
    std::vector<std::string> lines;
    // A system file has 20-byte lines; reserving for that keeps a large file to one allocation.
    lines.reserve(text.size() / 20 + 1);
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

} // namespace selektor
