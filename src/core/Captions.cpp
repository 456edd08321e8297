#include "core/Captions.h"

namespace selektor {

std::string evenOddCaption(int evenCount) {
    return std::to_string(evenCount) + "-" + std::to_string(6 - evenCount);
}

std::string rowColumnCaption(int rows, int columns) { return std::to_string(rows) + "-" + std::to_string(columns); }

std::string sumCaption(int bucket) {
    if (bucket <= kLowestSumBucket)
        return "2-19";
    if (bucket >= kHighestSumBucket)
        return "36-53";
    return std::to_string(bucket);
}

std::string edgeCaption(int edgeCount) { return "B-" + std::to_string(edgeCount); }

std::string dsgCaption(int d, int s) { return std::to_string(d) + std::to_string(s) + std::to_string(6 - d - s); }

std::string neighbourCaption(int lower) {
    if (lower < 9)
        return " " + std::to_string(lower) + " - " + std::to_string(lower + 1) + " ";
    if (lower == 9)
        return " 9 -10 ";
    return std::to_string(lower) + "-" + std::to_string(lower + 1);
}

std::string endingCaption(int digit) { return std::to_string(digit) + "-" + std::to_string(digit); }

std::string gapCaption(int gap) { return std::to_string(gap); }

const std::array<DsgCell, 28> kDsgOrder = [] {
    std::array<DsgCell, 28> order{};
    int i = 0;
    for (int d = 6; d >= 0; --d)
        for (int s = 6 - d; s >= 0; --s)
            order[i++] = {d, s};
    return order;
}();

} // namespace selektor
