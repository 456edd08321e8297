// The pages as they come out of a real printer: printed into a PDF file through the program's painter,
// the texts stand where the coupon layout puts them (read back with pdftotext, in points).

#include "app/PagePainter.h"

#include "print/PrintSettings.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace selektor;

class PagePainterTest : public QObject {
    Q_OBJECT
private slots:
    void textsLandWhereTheLayoutPutsThem();
    void aFileThatCannotBeWrittenIsSaid_data();
    void aFileThatCannotBeWrittenIsSaid();
};

void PagePainterTest::textsLandWhereTheLayoutPutsThem() {
    QTemporaryDir directory;
    const QString file = directory.filePath(QStringLiteral("test.pdf"));
    // At 200 pixels to the inch the marks of the layout's example stand apart, each a word of its own, and
    // the whole blank fits the page.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setResolution(200);
    const PrintSettings settings{100, 50, 200, 40, 30, 60, 50};
    QVERIFY(!paintPages(printer, {testPage(settings)}));

    // pdftotext reports every word's box in points from the top left of the page.
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    QVERIFY2(pdftotext.waitForFinished(30000), "pdftotext did not run");
    const QString boxes = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const auto wordAt = [&](const QString& word) {
        const QRegularExpression box(QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>%1</word>)re")
                                         .arg(QRegularExpression::escape(word)));
        QList<QPointF> points;
        for (auto match = box.globalMatch(boxes); match.hasNext();) {
            const auto m = match.next();
            points << QPointF(m.captured(1).toDouble(), m.captured(2).toDouble());
        }
        return points;
    };

    // Printer pixels to points, from the printable area's corner, which is where the painter starts.
    const int dpi = printer.resolution();
    const QPointF corner = printer.pageLayout().paintRectPoints().topLeft();
    const auto inPoints = [&](int x, int y) { return corner + QPointF(x, y) * 72.0 / dpi; };
    // A word's box starts at its glyphs, a little below and right of the text's corner.
    const double tolerance = 4.0;
    const auto near = [&](const QList<QPointF>& found, QPointF expected) {
        for (const QPointF& p : found)
            if (std::abs(p.x() - expected.x()) < tolerance && std::abs(p.y() - expected.y()) < tolerance)
                return true;
        return false;
    };
    QCOMPARE(wordAt(QStringLiteral("***")).size(), 392);
    QVERIFY(near(wordAt(QStringLiteral("***")), inPoints(653, 200)));  // Number 1 of ticket 1
    QVERIFY(near(wordAt(QStringLiteral("***")), inPoints(100, 1489))); // Number 49 of ticket 8
    QVERIFY(near(wordAt(QStringLiteral("$$$")), inPoints(649, 1748)));
    QVERIFY(near(wordAt(QStringLiteral("TEST")), inPoints(579, 1798)));
}

void PagePainterTest::aFileThatCannotBeWrittenIsSaid_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("a full disk") << QStringLiteral("/dev/full");
    QTest::newRow("a folder that is not there") << QStringLiteral("/nonexistent-folder/coupons.pdf");
}

void PagePainterTest::aFileThatCannotBeWrittenIsSaid() {
    QFETCH(QString, file);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    const PrintSettings settings{100, 50, 200, 40, 30, 60, 50};
    QCOMPARE(paintPages(printer, {testPage(settings), testPage(settings)}),
             std::optional<QString>(QStringLiteral("Nie można zapisać wydruku w pliku %1 !").arg(file)));
}

QTEST_MAIN(PagePainterTest)
#include "PagePainterTest.moc"
