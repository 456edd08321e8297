#include "app/TrendCell.h"

#include "app/FilterColours.h"
#include "presentation/TrendGlyphs.h"

#include <QPainter>
#include <QPolygonF>

namespace selektor {

namespace {

constexpr int kGlyphWidth = 9;

void drawGlyph(QPainter& painter, TrendGlyph glyph, const QRectF& place) {
    const qreal left = place.left(), right = place.right(), top = place.top(), bottom = place.bottom();
    const qreal middle = place.center().x();
    switch (glyph) {
    case TrendGlyph::None:
        return;
    case TrendGlyph::Up:
        painter.setBrush(colours::kGreen);
        painter.drawPolygon(QPolygonF({QPointF(left, bottom), QPointF(right, bottom), QPointF(middle, top)}));
        return;
    case TrendGlyph::Down:
        painter.setBrush(colours::kRed);
        painter.drawPolygon(QPolygonF({QPointF(left, top), QPointF(right, top), QPointF(middle, bottom)}));
        return;
    case TrendGlyph::Equal: {
        // Two bars, a little narrower than a triangle, so that "as often as expected" reads as calm.
        painter.setBrush(colours::kSilver);
        const qreal bar = 2;
        const QRectF upper(left + 1, top + 1, place.width() - 2, bar);
        painter.drawRect(upper);
        painter.drawRect(upper.translated(0, place.height() - bar - 2));
        return;
    }
    }
}

} // namespace

TrendCell::TrendCell(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void TrendCell::setLevel(int level) {
    if (level == m_level)
        return;
    m_level = level;
    update();
}

QSize TrendCell::sizeHint() const {
    return {kGlyphWidth + 4, 2 * kPlaceDistance + kGlyphHeight + 2};
}

void TrendCell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const TrendGlyphs glyphs = trendGlyphs(m_level);
    const qreal left = (width() - kGlyphWidth) / 2.0;
    const qreal top = (height() - (2 * kPlaceDistance + kGlyphHeight)) / 2.0;
    for (int place = 0; place < 3; ++place)
        drawGlyph(painter, glyphs[place], QRectF(left, top + place * kPlaceDistance, kGlyphWidth, kGlyphHeight));
}

} // namespace selektor
