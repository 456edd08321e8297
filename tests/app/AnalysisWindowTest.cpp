// "Selektor - Analiza" as the player uses it: opened from the menu, its three pages showing exactly the
// model's figures (or the sentence that says why there are none), following the settings, the system
// and the history while it is open, and saving a table through the save dialog. The figures themselves
// are tried in the analysis library's own tests.

#include "ProgramFixture.h"
#include "analysis/AnalysisTexts.h"
#include "history/DrawEntry.h"
#include "history/DrawHistory.h"

#include <QMenu>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

using namespace selektor;
using namespace selektor::test;

namespace {

QString fromModel(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

class AnalysisWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> shell;
    AnalysisWindow* window = nullptr;

    template <typename T = QWidget> T* find(const QString& name) const { return child<T>(window, name); }
    QString label(const char* name) const { return find<QLabel>(QLatin1String(name))->text(); }
    bool shown(const char* name) const { return find(QLatin1String(name))->isVisible(); }
    QTableWidget* table(const char* name) const { return find<QTableWidget>(QLatin1String(name)); }
    QString cell(const char* name, int row, int column) const {
        const QTableWidgetItem* item = table(name)->item(row, column);
        return item ? item->text() : QString();
    }
    void showPage(int page) const { find<QTabWidget>(QStringLiteral("analysisPages"))->setCurrentIndex(page); }
    bool refreshed() const { return !find<QTimer>(QStringLiteral("analysisRefreshTimer"))->isActive(); }

    void open() {
        shell->trigger("analysisAction");
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    // The draws stored as the draw history window stores them, and read in again by the model.
    void storeDraws(std::initializer_list<Combination> draws) {
        DrawHistoryStore store(QFile::encodeName(shell->directory.path()).toStdString());
        store.load();
        for (const Combination& numbers : draws) {
            NumberBoxes boxes{};
            for (Number n : numbers)
                boxes[n - 1] = 1;
            const DrawEntry entry = enterDraw(store.history().lines, "18.05.2002", boxes);
            store.appendDraw(entry.line, entry.record);
        }
        shell->program->session().run(
            [this] { return shell->model().loadHistory(shell->program->session().questions()); });
    }

private slots:
    void init() {
        shell = std::make_unique<ProgramFixture>();
        window = &shell->program->analysisWindow();
    }
    void cleanup() { shell.reset(); }

    void theMenuOpensItAfterTheCharts() {
        const auto* analysis = child<QAction>(shell->window(), QStringLiteral("analysisAction"));
        const auto* charts = child<QAction>(shell->window(), QStringLiteral("chartAction"));
        QCOMPARE(analysis->text(), QStringLiteral("Analiza"));
        QCOMPARE(analysis->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
        const auto* statistics = qobject_cast<QMenu*>(charts->associatedObjects().value(0));
        QVERIFY(statistics);
        QCOMPARE(statistics->title(), QStringLiteral("Statystyka"));
        const QList<QAction*> items = statistics->actions();
        QCOMPARE(items.indexOf(analysis), items.indexOf(charts) + 1);

        QVERIFY(window->isHidden());
        open();
        QCOMPARE(window->windowTitle(), QStringLiteral("Selektor - Analiza"));
        const auto* pages = find<QTabWidget>(QStringLiteral("analysisPages"));
        QCOMPARE(pages->tabText(0), QStringLiteral("Filtry a historia"));
        QCOMPARE(pages->tabText(1), QStringLiteral("System a historia"));
        QCOMPARE(pages->tabText(2), QStringLiteral("Pokrycie systemu"));
        // "Zakończ" ends the program with every window.
        shell->answer({true});
        shell->trigger("quitAction");
        QVERIFY(window->isHidden());
    }

    void withoutDrawsOrSystemEachPageSaysWhy() {
        open();
        // The funnel needs no draws: every tab free leaves all combinations.
        QCOMPARE(label("filtersMessage"), fromModel(kEmptyHistoryMessage));
        QVERIFY(shown("filtersMessage") && shown("filtersTable"));
        QCOMPARE(cell("filtersTable", kPanelCount, 4), QStringLiteral("13 983 816"));
        QCOMPARE(cell("filtersTable", kPanelCount, 2), QString());
        QVERIFY(!shown("rejectedTable"));
        QVERIFY(!find(QStringLiteral("rejectedCsvButton"))->isEnabled());

        showPage(1);
        QCOMPARE(label("systemMessage"), fromModel(kEmptySystemMessage));
        QVERIFY(!shown("hitsTable") && !shown("hitsChart"));
        showPage(2);
        QCOMPARE(label("coverageMessage"), fromModel(kEmptySystemMessage));
        QVERIFY(!shown("holesTable"));

        // Nothing to save: the sentence again, and no save dialog.
        click(window, QStringLiteral("coverageCsvButton"));
        QCOMPARE(shell->fakes.dialogs.shown, QStringList{QStringLiteral("info: ") + fromModel(kEmptySystemMessage)});
    }

    void theSystemIsShownOnTheDrawsAndOverItsPool() {
        storeDraws({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 10, 11, 12}, {2, 3, 4, 5, 20, 30}});
        shell->enterGeneratorStage(8); // the 28 sixes of 1 to 8
        shell->buildGuarantee(2);      // gw 4
        const SystemHistoryCheck check = shell->model().systemOnHistory();
        const SystemCoverage coverage = shell->model().systemCoverage();
        QVERIFY(!check.refusal && !coverage.refusal);
        open();

        showPage(1);
        QCOMPARE(label("systemSummary"), QStringLiteral("System: %1 linii, sprawdzony na 3 losowaniach z historii.")
                                             .arg(shell->model().system().size()));
        for (int hits = 6, row = 0; hits >= 3; --hits, ++row) {
            QCOMPARE(cell("hitsTable", row, 1), QString::number(check.byHits[hits].drawsWithLine));
            QCOMPARE(cell("hitsTable", row, 3), QString::number(check.byHits[hits].lines));
        }
        QCOMPARE(table("bestDrawsTable")->rowCount(), static_cast<int>(check.bestDraws.size()));
        QCOMPARE(cell("bestDrawsTable", 0, 0), QString::number(check.draws[check.bestDraws[0]].drawNumber));
        QCOMPARE(cell("bestDrawsTable", 0, 2), QStringLiteral(" 1  2  3  4  5  6"));

        showPage(2);
        QCOMPARE(label("guaranteeSentence"), fromModel(guaranteeSentence(coverage.guaranteedHits)));
        QVERIFY(coverage.guaranteedHits >= 4);
        QCOMPARE(cell("coverageTable", 2, 2), QStringLiteral("100,00 %")); // at least 4 hits
        QCOMPARE(cell("coverageTable", 2, 1), QStringLiteral("28"));

        const QString file = shell->path(QStringLiteral("pokrycie.csv"));
        shell->fakes.dialogs.fileNames.enqueue(file);
        click(window, QStringLiteral("coverageCsvButton"));
        const QList<QByteArray> rows = readAll(file).split('\n');
        QCOMPARE(rows.size(), 1 + 28 + 1); // the header, a row per pool six, nothing after the last CR LF
        QCOMPARE(rows[0], QByteArray("Nr w puli,Liczba 1,Liczba 2,Liczba 3,Liczba 4,Liczba 5,Liczba 6,"
                                     "Najwięcej trafień\r"));
    }

    void theFiguresFollowTheModelWhileTheWindowIsOpen() {
        open();
        QVERIFY(shown("filtersMessage"));
        storeDraws({{1, 2, 3, 4, 5, 6}, {2, 4, 6, 8, 10, 12}, {1, 3, 5, 7, 9, 11}});
        QTRY_VERIFY(refreshed());
        QVERIFY(!shown("filtersMessage"));
        QCOMPARE(cell("filtersTable", kPanelCount, 2), QStringLiteral("3"));

        // Three even numbers only: the oldest draw passes, the other two are thrown out by " P - N  ".
        shell->model().chooseMode(Panel::EvenOdd, 1);
        shell->model().toggleTemplate(Panel::EvenOdd, 3);
        shell->program->session().changed();
        QTRY_VERIFY(refreshed());
        QCOMPARE(cell("filtersTable", 1, 0), QStringLiteral("P - N"));
        QCOMPARE(cell("filtersTable", 1, 1), QStringLiteral("wybrane układy"));
        QCOMPARE(cell("filtersTable", 1, 2), QStringLiteral("1"));
        QCOMPARE(cell("filtersTable", 1, 3), QStringLiteral("33,33 %"));
        QCOMPARE(table("rejectedTable")->rowCount(), 2);
        QCOMPARE(cell("rejectedTable", 0, 0), QStringLiteral("1003"));
        QCOMPARE(cell("rejectedTable", 0, 3), QStringLiteral("P - N"));

        // The newest two draws only.
        find<QSpinBox>(QStringLiteral("newestDrawsBox"))->setValue(2);
        QVERIFY(label("filtersSummary").startsWith(QStringLiteral("Wszystkie zakładki razem przepuściłyby 0 z 2 ")));

        // The table saved as the page shows it.
        const QString file = shell->path(QStringLiteral("filtry.csv"));
        shell->fakes.dialogs.fileNames.enqueue(file);
        click(window, QStringLiteral("filtersCsvButton"));
        QVERIFY(readAll(file).contains("\r\nP - N,wybrane układy,0,\"0,00\","));
    }
};

QTEST_MAIN(AnalysisWindowTest)
#include "AnalysisWindowTest.moc"
