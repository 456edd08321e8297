// The generator stage: entering it, guarantee systems, the save-button flash, and the flows that keep
// or lose a user's system (saving, the save offer, opening a file, the back button). The main menu's
// questions around them are tried in the main window.

#include "GeneratorStageFixture.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalSpy>

using namespace selektor;
using namespace selektor::test;

namespace {

const QString kSaveQuestion = QStringLiteral("question: Zapisać ostatni wygenerowany system ?");

// The pool of the guarantee examples: the second shares five numbers with the first, the third four.
StageFixture* smallPoolStage() {
    return new StageFixture{combination({1, 2, 3, 4, 5, 6}), combination({1, 2, 3, 4, 5, 7}),
                            combination({1, 2, 3, 4, 8, 9})};
}

} // namespace

class GeneratorStageTest : public QObject {
    Q_OBJECT
private slots:
    void enteringTheStageStartsFromTheSameEmptyState();
    void guaranteeModesKeepTheGreedyPacking_data();
    void guaranteeModesKeepTheGreedyPacking();
    void guaranteeBuildIsRepeatable();
    void saveButtonFlashesSevenStepsThenStops();
    void clickingALineShowsItsPosition();

    void savingWritesTwentyBytesPerLine();
    void savingAnEmptyListOnlyTellsSo();
    void cancelledSaveStillCountsAsOffered();
    void failedSaveLeavesTheSystemUnsaved();

    void backButtonOffersToSaveANewSystemOnce();
    void backButtonAsksNothingWithAnEmptyOrSavedList();
    void backButtonStaysWhenTheOfferedSaveFails();

    void openedFileMatchesTheSavedSystemLineForLine();
    void openingResetsTheStageForASystemFromAFile();
    void unreadableFileKeepsTheSystemOnScreen();
    void openedFileKeepsOddLinesAsTheyStand();
    void largeFileOpensInFull();
};

void GeneratorStageTest::enteringTheStageStartsFromTheSameEmptyState() {
    StageFixture f;
    f.setLexicographicPool(9);
    // Dirty every group first.
    f.buildGuarantee(0);
    f.type(QStringLiteral("simulationCountEdit"), QStringLiteral("12"));
    f.type(QStringLiteral("simulationLimitEdit"), QStringLiteral("30"));
    f.click(QStringLiteral("differenceChoice2"));
    f.listView()->setCurrentIndex(f.listView()->model()->index(4, 0));
    for (int i = 1; i <= 6; ++i)
        f.type(QStringLiteral("drawnEdit%1").arg(i), QString::number(i));
    f.click(QStringLiteral("resultOkButton"));
    f.find<QComboBox>(QStringLiteral("recentDrawsChoice"))->setCurrentIndex(2);
    f.find<QComboBox>(QStringLiteral("lastDrawsChoice"))->setCurrentIndex(1);
    f.find<QWidget>(QStringLiteral("printSettingsPanel"))->show();
    f.type(QStringLiteral("printFromEdit"), QStringLiteral("1"));
    QVERIFY(!f.stage->systemSaved());
    QVERIFY(!f.lines().isEmpty());
    QVERIFY(f.enabled(QStringLiteral("recentDrawsAction")));

    f.stage->enterFinalStage();

    QVERIFY(f.lines().isEmpty());
    QVERIFY(f.text(QStringLiteral("lineCountLabel")).isEmpty());
    QVERIFY(f.text(QStringLiteral("selectedLineLabel")).isEmpty());
    QVERIFY(!f.shown(QStringLiteral("countdownPanel")));
    QVERIFY(f.text(QStringLiteral("countdownSecondsLabel")).isEmpty());
    for (int i = 1; i <= 6; ++i)
        QVERIFY(f.text(QStringLiteral("drawnNumberLabel%1").arg(i)).isEmpty());
    QVERIFY(f.button(QStringLiteral("guaranteeChoice0"))->isChecked());
    QVERIFY(f.button(QStringLiteral("differenceChoice0"))->isChecked());
    QVERIFY(f.find<QLineEdit>(QStringLiteral("simulationCountEdit"))->text().isEmpty());
    QVERIFY(f.find<QLineEdit>(QStringLiteral("simulationLimitEdit"))->text().isEmpty());
    for (const char* name :
         {"guaranteeOkButton", "simulationOkButton", "backButton", "saveButton", "printButton", "resultOkButton"})
        QVERIFY2(f.enabled(QLatin1String(name)), name);
    QVERIFY(!f.enabled(QStringLiteral("recentDrawsAction")));
    QVERIFY(!f.enabled(QStringLiteral("lastDrawsAction")));
    QVERIFY(!f.shown(QStringLiteral("printSettingsPanel")));
    QVERIFY(!f.shown(QStringLiteral("printRangePanel")));
    QCOMPARE(f.text(QStringLiteral("blanksNeededLabel")), QStringLiteral("0"));
    QVERIFY(f.find<QLineEdit>(QStringLiteral("printFromEdit"))->text().isEmpty());
    for (int i = 1; i <= 6; ++i)
        QVERIFY(f.find<QLineEdit>(QStringLiteral("drawnEdit%1").arg(i))->text().isEmpty());
    for (int hits = 3; hits <= 6; ++hits) {
        QVERIFY(f.text(QStringLiteral("hitCount%1").arg(hits)).isEmpty());
        QCOMPARE(f.find<QListWidget>(QStringLiteral("hitList%1").arg(hits))->count(), 0);
        QCOMPARE(f.find<QListWidget>(QStringLiteral("couponList%1").arg(hits))->count(), 0);
    }
    QCOMPARE(f.find<QComboBox>(QStringLiteral("recentDrawsChoice"))->currentIndex(), 0);
    QCOMPARE(f.find<QComboBox>(QStringLiteral("lastDrawsChoice"))->currentIndex(), 0);
    QCOMPARE(f.find<QLineEdit>(QStringLiteral("drawsToUseEdit"))->text(), QStringLiteral(" 10"));
    QVERIFY(f.stage->systemSaved());
    QVERIFY(!f.stage->generatorRunning());
    QVERIFY(f.fakes.dialogs.shown.isEmpty());
}

