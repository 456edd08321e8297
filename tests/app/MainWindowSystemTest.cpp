// The "System" menu and the closing of the main window around the real generator stage: the questions
// that protect a running simulation, the save offer before a system is discarded, opening a system file
// from any stage, and one player's way from the filters to a saved system.

#include "MainWindowFixture.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using namespace selektor;
using namespace selektor::test;

namespace {

const QString kRunning = QStringLiteral("warning: Generator jest obecnie w trakcie obliczeń ! ");
const QString kOpenFilter = QStringLiteral("Pliki textowe(*.txt)");
const QString kSaveFilter = QStringLiteral("Plik textowy(*.txt) | txt");

// The command of a test row: "new", "open", "quit" or "close" (the window's own close button).
void run(ShellFixture& f, const QString& command) {
    if (command == QLatin1String("new"))
        f.trigger("newAction");
    else if (command == QLatin1String("open"))
        f.trigger("openAction");
    else if (command == QLatin1String("quit"))
        f.trigger("quitAction");
    else
        f.window->close();
}

bool endsTheProgram(const QString& command) {
    return command == QLatin1String("quit") || command == QLatin1String("close");
}

} // namespace

class MainWindowSystemTest : public QObject {
    Q_OBJECT
private slots:
    void commandsDuringARun_data();
    void commandsDuringARun();
    void newSystemOffersToSaveOnce();
    void aSaveThatFailsStopsTheCommand_data();
    void aSaveThatFailsStopsTheCommand();
    void quittingAsksTheFinalQuestion();

    void openingOffersToSaveFirst();
    void cancelledOpenChangesNothing();
    void openingShowsTheGeneratorStageFromEveryStage_data();
    void openingShowsTheGeneratorStageFromEveryStage();
    void unreadableFileLeavesTheStageAsItWas_data();
    void unreadableFileLeavesTheStageAsItWas();

    void aSystemFromTheFiltersToASavedFile();
};

void MainWindowSystemTest::commandsDuringARun_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("stageAfterYes");
    QTest::newRow("Nowy") << "new"
                          << "Czy chcesz teraz tworzyć nowy system ?"
                          << "filterStage";
    QTest::newRow("Otwórz") << "open"
                            << "Czy chcesz teraz przeglądać systemy ?"
                            << "generatorStage";
    QTest::newRow("Zakończ") << "quit"
                             << "Czy chcesz przerwać obliczenia ?"
                             << "generatorStage";
    QTest::newRow("closing") << "close"
                             << "Czy chcesz przerwać obliczenia ?"
                             << "generatorStage";
}

void MainWindowSystemTest::commandsDuringARun() {
    QFETCH(QString, command);
    QFETCH(QString, question);
    QFETCH(QString, stageAfterYes);
    ShellFixture f;
    f.enterGeneratorStage(10);
    f.startLongRun(5);
    const QStringList partial = f.lines();
    QVERIFY(!partial.isEmpty());

    // No leaves the run going.
    f.answer({false});
    run(f, command);
    QCOMPARE(f.fakes.dialogs.shown, QStringList{kRunning + question});
    QVERIFY(f.target->generatorRunning());
    QVERIFY(f.timer(QStringLiteral("countdownTimer"))->isActive());
    QCOMPARE(f.currentStage(), QStringLiteral("generatorStage"));
    QVERIFY(f.window->isVisible());

    // Yes stops the run; the stage becomes usable again and the partial system stays in the list. "Otwórz"
    // then meets a cancelled open dialog, the end of the program a No to the final question.
    f.fakes.dialogs.shown.clear();
    f.answer({true});
    if (endsTheProgram(command))
        f.answer({false});
    if (command == QLatin1String("open"))
        f.fakes.dialogs.fileNames << QString();
    run(f, command);
    QStringList expected{kRunning + question};
    if (endsTheProgram(command))
        expected << kQuitQuestion;
    QCOMPARE(f.fakes.dialogs.shown, expected);
    QVERIFY(!f.target->generatorRunning());
    QVERIFY(!f.timer(QStringLiteral("simulationTimer"))->isActive());
    QVERIFY(!f.timer(QStringLiteral("countdownTimer"))->isActive());
    QVERIFY(!f.shown(QStringLiteral("countdownPanel")));
    QVERIFY(f.enabled(QStringLiteral("guaranteeGroup")));
    QVERIFY(f.enabled(QStringLiteral("simulationGroup")));
    QCOMPARE(f.lines(), partial);
    QCOMPARE(f.currentStage(), stageAfterYes);
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.fakes.dialogs.fileFilters, command == QLatin1String("open") ? QStringList{kOpenFilter} : QStringList{});
}

