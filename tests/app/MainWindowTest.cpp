// The main window as a whole: start-up, the menu, the intro, the stages and the final question. The
// commands of the "System" menu around a generated or running system are tried in MainWindowSystemTest.

#include "ProgramFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace selektor;
using namespace selektor::test;

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> shell;
    TFormHaupt* window = nullptr;
    FakeServices* fakes = nullptr;
    Program* program = nullptr;

    void trigger(const char* action) { shell->trigger(action); }
    QString currentStage() { return shell->currentStage(); }
    QStringList introNumbers() {
        QStringList texts;
        for (int i = 1; i <= 6; ++i)
            texts << child<QLabel>(window, QStringLiteral("introNumber%1").arg(i))->text();
        return texts;
    }

private slots:
    void init() {
        shell = std::make_unique<ProgramFixture>();
        window = shell->window();
        fakes = &shell->fakes;
        program = shell->program.get();
    }
    void cleanup() { shell.reset(); }

    void startUpOpensTheIntroInAFixedWindow() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Selektor"));
        QCOMPARE(window->centralWidget()->size(), QSize(692, 500));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(window->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(currentStage(), QStringLiteral("introPanel"));
        QCOMPARE(fakes->sound.played, QStringList{QStringLiteral("Flute.wav")});
        QCOMPARE(QFile::decodeName(program->model().dataDirectory().c_str()), shell->directory.path());
        QVERIFY(fakes->dialogs.shown.isEmpty());
        QVERIFY(child<QTimer>(window, QStringLiteral("introTimer"))->isActive());

        QVERIFY(program->chartWindow().isHidden());
        QVERIFY(program->drawHistoryWindow().isHidden());
        QVERIFY(program->aboutBox().isHidden());
        QCOMPARE(program->chartWindow().windowTitle(), QStringLiteral("Selektor - Wykresy"));
        QCOMPARE(program->drawHistoryWindow().windowTitle(), QStringLiteral("Selektor - Losowania i statystyki"));
        QCOMPARE(program->aboutBox().windowTitle(), QStringLiteral("Selektor - info"));
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
        auto* action = child<QAction>(window, name);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), shortcut);
    }

    void introNumbersRunUntilTheFirstCommand() {
        const QStringList first = introNumbers();
        for (const QString& n : first)
            QVERIFY(n.toInt() >= 1 && n.toInt() <= 49);
        QTRY_VERIFY(introNumbers() != first);

        trigger("aboutAction");
        QVERIFY(program->aboutBox().isVisible());
        // The version of the project, under the box's texts.
        const auto* version = child<QLabel>(&program->aboutBox(), QStringLiteral("aboutVersionLabel"));
        QCOMPARE(version->text(), QStringLiteral("Wersja " SELEKTOR_VERSION));
        QVERIFY(version->isVisible());
        const QStringList frozen = introNumbers();
        QTest::qWait(450);
        QCOMPARE(introNumbers(), frozen);

        click(&program->aboutBox(), QStringLiteral("aboutOkButton"));
        QVERIFY(program->aboutBox().isHidden());
    }

    void newSystemLeadsToTheFilterStage() {
        trigger("newAction");
        QCOMPARE(currentStage(), QStringLiteral("filterStage"));
        QVERIFY(fakes->dialogs.shown.isEmpty());
        QVERIFY(!child<QTimer>(window, QStringLiteral("introTimer"))->isActive());
        QVERIFY(child(window, QStringLiteral("introPicture"))->isHidden());
    }

    void quitAnsweredYesEndsTheProgram() {
        trigger("drawHistoryAction");
        trigger("chartAction");
        QVERIFY(program->drawHistoryWindow().isVisible());
        QVERIFY(program->chartWindow().isVisible());
        QSignalSpy ended(window, &TFormHaupt::programEnded);
        shell->answer({true});
        trigger("quitAction");
        QCOMPARE(ended.count(), 1);
        QVERIFY(!window->isVisible());
        QVERIFY(program->drawHistoryWindow().isHidden());
        QVERIFY(program->chartWindow().isHidden());
        // The final question was asked once, not again by the closing of the window.
        QCOMPARE(fakes->dialogs.shown, QStringList{kQuitQuestion});
    }

    void finalStageAndBack() {
        shell->enterGeneratorStage(9);
        shell->buildGuarantee(0);
        fakes->dialogs.fileNames << shell->path(QStringLiteral("saved.txt"));
        shell->click(QStringLiteral("saveButton"));

        shell->click(QStringLiteral("backButton"));
        QCOMPARE(currentStage(), QStringLiteral("filterStage"));
        auto* finalStage = child<QPushButton>(window, QStringLiteral("finalStageButton"));
        QVERIFY(!finalStage->isEnabled());
        QCOMPARE(child<QLabel>(window, QStringLiteral("countLabel"))->text(), QString());

        // Counted and entered again, the stage starts from its empty state.
        program->model().takeCountedPool(program->model().candidatePool());
        program->session().changed();
        finalStage->click();
        QCOMPARE(currentStage(), QStringLiteral("generatorStage"));
        QVERIFY(shell->lines().isEmpty());
        QVERIFY(shell->button(QStringLiteral("guaranteeChoice0"))->isChecked());
        QVERIFY(fakes->dialogs.shown.isEmpty());
    }

    // Nothing runs past its box or wraps where it should stand on one line.
    void textsAndBoxesFitTheirPlaces() {
        const auto inside = [](const QWidget* widget, const QWidget* outer) {
            const QRect rect(widget->mapTo(outer, QPoint(0, 0)), widget->size());
            return outer->rect().contains(rect);
        };
        const auto fits = [](const QLabel* label) {
            return label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
        };
        QVERIFY(fits(child<QLabel>(window, QStringLiteral("introLine"))));

        trigger("newAction");
        auto* filterStage = child(window, QStringLiteral("filterStage"));
        for (const char* box : {"countBox", "stageBox"})
            QVERIFY2(inside(child(window, QLatin1String(box)), filterStage), box);
        QVERIFY(fits(child<QLabel>(window, QStringLiteral("stageCaption"))));
        QVERIFY(fits(child<QLabel>(window, QStringLiteral("countCaption"))));

        shell->enterGeneratorStage(9);
        auto* listGroup = child(window, QStringLiteral("generatorGroup"));
        for (const char* value : {"lineCountLabel", "selectedLineLabel", "generatorList"})
            QVERIFY2(inside(child(window, QLatin1String(value)), listGroup), value);
        auto* stage = child(window, QStringLiteral("generatorStage"));
        for (const char* group : {"guaranteeGroup", "simulationGroup", "generatorGroup", "resultGroup", "printGroup",
                                  "postProcessingGroup"})
            QVERIFY2(inside(child(window, QLatin1String(group)), stage), group);
    }

    void helpOpensTheContentsFromTheDataDirectory() {
        const QString dataDirectory = QFile::decodeName(program->model().dataDirectory().c_str());
        QTemporaryDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        trigger("helpAction");
        QCOMPARE(QDir::currentPath(), dataDirectory);
        QCOMPARE(fakes->help.opened, QStringList{QStringLiteral("TEMATY POMOCY.html")});
        QVERIFY(!child<QTimer>(window, QStringLiteral("introTimer"))->isActive());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
