// The generator stage's panels as the player sees them: the controls follow the model's mode, the fields
// reach the model as typed, the timers follow a run, the list and the hit lists show every line in full.
// What the commands do to the state is tried on the model itself.

#include "ProgramFixture.h"

#include <QComboBox>
#include <QLayout>
#include <QScrollBar>

using namespace selektor;
using namespace selektor::test;

namespace {

// Every control that comes and goes with the mode, with the part of GeneratorControls it follows.
const struct {
    const char* name;
    bool GeneratorControls::*enabled;
} kEnabledControls[] = {
    {"backButton", &GeneratorControls::back},
    {"saveButton", &GeneratorControls::save},
    {"guaranteeGroup", &GeneratorControls::guaranteeGroup},
    {"guaranteeOkButton", &GeneratorControls::guaranteeOk},
    {"simulationGroup", &GeneratorControls::simulationGroup},
    {"simulationOkButton", &GeneratorControls::simulationOk},
    {"resultOkButton", &GeneratorControls::resultOk},
    {"printButton", &GeneratorControls::print},
    {"recentDrawsAction", &GeneratorControls::postProcessing},
    {"lastDrawsAction", &GeneratorControls::postProcessing},
};

void expectControls(const ProgramFixture& f, GeneratorMode mode) {
    const GeneratorControls controls = enabledControls(mode);
    for (const auto& control : kEnabledControls)
        QVERIFY2(f.find(QLatin1String(control.name))->isEnabled() == controls.*control.enabled, control.name);
    QCOMPARE(f.shown(QStringLiteral("busyLamp")), controls.busyLamp);
    QCOMPARE(f.shown(QStringLiteral("countdownPanel")), controls.countdown);
}

void enterDraw(const ProgramFixture& f, const QStringList& numbers) {
    for (int i = 0; i < 6; ++i)
        f.type(QStringLiteral("drawnEdit%1").arg(i + 1), numbers.value(i));
}

// Every combination of the numbers ending in 0 to 3: 27132 lines, the largest system of the issue that
// brought the hit lists' width to light.
QByteArray endingsZeroToThreeSystem() {
    QByteArray bytes;
    std::vector<int> numbers;
    for (int n = 1; n <= 49; ++n)
        if (n % 10 <= 3)
            numbers.push_back(n);
    const int count = static_cast<int>(numbers.size());
    int c[6] = {0, 1, 2, 3, 4, 5};
    for (;;) {
        for (int k = 0; k < 6; ++k)
            bytes += QByteArray::number(numbers[c[k]]).rightJustified(3, ' ');
        bytes += "\r\n";
        int k = 5;
        while (k >= 0 && c[k] == count - 6 + k)
            --k;
        if (k < 0)
            return bytes;
        ++c[k];
        for (int j = k + 1; j < 6; ++j)
            c[j] = c[j - 1] + 1;
    }
}

} // namespace

class GeneratorStageTest : public QObject {
    Q_OBJECT
private slots:
    void controlsFollowTheModel();
    void enteringTheStageBlanksEveryGroup();
    void clickingALineShowsItsPosition();
    void saveButtonFlashesSevenStepsThenStops();
    void fieldsReachTheModelAsTheyAreShown();
    void timersRunExactlyWhileTheModelRuns();
    void hitListsShowEveryEntryInFull();
    void largeFileOpensInFull();
    void postProcessingThroughTheButtons();
    void everyNewListClosesThePrintPanels_data();
    void everyNewListClosesThePrintPanels();
    void printPanelsLeaveTheHitListsTheirRoom();
};

void GeneratorStageTest::controlsFollowTheModel() {
    ProgramFixture f;
    const QString file = f.path(QStringLiteral("two.txt"));
    writeAll(file, "  1  2  3  4  5  6\r\n  7  8  9 10 11 12\r\n");
    f.enterGeneratorStage(9);
    expectControls(f, GeneratorMode::Ready);

    // While a build works, the stage shows it is busy.
    bool busyShown = false;
    f.program->session().runBusy([&] {
        busyShown = f.shown(QStringLiteral("busyLamp")) && !f.enabled(QStringLiteral("saveButton"));
        return f.model().buildGuaranteeSystem();
    });
    QVERIFY(busyShown);
    expectControls(f, GeneratorMode::PostProcessable);
    f.buildGuarantee(2);
    expectControls(f, GeneratorMode::Built);

    f.startLongRun();
    f.generatorStage()->simulationTick();
    expectControls(f, GeneratorMode::Simulating);

    // "Otwórz" during the run, Yes to the question, No to saving what the last build left unsaved, the
    // dialog cancelled: the run stopped.
    f.answer({true, false});
    f.fakes.dialogs.fileNames << QString();
    f.trigger("openAction");
    expectControls(f, GeneratorMode::Stopped);

    f.fakes.dialogs.fileNames << file;
    f.trigger("openAction");
    expectControls(f, GeneratorMode::FromFile);
    QCOMPARE(f.fakes.dialogs.fileFilters.last(), QStringLiteral("Pliki textowe(*.txt) | txt"));
}