void GeneratorStageTest::guaranteeModesKeepTheGreedyPacking_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("postProcessing");
    const QString first = QStringLiteral("  1  2  3  4  5  6");
    const QString second = QStringLiteral("  1  2  3  4  5  7");
    const QString third = QStringLiteral("  1  2  3  4  8  9");
    QTest::newRow("full") << 0 << QStringList{first, second, third} << true;
    QTest::newRow("gw 5") << 1 << QStringList{first, third} << false;
    QTest::newRow("gw 4") << 2 << QStringList{first} << false;
    QTest::newRow("gw 3") << 3 << QStringList{first} << false;
}

void GeneratorStageTest::guaranteeModesKeepTheGreedyPacking() {
    QFETCH(int, mode);
    QFETCH(QStringList, expected);
    QFETCH(bool, postProcessing);
    std::unique_ptr<StageFixture> f(smallPoolStage());

    f->buildGuarantee(mode);

    QCOMPARE(f->lines(), expected);
    QCOMPARE(f->text(QStringLiteral("lineCountLabel")), QString::number(expected.size()));
    QCOMPARE(f->enabled(QStringLiteral("recentDrawsAction")), postProcessing);
    QCOMPARE(f->enabled(QStringLiteral("lastDrawsAction")), postProcessing);
    QVERIFY(!f->stage->systemSaved());
    QVERIFY(!f->shown(QStringLiteral("busyLamp")));
    for (const char* name : {"guaranteeOkButton", "simulationOkButton", "guaranteeGroup", "simulationGroup",
                             "backButton", "saveButton", "printButton", "resultOkButton"})
        QVERIFY2(f->enabled(QLatin1String(name)), name);
    QVERIFY(f->timer(QStringLiteral("flashTimer"))->isActive());
    QVERIFY(f->fakes.dialogs.shown.isEmpty());
}

void GeneratorStageTest::guaranteeBuildIsRepeatable() {
    StageFixture f;
    f.setLexicographicPool(12);
    f.buildGuarantee(2);
    const QStringList first = f.lines();
    QVERIFY(first.size() > 1);
    // Also after the post-processing buttons a full system enabled: a reduced build closes them again.
    f.buildGuarantee(0);
    QVERIFY(f.enabled(QStringLiteral("recentDrawsAction")));
    f.buildGuarantee(2);
    QCOMPARE(f.lines(), first);
    QVERIFY(!f.enabled(QStringLiteral("recentDrawsAction")));
}

