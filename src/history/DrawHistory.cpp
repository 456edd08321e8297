#include "history/DrawHistory.h"

#include <algorithm>
#include <cerrno>
#include <new>

namespace selektor {

namespace {

std::string number(std::uint64_t value) {
    return std::to_string(value);
}

const std::vector<std::string> kHistoryFiles = {kHistoryTextFile, kDrawRecordFile, kTotalsFile};

std::string bytesOf(const StatRecord& totals) {
    const StatRecordBytes bytes = encodeStatRecord(totals);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

bool anyNegative(const StatRecord& totals) {
    const StatRecordBytes bytes = encodeStatRecord(totals);
    for (std::size_t at = 3; at < bytes.size(); at += 4)
        if (bytes[at] & 0x80)
            return true;
    return false;
}

} // namespace

std::string lineWithoutDrawNumberMessage(std::size_t lineIndex) {
    return "Wiersz " + number(lineIndex + 1) + " pliku Losowania.txt nie zaczyna się od numeru losowania !";
}

std::string repairedMessage(const std::vector<std::string>& keptAside) {
    std::string message = "Pliki Losowanie.dat i Stat.dat zostały odbudowane z pliku Losowania.txt";
    if (keptAside.size() == 1)
        message += ", poprzedni plik zachowano jako " + keptAside[0] + kBackupSuffix;
    else if (keptAside.size() == 2)
        message += ", poprzednie zachowano jako " + keptAside[0] + kBackupSuffix + " i " + keptAside[1] + kBackupSuffix;
    return message + " !";
}

std::string filesDisagreeMessage(std::string_view failure) {
    return "Zapis nie powiódł się (" + std::string(failure) +
           ") i nie udało się od razu przywrócić poprzedniej zawartości plików Losowania.txt, Losowanie.dat i "
           "Stat.dat - zamknij program, a przy następnym uruchomieniu zostanie ona przywrócona !";
}

std::string unreadableHistoryFileMessage(const char* name, std::string_view failure) {
    // The program's own refusals name the file already.
    if (failure.find(name) != std::string_view::npos)
        return std::string(failure);
    return "Nie można odczytać pliku " + std::string(name) + " (" + std::string(failure) + ") !";
}

std::optional<std::string> checkDrawHistory(const DrawHistory& history, std::uint64_t recordFileSize,
                                            std::uint64_t totalsFileSize) {
    if (recordFileSize % kDrawRecordSize != 0)
        return "Plik Losowanie.dat jest uszkodzony - jego długość nie jest wielokrotnością 20 bajtów !";
    if (totalsFileSize == 0)
        return "Plik Stat.dat jest pusty - nie ma w nim ani jednego zapisu statystyki !";
    if (totalsFileSize % kStatRecordSize != 0)
        return "Plik Stat.dat jest uszkodzony - jego długość nie jest wielokrotnością 604 bajtów !";
    const std::size_t draws = history.records.size();
    if (history.lines.size() != draws)
        return "Liczba wierszy pliku Losowania.txt (" + number(history.lines.size()) +
               ") nie zgadza się z liczbą zapisów pliku Losowanie.dat (" + number(draws) + ") !";
    if (history.totals.drawCount < 0 || static_cast<std::uint64_t>(history.totals.drawCount) != draws)
        return "Liczba losowań w ostatnim zapisie pliku Stat.dat (" + std::to_string(history.totals.drawCount) +
               ") nie zgadza się z liczbą zapisów pliku Losowanie.dat (" + number(draws) + ") !";
    for (std::size_t i = 0; i < draws; ++i) {
        const std::optional<std::int32_t> lineNumber = lineDrawNumber(history.lines[i]);
        if (!lineNumber)
            return lineWithoutDrawNumberMessage(i);
        const DrawRecord& record = history.records[i];
        const std::string which = "Zapis " + number(i + 1) + " pliku Losowanie.dat";
        if (record.drawNumber > kLastDrawNumber)
            return which + " ma numer losowania " + std::to_string(record.drawNumber) +
                   ", większy od ostatniego możliwego 9999 !";
        if (!isSoundDrawRecord(record))
            return which + " jest uszkodzony - jego liczby lub ich układy są błędne !";
        if (record.drawNumber != *lineNumber)
            return "Wiersz " + number(i + 1) + " pliku Losowania.txt ma numer losowania " +
                   std::to_string(*lineNumber) + ", a zapis " + number(i + 1) + " pliku Losowanie.dat numer " +
                   std::to_string(record.drawNumber) + " - pliki nie zgadzają się ze sobą !";
        // The list is kept in the order of its lines' numbers, and deletion finds a draw's record by its
        // line's position: this holds only while numbers rise.
        if (i > 0 && record.drawNumber <= history.records[i - 1].drawNumber)
            return "Numery losowań nie rosną - w wierszu " + number(i + 1) + " pliku Losowania.txt po losowaniu " +
                   std::to_string(history.records[i - 1].drawNumber) + " stoi losowanie " +
                   std::to_string(record.drawNumber) + " !";
    }
    // Every statistic reads the totals, and a deletion counts a draw out of them: they must be the
    // records' own counts.
    if (anyNegative(history.totals))
        return std::string("Ostatni zapis pliku Stat.dat jest uszkodzony - ma ujemny licznik !");
    StatRecord recounted;
    for (const DrawRecord& record : history.records)
        countDraw(recounted, record, +1);
    if (recounted != history.totals)
        return std::string("Ostatni zapis pliku Stat.dat nie zgadza się z losowaniami pliku Losowanie.dat - jego "
                           "liczniki są uszkodzone !");
    return std::nullopt;
}

std::array<std::uint8_t, kHighestNumber> recencyTable(std::span<const DrawRecord> records) {
    std::array<std::uint8_t, kHighestNumber> table{};
    int found = 0;
    int back = 0;
    for (auto k = records.size(); found < kHighestNumber && k > 0;) {
        --k;
        back = std::min(back + 1, 255);
        // A damaged record may hold anything; the history is still read, never past the table.
        for (Number n : records[k].numbers) {
            if (n >= kLowestNumber && n <= kHighestNumber && table[n - 1] == 0) {
                table[n - 1] = static_cast<std::uint8_t>(back);
                ++found;
            }
        }
    }
    return table;
}

std::vector<std::string> splitHistoryText(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

RebuiltHistory rebuildHistory(const std::vector<std::string>& lines) {
    RebuiltHistory rebuilt;
    if (lines.size() > kMostDraws) {
        rebuilt.refusal = "Plik Losowania.txt ma " + number(lines.size()) + " wierszy, a historia może mieć najwyżej " +
                          number(kMostDraws) + " losowań - nic nie zostało odbudowane !";
        return rebuilt;
    }
    rebuilt.records.reserve(lines.size());
    StatRecord totals;
    rebuilt.totalsBytes = bytesOf(totals);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<ReadHistoryLine> read = readHistoryLine(lines[i]);
        const bool rising =
            read && (rebuilt.records.empty() || read->record.drawNumber > rebuilt.records.back().drawNumber);
        if (!rising) {
            rebuilt.records.clear();
            rebuilt.recordBytes.clear();
            rebuilt.totalsBytes.clear();
            rebuilt.refusal =
                "Wiersz " + number(i + 1) +
                " pliku Losowania.txt nie jest wierszem losowania (numer większy od poprzedniego, data, sześć liczb "
                "rosnąco i ich układy, tak jak zapisuje je program) - nic nie zostało odbudowane !";
            return rebuilt;
        }
        rebuilt.records.push_back(read->record);
        const DrawRecordBytes record = encodeDrawRecord(read->record);
        rebuilt.recordBytes.append(reinterpret_cast<const char*>(record.data()), record.size());
        countDraw(totals, read->record, +1);
        rebuilt.totalsBytes += bytesOf(totals);
    }
    return rebuilt;
}

DrawHistoryStore::DrawHistoryStore(std::string dataDirectory, FileOperations& files)
    : m_directory(std::move(dataDirectory)), m_files(files),
      m_journal(files, m_directory, kHistoryJournalFile, kHistoryFiles,
                kLargestHistoryText + kLargestDrawRecordFile + (std::uint64_t{1} << 16)) {
    m_history.problem = kHistoryNotLoadedMessage;
}

std::string DrawHistoryStore::pathOf(const char* name) const {
    if (m_directory.empty())
        return name;
    return m_directory.back() == '/' ? m_directory + name : m_directory + "/" + name;
}

std::uint64_t DrawHistoryStore::totalsSize() const {
    return static_cast<std::uint64_t>(m_history.journalRecords) * kStatRecordSize;
}

void DrawHistoryStore::load() {
    m_history = DrawHistory{};
    m_text.clear();
    m_recordBytes.clear();
    m_interruptedChangeUndone = false;
    m_textRead = false;
    m_undoPending = false;
    try {
        m_interruptedChangeUndone = m_journal.recover();
    } catch (const std::exception& error) {
        m_undoPending = true;
        m_history.problem =
            "Nie udało się cofnąć przerwanej zmiany historii losowań (" +
            std::string(dynamic_cast<const std::bad_alloc*>(&error) ? fileErrorText(ENOMEM) : error.what()) +
            ") - pliki losowań nie zostały wczytane, spróbuj ponownie uruchomić program !";
        throw FileError(*m_history.problem);
    }
    removeLeftovers(m_files, m_directory.empty() ? "." : m_directory, kHistoryFiles);
    try {
        readFiles();
    } catch (const std::bad_alloc&) {
        m_history.problem = fileErrorText(ENOMEM);
        throw FileError(*m_history.problem);
    }
}

void DrawHistoryStore::readFiles() {
    DrawHistory history;
    std::string text;
    try {
        text = readWholeFile(m_files, pathOf(kHistoryTextFile), kLargestHistoryText,
                             "Plik Losowania.txt jest za duży - historia może mieć najwyżej 8999 losowań !");
    } catch (const FileError& error) {
        m_history.problem = unreadableHistoryFileMessage(kHistoryTextFile, error.what());
        throw FileError(*m_history.problem);
    }
    history.lines = splitHistoryText(text);

    // Without the other two files the draw list is still shown, and the sentence names the missing one.
    const char* reading = kDrawRecordFile;
    std::string recordBytes;
    std::uint64_t totalsSize = 0;
    try {
        recordBytes = readWholeFile(m_files, pathOf(kDrawRecordFile), kLargestDrawRecordFile,
                                    "Plik Losowanie.dat jest za duży - historia może mieć najwyżej 8999 losowań !");
        // The journal grows with every change for as long as the history is kept; only its last record
        // counts, and only that one is read.
        reading = kTotalsFile;
        File totalsFile(m_files, pathOf(kTotalsFile), OpenMode::Read);
        totalsSize = totalsFile.status().size;
        history.journalRecords = static_cast<std::int64_t>(totalsSize / kStatRecordSize);
        if (history.journalRecords > 0) {
            StatRecordBytes last{};
            const std::uint64_t at = (totalsSize / kStatRecordSize - 1) * kStatRecordSize;
            if (totalsFile.readAt(reinterpret_cast<char*>(last.data()), last.size(), at) != last.size())
                throw FileError(fileErrorText(EIO));
            history.totals = decodeStatRecord(last.data());
        }
    } catch (const FileError& error) {
        history.records.clear();
        history.totals = StatRecord{};
        history.journalRecords = 0;
        history.problem = unreadableHistoryFileMessage(reading, error.what());
        m_history = std::move(history);
        m_text = std::move(text);
        m_textRead = true;
        throw FileError(*m_history.problem);
    }

    history.records.reserve(recordBytes.size() / kDrawRecordSize);
    for (std::size_t at = 0; at + kDrawRecordSize <= recordBytes.size(); at += kDrawRecordSize)
        history.records.push_back(decodeDrawRecord(reinterpret_cast<const std::uint8_t*>(recordBytes.data() + at)));
    history.problem = checkDrawHistory(history, recordBytes.size(), totalsSize);

    m_history = std::move(history);
    m_text = std::move(text);
    m_recordBytes = std::move(recordBytes);
    m_textRead = true;
}

std::array<std::uint8_t, kHighestNumber> DrawHistoryStore::recencyTable() const {
    return selektor::recencyTable(m_history.records);
}

std::vector<DrawRecord> DrawHistoryStore::newestRecords(std::size_t n) const {
    const std::size_t count = std::min(n, m_history.records.size());
    return {m_history.records.rbegin(), m_history.records.rbegin() + static_cast<std::ptrdiff_t>(count)};
}

void DrawHistoryStore::refuseChanges() const {
    if (m_history.problem)
        throw FileError(*m_history.problem);
}

// The store writes where the history it loaded ends. Had another program (or a second copy of this one)
// changed the files since, that would cut into its changes or leave a gap; the sizes tell.
void DrawHistoryStore::checkFilesUnchanged() const {
    const std::pair<std::string, std::uint64_t> expected[] = {
        {pathOf(kHistoryTextFile), m_text.size()},
        {pathOf(kDrawRecordFile), m_recordBytes.size()},
        {pathOf(kTotalsFile), totalsSize()},
    };
    for (const auto& [path, size] : expected) {
        FileStatus status;
        if (const int error = m_files.pathStatus(path, status))
            throw FileError(pathErrorText(m_files, error, path));
        if (status.size != size)
            throw FileError(kHistoryChangedMessage);
    }
}

void DrawHistoryStore::checkTextUnchanged() const {
    const std::string path = pathOf(kHistoryTextFile);
    FileStatus status;
    if (const int error = m_files.pathStatus(path, status))
        throw FileError(pathErrorText(m_files, error, path));
    if (status.size != m_text.size())
        throw FileError(kHistoryChangedMessage);
}

void DrawHistoryStore::appendToFile(const char* name, std::uint64_t oldSize, std::string_view bytes) {
    File file(m_files, pathOf(name), OpenMode::Write);
    file.seek(oldSize);
    file.write(bytes);
    file.sync();
    file.close();
}

void DrawHistoryStore::replaceFile(const char* name, std::string_view bytes) {
    FileReplacement replacement(m_files, pathOf(name));
    replacement.write(bytes);
    replacement.commit();
}

template <class Steps> void DrawHistoryStore::change(std::vector<JournalEntry> entries, Steps&& steps) {
    // Until the journal is whole on the disk nothing has changed, and a failure is only said.
    m_journal.begin(std::move(entries));
    try {
        steps();
        m_journal.commit();
    } catch (const std::exception& failure) {
        const std::string text =
            dynamic_cast<const std::bad_alloc*>(&failure) ? fileErrorText(ENOMEM) : std::string(failure.what());
        try {
            m_journal.rollBack();
        } catch (const std::exception&) {
            // The history in memory is the one before the change, which no longer matches the files;
            // nothing more may be written on top of them until the journal is played back.
            m_history.problem = filesDisagreeMessage(text);
            m_undoPending = true;
            throw FileError(*m_history.problem);
        }
        throw FileError(text);
    }
}

void DrawHistoryStore::appendDraw(const std::string& line, const DrawRecord& record) {
    const NewDraw draw{line, record};
    appendDraws(std::span(&draw, 1));
}

void DrawHistoryStore::appendDraws(std::span<const NewDraw> draws) {
    refuseChanges();
    if (draws.empty())
        return;
    std::optional<std::int32_t> next = nextDrawNumber(m_history.lines);
    for (const NewDraw& draw : draws) {
        if (!next)
            throw FileError(kNoDrawNumberLeftMessage);
        if (draw.record.drawNumber != *next || lineDrawNumber(draw.line) != draw.record.drawNumber ||
            !isSoundDrawRecord(draw.record) || draw.line.find_first_of("\r\n") != std::string::npos)
            throw FileError(kUnsoundNewDrawMessage);
        next = *next < kLastDrawNumber ? std::optional(*next + 1) : std::nullopt;
    }
    checkFilesUnchanged();

    // Everything the files and the memory get is made before the first byte is written, so that once the
    // files have the draws, taking them into memory cannot fail.
    // A last line without its line end gets one first, or the new line would run on from it.
    const bool ended = m_text.empty() || m_text.back() == '\r' || m_text.back() == '\n';
    std::string textBytes = ended ? "" : "\r\n";
    std::string recordBytes;
    std::string totalsBytes;
    StatRecord totals = m_history.totals;
    for (const NewDraw& draw : draws) {
        textBytes += draw.line;
        textBytes += "\r\n";
        const DrawRecordBytes record = encodeDrawRecord(draw.record);
        recordBytes.append(reinterpret_cast<const char*>(record.data()), record.size());
        countDraw(totals, draw.record, +1);
        totalsBytes += bytesOf(totals);
    }
    m_history.lines.reserve(m_history.lines.size() + draws.size());
    m_history.records.reserve(m_history.records.size() + draws.size());
    m_text.reserve(m_text.size() + textBytes.size());
    m_recordBytes.reserve(m_recordBytes.size() + recordBytes.size());

    // Each file is only added to: its old length is all it takes to put it back.
    change(
        {
            {JournalEntry::Kind::Length, kHistoryTextFile, m_text.size(), {}},
            {JournalEntry::Kind::Length, kDrawRecordFile, m_recordBytes.size(), {}},
            {JournalEntry::Kind::Length, kTotalsFile, totalsSize(), {}},
        },
        [&] {
            appendToFile(kHistoryTextFile, m_text.size(), textBytes);
            appendToFile(kDrawRecordFile, m_recordBytes.size(), recordBytes);
            appendToFile(kTotalsFile, totalsSize(), totalsBytes);
        });

    for (const NewDraw& draw : draws) {
        m_history.lines.push_back(draw.line);
        m_history.records.push_back(draw.record);
    }
    m_history.totals = totals;
    m_history.journalRecords += static_cast<std::int64_t>(draws.size());
    m_text += textBytes;
    m_recordBytes += recordBytes;
}

void DrawHistoryStore::deleteDraw(std::size_t index) {
    refuseChanges();
    if (index >= m_history.records.size())
        throw FileError(kNoDrawSelectedMessage);
    checkFilesUnchanged();

    // The text is written whole from the list, as the list shows it; the records keep their bytes.
    std::string text;
    text.reserve(m_text.size());
    for (std::size_t i = 0; i < m_history.lines.size(); ++i) {
        if (i == index)
            continue;
        text += m_history.lines[i];
        text += "\r\n";
    }
    std::string recordBytes = m_recordBytes;
    recordBytes.erase(index * kDrawRecordSize, kDrawRecordSize);
    StatRecord totals = m_history.totals;
    countDraw(totals, m_history.records[index], -1);
    const std::string totalsBytes = bytesOf(totals);

    // The text and the records are rewritten: their old bytes go into the journal, every byte of them,
    // also line ends and reserved bytes this program would not have written.
    change(
        {
            {JournalEntry::Kind::Content, kHistoryTextFile, 0, m_text},
            {JournalEntry::Kind::Content, kDrawRecordFile, 0, m_recordBytes},
            {JournalEntry::Kind::Length, kTotalsFile, totalsSize(), {}},
        },
        [&] {
            replaceFile(kHistoryTextFile, text);
            replaceFile(kDrawRecordFile, recordBytes);
            appendToFile(kTotalsFile, totalsSize(), totalsBytes);
        });

    const auto at = static_cast<std::ptrdiff_t>(index);
    m_history.lines.erase(m_history.lines.begin() + at);
    m_history.records.erase(m_history.records.begin() + at);
    m_history.totals = totals;
    ++m_history.journalRecords;
    m_text = std::move(text);
    m_recordBytes = std::move(recordBytes);
}

bool DrawHistoryStore::repairable() const {
    // A change that could not be undone waits for its journal to be played back; anything else the text
    // can mend.
    return m_textRead && m_history.problem && !m_undoPending;
}

std::vector<std::string> DrawHistoryStore::repair() {
    if (!m_textRead)
        refuseChanges();
    const RebuiltHistory rebuilt = rebuildHistory(m_history.lines);
    if (rebuilt.refusal)
        throw FileError(*rebuilt.refusal);
    checkTextUnchanged();

    // The old files are moved aside under their ".bak" names, the place of an older copy; a file that
    // is missing is simply made.
    std::vector<JournalEntry> entries;
    std::vector<const char*> aside;
    for (const char* name : {kDrawRecordFile, kTotalsFile}) {
        const std::string path = pathOf(name);
        const std::string backup = path + kBackupSuffix;
        if (const int error = m_files.remove(backup); error != 0 && error != ENOENT)
            throw FileError(pathErrorText(m_files, error, backup));
        const bool present = statusIfPresent(m_files, path).has_value();
        if (present)
            aside.push_back(name);
        entries.push_back({present ? JournalEntry::Kind::MovedAside : JournalEntry::Kind::Absent, name, 0, {}});
    }
    change(std::move(entries), [&] {
        for (const char* name : aside) {
            const std::string path = pathOf(name);
            if (const int error = m_files.rename(path, path + kBackupSuffix))
                throw FileError(pathErrorText(m_files, error, path));
        }
        replaceFile(kDrawRecordFile, rebuilt.recordBytes);
        replaceFile(kTotalsFile, rebuilt.totalsBytes);
    });
    load();
    return {aside.begin(), aside.end()};
}

} // namespace selektor
