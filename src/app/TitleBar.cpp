#include "app/GeneratorPanels.h"
#include "app/Session.h"
#include "app/StagePictures.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace selektor {

TitleBar::TitleBar(Session& session, QWidget* parent) : QFrame(parent), m_session(session) {
    setObjectName(QStringLiteral("titleBar"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(4);

    m_backButton = new QToolButton(this);
    m_backButton->setObjectName(QStringLiteral("backButton"));
    m_backButton->setToolTip(QStringLiteral("Powrót do poprzedniego etapu"));
    m_backButton->setIcon(backIcon());
    m_backButton->setIconSize(QSize(20, 20));
    connect(m_backButton, &QToolButton::clicked, this,
            [this] { m_session.run([this] { return m_session.model().returnToFilters(m_session.questions()); }); });
    row->addWidget(m_backButton);

    // The lime frame sits behind the save button and shows as a border around it while it flashes.
    auto* saveHolder = new QWidget(this);
    m_saveButton = new QToolButton(saveHolder);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_saveButton->setToolTip(QStringLiteral("Zapis systemu"));
    m_saveButton->setIcon(saveIcon());
    m_saveButton->setIconSize(QSize(20, 20));
    const QSize buttonSize = m_saveButton->sizeHint();
    constexpr int kFrameWidth = 3;
    saveHolder->setFixedSize(buttonSize + QSize(2 * kFrameWidth, 2 * kFrameWidth));
    m_flashFrame = new QFrame(saveHolder);
    m_flashFrame->setObjectName(QStringLiteral("saveFlashFrame"));
    m_flashFrame->setGeometry(0, 0, saveHolder->width(), saveHolder->height());
    m_flashFrame->setStyleSheet(QStringLiteral("background-color: lime;"));
    m_flashFrame->hide();
    m_saveButton->setGeometry(kFrameWidth, kFrameWidth, buttonSize.width(), buttonSize.height());
    m_saveButton->raise();
    connect(m_saveButton, &QToolButton::clicked, this,
            [this] { m_session.run([this] { return m_session.model().saveSystem(m_session.questions()); }); });
    row->addWidget(saveHolder);
    row->addSpacing(12);

    auto* title = new QLabel(QStringLiteral(" GENERATOR SYSTEMÓW"), this);
    title->setObjectName(QStringLiteral("titleLabel"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.35);
    title->setFont(titleFont);
    QPalette titlePalette = title->palette();
    titlePalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    title->setPalette(titlePalette);
    row->addWidget(title);
    row->addStretch(1);

    // In the free end of the bar, clear of the stage's own controls: the way to a smaller system with a
    // real guarantee than the groups below build.
    auto* optimization = new QToolButton(this);
    optimization->setObjectName(QStringLiteral("optimizationButton"));
    optimization->setText(QStringLiteral("Optymalizacja systemu"));
    optimization->setToolTip(QStringLiteral("Najmniej zakładów z prawdziwą gwarancją (Ctrl+T)"));
    connect(optimization, &QToolButton::clicked, this, &TitleBar::optimizationRequested);
    row->addWidget(optimization);
}

void TitleBar::refresh(const GeneratorControls& controls) {
    m_backButton->setEnabled(controls.back);
    m_saveButton->setEnabled(controls.save);
}

void TitleBar::showFlashFrame(bool shown) {
    m_flashFrame->setVisible(shown);
}

} // namespace selektor
