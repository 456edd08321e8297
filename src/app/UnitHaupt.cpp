#include "app/UnitHaupt.h"

#include "app/FilterStage.h"
#include "app/GeneratorStage.h"
#include "app/IntroPanel.h"
#include "app/Pictures.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unitlos.h"
#include "core/ShellRules.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
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

const QString kHelpFile = QStringLiteral("TEMATY POMOCY.HLP");
const QString kQuitQuestion = QStringLiteral("Czy chcesz zakończyć prace z programem Selektor ?");
const QString kInterruptQuestion =
    QStringLiteral("Generator jest obecnie w trakcie obliczeń ! Czy chcesz przerwać obliczenia ?");

} // namespace

TFormHaupt::TFormHaupt(Services& services, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_pool(std::make_unique<CandidatePool>()) {
    // The program reads and writes its own files here, whatever the file dialogs do later.
    m_dataDirectory = QDir::currentPath();
    buildWindow();
    placeWindow();
    m_services.sound.play(QStringLiteral("Flute.wav"));

    m_random.reseed(static_cast<std::uint32_t>(m_services.clock.timeOfDay().msecsSinceStartOfDay()));
    introTick();
    m_introTimer->start();

    m_chartWindow = std::make_unique<TForm1>();
    m_drawHistoryWindow = std::make_unique<TFormlos>();
    m_aboutBox = std::make_unique<TAboutBox>();
}

TFormHaupt::~TFormHaupt() = default;

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
    m_filterStage = new FilterStage(m_settings, *m_pool, m_services.dialogs, m_stages);
    m_generatorStage = new GeneratorStage(*m_pool, m_services, m_stages);
    m_generatorStage->setDataDirectory(m_dataDirectory);
    m_stages->addWidget(m_introPanel);
    m_stages->addWidget(m_filterStage);
    m_stages->addWidget(m_generatorStage);
    m_stages->setCurrentWidget(m_introPanel);
    connect(m_filterStage, &FilterStage::finalStageRequested, this, &TFormHaupt::enterFinalStage);
    connect(m_generatorStage, &GeneratorStage::backToFiltersRequested, this, &TFormHaupt::returnToFilterStage);

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
    system->addSeparator();
    addCommand(system, QStringLiteral("Zakończ"), QKeySequence(Qt::CTRL | Qt::Key_Z), "quitAction",
               &TFormHaupt::quitProgram);

    QMenu* statistics = menuBar()->addMenu(QStringLiteral("Statystyka"));
    addCommand(statistics, QStringLiteral("Losowania"), QKeySequence(Qt::CTRL | Qt::Key_L), "drawHistoryAction",
               &TFormHaupt::showDrawHistory);
    addCommand(statistics, QStringLiteral("Wykresy"), QKeySequence(Qt::CTRL | Qt::Key_W), "chartAction",
               &TFormHaupt::showChart);

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

void TFormHaupt::newSystem() {
    if (!generatorMayBeDisturbed(
            QStringLiteral("Generator jest obecnie w trakcie obliczeń ! Czy chcesz teraz tworzyć nowy system ?")))
        return;
    stopIntro();
    if (!m_generatorStage->offerSave())
        return;
    m_filterStage->startNewSystem();
    m_introPanel->picture()->hide();
    showFilterStage();
}

void TFormHaupt::openSystem() {
    if (!generatorMayBeDisturbed(
            QStringLiteral("Generator jest obecnie w trakcie obliczeń ! Czy chcesz teraz przeglądać systemy ?")))
        return;
    stopIntro();
    if (!m_generatorStage->offerSave())
        return;
    if (m_generatorStage->openSystemFile())
        showGeneratorStage();
}

void TFormHaupt::quitProgram() {
    if (!confirmEnd(kInterruptQuestion))
        return;
    m_endConfirmed = true;
    close();
}

void TFormHaupt::closeEvent(QCloseEvent* event) {
    if (!m_endConfirmed && !confirmEnd(kInterruptQuestion)) {
        event->ignore();
        return;
    }
    m_endConfirmed = true;
    event->accept();
    endProgram();
}

bool TFormHaupt::confirmEnd(const QString& generatorQuestion) {
    if (!generatorMayBeDisturbed(generatorQuestion))
        return false;
    stopIntro();
    if (!m_generatorStage->offerSave())
        return false;
    return m_services.dialogs.question(kQuitQuestion);
}

void TFormHaupt::endProgram() {
    stopIntro();
    m_drawHistoryWindow->hide();
    m_chartWindow->hide();
    m_aboutBox->hide();
    emit programEnded();
}

void TFormHaupt::showDrawHistory() {
    stopIntro();
    m_drawHistoryWindow->show();
    m_drawHistoryWindow->raise();
    m_drawHistoryWindow->activateWindow();
}

void TFormHaupt::showChart() {
    stopIntro();
    m_chartWindow->show();
    m_chartWindow->raise();
    m_chartWindow->activateWindow();
}

void TFormHaupt::showHelp() {
    stopIntro();
    QDir::setCurrent(m_dataDirectory);
    m_services.help.showContents(kHelpFile);
}

void TFormHaupt::showAbout() {
    stopIntro();
    m_aboutBox->showCentred();
}

bool TFormHaupt::generatorMayBeDisturbed(const QString& question) {
    if (!m_generatorStage->generatorRunning())
        return true;
    if (!m_services.dialogs.warningQuestion(question))
        return false;
    m_generatorStage->stopGeneratorOnRequest();
    return true;
}

void TFormHaupt::introTick() {
    m_introPanel->showNumbers(introNumbers(m_random));
}

void TFormHaupt::stopIntro() {
    // Once the intro picture is gone the timer has long been stopped.
    m_introTimer->stop();
}

void TFormHaupt::enterFinalStage() {
    m_generatorStage->enterFinalStage();
    showGeneratorStage();
}

void TFormHaupt::returnToFilterStage() {
    m_filterStage->lockFinalStage();
    showFilterStage();
}

void TFormHaupt::showFilterStage() {
    m_stages->setCurrentWidget(m_filterStage);
}

void TFormHaupt::showGeneratorStage() {
    m_stages->setCurrentWidget(m_generatorStage);
}

} // namespace selektor
