#include "app/IntroPanel.h"

#include "app/FilterColours.h"
#include "app/Pictures.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

namespace selektor {

namespace {

// Where the six balls lie on the picture, and their colours.
constexpr int kBall = 74;
const QPoint kBallPlaces[kNumbersPerCombination] = {{20, 150}, {112, 112}, {204, 150},
                                                    {20, 250}, {112, 212}, {204, 250}};
const QColor kBallColours[kNumbersPerCombination] = {QColor(220, 30, 30), QColor(240, 200, 0), QColor(30, 90, 220),
                                                     QColor(0, 150, 70),  QColor(230, 110, 0), QColor(150, 40, 170)};

// The picture: a night-blue coupon with its grid of numbers and six balls rolling over it.
class IntroPicture : public QWidget {
public:
    explicit IntroPicture(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, height());
        sky.setColorAt(0, QColor(10, 20, 70));
        sky.setColorAt(1, QColor(0, 0, 0));
        painter.setPen(QPen(QColor(60, 80, 160), 2));
        painter.setBrush(sky);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 12, 12);

        QFont font = painter.font();
        font.setPixelSize(11);
        painter.setFont(font);
        painter.setPen(QColor(70, 90, 150));
        const qreal cellWidth = (width() - 20) / 7.0, cellHeight = (height() - 20) / 7.0;
        for (int n = 1; n <= 49; ++n) {
            const QRectF cell(10 + ((n - 1) % 7) * cellWidth, 10 + ((n - 1) / 7) * cellHeight, cellWidth, cellHeight);
            painter.drawText(cell, Qt::AlignCenter, QString::number(n));
        }
        for (int i = 0; i < kNumbersPerCombination; ++i) {
            const QRectF shadow(kBallPlaces[i].x() + 6, kBallPlaces[i].y() + kBall - 4, kBall - 12, 10);
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0, 0, 0, 140));
            painter.drawEllipse(shadow);
            paintBall(painter, QRectF(kBallPlaces[i], QSizeF(kBall, kBall)), kBallColours[i]);
            painter.setBrush(QColor(255, 255, 255, 230));
            painter.drawEllipse(QRectF(kBallPlaces[i] + QPointF(17, 17), QSizeF(kBall - 34, kBall - 34)));
        }
    }
};

QLabel* introText(const QString& text, QWidget* parent, const QColor& colour, int pixelSize, bool italic,
                  const QRect& geometry) {
    QLabel* label = colouredLabel(text, colour, pixelSize, italic ? TextStyle::Italic : TextStyle::Plain, parent);
    label->setGeometry(geometry);
    return label;
}

} // namespace

IntroPanel::IntroPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("introPanel"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);

    introText(QStringLiteral(" Firma Grabix prezentuje "), this, Qt::white, 16, true, QRect(24, 70, 300, 24));
    QLabel* name = introText(QStringLiteral("Selektor"), this, colours::kYellow, 64, true, QRect(20, 110, 320, 86));
    QFont nameFont = name->font();
    nameFont.setBold(true);
    name->setFont(nameFont);
    introText(QStringLiteral(" Z ukrytych archiwów KPW "), this, colours::kYellow, 17, false, QRect(24, 204, 300, 26));
    // The long line runs on one line under the name and the picture, from the left edge.
    introText(QStringLiteral("Systemy totalizatora sportowego nowej generacji - lotto 6 z 49"), this, colours::kSilver,
              14, false, QRect(28, 446, 620, 24))
        ->setObjectName(QStringLiteral("introLine"));

    m_picture = new IntroPicture(this);
    m_picture->setObjectName(QStringLiteral("introPicture"));
    m_picture->setGeometry(345, 40, 300, 400);
    for (int i = 0; i < kNumbersPerCombination; ++i) {
        auto* label = new QLabel(m_picture);
        label->setObjectName(QStringLiteral("introNumber") + QString::number(i + 1));
        label->setGeometry(QRect(kBallPlaces[i] + QPoint(17, 17), QSize(kBall - 34, kBall - 34)));
        label->setAlignment(Qt::AlignCenter);
        QFont font = label->font();
        font.setPixelSize(22);
        font.setBold(true);
        label->setFont(font);
        QPalette numberPalette = label->palette();
        numberPalette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(numberPalette);
        m_numbers[i] = label;
    }
}

void IntroPanel::showNumbers(const std::array<Number, kNumbersPerCombination>& numbers) {
    for (int i = 0; i < kNumbersPerCombination; ++i)
        m_numbers[i]->setText(QString::number(numbers[i]));
}

} // namespace selektor
