#include "generator/SystemLine.h"

namespace selektor {

std::string systemLine(const Combination& c) {
    std::string line(18, ' ');
    for (int k = 0; k < kNumbersPerCombination; ++k) {
        if (c[k] >= 10)
            line[3 * k + 1] = static_cast<char>('0' + c[k] / 10);
        line[3 * k + 2] = static_cast<char>('0' + c[k] % 10);
    }
    return line;
}

} // namespace selektor
