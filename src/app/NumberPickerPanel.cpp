#include "app/NumberPickerPanel.h"

#include "app/FilterColours.h"
#include "app/ShapeWidget.h"
#include "chart/NumberChart.h"

#include <QPushButton>
#include <algorithm>

namespace selektor {

namespace {

constexpr int kRing = 21;         // a ring's width and height
constexpr int kRingPitch = 32;    // from ring to ring along a row
constexpr int kRowPitch = 24;     // from row to row
constexpr int kRingOutline = 2;   // thick enough for the aqua ring to stand out on the pale fill
constexpr int kLeft = 10;         // the rings' first place, inside the frame
constexpr int kPlacesInARow = 13; // rows 2 and 3 are full
constexpr int kOkWidth = 65, kOkHeight = 25, kOkGap = 6;

// The first Number of each row and the place it starts at.
struct Row {
    int first;
    int place;
};
constexpr Row kRows[] = {{1, 1}, {13, 0}, {26, 0}, {39, 0}};

QPoint ringPlace(int n, int ringsTop) {
    int row = 3;
    while (n < kRows[row].first)
        --row;
    const int place = kRows[row].place + n - kRows[row].first;
    return {kLeft + place * kRingPitch, ringsTop + row * kRowPitch};
}

} // namespace

NumberPickerPanel::NumberPickerPanel(QWidget* parent)
    : QGroupBox(QStringLiteral(" Liczby "), parent), m_chartNumber(kChartNumberAtStart) {
    setObjectName(QStringLiteral("numberPickerPanel"));
    setAutoFillBackground(true);
    // The rings begin under the caption.
    const int ringsTop = fontMetrics().height() + 6;
    QFont ringFont = font();
    ringFont.setPixelSize(10);
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        auto* ring = new ShapeWidget(ShapeWidget::Kind::Ellipse, this);
        ring->setObjectName(QStringLiteral("chartRing%1").arg(n));
        ring->setGeometry(QRect(ringPlace(n, ringsTop), QSize(kRing, kRing)));
        ring->setFill(colours::tooltipBackground());
        ring->setFont(ringFont);
        ring->setText(QString::number(n));
        ring->setClickable(true);
        const auto number = static_cast<Number>(n);
        connect(ring, &ShapeWidget::clicked, this, [this, number] { selectChartNumber(number); });
        m_rings[static_cast<std::size_t>(n - 1)] = ring;
    }

    // OK closes the fourth row with room after ring 49; the two places left there are a pixel short of it.
    const int rowsRight = kLeft + (kPlacesInARow - 1) * kRingPitch + kRing;
    const int okLeft = std::max(rowsRight - kOkWidth, m_rings.back()->geometry().right() + 1 + kOkGap);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("chartOkButton"));
    m_ok->setGeometry(okLeft, ringsTop + 3 * kRowPitch + (kRing - kOkHeight) / 2, kOkWidth, kOkHeight);
    connect(m_ok, &QPushButton::clicked, this, &NumberPickerPanel::confirmed);

    setFixedSize(std::max(rowsRight, m_ok->geometry().right() + 1) + kLeft, m_ok->geometry().bottom() + 8);
    selectChartNumber(m_chartNumber);
}

void NumberPickerPanel::selectChartNumber(Number n) {
    m_chartNumber = n;
    for (int i = kLowestNumber; i <= kHighestNumber; ++i)
        m_rings[static_cast<std::size_t>(i - 1)]->setOutline(i == n ? colours::kAqua : colours::kNavy, kRingOutline);
}

} // namespace selektor
