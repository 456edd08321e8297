#include "app/FilterStage.h"

#include "SessionFixture.h"
#include "WindowLookup.h"
#include "app/FilterColours.h"
#include "core/TemplateCatalogue.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>
#include <memory>

using namespace selektor;
using namespace selektor::test;

Q_DECLARE_METATYPE(selektor::Panel)

namespace {

const char* const kKeys[] = {"numbers", "evenOdd", "rowColumn", "sum", "edge", "dsg", "neighbours", "pairs", "gaps"};

QString key(Panel panel) {
    return QString::fromLatin1(kKeys[static_cast<int>(panel)]);
}

} // namespace

class FilterStageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<SessionFixture> fixture;
    std::unique_ptr<FilterStage> stage;

    const FilterSettings& settings() const { return fixture->model->filterSettings(); }

    QPushButton* finalStage() { return child<QPushButton>(stage.get(), QStringLiteral("finalStageButton")); }
    ShapeWidget* shape(const QString& name) { return child<ShapeWidget>(stage.get(), name); }
    QCheckBox* shareBox(int k) { return child<QCheckBox>(stage.get(), QStringLiteral("shareBox%1").arg(k)); }

    // Chooses a mode the way the player does, on the tab that shows it.
    void chooseMode(Panel panel, int mode) {
        child<QTabWidget>(stage.get(), QStringLiteral("filterTabs"))->setCurrentIndex(static_cast<int>(panel));
        click(stage.get(), key(panel) + QStringLiteral("Mode%1").arg(mode));
    }
    void unlockFinalStage() { fixture->unlockFinalStage(); }

