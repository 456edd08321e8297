#pragma once

// Draw histories for the store's tests: a new, empty history as an installation provides it, and draws
// entered the way the draw history window enters them.

#include "history/DrawEntry.h"
#include "history/DrawHistory.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

namespace selektor::test {

// An empty "Losowania.txt", an empty "Losowanie.dat" and one zero totals record.
inline const std::string kZeroTotals(kStatRecordSize, '\0');

// Enters the six numbers as drawn on `date` and stores the draw.
inline void enterNumbers(DrawHistoryStore& store, const Combination& numbers, const std::string& date = "18.05.2002") {
    NumberBoxes boxes{};
    for (Number n : numbers)
        boxes[n - 1] = 1;
    const DrawEntry entry = enterDraw(store.history().lines, date, boxes);
    ASSERT_EQ(entry.refusal, "");
    store.appendDraw(entry.line, entry.record);
}

// The totals counted afresh from the records.
inline StatRecord recount(const std::vector<DrawRecord>& records) {
    StatRecord totals;
    for (const DrawRecord& record : records)
        countDraw(totals, record, +1);
    return totals;
}

template <class Operation> std::string messageOf(Operation&& operation) {
    try {
        operation();
    } catch (const FileError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace selektor::test
