#pragma once

// A filter set file: what the player set on the nine filter tabs, kept under a name of their own and
// opened again later. It is text the player can read, edit and compare:
//
//   Filtry Selektora, wersja 1
//   Liczby: tryb 1
//   Grupa faworytów: 7 13 22
//   Grupa podstawowa: 1 2 3 4 5 6 8 9
//   Zakres: 0 1 2
//   P-N: tryb 1; 2-4 3-3 4-2
//   W-K: tryb 0
//   ...
//
// One line per tab with its mode (the item of its radio group, counted from 0) and the captions of its
// templates that are switched on, blanks left out (" 9 -10 " is "9-10"); one line per number group and
// one for the share boxes of "  Zakres"; one line for each option group of the " Pary   " tab. A tab in
// its free mode keeps its templates, as on the screen. UTF-8, CR LF after every line.

#include "core/Files.h"
#include "core/FilterSettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace selektor {

inline constexpr int kFilterSetVersion = 1;
// A filter set is a few hundred bytes; a file far larger is something else, and is not read into memory.
inline constexpr std::uint64_t kLargestFilterSetFile = 64 * 1024;

// The file's text for the settings, line by line as described above.
std::string filterSetText(const FilterSettings& settings);

struct FilterSetReading {
    // Every tab, group and share box as the file sets them, the counts of both groups included;
    // `favouriteShareAllowed` is left for "Oblicz" to fill. Meaningless when refused.
    FilterSettings settings;
    // The first fault of the file, as one sentence naming its line; nothing when the file is sound.
    std::optional<std::string> refusal;
};

// Checks the whole text before it gives any settings: the first line must name the format and its
// version, and every other line must be one known setting, each exactly once, with values a player could
// have clicked. Empty lines are passed over; LF alone ends a line as well as CR LF, and a leading UTF-8
// byte order mark is allowed.
FilterSetReading readFilterSetText(std::string_view text);

// Writes the text as a new version of the file: a save that fails at any step leaves the old file as it
// was (see FileReplacement). Throws FileError.
void writeFilterSetFile(const std::string& path, const FilterSettings& settings, FileOperations& files = systemFiles());

// The whole file as bytes. Throws FileError, also with a Polish sentence naming the file when it is no
// ordinary file or larger than kLargestFilterSetFile.
std::string readFilterSetBytes(const std::string& path, FileOperations& files = systemFiles());

} // namespace selektor