void GeneratorStageTest::enteringTheStageBlanksEveryGroup() {
    ProgramFixture f;
    f.enterGeneratorStage(9);
    f.buildGuarantee(0);
    f.type(QStringLiteral("simulationCountEdit"), QStringLiteral("12"));
    f.type(QStringLiteral("simulationLimitEdit"), QStringLiteral("30"));
    f.click(QStringLiteral("differenceChoice2"));
    enterDraw(f, {"1", "2", "3", "4", "5", "6"});
    f.click(QStringLiteral("resultOkButton"));
    QCOMPARE(f.text(QStringLiteral("hitCount6")), QStringLiteral("1"));
    f.listView()->setCurrentIndex(f.listView()->model()->index(4, 0));
    f.answer({false}); // the offer to save the built system

    f.click(QStringLiteral("backButton"));
    f.model().takeCountedPool(f.model().candidatePool());
    f.program->session().changed();
    f.click(QStringLiteral("finalStageButton"));

    QVERIFY(f.lines().isEmpty());
    for (const char* label : {"lineCountLabel", "selectedLineLabel", "countdownSecondsLabel", "hitCount6", "hitCount3"})
        QVERIFY2(f.text(QLatin1String(label)).isEmpty(), label);
    for (const char* field : {"simulationCountEdit", "simulationLimitEdit", "drawnEdit1", "drawnEdit6"})
        QVERIFY2(f.find<QLineEdit>(QLatin1String(field))->text().isEmpty(), field);
    for (const char* list : {"hitList6", "couponList6"})
        QCOMPARE(f.find<QListView>(QLatin1String(list))->model()->rowCount(), 0);
    QVERIFY(f.button(QStringLiteral("guaranteeChoice0"))->isChecked());
    QVERIFY(f.button(QStringLiteral("differenceChoice0"))->isChecked());
    QCOMPARE(f.find<QComboBox>(QStringLiteral("recentDrawsChoice"))->currentIndex(), 0);
    QCOMPARE(f.find<QLineEdit>(QStringLiteral("drawsToUseEdit"))->text(), QStringLiteral(" 10"));
    QVERIFY(!f.shown(QStringLiteral("printSettingsPanel")));
    QCOMPARE(f.text(QStringLiteral("blanksNeededLabel")), QStringLiteral("0"));
    QCOMPARE(f.fakes.dialogs.shown, QStringList{kSaveQuestion});
}

void GeneratorStageTest::clickingALineShowsItsPosition() {
    ProgramFixture f;
    f.enterGeneratorStage(7);
    f.buildGuarantee(0);
    QListView* view = f.listView();
    // Tabbing into the list makes its first line current without choosing it: nothing is shown yet.
    QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(view, &tabbedIn);
    QVERIFY(f.text(QStringLiteral("selectedLineLabel")).isEmpty());

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(0, 0)).center());
    QCOMPARE(f.text(QStringLiteral("selectedLineLabel")), QStringLiteral("1"));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(2, 0)).center());
    QCOMPARE(f.text(QStringLiteral("selectedLineLabel")), QStringLiteral("3"));
    QCOMPARE(view->selectionModel()->selectedIndexes().size(), 1);
    // The arrow keys choose a line as a click does.
    QTest::keyClick(view, Qt::Key_Up);
    QCOMPARE(f.text(QStringLiteral("selectedLineLabel")), QStringLiteral("2"));
    // A new build blanks the choice.
    f.buildGuarantee(0);
    QVERIFY(f.text(QStringLiteral("selectedLineLabel")).isEmpty());
}

