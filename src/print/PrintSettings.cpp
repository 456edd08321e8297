#include "print/PrintSettings.h"

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

std::string pathIn(const std::string& directory, const std::string& name) {
    if (directory.empty())
        return name;
    return directory.back() == '/' ? directory + name : directory + "/" + name;
}

// The text up to the first LF, without the CR of a CR LF. Any other CR stays in the line, which is
// then no number.
std::string firstLine(FileOperations& files, const std::string& path) {
    File file(files, path, OpenMode::Read);
    std::string line;
    char buffer[64];
    while (line.size() <= kLongestLineKept) {
        const std::size_t got = file.read(buffer, sizeof buffer);
        if (got == 0)
            break;
        const char* const end = std::find(buffer, buffer + got, '\n');
        line.append(buffer, static_cast<std::size_t>(end - buffer));
        if (end != buffer + got) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            break;
        }
    }
    if (line.size() > kLongestLineKept)
        line.resize(kLongestLineKept);
    return line;
}

std::string readWhole(FileOperations& files, const std::string& path) {
    File file(files, path, OpenMode::Read);
    std::string bytes;
    char buffer[256];
    while (const std::size_t got = file.read(buffer, sizeof buffer))
        bytes.append(buffer, got);
    return bytes;
}

// A settings file as it was before a save, to be put back should a later file of the save fail.
struct OldVersion {
    std::string path;
    bool existed = false;
    bool kept = false; // a regular file whose bytes are below; a device is written directly, never put back
    std::string bytes;
};

OldVersion oldVersionOf(FileOperations& files, const std::string& path) {
    OldVersion old;
    old.path = path;
    FileStatus status;
    const int error = files.pathStatus(path, status);
    if (error == ENOENT)
        return old;
    if (error != 0)
        throw FileError(pathErrorText(files, error, path));
    old.existed = true;
    if (status.regular) {
        old.bytes = readWhole(files, path);
        old.kept = true;
    }
    return old;
}

// Puts back the files already renamed into place. Should that fail too, each file still holds one whole
// value, old or new, and the player sees the save's own failure and can save again.
void putBack(FileOperations& files, const std::array<OldVersion, kPrintSettingCount>& old, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        try {
            if (!old[i].existed) {
                files.remove(old[i].path);
            } else if (old[i].kept) {
                FileReplacement version(files, old[i].path);
                version.write(old[i].bytes);
                version.commit();
            }
        } catch (const std::exception&) {
        }
    }
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
    for (std::size_t i = 0; i < kPrintSettingCount; ++i) {
        std::string line;
        try {
            line = firstLine(files, pathIn(dataDirectory, printSettingFileName(i)));
        } catch (const FileError& e) {
            loaded.error = e.what();
            break;
        }
        loaded.texts[i] = line;
        const std::optional<std::int32_t> value = printPosition(line);
        if (!value) {
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
    std::array<OldVersion, kPrintSettingCount> old;
    for (std::size_t i = 0; i < kPrintSettingCount; ++i)
        old[i] = oldVersionOf(files, pathIn(dataDirectory, printSettingFileName(i)));

    std::array<std::optional<FileReplacement>, kPrintSettingCount> versions;
    for (std::size_t i = 0; i < kPrintSettingCount; ++i) {
        versions[i].emplace(files, old[i].path);
        versions[i]->write(std::to_string(settings[i]) + "\r\n");
    }
    for (std::size_t i = 0; i < kPrintSettingCount; ++i) {
        try {
            versions[i]->commit();
        } catch (...) {
            putBack(files, old, i);
            throw;
        }
    }
}

} // namespace selektor
