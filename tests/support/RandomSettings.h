#pragma once

// Random filter settings for differential tests: every tab's mode, template tables, number groups,
// share boxes and " Pary   " options drawn from a seeded generator, so a failing case can be replayed.

#include "core/FilterSettings.h"

#include <random>

namespace selektor::test {

inline FilterSettings randomFilterSettings(std::mt19937& rng) {
    FilterSettings s;
    auto chance = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; };
    auto flags = [&](auto& table, double p) {
        for (auto& f : table)
            f = chance(p) ? 1 : 0;
    };
    // Tabs are switched on sparingly so counts range from tiny to millions.
    const double activeChance = std::uniform_real_distribution<double>(0.2, 0.8)(rng);
    const double flagChance = std::uniform_real_distribution<double>(0.2, 0.9)(rng);

    if (chance(activeChance)) {
        s.setMode(Panel::Numbers, 1);
        const double inGroup = std::uniform_real_distribution<double>(0.15, 1.0)(rng);
        const double favourite = chance(0.3) ? 0.0 : std::uniform_real_distribution<double>(0.1, 0.6)(rng);
        for (int n = 1; n <= 49; ++n)
            if (chance(inGroup))
                s.setNumberRole(static_cast<Number>(n), chance(favourite) ? Favourite : Basic);
        flags(s.shareBoxChecked, 0.5);
        s.shareBoxChecked[std::uniform_int_distribution<int>(0, 6)(rng)] = 1;
    }
    if (chance(activeChance)) {
        s.setMode(Panel::EvenOdd, 1);
        flags(s.evenOddTemplates, flagChance);
        s.evenOddTemplates[std::uniform_int_distribution<int>(0, 6)(rng)] = 1;
    }
    if (chance(activeChance)) {
        s.setMode(Panel::RowColumn, 1);
        for (int r = kMinRows; r <= kMaxRows; ++r)
            for (int k = kMinColumns; k <= kMaxColumns; ++k)
                s.rowColumnTemplates[r][k] = chance(flagChance) ? 1 : 0;
        s.rowColumnTemplates[4][5] = 1;
    }
    if (chance(activeChance)) {
        s.setMode(Panel::Sum, 1);
        for (int b = kLowestSumBucket; b <= kHighestSumBucket; ++b)
            s.sumTemplates[b] = chance(flagChance) ? 1 : 0;
        s.sumTemplates[std::uniform_int_distribution<int>(kLowestSumBucket, kHighestSumBucket)(rng)] = 1;
    }
    if (chance(activeChance)) {
        s.setMode(Panel::Edge, 1);
        flags(s.edgeTemplates, flagChance);
        s.edgeTemplates[std::uniform_int_distribution<int>(0, 6)(rng)] = 1;
    }
    if (chance(activeChance)) {
        s.setMode(Panel::Dsg, 1);
        for (int d = 0; d <= 6; ++d)
            for (int sc = 0; d + sc <= 6; ++sc)
                s.dsgTemplates[d][sc] = chance(flagChance) ? 1 : 0;
        s.dsgTemplates[2][2] = 1;
    }
    if (chance(activeChance)) {
        s.setMode(Panel::Neighbours, static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, 3)(rng)));
        for (int n = 1; n < kHighestNumber; ++n)
            s.neighbourTemplates[n] = chance(flagChance * 0.5) ? 1 : 0;
        s.neighbourTemplates[std::uniform_int_distribution<int>(1, 48)(rng)] = 1;
    }
    if (chance(activeChance)) {
        s.setMode(Panel::Pairs, 1);
        flags(s.endingTemplates, flagChance);
        s.endingTemplates[std::uniform_int_distribution<int>(0, 9)(rng)] = 1;
        s.pairGroupLimit = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 2)(rng));
        s.otherDigitsRule = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 3)(rng));
    }
    if (chance(activeChance)) {
        s.setMode(Panel::Gaps, 1);
        for (int g = 1; g <= kHighestGapTemplate; ++g)
            s.gapTemplates[g] = chance(flagChance * 0.5) ? 1 : 0;
        s.gapTemplates[std::uniform_int_distribution<int>(1, kHighestGapTemplate)(rng)] = 1;
    }
    // Templates of tabs left in mode 0 stay set: they must not count.
    return s;
}

} // namespace selektor::test
