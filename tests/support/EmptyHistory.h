#pragma once

// A new, empty draw history as an installation provides it: an empty "Losowania.txt", an empty
// "Losowanie.dat" and a "Stat.dat" holding one totals record of zeros.

#include "history/Records.h"

#include <fstream>
#include <string>

namespace selektor::test {

inline void writeEmptyHistory(const std::string& directory) {
    std::ofstream(directory + "/Losowania.txt", std::ios::binary);
    std::ofstream(directory + "/Losowanie.dat", std::ios::binary);
    std::ofstream(directory + "/Stat.dat", std::ios::binary) << std::string(kStatRecordSize, '\0');
}

} // namespace selektor::test
