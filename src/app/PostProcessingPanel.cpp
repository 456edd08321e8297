#include "app/FormWidgets.h"
#include "app/GeneratorPanels.h"
#include "app/Session.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <tuple>

namespace selektor {

namespace {

const char* const kRecentDrawsCaptions[] = {"trójki z ostatnich losowań", "czwórki z ostatnich losowań",
                                            "5 liczb z trzech sąsiednich", "6 liczb z trzech sąsiednich"};
const char* const kLastDrawsCaptions[] = {"więcej niż jedną liczbę z ostatniego los.",
                                          "więcej niż dwie liczby z ostatniego los.",
                                          "więcej niż trzy liczby z dwóch ostatnich "};

QPushButton* actionButton(const QString& objectName, QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("Akcja"), parent);
    button->setObjectName(objectName);
    button->setToolTip(QStringLiteral("Akcja"));
    button->setFixedWidth(QFontMetrics(button->font()).horizontalAdvance(button->text()) + 20);
    return button;
}

} // namespace

PostProcessingPanel::PostProcessingPanel(Session& session, QWidget* parent)
    : QGroupBox(QStringLiteral(" Obróbka systemu"), parent), m_session(session) {
    setObjectName(QStringLiteral("postProcessingGroup"));
    auto* grid = new QGridLayout(this);
    tighten(grid);
    grid->setVerticalSpacing(2);

    // First tool: the recent draws, as many as "Liczba losowań" says.
    grid->addWidget(new QLabel(QStringLiteral("  Usuń kombinacje zawierające  "), this), 0, 0);
    auto* drawsRow = new QHBoxLayout;
    drawsRow->setSpacing(1);
    drawsRow->addStretch(1);
    drawsRow->addWidget(new QLabel(QStringLiteral("Liczba losowań"), this));
    drawsRow->addSpacing(4);
    m_drawsToUse = new QLineEdit(this);
    m_drawsToUse->setObjectName(QStringLiteral("drawsToUseEdit"));
    m_drawsToUse->setReadOnly(true);
    // Three characters of one width, so the blank before 10 to 90 shows as a place of its own.
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(font().pointSizeF());
    m_drawsToUse->setFont(mono);
    m_drawsToUse->setFixedWidth(QFontMetrics(mono).horizontalAdvance(QStringLiteral("0000")) + 10);
    drawsRow->addWidget(m_drawsToUse);
    auto* spinner = new QWidget(this);
    auto* spinnerColumn = new QVBoxLayout(spinner);
    spinnerColumn->setContentsMargins(0, 0, 0, 0);
    spinnerColumn->setSpacing(0);
    for (auto [name, arrow, steps] :
         {std::tuple{"drawsToUseUp", Qt::UpArrow, 1}, std::tuple{"drawsToUseDown", Qt::DownArrow, -1}}) {
        auto* step = new QToolButton(spinner);
        step->setObjectName(QLatin1String(name));
        step->setArrowType(arrow);
        step->setFixedSize(16, 11);
        step->setAutoRepeat(true);
        connect(step, &QToolButton::clicked, this, [this, steps = steps] {
            m_session.model().stepDrawsToUse(steps);
            m_session.changed();
        });
        spinnerColumn->addWidget(step);
    }
    drawsRow->addWidget(spinner);
    grid->addLayout(drawsRow, 0, 1, 1, 2);
    m_recentChoice = new QComboBox(this);
    m_recentChoice->setObjectName(QStringLiteral("recentDrawsChoice"));
    for (const char* caption : kRecentDrawsCaptions)
        m_recentChoice->addItem(QString::fromUtf8(caption));
    connect(m_recentChoice, &QComboBox::activated, this,
            [this](int index) { m_session.model().setRecentDrawsChoice(index); });
    grid->addWidget(m_recentChoice, 1, 0, 1, 2);
    m_recentAction = actionButton(QStringLiteral("recentDrawsAction"), this);
    connect(m_recentAction, &QPushButton::clicked, this,
            [this] { m_session.runBusy([this] { return m_session.model().reduceByRecentDraws(); }); });
    grid->addWidget(m_recentAction, 1, 2, Qt::AlignRight);

    // Second tool: the last draw or the last two.
    grid->addWidget(new QLabel(QStringLiteral("  Usuń kombinacje zawierające  "), this), 2, 0, 1, 3);
    m_lastChoice = new QComboBox(this);
    m_lastChoice->setObjectName(QStringLiteral("lastDrawsChoice"));
    for (const char* caption : kLastDrawsCaptions)
        m_lastChoice->addItem(QString::fromUtf8(caption));
    connect(m_lastChoice, &QComboBox::activated, this,
            [this](int index) { m_session.model().setLastDrawsChoice(index); });
    grid->addWidget(m_lastChoice, 3, 0, 1, 2);
    m_lastAction = actionButton(QStringLiteral("lastDrawsAction"), this);
    connect(m_lastAction, &QPushButton::clicked, this,
            [this] { m_session.runBusy([this] { return m_session.model().reduceByLastDraws(); }); });
    grid->addWidget(m_lastAction, 3, 2, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
}

void PostProcessingPanel::refresh(const GeneratorControls& controls) {
    const GeneratorForm& form = m_session.model().form();
    m_recentChoice->setCurrentIndex(form.recentDrawsChoice);
    m_lastChoice->setCurrentIndex(form.lastDrawsChoice);
    const QString draws = QString::fromStdString(drawsToUseText(form.drawsToUse));
    if (m_drawsToUse->text() != draws) {
        m_drawsToUse->setText(draws);
        m_drawsToUse->setCursorPosition(0);
    }
    m_recentAction->setEnabled(controls.postProcessing);
    m_lastAction->setEnabled(controls.postProcessing);
}

} // namespace selektor
