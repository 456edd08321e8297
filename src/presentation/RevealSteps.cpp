#include "presentation/RevealSteps.h"

#include <algorithm>
#include <cstdlib>

namespace selektor {

namespace {

// The first n items of a tab, as a mask.
constexpr std::uint64_t firstItems(int n) {
    return n <= 0 ? 0 : (n >= 64 ? ~0ull : (1ull << n) - 1);
}

constexpr std::uint64_t bit(int i) {
    return 1ull << i;
}

} // namespace

int revealInterval(Panel panel) {
    switch (panel) {
    case Panel::Numbers:
        return 5;
    case Panel::Sum:
        return 10;
    default:
        return 100;
    }
}

GroupsSlide numbersReveal(int tick) {
    constexpr int kStart = -244, kStep = 10, kRest = 4;
    if (tick == 0)
        return {kStart, 255, false, false};
    const int p = kStart + kStep * tick;
    if (p >= kRest)
        return {kRest, kRest, true, true};
    return {p, std::abs(p), false, false};
}

ItemsReveal evenOddReveal(int tick) {
    ItemsReveal r;
    r.shapes = firstItems(std::min(tick, 7));
    r.captions = firstItems(std::clamp(tick - 7, 0, 7));
    r.done = tick >= 15;
    return r;
}

ItemsReveal rowColumnReveal(int tick) {
    // Card j pairs with card 11 - j: "3-3" with "5-6", ..., "4-4" with "4-5".
    constexpr int kPairs = 6, kCards = 12;
    ItemsReveal r;
    for (int j = 0; j < std::min(tick, kPairs); ++j)
        r.shapes |= bit(j) | bit(kCards - 1 - j);
    for (int k = 0; k < std::clamp(tick - kPairs, 0, kPairs); ++k) {
        const int j = kPairs - 1 - k;
        r.captions |= bit(j) | bit(kCards - 1 - j);
    }
    r.done = tick >= 13;
    return r;
}

ItemsReveal edgeReveal(int tick) {
    ItemsReveal r;
    r.picture = tick >= 1;
    for (int t = 2; t <= std::min(tick, 8); ++t)
        r.shapes |= bit(8 - t); // tick 2 shows "B-6", tick 8 shows "B-0"
    r.captions = r.shapes;
    r.done = tick >= 9;
    return r;
}

ItemsReveal neighboursReveal(int tick) {
    ItemsReveal r;
    r.picture = tick >= 1 && tick < 4;
    r.shapes = firstItems(std::clamp(tick - 4, 0, 4));
    r.captions = r.shapes;
    r.done = tick >= 9;
    return r;
}

ItemsReveal gapsReveal(int tick) {
    ItemsReveal r;
    r.shapes = firstItems(std::min(tick, 16));
    r.captions = r.shapes;
    r.note = tick >= 17;
    r.done = tick >= 18;
    return r;
}

SumGrowth sumReveal(int tick) {
    constexpr int kStart = 9, kStep = 10, kFull = 209;
    const int height = kStart + kStep * tick;
    if (height > kFull - 1)
        return {kFull, true, true};
    return {height, false, false};
}

DsgSwing dsgReveal(int tick) {
    constexpr int kCentre = 154, kLeft = 10, kRest = 242;
    DsgSwing s;
    s.blockShown = tick >= 1;
    s.blockX = tick == 2 ? kLeft : (tick >= 4 ? kRest : kCentre);
    s.legendShown = tick >= 5;
    s.done = tick >= 6;
    return s;
}

CurtainsPart pairsReveal(int tick) {
    constexpr int kStep = 10, kOpen = -180;
    const int p = -kStep * tick;
    if (p <= kOpen)
        return {kOpen, kCurtainWidth - kOpen, false, true, true};
    return {p, kCurtainWidth + std::abs(p), true, false, false};
}

} // namespace selektor
