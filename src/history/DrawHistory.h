#pragma once

// The draw history in its three files in the data folder: "Losowania.txt" with one line of the draw list
// per draw, "Losowanie.dat" with one 20-byte record per draw, and "Stat.dat", a journal of 604-byte
// totals records whose last one counts the whole history.
//
// The three files always change together, and a change is all or nothing even when the program is
// killed or the power fails in the middle of it: a journal beside them says how to put every file back
// (see ChangeJournal), and the next load plays it back before it reads a byte. A failure the program
// sees undoes the change at once. The files are only ever written in the order text, records, totals.
//
// Files that disagree anyway (edited by hand, brought from elsewhere) can be rebuilt from the text,
// which holds every draw's number, date and Numbers.

#include "core/ChangeJournal.h"
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
// The journal of a change under way, a hidden file of the program's own beside them.
inline constexpr char kHistoryJournalFile[] = ".selektor-losowania.dziennik";

// A history holds at most the draws 1001 to 9999, and a line of the draw list is some sixty characters;
// anything far larger is no history and is not read.
inline constexpr std::size_t kMostDraws = 9999 - 1001 + 1;
inline constexpr std::uint64_t kLongestHistoryLine = 254; // without its line end
inline constexpr std::uint64_t kLargestHistoryText = kMostDraws * (kLongestHistoryLine + 2);
inline constexpr std::uint64_t kLargestDrawRecordFile = kMostDraws * 20;

// The refusals of the program's own; the load checks' sentences say which line or record is at fault.
inline constexpr char kHistoryNotLoadedMessage[] = "Historia losowań nie została wczytana !";
inline constexpr char kHistoryChangedMessage[] =
    "Pliki losowań zostały zmienione poza programem - uruchom program ponownie, zanim dodasz lub usuniesz "
    "losowanie !";
inline constexpr char kUnsoundNewDrawMessage[] = "Nowe losowanie jest błędne i nie zostało zapisane !";
inline constexpr char kInterruptedChangeUndoneMessage[] =
    "Przerwana zmiana historii losowań została cofnięta - pliki Losowania.txt, Losowanie.dat i Stat.dat są "
    "takie jak przed nią !";
inline constexpr char kRepairQuestion[] =
    "Odbudować pliki Losowanie.dat i Stat.dat z pliku Losowania.txt ? Obecne pliki zostaną zachowane z "
    "końcówką .bak.";
// The rebuild is done; `keptAside` names the old files now kept with ".bak" added (a missing one is not).
std::string repairedMessage(const std::vector<std::string>& keptAside);
std::string lineWithoutDrawNumberMessage(std::size_t lineIndex);
// A change failed and so did putting the files back at once: they disagree until the journal is played
// back at the next start.
std::string filesDisagreeMessage(std::string_view failure);
// A file of the history that could not be read, named with the standard text of the failure.
std::string unreadableHistoryFileMessage(const char* name, std::string_view failure);

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
// of "Losowanie.dat" and "Stat.dat"; the records hold the whole records of the first. The last totals
// record must hold exactly the counts of the records, none of them negative.
std::optional<std::string> checkDrawHistory(const DrawHistory& history, std::uint64_t recordFileSize,
                                            std::uint64_t totalsFileSize);

// How many draws ago each Number (index n - 1) last came up: 1 the newest draw, 0 never. The scan goes
// from the newest draw back and stops once all 49 are found. A Number last drawn 255 or more draws ago
// reads 255, the most a byte of the table holds.
std::array<std::uint8_t, kHighestNumber> recencyTable(std::span<const DrawRecord> records);

// Cuts "Losowania.txt" into lines at CR LF, a lone LF or a lone CR; a last line without an end is a line.
std::vector<std::string> splitHistoryText(std::string_view text);

// The records and the totals journal rebuilt from the lines of the draw list, as if every draw had been
// entered one by one into an empty history: a zero totals record, then one per draw. Refused, naming the
// line, when a line is not one the program writes or the draw numbers do not rise.
struct RebuiltHistory {
    std::vector<DrawRecord> records;
    std::string recordBytes;
    std::string totalsBytes;
    std::optional<std::string> refusal;
};
RebuiltHistory rebuildHistory(const std::vector<std::string>& lines);

class DrawHistoryStore {
public:
    // The files are found by their bare names in `dataDirectory`; nothing is read before load().
    explicit DrawHistoryStore(std::string dataDirectory, FileOperations& files = systemFiles());

    // Plays back the journal of a change that never completed, removes what such a change left behind,
    // then reads all three files and checks them; a failed check is kept as the history's problem. A
    // file that cannot be read throws FileError with a sentence naming it, kept as the problem too; the
    // lines of the text are kept when only the other two fail. No file is ever created.
    void load();

    const DrawHistory& history() const { return m_history; }
    // The last load undid a change that had been cut short.
    bool interruptedChangeUndone() const { return m_interruptedChangeUndone; }
    // Whether the records and the totals could be rebuilt from the text: it was read, and a problem
    // stands in the way of changes.
    bool repairable() const;
    // Rebuilds "Losowanie.dat" and "Stat.dat" from the lines of "Losowania.txt", keeping the old ones
    // with ".bak" added to their names, as one change; then loads the history again. Throws FileError
    // naming the line that cannot be read (nothing is then changed) or the failed step. Returns the names
    // of the old files kept aside.
    std::vector<std::string> repair();
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
    std::string pathOf(const char* name) const;
    void readFiles();
    void refuseChanges() const;
    void checkFilesUnchanged() const;
    void checkTextUnchanged() const;
    void appendToFile(const char* name, std::uint64_t oldSize, std::string_view bytes);
    void replaceFile(const char* name, std::string_view bytes);
    // Runs the steps of one change under the journal; a failure rolls it back and throws.
    template <class Steps> void change(std::vector<JournalEntry> entries, Steps&& steps);
    std::uint64_t totalsSize() const;

    std::string m_directory;
    FileOperations& m_files;
    ChangeJournal m_journal;
    DrawHistory m_history;
    bool m_interruptedChangeUndone = false;
    bool m_textRead = false;    // "Losowania.txt" was read, whatever became of the other two
    bool m_undoPending = false; // a change could not be undone; its journal waits for the next start
    // The two files' bytes as they are on the disk, so that a rewrite that must be undone puts back
    // every byte, also line ends and reserved bytes this program would not have written.
    std::string m_text;
    std::string m_recordBytes;
};

} // namespace selektor
