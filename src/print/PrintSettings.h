#pragma once

// The seven coupon print positions, in printer pixels. Where a mark lands depends on the printer and on
// how the blank sits in it, so the player calibrates them with a test page and keeps them in seven
// one-line files beside the draw files: the value in decimal and CR LF.

#include "core/Files.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace selektor {

inline constexpr std::size_t kPrintSettingCount = 7;
// The journal of a save under way, a hidden file of the program's own beside the seven files.
inline constexpr char kPrintSettingsJournalFile[] = ".selektor-wydruk.dziennik";
inline constexpr char kInterruptedSaveUndoneMessage[] =
    "Przerwany zapis ustawień wydruku został cofnięty - obowiązują poprzednie ustawienia !";

struct PrintSettings {
    std::int32_t PX1 = 0;  // x of the leftmost mark column
    std::int32_t X1X2 = 0; // from one mark column to the next
    std::int32_t PY1 = 0;  // y of the top mark row
    std::int32_t Y1Y2 = 0; // from one mark row to the next
    std::int32_t PYK = 0;  // the extra gap at each boundary between two field bands
    std::int32_t PYDL = 0; // from the last mark row down to the "$$$" marker
    std::int32_t PNR = 0;  // from the "$$$" marker down to the blank's number

    // The settings in the order of their fields and files: PX1, X1X2, PY1, Y1Y2, PYK, PYDL, PNR.
    std::int32_t& operator[](std::size_t i);
    std::int32_t operator[](std::size_t i) const;

    friend bool operator==(const PrintSettings&, const PrintSettings&) = default;
};

// The names on the panel, in that order; each setting's file is its name with ".txt".
inline constexpr std::array<const char*, kPrintSettingCount> kPrintSettingNames = {"PX1", "X1X2", "PY1", "Y1Y2",
                                                                                   "PYK", "PYDL", "PNR"};
std::string printSettingFileName(std::size_t i);

// The seven fields as the player sees them, blanks for unfilled positions. A field takes four digits,
// so every position a player can set is 0 to 9999.
using PrintSettingTexts = std::array<std::string, kPrintSettingCount>;
inline constexpr std::int32_t kHighestPrintPosition = 9999;

// What stops a print or a save of the settings before anything is done: a sentence of the program's
// own (shown as information) or the standard conversion error (shown as an error).
struct PrintRefusal {
    enum class Kind : std::uint8_t { Refused, ConversionError };
    Kind kind = Kind::Refused;
    std::string text;

    friend bool operator==(const PrintRefusal&, const PrintRefusal&) = default;
};

// "'x' is not a valid integer value", the run-time library's text for text that is not a whole number.
std::string conversionErrorText(std::string_view text);

struct LoadedPrintSettings {
    PrintSettings settings; // 0 for every setting from the failing file on
    // The first lines as read, the failing file's bad line too (the player sees what is wrong with it,
    // and taking the fields refuses it until it is typed anew); empty for the files not read.
    PrintSettingTexts texts;
    // The one error to show at start-up: the standard text of the file that could not be read ("File
    // not found"), the refusal of a file that is no settings file, or the conversion error of its line.
    // The files after it were not read.
    std::optional<std::string> error;
    // A save cut short (the program killed, the power gone) was undone first: the old settings stand.
    bool interruptedSaveUndone = false;

    friend bool operator==(const LoadedPrintSettings&, const LoadedPrintSettings&) = default;
};

// Plays back a save that never completed, then reads the first line of each file in turn; the line must
// be one to four decimal digits and nothing else. A longer number could not be shown by its four-digit field, which
// would then print with another value than the file holds, so it reads as no number at all.
LoadedPrintSettings loadPrintSettings(const std::string& dataDirectory, FileOperations& files = systemFiles());

struct TakenPrintSettings {
    std::optional<PrintRefusal> refusal; // the first unfilled or unreadable field; nothing else is looked at
    PrintSettings settings;              // all seven, when nothing was refused

    friend bool operator==(const TakenPrintSettings&, const TakenPrintSettings&) = default;
};

// The seven fields as the test print, the coupon print and the save use them: what is on screen at
// that moment, saved or not.
TakenPrintSettings takePrintSettings(const PrintSettingTexts& fields);

// Writes all seven files, each value in its plain form ("0085" was taken as 85 and is saved as "85"), as
// one change under a journal: a failure, or the program killed halfway, leaves the seven files as they
// were (at once, or at the next start), never an empty one that would lose this setting and every later
// one. Throws FileError with the standard text of the failed step. The question "Zapisać aktualne
// ustawienia ?" is the caller's.
void savePrintSettings(const std::string& dataDirectory, const PrintSettings& settings,
                       FileOperations& files = systemFiles());

} // namespace selektor
