#pragma once

// The draw history in its three files in the data folder: "Losowania.txt" with one line of the draw list
// per draw, "Losowanie.dat" with one 20-byte record per draw, and "Stat.dat", a journal of 604-byte
// totals records whose last one counts the whole history.
//
// The three files always change together. A change is all or nothing: a file that is added to is cut
// back to its old length when a later step fails, a file that is rewritten gets its new version beside
// the old one and renamed into place, and when a later file fails the earlier ones are put back. The
// files are only ever written in the order text, records, totals. Only when the undo itself fails do
// the files disagree, and the player is told so and what to do.

#include "core/Files.h"
#include "history/DrawEntry.h"
#include "history/Records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace selektor {

inline constexpr char kHistoryTextFile[] = "Losowania.txt";
inline constexpr char kDrawRecordFile[] = "Losowanie.dat";
inline constexpr char kTotalsFile[] = "Stat.dat";

// The refusals of the program's own; the load checks' sentences say which line or record is at fault.
inline constexpr char kHistoryNotLoadedMessage[] = "Historia losowań nie została wczytana !";
inline constexpr char kHistoryChangedMessage[] =
    "Pliki losowań zostały zmienione poza programem - uruchom program ponownie, zanim dodasz lub usuniesz "
    "losowanie !";
inline constexpr char kUnsoundNewDrawMessage[] = "Nowe losowanie jest błędne i nie zostało zapisane !";
std::string lineWithoutDrawNumberMessage(std::size_t lineIndex);
// A change failed and so did putting the files back: they disagree until the player restores them.
std::string filesDisagreeMessage(std::string_view failure);

// The files' content as loaded, kept in step with every change the store makes.
struct DrawHistory {
    std::vector<std::string> lines;  // the draw list, oldest first
    std::vector<DrawRecord> records; // record i is the draw of line i
    StatRecord totals;               // the last totals record
    std::int64_t journalRecords = 0; // totals records in "Stat.dat"
    // The first check the files failed, or the failure to read them. Reading still works; adding and
    // deleting draws are refused with this sentence.
    std::optional<std::string> problem;

    friend bool operator==(const DrawHistory&, const DrawHistory&) = default;
};

// The load checks: the first one the history fails, as the sentence the player sees. The sizes are those
// of "Losowanie.dat" and "Stat.dat"; the records hold the whole records of the first.
std::optional<std::string> checkDrawHistory(const DrawHistory& history, std::uint64_t recordFileSize,
                                            std::uint64_t totalsFileSize);

// How many draws ago each Number (index n - 1) last came up: 1 the newest draw, 0 never. The scan goes
// from the newest draw back and stops once all 49 are found. A Number last drawn 255 or more draws ago
// reads 255, the most a byte of the table holds.
std::array<std::uint8_t, kHighestNumber> recencyTable(std::span<const DrawRecord> records);

// Cuts "Losowania.txt" into lines at CR LF, a lone LF or a lone CR; a last line without an end is a line.
std::vector<std::string> splitHistoryText(std::string_view text);

class DrawHistoryStore {
public:
    // The files are found by their bare names in `dataDirectory`; nothing is read before load().
    explicit DrawHistoryStore(std::string dataDirectory, FileOperations& files = systemFiles());

    // Reads all three files and checks them; a failed check is kept as the history's problem. A file
    // that cannot be read throws FileError with its standard text ("File not found"), and the history
    // stays empty with that text as its problem. No file is ever created.
    void load();

    const DrawHistory& history() const { return m_history; }
    std::array<std::uint8_t, kHighestNumber> recencyTable() const;
    // Up to n records, the newest first.
    std::vector<DrawRecord> newestRecords(std::size_t n) const;

    // Adds the draw at the end of the three files; the record must be sound and numbered after the last
    // line, and the line must begin with its number. Throws FileError: the standard text of a failed
    // step, after which the files are as they were, or a refusal in Polish.
    void appendDraw(const std::string& line, const DrawRecord& record);
    // Several new draws at once, in order, all or nothing: the files get every one of them or none, with
    // one totals record per draw as if they had been entered one by one.
    struct NewDraw {
        std::string line;
        DrawRecord record;
    };
    void appendDraws(std::span<const NewDraw> draws);
    // Removes line and record `index` and counts the draw out of the totals; the other draws keep their
    // numbers. Throws FileError as appendDraw does; an index past the end reads as no draw selected.
    void deleteDraw(std::size_t index);

private:
    class Undo;

    std::string pathOf(const char* name) const;
    void refuseChanges() const;
    void checkFilesUnchanged() const;
    void appendToFile(const std::string& path, std::uint64_t oldSize, std::string_view bytes, Undo& undo);
    void cutBack(const std::string& path, std::uint64_t size);
    void replaceFile(const std::string& path, std::string_view bytes);
    [[noreturn]] void undoAfter(const std::exception& failure, Undo& undo);

    std::string m_directory;
    FileOperations& m_files;
    DrawHistory m_history;
    // The two files' bytes as they are on the disk, so that a rewrite that must be undone puts back
    // every byte, also line ends and reserved bytes this program would not have written.
    std::string m_text;
    std::string m_recordBytes;
};

} // namespace selektor