void GeneratorStageTest::saveButtonFlashesSevenStepsThenStops() {
    std::unique_ptr<StageFixture> f(smallPoolStage());
    f->buildGuarantee(0);
    QTimer* flash = f->timer(QStringLiteral("flashTimer"));
    QCOMPARE(flash->interval(), 200);
    QList<bool> frame;
    for (int tick = 0; tick < 8; ++tick) {
        QVERIFY(flash->isActive());
        f->stage->flashTick();
        frame << f->shown(QStringLiteral("saveFlashFrame"));
    }
    QCOMPARE(frame, (QList<bool>{true, false, true, false, true, false, true, false}));
    QVERIFY(!flash->isActive());
}

void GeneratorStageTest::clickingALineShowsItsPosition() {
    std::unique_ptr<StageFixture> f(smallPoolStage());
    f->buildGuarantee(0);
    QListView* view = f->listView();
    view->resize(200, 200);
    // Tabbing into the list makes its first line current without choosing it: nothing is shown yet.
    QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(view, &tabbedIn);
    QVERIFY(f->text(QStringLiteral("selectedLineLabel")).isEmpty());

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(0, 0)).center());
    QCOMPARE(f->text(QStringLiteral("selectedLineLabel")), QStringLiteral("1"));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(2, 0)).center());
    QCOMPARE(f->text(QStringLiteral("selectedLineLabel")), QStringLiteral("3"));
    QCOMPARE(view->selectionModel()->selectedIndexes().size(), 1);
    // The arrow keys choose a line as a click does.
    QTest::keyClick(view, Qt::Key_Up);
    QCOMPARE(f->text(QStringLiteral("selectedLineLabel")), QStringLiteral("2"));
}

void GeneratorStageTest::savingWritesTwentyBytesPerLine() {
    std::unique_ptr<StageFixture> f(smallPoolStage());
    f->buildGuarantee(0);
    const QString file = f->path(QStringLiteral("system.txt"));
    f->fakes.dialogs.fileNames << file;

    f->click(QStringLiteral("saveButton"));

    QCOMPARE(f->fakes.dialogs.fileFilters, QStringList{QStringLiteral("Plik textowy(*.txt) | txt")});
    QCOMPARE(readAll(file), QByteArray("  1  2  3  4  5  6\r\n  1  2  3  4  5  7\r\n  1  2  3  4  8  9\r\n"));
    QVERIFY(f->stage->systemSaved());
    QVERIFY(f->fakes.dialogs.shown.isEmpty());
}

void GeneratorStageTest::savingAnEmptyListOnlyTellsSo() {
    StageFixture f;
    f.click(QStringLiteral("saveButton"));
    QCOMPARE(f.fakes.dialogs.shown, QStringList{QStringLiteral("info: Co chcesz zapisywać ? Lista jest pusta ! ")});
    QVERIFY(f.fakes.dialogs.fileFilters.isEmpty());
}

void GeneratorStageTest::cancelledSaveStillCountsAsOffered() {
    std::unique_ptr<StageFixture> f(smallPoolStage());
    f->buildGuarantee(0);
    f->fakes.dialogs.fileNames << QString();
    f->click(QStringLiteral("saveButton"));
    QVERIFY(f->stage->systemSaved());

    QSignalSpy back(f->stage.get(), &GeneratorStage::backToFiltersRequested);
    f->click(QStringLiteral("backButton"));
    QCOMPARE(back.count(), 1);
    QVERIFY(f->fakes.dialogs.shown.isEmpty());
}

void GeneratorStageTest::failedSaveLeavesTheSystemUnsaved() {
    std::unique_ptr<StageFixture> f(smallPoolStage());
    f->buildGuarantee(0);
    f->fakes.dialogs.fileNames << f->path(QStringLiteral("no such folder/system.txt"));
    f->click(QStringLiteral("saveButton"));
    QCOMPARE(f->fakes.dialogs.shown.size(), 1);
    QVERIFY(f->fakes.dialogs.shown.first().startsWith(QStringLiteral("error: ")));
    QVERIFY(!f->stage->systemSaved());
}

