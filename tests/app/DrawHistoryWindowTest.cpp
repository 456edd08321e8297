// The draw history window as the player uses it: a draw entered date first and stored as the engine
// stores it, the deletion of the line the player chose, the statistics of known histories, and files
// that are broken or fail on the way. What the store and the statistics compute is tried in their own
// tests; here the window must show it and lead from panel to panel.

#include "ProgramFixture.h"
#include "app/ModelText.h"
#include "app/TrendCell.h"
#include "history/DrawHistory.h"

#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QImage>
#include <QListWidget>
#include <QTableView>
#include <filesystem>
#include <initializer_list>
#include <vector>

using namespace selektor;
using namespace selektor::test;

namespace {

const QString kFirstLine = QStringLiteral("1001  18.05.2002   3 12 25 31 40 49   24  63  20  2  411");
const QString kAddQuestion =
    QStringLiteral("question: Czy na pewno dnia 18.05.2002 wylosowano liczby 3, 12, 25, 31, 40, 49 ?");
const QString kDeleteQuestion = QStringLiteral("question: Czy na pewno wybrane losowanie ma  zostać skasowane ?");
const char* const kHistoryFiles[] = {"Losowania.txt", "Losowanie.dat", "Stat.dat"};

const Combination kThreeEven = {1, 2, 3, 4, 5, 6};
const Combination kNoEven = {1, 3, 5, 7, 9, 11};
const Combination kFourEven = {2, 4, 6, 8, 9, 11};

// Draws stored one after another by the engine, as the window would store them, a week apart.
void storeDraws(DrawHistoryStore& store, const std::vector<Combination>& draws, QDate date = QDate(2020, 1, 4)) {
    for (const Combination& numbers : draws) {
        NumberBoxes boxes{};
        for (Number n : numbers)
            boxes[n - 1] = 1;
        const DrawEntry entry =
            enterDraw(store.history().lines, polishShortDate(date.year(), date.month(), date.day()), boxes);
        if (!entry.refusal.empty())
            qFatal("The engine refused a draw: %s", entry.refusal.c_str());
        store.appendDraw(entry.line, entry.record);
        date = date.addDays(7);
    }
}

// Whether a trend cell shows a green upward glyph in each of its three places, from its pixels.
std::array<bool, 3> greenPlaces(TrendCell* cell) {
    const QImage image = cell->grab().toImage();
    const int top = (image.height() - (2 * TrendCell::kPlaceDistance + TrendCell::kGlyphHeight)) / 2;
    std::array<bool, 3> green{};
    for (int place = 0; place < 3; ++place)
        for (int y = top + place * TrendCell::kPlaceDistance; y < top + place * TrendCell::kPlaceDistance + 7; ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                green[place] = green[place] || (c.green() > 90 && c.red() < 60 && c.blue() < 60);
            }
    return green;
}

} // namespace

class DrawHistoryWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> shell;
    TFormlos* window = nullptr;

    template <typename T = QWidget> T* find(const QString& name) const { return child<T>(window, name); }
    void press(const QString& name) const { find<QAbstractButton>(name)->click(); }
    QString text(const QString& name) const { return find<QLabel>(name)->text(); }
    bool shown(const QString& name) const { return !find(name)->isHidden(); }
    QStringList& said() const { return shell->fakes.dialogs.shown; }
    QListWidget* list() const { return find<QListWidget>(QStringLiteral("drawList")); }
    QStringList lines() const {
        QStringList texts;
        for (int row = 0; row < list()->count(); ++row)
            texts << list()->item(row)->text();
        return texts;
    }
    bool buttonsEnabled() const {
        const bool add = find(QStringLiteral("addDrawButton"))->isEnabled();
        if (find(QStringLiteral("deleteDrawButton"))->isEnabled() != add ||
            find(QStringLiteral("statisticsButton"))->isEnabled() != add)
            qFatal("The three buttons disagree");
        return add;
    }
    // A slide runs on a 1 ms timer; the player sees the panel come to rest.
    bool slidesDone() const { return !find<QTimer>(QStringLiteral("slideTimer"))->isActive(); }
    void chooseDay(const QDate& day) const { emit find<QCalendarWidget>(QStringLiteral("drawCalendar"))->clicked(day); }
    void tick(std::initializer_list<int> numbers, bool ticked = true) const {
        for (int n : numbers)
            find<QCheckBox>(QStringLiteral("numberBox%1").arg(n))->setChecked(ticked);
    }
    QByteArray file(const QString& directory, const char* name) const {
        return readAll(QDir(directory).filePath(QLatin1String(name)));
    }
    // The three files in the program's folder against those in `directory`.
    void expectFilesAsIn(const QString& directory) const {
        for (const char* name : kHistoryFiles)
            QVERIFY2(file(shell->directory.path(), name) == file(directory, name), name);
    }
    // A history written by the engine into the program's folder and read as the program reads it at
    // start-up, through the session.
    void startWith(const std::vector<Combination>& draws) {
        const std::string folder = QFile::encodeName(shell->directory.path()).toStdString();
        writeEmptyHistory(folder);
        DrawHistoryStore store(folder);
        store.load();
        storeDraws(store, draws);
        shell->program->session().run(
            [this] { return shell->model().loadHistory(shell->program->session().questions()); });
    }
    void openStatistics() {
        press(QStringLiteral("statisticsButton"));
        QTRY_VERIFY(slidesDone());
        press(QStringLiteral("setupOkButton"));
        QTRY_VERIFY(slidesDone());
    }

