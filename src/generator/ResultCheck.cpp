#include "generator/ResultCheck.h"

#include "generator/FieldText.h"

#include <algorithm>
#include <bit>
#include <cctype>

namespace selektor {

namespace {

const char* const kMissingEntryMessage = "Wprowadź najpierw wszystkie wylosowane liczby !";
const char* const kDuplicateEntryMessage =
    "Jeżeli wylosowano dwie te same liczby, to dokonaj zakupu programu Bramkarz i "
    "przejdź na zakłady piłkarskie !";

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::uint32_t threeCharacterCode(char a, char b, char c) {
    return static_cast<unsigned char>(a) | (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 8) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 16);
}

// How many of the six three-character keys occur in the line. One pass over the line's three-character
// windows instead of six separate searches: the check runs over every line of a system.
int keysOccurring(std::string_view line, const std::array<std::uint32_t, kDrawnNumbers>& keyCodes) {
    unsigned found = 0;
    std::uint32_t window = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        window = (window >> 8) | (static_cast<std::uint32_t>(static_cast<unsigned char>(line[i])) << 16);
        if (i < 2)
            continue;
        for (int j = 0; j < kDrawnNumbers; ++j)
            found |= static_cast<unsigned>(window == keyCodes[j]) << j;
    }
    return std::popcount(found);
}

} // namespace

std::string drawKey(std::string_view entry) {
    const std::string_view value = trimmed(entry);
    std::string key;
    if (value.size() < 3)
        key.assign(3 - value.size(), ' ');
    key.append(value);
    return key;
}

std::string couponPosition(std::int32_t lineIndex) {
    return std::to_string(lineIndex / kLinesPerCoupon + 1) + "." + std::to_string(lineIndex % kLinesPerCoupon + 1);
}

ResultCheckOutcome checkResult(const std::array<std::string, kDrawnNumbers>& entries, const LotterySystem& system) {
    ResultCheckOutcome outcome;
    std::array<std::string, kDrawnNumbers> keys;
    for (int i = 0; i < kDrawnNumbers; ++i) {
        if (trimmed(entries[i]).empty()) {
            outcome.message = kMissingEntryMessage;
            return outcome;
        }
        keys[i] = drawKey(entries[i]);
    }
    for (int i = 0; i < kDrawnNumbers; ++i)
        for (int j = i + 1; j < kDrawnNumbers; ++j)
            if (equalIgnoringCase(keys[i], keys[j])) {
                outcome.message = kDuplicateEntryMessage;
                return outcome;
            }

    const bool threeCharacterKeys =
        std::all_of(keys.begin(), keys.end(), [](const std::string& key) { return key.size() == 3; });
    std::array<std::uint32_t, kDrawnNumbers> keyCodes{};
    for (int j = 0; j < kDrawnNumbers && threeCharacterKeys; ++j)
        keyCodes[j] = threeCharacterCode(keys[j][0], keys[j][1], keys[j][2]);

    system.forEachLine([&](std::size_t i, std::string_view line) {
        int hits = 0;
        if (threeCharacterKeys) {
            hits = keysOccurring(line, keyCodes);
        } else {
            for (const std::string& key : keys)
                hits += line.find(key) != std::string_view::npos ? 1 : 0;
        }
        if (hits < 3)
            return;
        HitClass& hitClass = outcome.byHits[hits];
        const auto index = static_cast<std::int32_t>(i);
        ++hitClass.count;
        hitClass.lineNumbers.push_back(index + 1);
    });
    outcome.playSixHitSound = outcome.byHits[6].count > 0;
    return outcome;
}

} // namespace selektor