void GeneratorStageTest::saveButtonFlashesSevenStepsThenStops() {
    ProgramFixture f;
    f.enterGeneratorStage(7);
    f.buildGuarantee(0);
    QTimer* flash = f.timer(QStringLiteral("flashTimer"));
    QCOMPARE(flash->interval(), 200);
    QList<bool> frame;
    for (int tick = 0; tick < 8; ++tick) {
        QVERIFY(flash->isActive());
        f.generatorStage()->flashTick();
        frame << f.shown(QStringLiteral("saveFlashFrame"));
    }
    QCOMPARE(frame, (QList<bool>{true, false, true, false, true, false, true, false}));
    QVERIFY(!flash->isActive());
}

void GeneratorStageTest::fieldsReachTheModelAsTheyAreShown() {
    ProgramFixture f;
    f.enterGeneratorStage(7);
    f.type(QStringLiteral("simulationLimitEdit"), QStringLiteral("10"));
    // Typed with the cursor moved on by one place between the digits: the field shows "1_2_".
    auto* countEdit = f.find<QLineEdit>(QStringLiteral("simulationCountEdit"));
    countEdit->setFocus();
    countEdit->home(false);
    QTest::keyClick(countEdit, '1');
    countEdit->cursorForward(false);
    QTest::keyClick(countEdit, '2');
    QCOMPARE(f.model().form().countText, std::string("1 2 "));

    f.click(QStringLiteral("simulationOkButton"));

    QCOMPARE(f.fakes.dialogs.shown, QStringList{QStringLiteral("error: '1 2' is not a valid integer value")});
    QVERIFY(!f.model().generatorRunning());
}

void GeneratorStageTest::timersRunExactlyWhileTheModelRuns() {
    ProgramFixture f;
    f.enterGeneratorStage(10);
    f.type(QStringLiteral("simulationCountEdit"), QStringLiteral("2"));
    f.type(QStringLiteral("simulationLimitEdit"), QStringLiteral("30"));
    f.click(QStringLiteral("simulationOkButton"));
    QCOMPARE(f.timer(QStringLiteral("simulationTimer"))->interval(), 10);
    QCOMPARE(f.timer(QStringLiteral("countdownTimer"))->interval(), 1000);
    QVERIFY(f.timer(QStringLiteral("simulationTimer"))->isActive());
    QVERIFY(f.timer(QStringLiteral("countdownTimer"))->isActive());
    QCOMPARE(f.text(QStringLiteral("countdownSecondsLabel")), QStringLiteral("30"));
    QCOMPARE(f.text(QStringLiteral("lineCountLabel")), QStringLiteral("0"));

    // The drawn candidate shows in the six labels, right-aligned in three places.
    f.generatorStage()->simulationTick();
    QStringList drawn;
    for (int i = 1; i <= 6; ++i)
        drawn << f.text(QStringLiteral("drawnNumberLabel%1").arg(i));
    QCOMPARE(f.lines(), QStringList{drawn.join(QString())});

    // The clock's own ticks end the run.
    QTRY_VERIFY_WITH_TIMEOUT(!f.model().generatorRunning(), 20000);
    QCOMPARE(f.lines().size(), 2);
    QCOMPARE(f.text(QStringLiteral("lineCountLabel")), QStringLiteral("2"));
    QVERIFY(!f.timer(QStringLiteral("simulationTimer"))->isActive());
    QVERIFY(!f.timer(QStringLiteral("countdownTimer"))->isActive());
    QVERIFY(!f.shown(QStringLiteral("countdownPanel")));
    QVERIFY(f.timer(QStringLiteral("flashTimer"))->isActive());
}

void GeneratorStageTest::hitListsShowEveryEntryInFull() {
    ProgramFixture f;
    const QString file = f.path(QStringLiteral("27132.txt"));
    writeAll(file, endingsZeroToThreeSystem());
    f.fakes.dialogs.fileNames << file;
    f.trigger("openAction");
    QCOMPARE(f.text(QStringLiteral("lineCountLabel")), QStringLiteral("27132"));
    enterDraw(f, {"30", "31", "32", "33", "40", "41"});
    f.click(QStringLiteral("resultOkButton"));
    QCOMPARE(f.text(QStringLiteral("hitCount6")), QStringLiteral("1"));
    QCOMPARE(f.fakes.sound.played, (QStringList{QStringLiteral("Flute.wav"), QStringLiteral("Stn.wav")}));

    // Coupon positions up to "3392.x" and line numbers up to 27132: every entry fits its column as it
    // stands, nothing is cut short with "…".
    for (int hits = 3; hits <= 6; ++hits)
        for (const QString& name : {QStringLiteral("hitList%1").arg(hits), QStringLiteral("couponList%1").arg(hits)}) {
            auto* list = f.find<QListView>(name);
            QVERIFY2(list->model()->rowCount() > 0, qPrintable(name));
            QCOMPARE(list->textElideMode(), Qt::ElideNone);
            int widest = 0;
            for (int row = 0; row < list->model()->rowCount(); ++row)
                widest = std::max(
                    widest, list->fontMetrics().horizontalAdvance(list->model()->index(row, 0).data().toString()));
            QVERIFY2(widest + 6 <= list->viewport()->width(),
                     qPrintable(QStringLiteral("%1: %2 of %3").arg(name).arg(widest).arg(list->viewport()->width())));
        }
    QCOMPARE(f.find<QListView>(QStringLiteral("couponList5"))->model()->index(0, 0).data().toString(),
             QStringLiteral("1065.1"));
}

