// Arbitrary bytes as the three draw history files. The input is a five-byte head and the files: the
// length of "Losowania.txt" and of "Losowanie.dat" (two bytes each, little-endian, cut to what follows),
// a byte that picks the draw to delete and the draw to add, then the text, the records, and the rest as
// "Stat.dat".
//
// Checked for every input:
// - loading never fails (all three files are there) and the history is read whatever it holds: the
//   recency table and the newest records can always be asked for;
// - when loading reports no problem, the history is whole: as many lines as records as draws counted in
//   the last totals record, every record sound and numbered as its line, numbers rising up to 9999;
// - with a problem, adding and deleting are refused with it and no byte of any file changes;
// - without one, deleting a draw and adding one leave files that load again, without a problem, as the
//   history the store holds, with the totals moved by exactly those two draws.

#include "Require.h"
#include "history/DrawEntry.h"
#include "history/DrawHistory.h"
#include "support/MemoryFiles.h"

#include <algorithm>
#include <functional>

using namespace selektor;
using fuzz::require;
using selektor::test::MemoryFiles;

namespace {

bool refused(const std::function<void()>& change, const std::string& problem) {
    try {
        change();
    } catch (const FileError& error) {
        return error.what() == problem;
    }
    return false;
}

DrawHistory loaded(MemoryFiles& files) {
    DrawHistoryStore store("data", files);
    store.load();
    return store.history();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHead = 5;
    if (size < kHead)
        return 0;
    std::size_t rest = size - kHead;
    const std::size_t textSize = std::min<std::size_t>(data[0] | data[1] << 8, rest);
    rest -= textSize;
    const std::size_t recordSize = std::min<std::size_t>(data[2] | data[3] << 8, rest);
    const std::uint8_t pick = data[4];
    const char* bytes = reinterpret_cast<const char*>(data + kHead);

    MemoryFiles files(1 + pick % 97);
    files.folders.insert("data");
    files.files["data/Losowania.txt"].assign(bytes, textSize);
    files.files["data/Losowanie.dat"].assign(bytes + textSize, recordSize);
    files.files["data/Stat.dat"].assign(bytes + textSize + recordSize, size - kHead - textSize - recordSize);
    const auto original = files.files;

    DrawHistoryStore store("data", files);
    store.load();
    const DrawHistory history = store.history();
    const auto recency = store.recencyTable();
    require(store.newestRecords(3).size() == std::min<std::size_t>(3, history.records.size()));

    if (history.problem) {
        require(!history.problem->empty() && history.problem->back() == '!');
        require(refused([&] { store.deleteDraw(0); }, *history.problem));
        require(refused([&] { store.appendDraw("1001", makeDrawRecord(1001, {1, 2, 3, 4, 5, 6})); }, *history.problem));
        require(files.files == original);
        return 0;
    }

    const std::size_t draws = history.records.size();
    require(history.lines.size() == draws && history.totals.drawCount == static_cast<std::int32_t>(draws));
    require(history.journalRecords >= 1);
    for (std::size_t i = 0; i < draws; ++i) {
        const DrawRecord& record = history.records[i];
        require(isSoundDrawRecord(record) && record.drawNumber <= kLastDrawNumber);
        require(lineDrawNumber(history.lines[i]) == record.drawNumber);
        require(i == 0 || record.drawNumber > history.records[i - 1].drawNumber);
    }
    for (Number n : history.records.empty() ? Combination{} : history.records.back().numbers)
        require(n == 0 || recency[n - 1] == 1);

    StatRecord totals = history.totals;
    if (draws > 0) {
        const std::size_t index = pick % draws;
        countDraw(totals, history.records[index], -1);
        store.deleteDraw(index);
    }
    NumberBoxes boxes{};
    for (int k = 0; k < kNumbersPerCombination; ++k)
        boxes[(pick + 7 * k) % kHighestNumber] = 1;
    const DrawEntry entry = enterDraw(store.history().lines, polishShortDate(2002, 5, 18), boxes);
    if (entry.refusal.empty()) {
        countDraw(totals, entry.record, +1);
        store.appendDraw(entry.line, entry.record);
    } else {
        require(entry.refusal == kNoDrawNumberLeftMessage);
    }
    require(store.history().totals == totals);
    require(loaded(files) == store.history());
    return 0;
}
