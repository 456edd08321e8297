#include "core/ChangeJournal.h"

#include <algorithm>
#include <cerrno>

namespace selektor {

const char* const kChangeUnderWayMessage =
    "Te pliki zmienia właśnie inna kopia programu - spróbuj ponownie za chwilę !";

namespace {

// A person who opens the file sees what it is.
constexpr std::string_view kMagic = "Selektor: dziennik zmiany plikow\n";
constexpr char kEnd = 'E';

char kindLetter(JournalEntry::Kind kind) {
    switch (kind) {
    case JournalEntry::Kind::Length:
        return 'L';
    case JournalEntry::Kind::Content:
        return 'C';
    case JournalEntry::Kind::Absent:
        return 'A';
    case JournalEntry::Kind::MovedAside:
        return 'B';
    }
    return '?';
}

// FNV-1a: enough to tell a journal cut short or torn by a power failure from a whole one.
std::uint64_t checkSum(std::string_view bytes) {
    std::uint64_t sum = 14695981039346656037ull;
    for (const char c : bytes) {
        sum ^= static_cast<unsigned char>(c);
        sum *= 1099511628211ull;
    }
    return sum;
}

void putNumber(std::string& out, std::uint64_t value) {
    for (int i = 0; i < 8; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Reads eight little-endian bytes at `at`, moving past them; nothing past the end.
std::optional<std::uint64_t> takeNumber(std::string_view bytes, std::size_t& at) {
    if (bytes.size() - at < 8)
        return std::nullopt;
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i)
        value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    at += 8;
    return value;
}

} // namespace

std::string encodeJournal(const std::vector<JournalEntry>& entries) {
    std::string bytes(kMagic);
    for (const JournalEntry& entry : entries) {
        bytes += kindLetter(entry.kind);
        putNumber(bytes, entry.name.size());
        bytes += entry.name;
        if (entry.kind == JournalEntry::Kind::Length)
            putNumber(bytes, entry.length);
        if (entry.kind == JournalEntry::Kind::Content) {
            putNumber(bytes, entry.content.size());
            bytes += entry.content;
        }
    }
    bytes += kEnd;
    putNumber(bytes, checkSum(bytes));
    return bytes;
}

std::optional<std::vector<JournalEntry>> decodeJournal(std::string_view bytes, const std::vector<std::string>& names) {
    if (bytes.size() < kMagic.size() + 9 || bytes.substr(0, kMagic.size()) != kMagic)
        return std::nullopt;
    std::size_t sumAt = bytes.size() - 8;
    const std::optional<std::uint64_t> sum = takeNumber(bytes, sumAt);
    const std::string_view body = bytes.substr(0, bytes.size() - 8);
    if (!sum || *sum != checkSum(body) || body.back() != kEnd)
        return std::nullopt;

    std::vector<JournalEntry> entries;
    std::size_t at = kMagic.size();
    while (at < body.size() - 1) {
        JournalEntry entry;
        const char letter = body[at++];
        if (letter == 'L')
            entry.kind = JournalEntry::Kind::Length;
        else if (letter == 'C')
            entry.kind = JournalEntry::Kind::Content;
        else if (letter == 'A')
            entry.kind = JournalEntry::Kind::Absent;
        else if (letter == 'B')
            entry.kind = JournalEntry::Kind::MovedAside;
        else
            return std::nullopt;
        const std::optional<std::uint64_t> nameSize = takeNumber(body, at);
        if (!nameSize || *nameSize > body.size() - at)
            return std::nullopt;
        entry.name = body.substr(at, *nameSize);
        at += *nameSize;
        if (std::find(names.begin(), names.end(), entry.name) == names.end())
            return std::nullopt;
        if (entry.kind == JournalEntry::Kind::Length) {
            const std::optional<std::uint64_t> length = takeNumber(body, at);
            if (!length)
                return std::nullopt;
            entry.length = *length;
        }
        if (entry.kind == JournalEntry::Kind::Content) {
            const std::optional<std::uint64_t> size = takeNumber(body, at);
            if (!size || *size > body.size() - at)
                return std::nullopt;
            entry.content = body.substr(at, *size);
            at += *size;
        }
        entries.push_back(std::move(entry));
    }
    if (at != body.size() - 1)
        return std::nullopt;
    return entries;
}

ChangeJournal::ChangeJournal(FileOperations& files, std::string folder, std::string journalName,
                             std::vector<std::string> names, std::uint64_t largest)
    : m_files(files), m_folder(std::move(folder)), m_journal(std::move(journalName)), m_names(std::move(names)),
      m_largest(largest) {
    if (m_folder.empty())
        m_folder = ".";
}

std::string ChangeJournal::pathOf(const std::string& name) const {
    return m_folder.back() == '/' ? m_folder + name : m_folder + "/" + name;
}

// A new, removed or renamed name lasts through a power failure only once its folder is synced. Some
// file systems cannot sync a folder; they keep their names in order by themselves.
void ChangeJournal::syncFolder() {
    int folder = -1;
    if (m_files.open(m_folder, OpenMode::Directory, folder) == 0) {
        m_files.sync(folder);
        m_files.close(folder);
    }
}

void ChangeJournal::begin(std::vector<JournalEntry> entries) {
    m_entries = std::move(entries);
    const std::string bytes = encodeJournal(m_entries);
    const std::string path = pathOf(m_journal);
    FileStatus status;
    if (m_files.pathStatus(path, status) == 0)
        throw FileError(kChangeUnderWayMessage);
    bool made = false;
    try {
        File journal(m_files, path, OpenMode::CreateNew);
        made = true;
        journal.write(bytes);
        journal.sync();
        journal.close();
    } catch (...) {
        // A journal cut short would be removed at the next start anyway; removed now, it is not in the
        // way of the next try.
        if (made)
            m_files.remove(path);
        throw;
    }
    syncFolder();
}

void ChangeJournal::commit() {
    const std::string path = pathOf(m_journal);
    if (const int error = m_files.remove(path))
        throw FileError(pathErrorText(m_files, error, path));
    syncFolder();
    m_entries.clear();
}

void ChangeJournal::rollBack() {
    playBack(m_entries);
    m_entries.clear();
}

bool ChangeJournal::recover() {
    const std::string path = pathOf(m_journal);
    const std::optional<FileStatus> status = statusIfPresent(m_files, path);
    if (!status)
        return false;
    std::optional<std::vector<JournalEntry>> entries;
    if (status->regular && status->size <= m_largest)
        entries = decodeJournal(readWholeFile(m_files, path, m_largest), m_names);
    if (!entries) {
        // Cut short before it was whole, so before any file was touched, or not the program's journal at
        // all: there is nothing to put back.
        if (const int error = m_files.remove(path))
            throw FileError(pathErrorText(m_files, error, path));
        syncFolder();
        return false;
    }
    playBack(*entries);
    return true;
}

// Every step can be taken again with the same result, so a playback cut short by another crash is
// simply played back again at the next start.
void ChangeJournal::playBack(const std::vector<JournalEntry>& entries) {
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        const std::string path = pathOf(entry->name);
        switch (entry->kind) {
        case JournalEntry::Kind::Length: {
            // A file missing, or shorter than it was, is not one this change added to; it is left as it is.
            const std::optional<FileStatus> status = statusIfPresent(m_files, path);
            if (!status || status->size <= entry->length)
                break;
            File file(m_files, path, OpenMode::Write);
            file.truncate(entry->length);
            file.sync();
            file.close();
            break;
        }
        case JournalEntry::Kind::Content: {
            FileReplacement file(m_files, path);
            file.write(entry->content);
            file.commit();
            break;
        }
        case JournalEntry::Kind::Absent: {
            const int error = m_files.remove(path);
            if (error != 0 && error != ENOENT)
                throw FileError(pathErrorText(m_files, error, path));
            break;
        }
        case JournalEntry::Kind::MovedAside: {
            const std::string aside = path + kBackupSuffix;
            // Not moved aside yet, or moved back already.
            if (!statusIfPresent(m_files, aside))
                break;
            if (const int error = m_files.rename(aside, path))
                throw FileError(pathErrorText(m_files, error, path));
            break;
        }
        }
    }
    syncFolder();
    const std::string journal = pathOf(m_journal);
    const int error = m_files.remove(journal);
    if (error != 0 && error != ENOENT)
        throw FileError(pathErrorText(m_files, error, journal));
    syncFolder();
}

} // namespace selektor
