#pragma once

// The system text file: one line of the generator list per text line, CR LF after every line, no
// header. Lines are written and read as 8-bit text, unchanged.

#include "core/Combination.h"
#include "core/Files.h"
#include "generator/LotterySystem.h"
#include "generator/SystemLine.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace selektor {

// The most a system from a file may hold: the whole lottery, every combination once, and no more text
// than that many system lines. Anything larger is no system, and holding it could exhaust the memory.
// Whatever opens within these bounds is saved and opens again, since saving keeps every line's text.
inline constexpr std::size_t kMaxSystemFileLines = kAllCombinations;
inline constexpr std::uint64_t kMaxSystemFileText = std::uint64_t{kSystemLineLength} * kMaxSystemFileLines;
// The refusal of a larger file, shown in a message box like any other failure to open a file.
extern const char* const kSystemFileTooLargeMessage;

struct SystemFileBounds {
    std::size_t lines = kMaxSystemFileLines;
    std::uint64_t text = kMaxSystemFileText; // the lines' characters, line ends not counted
};

// Writes every line followed by CR LF, 20 bytes per system line, as a new version of the file: a save
// that fails at any step leaves the old file as it was (see FileReplacement). Throws FileError.
void writeSystemFile(const std::string& path, const LotterySystem& system, FileOperations& files = systemFiles());

// Reads the file piece by piece and cuts it into lines (see splitSystemText). The caller's list is
// untouched: it replaces its list with the result only once reading succeeded. Throws FileError, also
// with kSystemFileTooLargeMessage for a file beyond the bounds and "Out of memory" when the lines cannot
// be held.
LotterySystem readSystemFile(const std::string& path, FileOperations& files = systemFiles(),
                             const SystemFileBounds& bounds = {});

// Cuts text into lines at CR LF, at a lone CR and at a lone LF. A last line without a line end is still
// a line; two line ends in a row give an empty line; line ends at the very end give no extra line.
// Lines are neither trimmed nor checked.
std::vector<std::string> splitSystemText(std::string_view text);

// The same cutting for text that arrives in pieces, as a file is read: the lines come out the same
// wherever the pieces end, also between the CR and the LF of one line end.
class SystemTextSplitter {
public:
    // Calls onLine(std::string_view) for every line that ends within `piece`; the text is valid only
    // during the call.
    template <class OnLine> void feed(std::string_view piece, OnLine&& onLine);
    // Calls onLine for a last line without a line end, if the text has one.
    template <class OnLine> void finish(OnLine&& onLine);
    // The bytes of a line begun but not yet ended.
    std::size_t pendingSize() const { return m_pending.size(); }

private:
    std::string m_pending;
    bool m_afterCr = false; // the last piece ended in CR: an LF that begins the next one is the same line end
};

template <class OnLine> void SystemTextSplitter::feed(std::string_view piece, OnLine&& onLine) {
    if (piece.empty())
        return;
    std::size_t i = 0;
    if (m_afterCr && piece[0] == '\n')
        i = 1;
    m_afterCr = false;
    std::size_t start = i;
    while (i < piece.size()) {
        const char c = piece[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        if (m_pending.empty()) {
            onLine(piece.substr(start, i - start));
        } else {
            m_pending.append(piece.substr(start, i - start));
            onLine(std::string_view(m_pending));
            m_pending.clear();
        }
        ++i;
        if (c == '\r') {
            if (i == piece.size())
                m_afterCr = true;
            else if (piece[i] == '\n')
                ++i;
        }
        start = i;
    }
    m_pending.append(piece.substr(start));
}

template <class OnLine> void SystemTextSplitter::finish(OnLine&& onLine) {
    if (!m_pending.empty())
        onLine(std::string_view(m_pending));
    m_pending.clear();
    m_afterCr = false;
}

} // namespace selektor
