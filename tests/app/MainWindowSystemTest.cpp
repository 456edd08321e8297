// The "System" menu and the closing of the main window with the real windows around the model: the
// questions reach the player's dialogs, the window stays or ends as the answers say, and one player's way
// from the filters to a saved system. The rules behind the questions are tried on the model.

#include "ProgramFixture.h"

#include <QPushButton>
#include <QSignalSpy>

using namespace selektor;
using namespace selektor::test;

namespace {

// How many numbers two system lines have in common.
int sharedNumbers(const QString& a, const QString& b) {
    QList<int> numbers;
    for (const QString& field : a.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        numbers << field.toInt();
    int common = 0;
    for (const QString& field : b.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        common += static_cast<int>(numbers.count(field.toInt()));
    return common;
}

} // namespace

class MainWindowSystemTest : public QObject {
    Q_OBJECT
private slots:
    void closingDuringARunAsksFirst();
    void closingAsksTheFinalQuestionOnce();
    void aSystemFromTheFiltersToASavedFile();
};

void MainWindowSystemTest::closingDuringARunAsksFirst() {
    ProgramFixture f;
    f.enterGeneratorStage(10);
    f.startLongRun();
    f.generatorStage()->simulationTick();
    const QStringList partial = f.lines();
    QVERIFY(!partial.isEmpty());

    // No leaves the window open and the run going.
    f.answer({false});
    QVERIFY(!f.window()->close());
    QCOMPARE(f.fakes.dialogs.shown,
             QStringList{QStringLiteral(
                 "warning: Generator jest obecnie w trakcie obliczeń ! Czy chcesz przerwać obliczenia ?")});
    QVERIFY(f.window()->isVisible());
    QVERIFY(f.timer(QStringLiteral("countdownTimer"))->isActive());

    // Yes stops the run; No to the final question keeps the program with the partial system.
    f.answer({true, false});
    QVERIFY(!f.window()->close());
    QVERIFY(f.window()->isVisible());
    QVERIFY(!f.timer(QStringLiteral("simulationTimer"))->isActive());
    QVERIFY(!f.shown(QStringLiteral("countdownPanel")));
    QVERIFY(f.enabled(QStringLiteral("guaranteeGroup")));
    QCOMPARE(f.lines(), partial);
    QCOMPARE(f.fakes.dialogs.shown.last(), kQuitQuestion);
}

void MainWindowSystemTest::closingAsksTheFinalQuestionOnce() {
    ProgramFixture f;
    QSignalSpy ended(f.window(), &TFormHaupt::programEnded);
    f.trigger("drawHistoryAction");
    QVERIFY(f.program->drawHistoryWindow().isVisible());
    f.enterGeneratorStage(9);
    f.buildGuarantee(0);
    f.answer({false, true});

    QVERIFY(f.window()->close());

    QCOMPARE(f.fakes.dialogs.shown, (QStringList{kSaveQuestion, kQuitQuestion}));
    QCOMPARE(ended.count(), 1);
    QVERIFY(f.program->drawHistoryWindow().isHidden());
}

void MainWindowSystemTest::aSystemFromTheFiltersToASavedFile() {
    ProgramFixture f;
    TFormHaupt* window = f.window();
    QSignalSpy ended(window, &TFormHaupt::programEnded);
    f.trigger("newAction");

    // Ten basic numbers and no other filter: the 210 combinations of 1 to 10.
    selektor::test::click(window, QStringLiteral("numbersMode1"));
    QTRY_VERIFY(child(window, QStringLiteral("rangeBox"))->isVisible());
    for (int n = 1; n <= 10; ++n)
        selektor::test::click(window, QStringLiteral("basic%1").arg(n));
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("calculateButton")), Qt::LeftButton);
    QCOMPARE(f.text(QStringLiteral("countLabel")), QStringLiteral("210"));
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("finalStageButton")), Qt::LeftButton);
    QCOMPARE(f.currentStage(), QStringLiteral("generatorStage"));
    QVERIFY(f.lines().isEmpty());

    f.buildGuarantee(2); // "system skrócony - gw 4"
    const QStringList system = f.lines();
    QVERIFY(system.size() > 1);
    QCOMPARE(system.first(), QStringLiteral("  1  2  3  4  5  6"));
    for (int i = 0; i < system.size(); ++i)
        for (int j = i + 1; j < system.size(); ++j)
            QVERIFY2(sharedNumbers(system[i], system[j]) <= 3, qPrintable(system[i] + QLatin1Char('|') + system[j]));
    QCOMPARE(f.text(QStringLiteral("lineCountLabel")), QString::number(system.size()));

    const QString file = f.path(QStringLiteral("gw4.txt"));
    f.answer({true, true});
    f.fakes.dialogs.fileNames << file;
    f.trigger("quitAction");

    QCOMPARE(f.fakes.dialogs.shown, (QStringList{kSaveQuestion, kQuitQuestion}));
    QCOMPARE(readAll(file), (system.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
    QCOMPARE(ended.count(), 1);
    QVERIFY(!window->isVisible());
}

QTEST_MAIN(MainWindowSystemTest)
#include "MainWindowSystemTest.moc"