private slots:
    void init() {
        shell = std::make_unique<ProgramFixture>();
        window = &shell->program->drawHistoryWindow();
        shell->trigger("drawHistoryAction");
        QVERIFY(window->isVisible());
    }
    void cleanup() { shell.reset(); }

    void aDrawIsEnteredDateFirstAndStoredAsTheEngineStoresIt() {
        QTemporaryDir engine;
        const std::string engineFolder = QFile::encodeName(engine.path()).toStdString();
        writeEmptyHistory(engineFolder);
        DrawHistoryStore store(engineFolder);
        store.load();

        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(lines().isEmpty());
        QCOMPARE(window->selectedDrawIndex(), -1);
        QCOMPARE(text(QStringLiteral("recency3")), QStringLiteral("0"));
        QCOMPARE(find<QCalendarWidget>(QStringLiteral("drawCalendar"))->selectedDate(), shell->fakes.clock.date);

        press(QStringLiteral("addDrawButton"));
        QVERIFY(!buttonsEnabled());
        QTRY_VERIFY(slidesDone());
        QCOMPARE(find(QStringLiteral("datePanel"))->x(), kSidePanelRest);
        // No day clicked yet: the date panel stays.
        QCOMPARE(find<QLineEdit>(QStringLiteral("drawDateField"))->text(), QString());
        press(QStringLiteral("dateOkButton"));
        QCOMPARE(said(), QStringList{QStringLiteral("info: Nie ustalona data losowania !")});
        QVERIFY(shown(QStringLiteral("datePanel")));
        QVERIFY(!shown(QStringLiteral("numberPanel")));

        chooseDay(QDate(2002, 5, 18));
        QCOMPARE(find<QLineEdit>(QStringLiteral("drawDateField"))->text(), QStringLiteral("18.05.2002"));
        press(QStringLiteral("dateOkButton"));
        QTRY_VERIFY(slidesDone());
        QVERIFY(!shown(QStringLiteral("datePanel")));
        QCOMPARE(find(QStringLiteral("numberPanel"))->x(), kSidePanelRest);
        QCOMPARE(text(QStringLiteral("entryDateLabel")), QStringLiteral("18.05.2002"));

        // Seven numbers are refused and keep their ticks; No stores nothing and keeps the panel.
        said().clear();
        tick({3, 12, 25, 31, 40, 49, 7});
        press(QStringLiteral("numbersOkButton"));
        QCOMPARE(said(), QStringList{QStringLiteral("info: Potrzebnych jest dokładnie 6 liczb !")});
        QVERIFY(find<QCheckBox>(QStringLiteral("numberBox7"))->isChecked());
        tick({7}, false);
        shell->answer({false});
        press(QStringLiteral("numbersOkButton"));
        QCOMPARE(said().last(), kAddQuestion);
        expectFilesAsIn(engine.path());
        QVERIFY(shown(QStringLiteral("numberPanel")));
        QVERIFY(find<QCheckBox>(QStringLiteral("numberBox49"))->isChecked());
        QVERIFY(!buttonsEnabled());

        shell->answer({true});
        press(QStringLiteral("numbersOkButton"));
        storeDraws(store, {{3, 12, 25, 31, 40, 49}}, QDate(2002, 5, 18));
        expectFilesAsIn(engine.path()); // the date, too, as the engine writes it
        QCOMPARE(lines(), QStringList{kFirstLine});
        QCOMPARE(window->selectedDrawIndex(), 0);
        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(text(QStringLiteral("recency3")), QStringLiteral("1"));
        QCOMPARE(text(QStringLiteral("recency4")), QStringLiteral("0"));
        QVERIFY(!shown(QStringLiteral("numberPanel")));
        QVERIFY(buttonsEnabled());

        // The next entry starts from the day chosen last time and from empty boxes; "Analuj" stores nothing.
        press(QStringLiteral("addDrawButton"));
        QCOMPARE(find<QLineEdit>(QStringLiteral("drawDateField"))->text(), QStringLiteral("18.05.2002"));
        said().clear();
        press(QStringLiteral("dateOkButton"));
        QVERIFY(said().isEmpty());
        QVERIFY(!find<QCheckBox>(QStringLiteral("numberBox3"))->isChecked());
        press(QStringLiteral("numbersCancelButton"));
        QVERIFY(!shown(QStringLiteral("numberPanel")));
        QVERIFY(!shown(QStringLiteral("datePanel")));
        QVERIFY(buttonsEnabled());
        QVERIFY(slidesDone());
        expectFilesAsIn(engine.path());
    }

    void onlyTheChosenDrawIsDeletedAndThenNoneIsChosen() {
        const std::vector<Combination> draws = {kThreeEven, kNoEven, kFourEven};
        startWith(draws);
        QCOMPARE(lines().size(), 3);
        QCOMPARE(window->selectedDrawIndex(), 2); // the newest, as after loading

        QListWidget* view = list();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(view->item(1)).center());
        QCOMPARE(window->selectedDrawIndex(), 1);
        const QStringList before = lines();
        shell->answer({false});
        press(QStringLiteral("deleteDrawButton"));
        QCOMPARE(said(), QStringList{kDeleteQuestion});
        QCOMPARE(lines(), before);
        QCOMPARE(window->selectedDrawIndex(), 1);

        shell->answer({true});
        press(QStringLiteral("deleteDrawButton"));
        QCOMPARE(lines(), (QStringList{before[0], before[2]}));
        QTemporaryDir engine;
        const std::string engineFolder = QFile::encodeName(engine.path()).toStdString();
        writeEmptyHistory(engineFolder);
        DrawHistoryStore store(engineFolder);
        store.load();
        storeDraws(store, draws);
        store.deleteDraw(1);
        expectFilesAsIn(engine.path());

        // Nothing looks chosen, and nothing is: the list's own current row went with the line.
        QCOMPARE(window->selectedDrawIndex(), -1);
        QCOMPARE(view->currentRow(), -1);
        QVERIFY(view->selectedItems().isEmpty());
        said().clear();
        press(QStringLiteral("deleteDrawButton"));
        QCOMPARE(said(), QStringList{QStringLiteral("info: Zaznacz najpierw losowanie które chcesz skasować !")});
        QCOMPARE(lines().size(), 2);
    }

    void theCalendarHeadsEveryDayInFull() {
        press(QStringLiteral("addDrawButton"));
        QTRY_VERIFY(slidesDone());
        auto* view = find<QCalendarWidget>(QStringLiteral("drawCalendar"))
                         ->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
        QVERIFY(view);
        // Row 0 heads the columns, Monday first; column 0 holds the week numbers.
        QStringList heads;
        for (int column = 1; column <= 7; ++column) {
            const QModelIndex head = view->model()->index(0, column);
            const QString text = head.data().toString();
            const QFont font =
                head.data(Qt::FontRole).isValid() ? head.data(Qt::FontRole).value<QFont>() : view->font();
            QVERIFY2(QFontMetrics(font).horizontalAdvance(text) + 4 <= view->columnWidth(column), qPrintable(text));
            heads << text;
        }
        QCOMPARE(heads, (QStringList{"P", "W", "Ś", "C", "P", "S", "N"}));
        press(QStringLiteral("dateCancelButton"));
    }

    void deletingAnOldDrawKeepsThePlaceInTheList() {
        startWith(std::vector<Combination>(200, kThreeEven));
        QListWidget* view = list();
        QTRY_VERIFY(view->indexAt(QPoint(0, 0)).row() > 100); // the newest draws, as after loading
        view->scrollToItem(view->item(40), QAbstractItemView::PositionAtTop);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(view->item(45)).center());
        QCOMPARE(window->selectedDrawIndex(), 45);
        const QString after = view->item(46)->text();

        shell->answer({true});
        press(QStringLiteral("deleteDrawButton"));

        QCOMPARE(lines().size(), 199);
        QCOMPARE(view->indexAt(QPoint(0, 0)).row(), 40);
        QCOMPARE(view->item(45)->text(), after);
        QVERIFY(view->viewport()->rect().contains(view->visualItemRect(view->item(45))));
        QCOMPARE(window->selectedDrawIndex(), -1);
    }

    void importedDrawsJoinTheListAfterTheQuestion() {
        const QString csv = shell->directory.filePath(QStringLiteral("wyniki.csv"));
        writeAll(csv, "date,n1,n2,n3,n4,n5,n6\n2025-11-13,1,18,31,37,42,43\n2025-11-15,2,12,19,32,39,44\n");
        shell->fakes.dialogs.fileNames << csv;
        shell->answer({true});
        press(QStringLiteral("importDrawsButton"));
        QCOMPARE(said(), QStringList{QStringLiteral("question: Dodać 2 losowania ?")});
        QCOMPARE(shell->fakes.dialogs.fileFilters.last(), QStringLiteral("Pliki CSV(*.csv) | csv"));
        QCOMPARE(lines().size(), 2);
        QVERIFY(lines().last().startsWith(QStringLiteral("1002  15.11.2025")));
        QCOMPARE(window->selectedDrawIndex(), 1);
    }

    // 150 draws, 55 of them "3 - 3" and 2 of them "0 - 6": both index above 105, one green arrow up.
    void theWorkedExampleShowsOneArrowUp() {
        std::vector<Combination> draws(55, kThreeEven);
        draws.insert(draws.end(), 2, kNoEven);
        draws.insert(draws.end(), 93, kFourEven);
        startWith(draws);

        press(QStringLiteral("statisticsButton"));
        QVERIFY(!buttonsEnabled());
        QCOMPARE(text(QStringLiteral("setupHistorySize")), QStringLiteral("150"));
        QCOMPARE(find<QAbstractSpinBox>(QStringLiteral("recentWindowSpinner"))->text(), QStringLiteral(" 50"));
        press(QStringLiteral("setupOkButton"));
        QTRY_VERIFY(slidesDone());
        QVERIFY(!shown(QStringLiteral("statisticsSetupPanel")));
        QCOMPARE(find(QStringLiteral("statisticsArea"))->geometry(), window->rect());
        QVERIFY(!buttonsEnabled());

        QCOMPARE(text(QStringLiteral("evenOddLongDraws")), QStringLiteral("150"));
        QCOMPARE(text(QStringLiteral("evenOddShortDraws")), QStringLiteral("50"));
        QCOMPARE(text(QStringLiteral("evenOddLongCount3")), QStringLiteral("55"));
        QCOMPARE(text(QStringLiteral("evenOddLongCount0")), QStringLiteral("2"));
        auto* threeThree = find<TrendCell>(QStringLiteral("evenOddLongTrend3"));
        QCOMPARE(threeThree->level(), 1);
        QCOMPARE(find<TrendCell>(QStringLiteral("evenOddLongTrend0"))->level(), 1);
        QCOMPARE(greenPlaces(threeThree), (std::array<bool, 3>{false, true, false}));
        QCOMPARE(text(QStringLiteral("numbersLongAverage")), QStringLiteral("18,3673469387755"));
        QCOMPARE(text(QStringLiteral("numbersLongCount0")), QStringLiteral("57"));

        press(QStringLiteral("closeStatisticsButton"));
        QVERIFY(!shown(QStringLiteral("statisticsArea")));
        QVERIFY(buttonsEnabled());
        QVERIFY(said().isEmpty());
    }

    // Over no draws nothing is expected: zeros, "=" everywhere. Over fewer draws than the window the
    // short term is measured against the draws there are, and says so.
    void emptyAndShortHistoriesShowWhatWasCounted() {
        press(QStringLiteral("statisticsButton"));
        press(QStringLiteral("setupCancelButton"));
        QVERIFY(!shown(QStringLiteral("statisticsSetupPanel")));
        QVERIFY(buttonsEnabled());

        auto* spinner = find<QAbstractSpinBox>(QStringLiteral("recentWindowSpinner"));
        for (int step = 0; step < 6; ++step)
            spinner->stepUp();
        QCOMPARE(spinner->text(), QStringLiteral("100"));
        openStatistics();
        QCOMPARE(text(QStringLiteral("numbersLongDraws")), QStringLiteral("0"));
        QCOMPARE(text(QStringLiteral("numbersShortDraws")), QStringLiteral("0"));
        QCOMPARE(text(QStringLiteral("numbersLongAverage")), QStringLiteral("0"));
        QCOMPARE(text(QStringLiteral("sumsLongCount0")), QStringLiteral("0"));
        QCOMPARE(find<TrendCell>(QStringLiteral("sumsLongTrend0"))->level(), 0);
        QCOMPARE(find<TrendCell>(QStringLiteral("numbersShortTrend0"))->level(), 0);
        QCOMPARE(text(QStringLiteral("endingsLastSeen0")), QStringLiteral("0"));
        press(QStringLiteral("closeStatisticsButton"));

        startWith({kThreeEven, kNoEven, kThreeEven});
        openStatistics();
        for (const char* draws : {"numbersShortDraws", "digitGroupsShortDraws2", "neighboursRecentDraws"})
            QVERIFY2(text(QLatin1String(draws)) == QLatin1String("3"), draws);
        QCOMPARE(text(QStringLiteral("evenOddShortCount3")), QStringLiteral("2"));
        // "1 - 2" came up in the newest draw.
        QCOMPARE(text(QStringLiteral("neighboursLastSeen0")), QStringLiteral("1"));
        QCOMPARE(text(QStringLiteral("neighboursRecent0")), QStringLiteral("2"));
        QVERIFY(said().isEmpty());
    }

    void brokenOrFailingFilesLeaveAUsableWindow() {
        // A line without its record: read and shown, said as it is read with the offer to rebuild the
        // files from the text, and offered again by every button until the player takes it.
        writeAll(shell->path(QStringLiteral("Losowania.txt")), kFirstLine.toUtf8() + "\r\n");
        shell->answer({false});
        shell->program->session().run(
            [this] { return shell->model().loadHistory(shell->program->session().questions()); });
        QCOMPARE(said().size(), 1);
        const QString offer = said().front();
        QVERIFY(offer.startsWith(QStringLiteral("question: Liczba wierszy pliku Losowania.txt (1)")));
        QVERIFY(offer.endsWith(fromModel(kRepairQuestion)));
        shell->trigger("drawHistoryAction");
        QCOMPARE(lines(), QStringList{kFirstLine});
        for (const char* button : {"addDrawButton", "deleteDrawButton", "statisticsButton"}) {
            said().clear();
            shell->answer({false});
            press(QLatin1String(button));
            QCOMPARE(said(), QStringList{offer});
            QVERIFY(buttonsEnabled());
        }
        QVERIFY(!shown(QStringLiteral("datePanel")));
        QVERIFY(!shown(QStringLiteral("statisticsSetupPanel")));
        said().clear();
        shell->answer({true});
        press(QStringLiteral("statisticsButton"));
        QCOMPARE(said(), (QStringList{offer, QStringLiteral("info: ") +
                                                 fromModel(repairedMessage({kDrawRecordFile, kTotalsFile}))}));
        QVERIFY(shown(QStringLiteral("statisticsSetupPanel")));
        QCOMPARE(text(QStringLiteral("setupHistorySize")), QStringLiteral("1"));
        press(QStringLiteral("setupCancelButton"));

        // A sound history whose totals go missing during an entry: the error, and the window as the
        // files are, ready for the next try.
        startWith({kThreeEven});
        press(QStringLiteral("addDrawButton"));
        chooseDay(QDate(2002, 5, 18));
        press(QStringLiteral("dateOkButton"));
        tick({3, 12, 25, 31, 40, 49});
        std::filesystem::remove(QFile::encodeName(shell->path(QStringLiteral("Stat.dat"))).toStdString());
        said().clear();
        shell->answer({true});
        press(QStringLiteral("numbersOkButton"));
        QCOMPARE(said().size(), 2);
        QVERIFY(said().last().startsWith(QStringLiteral("error: ")));
        QVERIFY(!shown(QStringLiteral("numberPanel")));
        QVERIFY(!shown(QStringLiteral("datePanel")));
        QVERIFY(buttonsEnabled());
        QCOMPARE(lines().size(), 1);
        QCOMPARE(text(QStringLiteral("recency1")), QStringLiteral("1"));
    }
};

QTEST_MAIN(DrawHistoryWindowTest)
#include "DrawHistoryWindowTest.moc"
