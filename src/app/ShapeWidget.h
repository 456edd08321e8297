#pragma once

// One small widget draws every shape of the filter tabs (bars, cards, boxes, columns, squares, ovals,
// circles, joined circles) with outline and fill colours set at run time, and reports clicks.

#include <QColor>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace selektor {

class ShapeWidget : public QWidget {
    Q_OBJECT
public:
    enum class Kind {
        Rectangle,
        RoundedRectangle,
        Ellipse,       // a circle when the widget is square
        JoinedCircles, // two circles side by side joined by a short line
    };

    explicit ShapeWidget(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }
    QColor fill() const { return m_fill; }
    void setFill(const QColor& colour);
    QColor outline() const { return m_outline; }
    int outlineWidth() const { return m_outlineWidth; }
    void setOutline(const QColor& colour, int width);
    // Diagonal hatching over the fill, kept whatever the fill colour.
    void setHatch(Qt::BrushStyle pattern);
    // Text drawn in the middle of the shape (the numbers of the number grids).
    QString text() const { return m_text; }
    void setText(const QString& text);
    void setTextColour(const QColor& colour);
    // Shows a pointing hand and reports clicks.
    void setClickable(bool clickable);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Kind m_kind;
    QColor m_fill{Qt::white};
    QColor m_outline{Qt::black};
    int m_outlineWidth = 1;
    Qt::BrushStyle m_hatch = Qt::NoBrush;
    QString m_text;
    QColor m_textColour{Qt::black};
    bool m_clickable = false;
    bool m_pressed = false;
};

// A label that takes clicks: the template captions.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

} // namespace selektor
