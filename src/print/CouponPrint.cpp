#include "print/CouponPrint.h"

#include "generator/FieldText.h"
#include "print/CouponLayout.h"
#include "print/WholeNumber.h"

#include <algorithm>
#include <array>

namespace selektor {

namespace {

PrintRefusal refused(std::string text) {
    return {PrintRefusal::Kind::Refused, std::move(text)};
}

// Line i read as printing reads it: six cells, each a Number from 1 to 49, no Number twice.
std::optional<PrintRefusal> checkTicketLine(const LotterySystem& system, std::size_t i) {
    // A line kept as a ticket holds six rising Numbers from the start.
    if (system.ticket(i))
        return std::nullopt;
    const std::string line = system.line(i);
    std::array<bool, kHighestNumber + 1> seen{};
    for (const std::string_view cell : ticketCells(line)) {
        if (cell.empty())
            return refused(unsoundTicketMessage(i + 1));
        const std::optional<std::int32_t> n = wholeNumber(cell);
        if (!n)
            return PrintRefusal{PrintRefusal::Kind::ConversionError, conversionErrorText(cell)};
        if (*n < kLowestNumber || *n > kHighestNumber || seen[static_cast<std::size_t>(*n)])
            return refused(unsoundTicketMessage(i + 1));
        seen[static_cast<std::size_t>(*n)] = true;
    }
    return std::nullopt;
}

} // namespace

std::string unsoundTicketMessage(std::size_t lineNumber) {
    return "Linia " + std::to_string(lineNumber) +
           " systemu nie zawiera sześciu różnych liczb od 1 do 49 - nic nie zostało wydrukowane !";
}

CouponPrintCheck checkCouponPrint(std::string_view fromText, std::string_view toText, const LotterySystem& system) {
    CouponPrintCheck check;
    const std::string_view from = trimmed(fromText);
    const std::string_view to = trimmed(toText);
    if (from.empty() || to.empty()) {
        check.refusal = refused("Nie ustalony zakres wydruku !");
        return check;
    }
    const std::optional<std::int32_t> first = wholeNumber(from);
    if (!first) {
        check.refusal = PrintRefusal{PrintRefusal::Kind::ConversionError, conversionErrorText(from)};
        return check;
    }
    const std::optional<std::int32_t> last = wholeNumber(to);
    if (!last) {
        check.refusal = PrintRefusal{PrintRefusal::Kind::ConversionError, conversionErrorText(to)};
        return check;
    }
    if (*first == 0) {
        check.refusal = refused("Kupon zerowy nie istnieje !");
        return check;
    }
    if (*first > *last) {
        check.refusal = refused("Zakres dolny przewyższa zakres górny !");
        return check;
    }
    if (*last > blanksNeeded(system.size())) {
        check.refusal = refused("Górny zakres poza dopuszczalnym limitem !");
        return check;
    }

    const std::size_t begin = static_cast<std::size_t>(*first - 1) * kTicketsPerBlank;
    const std::size_t end = std::min(static_cast<std::size_t>(*last) * kTicketsPerBlank, system.size());
    for (std::size_t i = begin; i < end; ++i) {
        if (std::optional<PrintRefusal> refusal = checkTicketLine(system, i)) {
            check.refusal = std::move(refusal);
            return check;
        }
    }
    check.firstBlank = *first;
    check.lastBlank = *last;
    return check;
}

} // namespace selektor
