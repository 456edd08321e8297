#pragma once

// "Filtry a historia": the filter settings tried on the draws that really came up, and how many of all
// combinations each tab leaves, step by step in the order "Oblicz" applies them.

#include "core/FilterSettings.h"
#include "history/DrawHistory.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace selektor {

// The most thrown-out draws listed, newest first.
inline constexpr std::size_t kListedRejectedDraws = 100;

// One tab tried on the draws by itself.
struct TabOnHistory {
    Panel panel = Panel::Numbers;
    bool active = false;     // false: the tab is in its free mode and lets every draw through
    std::int32_t passed = 0; // draws the tab lets through
};

// A draw the settings would have thrown out, with the first tab (in "Oblicz" order) that refuses it.
struct RejectedDraw {
    std::size_t index = 0; // position in the history, 0 the oldest draw
    std::int32_t drawNumber = 0;
    std::string date; // "dd.MM.yyyy"
    Combination numbers{};
    Panel firstRefusingTab = Panel::Numbers;

    friend bool operator==(const RejectedDraw&, const RejectedDraw&) = default;
};

struct FilterHistoryCheck {
    // The settings' own refusal (as "Oblicz" says it) or the history's; nothing below is then filled.
    std::optional<std::string> refusal;
    std::int32_t draws = 0;                       // draws tried
    std::array<TabOnHistory, kPanelCount> tabs{}; // in "Oblicz" order (kEnumerationOrder)
    std::int32_t passedAll = 0;                   // draws every tab lets through
    std::vector<RejectedDraw> rejected;           // newest first, at most kListedRejectedDraws
};

// Tries the settings on the newest `newest` draws of the history (0: all of them). The tabs' rules are
// the ones "Oblicz" applies, with the favourites' share taken from the check boxes as "Oblicz" takes it.
FilterHistoryCheck checkFiltersOnHistory(const FilterSettings& settings, const DrawHistory& history,
                                         std::size_t newest = 0);

struct FunnelStep {
    Panel panel = Panel::Numbers;
    bool active = false;   // false: the tab passes everything and the count stays as it was
    std::int32_t left = 0; // combinations that pass this tab and all before it
};

struct FilterFunnel {
    std::optional<std::string> refusal;          // the settings' own refusal, as "Oblicz" says it
    std::array<FunnelStep, kPanelCount> steps{}; // in "Oblicz" order; the last one's count is "Oblicz"'s
};

// How many of the 13,983,816 combinations remain after each tab in "Oblicz" order.
FilterFunnel filterFunnel(const FilterSettings& settings);

} // namespace selektor
