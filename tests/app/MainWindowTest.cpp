// The main window as a whole: start-up, the menu, the intro, the stages and the questions that guard
// the end of the program. A running generator and an unsaved system are simulated through the window's
// generator-stage hooks.

#include "WindowLookup.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/UnitHaupt.h"
#include "app/Unitlos.h"
#include "support/FakeServices.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace selektor;
using namespace selektor::test;

namespace {

const QString kQuit = QStringLiteral("question: Czy chcesz zakończyć prace z programem Selektor ?");
const QString kInterrupt =
    QStringLiteral("warning: Generator jest obecnie w trakcie obliczeń ! Czy chcesz przerwać obliczenia ?");

// Writes what the hooks are asked into the dialog log, so the order of questions and hooks shows.
class HookedWindow : public TFormHaupt {
public:
    HookedWindow(FakeServices& fakes) : TFormHaupt(fakes.services), m_log(fakes.dialogs.shown) {}
    bool running = false;
    bool saveSucceeds = true;

protected:
    bool generatorRunning() const override { return running; }
    void stopGeneratorOnRequest() override {
        running = false;
        m_log << QStringLiteral("hook: stop");
    }
    bool offerSave() override {
        m_log << QStringLiteral("hook: offerSave");
        return saveSucceeds;
    }
    void prepareGeneratorStage() override { m_log << QStringLiteral("hook: prepare"); }

private:
    QStringList& m_log;
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    FakeServices fakes;
    std::unique_ptr<HookedWindow> window;

    void trigger(const char* action) { child<QAction>(window.get(), QString::fromLatin1(action))->trigger(); }
    QString currentStage() {
        return child<QStackedWidget>(window.get(), QStringLiteral("stages"))->currentWidget()->objectName();
    }
    QStringList introNumbers() {
        QStringList texts;
        for (int i = 1; i <= 6; ++i)
            texts << child<QLabel>(window.get(), QStringLiteral("introNumber%1").arg(i))->text();
        return texts;
    }
    void answer(std::initializer_list<bool> answers) {
        for (bool a : answers)
            fakes.dialogs.answers.enqueue(a);
    }

private slots:
    void init() {
        fakes.dialogs.shown.clear();
        fakes.dialogs.answers.clear();
        fakes.sound.played.clear();
        window = std::make_unique<HookedWindow>(fakes);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        // Let the window go without its closing questions.
        window->running = false;
        answer({true});
        window->close();
        window.reset();
    }

    void startUpOpensTheIntroInAFixedWindow() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Selektor"));
        QCOMPARE(window->centralWidget()->size(), QSize(692, 500));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(window->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(currentStage(), QStringLiteral("introPanel"));
        QCOMPARE(fakes.sound.played, QStringList{QStringLiteral("Flute.wav")});
        QCOMPARE(window->dataDirectory(), QDir::currentPath());
        QVERIFY(fakes.dialogs.shown.isEmpty());
        QVERIFY(child<QTimer>(window.get(), QStringLiteral("introTimer"))->isActive());

        QVERIFY(window->chartWindow().isHidden());
        QVERIFY(window->drawHistoryWindow().isHidden());
        QVERIFY(window->aboutBox().isHidden());
        QCOMPARE(window->chartWindow().windowTitle(), QStringLiteral("Selektor - Wykresy"));
        QCOMPARE(window->drawHistoryWindow().windowTitle(), QStringLiteral("Selektor - Losowania i statystyki"));
        QCOMPARE(window->aboutBox().windowTitle(), QStringLiteral("Selektor - info"));
    }

