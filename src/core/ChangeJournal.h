#pragma once

// A change of several files in one folder that is all or nothing even when the program is killed or the
// power fails halfway through it. Before the first file is touched, a journal beside them records how to
// put every one of them back and is made durable; then the files change; removing the journal completes
// the change. A journal found later belongs to a change that never completed: playing it back puts every
// file back as it was before that change. A journal cut short before it was durable changed nothing yet
// (the files are touched only after it is whole on the disk); it fails its check sum and is removed.
//
// The journal is a hidden file of the program's own. It names only files of the set it was made for,
// and a journal that names any other file is not played back.

#include "core/Files.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selektor {

// How to put one file back.
struct JournalEntry {
    enum class Kind : std::uint8_t {
        Length,     // the file is only added to: cut it back to `length` bytes
        Content,    // the file is rewritten: put `content` back
        Absent,     // the file did not exist and is made: remove it
        MovedAside, // the file is renamed to its name with ".bak" and a new one made: rename it back
    };
    Kind kind = Kind::Length;
    std::string name; // a bare name in the folder
    std::uint64_t length = 0;
    std::string content;

    friend bool operator==(const JournalEntry&, const JournalEntry&) = default;
};

inline constexpr char kBackupSuffix[] = ".bak";

// The journal's bytes, and back; nothing when the bytes are not a whole journal naming only `names`.
std::string encodeJournal(const std::vector<JournalEntry>& entries);
std::optional<std::vector<JournalEntry>> decodeJournal(std::string_view bytes, const std::vector<std::string>& names);

// Said when a change finds the journal of another one in its way: a second copy of the program in the
// middle of its own change.
extern const char* const kChangeUnderWayMessage;

class ChangeJournal {
public:
    // The files `names` in `folder`, journalled in the hidden file `journalName` beside them. A journal
    // longer than `largest` bytes cannot be one of this set's and is not read.
    ChangeJournal(FileOperations& files, std::string folder, std::string journalName, std::vector<std::string> names,
                  std::uint64_t largest);

    // Writes the journal and makes it durable; only then may the change touch the files. Throws FileError.
    void begin(std::vector<JournalEntry> entries);
    // The change is complete: removing the journal is the moment it counts. Throws FileError when the
    // journal stays; the change must then be rolled back.
    void commit();
    // The change failed halfway: every file is put back and the journal removed. Throws FileError when
    // that fails; the journal then stays, to be played back at the next start.
    void rollBack();
    // At start-up: plays back the journal of a change that never completed. True when there was one;
    // throws FileError when playing it back failed (the journal stays for another try).
    bool recover();

private:
    std::string pathOf(const std::string& name) const;
    void playBack(const std::vector<JournalEntry>& entries);
    void syncFolder();

    FileOperations& m_files;
    std::string m_folder;
    std::string m_journal;
    std::vector<std::string> m_names;
    std::uint64_t m_largest;
    std::vector<JournalEntry> m_entries;
};

} // namespace selektor
