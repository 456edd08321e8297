#include "app/UnitHaupt.h"

#include "app/AnalysisWindow.h"
#include "app/FilterStage.h"
#include "app/GeneratorStage.h"
#include "app/IntroPanel.h"
#include "app/OptimizationWindow.h"
#include "app/Pictures.h"
#include "app/Session.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unitlos.h"
#include "presentation/ShellRules.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>

namespace selektor {

namespace {

constexpr int kClientWidth = 692, kClientHeight = 500;
constexpr int kIntroInterval = 200;

const QString kHelpFile = QStringLiteral("TEMATY POMOCY.html");

} // namespace

TFormHaupt::TFormHaupt(Session& session, SecondaryWindows windows, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_windows(windows) {
    buildWindow();
    placeWindow();
    m_session.services().sound.play(QStringLiteral("Flute.wav"));
    introTick();
    connect(&session, &Session::updated, this, &TFormHaupt::refresh);
    refresh(Outcome{});
}

void TFormHaupt::buildWindow() {
    setObjectName(QStringLiteral("formHaupt"));
    setWindowTitle(QStringLiteral("Selektor"));
    setWindowIcon(programIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildMenu();

    // The grey box that holds the three stages, one over the other.
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(kClientWidth, kClientHeight);
    client->setAutoFillBackground(true);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    client->setPalette(palette);
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    m_stages = new QStackedWidget(client);
    m_stages->setObjectName(QStringLiteral("stages"));
    m_stages->setGeometry(8, 8, 673, 481);
    // The stages keep the desktop's face colour.
    palette.setColor(QPalette::Window, QGuiApplication::palette().color(QPalette::Window));
    m_stages->setPalette(palette);
    m_introPanel = new IntroPanel(m_stages);
    m_filterStage = new FilterStage(m_session, m_stages);
    connect(m_filterStage, &FilterStage::saveFiltersClicked, this, &TFormHaupt::saveFilterSet);
    connect(m_filterStage, &FilterStage::openFiltersClicked, this, &TFormHaupt::openFilterSet);
    m_generatorStage = new GeneratorStage(m_session, m_stages);
    connect(m_generatorStage, &GeneratorStage::optimizationRequested, this, &TFormHaupt::showOptimization);
    m_stages->addWidget(m_introPanel);
    m_stages->addWidget(m_filterStage);
    m_stages->addWidget(m_generatorStage);

    m_introTimer = new QTimer(this);
    m_introTimer->setObjectName(QStringLiteral("introTimer"));
    m_introTimer->setInterval(kIntroInterval);
    connect(m_introTimer, &QTimer::timeout, this, &TFormHaupt::introTick);
}

QAction* TFormHaupt::addCommand(QMenu* menu, const QString& caption, const QKeySequence& shortcut, const char* name,
                                void (TFormHaupt::*operation)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, operation);
    return action;
}

void TFormHaupt::buildMenu() {
    QMenu* system = menuBar()->addMenu(QStringLiteral("System"));
    addCommand(system, QStringLiteral("Nowy"), QKeySequence(Qt::CTRL | Qt::Key_N), "newAction", &TFormHaupt::newSystem);
    addCommand(system, QStringLiteral("Otwórz"), QKeySequence(Qt::CTRL | Qt::Key_O), "openAction",
               &TFormHaupt::openSystem);
    addCommand(system, QStringLiteral("Optymalizacja systemu"), QKeySequence(Qt::CTRL | Qt::Key_T),
               "optimizationAction", &TFormHaupt::showOptimization);
    // The filter sets are a group of their own: they concern the filter stage, not the system.
    system->addSeparator();
    m_saveFiltersAction =
        addCommand(system, QStringLiteral("Zapisz filtry"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                   "saveFiltersAction", &TFormHaupt::saveFilterSet);
    addCommand(system, QStringLiteral("Otwórz filtry"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
               "openFiltersAction", &TFormHaupt::openFilterSet);
    system->addSeparator();
    addCommand(system, QStringLiteral("Zakończ"), QKeySequence(Qt::CTRL | Qt::Key_Z), "quitAction",
               &TFormHaupt::quitProgram);

    QMenu* statistics = menuBar()->addMenu(QStringLiteral("Statystyka"));
    addCommand(statistics, QStringLiteral("Losowania"), QKeySequence(Qt::CTRL | Qt::Key_L), "drawHistoryAction",
               &TFormHaupt::showDrawHistory);
    addCommand(statistics, QStringLiteral("Wykresy"), QKeySequence(Qt::CTRL | Qt::Key_W), "chartAction",
               &TFormHaupt::showChart);
    addCommand(statistics, QStringLiteral("Analiza"), QKeySequence(Qt::CTRL | Qt::Key_A), "analysisAction",
               &TFormHaupt::showAnalysis);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Pomoc"));
    addCommand(help, QStringLiteral("Tematy pomocy"), QKeySequence(Qt::CTRL | Qt::Key_P), "helpAction",
               &TFormHaupt::showHelp);
    help->addSeparator();
    addCommand(help, QStringLiteral("Program - info"), QKeySequence(Qt::CTRL | Qt::Key_I), "aboutAction",
               &TFormHaupt::showAbout);
}

void TFormHaupt::placeWindow() {
    const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!display)
        return;
    const WindowPlace place = mainWindowPlace(display->geometry().height());
    move(place.left, place.top);
}

void TFormHaupt::refresh(const Outcome& outcome) {
    const StageState stage = m_session.model().stage();
    switch (stage.screen) {
    case Screen::Intro:
        m_stages->setCurrentWidget(m_introPanel);
        break;
    case Screen::Filters:
        // The intro's picture is gone for good once a stage has been shown over it.
        m_introPanel->picture()->hide();
        m_stages->setCurrentWidget(m_filterStage);
        break;
    case Screen::Generator:
        m_stages->setCurrentWidget(m_generatorStage);
        break;
    }
    m_saveFiltersAction->setEnabled(filterSetSaveAllowed(stage));
    if (!stage.introRunning)
        m_introTimer->stop();
    else if (!m_introTimer->isActive())
        m_introTimer->start();
    if (outcome.endProgram)
        endProgram();
}

void TFormHaupt::newSystem() {
    m_session.run([this] { return m_session.model().newSystem(m_session.questions()); });
}

void TFormHaupt::openSystem() {
    m_session.run([this] { return m_session.model().openSystem(m_session.questions()); });
}

void TFormHaupt::saveFilterSet() {
    // Filter sets are kept among the player's own files: the dialog starts in the data folder.
    QDir::setCurrent(QFile::decodeName(m_session.model().dataDirectory().c_str()));
    m_session.run([this] { return m_session.model().saveFilterSet(m_session.questions()); });
}

void TFormHaupt::openFilterSet() {
    QDir::setCurrent(QFile::decodeName(m_session.model().dataDirectory().c_str()));
    m_session.run([this] { return m_session.model().openFilterSet(m_session.questions()); });
}

void TFormHaupt::quitProgram() {
    m_session.run([this] { return m_session.model().requestEnd(m_session.questions()); });
}

void TFormHaupt::closeEvent(QCloseEvent* event) {
    if (!m_ended)
        m_session.run([this] { return m_session.model().requestEnd(m_session.questions()); });
    // Closing goes on only once the player agreed to end the program.
    if (m_ended)
        event->accept();
    else
        event->ignore();
}

void TFormHaupt::endProgram() {
    if (m_ended)
        return;
    m_ended = true;
    m_windows.drawHistory.hide();
    m_windows.chart.hide();
    m_windows.analysis.hide();
    m_windows.optimization.hide();
    m_windows.about.hide();
    close();
    emit programEnded();
}

void TFormHaupt::stopIntro() {
    m_session.model().stopIntro();
    m_session.changed();
}

void TFormHaupt::showDrawHistory() {
    stopIntro();
    m_windows.drawHistory.show();
    m_windows.drawHistory.raise();
    m_windows.drawHistory.activateWindow();
}

void TFormHaupt::showChart() {
    stopIntro();
    m_windows.chart.show();
    m_windows.chart.raise();
    m_windows.chart.activateWindow();
}

void TFormHaupt::showAnalysis() {
    stopIntro();
    m_windows.analysis.show();
    m_windows.analysis.raise();
    m_windows.analysis.activateWindow();
}

void TFormHaupt::showOptimization() {
    stopIntro();
    m_windows.optimization.show();
    m_windows.optimization.raise();
    m_windows.optimization.activateWindow();
}

void TFormHaupt::showHelp() {
    stopIntro();
    // The file dialogs may have moved the current directory; the help lies beside the program's files.
    QDir::setCurrent(QFile::decodeName(m_session.model().dataDirectory().c_str()));
    m_session.services().help.showContents(kHelpFile);
}

void TFormHaupt::showAbout() {
    stopIntro();
    m_windows.about.showCentred();
}

void TFormHaupt::introTick() {
    m_introPanel->showNumbers(introNumbers(m_session.model().randomSource()));
}

} // namespace selektor
