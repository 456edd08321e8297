#include "history/DrawHistory.h"

#include <algorithm>
#include <cerrno>
#include <functional>
#include <memory>
#include <new>

namespace selektor {

namespace {

constexpr std::size_t kReadPiece = std::size_t{1} << 16;

std::string number(std::uint64_t value) {
    return std::to_string(value);
}

// A whole file, read piece by piece to its end. Closing a file that was only read loses nothing, so a
// failure to close it is no failure of the load.
std::string readWhole(FileOperations& files, const std::string& path) {
    File file(files, path, OpenMode::Read);
    std::string bytes;
    const std::unique_ptr<char[]> buffer(new char[kReadPiece]);
    while (const std::size_t got = file.read(buffer.get(), kReadPiece))
        bytes.append(buffer.get(), got);
    return bytes;
}

} // namespace

std::string lineWithoutDrawNumberMessage(std::size_t lineIndex) {
    return "Wiersz " + number(lineIndex + 1) + " pliku Losowania.txt nie zaczyna się od numeru losowania !";
}

std::string filesDisagreeMessage(std::string_view failure) {
    return "Zapis nie powiódł się (" + std::string(failure) +
           ") i nie udało się przywrócić poprzedniej zawartości plików Losowania.txt, Losowanie.dat i Stat.dat, "
           "które nie zgadzają się teraz ze sobą - zamknij program i przywróć te pliki z kopii zapasowej !";
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

// The steps that put the files back, taken last first once a later step failed. Each is tried even
// when one before it failed, so that as little as possible is left disagreeing. A step is made before
// its file is touched, when making it may still fail harmlessly, and armed once the file is changed.
class DrawHistoryStore::Undo {
public:
    void add(std::function<void()> step) { m_steps.push_back(std::move(step)); }
    void armLast() noexcept { m_armed = m_steps.size(); }
    // True when every armed step succeeded.
    bool run() {
        bool whole = true;
        for (std::size_t i = m_armed; i > 0; --i) {
            try {
                m_steps[i - 1]();
            } catch (const std::exception&) {
                whole = false;
            }
        }
        return whole;
    }

private:
    std::vector<std::function<void()>> m_steps;
    std::size_t m_armed = 0;
};

DrawHistoryStore::DrawHistoryStore(std::string dataDirectory, FileOperations& files)
    : m_directory(std::move(dataDirectory)), m_files(files) {
    m_history.problem = kHistoryNotLoadedMessage;
}

std::string DrawHistoryStore::pathOf(const char* name) const {
    if (m_directory.empty())
        return name;
    return m_directory.back() == '/' ? m_directory + name : m_directory + "/" + name;
}

void DrawHistoryStore::load() {
    m_history = DrawHistory{};
    m_text.clear();
    m_recordBytes.clear();
    try {
        DrawHistory history;
        std::string text = readWhole(m_files, pathOf(kHistoryTextFile));
        std::string recordBytes = readWhole(m_files, pathOf(kDrawRecordFile));

        // The journal grows with every change for as long as the history is kept; only its last record
        // counts, and only that one is read.
        File totalsFile(m_files, pathOf(kTotalsFile), OpenMode::Read);
        const std::uint64_t totalsSize = totalsFile.status().size;
        history.journalRecords = static_cast<std::int64_t>(totalsSize / kStatRecordSize);
        if (history.journalRecords > 0) {
            StatRecordBytes last{};
            const std::uint64_t at = (totalsSize / kStatRecordSize - 1) * kStatRecordSize;
            if (totalsFile.readAt(reinterpret_cast<char*>(last.data()), last.size(), at) != last.size())
                throw FileError(fileErrorText(EIO));
            history.totals = decodeStatRecord(last.data());
        }

        history.lines = splitHistoryText(text);
        history.records.reserve(recordBytes.size() / kDrawRecordSize);
        for (std::size_t at = 0; at + kDrawRecordSize <= recordBytes.size(); at += kDrawRecordSize)
            history.records.push_back(decodeDrawRecord(reinterpret_cast<const std::uint8_t*>(recordBytes.data() + at)));
        history.problem = checkDrawHistory(history, recordBytes.size(), totalsSize);

        m_history = std::move(history);
        m_text = std::move(text);
        m_recordBytes = std::move(recordBytes);
    } catch (const FileError& error) {
        m_history.problem = error.what();
        throw;
    } catch (const std::bad_alloc&) {
        m_history.problem = fileErrorText(ENOMEM);
        throw FileError(*m_history.problem);
    }
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
        {pathOf(kTotalsFile), static_cast<std::uint64_t>(m_history.journalRecords) * kStatRecordSize},
    };
    for (const auto& [path, size] : expected) {
        FileStatus status;
        if (const int error = m_files.pathStatus(path, status))
            throw FileError(pathErrorText(m_files, error, path));
        if (status.size != size)
            throw FileError(kHistoryChangedMessage);
    }
}

void DrawHistoryStore::appendToFile(const std::string& path, std::uint64_t oldSize, std::string_view bytes,
                                    Undo& undo) {
    undo.add([this, path, oldSize] { cutBack(path, oldSize); });
    File file(m_files, path, OpenMode::Write);
    file.seek(oldSize);
    undo.armLast();
    file.write(bytes);
    file.sync();
    file.close();
}

void DrawHistoryStore::cutBack(const std::string& path, std::uint64_t size) {
    File file(m_files, path, OpenMode::Write);
    file.truncate(size);
    file.sync();
    file.close();
}

void DrawHistoryStore::replaceFile(const std::string& path, std::string_view bytes) {
    FileReplacement replacement(m_files, path);
    replacement.write(bytes);
    replacement.commit();
}

void DrawHistoryStore::undoAfter(const std::exception& failure, Undo& undo) {
    const std::string text = dynamic_cast<const std::bad_alloc*>(&failure) ? fileErrorText(ENOMEM) : failure.what();
    if (!undo.run()) {
        // The history in memory is the one before the change, which no longer matches the files; nothing
        // more may be written on top of them.
        m_history.problem = filesDisagreeMessage(text);
        throw FileError(*m_history.problem);
    }
    throw FileError(text);
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
        const StatRecordBytes journal = encodeStatRecord(totals);
        totalsBytes.append(reinterpret_cast<const char*>(journal.data()), journal.size());
    }
    m_history.lines.reserve(m_history.lines.size() + draws.size());
    m_history.records.reserve(m_history.records.size() + draws.size());
    m_text.reserve(m_text.size() + textBytes.size());
    m_recordBytes.reserve(m_recordBytes.size() + recordBytes.size());

