#pragma once

// The information tables beside the statistics panels: how many of all six-of-49 combinations have
// each pattern ("Liczba kombinacji"), and the trend divisor the statistics take from that count.

#include <array>
#include <cstdint>
#include <string_view>

namespace selektor {

// A pattern's share of all combinations in hundredths, rounded to the nearest whole number with halves
// upward: the trend of a pattern compares its count against this share.
constexpr std::int32_t trendDivisor(std::int32_t combinations) {
    return (combinations + 50) / 100;
}

struct InformationRow {
    std::string_view pattern;  // as the information table writes it: "0 - 6", "6 0 0", "2 - X"
    std::int32_t combinations; // "Liczba kombinacji"
    std::int32_t divisor;      // 0 for the rows that have no statistics column ("2 - X", "6 - X")
};

namespace information_detail {
constexpr InformationRow row(std::string_view pattern, std::int32_t combinations) {
    return {pattern, combinations, trendDivisor(combinations)};
}
constexpr InformationRow informationOnly(std::string_view pattern, std::int32_t combinations) {
    return {pattern, combinations, 0};
}
} // namespace information_detail

// " Układ   P - N": even count first, index the even count.
inline constexpr std::array<InformationRow, 7> kEvenOddInformation = {
    information_detail::row("0 - 6", 177100),  information_detail::row("1 - 5", 1275120),
    information_detail::row("2 - 4", 3491400), information_detail::row("3 - 3", 4655200),
    information_detail::row("4 - 2", 3187800), information_detail::row("5 - 1", 1062600),
    information_detail::row("6 - 0", 134596),
};

// "Układ BR", index the edge count. The coupon has 25 edge and 24 inner numbers, as it has 25 odd and
// 24 even ones, so k edge numbers are as likely as k odd numbers.
inline constexpr std::array<InformationRow, 7> kEdgeInformation = [] {
    constexpr std::array<std::string_view, 7> patterns = {"B - 0", "B - 1", "B - 2", "B - 3",
                                                          "B - 4", "B - 5", "B - 6"};
    std::array<InformationRow, 7> rows{};
    for (int k = 0; k < 7; ++k)
        rows[k] = information_detail::row(patterns[k], kEvenOddInformation[6 - k].combinations);
    return rows;
}();

// " Układ   W - K": exactly two rows, then rows 3 to 5 by columns 3 to 6, then six rows. A combination in
// a single row, or in three to five rows but only one or two columns, stands in no row of the table.
inline constexpr std::array<InformationRow, 14> kRowColumnInformation = {
    information_detail::informationOnly("2 - X", 192120),
    information_detail::row("3 - 3", 78840),
    information_detail::row("3 - 4", 799340),
    information_detail::row("3 - 5", 1499750),
    information_detail::row("3 - 6", 555200),
    information_detail::row("4 - 3", 356820),
    information_detail::row("4 - 4", 2311320),
    information_detail::row("4 - 5", 3397500),
    information_detail::row("4 - 6", 1071600),
    information_detail::row("5 - 3", 241150),
    information_detail::row("5 - 4", 1224300),
    information_detail::row("5 - 5", 1558200),
    information_detail::row("5 - 6", 445200),
    information_detail::informationOnly("6 - X", 236196),
};

// The row of the rows-and-columns table that a statistics column (rows 3 to 5, columns 3 to 6) uses.
constexpr const InformationRow& rowColumnInformation(int rows, int columns) {
    return kRowColumnInformation[1 + 4 * (rows - 3) + (columns - 3)];
}

// "Suma ost. cyfr": the sum buckets 19 ("2 - 19") to 36 ("36 - 53") of the filter, index bucket - 19.
inline constexpr std::array<InformationRow, 18> kSumInformation = {
    information_detail::row("2 - 19", 1576582), information_detail::row("20", 449564),
    information_detail::row("21", 524225),      information_detail::row("22", 596935),
    information_detail::row("23", 665160),      information_detail::row("24", 724775),
    information_detail::row("25", 773434),      information_detail::row("26", 807685),
    information_detail::row("27", 826375),      information_detail::row("28", 827315),
    information_detail::row("29", 811410),      information_detail::row("30", 778854),
    information_detail::row("31", 732260),      information_detail::row("32", 673515),
    information_detail::row("33", 606385),      information_detail::row("34", 533535),
    information_detail::row("35", 458934),      information_detail::row("36 - 53", 1616873),
};

// "D S G" in the tab's order (d descending, then s descending), the digits written with blanks.
inline constexpr std::array<InformationRow, 28> kDsgInformation = {
    information_detail::row("6 0 0", 27132),   information_detail::row("5 1 0", 174420),
    information_detail::row("5 0 1", 174420),  information_detail::row("4 2 0", 406980),
    information_detail::row("4 1 1", 872100),  information_detail::row("4 0 2", 406980),
    information_detail::row("3 3 0", 440895),  information_detail::row("3 2 1", 1526175),
    information_detail::row("3 1 2", 1526175), information_detail::row("3 0 3", 440895),
    information_detail::row("2 4 0", 233415),  information_detail::row("2 3 1", 1167075),
    information_detail::row("2 2 2", 1885275), information_detail::row("2 1 3", 1167075),
    information_detail::row("2 0 4", 233415),  information_detail::row("1 5 0", 57057),
    information_detail::row("1 4 1", 389025),  information_detail::row("1 3 2", 907725),
    information_detail::row("1 2 3", 907725),  information_detail::row("1 1 4", 389025),
    information_detail::row("1 0 5", 57057),   information_detail::row("0 6 0", 5005),
    information_detail::row("0 5 1", 45045),   information_detail::row("0 4 2", 143325),
    information_detail::row("0 3 3", 207025),  information_detail::row("0 2 4", 143325),
    information_detail::row("0 1 5", 45045),   information_detail::row("0 0 6", 5005),
};

} // namespace selektor
