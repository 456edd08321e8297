#pragma once

// The chart of the chart window: one line of the moving count with a red-rimmed fuchsia dot on each
// point, each point's label on the axis under it, on a green to pale blue ground, with the title above
// in blue. Over it lies a transparent sheet on which the player drags a ruler line to lay a trend by eye.

#include "chart/NumberChart.h"

#include <QLine>
#include <QWidget>
#include <optional>
#include <vector>

class QChart;
class QChartView;
class QCategoryAxis;
class QLineSeries;
class QValueAxis;

namespace selektor {

// The sheet over the chart. A press starts a drag from its point; every move draws a black line from
// there to the pointer, the release leaves the last one. A click without a move leaves nothing: a line
// of no length would show as a stray dot. The line stays until the next drag or until it is cleared.
class ChartOverlay : public QWidget {
    Q_OBJECT
public:
    explicit ChartOverlay(QWidget* parent);

    // The line now on the sheet, none when it is clear.
    std::optional<QLine> rulerLine() const { return m_line; }
    void clear();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void drawTo(const QPoint& end);

    bool m_dragging = false;
    QPoint m_pressPoint;
    std::optional<QLine> m_line;
};

class NumberChartView : public QWidget {
    Q_OBJECT
public:
    explicit NumberChartView(QWidget* parent);

    // The points of a new chart under its title; the axes frame them, the ruler is cleared.
    void showPoints(const QString& title, const std::vector<ChartPoint>& points);
    // No points, only the title; the ruler is cleared.
    void clear(const QString& title);

    QChart* chart() const { return m_chart; }
    QLineSeries* series() const { return m_series; }
    QCategoryAxis* labelAxis() const { return m_labelAxis; }
    QValueAxis* countAxis() const { return m_countAxis; }
    ChartOverlay* overlay() const { return m_overlay; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showAxes(const std::vector<ChartPoint>& points);
    // How many point labels the axis holds without cutting one short.
    int labelsThatFit(std::size_t pointCount) const;

    QChartView* m_view = nullptr;
    QChart* m_chart = nullptr;
    QLineSeries* m_series = nullptr;
    QCategoryAxis* m_labelAxis = nullptr;
    QValueAxis* m_countAxis = nullptr;
    ChartOverlay* m_overlay = nullptr;
    std::vector<ChartPoint> m_points; // as shown, for laying the labels out again at a new size
    int m_labelsUsed = 0;
};

} // namespace selektor
