#include "core/Captions.h"

namespace selektor {

namespace {

std::string joined(int a, const char* between, int b) {
    std::string text = std::to_string(a);
    text += between;
    text += std::to_string(b);
    return text;
}

} // namespace

std::string evenOddCaption(int evenCount) {
    return joined(evenCount, "-", 6 - evenCount);
}

std::string rowColumnCaption(int rows, int columns) {
    return joined(rows, "-", columns);
}

std::string sumCaption(int bucket) {
    if (bucket <= kLowestSumBucket)
        return "2-19";
    if (bucket >= kHighestSumBucket)
        return "36-53";
    return std::to_string(bucket);
}

std::string edgeCaption(int edgeCount) {
    std::string text = "B-";
    text += std::to_string(edgeCount);
    return text;
}

std::string dsgCaption(int d, int s) {
    return {static_cast<char>('0' + d), static_cast<char>('0' + s), static_cast<char>('0' + 6 - d - s)};
}

std::string neighbourCaption(int lower) {
    if (lower < 9)
        return {' ', static_cast<char>('0' + lower), ' ', '-', ' ', static_cast<char>('0' + lower + 1), ' '};
    if (lower == 9)
        return " 9 -10 ";
    return joined(lower, "-", lower + 1);
}

std::string endingCaption(int digit) {
    return joined(digit, "-", digit);
}

std::string gapCaption(int gap) {
    return std::to_string(gap);
}

const std::array<DsgCell, 28> kDsgOrder = [] {
    std::array<DsgCell, 28> order{};
    int i = 0;
    for (int d = 6; d >= 0; --d)
        for (int s = 6 - d; s >= 0; --s)
            order[i++] = {d, s};
    return order;
}();

} // namespace selektor
