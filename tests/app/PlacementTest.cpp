// Where the main window opens on screens 768 and 600 pixels high. The offscreen platform is given each
// screen in turn, with a fresh application for each.

#include "app/Program.h"
#include "support/FakeServices.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

class PlacementTest : public QObject {
    Q_OBJECT
public:
    PlacementTest(int screenHeight, QPoint expected) : m_screenHeight(screenHeight), m_expected(expected) {}

private slots:
    void placedByTheScreenHeight() {
        QCOMPARE(QGuiApplication::primaryScreen()->geometry().height(), m_screenHeight);
        selektor::test::FakeServices fakes;
        selektor::Program program(fakes.services, QDir::currentPath());
        selektor::TFormHaupt& window = program.mainWindow();
        QCOMPARE(window.pos(), m_expected);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.pos(), m_expected);
    }

private:
    int m_screenHeight;
    QPoint m_expected;
};

int main(int argc, char* argv[]) {
    QTemporaryDir configDir;
    int failures = 0;
    const struct {
        int height;
        QPoint place;
    } screens[] = {{768, {187, 91}}, {600, {65, 4}}};
    for (const auto& screen : screens) {
        const QString config = configDir.filePath(QStringLiteral("screen%1.json").arg(screen.height));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(QStringLiteral(R"({"screens": [{"name": "Screen", "x": 0, "y": 0, "width": 1024, "height": %1,
                                     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                       .arg(screen.height)
                       .toUtf8());
        file.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
        QApplication app(argc, argv);
        PlacementTest test(screen.height, screen.place);
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}

#include "PlacementTest.moc"