void MainWindowSystemTest::newSystemOffersToSaveOnce() {
    ShellFixture f;
    f.enterGeneratorStage(9);
    f.buildGuarantee(0);
    f.answer({true});
    f.fakes.dialogs.fileNames << QString(); // the save dialog cancelled

    f.trigger("newAction");
    QCOMPARE(f.currentStage(), QStringLiteral("filterStage"));
    f.trigger("newAction");

    QCOMPARE(f.fakes.dialogs.shown, QStringList{kSaveQuestion});
    QCOMPARE(f.fakes.dialogs.fileFilters, QStringList{kSaveFilter});
    QVERIFY(f.target->systemSaved());
}

void MainWindowSystemTest::aSaveThatFailsStopsTheCommand_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("Nowy") << "new";
    QTest::newRow("Otwórz") << "open";
    QTest::newRow("Zakończ") << "quit";
    QTest::newRow("closing") << "close";
}

void MainWindowSystemTest::aSaveThatFailsStopsTheCommand() {
    QFETCH(QString, command);
    ShellFixture f;
    f.enterGeneratorStage(9);
    f.buildGuarantee(0);
    const QStringList built = f.lines();
    f.answer({true});
    f.fakes.dialogs.fileNames << f.path(QStringLiteral("no such folder/system.txt"));

    run(f, command);

    QCOMPARE(f.fakes.dialogs.shown.size(), 2);
    QCOMPARE(f.fakes.dialogs.shown.first(), kSaveQuestion);
    QVERIFY(f.fakes.dialogs.shown.last().startsWith(QStringLiteral("error: ")));
    QCOMPARE(f.fakes.dialogs.fileFilters, QStringList{kSaveFilter}); // no open dialog
    QCOMPARE(f.currentStage(), QStringLiteral("generatorStage"));
    QVERIFY(f.window->isVisible());
    QVERIFY(!f.target->systemSaved());
    QCOMPARE(f.lines(), built);
}

void MainWindowSystemTest::quittingAsksTheFinalQuestion() {
    ShellFixture f;
    QSignalSpy ended(f.window.get(), &TFormHaupt::programEnded);
    f.answer({false});
    f.trigger("quitAction");
    QCOMPARE(f.fakes.dialogs.shown, QStringList{kQuitQuestion});
    QVERIFY(f.window->isVisible());

    f.enterGeneratorStage(9);
    f.buildGuarantee(0);
    f.fakes.dialogs.shown.clear();
    f.answer({false, true});
    QVERIFY(f.window->close());
    QCOMPARE(f.fakes.dialogs.shown, (QStringList{kSaveQuestion, kQuitQuestion}));
    QCOMPARE(ended.count(), 1);
}

void MainWindowSystemTest::openingOffersToSaveFirst() {
    ShellFixture f;
    const QString file = f.path(QStringLiteral("other.txt"));
    writeAll(file, "  1  2  3  4  5  6\r\n");
    f.enterGeneratorStage(9);
    f.buildGuarantee(0);
    f.answer({false});
    f.fakes.dialogs.fileNames << file;

    f.trigger("openAction");

    QCOMPARE(f.fakes.dialogs.shown, QStringList{kSaveQuestion});
    QCOMPARE(f.fakes.dialogs.fileFilters, QStringList{kOpenFilter});
    QCOMPARE(f.lines(), QStringList{QStringLiteral("  1  2  3  4  5  6")});
    QCOMPARE(f.currentStage(), QStringLiteral("generatorStage"));
    // The opened system counts as saved: nothing more is offered, and "Nowy" is its way out.
    f.trigger("newAction");
    QCOMPARE(f.fakes.dialogs.shown.size(), 1);
    QCOMPARE(f.currentStage(), QStringLiteral("filterStage"));
}