    Undo undo;
    try {
        appendToFile(pathOf(kHistoryTextFile), m_text.size(), textBytes, undo);
        appendToFile(pathOf(kDrawRecordFile), m_recordBytes.size(), recordBytes, undo);
        appendToFile(pathOf(kTotalsFile), static_cast<std::uint64_t>(m_history.journalRecords) * kStatRecordSize,
                     totalsBytes, undo);
    } catch (const std::exception& failure) {
        undoAfter(failure, undo);
    }

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
    const StatRecordBytes totalsBytes = encodeStatRecord(totals);

    const std::string textPath = pathOf(kHistoryTextFile);
    const std::string recordPath = pathOf(kDrawRecordFile);
    Undo undo;
    try {
        undo.add([this, textPath] { replaceFile(textPath, m_text); });
        replaceFile(textPath, text);
        undo.armLast();
        undo.add([this, recordPath] { replaceFile(recordPath, m_recordBytes); });
        replaceFile(recordPath, recordBytes);
        undo.armLast();
        appendToFile(pathOf(kTotalsFile), static_cast<std::uint64_t>(m_history.journalRecords) * kStatRecordSize,
                     std::string_view(reinterpret_cast<const char*>(totalsBytes.data()), totalsBytes.size()), undo);
    } catch (const std::exception& failure) {
        undoAfter(failure, undo);
    }

    const auto at = static_cast<std::ptrdiff_t>(index);
    m_history.lines.erase(m_history.lines.begin() + at);
    m_history.records.erase(m_history.records.begin() + at);
    m_history.totals = totals;
    ++m_history.journalRecords;
    m_text = std::move(text);
    m_recordBytes = std::move(recordBytes);
}

} // namespace selektor
