// The chart window as the player uses it: a Number chosen on its ring and charted over a known history
// with the up-downs moved, the picker brought down afresh, and a ruler dragged over the chart. What the
// points are is tried in the chart's own tests; here the window must show exactly those points.

#include "ProgramFixture.h"
#include "app/NumberChartView.h"
#include "app/ShapeWidget.h"
#include "history/DrawEntry.h"
#include "history/DrawHistory.h"

#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLineSeries>
#include <QToolButton>
#include <QValueAxis>
#include <algorithm>

using namespace selektor;
using namespace selektor::test;

namespace {

// 135 weekly draws; 49 comes up every other draw in some stretches and every fifth in others, so the
// counts go up and down.
void storeKnownHistory(DrawHistoryStore& store) {
    QDate date(2020, 1, 4);
    for (int i = 0; i < 135; ++i, date = date.addDays(7)) {
        NumberBoxes boxes{};
        const bool has49 = (i / 45) % 2 == 0 ? i % 2 == 0 : i % 5 == 0;
        for (int n : {1 + i % 9, 10 + i % 10, 20 + i % 10, 30 + i % 10, 40 + i % 5, has49 ? 49 : 48})
            boxes[n - 1] = 1;
        const DrawEntry entry =
            enterDraw(store.history().lines, polishShortDate(date.year(), date.month(), date.day()), boxes);
        store.appendDraw(entry.line, entry.record);
    }
}

// Black pixels the overlay draws by itself, on a clear sheet: the chart under it does not count.
int blackPixels(ChartOverlay* overlay) {
    QImage sheet(overlay->size(), QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::transparent);
    overlay->render(&sheet, QPoint(), QRegion(), QWidget::RenderFlags());
    int black = 0;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            black += sheet.pixelColor(x, y) == QColor(Qt::black) ? 1 : 0;
    return black;
}

} // namespace

class ChartWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> shell;
    TForm1* window = nullptr;

    template <typename T = QWidget> T* find(const QString& name) const { return child<T>(window, name); }
    void press(const QString& name) const { click(window, name); }
    NumberChartView* chart() const { return find<NumberChartView>(QStringLiteral("numberChart")); }
    QString title() const { return chart()->chart()->title(); }
    QString field(const char* name) const { return find<QLineEdit>(QLatin1String(name))->text(); }
    QColor outline(int n) const { return find<ShapeWidget>(QStringLiteral("chartRing%1").arg(n))->outline(); }
    // The points as the chart shows them: each value at its place, each label on the axis under it.
    std::vector<ChartPoint> shownPoints() const {
        std::vector<ChartPoint> shown;
        QCategoryAxis* axis = chart()->labelAxis();
        const QStringList labels = axis->categoriesLabels();
        for (const QPointF& point : chart()->series()->points()) {
            QString label;
            for (const QString& candidate : labels)
                if (axis->endValue(candidate) == point.x())
                    label = candidate;
            shown.push_back({static_cast<std::int32_t>(point.y()), label.toStdString()});
        }
        return shown;
    }
    bool slideDone() const { return !find<QTimer>(QStringLiteral("pickerSlideTimer"))->isActive(); }

