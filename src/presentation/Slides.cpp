#include "presentation/Slides.h"

namespace selektor {

SlideStep Slide::tick() {
    if (m_position + kSlideStep >= m_rest) {
        m_position = m_rest;
        return {m_position, true};
    }
    m_position += kSlideStep;
    return {m_position, false};
}

} // namespace selektor
