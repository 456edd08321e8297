#pragma once

// The program's pictures, drawn rather than loaded: lottery balls for the intro, the about box and the
// window icon.

#include <QIcon>
#include <QRectF>

class QPainter;

namespace selektor {

// A shiny lottery ball filling `box`.
void paintBall(QPainter& painter, const QRectF& box, const QColor& colour);

// The program's emblem: three balls over a coupon grid.
void paintEmblem(QPainter& painter, const QRectF& box);

QIcon programIcon();

} // namespace selektor
