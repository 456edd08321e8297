// "Oblicz" from the player's side: the lamp, the count, the refusal box and the way to the final stage.

#include "SessionFixture.h"
#include "WindowLookup.h"
#include "app/FilterStage.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>
#include <memory>

using namespace selektor;
using namespace selektor::test;

class CountTest : public QObject {
    Q_OBJECT

    SessionFixture fixture;
    FakeServices& fakes = fixture.fakes;
    std::unique_ptr<FilterStage> stage;

    const CandidatePool& pool() const { return fixture.model->candidatePool(); }

    QPushButton* calculate() { return child<QPushButton>(stage.get(), QStringLiteral("calculateButton")); }
    QPushButton* finalStage() { return child<QPushButton>(stage.get(), QStringLiteral("finalStageButton")); }
    QString countText() { return child<QLabel>(stage.get(), QStringLiteral("countLabel"))->text(); }
    QWidget* lamp() { return child(stage.get(), QStringLiteral("countLamp")); }

    void chooseMode(const char* key, int mode) {
        click(stage.get(), QString::fromLatin1(key) + QStringLiteral("Mode%1").arg(mode));
    }
    // Sum templates by bucket: 19 is "2-19", 20 to 35 themselves.
    void toggleSums(std::initializer_list<int> buckets) {
        for (int bucket : buckets)
            click(stage.get(), QStringLiteral("sumCaption%1").arg(bucket - 19));
    }

private slots:
    void initTestCase() {
        stage = std::make_unique<FilterStage>(*fixture.session);
        stage->show();
        QVERIFY(QTest::qWaitForWindowExposed(stage.get()));
        // Every count below runs over the basic group 1 to 22 only.
        auto* tabs = child<QTabWidget>(stage.get(), QStringLiteral("filterTabs"));
        chooseMode("numbers", 1);
        QTRY_VERIFY(child(stage.get(), QStringLiteral("rangeBox"))->isVisible());
        for (int n = 1; n <= 22; ++n)
            click(stage.get(), QStringLiteral("basic%1").arg(n));
        tabs->setCurrentIndex(static_cast<int>(Panel::Sum));
        chooseMode("sum", 1);
        QTRY_VERIFY(child(stage.get(), QStringLiteral("sumCaption17"))->isVisible());
    }
    void cleanupTestCase() { stage.reset(); }

    void exactlyThirtyThousandOpensTheFinalStage() {
        toggleSums({20, 23, 25, 26, 27, 30, 31, 35});
        QTest::mouseClick(calculate(), Qt::LeftButton);
        QCOMPARE(countText(), QStringLiteral("30000"));
        QCOMPARE(pool().count(), 30000);
        QVERIFY(finalStage()->isEnabled());
        QVERIFY(lamp()->isHidden());
        QVERIFY(child(stage.get(), QStringLiteral("filterTabs"))->isEnabled());
        QVERIFY(fakes.dialogs.shown.isEmpty());

        QTest::mouseClick(finalStage(), Qt::LeftButton);
        QCOMPARE(fixture.model->stage().screen, Screen::Generator);
        fixture.session->run([this] { return fixture.model->returnToFilters(fixture.session->questions()); });
    }

    void aRefusalStopsTheCountAndKeepsThePool() {
        chooseMode("evenOdd", 1); // no template chosen
        QTest::mouseClick(calculate(), Qt::LeftButton);
        QCOMPARE(fakes.dialogs.shown,
                 QStringList{QStringLiteral(
                     "info: Panel - P-N : Nie ustalony schemat liczb parzystych/nieparzystych w szóstce !")});
        QCOMPARE(countText(), QString());
        QCOMPARE(pool().count(), 30000);
        // The pool of the last count that ran still lies in range.
        QVERIFY(finalStage()->isEnabled());
        QVERIFY(lamp()->isHidden());
        QVERIFY(child(stage.get(), QStringLiteral("filterTabs"))->isEnabled());
        chooseMode("evenOdd", 0);
        fakes.dialogs.shown.clear();
    }

    void thirtyThousandAndOneDoesNot() {
        toggleSums({20, 23, 25, 26, 27, 30, 31, 35}); // off again
        toggleSums({19, 21, 23, 25, 29});
        QTest::mouseClick(calculate(), Qt::LeftButton);
        QCOMPARE(countText(), QStringLiteral("30001"));
        QCOMPARE(pool().count(), 30001);
        QCOMPARE(pool().storedCount(), 30000);
        QVERIFY(!finalStage()->isEnabled());
        QVERIFY(fakes.dialogs.shown.isEmpty());
    }

    void aPressReleasedElsewhereLeavesTheLampOn() {
        finalStage()->setEnabled(true);
        QTest::mousePress(calculate(), Qt::LeftButton);
        QVERIFY(!lamp()->isHidden());
        QCOMPARE(countText(), QString());
        QVERIFY(!finalStage()->isEnabled());
        QTest::mouseRelease(calculate(), Qt::LeftButton, {}, QPoint(-20, -20));
        QVERIFY(!lamp()->isHidden());
        QCOMPARE(pool().count(), 30001);

        // "Nowy" puts the bar back to rest.
        fixture.newSystem();
        QVERIFY(lamp()->isHidden());
        QVERIFY(calculate()->isEnabled());
    }
};

QTEST_MAIN(CountTest)
#include "CountTest.moc"
