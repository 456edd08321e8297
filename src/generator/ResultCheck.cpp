#include "generator/ResultCheck.h"

#include <cctype>

namespace selektor {

namespace {

const char* const kMissingEntryMessage = "Wprowadź najpierw wszystkie wylosowane liczby !";
const char* const kDuplicateEntryMessage = "Jeżeli wylosowano dwie te same liczby, to dokonaj zakupu programu Bramkarz i "
                                           "przejdź na zakłady piłkarskie !";

bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
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

ResultCheckOutcome checkResult(const std::array<std::string, kDrawnNumbers>& entries,
                               const std::vector<std::string>& lines) {
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

    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        int hits = 0;
        for (const std::string& key : keys)
            if (line.find(key) != std::string_view::npos)
                ++hits;
        if (hits < 3)
            continue;
        HitClass& hitClass = outcome.byHits[hits];
        const auto index = static_cast<std::int32_t>(i);
        ++hitClass.count;
        hitClass.lineNumbers.push_back(index + 1);
        hitClass.couponPositions.push_back(couponPosition(index));
    }
    outcome.playSixHitSound = outcome.byHits[6].count > 0;
    return outcome;
}

} // namespace selektor
