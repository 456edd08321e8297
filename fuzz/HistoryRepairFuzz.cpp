// Arbitrary bytes as "Losowania.txt" and "Losowanie.dat" beside an empty totals journal, then the rebuild
// of the two binary files from the text, cut short by a crash at an operation the input picks. The input
// is a three-byte head (the operation to crash after, 0 for none; the length of the text, two bytes
// little-endian, cut to what follows), the text, and the rest as the records.
//
// Checked for every input:
// - the rebuild is refused, naming a line, exactly when a line of the text is not one the program
//   writes, with numbers rising; then no byte of any file changes;
// - a rebuild that completes leaves a history that loads without a problem: the text as it was, a
//   record per line as the line says, the totals the records' own counts, the old files as ".bak";
// - a rebuild cut short leaves, at the next start, the files exactly as before or exactly as after it.

#include "Require.h"
#include "history/DrawHistory.h"
#include "support/MemoryFiles.h"

using namespace selektor;
using fuzz::require;
using selektor::test::MemoryFiles;

namespace {

std::map<std::string, std::string> historyFiles(const MemoryFiles& files) {
    auto kept = files.files;
    kept.erase("data/Losowanie.dat.bak");
    kept.erase("data/Stat.dat.bak");
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHead = 3;
    if (size < kHead)
        return 0;
    const int crashAt = data[0];
    const std::size_t textSize = std::min<std::size_t>(data[1] | data[2] << 8, size - kHead);
    const char* bytes = reinterpret_cast<const char*>(data + kHead);

    MemoryFiles files(1 + crashAt % 61);
    files.folders.insert("data");
    files.files["data/Losowania.txt"].assign(bytes, textSize);
    files.files["data/Losowanie.dat"].assign(bytes + textSize, size - kHead - textSize);
    files.files["data/Stat.dat"].assign(kStatRecordSize, '\0');
    const auto original = files.files;

    DrawHistoryStore store("data", files);
    try {
        store.load();
    } catch (const FileError&) {
    }
    if (!store.repairable())
        return 0;
    const std::vector<std::string> lines = store.history().lines;
    const RebuiltHistory rebuilt = rebuildHistory(lines);

    if (crashAt > 0)
        files.crashAfter(crashAt);
    std::string failure;
    try {
        store.repair();
    } catch (const FileError& error) {
        failure = error.what();
    }
    if (rebuilt.refusal) {
        require(failure == *rebuilt.refusal && failure.back() == '!');
        require(files.files == original);
        return 0;
    }
    require(rebuilt.records.size() == lines.size());

    files.restart();
    DrawHistoryStore next("data", files);
    next.load();
    const DrawHistory& history = next.history();
    if (historyFiles(files) == original) {
        require(failure.size() > 0);
        return 0;
    }
    require(history.problem == std::nullopt);
    require(history.lines == lines && history.records == rebuilt.records);
    require(files.files.at("data/Losowanie.dat.bak") == original.at("data/Losowanie.dat"));
    require(files.files.at("data/Stat.dat.bak") == original.at("data/Stat.dat"));
    require(static_cast<std::size_t>(history.journalRecords) == lines.size() + 1);
    for (std::size_t i = 0; i < lines.size(); ++i)
        require(historyLine(history.records[i], readHistoryLine(lines[i])->date) == lines[i]);
    return 0;
}
