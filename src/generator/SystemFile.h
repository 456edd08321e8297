#pragma once

// The system text file: one line of the generator list per text line, CR LF after every line, no
// header. Lines are written and read as 8-bit text, unchanged.

#include "generator/LotterySystem.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace selektor {

// A file that could not be opened, read or written, with the standard text the window shows
// ("File not found", "File access denied", "Disk full", "I/O error 5", ...).
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Creates or truncates the file and writes every line followed by CR LF: 20 bytes per system line.
// Throws FileError.
void writeSystemFile(const std::string& path, const LotterySystem& system);

// Reads the whole file and cuts it into lines (see splitSystemText). The caller's list is untouched:
// it replaces its list with the result only once reading succeeded. Throws FileError.
LotterySystem readSystemFile(const std::string& path);

// Cuts text into lines at CR LF, at a lone CR and at a lone LF. A last line without a line end is still
// a line; two line ends in a row give an empty line; line ends at the very end give no extra line.
// Lines are neither trimmed nor checked.
std::vector<std::string> splitSystemText(std::string_view text);

} // namespace selektor
