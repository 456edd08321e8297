// Arbitrary bytes as a CSV file of results, imported as an update into a history of its own first draws.
// The input's first byte says how many of the file's draws the history holds already; the rest is the
// file.
//
// Checked for every input:
// - a refused file gives one sentence that names a line and ends " !", and no draw;
// - every draw read is six different Numbers 1 to 49 rising, on a real calendar day written "dd.mm.rrrr";
// - the update passes over exactly the draws the history holds, refuses (naming a line) a new draw older
//   than the newest one, and otherwise adds the rest in order of their dates;
// - stored through the draw history store, the new draws load again whole, and importing the same file
//   once more finds nothing new.

#include "Require.h"
#include "history/DrawHistory.h"
#include "history/DrawImport.h"
#include "support/MemoryFiles.h"

#include <algorithm>

using namespace selektor;
using fuzz::require;
using selektor::test::MemoryFiles;

namespace {

bool soundDraw(const ImportedDraw& draw) {
    if (!isSoundCombination(draw.numbers))
        return false;
    const std::optional<CalendarDay> day = calendarDay(draw.date);
    return day && *day == draw.day && polishShortDate(day->year, day->month, day->day) == draw.date;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const DrawImport import = readDrawCsv(text);
    if (import.refusal) {
        require(import.draws.empty() && import.refusal->rfind("Wiersz ", 0) == 0 &&
                import.refusal->substr(import.refusal->size() - 2) == " !");
        return 0;
    }
    for (const ImportedDraw& draw : import.draws)
        require(soundDraw(draw));

    // A history of the file's first draws, as an earlier import would have stored them.
    MemoryFiles files(1 + data[0] % 89);
    files.folders.insert("data");
    files.files = {{"data/Losowania.txt", ""}, {"data/Losowanie.dat", ""}, {"data/Stat.dat", std::string(604, '\0')}};
    DrawHistoryStore store("data", files);
    store.load();
    const std::size_t held = std::min<std::size_t>(data[0] % 8, import.draws.size());
    const auto append = [&](const std::vector<ImportedDraw>& draws) {
        std::vector<DrawHistoryStore::NewDraw> entries;
        std::vector<std::string> lines = store.history().lines;
        for (const ImportedDraw& draw : draws) {
            NumberBoxes boxes{};
            for (Number n : draw.numbers)
                boxes[n - 1] = 1;
            DrawEntry entry = enterDraw(lines, draw.date, boxes);
            require(entry.refusal.empty());
            lines.push_back(entry.line);
            entries.push_back({entry.line, entry.record});
        }
        store.appendDraws(entries);
    };
    const std::vector<ImportedDraw> first(import.draws.begin(), import.draws.begin() + held);
    // The history is kept in the order of the dates; an unordered start is no history to update.
    if (!std::is_sorted(first.begin(), first.end(), [](const auto& a, const auto& b) { return a.day < b.day; }))
        return 0;
    append(first);

    const DrawUpdate update = planDrawUpdate(import, store.history().lines);
    if (update.refusal) {
        require(update.newDraws.empty() && update.refusal->back() == '!');
        return 0;
    }
    require(update.alreadyStored + update.newDraws.size() == import.draws.size());
    require(update.alreadyStored >= held);
    for (std::size_t i = 1; i < update.newDraws.size(); ++i)
        require(!(update.newDraws[i].day < update.newDraws[i - 1].day));
    if (update.newDraws.empty() || store.history().lines.size() + update.newDraws.size() > kMostDraws)
        return 0;
    append(update.newDraws);

    DrawHistoryStore again("data", files);
    again.load();
    require(again.history().problem == std::nullopt && again.history() == store.history());
    const DrawUpdate twice = planDrawUpdate(import, again.history().lines);
    require(!twice.refusal && twice.newDraws.empty() && twice.alreadyStored == import.draws.size());
    return 0;
}
