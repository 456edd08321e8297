#pragma once

// The checks of "Drukuj" before a print job begins: the range of blanks from "Od" to "Do", and every
// ticket of that range. A line opened from a file that is no ticket would print fewer than six marks on
// a coupon the player then plays, or stop the job halfway with blanks already printed, so nothing is
// printed unless every line of the range reads as six different Numbers.

#include "generator/LotterySystem.h"
#include "print/PrintSettings.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace selektor {

// A line of the system, from 1, that does not read as six different Numbers from 1 to 49.
std::string unsoundTicketMessage(std::size_t lineNumber);

struct CouponPrintCheck {
    std::optional<PrintRefusal> refusal; // the first failed check; nothing is printed
    std::int32_t firstBlank = 0;         // otherwise the blanks to print, one page each, in this order
    std::int32_t lastBlank = 0;

    friend bool operator==(const CouponPrintCheck&, const CouponPrintCheck&) = default;
};

// `fromText` and `toText` are the fields "Od" and "Do" as the player sees them. The player's settings
// are taken first, by the caller. The upper bound is held against the blanks the current system needs.
CouponPrintCheck checkCouponPrint(std::string_view fromText, std::string_view toText, const LotterySystem& system);

} // namespace selektor