void GeneratorStageTest::backButtonOffersToSaveANewSystemOnce() {
    for (const bool yes : {false, true}) {
        std::unique_ptr<StageFixture> f(smallPoolStage());
        QSignalSpy back(f->stage.get(), &GeneratorStage::backToFiltersRequested);
        f->buildGuarantee(1);
        const QString file = f->path(QStringLiteral("offered.txt"));
        f->fakes.dialogs.answers << yes;
        if (yes)
            f->fakes.dialogs.fileNames << file;

        f->click(QStringLiteral("backButton"));

        QCOMPARE(f->fakes.dialogs.shown, QStringList{kSaveQuestion});
        QCOMPARE(back.count(), 1);
        QCOMPARE(QFile::exists(file), yes);
        if (yes)
            QCOMPARE(readAll(file).size(), 40);
        QVERIFY(f->stage->systemSaved());

        // The question comes once per built system.
        f->click(QStringLiteral("backButton"));
        QCOMPARE(f->fakes.dialogs.shown.size(), 1);
        QCOMPARE(back.count(), 2);
    }
}

void GeneratorStageTest::backButtonAsksNothingWithAnEmptyOrSavedList() {
    std::unique_ptr<StageFixture> f(smallPoolStage());
    QSignalSpy back(f->stage.get(), &GeneratorStage::backToFiltersRequested);
    f->click(QStringLiteral("backButton"));
    QCOMPARE(back.count(), 1);

    f->stage->enterFinalStage();
    f->buildGuarantee(0);
    f->fakes.dialogs.fileNames << f->path(QStringLiteral("saved.txt"));
    f->click(QStringLiteral("saveButton"));
    f->click(QStringLiteral("backButton"));
    QCOMPARE(back.count(), 2);
    QVERIFY(f->fakes.dialogs.shown.isEmpty());
}

void GeneratorStageTest::backButtonStaysWhenTheOfferedSaveFails() {
    std::unique_ptr<StageFixture> f(smallPoolStage());
    QSignalSpy back(f->stage.get(), &GeneratorStage::backToFiltersRequested);
    f->buildGuarantee(0);
    f->fakes.dialogs.answers << true;
    f->fakes.dialogs.fileNames << f->path(QStringLiteral("missing folder/x.txt"));

    f->click(QStringLiteral("backButton"));

    QCOMPARE(back.count(), 0);
    QCOMPARE(f->fakes.dialogs.shown.size(), 2);
    QVERIFY(f->fakes.dialogs.shown.at(1).startsWith(QStringLiteral("error: ")));
    QVERIFY(!f->stage->systemSaved());
    QCOMPARE(f->lines().size(), 3);
}

void GeneratorStageTest::openedFileMatchesTheSavedSystemLineForLine() {
    StageFixture f;
    f.setLexicographicPool(11);
    f.buildGuarantee(3);
    const QStringList built = f.lines();
    const QString file = f.path(QStringLiteral("roundtrip.txt"));
    f.fakes.dialogs.fileNames << file;
    f.click(QStringLiteral("saveButton"));
    QCOMPARE(readAll(file).size(), 20 * built.size());

    f.stage->enterFinalStage();
    f.fakes.dialogs.fileNames << file;
    QVERIFY(f.stage->openSystemFile());

    QCOMPARE(f.lines(), built);
    QCOMPARE(f.text(QStringLiteral("lineCountLabel")), QString::number(built.size()));
    QCOMPARE(f.fakes.dialogs.fileFilters.last(), QStringLiteral("Pliki textowe(*.txt)"));
    QVERIFY(f.fakes.dialogs.shown.isEmpty());

    // Saved again, the file comes out byte for byte the same.
    const QString copy = f.path(QStringLiteral("copy.txt"));
    f.fakes.dialogs.fileNames << copy;
    f.click(QStringLiteral("saveButton"));
    QCOMPARE(readAll(copy), readAll(file));
}

