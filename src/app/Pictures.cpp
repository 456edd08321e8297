#include "app/Pictures.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>

namespace selektor {

void paintBall(QPainter& painter, const QRectF& box, const QColor& colour) {
    QRadialGradient shine(box.left() + box.width() * 0.35, box.top() + box.height() * 0.3, box.width() * 0.7);
    shine.setColorAt(0, Qt::white);
    shine.setColorAt(0.35, colour.lighter(120));
    shine.setColorAt(1, colour.darker(170));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawEllipse(box);
}

void paintEmblem(QPainter& painter, const QRectF& box) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 128, 128), box.width() / 40));
    painter.setBrush(QColor(255, 255, 225));
    painter.drawRoundedRect(box.adjusted(box.width() * 0.05, box.height() * 0.2, -box.width() * 0.05, 0), 4, 4);
    const qreal cell = box.width() * 0.9 / 7;
    painter.setPen(QPen(QColor(192, 192, 192), 1));
    for (int i = 1; i < 7; ++i) {
        const qreal x = box.left() + box.width() * 0.05 + i * cell;
        painter.drawLine(QPointF(x, box.top() + box.height() * 0.2), QPointF(x, box.bottom()));
    }
    const qreal d = box.width() * 0.42;
    paintBall(painter, QRectF(box.left(), box.top(), d, d), QColor(220, 30, 30));
    paintBall(painter, QRectF(box.center().x() - d / 2, box.top() + box.height() * 0.18, d, d), QColor(240, 200, 0));
    paintBall(painter, QRectF(box.right() - d, box.top(), d, d), QColor(30, 90, 220));
    painter.restore();
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paintEmblem(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QLabel* colouredLabel(const QString& text, const QColor& colour, int pixelSize, TextStyle style, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setItalic(style == TextStyle::Italic);
    font.setBold(style == TextStyle::Bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace selektor
