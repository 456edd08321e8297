#pragma once

// The whole program as main() puts it together, with scripted dialogs and a fixed clock, and the moves a
// test makes on it: menu commands and buttons by name, fields typed into, the list read as shown, a pool
// laid ready for "Etap końcowy".

#include "WindowLookup.h"
#include "app/GeneratorStage.h"
#include "app/Program.h"
#include "support/EmptyHistory.h"
#include "support/FakeServices.h"
#include "support/LexicographicPool.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <initializer_list>
#include <memory>

namespace selektor::test {

inline const QString kQuitQuestion = QStringLiteral("question: Czy chcesz zakończyć prace z programem Selektor ?");
inline const QString kSaveQuestion = QStringLiteral("question: Zapisać ostatni wygenerowany system ?");

inline QByteArray readAll(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline void writeAll(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("Cannot write %s", qPrintable(fileName));
    file.write(bytes);
}

struct ProgramFixture {
    FakeServices fakes;
    QTemporaryDir directory;
    std::unique_ptr<Program> program;

    // The program starts in a data folder of its own, with an empty draw history and the print positions
    // of the coupon layout's worked example.
    ProgramFixture() {
        writeEmptyHistory(QFile::encodeName(directory.path()).toStdString());
        const char* const positions[][2] = {{"PX1", "100"}, {"X1X2", "50"}, {"PY1", "200"}, {"Y1Y2", "40"},
                                            {"PYK", "30"},  {"PYDL", "60"}, {"PNR", "50"}};
        for (const auto& [name, value] : positions)
            writeAll(directory.filePath(QLatin1String(name) + QStringLiteral(".txt")), QByteArray(value) + "\r\n");
        program = std::make_unique<Program>(fakes.services, directory.path());
        window()->show();
        if (!QTest::qWaitForWindowExposed(window()))
            qFatal("The main window was not shown");
    }

    TFormHaupt* window() const { return &program->mainWindow(); }
    ApplicationModel& model() const { return program->model(); }

    template <typename T = QWidget> T* find(const QString& name) const { return child<T>(window(), name); }
    QAbstractButton* button(const QString& name) const { return find<QAbstractButton>(name); }
    void click(const QString& name) const { button(name)->click(); }
    void type(const QString& name, const QString& text) const { find<QLineEdit>(name)->setText(text); }
    QString text(const QString& name) const { return find<QLabel>(name)->text(); }
    bool enabled(const QString& name) const { return find(name)->isEnabled(); }
    bool shown(const QString& name) const { return !find(name)->isHidden(); }
    QTimer* timer(const QString& name) const { return child<QTimer>(window(), name); }
    void trigger(const char* action) const { child<QAction>(window(), QString::fromLatin1(action))->trigger(); }
    QString currentStage() const {
        return find<QStackedWidget>(QStringLiteral("stages"))->currentWidget()->objectName();
    }
    void answer(std::initializer_list<bool> answers) {
        for (bool a : answers)
            fakes.dialogs.answers.enqueue(a);
    }
    QString path(const QString& fileName) const { return directory.filePath(fileName); }

    QListView* listView() const { return find<QListView>(QStringLiteral("generatorList")); }
    QStringList lines() const {
        QStringList shownLines;
        const QAbstractItemModel* list = listView()->model();
        for (int row = 0; row < list->rowCount(); ++row)
            shownLines << list->index(row, 0).data().toString();
        return shownLines;
    }

    // "Nowy", the pool a count of every combination of 1 to `highest` would leave, and "Etap końcowy".
    void enterGeneratorStage(int highest) {
        trigger("newAction");
        auto pool = std::make_unique<CandidatePool>();
        fillLexicographic(*pool, highest);
        model().takeCountedPool(*pool);
        program->session().changed();
        click(QStringLiteral("finalStageButton"));
        if (currentStage() != QLatin1String("generatorStage"))
            qFatal("\"Etap końcowy\" did not lead to the generator stage");
    }
    void buildGuarantee(int mode) const {
        click(QStringLiteral("guaranteeChoice%1").arg(mode));
        click(QStringLiteral("guaranteeOkButton"));
    }
    // A random run that outlasts the test: it goes on until something stops it.
    void startLongRun() const {
        type(QStringLiteral("simulationCountEdit"), QStringLiteral("9999"));
        type(QStringLiteral("simulationLimitEdit"), QStringLiteral("9999"));
        click(QStringLiteral("simulationOkButton"));
    }
    GeneratorStage* generatorStage() const { return find<GeneratorStage>(QStringLiteral("generatorStage")); }
};

} // namespace selektor::test