private slots:
    void init() {
        shell = std::make_unique<ProgramFixture>();
        window = &shell->program->chartWindow();
        shell->trigger("chartAction");
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->windowTitle(), QStringLiteral("Selektor - Wykresy"));
    }
    void cleanup() { shell.reset(); }

    void theChosenRingAloneIsAquaAndOkChartsItsNumber() {
        QCOMPARE(title(), QStringLiteral("Wykresy "));
        QCOMPARE(outline(1), QColor(0, 255, 255));
        press(QStringLiteral("chartRing49"));
        for (int n = 1; n <= 48; ++n)
            QCOMPARE(outline(n), QColor(0, 0, 128));
        QCOMPARE(outline(49), QColor(0, 255, 255));
        QCOMPARE(title(), QStringLiteral("Wykresy ")); // the chart waits for OK

        // The empty history: one point of 0 labelled "1", framed with room on every side.
        press(QStringLiteral("chartOkButton"));
        QCOMPARE(title(), QStringLiteral("Liczba 49"));
        QCOMPARE(shownPoints(), (std::vector<ChartPoint>{{0, "1"}}));
        QVERIFY(chart()->countAxis()->min() < 0 && chart()->countAxis()->max() > 0);
        QVERIFY(chart()->labelAxis()->min() < 0 && chart()->labelAxis()->max() > 0);
        QVERIFY(!chart()->chart()->legend()->isVisible());
    }

    void thePointsAreThoseOfTheUpDownsOverTheLoadedHistory() {
        const std::string folder = QFile::encodeName(shell->directory.path()).toStdString();
        DrawHistoryStore store(folder);
        store.load();
        storeKnownHistory(store);
        shell->program->session().run(
            [this] { return shell->model().loadHistory(shell->program->session().questions()); });

        // 50 draws a window, 10 a step: the windows start at 135 mod 10 = 5, and nine fit.
        for (int i = 0; i < 5; ++i)
            press(QStringLiteral("windowLengthDown"));
        press(QStringLiteral("windowStepDown"));
        press(QStringLiteral("chartRing49"));
        press(QStringLiteral("chartOkButton"));
        const std::vector<ChartPoint> expected = buildNumberChart(49, 50, 10, shell->model().drawHistory().records);
        QCOMPARE(expected.size(), std::size_t(9));
        QCOMPARE(shownPoints(), expected);
        // ... and they go up and down, so no single value frames them.
        const auto [low, high] =
            std::minmax_element(expected.begin(), expected.end(),
                                [](const ChartPoint& a, const ChartPoint& b) { return a.value < b.value; });
        QVERIFY(high->value - low->value >= 4);
        QVERIFY(chart()->countAxis()->min() < low->value && chart()->countAxis()->max() > high->value);
    }

    void theUpDownsStopAtTheirEndsAndShowTheirTexts() {
        QCOMPARE(field("windowLengthField"), QStringLiteral("100"));
        QCOMPARE(field("windowStepField"), QStringLiteral(" 20"));
        for (int i = 0; i < 8; ++i)
            press(QStringLiteral("windowLengthDown"));
        QCOMPARE(field("windowLengthField"), QStringLiteral(" 50"));
        QVERIFY(!find(QStringLiteral("windowLengthDown"))->isEnabled());
        for (int i = 0; i < 12; ++i)
            press(QStringLiteral("windowLengthUp"));
        QCOMPARE(field("windowLengthField"), QStringLiteral("150"));
        QVERIFY(!find(QStringLiteral("windowLengthUp"))->isEnabled());
        for (int i = 0; i < 3; ++i)
            press(QStringLiteral("windowStepUp"));
        QCOMPARE(field("windowStepField"), QStringLiteral(" 30"));
        for (int i = 0; i < 4; ++i)
            press(QStringLiteral("windowStepDown"));
        QCOMPARE(field("windowStepField"), QStringLiteral(" 10"));
    }

    void theRulerIsDraggedOnTheOverlayAndClearedByAClickOkAndTheSlideIn() {
        press(QStringLiteral("chartOkButton"));
        ChartOverlay* overlay = chart()->overlay();
        QCOMPARE(overlay->geometry(), chart()->rect());
        const QPoint from(60, 200), over(150, 150), to(300, 80);

        QTest::mousePress(overlay, Qt::LeftButton, {}, from);
        QTest::mouseMove(overlay, over);
        QCOMPARE(overlay->rulerLine(), std::optional<QLine>(QLine(from, over)));
        QTest::mouseMove(overlay, to);
        QTest::mouseRelease(overlay, Qt::LeftButton, {}, to);
        QCOMPARE(overlay->rulerLine(), std::optional<QLine>(QLine(from, to)));
        QVERIFY(blackPixels(overlay) > 200);

        // A click where nothing moved: the old line goes and no dot is left.
        QTest::mouseClick(overlay, Qt::LeftButton, {}, to);
        QVERIFY(!overlay->rulerLine());
        QCOMPARE(blackPixels(overlay), 0);

        QTest::mousePress(overlay, Qt::RightButton, {}, from);
        QTest::mouseRelease(overlay, Qt::RightButton, {}, to);
        QVERIFY(overlay->rulerLine());
        press(QStringLiteral("chartOkButton"));
        QVERIFY(!overlay->rulerLine());

        // "Wykresy liczb" brings the picker down from above and, once it rests, empties the chart.
        QTest::mousePress(overlay, Qt::LeftButton, {}, from);
        QTest::mouseRelease(overlay, Qt::LeftButton, {}, to);
        auto* button = find<QToolButton>(QStringLiteral("numberChartsButton"));
        button->click();
        QCOMPARE(find(QStringLiteral("numberPickerPanel"))->y(), -100);
        QTRY_VERIFY(slideDone());
        QCOMPARE(find(QStringLiteral("numberPickerPanel"))->y(), 4);
        QCOMPARE(title(), QStringLiteral("Liczby"));
        QCOMPARE(chart()->series()->count(), 0);
        QVERIFY(!overlay->rulerLine());
        QVERIFY(button->isChecked());
    }

    void everyAxisLabelOfALongHistoryIsWrittenWhole() {
        // 241 points: the Polish history at 100 draws a window and a step of 30.
        std::vector<ChartPoint> points;
        for (int i = 1; i <= 241; ++i)
            points.push_back({i % 9, std::to_string(i)});
        chart()->showPoints(QStringLiteral("Liczba 7"), points);
        QTest::qWait(50);

        QStringList written, cut;
        for (QGraphicsItem* item : chart()->chart()->scene()->items()) {
            const auto* text = dynamic_cast<const QGraphicsTextItem*>(item);
            if (!text || !text->isVisible())
                continue;
            const QString label = text->toPlainText();
            (label.contains(QStringLiteral("...")) || label.contains(QChar(0x2026)) ? cut : written) << label;
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char(' '))));
        QVERIFY2(written.contains(QStringLiteral("1")) && written.contains(QStringLiteral("240")),
                 qPrintable(written.join(QLatin1Char(' '))));
    }
};

QTEST_MAIN(ChartWindowTest)
#include "ChartWindowTest.moc"
