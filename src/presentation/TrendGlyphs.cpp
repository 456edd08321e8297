#include "presentation/TrendGlyphs.h"

namespace selektor {

TrendGlyphs trendGlyphs(int level) {
    if (level == 0)
        return {TrendGlyph::None, TrendGlyph::Equal, TrendGlyph::None};
    const TrendGlyph glyph = level > 0 ? TrendGlyph::Up : TrendGlyph::Down;
    const int strength = level > 0 ? level : -level;
    return {strength >= 2 ? glyph : TrendGlyph::None, glyph, strength >= 3 ? glyph : TrendGlyph::None};
}

} // namespace selektor
