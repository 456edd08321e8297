#include "app/ShapeWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace selektor {

namespace {

const QColor kHatchColour(96, 96, 96);

// Press and release both inside: a click, as the player expects from a button.
bool releasedInside(const QWidget* widget, const QMouseEvent* event) {
    return event->button() == Qt::LeftButton && widget->rect().contains(event->position().toPoint());
}

} // namespace

ShapeWidget::ShapeWidget(Kind kind, QWidget* parent) : QWidget(parent), m_kind(kind) {}

void ShapeWidget::setFill(const QColor& colour) {
    m_fill = colour;
    update();
}

void ShapeWidget::setOutline(const QColor& colour, int width) {
    m_outline = colour;
    m_outlineWidth = width;
    update();
}

void ShapeWidget::setHatch(Qt::BrushStyle pattern) {
    m_hatch = pattern;
    update();
}

void ShapeWidget::setText(const QString& text) {
    m_text = text;
    update();
}

void ShapeWidget::setTextColour(const QColor& colour) {
    m_textColour = colour;
    update();
}

void ShapeWidget::setClickable(bool clickable) {
    m_clickable = clickable;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal inset = m_outlineWidth / 2.0;
    const QRectF box = QRectF(rect()).adjusted(inset, inset, -inset, -inset);

    QPainterPath path;
    switch (m_kind) {
    case Kind::Rectangle:
        path.addRect(box);
        break;
    case Kind::RoundedRectangle:
        path.addRoundedRect(box, 8, 8);
        break;
    case Kind::Ellipse:
        path.addEllipse(box);
        break;
    case Kind::JoinedCircles: {
        const qreal d = box.height();
        path.addEllipse(QRectF(box.left(), box.top(), d, d));
        path.addEllipse(QRectF(box.right() - d, box.top(), d, d));
        break;
    }
    }

    if (m_kind == Kind::JoinedCircles) {
        const qreal y = box.center().y();
        painter.setPen(QPen(m_outline, std::max(2, m_outlineWidth)));
        painter.drawLine(QPointF(box.left() + box.height() / 2, y), QPointF(box.right() - box.height() / 2, y));
    }
    painter.setPen(m_outlineWidth > 0 ? QPen(m_outline, m_outlineWidth) : QPen(Qt::NoPen));
    painter.setBrush(m_fill);
    painter.drawPath(path);
    if (m_hatch != Qt::NoBrush) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QBrush(kHatchColour, m_hatch));
        painter.drawPath(path);
    }
    if (!m_text.isEmpty()) {
        painter.setPen(m_textColour);
        painter.drawText(rect(), Qt::AlignCenter, m_text);
    }
}

void ShapeWidget::mousePressEvent(QMouseEvent* event) {
    m_pressed = m_clickable && event->button() == Qt::LeftButton;
    event->accept();
}

void ShapeWidget::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && releasedInside(this, event);
    m_pressed = false;
    if (click)
        emit clicked();
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && releasedInside(this, event);
    m_pressed = false;
    if (click)
        emit clicked();
}

} // namespace selektor
