#include "print/PrintSettings.h"

#include "core/ChangeJournal.h"
#include "generator/FieldText.h"
#include "print/WholeNumber.h"

#include <algorithm>
#include <cerrno>
#include <limits>

namespace selektor {

namespace {

constexpr std::array<std::int32_t PrintSettings::*, kPrintSettingCount> kMembers = {
    &PrintSettings::PX1, &PrintSettings::X1X2, &PrintSettings::PY1, &PrintSettings::Y1Y2,
    &PrintSettings::PYK, &PrintSettings::PYDL, &PrintSettings::PNR};

// No number is this long; a longer first line is cut here, and the message shows its start.
constexpr std::size_t kLongestLineKept = 256;

// A settings file is one short line; a file larger than this is none, and is not read.
constexpr std::uint64_t kLargestSettingsFile = std::uint64_t{1} << 16;

std::string pathIn(const std::string& directory, const std::string& name) {
    if (directory.empty())
        return name;
    return directory.back() == '/' ? directory + name : directory + "/" + name;
}

std::vector<std::string> settingsFileNames() {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < kPrintSettingCount; ++i)
        names.push_back(printSettingFileName(i));
    return names;
}

ChangeJournal settingsJournal(const std::string& dataDirectory, FileOperations& files) {
    return ChangeJournal(files, dataDirectory, kPrintSettingsJournalFile, settingsFileNames(),
                         kPrintSettingCount * (kLargestSettingsFile + 64));
}

// The text up to the first LF, without the CR of a CR LF. Any other CR stays in the line, which is
// then no number.
std::string firstLine(FileOperations& files, const std::string& path) {
    const std::string bytes = readWholeFile(files, path, kLargestSettingsFile);
    std::string line = bytes.substr(0, std::min(bytes.find('\n'), kLongestLineKept + 1));
    if (line.size() <= kLongestLineKept && !line.empty() && line.back() == '\r' && bytes.size() > line.size())
        line.pop_back();
    if (line.size() > kLongestLineKept)
        line.resize(kLongestLineKept);
    return line;
}

// How to put a settings file back should the save not complete: its old bytes, or that it was missing.
// A device in place of a file is written directly and cannot be put back.
std::optional<JournalEntry> oldVersionOf(FileOperations& files, const std::string& directory, const std::string& name) {
    const std::string path = pathIn(directory, name);
    const std::optional<FileStatus> status = statusIfPresent(files, path);
    if (!status)
        return JournalEntry{JournalEntry::Kind::Absent, name, 0, {}};
    if (!status->regular)
        return std::nullopt;
    return JournalEntry{JournalEntry::Kind::Content, name, 0, readWholeFile(files, path, kLargestSettingsFile)};
}

} // namespace

std::optional<std::int32_t> wholeNumber(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> printPosition(std::string_view text) {
    if (text.size() > 4)
        return std::nullopt;
    return wholeNumber(text);
}

std::string conversionErrorText(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

std::int32_t& PrintSettings::operator[](std::size_t i) {
    return this->*kMembers.at(i);
}

std::int32_t PrintSettings::operator[](std::size_t i) const {
    return this->*kMembers.at(i);
}

std::string printSettingFileName(std::size_t i) {
    return std::string(kPrintSettingNames.at(i)) + ".txt";
}

LoadedPrintSettings loadPrintSettings(const std::string& dataDirectory, FileOperations& files) {
    LoadedPrintSettings loaded;
    try {
        loaded.interruptedSaveUndone = settingsJournal(dataDirectory, files).recover();
    } catch (const FileError& e) {
        // Each file still holds one whole value, old or new; they are read as they are.
        loaded.error = "Nie udało się cofnąć przerwanego zapisu ustawień wydruku (" + std::string(e.what()) + ") !";
    }
    removeLeftovers(files, dataDirectory.empty() ? "." : dataDirectory, settingsFileNames());
    for (std::size_t i = 0; i < kPrintSettingCount; ++i) {
        std::string line;
        try {
            line = firstLine(files, pathIn(dataDirectory, printSettingFileName(i)));
        } catch (const FileError& e) {
            if (!loaded.error)
                loaded.error = e.what();
            break;
        }
        loaded.texts[i] = line;
        const std::optional<std::int32_t> value = printPosition(line);
        if (!value) {
            if (!loaded.error)
                loaded.error = conversionErrorText(line);
            break;
        }
        loaded.settings[i] = *value;
    }
    return loaded;
}

TakenPrintSettings takePrintSettings(const PrintSettingTexts& fields) {
    TakenPrintSettings taken;
    for (std::size_t i = 0; i < kPrintSettingCount; ++i) {
        const std::string_view text = trimmed(fields[i]);
        if (text.empty()) {
            taken.refusal = PrintRefusal{PrintRefusal::Kind::Refused,
                                         "Nie ustalona pozycja wydruku: " + std::string(kPrintSettingNames[i]) + " !"};
            return taken;
        }
        const std::optional<std::int32_t> value = printPosition(text);
        if (!value) {
            taken.refusal = PrintRefusal{PrintRefusal::Kind::ConversionError, conversionErrorText(text)};
            return taken;
        }
        taken.settings[i] = *value;
    }
    return taken;
}

void savePrintSettings(const std::string& dataDirectory, const PrintSettings& settings, FileOperations& files) {
    std::vector<JournalEntry> old;
    for (std::size_t i = 0; i < kPrintSettingCount; ++i)
        if (std::optional<JournalEntry> entry = oldVersionOf(files, dataDirectory, printSettingFileName(i)))
            old.push_back(std::move(*entry));
    ChangeJournal journal = settingsJournal(dataDirectory, files);
    journal.begin(std::move(old));
    try {
        for (std::size_t i = 0; i < kPrintSettingCount; ++i) {
            FileReplacement version(files, pathIn(dataDirectory, printSettingFileName(i)));
            version.write(std::to_string(settings[i]) + "\r\n");
            version.commit();
        }
        journal.commit();
    } catch (...) {
        // Should putting back fail as well, the journal stays and the next start puts the files back;
        // meanwhile each of them holds one whole value, old or new.
        try {
            journal.rollBack();
        } catch (const std::exception&) {
        }
        throw;
    }
}

} // namespace selektor
