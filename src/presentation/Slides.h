#pragma once

// The slides of the draw history window: its side panels (the date, the numbers, the statistics set-up)
// come in from beyond the left edge and come to rest just inside it; the statistics area comes down
// from above the window like a blind. A slide moves by a fixed step on every tick of a short
// timer, so it looks the same on a slow machine, only slower.

namespace selektor {

inline constexpr int kSlideInterval = 1; // milliseconds between ticks
inline constexpr int kSlideStep = 10;    // pixels per tick
// Where a side panel comes to rest, just inside the window's left edge.
inline constexpr int kSidePanelRest = 2;

struct SlideStep {
    int position = 0;
    bool done = false; // at rest: the timer stops
};

// One slide from `start` towards `rest`, further on (down or right) at every tick. It never passes its
// place: the last step is cut short, and a slide that starts at or past its place is at rest at once.
class Slide {
public:
    constexpr Slide() = default;
    constexpr Slide(int start, int rest) : m_position(start), m_rest(rest) {}
    constexpr int position() const { return m_position; }
    SlideStep tick();

private:
    int m_position = 0;
    int m_rest = 0;
};

// A side panel starts wholly outside the window: as far left of the edge as it is wide.
constexpr Slide sidePanelSlide(int panelWidth) {
    return Slide(-panelWidth, kSidePanelRest);
}

} // namespace selektor
