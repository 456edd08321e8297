#include "generator/SystemFile.h"

#include <algorithm>
#include <memory>
#include <new>

namespace selektor {

const char* const kSystemFileTooLargeMessage =
    "Plik jest za duży - system może mieć najwyżej 13 983 816 linii (tyle, ile jest wszystkich kombinacji "
    "6 z 49) i 251 708 688 znaków w liniach !";
static_assert(kMaxSystemFileLines == 13'983'816 && kMaxSystemFileText == 251'708'688, "the refusal states the bounds");

namespace {

constexpr std::size_t kWritePiece = std::size_t{1} << 16;
constexpr std::size_t kReadPiece = std::size_t{1} << 16;

[[noreturn]] void refuseTooLarge() {
    throw FileError(kSystemFileTooLargeMessage);
}

LotterySystem readLines(const std::string& path, FileOperations& files, const SystemFileBounds& bounds) {
    // Only a regular file opens (a pipe or a device is refused at once). Every line holds at most its
    // text and a two-byte line end, so a larger file breaks one of the bounds whatever it holds, and is
    // refused before a byte is read.
    File file(files, path, OpenMode::Read);
    const std::uint64_t size =
        file.refuseLargerThan(bounds.text + 2 * std::uint64_t{bounds.lines}, kSystemFileTooLargeMessage);

    LotterySystem system;
    // Saved systems have 20 bytes a line, files cut with lone line ends 19: room for those lines at
    // once instead of growing the list step by step.
    system.reserve(std::min<std::uint64_t>(size / (kSystemLineLength + 1) + 1, bounds.lines));

    // The bounds are checked as the lines come, so that a hostile file is refused long before it fills
    // the memory: a line too many, or text beyond the bound, even within a single endless line.
    std::uint64_t text = 0;
    const auto keep = [&](std::string_view line) {
        text += line.size();
        if (system.size() >= bounds.lines || text > bounds.text)
            refuseTooLarge();
        system.appendLine(line);
    };
    SystemTextSplitter splitter;
    const std::unique_ptr<char[]> buffer(new char[kReadPiece]);
    for (;;) {
        const std::size_t got = file.read(buffer.get(), kReadPiece);
        if (got == 0)
            break;
        splitter.feed(std::string_view(buffer.get(), got), keep);
        if (text + splitter.pendingSize() > bounds.text)
            refuseTooLarge();
    }
    splitter.finish(keep);
    return system;
}

} // namespace

void writeSystemFile(const std::string& path, const LotterySystem& system, FileOperations& files) {
    try {
        FileReplacement file(files, path);
        std::string piece;
        piece.reserve(kWritePiece + 2 * kSystemLineLength);
        system.forEachLine([&](std::size_t, std::string_view line) {
            piece.append(line);
            piece.append("\r\n");
            if (piece.size() >= kWritePiece) {
                file.write(piece);
                piece.clear();
            }
        });
        file.write(piece);
        file.commit();
    } catch (const std::bad_alloc&) {
        throw FileError("Out of memory");
    }
}

LotterySystem readSystemFile(const std::string& path, FileOperations& files, const SystemFileBounds& bounds) {
    try {
        return readLines(path, files, bounds);
    } catch (const std::bad_alloc&) {
        throw FileError("Out of memory");
    }
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