private slots:
    void init() {
        fixture = std::make_unique<SessionFixture>();
        stage = std::make_unique<FilterStage>(*fixture->session);
        stage->show();
        QVERIFY(QTest::qWaitForWindowExposed(stage.get()));
    }
    void cleanup() {
        stage.reset();
        fixture.reset();
    }

    void startsWithEverythingOffAndHidden() {
        for (int p = 0; p < kPanelCount; ++p) {
            const auto panel = static_cast<Panel>(p);
            QVERIFY(child<QRadioButton>(stage.get(), key(panel) + QStringLiteral("Mode0"))->isChecked());
            if (panel != Panel::Pairs)
                QVERIFY(child(stage.get(), key(panel) + QStringLiteral("Templates"))->isHidden());
        }
        QVERIFY(!child(stage.get(), QStringLiteral("leftCurtain"))->isHidden());
        QVERIFY(child(stage.get(), QStringLiteral("pairOptions"))->isHidden());
        QVERIFY(shareBox(0)->isEnabled());
        for (int k = 1; k <= 6; ++k)
            QVERIFY(!shareBox(k)->isEnabled());
        QVERIFY(!finalStage()->isEnabled());
        QVERIFY(child(stage.get(), QStringLiteral("countLamp"))->isHidden());
    }

    void templateClickTogglesFlagAndColour_data() {
        QTest::addColumn<Panel>("panel");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("outline"); // the outline carries the state, not the fill
        QTest::addColumn<QColor>("off");
        QTest::addColumn<QColor>("on");
        const QColor white(Qt::white), black(Qt::black);
        QTest::newRow("P-N 3-3") << Panel::EvenOdd << 3 << false << white << colours::kLime;
        QTest::newRow("W-K 5-6") << Panel::RowColumn << 11 << false << white << colours::kLime;
        QTest::newRow("Suma 36-53") << Panel::Sum << 17 << false << white << colours::kAqua;
        QTest::newRow("Brzeg B-0") << Panel::Edge << 0 << false << colours::kGrey << colours::kGreen;
        QTest::newRow("DSG 006") << Panel::Dsg << 27 << true << black << colours::kAqua;
        QTest::newRow("L. sdne 9-10") << Panel::Neighbours << 8 << false << white << colours::kAqua;
        QTest::newRow("Pary 0-0") << Panel::Pairs << 0 << true << white << colours::kAqua;
        QTest::newRow("Odlg 16") << Panel::Gaps << 15 << false << colours::tooltipBackground() << colours::kLime;
    }
    void templateClickTogglesFlagAndColour() {
        QFETCH(Panel, panel);
        QFETCH(int, position);
        QFETCH(bool, outline);
        QFETCH(QColor, off);
        QFETCH(QColor, on);
        chooseMode(panel, selectingMode(panel));
        QCOMPARE(settings().mode(panel), selectingMode(panel));
        auto* caption = child(stage.get(), key(panel) + QStringLiteral("Caption%1").arg(position));
        QTRY_VERIFY(caption->isVisible());
        ShapeWidget* templateShape = shape(key(panel) + QStringLiteral("Shape%1").arg(position));
        const auto colour = [&] { return outline ? templateShape->outline() : templateShape->fill(); };
        QCOMPARE(colour(), off);

        unlockFinalStage();
        click(caption);
        QCOMPARE(templateFlag(settings(), panel, position), 1);
        QCOMPARE(colour(), on);
        QVERIFY(!finalStage()->isEnabled());
        if (panel == Panel::Neighbours)
            QCOMPARE(shape(QStringLiteral("neighboursTwin%1").arg(position))->fill(), on);

        // A click on the shape itself works the same way.
        click(templateShape);
        QCOMPARE(templateFlag(settings(), panel, position), 0);
        QCOMPARE(colour(), off);
    }

    void favouritesAndBasicNumbersMoveBetweenGroups() {
        chooseMode(Panel::Numbers, 1);
        QTRY_VERIFY(child(stage.get(), QStringLiteral("rangeBox"))->isVisible());
        QCOMPARE(child(stage.get(), QStringLiteral("favouritesGroup"))->y(), 4);
        QCOMPARE(child(stage.get(), QStringLiteral("basicGroup"))->y(), 4);

        unlockFinalStage();
        click(stage.get(), QStringLiteral("favourite7"));
        QVERIFY(!finalStage()->isEnabled());
        QCOMPARE(shape(QStringLiteral("favourite7"))->outline(), colours::kTeal);
        QCOMPARE(settings().favouriteCount, 1);

        // The basic grid takes the number over from the favourites.
        click(stage.get(), QStringLiteral("basic7"));
        QCOMPARE(shape(QStringLiteral("favourite7"))->outline(), colours::kSilver);
        QCOMPARE(shape(QStringLiteral("basic7"))->outline(), colours::kTeal);
        QCOMPARE(settings().favouriteCount, 0);
        QCOMPARE(settings().basicCount, 1);
        QCOMPARE(settings().numberRole[7], Basic);

        click(stage.get(), QStringLiteral("basic7"));
        QCOMPARE(shape(QStringLiteral("basic7"))->outline(), colours::kSilver);
        QCOMPARE(settings().numberRole[7], NoGroup);
    }

    void shareBoxesFollowTheFavourites() {
        chooseMode(Panel::Numbers, 1);
        QTRY_VERIFY(shareBox(0)->isVisible());
        for (int n : {1, 2, 3})
            click(stage.get(), QStringLiteral("favourite%1").arg(n));
        for (int k = 0; k <= 6; ++k)
            QCOMPARE(shareBox(k)->isEnabled(), k <= 3);

        unlockFinalStage();
        click(shareBox(3));
        QVERIFY(shareBox(3)->isChecked());
        QCOMPARE(settings().shareBoxChecked[3], 1);
        QVERIFY(!finalStage()->isEnabled());

        click(stage.get(), QStringLiteral("favourite2"));
        QVERIFY(!shareBox(3)->isChecked());
        QVERIFY(!shareBox(3)->isEnabled());
        QCOMPARE(settings().shareBoxChecked[3], 0);

        // Seven favourites leave the boxes as they were at six; back at six they are all free.
        for (int n : {2, 4, 5, 6, 8, 9})
            click(stage.get(), QStringLiteral("favourite%1").arg(n));
        click(shareBox(6));
        QCOMPARE(settings().favouriteCount, 8);
        QVERIFY(shareBox(6)->isChecked());
        click(stage.get(), QStringLiteral("basic8"));
        QVERIFY(shareBox(6)->isChecked());
        click(stage.get(), QStringLiteral("basic9"));
        QCOMPARE(settings().favouriteCount, 6);
        QVERIFY(shareBox(6)->isEnabled());
        QVERIFY(shareBox(6)->isChecked());
    }

    void modeSwitchesKeepFlagsAndColours() {
        chooseMode(Panel::RowColumn, 1);
        QTRY_VERIFY(child(stage.get(), QStringLiteral("rowColumnCaption0"))->isVisible());
        click(stage.get(), QStringLiteral("rowColumnCaption0"));

        unlockFinalStage();
        chooseMode(Panel::RowColumn, 0);
        QVERIFY(!finalStage()->isEnabled());
        QVERIFY(child(stage.get(), QStringLiteral("rowColumnTemplates"))->isHidden());
        QCOMPARE(settings().mode(Panel::RowColumn), 0);
        QCOMPARE(settings().rowColumnTemplates[3][3], 1);

        chooseMode(Panel::RowColumn, 1);
        QTRY_VERIFY(child(stage.get(), QStringLiteral("rowColumnCaption0"))->isVisible());
        QCOMPARE(shape(QStringLiteral("rowColumnShape0"))->fill(), colours::kLime);
        QCOMPARE(settings().rowColumnTemplates[3][3], 1);
    }

    void pairsCurtainsCloseWhenTheFreeModeReturns() {
        auto* left = child(stage.get(), QStringLiteral("leftCurtain"));
        auto* right = child(stage.get(), QStringLiteral("rightCurtain"));
        auto* options = child(stage.get(), QStringLiteral("pairOptions"));
        chooseMode(Panel::Pairs, 1);
        QTRY_VERIFY(options->isVisible());
        QVERIFY(left->isHidden());
        QVERIFY(right->isHidden());

        unlockFinalStage();
        click(stage.get(), QStringLiteral("otherDigitsRule3"));
        click(stage.get(), QStringLiteral("pairGroupLimit2"));
        QCOMPARE(settings().otherDigitsRule, 3);
        QCOMPARE(settings().pairGroupLimit, 2);
        QVERIFY(!finalStage()->isEnabled());

        // Back to the free mode in the middle of a new reveal: the curtains close and stay closed.
        chooseMode(Panel::Pairs, 0);
        chooseMode(Panel::Pairs, 1);
        QTRY_VERIFY(left->x() < 0);
        chooseMode(Panel::Pairs, 0);
        QTest::qWait(250);
        QCOMPARE(left->pos(), QPoint(0, 0));
        QCOMPARE(right->pos(), QPoint(185, 0));
        QVERIFY(left->isVisible());
        QVERIFY(options->isHidden());
        QCOMPARE(settings().otherDigitsRule, 3);
    }

    void newSystemResetsModesOnly() {
        chooseMode(Panel::EvenOdd, 1);
        QTRY_VERIFY(child(stage.get(), QStringLiteral("evenOddCaption3"))->isVisible());
        click(stage.get(), QStringLiteral("evenOddCaption3"));
        chooseMode(Panel::Neighbours, 2);
        chooseMode(Panel::Numbers, 1);
        QTRY_VERIFY(shareBox(0)->isVisible());
        click(stage.get(), QStringLiteral("favourite5"));
        click(shareBox(1));
        chooseMode(Panel::Gaps, 0);

        fixture->newSystem();
        for (int p = 0; p < kPanelCount; ++p) {
            QCOMPARE(settings().mode(static_cast<Panel>(p)), 0);
            QVERIFY(
                child<QRadioButton>(stage.get(), key(static_cast<Panel>(p)) + QStringLiteral("Mode0"))->isChecked());
        }
        QCOMPARE(child<QTabWidget>(stage.get(), QStringLiteral("filterTabs"))->currentIndex(), 0);
        QVERIFY(child(stage.get(), QStringLiteral("evenOddTemplates"))->isHidden());
        QVERIFY(child(stage.get(), QStringLiteral("numbersTemplates"))->isHidden());
        QCOMPARE(settings().evenOddTemplates[3], 1);
        QCOMPARE(shape(QStringLiteral("evenOddShape3"))->fill(), colours::kLime);
        QCOMPARE(settings().numberRole[5], Favourite);
        QVERIFY(shareBox(1)->isChecked());
        QVERIFY(!finalStage()->isEnabled());
    }
};

QTEST_MAIN(FilterStageTest)
#include "FilterStageTest.moc"