void GeneratorStageTest::largeFileOpensInFull() {
    ProgramFixture f;
    const QString file = f.path(QStringLiteral("large.txt"));
    constexpr int kLines = 1'000'000;
    {
        QByteArray bytes;
        bytes.reserve(20 * kLines);
        for (int i = 0; i < kLines; ++i)
            bytes += "  1  2  3  4  5  6\r\n";
        writeAll(file, bytes);
    }
    f.fakes.dialogs.fileNames << file;
    f.trigger("openAction");
    QCOMPARE(f.listView()->model()->rowCount(), kLines);
    QCOMPARE(f.text(QStringLiteral("lineCountLabel")), QString::number(kLines));
    QCOMPARE(f.listView()->model()->index(kLines - 1, 0).data().toString(), QStringLiteral("  1  2  3  4  5  6"));

    // A line of ten million characters is no system line: the list shows its start and "…", and keeps
    // the line itself whole for saving.
    writeAll(file, "  1  2  3  4  5  6\r\n" + QByteArray(10'000'000, 'x') + "\r\n");
    f.fakes.dialogs.fileNames << file;
    f.trigger("openAction");
    const QString shown = f.listView()->model()->index(1, 0).data().toString();
    QCOMPARE(shown, QString(300, QLatin1Char('x')) + QChar(0x2026));
    QCOMPARE(f.model().system().line(1).size(), std::size_t{10'000'000});
    QCOMPARE(f.listView()->model()->index(0, 0).data().toString(), QStringLiteral("  1  2  3  4  5  6"));
}

void GeneratorStageTest::postProcessingThroughTheButtons() {
    ProgramFixture f;
    // One stored draw, 1 2 3 20 21 22, and the pool of every combination of 1 to 7.
    NumberBoxes drawn{};
    for (int n : {1, 2, 3, 20, 21, 22})
        drawn[n - 1] = 1;
    f.answer({true});
    f.program->session().run([&] { return f.model().addDraw("18.05.2002", drawn, f.program->session().questions()); });
    f.enterGeneratorStage(7);
    f.buildGuarantee(0);
    QCOMPARE(f.lines().size(), 7);
    QVERIFY(f.enabled(QStringLiteral("lastDrawsAction")));

    // The spinner stays within 10 and 500.
    f.click(QStringLiteral("drawsToUseDown"));
    QCOMPARE(f.find<QLineEdit>(QStringLiteral("drawsToUseEdit"))->text(), QStringLiteral(" 10"));
    for (int i = 0; i < 9; ++i)
        f.click(QStringLiteral("drawsToUseUp"));
    QCOMPARE(f.find<QLineEdit>(QStringLiteral("drawsToUseEdit"))->text(), QStringLiteral("100"));

    // "więcej niż jedną liczbę z ostatniego los.": every combination of 1 to 7 holds at least two of
    // 1, 2, 3, so none stays.
    f.fakes.dialogs.shown.clear();
    f.click(QStringLiteral("lastDrawsAction"));
    QVERIFY(f.lines().isEmpty());
    QCOMPARE(f.text(QStringLiteral("lineCountLabel")), QStringLiteral("0"));
    QVERIFY(f.fakes.dialogs.shown.isEmpty());
    QVERIFY(!f.shown(QStringLiteral("busyLamp")));
    QVERIFY(f.enabled(QStringLiteral("lastDrawsAction")));
    QVERIFY(f.timer(QStringLiteral("flashTimer"))->isActive());
    QVERIFY(!f.model().systemSaved());
}

