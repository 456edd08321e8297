#include "generator/SystemLine.h"

namespace selektor {

namespace {

void writeField(char* field, Number n) {
    field[0] = ' ';
    field[1] = n >= 10 ? static_cast<char>('0' + n / 10) : ' ';
    field[2] = static_cast<char>('0' + n % 10);
}

} // namespace

std::string systemLine(const Combination& c) {
    std::string line(kSystemLineLength, ' ');
    for (int k = 0; k < kNumbersPerCombination; ++k)
        writeField(line.data() + 3 * k, c[k]);
    return line;
}

std::string numberField(Number n) {
    std::string field(3, ' ');
    writeField(field.data(), n);
    return field;
}

} // namespace selektor
