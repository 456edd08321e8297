// "Selektor - Optymalizacja" as the player uses it: opened from the "System" menu and from the
// generator stage, a short search run to its end with the proof and "Użyj" putting the result on the
// generator's list, a mistake said in a message box, and closing the window stopping a search. The
// search itself and the proof are tried in the optimizer's and the model's own tests.

#include "ProgramFixture.h"

#include <QChartView>
#include <QLineSeries>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

using namespace selektor;
using namespace selektor::test;

class OptimizationWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> shell;
    OptimizationWindow* window = nullptr;

    template <typename T = QWidget> T* find(const QString& name) const { return child<T>(window, name); }
    QString label(const char* name) const { return find<QLabel>(QLatin1String(name))->text(); }
    bool enabled(const char* name) const { return find(QLatin1String(name))->isEnabled(); }
    void press(const char* name) const { find<QAbstractButton>(QLatin1String(name))->click(); }
    void type(const char* name, const QString& text) const { find<QLineEdit>(QLatin1String(name))->setText(text); }

    void open() {
        shell->trigger("optimizationAction");
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    // A search that ends the same way on any machine, quickly.
    void askShortSearch(int guarantee) {
        find<QSpinBox>(QStringLiteral("guaranteeBox"))->setValue(guarantee);
        type("seedEdit", QStringLiteral("7"));
        type("stepLimitEdit", QStringLiteral("20000"));
    }
    void waitForTheEnd() {
        QTRY_VERIFY_WITH_TIMEOUT(!shell->model().optimization().running(), 60000);
        window->pollSearch();
    }

private slots:
    void init() {
        shell = std::make_unique<ProgramFixture>();
        window = &shell->program->optimizationWindow();
    }
    void cleanup() { shell.reset(); }

    void theSystemMenuAndTheGeneratorStageOpenIt() {
        const auto* optimize = child<QAction>(shell->window(), QStringLiteral("optimizationAction"));
        const auto* openFile = child<QAction>(shell->window(), QStringLiteral("openAction"));
        QCOMPARE(optimize->text(), QStringLiteral("Optymalizacja systemu"));
        QCOMPARE(optimize->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
        const auto* system = qobject_cast<QMenu*>(openFile->associatedObjects().value(0));
        QVERIFY(system);
        QCOMPARE(system->title(), QStringLiteral("System"));
        QCOMPARE(system->actions().indexOf(optimize), system->actions().indexOf(openFile) + 1);
        // No other command answers Ctrl+T.
        for (const QAction* action : shell->window()->findChildren<QAction*>())
            if (action != optimize)
                QVERIFY(action->shortcut() != optimize->shortcut());

        QVERIFY(window->isHidden());
        open();
        QCOMPARE(window->windowTitle(), QStringLiteral("Selektor - Optymalizacja"));
        QCOMPARE(label("poolLabel"),
                 QStringLiteral("Nie ma czego pokrywać - naciśnij \"Oblicz\" albo zbuduj lub otwórz system !"));
        QCOMPARE(find<QLabel>(QStringLiteral("oddsMessage"))->text(),
                 QStringLiteral("System jest pusty - zbuduj albo otwórz system, zanim go sprawdzisz !"));
        QVERIFY(!enabled("useButton") && !enabled("stopButton"));
        window->close();

        shell->enterGeneratorStage(8);
        shell->click(QStringLiteral("optimizationButton"));
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(label("poolLabel"), QStringLiteral("Pula do pokrycia: kombinacje ostatniego \"Oblicz\" (28)."));
    }

    void aShortSearchIsProvedAndUsedAsTheCurrentSystem() {
        shell->enterGeneratorStage(12); // 924 sixes: two tickets give three hits on each
        open();
        askShortSearch(3);
        press("startButton");
        QVERIFY(shell->fakes.dialogs.shown.isEmpty());
        QVERIFY(!enabled("startButton") || !shell->model().optimization().running());
        waitForTheEnd();

        QCOMPARE(label("proofLabel"),
                 QStringLiteral("Gwarancja sprawdzona: 924 z 924 kombinacji puli ma co najmniej 3 trafienia"));
        QVERIFY(label("resultLabel").startsWith(QStringLiteral("Wynik: 2 zakłady (ziarno 7, kroki: ")));
        QCOMPARE(label("bestLabel"), QStringLiteral("Najmniej zakładów dotąd: <b>2</b>"));
        QCOMPARE(find<QProgressBar>(QStringLiteral("progressBar"))->value(), 1000);
        QVERIFY(!find<QChartView>(QStringLiteral("bestChart"))->chart()->series().isEmpty());
        const auto* series =
            qobject_cast<QLineSeries*>(find<QChartView>(QStringLiteral("bestChart"))->chart()->series()[0]);
        QVERIFY(series && series->count() > 0 && series->at(series->count() - 1).y() == 2);
        QVERIFY(enabled("startButton") && !enabled("stopButton"));

        QVERIFY(enabled("useButton"));
        press("useButton");
        QCOMPARE(shell->lines().size(), 2);
        QCOMPARE(shell->text(QStringLiteral("lineCountLabel")).trimmed(), QStringLiteral("2"));
        QVERIFY(shell->timer(QStringLiteral("flashTimer"))->isActive());
        QVERIFY(shell->fakes.dialogs.shown.isEmpty());

        // The odds panel follows the new system: inside the pool every draw wins.
        QTRY_VERIFY(find<QLabel>(QStringLiteral("oddsSummary"))->text().startsWith(QStringLiteral("System: 2 linii")));
        const auto* odds = find<QTableWidget>(QStringLiteral("oddsTable"));
        QCOMPARE(odds->item(5, 5)->text(), QStringLiteral("100,00 %"));
        QCOMPARE(odds->item(4, 4)->text(), QStringLiteral("0"));

        // "Analiza" shows the same odds on a page of its own.
        shell->trigger("analysisAction");
        auto& analysis = shell->program->analysisWindow();
        auto* pages = child<QTabWidget>(&analysis, QStringLiteral("analysisPages"));
        QCOMPARE(pages->tabText(3), QStringLiteral("Szanse systemu"));
        pages->setCurrentIndex(3);
        QCOMPARE(child<QTableWidget>(&analysis, QStringLiteral("oddsTable"))->item(0, 1)->text(), QStringLiteral("2"));
    }

    void aMistakeIsSaidAndNothingStarts() {
        shell->enterGeneratorStage(8);
        open();
        find<QRadioButton>(QStringLiteral("bestCoverageGoal"))->click();
        QVERIFY(enabled("ticketCountEdit"));
        type("ticketCountEdit", QStringLiteral("dziesięć"));
        press("startButton");
        QCOMPARE(shell->fakes.dialogs.shown,
                 QStringList{QStringLiteral("info: Wpisz liczbę zakładów jako liczbę całkowitą większą od zera !")});
        QVERIFY(!shell->model().optimization().run());
        QVERIFY(enabled("startButton") && !enabled("useButton"));
    }

    void closingTheWindowStopsTheSearchAndKeepsItsBest() {
        shell->enterGeneratorStage(15); // 5005 sixes
        open();
        find<QSpinBox>(QStringLiteral("guaranteeBox"))->setValue(4);
        find<QSpinBox>(QStringLiteral("timeLimitBox"))->setValue(600);
        press("startButton");
        QVERIFY(shell->model().optimization().running());
        QVERIFY(enabled("stopButton") && !enabled("startButton") && !enabled("guaranteeBox"));
        window->close();
        QVERIFY(!enabled("stopButton"));
        QTRY_VERIFY_WITH_TIMEOUT(!shell->model().optimization().running(), 60000);

        open();
        QVERIFY(label("proofLabel").startsWith(QStringLiteral("Gwarancja sprawdzona: 5005 z 5005 ")));
        QVERIFY(enabled("useButton"));
        // A new count of the pool: the result belongs to the old one and is no longer offered.
        shell->trigger("newAction");
        shell->model().takeCountedPool(shell->model().candidatePool());
        shell->program->session().changed();
        QVERIFY(!enabled("useButton"));
        QVERIFY(label("noteLabel").startsWith(QStringLiteral("Pula do pokrycia zmieniła się")));
    }
};

QTEST_MAIN(OptimizationWindowTest)
#include "OptimizationWindowTest.moc"
