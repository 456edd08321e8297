// The real desktop services where the program relies on their details: the open dialog completes a name
// typed without its extension.

#include "app/QtServices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class QtServicesTest : public QObject {
    Q_OBJECT
private slots:
    void openDialogFindsANameTypedWithoutItsExtension() {
        QTemporaryDir directory;
        QFile file(directory.filePath(QStringLiteral("system.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(QDir::setCurrent(directory.path()));

        // The player types "system" into the dialog's name field and presses Enter.
        bool typed = false;
        QTimer::singleShot(0, this, [&typed] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!name)
                return;
            name->setText(QStringLiteral("system"));
            typed = true;
            QTest::keyClick(name, Qt::Key_Return);
        });
        // Should the dialog refuse the name, its complaint and the dialog itself are closed, so the test
        // fails instead of waiting.
        QTimer giveUp;
        giveUp.setInterval(2000);
        connect(&giveUp, &QTimer::timeout, this, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        giveUp.start();
        selektor::QtDialogService dialogs;
        const QString chosen = dialogs.openFileName(QStringLiteral("Pliki textowe(*.txt)"), QStringLiteral("txt"));

        QVERIFY(typed);
        QCOMPARE(QFileInfo(chosen).canonicalFilePath(), QFileInfo(file).canonicalFilePath());
    }
};

QTEST_MAIN(QtServicesTest)
#include "QtServicesTest.moc"
