#include "app/CountBar.h"

#include "app/FilterColours.h"
#include "app/Session.h"
#include "app/ShapeWidget.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace selektor {

using namespace colours;

CountBar::CountBar(Session& session, QWidget* tabs, const QRect& geometry, QWidget* parent)
    : QWidget(parent), m_session(session), m_tabs(tabs) {
    setObjectName(QStringLiteral("countBar"));
    setGeometry(geometry);

    // Both boxes keep a pixel or two from the stage's edges, so their whole frames show.
    const int boxHeight = height() - 3;

    auto* countBox = new QFrame(this);
    countBox->setObjectName(QStringLiteral("countBox"));
    countBox->setFrameShape(QFrame::StyledPanel);
    countBox->setGeometry(24, 1, 432, boxHeight);
    auto* countLayout = new QHBoxLayout(countBox);
    countLayout->setContentsMargins(8, 2, 4, 2);
    auto* countCaption = new QLabel(QStringLiteral("Aktualna liczba kombinacji w systemie : "), countBox);
    countCaption->setObjectName(QStringLiteral("countCaption"));
    countLayout->addWidget(countCaption);
    m_countLabel = new QLabel(countBox);
    m_countLabel->setObjectName(QStringLiteral("countLabel"));
    m_countLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_countLabel->setMinimumWidth(70);
    m_countLabel->setFont(boldFont(m_countLabel));
    setTextColour(m_countLabel, kNavy);
    countLayout->addWidget(m_countLabel, 1);
    m_calculateButton = new QPushButton(QStringLiteral("Oblicz"), countBox);
    m_calculateButton->setObjectName(QStringLiteral("calculateButton"));
    m_calculateButton->setToolTip(QStringLiteral("Oblicz"));
    countLayout->addWidget(m_calculateButton);
    connect(m_calculateButton, &QPushButton::pressed, this, &CountBar::prepareCount);
    connect(m_calculateButton, &QPushButton::clicked, this, &CountBar::countCombinations);

    // The busy lamp, just left of the box.
    m_countLamp = new ShapeWidget(ShapeWidget::Kind::Ellipse, this);
    m_countLamp->setObjectName(QStringLiteral("countLamp"));
    m_countLamp->setGeometry(5, 1 + (boxHeight - 14) / 2, 14, 14);
    m_countLamp->setFill(kMaroon);
    m_countLamp->setOutline(kRed, 2);
    m_countLamp->hide();

    auto* stageBox = new QFrame(this);
    stageBox->setObjectName(QStringLiteral("stageBox"));
    stageBox->setFrameShape(QFrame::StyledPanel);
    stageBox->setGeometry(countBox->geometry().right() + 8, 1, width() - countBox->geometry().right() - 11, boxHeight);
    auto* stageLayout = new QHBoxLayout(stageBox);
    stageLayout->setContentsMargins(8, 2, 4, 2);
    auto* stageCaption = new QLabel(QStringLiteral("Generator systemów"), stageBox);
    stageCaption->setObjectName(QStringLiteral("stageCaption"));
    stageLayout->addWidget(stageCaption, 1);
    m_finalStageButton = new QPushButton(stageBox);
    m_finalStageButton->setObjectName(QStringLiteral("finalStageButton"));
    m_finalStageButton->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    m_finalStageButton->setToolTip(QStringLiteral("Etap końcowy"));
    m_finalStageButton->setAccessibleName(QStringLiteral("Etap końcowy"));
    m_finalStageButton->setEnabled(false);
    stageLayout->addWidget(m_finalStageButton);
    connect(m_finalStageButton, &QPushButton::clicked, this,
            [this] { m_session.run([this] { return m_session.model().enterFinalStage(); }); });
}

void CountBar::refresh(const Outcome& outcome) {
    if (outcome.showFirstTab) {
        // A new system: the bar is back at rest.
        m_countLamp->hide();
        m_calculateButton->setEnabled(true);
    }
    const std::optional<std::int32_t> count = m_session.model().shownCount();
    m_countLabel->setText(count ? QString::number(*count) : QString());
    m_finalStageButton->setEnabled(m_session.model().stage().finalStageAllowed);
}

void CountBar::prepareCount() {
    m_countLamp->show();
    m_countLabel->clear();
    m_finalStageButton->setEnabled(false);
}

void CountBar::countCombinations() {
    m_tabs->setEnabled(false);
    // The count runs to its end without handling events; paint the busy state before it starts.
    window()->repaint();
    m_session.run([this] { return m_session.model().countCombinations(); });
    m_tabs->setEnabled(true);
    m_countLamp->hide();
}

} // namespace selektor