void MainWindowSystemTest::cancelledOpenChangesNothing() {
    ShellFixture f;
    f.enterGeneratorStage(9);
    f.buildGuarantee(1);
    const QStringList built = f.lines();
    f.answer({false});
    f.fakes.dialogs.fileNames << QString();

    f.trigger("openAction");

    QCOMPARE(f.fakes.dialogs.shown, QStringList{kSaveQuestion});
    QCOMPARE(f.lines(), built);
    QCOMPARE(f.currentStage(), QStringLiteral("generatorStage"));
    QVERIFY(f.enabled(QStringLiteral("backButton")));
    QVERIFY(f.enabled(QStringLiteral("guaranteeOkButton")));
}

void MainWindowSystemTest::openingShowsTheGeneratorStageFromEveryStage_data() {
    QTest::addColumn<QString>("from");
    QTest::newRow("intro") << "introPanel";
    QTest::newRow("filter stage") << "filterStage";
    QTest::newRow("generator stage") << "generatorStage";
}

void MainWindowSystemTest::openingShowsTheGeneratorStageFromEveryStage() {
    QFETCH(QString, from);
    ShellFixture f;
    const QString file = f.path(QStringLiteral("two.txt"));
    writeAll(file, "  1  2  3  4  5  6\r\n  7  8  9 10 11 12\r\n");
    if (from == QLatin1String("filterStage"))
        f.trigger("newAction");
    else if (from == QLatin1String("generatorStage"))
        f.enterGeneratorStage(9);
    QCOMPARE(f.currentStage(), from);
    f.fakes.dialogs.fileNames << file;

    f.trigger("openAction");

    QCOMPARE(f.currentStage(), QStringLiteral("generatorStage"));
    QCOMPARE(f.lines().size(), 2);
    QCOMPARE(f.text(QStringLiteral("lineCountLabel")), QStringLiteral("2"));
    QVERIFY(!f.enabled(QStringLiteral("backButton")));
    QVERIFY(!f.enabled(QStringLiteral("guaranteeOkButton")));
    QVERIFY(f.fakes.dialogs.shown.isEmpty());
    QVERIFY(!child<QTimer>(f.window.get(), QStringLiteral("introTimer"))->isActive());
}

void MainWindowSystemTest::unreadableFileLeavesTheStageAsItWas_data() {
    QTest::addColumn<QString>("from");
    QTest::newRow("intro") << "introPanel";
    QTest::newRow("filter stage") << "filterStage";
}

void MainWindowSystemTest::unreadableFileLeavesTheStageAsItWas() {
    QFETCH(QString, from);
    ShellFixture f;
    if (from == QLatin1String("filterStage"))
        f.trigger("newAction");
    f.fakes.dialogs.fileNames << f.path(QStringLiteral("typed name that does not exist.txt"));

    f.trigger("openAction");

    QCOMPARE(f.fakes.dialogs.shown.size(), 1);
    QVERIFY(f.fakes.dialogs.shown.first().startsWith(QStringLiteral("error: ")));
    QCOMPARE(f.currentStage(), from);
}

void MainWindowSystemTest::aSystemFromTheFiltersToASavedFile() {
    ShellFixture f;
    TFormHaupt* window = f.window.get();
    QSignalSpy ended(window, &TFormHaupt::programEnded);
    f.trigger("newAction");

    // Ten basic numbers and no other filter: the 210 combinations of 1 to 10.
    click(window, QStringLiteral("numbersMode1"));
    QTRY_VERIFY(child(window, QStringLiteral("rangeBox"))->isVisible());
    for (int n = 1; n <= 10; ++n)
        click(window, QStringLiteral("basic%1").arg(n));
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("calculateButton")), Qt::LeftButton);
    QCOMPARE(child<QLabel>(window, QStringLiteral("countLabel"))->text(), QStringLiteral("210"));
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
