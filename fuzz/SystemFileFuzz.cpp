// Arbitrary bytes as a system file. The file lives in memory and the fuzzer chooses how many bytes every
// read gives and every write takes, so the reader's cutting into lines meets line ends split anywhere.
//
// Checked for every input:
// - cut in any pieces, the text gives the lines splitSystemText gives for the whole;
// - opened, the file gives those lines, each a ticket exactly when it reads as one, and a ticket's line
//   reads back as the same text;
// - saved, the system gives the same lines with every line end a CR LF, no temporary file left behind;
// - under small bounds, the file is refused exactly when it has too many lines or too much text.

#include "Require.h"
#include "generator/SystemFile.h"
#include "support/MemoryFiles.h"

#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

using namespace selektor;
using fuzz::require;

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
    test::MemoryFiles files(pieces);
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
