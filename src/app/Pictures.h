#pragma once

// The program's pictures, drawn rather than loaded: lottery balls for the intro, the about box and the
// window icon.

#include <QFont>
#include <QIcon>
#include <QRectF>

class QLabel;
class QPainter;
class QWidget;

namespace selektor {

// A shiny lottery ball filling `box`.
void paintBall(QPainter& painter, const QRectF& box, const QColor& colour);

// The program's emblem: three balls over a coupon grid.
void paintEmblem(QPainter& painter, const QRectF& box);

QIcon programIcon();

// A label in the given colour and pixel size, for the intro and about texts; `style` adds italic or bold.
enum class TextStyle { Plain, Italic, Bold };
QLabel* colouredLabel(const QString& text, const QColor& colour, int pixelSize, TextStyle style, QWidget* parent);

} // namespace selektor