    void menuHoldsEveryCommandWithItsShortCut_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::newRow("Nowy") << "newAction"
                              << "Nowy" << QKeySequence(QStringLiteral("Ctrl+N"));
        QTest::newRow("Otwórz") << "openAction"
                                << "Otwórz" << QKeySequence(QStringLiteral("Ctrl+O"));
        QTest::newRow("Zakończ") << "quitAction"
                                 << "Zakończ" << QKeySequence(QStringLiteral("Ctrl+Z"));
        QTest::newRow("Losowania") << "drawHistoryAction"
                                   << "Losowania" << QKeySequence(QStringLiteral("Ctrl+L"));
        QTest::newRow("Wykresy") << "chartAction"
                                 << "Wykresy" << QKeySequence(QStringLiteral("Ctrl+W"));
        QTest::newRow("Tematy pomocy") << "helpAction"
                                       << "Tematy pomocy" << QKeySequence(QStringLiteral("Ctrl+P"));
        QTest::newRow("Program - info") << "aboutAction"
                                        << "Program - info" << QKeySequence(QStringLiteral("Ctrl+I"));
    }
    void menuHoldsEveryCommandWithItsShortCut() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        auto* action = child<QAction>(window.get(), name);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), shortcut);
    }

    void introNumbersRunUntilTheFirstCommand() {
        const QStringList first = introNumbers();
        for (const QString& n : first)
            QVERIFY(n.toInt() >= 1 && n.toInt() <= 49);
        QTRY_VERIFY(introNumbers() != first);

        trigger("aboutAction");
        QVERIFY(window->aboutBox().isVisible());
        const QStringList frozen = introNumbers();
        QTest::qWait(450);
        QCOMPARE(introNumbers(), frozen);

        click(&window->aboutBox(), QStringLiteral("aboutOkButton"));
        QVERIFY(window->aboutBox().isHidden());
    }

    void newSystemLeadsToTheFilterStage() {
        trigger("newAction");
        QCOMPARE(currentStage(), QStringLiteral("filterStage"));
        QCOMPARE(fakes.dialogs.shown, QStringList{QStringLiteral("hook: offerSave")});
        QVERIFY(!child<QTimer>(window.get(), QStringLiteral("introTimer"))->isActive());
        QVERIFY(child(window.get(), QStringLiteral("introPicture"))->isHidden());
    }

    void commandsAskBeforeDisturbingARunningGenerator() {
        window->running = true;
        answer({false});
        trigger("newAction");
        QCOMPARE(fakes.dialogs.shown,
                 QStringList{QStringLiteral("warning: Generator jest obecnie w trakcie obliczeń ! Czy chcesz teraz "
                                            "tworzyć nowy system ?")});
        QCOMPARE(currentStage(), QStringLiteral("introPanel"));
        QVERIFY(window->running);
        QVERIFY(child<QTimer>(window.get(), QStringLiteral("introTimer"))->isActive());

        fakes.dialogs.shown.clear();
        answer({true});
        fakes.dialogs.fileNames.enqueue(QString()); // the open dialog is cancelled
        trigger("openAction");
        QCOMPARE(fakes.dialogs.shown,
                 (QStringList{QStringLiteral("warning: Generator jest obecnie w trakcie obliczeń ! Czy chcesz teraz "
                                             "przeglądać systemy ?"),
                              QStringLiteral("hook: stop"), QStringLiteral("hook: offerSave")}));
        QCOMPARE(fakes.dialogs.fileFilters, QStringList{QStringLiteral("Pliki textowe(*.txt)")});
        QCOMPARE(currentStage(), QStringLiteral("introPanel"));
        QVERIFY(!window->running);
    }

    void openingAFileShowsTheGeneratorStage() {
        fakes.dialogs.fileNames.enqueue(QStringLiteral("system.txt"));
        trigger("openAction");
        QCOMPARE(currentStage(), QStringLiteral("generatorStage"));
    }

    void quitAskedAndAnsweredNo() {
        answer({false});
        trigger("quitAction");
        QCOMPARE(fakes.dialogs.shown, (QStringList{QStringLiteral("hook: offerSave"), kQuit}));
        QVERIFY(window->isVisible());
    }

    void quitAnsweredYesEndsTheProgram() {
        trigger("drawHistoryAction");
        trigger("chartAction");
        QVERIFY(window->drawHistoryWindow().isVisible());
        QVERIFY(window->chartWindow().isVisible());
        QSignalSpy ended(window.get(), &TFormHaupt::programEnded);
        answer({true});
        trigger("quitAction");
        QCOMPARE(ended.count(), 1);
        QVERIFY(!window->isVisible());
        QVERIFY(window->drawHistoryWindow().isHidden());
        QVERIFY(window->chartWindow().isHidden());
        // The final question was asked once, not again by the closing of the window.
        QCOMPARE(fakes.dialogs.shown, (QStringList{QStringLiteral("hook: offerSave"), kQuit}));
    }

    void quitDuringARun() {
        window->running = true;
        answer({false});
        trigger("quitAction");
        QCOMPARE(fakes.dialogs.shown, QStringList{kInterrupt});
        QVERIFY(window->running);

        // Yes to the interruption, No to the end: the run is stopped and the program goes on.
        fakes.dialogs.shown.clear();
        answer({true, false});
        trigger("quitAction");
        QCOMPARE(fakes.dialogs.shown,
                 (QStringList{kInterrupt, QStringLiteral("hook: stop"), QStringLiteral("hook: offerSave"), kQuit}));
        QVERIFY(!window->running);
        QVERIFY(window->isVisible());
    }

    void aSaveThatFailsStopsTheQuit() {
        window->saveSucceeds = false;
        trigger("quitAction");
        QCOMPARE(fakes.dialogs.shown, QStringList{QStringLiteral("hook: offerSave")});
        QVERIFY(window->isVisible());
        window->saveSucceeds = true;
    }

    void closingTheWindowAsksTheSameQuestions() {
        QSignalSpy ended(window.get(), &TFormHaupt::programEnded);
        window->running = true;
        answer({false});
        QVERIFY(!window->close());
        QCOMPARE(fakes.dialogs.shown, QStringList{kInterrupt});
        QVERIFY(window->running);

        fakes.dialogs.shown.clear();
        answer({true, false});
        QVERIFY(!window->close());
        QCOMPARE(fakes.dialogs.shown.last(), kQuit);
        QCOMPARE(ended.count(), 0);

        answer({true});
        QVERIFY(window->close());
        QCOMPARE(ended.count(), 1);
    }

    void finalStageAndBack() {
        trigger("newAction");
        auto* finalStage = child<QPushButton>(window.get(), QStringLiteral("finalStageButton"));
        finalStage->setEnabled(true); // as after a count of 1 to 30000
        click(finalStage);
        QCOMPARE(currentStage(), QStringLiteral("generatorStage"));
        QCOMPARE(fakes.dialogs.shown.last(), QStringLiteral("hook: prepare"));

        window->returnToFilterStage();
        QCOMPARE(currentStage(), QStringLiteral("filterStage"));
        QVERIFY(!finalStage->isEnabled());
        QCOMPARE(child<QLabel>(window.get(), QStringLiteral("countLabel"))->text(), QString());
    }

    void helpOpensTheContentsFromTheDataDirectory() {
        const QString dataDirectory = window->dataDirectory();
        QTemporaryDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        trigger("helpAction");
        QCOMPARE(QDir::currentPath(), dataDirectory);
        QCOMPARE(fakes.help.opened, QStringList{QStringLiteral("TEMATY POMOCY.HLP")});
        QVERIFY(!child<QTimer>(window.get(), QStringLiteral("introTimer"))->isActive());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
