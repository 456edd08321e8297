// "Zapisz filtry" and "Otwórz filtry" as the player meets them: in the menu and beside the tabs, with
// the program's dialogs, and an opened set shown on every tab as if it had been clicked there.

#include "ProgramFixture.h"
#include "app/FilterColours.h"
#include "app/ShapeWidget.h"
#include "filtersets/FilterSetFile.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

using namespace selektor;
using namespace selektor::test;

namespace {

const QString kFilterSetDialog = QStringLiteral("Filtry Selektora (*.sel) | sel");

} // namespace

class FilterSetWindowTest : public QObject {
    Q_OBJECT

    QAction* action(const ProgramFixture& f, const char* name) {
        return child<QAction>(f.window(), QString::fromLatin1(name));
    }
    // A tab brought to the front and set to a mode, as the player clicks it.
    void chooseMode(const ProgramFixture& f, int tab, const QString& radio) {
        f.find<QTabWidget>(QStringLiteral("filterTabs"))->setCurrentIndex(tab);
        click(f.find(radio));
    }
    ShapeWidget* shape(const ProgramFixture& f, const QString& name) { return f.find<ShapeWidget>(name); }
    QCheckBox* shareBox(const ProgramFixture& f, int k) {
        return f.find<QCheckBox>(QStringLiteral("shareBox%1").arg(k));
    }
    bool checked(const ProgramFixture& f, const QString& radio) { return f.find<QRadioButton>(radio)->isChecked(); }

private slots:
    void menuHoldsBothCommandsWithTheirShortCuts() {
        ProgramFixture f;
        QCOMPARE(action(f, "saveFiltersAction")->text(), QStringLiteral("Zapisz filtry"));
        QCOMPARE(action(f, "saveFiltersAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
        QCOMPARE(action(f, "openFiltersAction")->text(), QStringLiteral("Otwórz filtry"));
        QCOMPARE(action(f, "openFiltersAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+O")));

        // Saving waits for the filter stage and goes with it; opening is there all the time.
        QVERIFY(!action(f, "saveFiltersAction")->isEnabled());
        f.trigger("newAction");
        QVERIFY(action(f, "saveFiltersAction")->isEnabled());
        f.enterGeneratorStage(9);
        QVERIFY(!action(f, "saveFiltersAction")->isEnabled());
        QVERIFY(action(f, "openFiltersAction")->isEnabled());
    }

    void savedFiltersComeBackOnEveryTab() {
        ProgramFixture f;
        f.trigger("newAction");
        chooseMode(f, 0, QStringLiteral("numbersMode1"));
        QTRY_VERIFY(f.shown(QStringLiteral("rangeBox")));
        for (const char* number : {"favourite7", "favourite13", "basic1", "basic2", "basic3", "basic4", "basic5"})
            click(f.find(QString::fromLatin1(number)));
        click(shareBox(f, 1));
        click(shareBox(f, 2));
        chooseMode(f, 1, QStringLiteral("evenOddMode1"));
        QTRY_VERIFY(f.find(QStringLiteral("evenOddCaption3"))->isVisible());
        click(f.find(QStringLiteral("evenOddCaption3")));
        chooseMode(f, 7, QStringLiteral("pairsMode1"));
        QTRY_VERIFY(f.find(QStringLiteral("pairOptions"))->isVisible());
        click(f.find(QStringLiteral("pairGroupLimit2")));
        click(f.find(QStringLiteral("pairsCaption1")));
        const FilterSettings saved = f.model().filterSettings();

        f.fakes.dialogs.fileNames.enqueue(f.path(QStringLiteral("moje.sel")));
        f.click(QStringLiteral("saveFiltersButton"));
        QCOMPARE(f.fakes.dialogs.fileFilters, QStringList{kFilterSetDialog});
        QVERIFY(readAll(f.path(QStringLiteral("moje.sel"))).startsWith("Filtry Selektora, wersja 1\r\n"));

        // Changed after saving, counted, and every tab back to its free mode.
        click(f.find(QStringLiteral("pairGroupLimit0")));
        f.find<QTabWidget>(QStringLiteral("filterTabs"))->setCurrentIndex(1);
        click(f.find(QStringLiteral("evenOddCaption2")));
        f.find<QTabWidget>(QStringLiteral("filterTabs"))->setCurrentIndex(0);
        click(f.find(QStringLiteral("favourite13")));
        f.click(QStringLiteral("calculateButton"));
        QVERIFY2(!f.text(QStringLiteral("countLabel")).isEmpty(),
                 qPrintable(f.fakes.dialogs.shown.join(QLatin1Char('|'))));
        f.trigger("newAction");
        QCOMPARE(shape(f, QStringLiteral("evenOddShape2"))->fill(), colours::kLime);

        f.fakes.dialogs.fileNames.enqueue(f.path(QStringLiteral("moje.sel")));
        f.trigger("openFiltersAction");
        QCOMPARE(f.fakes.dialogs.fileFilters.last(), kFilterSetDialog);
        QCOMPARE(f.model().filterSettings(), saved);
        QVERIFY(f.fakes.dialogs.shown.isEmpty());
        QCOMPARE(f.find<QTabWidget>(QStringLiteral("filterTabs"))->currentIndex(), 0);
        QVERIFY(!f.enabled(QStringLiteral("finalStageButton")));
        QCOMPARE(f.text(QStringLiteral("countLabel")), QString());
        // The tabs show it: modes, colours, both groups, the share boxes and the options of " Pary   ".
        QVERIFY(checked(f, QStringLiteral("numbersMode1")));
        QVERIFY(checked(f, QStringLiteral("evenOddMode1")));
        QVERIFY(checked(f, QStringLiteral("pairsMode1")));
        QVERIFY(checked(f, QStringLiteral("rowColumnMode0")));
        QTRY_VERIFY(f.find(QStringLiteral("rangeBox"))->isVisible());
        QCOMPARE(shape(f, QStringLiteral("evenOddShape3"))->fill(), colours::kLime);
        QCOMPARE(shape(f, QStringLiteral("evenOddShape2"))->fill(), QColor(Qt::white));
        QCOMPARE(shape(f, QStringLiteral("favourite13"))->outline(), colours::kTeal);
        QCOMPARE(shape(f, QStringLiteral("basic13"))->outline(), colours::kSilver);
        QCOMPARE(shape(f, QStringLiteral("basic4"))->outline(), colours::kTeal);
        QVERIFY(shareBox(f, 2)->isChecked() && shareBox(f, 2)->isEnabled());
        QVERIFY(!shareBox(f, 3)->isEnabled());
        QVERIFY(checked(f, QStringLiteral("pairGroupLimit2")));
        f.find<QTabWidget>(QStringLiteral("filterTabs"))->setCurrentIndex(1);
        QTRY_VERIFY(f.find(QStringLiteral("evenOddCaption3"))->isVisible());
    }

    void openingFromTheIntroAndTheGeneratorLeadsToTheFilters() {
        ProgramFixture f;
        FilterSettings sum;
        sum.setMode(Panel::Sum, 1);
        sum.sumTemplates[25] = 1;
        writeAll(f.path(QStringLiteral("suma.sel")), QByteArray::fromStdString(filterSetText(sum)));

        f.fakes.dialogs.fileNames.enqueue(f.path(QStringLiteral("suma.sel")));
        f.trigger("openFiltersAction");
        QCOMPARE(f.currentStage(), QStringLiteral("filterStage"));
        QVERIFY(!f.timer(QStringLiteral("introTimer"))->isActive());
        QVERIFY(checked(f, QStringLiteral("sumMode1")));
        QCOMPARE(shape(f, QStringLiteral("sumShape6"))->fill(), colours::kAqua);

        // From a new system in the generator: the save offer first, then the dialog.
        f.enterGeneratorStage(9);
        f.buildGuarantee(0);
        f.answer({false});
        f.fakes.dialogs.fileNames.enqueue(f.path(QStringLiteral("suma.sel")));
        f.trigger("openFiltersAction");
        QCOMPARE(f.fakes.dialogs.shown, QStringList{kSaveQuestion});
        QCOMPARE(f.currentStage(), QStringLiteral("filterStage"));
        QVERIFY(f.enabled(QStringLiteral("calculateButton")));
    }

    void aRefusedFileIsSaidAndChangesNothing() {
        ProgramFixture f;
        f.trigger("newAction");
        chooseMode(f, 3, QStringLiteral("sumMode1"));
        QTRY_VERIFY(f.find(QStringLiteral("sumCaption6"))->isVisible());
        click(f.find(QStringLiteral("sumCaption6")));
        f.click(QStringLiteral("calculateButton"));
        const QString count = f.text(QStringLiteral("countLabel"));
        writeAll(f.path(QStringLiteral("zly.sel")), "Filtry Selektora, wersja 1\r\nLiczby: tryb 5\r\n");

        f.fakes.dialogs.fileNames.enqueue(f.path(QStringLiteral("zly.sel")));
        f.trigger("openFiltersAction");
        QCOMPARE(f.fakes.dialogs.shown,
                 QStringList{QStringLiteral("info: Wiersz 2 pliku filtrów: zakładka Liczby nie ma trybu 5 !")});
        QCOMPARE(f.find<QTabWidget>(QStringLiteral("filterTabs"))->currentIndex(), 3);
        QCOMPARE(f.text(QStringLiteral("countLabel")), count);
        QVERIFY(checked(f, QStringLiteral("sumMode1")));
        QCOMPARE(shape(f, QStringLiteral("sumShape6"))->fill(), colours::kAqua);
    }
};

QTEST_MAIN(FilterSetWindowTest)
#include "FilterSetWindowTest.moc"
