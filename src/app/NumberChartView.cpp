#include "app/NumberChartView.h"

#include "app/ModelText.h"
#include "presentation/ChartScreen.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
#include <QImage>
#include <QLineSeries>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>

namespace selektor {

namespace {

const QColor kLineColour(255, 128, 128);
const QColor kPointColour(255, 0, 0);
const QColor kMarkerFill(255, 0, 255);
const QColor kGroundTop(193, 254, 165), kGroundBottom(211, 254, 253);
const QColor kTitleColour(0, 0, 255);

// The chart keeps 4 pixels on either side of every axis label and cuts a label that does not get them
// to "..."; one pixel more on each side spares the rounding.
constexpr qreal kLabelPadding = 4 + 1;

// Every point carries the point colour red: it rims the fuchsia dot, so the line's own pale red and
// the points stay apart. Drawn large and scaled down by the chart, so the circle stays round.
QImage pointMarker() {
    QImage marker(4 * kLargestMarker, 4 * kLargestMarker, QImage::Format_ARGB32_Premultiplied);
    marker.fill(Qt::transparent);
    QPainter painter(&marker);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kPointColour, 5));
    painter.setBrush(kMarkerFill);
    painter.drawEllipse(QRectF(marker.rect()).adjusted(3, 3, -3, -3));
    return marker;
}

} // namespace

ChartOverlay::ChartOverlay(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("chartOverlay"));
    // No background of its own: the chart shows through wherever no line is drawn.
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::CrossCursor);
}

void ChartOverlay::clear() {
    m_line.reset();
    update();
}

void ChartOverlay::paintEvent(QPaintEvent*) {
    if (!m_line)
        return;
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(*m_line);
}

void ChartOverlay::mousePressEvent(QMouseEvent* event) {
    // Any button starts a drag; the line already there stays until this drag draws.
    m_dragging = true;
    m_pressPoint = event->position().toPoint();
    event->accept();
}

void ChartOverlay::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging)
        drawTo(event->position().toPoint());
}

void ChartOverlay::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging)
        return;
    drawTo(event->position().toPoint());
    m_dragging = false;
}

void ChartOverlay::drawTo(const QPoint& end) {
    if (end == m_pressPoint)
        m_line.reset();
    else
        m_line = QLine(m_pressPoint, end);
    update();
}

NumberChartView::NumberChartView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("numberChart"));

    m_chart = new QChart;
    m_chart->legend()->hide();
    m_chart->setBackgroundRoundness(0);
    QLinearGradient ground(0, 0, 0, 1);
    ground.setCoordinateMode(QGradient::ObjectBoundingMode);
    ground.setColorAt(0, kGroundTop);
    ground.setColorAt(1, kGroundBottom);
    m_chart->setBackgroundBrush(ground);
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    m_chart->setTitleFont(titleFont);
    m_chart->setTitleBrush(kTitleColour);

    m_series = new QLineSeries;
    m_series->setPen(QPen(kLineColour, 2));
    m_series->setPointsVisible(true);
    m_series->setLightMarker(pointMarker());
    m_chart->addSeries(m_series);

    // Across: the points' own labels under them. Up: the counts, on whole numbers.
    m_labelAxis = new QCategoryAxis;
    m_labelAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_chart->addAxis(m_labelAxis, Qt::AlignBottom);
    m_series->attachAxis(m_labelAxis);
    m_countAxis = new QValueAxis;
    m_countAxis->setLabelFormat(QStringLiteral("%d"));
    m_countAxis->setTickType(QValueAxis::TicksDynamic);
    m_countAxis->setTickAnchor(0);
    m_chart->addAxis(m_countAxis, Qt::AlignLeft);
    m_series->attachAxis(m_countAxis);

    m_view = new QChartView(m_chart, this);
    m_view->setObjectName(QStringLiteral("numberChartView"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setFrameShape(QFrame::NoFrame);

    m_overlay = new ChartOverlay(this);
    m_overlay->raise();
    // The plot area is known only once the chart is laid out, and changes with the window: a wider or
    // narrower axis holds more or fewer whole labels.
    connect(m_chart, &QChart::plotAreaChanged, this, [this] {
        if (!m_points.empty() && labelsThatFit(m_points.size()) != m_labelsUsed) {
            const std::vector<ChartPoint> points = m_points;
            showAxes(points);
        }
    });
    clear(fromModel(kChartTitleAtStart));
}

void NumberChartView::showPoints(const QString& title, const std::vector<ChartPoint>& points) {
    m_overlay->clear();
    m_chart->setTitle(title);
    QList<QPointF> placed;
    placed.reserve(static_cast<qsizetype>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i)
        placed.append(QPointF(static_cast<qreal>(i), points[i].value));
    // Before the window is first laid out the plot area is still empty: the view's width stands for it.
    const qreal plotWidth = m_chart->plotArea().width() > 0 ? m_chart->plotArea().width() : width();
    m_series->setMarkerSize(markerSize(static_cast<int>(points.size()), plotWidth));
    m_series->replace(placed);
    showAxes(points);
}

void NumberChartView::clear(const QString& title) {
    showPoints(title, {});
}

int NumberChartView::labelsThatFit(std::size_t pointCount) const {
    // The widest label is the last point's number; before the window is first laid out the view's width
    // stands for the plot area.
    const qreal axisWidth = m_chart->plotArea().width() > 0 ? m_chart->plotArea().width() : width();
    const QFontMetricsF metrics(m_labelAxis->labelsFont());
    const qreal widest = metrics.horizontalAdvance(QString::number(std::max<std::size_t>(pointCount, 1)));
    return pointLabelsThatFit(axisWidth, widest + 2 * kLabelPadding);
}

void NumberChartView::showAxes(const std::vector<ChartPoint>& points) {
    m_points = points;
    for (const QString& label : m_labelAxis->categoriesLabels())
        m_labelAxis->remove(label);
    // An empty chart shows its ground and title only.
    m_labelAxis->setVisible(!points.empty());
    m_countAxis->setVisible(!points.empty());

    std::vector<std::int32_t> values;
    values.reserve(points.size());
    for (const ChartPoint& point : points)
        values.push_back(point.value);
    m_labelsUsed = labelsThatFit(points.size());
    const ChartFrame frame = chartFrame(values, m_labelsUsed);
    m_countAxis->setRange(frame.up.lowest, frame.up.highest);
    m_countAxis->setTickInterval(frame.up.markDistance);

    m_labelAxis->setStartValue(frame.across.lowest);
    const int labelStep = static_cast<int>(frame.across.markDistance);
    for (std::size_t i = 0; i < points.size(); ++i)
        if (pointLabelShown(static_cast<int>(i) + 1, labelStep))
            m_labelAxis->append(fromModel(points[i].label), static_cast<qreal>(i));
    m_labelAxis->setRange(frame.across.lowest, frame.across.highest);
}

void NumberChartView::resizeEvent(QResizeEvent*) {
    m_view->setGeometry(rect());
    m_overlay->setGeometry(rect());
}

} // namespace selektor