void GeneratorStageTest::everyNewListClosesThePrintPanels_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("rangeStartsAfresh");
    QTest::newRow("trójki z ostatnich losowań") << QStringLiteral("recentDrawsAction") << false;
    QTest::newRow("więcej niż jedną liczbę z ostatniego los.") << QStringLiteral("lastDrawsAction") << false;
    QTest::newRow("system skrócony - gw 4") << QStringLiteral("guaranteeOkButton") << false;
    QTest::newRow("Symulacja komputerowa") << QStringLiteral("simulationOkButton") << false;
    QTest::newRow("Otwórz") << QStringLiteral("openAction") << true;
    QTest::newRow("Etap końcowy") << QStringLiteral("finalStageButton") << true;
}

void GeneratorStageTest::everyNewListClosesThePrintPanels() {
    QFETCH(QString, command);
    QFETCH(bool, rangeStartsAfresh);
    ProgramFixture f;
    NumberBoxes drawn{};
    for (int n : {1, 2, 3, 20, 21, 22})
        drawn[n - 1] = 1;
    f.answer({true});
    f.program->session().run([&] { return f.model().addDraw("18.05.2002", drawn, f.program->session().questions()); });
    const QString saved = f.path(QStringLiteral("saved.txt"));
    writeAll(saved, "  1  2  3  4  5  6\r\n");
    f.enterGeneratorStage(9);
    f.buildGuarantee(0); // 84 lines: 11 blanks
    f.fakes.dialogs.fileNames << QString();
    f.click(QStringLiteral("saveButton")); // offered: nothing below asks to save it
    f.click(QStringLiteral("printButton"));
    f.type(QStringLiteral("printFromEdit"), QStringLiteral("1"));
    f.type(QStringLiteral("printToEdit"), QStringLiteral("11"));
    QVERIFY(f.shown(QStringLiteral("printSettingsPanel")) && f.shown(QStringLiteral("printRangePanel")));
    QCOMPARE(f.text(QStringLiteral("blanksNeededLabel")), QStringLiteral("11"));

    if (command == QLatin1String("openAction")) {
        f.fakes.dialogs.fileNames << saved;
        f.trigger("openAction");
    } else if (command == QLatin1String("finalStageButton")) {
        f.click(QStringLiteral("backButton"));
        f.model().takeCountedPool(f.model().candidatePool());
        f.program->session().changed();
        f.click(command);
    } else {
        f.click(QStringLiteral("guaranteeChoice2"));
        f.type(QStringLiteral("simulationCountEdit"), QStringLiteral("3"));
        f.type(QStringLiteral("simulationLimitEdit"), QStringLiteral("10"));
        f.click(command);
    }

    QCOMPARE(f.currentStage(), QStringLiteral("generatorStage"));
    QVERIFY(!f.shown(QStringLiteral("printSettingsPanel")));
    QVERIFY(!f.shown(QStringLiteral("printRangePanel")));
    QVERIFY(f.shown(QStringLiteral("printPicture")));
    if (rangeStartsAfresh) {
        QCOMPARE(f.text(QStringLiteral("blanksNeededLabel")), QStringLiteral("0"));
        QVERIFY(f.find<QLineEdit>(QStringLiteral("printFromEdit"))->text().isEmpty());
        QVERIFY(f.find<QLineEdit>(QStringLiteral("printToEdit"))->text().isEmpty());
    }
}

void GeneratorStageTest::printPanelsLeaveTheHitListsTheirRoom() {
    // The print panels open under " Sprawdzanie wyników "; its hit lists keep the height they had, which
    // shows three hits at least.
    ProgramFixture f;
    f.enterGeneratorStage(9);
    f.buildGuarantee(0);
    const auto heights = [&] {
        QList<int> all;
        for (int hits = 3; hits <= 6; ++hits)
            all << f.find(QStringLiteral("hitList%1").arg(hits))->height()
                << f.find(QStringLiteral("couponList%1").arg(hits))->height();
        return all;
    };
    const QList<int> closed = heights();
    const auto* list = f.find<QListView>(QStringLiteral("hitList6"));
    const int threeLines = 3 * list->fontMetrics().lineSpacing() + 2 * list->frameWidth();
    for (int height : closed)
        QVERIFY2(height >= threeLines, qPrintable(QStringLiteral("%1 < %2").arg(height).arg(threeLines)));

    f.click(QStringLiteral("printButton"));
    QVERIFY(f.shown(QStringLiteral("printRangePanel")));
    QCoreApplication::sendPostedEvents();
    f.window()->layout()->activate();
    QCOMPARE(heights(), closed);
}

QTEST_MAIN(GeneratorStageTest)
#include "GeneratorStageTest.moc"
