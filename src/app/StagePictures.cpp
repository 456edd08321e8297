#include "app/StagePictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace selektor {

namespace {

constexpr int kGlyphSize = 32;

QPixmap blankGlyph() {
    QPixmap pixmap(kGlyphSize, kGlyphSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QIcon backIcon() {
    QPixmap pixmap = blankGlyph();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(3, 16);
    arrow.lineTo(15, 4);
    arrow.lineTo(15, 11);
    arrow.lineTo(29, 11);
    arrow.lineTo(29, 21);
    arrow.lineTo(15, 21);
    arrow.lineTo(15, 28);
    arrow.closeSubpath();
    painter.setPen(QPen(QColor(0, 64, 0), 1.5));
    painter.setBrush(QColor(0, 160, 0));
    painter.drawPath(arrow);
    return QIcon(pixmap);
}

QIcon saveIcon() {
    QPixmap pixmap = blankGlyph();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A diskette: dark body, metal shutter at the top, white label below.
    QPainterPath body;
    body.moveTo(3, 3);
    body.lineTo(25, 3);
    body.lineTo(29, 7);
    body.lineTo(29, 29);
    body.lineTo(3, 29);
    body.closeSubpath();
    painter.setPen(QPen(QColor(0, 0, 64), 1.5));
    painter.setBrush(QColor(30, 60, 150));
    painter.drawPath(body);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 200, 210));
    painter.drawRect(QRectF(9, 3.5, 13, 9));
    painter.setBrush(QColor(30, 60, 150));
    painter.drawRect(QRectF(17, 5, 3, 6));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(7, 17, 18, 11));
    painter.setPen(QPen(QColor(150, 150, 150), 1));
    for (int y = 20; y <= 26; y += 3)
        painter.drawLine(9, y, 23, y);
    return QIcon(pixmap);
}

QIcon printerIcon() {
    QPixmap pixmap = blankGlyph();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 1.2));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(9, 2, 14, 12)); // paper going in
    painter.setBrush(QColor(170, 170, 180));
    painter.drawRoundedRect(QRectF(2, 12, 28, 12), 2, 2);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(8, 20, 16, 10)); // printed sheet
    painter.setPen(QPen(QColor(200, 0, 0), 1.2));
    for (int y = 23; y <= 27; y += 2)
        painter.drawLine(11, y, 21, y);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 180, 0));
    painter.drawEllipse(QPointF(26, 16), 1.5, 1.5);
    return QIcon(pixmap);
}

CouponPicture::CouponPicture(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CouponPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4);
    // A blank lying at a slant, with four ticket fields of 7 x 7 boxes, some of them marked. It is sized
    // so that the slanted blank, corners and all, stays inside the picture.
    constexpr qreal kSlantDegrees = 6;
    const qreal slant = qDegreesToRadians(kSlantDegrees);
    const qreal blankHeight = std::min(area.width() / (2 * std::cos(slant) + std::sin(slant)),
                                       area.height() / (2 * std::sin(slant) + std::cos(slant)));
    const qreal blankWidth = blankHeight * 2.0;
    painter.translate(area.center());
    painter.rotate(-kSlantDegrees);
    const QRectF blank(-blankWidth / 2, -blankHeight / 2, blankWidth, blankHeight);
    painter.setPen(QPen(QColor(180, 120, 40), 1));
    painter.setBrush(QColor(255, 248, 225));
    painter.drawRect(blank);

    const QColor boxColour(230, 120, 40);
    const qreal fieldWidth = (blankWidth - 10) / 4;
    const qreal cell = std::min((fieldWidth - 6) / 7, (blankHeight - 10) / 7);
    unsigned pattern = 0x9e3779b9u;
    for (int field = 0; field < 4; ++field) {
        const qreal left = blank.left() + 5 + field * fieldWidth + (fieldWidth - 7 * cell) / 2;
        const qreal top = blank.top() + (blankHeight - 7 * cell) / 2;
        for (int row = 0; row < 7; ++row) {
            for (int col = 0; col < 7; ++col) {
                const QRectF box(left + col * cell + 0.5, top + row * cell + 0.5, cell - 1, cell - 1);
                painter.setPen(QPen(boxColour, 0.6));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(box);
                pattern = pattern * 134775813u + 1u;
                if ((pattern >> 24) < 32) {
                    painter.setPen(QPen(QColor(20, 20, 120), 1.2));
                    painter.drawLine(box.topLeft(), box.bottomRight());
                    painter.drawLine(box.topRight(), box.bottomLeft());
                }
            }
        }
    }
}

} // namespace selektor
