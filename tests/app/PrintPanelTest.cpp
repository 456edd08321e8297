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
    void aPositionTheFieldCannotHoldIsShownAsItIs();
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

void PrintPanelTest::aPositionTheFieldCannotHoldIsShownAsItIs() {
    // "4x" and "12345" cannot stand in four digit places: the fields show them in full, so the error at
    // saving names a text the player can see.
    ProgramFixture f;
    writeAll(f.path(QStringLiteral("PNR.txt")), "4x\r\n");
    f.program->session().run([&] { return f.model().loadPrintSettings(); });
    QCOMPARE(f.fakes.dialogs.shown, QStringList{QStringLiteral("error: '4x' is not a valid integer value")});
    f.enterGeneratorStage(9);
    f.buildGuarantee(0);
    f.click(QStringLiteral("printButton"));
    auto* pnr = f.find<QLineEdit>(QStringLiteral("settingPNREdit"));
    QCOMPARE(pnr->displayText(), QStringLiteral("4x"));

    f.fakes.dialogs.shown.clear();
    f.click(QStringLiteral("printSettingsSaveButton"));
    QCOMPARE(f.fakes.dialogs.shown, QStringList{QStringLiteral("error: '4x' is not a valid integer value")});

    // Typed anew, the field takes its four places again and the positions are saved.
    pnr->setFocus();
    pnr->selectAll();
    QTest::keyClicks(pnr, QStringLiteral("45"));
    QCOMPARE(pnr->displayText(), QStringLiteral("45__"));
    f.fakes.dialogs.shown.clear();
    f.answer({true});
    f.click(QStringLiteral("printSettingsSaveButton"));
    QCOMPARE(f.fakes.dialogs.shown, QStringList{QStringLiteral("question: Zapisać aktualne ustawienia ?")});
    QCOMPARE(readAll(f.path(QStringLiteral("PNR.txt"))), QByteArray("45\r\n"));

    // A number too long for the places is refused as well, and shown whole.
    pnr->clearFocus();
    writeAll(f.path(QStringLiteral("PX1.txt")), "12345\r\n");
    f.fakes.dialogs.shown.clear();
    f.program->session().run([&] { return f.model().loadPrintSettings(); });
    QCOMPARE(f.fakes.dialogs.shown, QStringList{QStringLiteral("error: '12345' is not a valid integer value")});
    QCOMPARE(f.find<QLineEdit>(QStringLiteral("settingPX1Edit"))->displayText(), QStringLiteral("12345"));
    QCOMPARE(pnr->displayText(), QStringLiteral("____")); // the positions after it are not read
}

QTEST_MAIN(PrintPanelTest)
#include "PrintPanelTest.moc"
