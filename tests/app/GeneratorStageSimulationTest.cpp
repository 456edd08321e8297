// The random simulation as the window runs it: the start checks, ticks driven by hand, the end of a run,
// and the back button's question during a run (the main menu's questions are tried in the main window).

#include "GeneratorStageFixture.h"

#include <QSignalSpy>

using namespace selektor;
using namespace selektor::test;

namespace {

const QString kRunning = QStringLiteral("warning: Generator jest obecnie w trakcie obliczeń ! ");

} // namespace

class GeneratorStageSimulationTest : public QObject {
    Q_OBJECT
private slots:
    void startIsRefusedWithoutBothFields_data();
    void startIsRefusedWithoutBothFields();
    void runningStageLeavesOnlyTheBackButtonAndTheList();
    void countOfOneEndsAfterTheFirstAcceptance();
    void differenceOfFourKeepsLinesSharingAtMostTwo();
    void smallPoolEndsAtTheTimeLimit();
    void countdownShowsTheSecondsAndEndsOneTickAfterZero();
    void timerTicksDriveTheRun();
    void secondRunEmptiesTheListFirst();

    void backButtonDuringARun();
};

void GeneratorStageSimulationTest::startIsRefusedWithoutBothFields_data() {
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no count") << ""
                              << "10"
                              << "info: Nie ustalona liczba kombinacji w systemie !";
    QTest::newRow("no limit") << "5"
                              << ""
                              << "info: Nie ustalony limit czasu pracy generatora !";
    QTest::newRow("both missing") << ""
                                  << ""
                                  << "info: Nie ustalona liczba kombinacji w systemie !";
    QTest::newRow("count 0") << "0"
                             << "10"
                             << "";
    QTest::newRow("limit 0") << "5"
                             << "0"
                             << "";
    // Typed with the cursor moved on by one place between the digits.
    QTest::newRow("blank between digits") << "1>2"
                                          << "10"
                                          << "error: ";
}

void GeneratorStageSimulationTest::startIsRefusedWithoutBothFields() {
    QFETCH(QString, count);
    QFETCH(QString, limit);
    QFETCH(QString, shown);
    StageFixture f{combination({1, 2, 3, 4, 5, 6}), combination({1, 2, 3, 4, 5, 7})};
    f.buildGuarantee(0);
    f.type(QStringLiteral("simulationLimitEdit"), limit);
    auto* countEdit = f.find<QLineEdit>(QStringLiteral("simulationCountEdit"));
    countEdit->setFocus();
    countEdit->home(false);
    for (const QChar c : count) {
        if (c == QLatin1Char('>'))
            countEdit->cursorForward(false);
        else
            QTest::keyClick(countEdit, c.toLatin1());
    }

    f.click(QStringLiteral("simulationOkButton"));

    if (shown.isEmpty()) {
        QVERIFY(f.fakes.dialogs.shown.isEmpty());
    } else {
        QCOMPARE(f.fakes.dialogs.shown.size(), 1);
        QVERIFY2(f.fakes.dialogs.shown.first().startsWith(shown), qPrintable(f.fakes.dialogs.shown.first()));
    }
    QVERIFY(!f.stage->generatorRunning());
    QVERIFY(!f.timer(QStringLiteral("simulationTimer"))->isActive());
    QVERIFY(!f.shown(QStringLiteral("countdownPanel")));
    QCOMPARE(f.lines().size(), 2);
}

void GeneratorStageSimulationTest::runningStageLeavesOnlyTheBackButtonAndTheList() {
    StageFixture f;
    f.setLexicographicPool(10);
    f.type(QStringLiteral("simulationCountEdit"), QStringLiteral("50"));
    f.type(QStringLiteral("simulationLimitEdit"), QStringLiteral("25"));

    f.click(QStringLiteral("simulationOkButton"));

    QVERIFY(f.stage->generatorRunning());
    QVERIFY(f.timer(QStringLiteral("simulationTimer"))->isActive());
    QVERIFY(f.timer(QStringLiteral("countdownTimer"))->isActive());
    QCOMPARE(f.timer(QStringLiteral("simulationTimer"))->interval(), 10);
    QCOMPARE(f.timer(QStringLiteral("countdownTimer"))->interval(), 1000);
    QVERIFY(f.shown(QStringLiteral("countdownPanel")));
    QCOMPARE(f.text(QStringLiteral("countdownSecondsLabel")), QStringLiteral("25"));
    QCOMPARE(f.text(QStringLiteral("lineCountLabel")), QStringLiteral("0"));
    QVERIFY(f.enabled(QStringLiteral("backButton")));
    for (const char* name : {"saveButton", "printButton", "resultOkButton", "guaranteeGroup", "simulationGroup",
                             "recentDrawsAction", "lastDrawsAction"})
        QVERIFY2(!f.enabled(QLatin1String(name)), name);

    // The drawn candidate shows in the six labels, right-aligned in three places.
    f.stage->simulationTick();
    QStringList shown;
    for (int i = 1; i <= 6; ++i)
        shown << f.text(QStringLiteral("drawnNumberLabel%1").arg(i));
    QCOMPARE(f.lines().first(), shown.join(QString()));
}

