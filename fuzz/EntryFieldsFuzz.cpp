// Arbitrary text in the entry fields of the generator stage: "Liczba kombinacji:" and "Limit czasowy:" of
// " Symulacja komputerowa ", and the six fields of " Sprawdzanie wyników ".
//
// Checked for every input:
// - the simulation starts exactly when both fields hold a whole number from 1 to 2^31-1 between blanks,
//   with those values; otherwise the first field that holds nothing, 0 or no whole number decides the
//   outcome and its message, and the system stays as it was;
// - the result check never fails; each hit class counts its listed lines, which rise within the system;
//   when the six entries are Numbers 1 to 49 written without leading zeros, every ticket stands in the
//   class of the count of its Numbers that were drawn.

#include "Require.h"
#include "core/Patterns.h"
#include "generator/FieldText.h"
#include "generator/RandomSimulation.h"
#include "generator/ResultCheck.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fuzzer/FuzzedDataProvider.h>
#include <limits>
#include <optional>
#include <string>
#include <vector>

using namespace selektor;
using fuzz::require;

namespace {

enum class Field { Empty, Zero, NoNumber, Number };

// A field's text as the simulation must read it: blanks around it do not count, and a whole number
// is a run of digits no larger than the largest signed 32-bit value.
Field classify(std::string_view raw, std::int64_t& value) {
    const std::string_view text = trimmed(raw);
    if (text.empty())
        return Field::Empty;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return Field::NoNumber;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max())
            return Field::NoNumber;
    }
    return value == 0 ? Field::Zero : Field::Number;
}

void checkSimulationStart(FuzzedDataProvider& provider) {
    const std::string countText = provider.ConsumeRandomLengthString(16);
    const std::string limitText = provider.ConsumeRandomLengthString(16);
    const auto choice = static_cast<DifferenceChoice>(provider.ConsumeIntegralInRange<int>(0, 3));
    const auto seed = provider.ConsumeIntegral<std::uint32_t>();

    LotterySystem system;
    system.append({1, 2, 3, 4, 5, 6});
    const LotterySystem before = system;
    RandomSimulation sim;
    const StartOutcome outcome = startRandomSimulation(countText, limitText, choice, seed, system, sim);

    std::int64_t count = 0;
    std::int64_t limit = 0;
    const Field countField = classify(countText, count);
    const Field limitField = classify(limitText, limit);
    if (outcome.status == StartStatus::Started) {
        require(countField == Field::Number && limitField == Field::Number);
        require(sim.requestedCount == count && sim.timeLimit == limit && sim.secondsLeft == limit);
        require(sim.running && system.empty() && outcome.message.empty());
        require(sim.overlapLimit == differenceOverlapLimit(choice));
        return;
    }
    require(!sim.running && system == before);
    const bool countDecides = countField != Field::Number;
    const Field deciding = countDecides ? countField : limitField;
    const std::string_view text = trimmed(countDecides ? countText : limitText);
    switch (outcome.status) {
    case StartStatus::Refused:
        require(deciding == Field::Empty);
        require(outcome.message == (countDecides ? "Nie ustalona liczba kombinacji w systemie !"
                                                 : "Nie ustalony limit czasu pracy generatora !"));
        break;
    case StartStatus::NothingToDo:
        require(deciding == Field::Zero && outcome.message.empty());
        break;
    case StartStatus::ConversionError:
        require(deciding == Field::NoNumber);
        require(outcome.message == "'" + std::string(text) + "' is not a valid integer value");
        break;
    default:
        require(false);
    }
}

// The Number an entry names when it is one written plainly: digits 1 to 49, no leading zero.
std::optional<int> plainNumber(std::string_view raw) {
    const std::string_view text = trimmed(raw);
    if (text.empty() || text.size() > 2 || text[0] == '0' ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int n = text.size() == 1 ? text[0] - '0' : (text[0] - '0') * 10 + (text[1] - '0');
    return n <= kHighestNumber ? std::optional<int>(n) : std::nullopt;
}

void checkResults(FuzzedDataProvider& provider) {
    std::array<std::string, kDrawnNumbers> entries;
    for (std::string& entry : entries)
        entry = provider.ConsumeRandomLengthString(5);

    // A small system: tickets from the input, and now and then a line that is no ticket.
    LotterySystem system;
    const int lines = provider.ConsumeIntegralInRange<int>(0, 20);
    for (int i = 0; i < lines; ++i) {
        if (provider.ConsumeIntegralInRange<int>(0, 7) == 0) {
            system.appendLine(provider.ConsumeRandomLengthString(24));
            continue;
        }
        // Six distinct Numbers: one taken twice gives way to the next free one.
        std::uint64_t chosen = 0;
        for (int k = 0; k < kNumbersPerCombination; ++k) {
            int n = provider.ConsumeIntegralInRange<int>(1, kHighestNumber);
            while (chosen >> n & 1)
                n = n % kHighestNumber + 1;
            chosen |= std::uint64_t{1} << n;
        }
        Combination ticket{};
        for (int n = 1, k = 0; n <= kHighestNumber; ++n)
            if (chosen >> n & 1)
                ticket[k++] = static_cast<Number>(n);
        system.append(ticket);
    }

    const ResultCheckOutcome outcome = checkResult(entries, system);

    bool blank = false;
    bool twice = false;
    for (int i = 0; i < kDrawnNumbers; ++i) {
        blank = blank || trimmed(entries[i]).empty();
        for (int j = 0; j < i; ++j) {
            std::string a = drawKey(entries[i]);
            std::string b = drawKey(entries[j]);
            for (std::string* key : {&a, &b})
                for (char& c : *key)
                    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            twice = twice || a == b;
        }
    }
    require(outcome.message.has_value() == (blank || twice));
    if (outcome.message)
        return;

    std::vector<int> classOf(system.size(), 0);
    for (int hits = 0; hits <= kDrawnNumbers; ++hits) {
        const HitClass& hitClass = outcome.byHits[hits];
        require(hitClass.count == static_cast<std::int32_t>(hitClass.lineNumbers.size()));
        require(hits >= 3 || hitClass.count == 0);
        std::int32_t previous = 0;
        for (std::int32_t number : hitClass.lineNumbers) {
            require(number > previous && number <= static_cast<std::int32_t>(system.size()));
            require(classOf[number - 1] == 0);
            classOf[number - 1] = hits;
            previous = number;
        }
    }
    require(outcome.playSixHitSound == (outcome.byHits[6].count > 0));

    Combination drawn{};
    for (int i = 0; i < kDrawnNumbers; ++i) {
        const std::optional<int> n = plainNumber(entries[i]);
        if (!n)
            return;
        drawn[i] = static_cast<Number>(*n);
    }
    std::sort(drawn.begin(), drawn.end());
    for (std::size_t i = 0; i < system.size(); ++i) {
        if (const std::optional<Combination> ticket = system.ticket(i)) {
            const int common = commonNumbers(*ticket, drawn);
            require(classOf[i] == (common >= 3 ? common : 0));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    if (provider.ConsumeBool())
        checkSimulationStart(provider);
    else
        checkResults(provider);
    return 0;
}
