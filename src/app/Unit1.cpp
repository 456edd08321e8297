#include "app/Unit1.h"

#include "app/ChartSettingsPanel.h"
#include "app/ModelText.h"
#include "app/NumberChartView.h"
#include "app/NumberPickerPanel.h"
#include "app/Pictures.h"
#include "app/Session.h"

#include <QFrame>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>
#include <optional>

namespace selektor {

namespace {

constexpr int kClientWidth = 800, kClientHeight = 600;
constexpr int kTopBarHeight = 40;
constexpr int kMargin = 8;

// The picture of "Wykresy liczb": a small chart of a count going up and down.
QIcon numberChartsPicture() {
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 128), 1.5));
    painter.drawLine(QPointF(3, 2), QPointF(3, 21));
    painter.drawLine(QPointF(3, 21), QPointF(22, 21));
    const QPointF points[] = {{5, 16}, {9, 8}, {13, 13}, {17, 5}, {21, 10}};
    painter.setPen(QPen(QColor(255, 128, 128), 2));
    painter.drawPolyline(points, 5);
    painter.setPen(QPen(QColor(255, 0, 0), 1));
    painter.setBrush(QColor(255, 0, 255));
    for (const QPointF& point : points)
        painter.drawEllipse(point, 2.2, 2.2);
    painter.end();
    return QIcon(picture);
}

} // namespace

TForm1::TForm1(Session& session, QWidget* parent) : QWidget(parent, Qt::Window), m_session(session) {
    buildWindow();
}

void TForm1::buildWindow() {
    setObjectName(QStringLiteral("chartWindow"));
    setWindowTitle(QStringLiteral("Selektor - Wykresy"));
    setWindowIcon(programIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);

    auto* topBar = new QFrame(this);
    topBar->setObjectName(QStringLiteral("chartTopBar"));
    topBar->setFrameShape(QFrame::Panel);
    topBar->setFrameShadow(QFrame::Raised);
    topBar->setGeometry(0, 0, kClientWidth, kTopBarHeight);
    // The one kind of chart the window draws, so its button always stands pressed.
    m_numberChartsButton = new QToolButton(topBar);
    m_numberChartsButton->setObjectName(QStringLiteral("numberChartsButton"));
    m_numberChartsButton->setText(QStringLiteral("Wykresy liczb"));
    m_numberChartsButton->setIcon(numberChartsPicture());
    m_numberChartsButton->setIconSize(QSize(24, 24));
    m_numberChartsButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_numberChartsButton->setCheckable(true);
    m_numberChartsButton->setChecked(true);
    m_numberChartsButton->adjustSize();
    m_numberChartsButton->move(kMargin, (kTopBarHeight - m_numberChartsButton->height()) / 2);
    connect(m_numberChartsButton, &QToolButton::clicked, this, &TForm1::slideInNumberPicker);

    // The picker comes down inside a strip of its own, which hides it while it is above its place.
    auto* pickerStrip = new QWidget(this);
    pickerStrip->setObjectName(QStringLiteral("pickerStrip"));
    m_picker = new NumberPickerPanel(pickerStrip);
    m_picker->move(kMargin, kPickerRest);
    connect(m_picker, &NumberPickerPanel::confirmed, this, &TForm1::buildNumberChart);
    const int stripHeight = kPickerRest + m_picker->height() + 4;
    pickerStrip->setGeometry(0, kTopBarHeight, kClientWidth, stripHeight);

    const int settingsLeft = m_picker->geometry().right() + 1 + kMargin;
    m_settings = new ChartSettingsPanel(pickerStrip);
    m_settings->setGeometry(settingsLeft, kPickerRest, kClientWidth - kMargin - settingsLeft, m_picker->height());

    const int chartTop = kTopBarHeight + stripHeight;
    m_chart = new NumberChartView(this);
    m_chart->setGeometry(kMargin, chartTop, kClientWidth - 2 * kMargin, kClientHeight - kMargin - chartTop);

    m_slideTimer = new QTimer(this);
    m_slideTimer->setObjectName(QStringLiteral("pickerSlideTimer"));
    m_slideTimer->setInterval(kSlideInterval);
    m_slideTimer->setTimerType(Qt::PreciseTimer);
    connect(m_slideTimer, &QTimer::timeout, this, &TForm1::slideTick);
}

void TForm1::buildNumberChart() {
    // OK pressed while the picker is still coming down: it is put in its place at once, so that the end
    // of the slide does not empty the chart about to be built.
    if (m_slideTimer->isActive()) {
        m_slideTimer->stop();
        m_picker->move(m_picker->x(), kPickerRest);
    }
    const Number chartNumber = m_picker->chartNumber();
    const int windowLength = m_settings->windowLength();
    const int windowStep = m_settings->windowStep();
    const QString title = fromModel(chartTitle(chartNumber));
    // Should the count fail, the chart stays empty under its new title.
    m_chart->clear(title);
    std::optional<std::vector<ChartPoint>> points;
    m_session.run([&] {
        points = m_session.model().numberChart(chartNumber, windowLength, windowStep);
        return Outcome{};
    });
    if (points)
        m_chart->showPoints(title, *points);
}

void TForm1::slideInNumberPicker() {
    m_numberChartsButton->setChecked(true);
    m_slide = PickerSlide{};
    m_picker->move(m_picker->x(), m_slide.position());
    m_picker->show();
    m_slideTimer->start();
}

void TForm1::slideTick() {
    const SlideStep step = m_slide.tick();
    m_picker->move(m_picker->x(), step.position);
    if (!step.done)
        return;
    m_slideTimer->stop();
    m_chart->clear(fromModel(kChartTitleAfterSlideIn));
}

} // namespace selektor