void GeneratorStageSimulationTest::countOfOneEndsAfterTheFirstAcceptance() {
    StageFixture f;
    f.setLexicographicPool(10);
    f.type(QStringLiteral("simulationCountEdit"), QStringLiteral("1"));
    f.type(QStringLiteral("simulationLimitEdit"), QStringLiteral("60"));
    f.click(QStringLiteral("simulationOkButton"));

    f.stage->simulationTick();
    QCOMPARE(f.lines().size(), 1);
    QCOMPARE(f.text(QStringLiteral("lineCountLabel")), QStringLiteral("1"));
    QVERIFY(f.stage->generatorRunning());

    f.stage->simulationTick();
    QVERIFY(!f.stage->generatorRunning());
    QVERIFY(!f.timer(QStringLiteral("simulationTimer"))->isActive());
    QVERIFY(!f.timer(QStringLiteral("countdownTimer"))->isActive());
    QVERIFY(!f.shown(QStringLiteral("countdownPanel")));
    QVERIFY(!f.stage->systemSaved());
    QVERIFY(f.timer(QStringLiteral("flashTimer"))->isActive());
    for (const char* name : {"saveButton", "printButton", "resultOkButton", "guaranteeOkButton", "simulationOkButton",
                             "guaranteeGroup", "simulationGroup"})
        QVERIFY2(f.enabled(QLatin1String(name)), name);
    QVERIFY(!f.enabled(QStringLiteral("recentDrawsAction")));
    QCOMPARE(f.lines().size(), 1);
}

void GeneratorStageSimulationTest::differenceOfFourKeepsLinesSharingAtMostTwo() {
    StageFixture f;
    f.setLexicographicPool(16);
    f.type(QStringLiteral("simulationCountEdit"), QStringLiteral("40"));
    f.type(QStringLiteral("simulationLimitEdit"), QStringLiteral("60"));
    f.click(QStringLiteral("differenceChoice3"));
    f.click(QStringLiteral("simulationOkButton"));
    for (int tick = 0; tick < 3000 && f.stage->generatorRunning(); ++tick)
        f.stage->simulationTick();

    const QStringList lines = f.lines();
    QVERIFY(lines.size() > 3);
    for (int i = 0; i < lines.size(); ++i)
        for (int j = i + 1; j < lines.size(); ++j)
            QVERIFY2(sharedNumbers(lines[i], lines[j]) <= 2, qPrintable(lines[i] + QLatin1Char('|') + lines[j]));
}

void GeneratorStageSimulationTest::smallPoolEndsAtTheTimeLimit() {
    StageFixture f{combination({1, 2, 3, 4, 5, 6}), combination({7, 8, 9, 10, 11, 12}),
                   combination({13, 14, 15, 16, 17, 18})};
    f.type(QStringLiteral("simulationCountEdit"), QStringLiteral("5"));
    f.type(QStringLiteral("simulationLimitEdit"), QStringLiteral("2"));
    f.click(QStringLiteral("simulationOkButton"));
    // Two seconds of ticks, then the countdown tick that finds 0 already shown ends the run.
    for (int second = 0; second < 2; ++second) {
        for (int tick = 0; tick < 100; ++tick)
            f.stage->simulationTick();
        f.stage->countdownTick();
    }
    QCOMPARE(f.lines().size(), 3);
    QVERIFY(f.stage->generatorRunning());
    f.stage->countdownTick();
    QVERIFY(!f.stage->generatorRunning());
    QStringList lines = f.lines();
    QVERIFY(lines.size() <= 3);
    lines.removeDuplicates();
    QCOMPARE(lines.size(), f.lines().size());
}

