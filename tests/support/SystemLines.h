#pragma once

// A system's lines as the list shows them, for comparing in tests.

#include "generator/LotterySystem.h"

#include <string>
#include <vector>

namespace selektor::test {

inline std::vector<std::string> linesOf(const LotterySystem& system) {
    std::vector<std::string> lines;
    system.forEachLine([&](std::size_t, std::string_view line) { lines.emplace_back(line); });
    return lines;
}

} // namespace selektor::test
