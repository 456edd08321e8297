// " Wydruk systemu " as the player uses it: the panels open with the blank count of the list, the fields
// show the positions read at start-up, and "Test" and "Drukuj" hand their pages to the printer or say why
// not.

#include "ProgramFixture.h"

using namespace selektor;
using namespace selektor::test;

class PrintPanelTest : public QObject {
    Q_OBJECT
private slots:
    void printingFromThePanels();
};

void PrintPanelTest::printingFromThePanels() {
    ProgramFixture f;
    QVERIFY(f.fakes.dialogs.shown.isEmpty()); // the positions were read at start-up
    f.enterGeneratorStage(9);                 // 84 lines, 11 blanks
    f.buildGuarantee(0);

    f.click(QStringLiteral("printButton"));
    QVERIFY(f.shown(QStringLiteral("printSettingsPanel")));
    QVERIFY(f.shown(QStringLiteral("printRangePanel")));
    QVERIFY(!f.shown(QStringLiteral("printPicture")));
    QCOMPARE(f.text(QStringLiteral("blanksNeededLabel")), QStringLiteral("11"));
    QCOMPARE(f.find<QLineEdit>(QStringLiteral("settingPX1Edit"))->text(), QStringLiteral("100"));

    f.click(QStringLiteral("printTestButton"));
    QCOMPARE(f.fakes.printer.jobs.size(), std::size_t{1});
    QCOMPARE(f.fakes.printer.jobs[0].size(), std::size_t{1});

    f.type(QStringLiteral("printFromEdit"), QStringLiteral("12"));
    f.type(QStringLiteral("printToEdit"), QStringLiteral("12"));
    f.click(QStringLiteral("printCouponsButton"));
    QCOMPARE(f.fakes.dialogs.shown, QStringList{QStringLiteral("info: Górny zakres poza dopuszczalnym limitem !")});

    // The printer refuses: its failure is said, and the next print may begin.
    f.type(QStringLiteral("printFromEdit"), QStringLiteral("10"));
    f.type(QStringLiteral("printToEdit"), QStringLiteral("11"));
    f.fakes.printer.failure = QStringLiteral("Drukarka nie przyjęła strony 2 !");
    f.click(QStringLiteral("printCouponsButton"));
    QCOMPARE(f.fakes.printer.jobs.size(), std::size_t{2});
    QCOMPARE(f.fakes.printer.jobs[1].size(), std::size_t{2});
    QCOMPARE(f.fakes.dialogs.shown.last(), QStringLiteral("error: Drukarka nie przyjęła strony 2 !"));

    // A field typed empty: the message, nothing printed.
    auto* pnr = f.find<QLineEdit>(QStringLiteral("settingPNREdit"));
    pnr->setFocus();
    pnr->selectAll();
    QTest::keyClick(pnr, Qt::Key_Delete);
    f.click(QStringLiteral("printTestButton"));
    QCOMPARE(f.fakes.dialogs.shown.last(), QStringLiteral("info: Nie ustalona pozycja wydruku: PNR !"));
    QCOMPARE(f.fakes.printer.jobs.size(), std::size_t{2});

    f.click(QStringLiteral("printButton"));
    QVERIFY(!f.shown(QStringLiteral("printSettingsPanel")));
    QVERIFY(f.shown(QStringLiteral("printPicture")));
}

QTEST_MAIN(PrintPanelTest)
#include "PrintPanelTest.moc"