void GeneratorStageSimulationTest::countdownShowsTheSecondsAndEndsOneTickAfterZero() {
    StageFixture f;
    f.setLexicographicPool(20);
    f.type(QStringLiteral("simulationCountEdit"), QStringLiteral("9999"));
    f.type(QStringLiteral("simulationLimitEdit"), QStringLiteral("1"));
    f.click(QStringLiteral("simulationOkButton"));
    QCOMPARE(f.text(QStringLiteral("countdownSecondsLabel")), QStringLiteral("1"));
    f.stage->countdownTick();
    QCOMPARE(f.text(QStringLiteral("countdownSecondsLabel")), QStringLiteral("0"));
    QVERIFY(f.stage->generatorRunning());
    f.stage->countdownTick();
    QVERIFY(!f.stage->generatorRunning());
    QVERIFY(!f.shown(QStringLiteral("countdownPanel")));

    // Ticks still queued when the run ended change nothing.
    const QStringList lines = f.lines();
    f.stage->simulationTick();
    f.stage->countdownTick();
    QCOMPARE(f.lines(), lines);
}

void GeneratorStageSimulationTest::timerTicksDriveTheRun() {
    StageFixture f;
    f.setLexicographicPool(10);
    f.type(QStringLiteral("simulationCountEdit"), QStringLiteral("2"));
    f.type(QStringLiteral("simulationLimitEdit"), QStringLiteral("30"));
    f.click(QStringLiteral("simulationOkButton"));
    QTRY_VERIFY_WITH_TIMEOUT(!f.stage->generatorRunning(), 20000);
    QCOMPARE(f.lines().size(), 2);
}

void GeneratorStageSimulationTest::secondRunEmptiesTheListFirst() {
    StageFixture f;
    f.setLexicographicPool(10);
    f.type(QStringLiteral("simulationCountEdit"), QStringLiteral("3"));
    f.type(QStringLiteral("simulationLimitEdit"), QStringLiteral("30"));
    f.click(QStringLiteral("simulationOkButton"));
    for (int tick = 0; tick < 50 && f.stage->generatorRunning(); ++tick)
        f.stage->simulationTick();
    QCOMPARE(f.lines().size(), 3);

    f.type(QStringLiteral("simulationCountEdit"), QStringLiteral("1"));
    f.click(QStringLiteral("simulationOkButton"));
    QVERIFY(f.lines().isEmpty());
    f.stage->simulationTick();
    QCOMPARE(f.lines().size(), 1);
}

void GeneratorStageSimulationTest::backButtonDuringARun() {
    StageFixture f;
    f.setLexicographicPool(10);
    QSignalSpy back(f.stage.get(), &GeneratorStage::backToFiltersRequested);
    f.type(QStringLiteral("simulationCountEdit"), QStringLiteral("50"));
    f.type(QStringLiteral("simulationLimitEdit"), QStringLiteral("30"));
    f.click(QStringLiteral("simulationOkButton"));
    for (int tick = 0; tick < 5; ++tick)
        f.stage->simulationTick();
    const QString question = kRunning + QStringLiteral("Czy rzeczywiście chcesz teraz edytować dane ?");

    f.fakes.dialogs.answers << false;
    f.click(QStringLiteral("backButton"));
    QCOMPARE(f.fakes.dialogs.shown, QStringList{question});
    QCOMPARE(back.count(), 0);
    QVERIFY(f.stage->generatorRunning());
    QVERIFY(f.timer(QStringLiteral("simulationTimer"))->isActive());

    f.fakes.dialogs.answers << true;
    f.click(QStringLiteral("backButton"));
    // The partial system is dropped without an offer to save it.
    QCOMPARE(f.fakes.dialogs.shown, (QStringList{question, question}));
    QCOMPARE(back.count(), 1);
    QVERIFY(!f.stage->generatorRunning());
    QVERIFY(f.stage->systemSaved());
    QVERIFY(!f.timer(QStringLiteral("simulationTimer"))->isActive());
    QVERIFY(!f.timer(QStringLiteral("countdownTimer"))->isActive());
    QVERIFY(!f.timer(QStringLiteral("flashTimer"))->isActive());
    QVERIFY(!f.shown(QStringLiteral("countdownPanel")));
}

QTEST_MAIN(GeneratorStageSimulationTest)
#include "GeneratorStageSimulationTest.moc"
