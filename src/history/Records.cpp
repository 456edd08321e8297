#include "history/Records.h"

#include "core/Patterns.h"

namespace selektor {

namespace {

void putInt32(std::uint8_t* at, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::int32_t getInt32(const std::uint8_t* at) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

// Every field of the totals in file order, as one walk that encoding and decoding share.
template <class Totals, class Visit> void forEachField(Totals& totals, Visit&& visit) {
    visit(totals.drawCount);
    for (auto& count : totals.numberCounts)
        visit(count);
    for (auto& count : totals.evenCounts)
        visit(count);
    for (auto& rows : totals.rowColumnCounts)
        for (auto& count : rows)
            visit(count);
    for (auto& count : totals.sumCounts)
        visit(count);
    for (auto& count : totals.edgeCounts)
        visit(count);
    for (auto& d : totals.dsgCounts)
        for (auto& count : d)
            visit(count);
}

} // namespace

DrawRecord makeDrawRecord(std::int32_t drawNumber, const Combination& numbers) {
    DrawRecord record;
    record.drawNumber = drawNumber;
    record.numbers = numbers;
    record.evenCount = static_cast<std::uint8_t>(evenCount(numbers));
    const RowColumnPattern rowsColumns = rowColumnPattern(numbers);
    record.rowCount = static_cast<std::uint8_t>(rowsColumns.rows);
    record.columnCount = static_cast<std::uint8_t>(rowsColumns.columns);
    record.lastDigitSum = static_cast<std::uint8_t>(lastDigitSum(numbers));
    record.edgeCount = static_cast<std::uint8_t>(edgeCount(numbers));
    const DsgPattern groups = dsgPattern(numbers);
    record.groupDCount = static_cast<std::uint8_t>(groups.d);
    record.groupSCount = static_cast<std::uint8_t>(groups.s);
    return record;
}

bool isSoundDrawRecord(const DrawRecord& record) {
    int previous = 0;
    for (Number n : record.numbers) {
        if (n <= previous || n > kHighestNumber)
            return false;
        previous = n;
    }
    const DrawRecord expected = makeDrawRecord(record.drawNumber, record.numbers);
    return record == expected;
}

DrawRecordBytes encodeDrawRecord(const DrawRecord& record) {
    DrawRecordBytes bytes{};
    putInt32(bytes.data(), record.drawNumber);
    for (int i = 0; i < kNumbersPerCombination; ++i)
        bytes[4 + i] = record.numbers[i];
    bytes[10] = record.evenCount;
    bytes[11] = record.rowCount;
    bytes[12] = record.columnCount;
    bytes[13] = record.lastDigitSum;
    bytes[14] = record.edgeCount;
    bytes[15] = record.groupDCount;
    bytes[16] = record.groupSCount;
    return bytes;
}

DrawRecord decodeDrawRecord(const std::uint8_t* bytes) {
    DrawRecord record;
    record.drawNumber = getInt32(bytes);
    for (int i = 0; i < kNumbersPerCombination; ++i)
        record.numbers[i] = bytes[4 + i];
    record.evenCount = bytes[10];
    record.rowCount = bytes[11];
    record.columnCount = bytes[12];
    record.lastDigitSum = bytes[13];
    record.edgeCount = bytes[14];
    record.groupDCount = bytes[15];
    record.groupSCount = bytes[16];
    return record;
}

void countDraw(StatRecord& totals, const DrawRecord& draw, int sign) {
    totals.drawCount += sign;
    for (Number n : draw.numbers)
        totals.numberCounts[n - 1] += sign;
    totals.evenCounts[draw.evenCount] += sign;
    if (draw.rowCount > 2 && draw.columnCount > 2)
        totals.rowColumnCounts[draw.rowCount - 3][draw.columnCount - 3] += sign;
    totals.sumCounts[totalsSumBucket(draw.lastDigitSum) - kLowestTotalsSumBucket] += sign;
    totals.edgeCounts[draw.edgeCount] += sign;
    totals.dsgCounts[draw.groupDCount][draw.groupSCount] += sign;
}

StatRecordBytes encodeStatRecord(const StatRecord& record) {
    StatRecordBytes bytes{};
    std::size_t at = 0;
    forEachField(record, [&](std::int32_t value) {
        putInt32(bytes.data() + at, value);
        at += 4;
    });
    return bytes;
}

StatRecord decodeStatRecord(const std::uint8_t* bytes) {
    StatRecord record;
    std::size_t at = 0;
    forEachField(record, [&](std::int32_t& value) {
        value = getInt32(bytes + at);
        at += 4;
    });
    return record;
}

} // namespace selektor
