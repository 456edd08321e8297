#pragma once

// " Sprawdzanie wyników ": which lines of the system hit 6, 5, 4 or 3 of the drawn numbers, by line
// number and by coupon position.

#include "generator/LotterySystem.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selektor {

inline constexpr int kDrawnNumbers = 6;
// Coupons carry eight combinations each, in list order (the same grouping as printing).
inline constexpr int kLinesPerCoupon = 8;

// The entry with its blanks trimmed, right-aligned in three characters: the field in which that Number
// stands in a system line ("5" gives "  5", "12" gives " 12").
std::string drawKey(std::string_view entry);

// "c.p": coupon c and position p of the line with 0-based index i.
std::string couponPosition(std::int32_t lineIndex);

struct HitClass {
    std::int32_t count = 0;
    // The "Lista" row: 1-based line numbers. The "Kupon nr.poz" row shows the same lines' coupon
    // positions, couponPosition(number - 1).
    std::vector<std::int32_t> lineNumbers;

    friend bool operator==(const HitClass&, const HitClass&) = default;
};

struct ResultCheckOutcome {
    // Set when the check was refused (an empty field, two equal entries): show it in a message box and
    // leave the previous results on display. `byHits` is then meaningless.
    std::optional<std::string> message;
    // Indexed by the hit count; only 3 to 6 are filled.
    std::array<HitClass, kDrawnNumbers + 1> byHits;
    // At least one line hit all six: play "Stn.wav" from the program's directory.
    bool playSixHitSound = false;

    friend bool operator==(const ResultCheckOutcome&, const ResultCheckOutcome&) = default;
};

// The OK button: `entries` are the six fields' texts in order. A line's hit count is the number of keys
// that occur in its text as a substring.
ResultCheckOutcome checkResult(const std::array<std::string, kDrawnNumbers>& entries, const LotterySystem& system);

} // namespace selektor
