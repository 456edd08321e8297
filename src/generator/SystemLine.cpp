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
    std::string line;
    appendSystemLine(c, line);
    return line;
}

void appendSystemLine(const Combination& c, std::string& out) {
    const std::size_t start = out.size();
    out.resize(start + kSystemLineLength);
    for (int k = 0; k < kNumbersPerCombination; ++k)
        writeField(out.data() + start + 3 * k, c[k]);
}

std::string numberField(Number n) {
    std::string field(3, ' ');
    writeField(field.data(), n);
    return field;
}

} // namespace selektor
