// " Sprawdzanie wyników " on the stage: the counts and the two lists of every hit class, the refusals
// that keep the previous results, and the six-hit sound.

#include "GeneratorStageFixture.h"

#include <QListWidget>

using namespace selektor;
using namespace selektor::test;

namespace {

QStringList items(const StageFixture& f, const QString& name) {
    QStringList texts;
    const auto* list = f.find<QListWidget>(name);
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

void enterDraw(const StageFixture& f, const QStringList& numbers) {
    for (int i = 0; i < 6; ++i)
        f.type(QStringLiteral("drawnEdit%1").arg(i + 1), numbers.value(i));
}

// Ten lines; the 10th shares four numbers with the draw 5 12 25 31 38 45, the 1st is the draw itself,
// the 3rd shares five and the 7th three.
StageFixture* tenLineStage() {
    auto* f = new StageFixture{combination({5, 12, 25, 31, 38, 45}), combination({1, 2, 3, 4, 6, 7}),
                               combination({5, 12, 25, 31, 38, 49}), combination({1, 2, 3, 4, 6, 8}),
                               combination({1, 2, 3, 4, 6, 9}),      combination({1, 2, 3, 4, 6, 10}),
                               combination({5, 12, 25, 40, 41, 42}), combination({1, 2, 3, 4, 6, 11}),
                               combination({1, 2, 3, 4, 6, 13}),     combination({5, 12, 25, 31, 40, 41})};
    f->buildGuarantee(0);
    return f;
}

const QStringList kDraw{QStringLiteral("5"),  QStringLiteral("12"), QStringLiteral("25"),
                        QStringLiteral("31"), QStringLiteral("38"), QStringLiteral("45")};

} // namespace

class GeneratorStageResultTest : public QObject {
    Q_OBJECT
private slots:
    void everyHitClassShowsLinesAndCouponPositions();
    void oneDigitNumbersMatchOnlyTheirOwnField();
    void refusalsKeepThePreviousResults_data();
    void refusalsKeepThePreviousResults();
    void emptyListGivesZeroCounts();
};

void GeneratorStageResultTest::everyHitClassShowsLinesAndCouponPositions() {
    std::unique_ptr<StageFixture> f(tenLineStage());
    enterDraw(*f, kDraw);

    f->click(QStringLiteral("resultOkButton"));

    QCOMPARE(f->text(QStringLiteral("hitCount6")), QStringLiteral("1"));
    QCOMPARE(f->text(QStringLiteral("hitCount5")), QStringLiteral("1"));
    QCOMPARE(f->text(QStringLiteral("hitCount4")), QStringLiteral("1"));
    QCOMPARE(f->text(QStringLiteral("hitCount3")), QStringLiteral("1"));
    QCOMPARE(items(*f, QStringLiteral("hitList6")), QStringList{QStringLiteral("1")});
    QCOMPARE(items(*f, QStringLiteral("couponList6")), QStringList{QStringLiteral("1.1")});
    QCOMPARE(items(*f, QStringLiteral("hitList5")), QStringList{QStringLiteral("3")});
    QCOMPARE(items(*f, QStringLiteral("couponList5")), QStringList{QStringLiteral("1.3")});
    QCOMPARE(items(*f, QStringLiteral("hitList4")), QStringList{QStringLiteral("10")});
    QCOMPARE(items(*f, QStringLiteral("couponList4")), QStringList{QStringLiteral("2.2")});
    QCOMPARE(items(*f, QStringLiteral("hitList3")), QStringList{QStringLiteral("7")});
    QCOMPARE(items(*f, QStringLiteral("couponList3")), QStringList{QStringLiteral("1.7")});
    QCOMPARE(f->fakes.sound.played, QStringList{QStringLiteral("Stn.wav")});
    QVERIFY(f->fakes.dialogs.shown.isEmpty());
}

void GeneratorStageResultTest::oneDigitNumbersMatchOnlyTheirOwnField() {
    StageFixture f{combination({1, 12, 13, 14, 15, 16}), combination({1, 2, 3, 20, 30, 40})};
    f.buildGuarantee(0);
    enterDraw(f, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                  QStringLiteral("5"), QStringLiteral("6")});
    f.click(QStringLiteral("resultOkButton"));
    QCOMPARE(f.text(QStringLiteral("hitCount3")), QStringLiteral("1"));
    QCOMPARE(items(f, QStringLiteral("hitList3")), QStringList{QStringLiteral("2")});
    for (const char* name : {"hitCount6", "hitCount5", "hitCount4"})
        QCOMPARE(f.text(QLatin1String(name)), QStringLiteral("0"));
    QVERIFY(f.fakes.sound.played.isEmpty());
}

void GeneratorStageResultTest::refusalsKeepThePreviousResults_data() {
    QTest::addColumn<QStringList>("draw");
    QTest::addColumn<QString>("message");
    const QString missing = QStringLiteral("info: Wprowadź najpierw wszystkie wylosowane liczby !");
    const QString twice = QStringLiteral("info: Jeżeli wylosowano dwie te same liczby, to dokonaj zakupu programu "
                                         "Bramkarz i przejdź na zakłady piłkarskie !");
    QTest::newRow("last field empty") << QStringList{"5", "12", "25", "31", "38", ""} << missing;
    QTest::newRow("first field empty") << QStringList{"", "12", "25", "31", "38", "45"} << missing;
    QTest::newRow("same number twice") << QStringList{"5", "12", "25", "31", "12", "45"} << twice;
}

void GeneratorStageResultTest::refusalsKeepThePreviousResults() {
    QFETCH(QStringList, draw);
    QFETCH(QString, message);
    std::unique_ptr<StageFixture> f(tenLineStage());
    enterDraw(*f, kDraw);
    f->click(QStringLiteral("resultOkButton"));
    f->fakes.sound.played.clear();

    enterDraw(*f, draw);
    f->click(QStringLiteral("resultOkButton"));

    QCOMPARE(f->fakes.dialogs.shown, QStringList{message});
    QCOMPARE(f->text(QStringLiteral("hitCount4")), QStringLiteral("1"));
    QCOMPARE(items(*f, QStringLiteral("couponList4")), QStringList{QStringLiteral("2.2")});
    QVERIFY(f->fakes.sound.played.isEmpty());
}

void GeneratorStageResultTest::emptyListGivesZeroCounts() {
    StageFixture f;
    // A leading zero makes "05" a different entry from "5": no duplicate, and it matches nothing.
    enterDraw(f, {QStringLiteral("5"), QStringLiteral("05"), QStringLiteral("25"), QStringLiteral("31"),
                  QStringLiteral("38"), QStringLiteral("45")});
    f.click(QStringLiteral("resultOkButton"));
    QVERIFY(f.fakes.dialogs.shown.isEmpty());
    for (int hits = 3; hits <= 6; ++hits) {
        QCOMPARE(f.text(QStringLiteral("hitCount%1").arg(hits)), QStringLiteral("0"));
        QVERIFY(items(f, QStringLiteral("hitList%1").arg(hits)).isEmpty());
    }
}

QTEST_MAIN(GeneratorStageResultTest)
#include "GeneratorStageResultTest.moc"
