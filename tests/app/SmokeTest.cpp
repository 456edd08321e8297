#include "app/UnitHaupt.h"

#include <QtTest>

class SmokeTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindowHasFixedClientArea() {
        selektor::TFormHaupt w;
        QCOMPARE(w.size(), QSize(692, 500));
        QCOMPARE(w.windowTitle(), QStringLiteral("Selektor"));
    }
};

QTEST_MAIN(SmokeTest)
#include "SmokeTest.moc"
