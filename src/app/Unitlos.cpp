#include "app/Unitlos.h"

#include "app/DrawEntryPanels.h"
#include "app/DrawListPanel.h"
#include "app/ModelText.h"
#include "app/Pictures.h"
#include "app/Session.h"
#include "app/StatisticsArea.h"

#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <optional>

namespace selektor {

namespace {

constexpr int kClientWidth = 800, kClientHeight = 470;
// The draw list on the left, the buttons beside it, the recency strip under both.
const QRect kListPlace(8, 4, 584, 332);
constexpr int kButtonsLeft = 604, kButtonsTop = 44, kButtonWidth = 188, kButtonHeight = 30;
const QRect kRecencyPlace(8, 344, 784, 118);
// The side panels lie over the left of the list.
constexpr int kSidePanelTop = 4, kSidePanelWidth = 300, kSidePanelHeight = 332;

bool anyError(const Outcome& outcome) {
    return std::any_of(outcome.messages.begin(), outcome.messages.end(),
                       [](const Message& m) { return m.kind == Message::Kind::Error; });
}

} // namespace

TFormlos::TFormlos(Session& session, QWidget* parent) : QWidget(parent, Qt::Window), m_session(session) {
    buildWindow();
    connect(&session, &Session::updated, this, &TFormlos::refresh);
    refresh(Outcome{});
}

void TFormlos::buildWindow() {
    setObjectName(QStringLiteral("drawHistoryWindow"));
    setWindowTitle(QStringLiteral("Selektor - Losowania i statystyki"));
    setWindowIcon(programIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);

    m_list = new DrawListPanel(this);
    m_list->setGeometry(kListPlace);
    m_recency = new RecencyStrip(this);
    m_recency->setGeometry(kRecencyPlace);

    const auto button = [this](const QString& caption, const char* name, int row, void (TFormlos::*operation)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(kButtonsLeft, kButtonsTop + row * (kButtonHeight + 8), kButtonWidth, kButtonHeight);
        connect(b, &QPushButton::clicked, this, operation);
        return b;
    };
    m_addButton = button(QStringLiteral("Dodaj losowanie"), "addDrawButton", 0, &TFormlos::startDrawEntry);
    m_deleteButton = button(QStringLiteral("Usuń losowanie"), "deleteDrawButton", 1, &TFormlos::deleteSelectedDraw);
    m_statisticsButton = button(QStringLiteral("Statystyki"), "statisticsButton", 2, &TFormlos::openStatisticsSetup);
    m_importButton = button(QStringLiteral("Importuj"), "importDrawsButton", 3, &TFormlos::importDraws);
    m_importButton->setToolTip(QStringLiteral("Dodaj losowania z pliku CSV z wynikami (data,n1,...,n6)"));

    m_datePanel = new DatePanel(m_session.services().clock.today(), this);
    m_numberPanel = new NumberPanel(this);
    m_setupPanel = new StatisticsSetupPanel(this);
    for (QWidget* panel : {static_cast<QWidget*>(m_datePanel), static_cast<QWidget*>(m_numberPanel),
                           static_cast<QWidget*>(m_setupPanel)}) {
        panel->setGeometry(-kSidePanelWidth, kSidePanelTop, kSidePanelWidth, kSidePanelHeight);
        panel->hide();
    }
    connect(m_datePanel, &DatePanel::confirmed, this, &TFormlos::confirmDrawDate);
    connect(m_datePanel, &DatePanel::cancelled, this, &TFormlos::cancelDrawEntry);
    connect(m_numberPanel, &NumberPanel::confirmed, this, &TFormlos::confirmDrawNumbers);
    connect(m_numberPanel, &NumberPanel::cancelled, this, &TFormlos::cancelDrawEntry);
    connect(m_setupPanel, &StatisticsSetupPanel::confirmed, this, &TFormlos::computeStatistics);
    connect(m_setupPanel, &StatisticsSetupPanel::cancelled, this, &TFormlos::closePanels);

    // The statistics cover the whole window while they are open.
    m_statisticsArea = new StatisticsArea(this);
    m_statisticsArea->setGeometry(0, -kClientHeight, kClientWidth, kClientHeight);
    m_statisticsArea->hide();
    connect(m_statisticsArea, &StatisticsArea::closeRequested, this, &TFormlos::closeStatistics);

    m_slideTimer = new QTimer(this);
    m_slideTimer->setObjectName(QStringLiteral("slideTimer"));
    m_slideTimer->setInterval(kSlideInterval);
    m_slideTimer->setTimerType(Qt::PreciseTimer);
    connect(m_slideTimer, &QTimer::timeout, this, &TFormlos::slideTick);
}

int TFormlos::selectedDrawIndex() const {
    return m_list->selectedDrawIndex();
}

void TFormlos::refresh(const Outcome&) {
    // The list and the strip follow the files after every command, also one that failed half-way.
    const ApplicationModel& model = m_session.model();
    m_list->showLines(model.drawHistory().lines);
    m_recency->showRecency(model.recencyTable());
}

void TFormlos::enableButtons(bool enabled) {
    m_addButton->setEnabled(enabled);
    m_deleteButton->setEnabled(enabled);
    m_statisticsButton->setEnabled(enabled);
    m_importButton->setEnabled(enabled);
}

void TFormlos::slideIn(QWidget* panel, Slide slide, bool vertical) {
    m_slide = slide;
    m_sliding = panel;
    m_slidingDown = vertical;
    if (vertical)
        panel->move(panel->x(), slide.position());
    else
        panel->move(slide.position(), panel->y());
    panel->show();
    panel->raise();
    m_slideTimer->start();
}

void TFormlos::slideTick() {
    if (!m_sliding) {
        m_slideTimer->stop();
        return;
    }
    const SlideStep step = m_slide.tick();
    if (m_slidingDown)
        m_sliding->move(m_sliding->x(), step.position);
    else
        m_sliding->move(step.position, m_sliding->y());
    if (!step.done)
        return;
    m_slideTimer->stop();
    // The numbers came in over the date: the date panel's part is over.
    if (m_sliding == m_numberPanel)
        m_datePanel->hide();
    m_sliding = nullptr;
}

void TFormlos::closePanels() {
    m_slideTimer->stop();
    m_sliding = nullptr;
    m_datePanel->hide();
    m_numberPanel->hide();
    m_setupPanel->hide();
    m_statisticsArea->hide();
    enableButtons(true);
}

bool TFormlos::refusedByHistory() {
    if (!m_session.model().drawHistory().problem)
        return false;
    // What is wrong is said, with the rebuild offered when the text can mend it; rebuilt, the panel opens.
    m_session.run([this] { return m_session.model().offerHistoryRepair(m_session.questions()); });
    return m_session.model().drawHistory().problem.has_value();
}

void TFormlos::startDrawEntry() {
    if (refusedByHistory())
        return;
    enableButtons(false);
    slideIn(m_datePanel, sidePanelSlide(kSidePanelWidth), false);
}

void TFormlos::confirmDrawDate() {
    const QString date = m_datePanel->chosenDate();
    if (date.isEmpty()) {
        // The date panel stays for the player to click a day.
        m_session.services().dialogs.information(fromModel(kNoDrawDateMessage));
        return;
    }
    m_numberPanel->start(date);
    enableButtons(false);
    slideIn(m_numberPanel, sidePanelSlide(kSidePanelWidth), false);
}

void TFormlos::confirmDrawNumbers() {
    const std::string date = m_numberPanel->entryDate().toStdString();
    const NumberBoxes boxes = m_numberPanel->ticked();
    std::optional<Outcome> outcome;
    m_session.run([&] {
        outcome = m_session.model().addDraw(date, boxes, m_session.questions());
        return *outcome;
    });
    // Stored: the entry is over. Failed: back to a window that matches the files. Refused or answered
    // No: the panel stays with its boxes as they are.
    if (outcome && !outcome->drawStored && !anyError(*outcome))
        return;
    closePanels();
    if (outcome && outcome->drawStored)
        m_list->selectLast();
}

void TFormlos::cancelDrawEntry() {
    closePanels();
}

void TFormlos::deleteSelectedDraw() {
    const int selected = m_list->selectedDrawIndex();
    // The list shows the new lines from their end; the player who deleted an old draw keeps the place,
    // with the draw after it where the deleted one stood.
    const int top = m_list->topShownRow();
    bool deleted = false;
    m_session.run([&] {
        Outcome outcome = m_session.model().deleteDraw(selected, m_session.questions());
        deleted = outcome.drawStored;
        return outcome;
    });
    // The player chooses the next draw to delete anew.
    if (deleted)
        m_list->selectNone();
    m_list->showFromRow(top);
}

void TFormlos::importDraws() {
    bool stored = false;
    m_session.run([&] {
        Outcome outcome = m_session.model().importDraws(m_session.questions());
        stored = outcome.drawStored;
        return outcome;
    });
    if (stored)
        m_list->selectLast();
}

void TFormlos::openStatisticsSetup() {
    // Figures from files that disagree would mislead: refused like every change.
    if (refusedByHistory())
        return;
    enableButtons(false);
    m_setupPanel->start(m_session.model().drawHistory().lines.size());
    slideIn(m_setupPanel, sidePanelSlide(kSidePanelWidth), false);
}

void TFormlos::computeStatistics() {
    m_setupPanel->setControlsEnabled(false);
    const int recentWindow = m_setupPanel->recentWindow();
    std::optional<HistoryStatistics> statistics;
    m_session.run([&] {
        statistics = m_session.model().statistics(recentWindow);
        return Outcome{};
    });
    m_setupPanel->setControlsEnabled(true);
    if (!statistics) {
        closePanels();
        return;
    }
    m_statisticsArea->showStatistics(*statistics);
    m_slideTimer->stop();
    m_setupPanel->hide();
    enableButtons(false);
    slideIn(m_statisticsArea, Slide(-kClientHeight, 0), true);
}

void TFormlos::closeStatistics() {
    closePanels();
}

} // namespace selektor
