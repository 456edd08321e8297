// The real desktop services where the program relies on their details: the open dialog completes a name
// typed without its extension, and a sentence is read on one line.

#include "app/QtServices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
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

    void sentencesAreReadOnOneLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("warning");
        QTest::newRow("a draw") << QStringLiteral(
                                       "Czy na pewno dnia 18.05.2002 wylosowano liczby 3, 12, 25, 31, 40, 49 ?")
                                << false;
        QTest::newRow("draw numbers") << QStringLiteral(
                                             "Tylu losowań nie można dodać - numer losowania przekroczyłby 9999 !")
                                      << false;
        QTest::newRow("a running generator")
            << QStringLiteral("Generator jest obecnie w trakcie obliczeń ! Czy chcesz przerwać obliczenia ?") << true;
    }

    void sentencesAreReadOnOneLine() {
        QFETCH(QString, text);
        QFETCH(bool, warning);
        QString shown;
        int lines = 0;
        QTimer::singleShot(100, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            shown = label->text();
            shown.replace(QChar(0x00A0), QLatin1Char(' ')).remove(QChar(0x2060));
            lines = qRound(static_cast<qreal>(label->height()) / label->fontMetrics().lineSpacing());
            box->button(QMessageBox::No)->click();
        });
        selektor::QtDialogService dialogs;
        QVERIFY(!(warning ? dialogs.warningQuestion(text) : dialogs.question(text)));
        QCOMPARE(shown, text);
        QCOMPARE(lines, 1);
    }
};

QTEST_MAIN(QtServicesTest)
#include "QtServicesTest.moc"