void GeneratorStageTest::openingResetsTheStageForASystemFromAFile() {
    std::unique_ptr<StageFixture> f(smallPoolStage());
    const QString file = f->path(QStringLiteral("three.txt"));
    writeAll(file, "  1  2  3  4  5  6\r\n  7  8  9 10 11 12\r\n 13 14 15 16 17 18\r\n");
    f->buildGuarantee(0);
    f->fakes.dialogs.fileNames << f->path(QStringLiteral("first.txt"));
    f->click(QStringLiteral("saveButton"));
    f->click(QStringLiteral("guaranteeChoice3"));
    f->click(QStringLiteral("differenceChoice3"));
    f->type(QStringLiteral("simulationCountEdit"), QStringLiteral("5"));
    f->listView()->setCurrentIndex(f->listView()->model()->index(1, 0));
    QCOMPARE(f->text(QStringLiteral("selectedLineLabel")), QStringLiteral("2"));
    f->fakes.dialogs.fileNames << file;

    QVERIFY(f->stage->openSystemFile());

    QCOMPARE(f->lines().size(), 3);
    QCOMPARE(f->text(QStringLiteral("lineCountLabel")), QStringLiteral("3"));
    QVERIFY(f->text(QStringLiteral("selectedLineLabel")).isEmpty());
    QVERIFY(!f->enabled(QStringLiteral("backButton")));
    QVERIFY(!f->enabled(QStringLiteral("guaranteeOkButton")));
    QVERIFY(!f->enabled(QStringLiteral("simulationOkButton")));
    QVERIFY(!f->enabled(QStringLiteral("recentDrawsAction")));
    QVERIFY(!f->enabled(QStringLiteral("lastDrawsAction")));
    QVERIFY(f->enabled(QStringLiteral("saveButton")));
    QVERIFY(f->enabled(QStringLiteral("resultOkButton")));
    QVERIFY(f->enabled(QStringLiteral("printButton")));
    QVERIFY(f->button(QStringLiteral("guaranteeChoice0"))->isChecked());
    QVERIFY(f->button(QStringLiteral("differenceChoice0"))->isChecked());
    QVERIFY(f->find<QLineEdit>(QStringLiteral("simulationCountEdit"))->text().isEmpty());
    QVERIFY(f->stage->systemSaved());
}

void GeneratorStageTest::unreadableFileKeepsTheSystemOnScreen() {
    std::unique_ptr<StageFixture> f(smallPoolStage());
    f->buildGuarantee(0);
    f->fakes.dialogs.fileNames << f->path(QStringLiteral("saved.txt"));
    f->click(QStringLiteral("saveButton"));
    const QStringList before = f->lines();
    f->fakes.dialogs.fileNames << f->path(QStringLiteral("typed name that does not exist.txt"));

    QVERIFY(!f->stage->openSystemFile());

    QCOMPARE(f->fakes.dialogs.shown.size(), 1);
    QVERIFY(f->fakes.dialogs.shown.first().startsWith(QStringLiteral("error: ")));
    QCOMPARE(f->lines(), before);
    QCOMPARE(f->text(QStringLiteral("lineCountLabel")), QStringLiteral("3"));
    QVERIFY(f->enabled(QStringLiteral("backButton")));
    QVERIFY(f->enabled(QStringLiteral("guaranteeOkButton")));
    QVERIFY(f->enabled(QStringLiteral("recentDrawsAction")));
}

void GeneratorStageTest::openedFileKeepsOddLinesAsTheyStand() {
    StageFixture f;
    const QString file = f.path(QStringLiteral("odd.txt"));
    writeAll(file, "  1  2  3  4  5  6\r\n\r\nnot a line\r  7  8  9 10 11 12\n 13 14 15 16 17 18");
    f.fakes.dialogs.fileNames << file;
    QVERIFY(f.stage->openSystemFile());
    QCOMPARE(f.lines(), (QStringList{QStringLiteral("  1  2  3  4  5  6"), QString(), QStringLiteral("not a line"),
                                     QStringLiteral("  7  8  9 10 11 12"), QStringLiteral(" 13 14 15 16 17 18")}));
    QCOMPARE(f.text(QStringLiteral("lineCountLabel")), QStringLiteral("5"));
}

void GeneratorStageTest::largeFileOpensInFull() {
    StageFixture f;
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
    QVERIFY(f.stage->openSystemFile());
    QCOMPARE(f.listView()->model()->rowCount(), kLines);
    QCOMPARE(f.text(QStringLiteral("lineCountLabel")), QString::number(kLines));
    QCOMPARE(f.listView()->model()->index(kLines - 1, 0).data().toString(), QStringLiteral("  1  2  3  4  5  6"));
}

QTEST_MAIN(GeneratorStageTest)
#include "GeneratorStageTest.moc"
