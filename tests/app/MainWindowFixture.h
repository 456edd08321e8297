#pragma once

// The whole main window with the real generator stage inside, scripted dialogs and a fixed clock, and
// the moves a test makes on it: menu commands by name, the stages by name, a candidate pool laid ready
// for "Etap końcowy".

#include "GeneratorStageFixture.h"
#include "WindowLookup.h"
#include "app/UnitHaupt.h"

#include <QAction>
#include <QPushButton>
#include <QStackedWidget>

namespace selektor::test {

inline const QString kQuitQuestion = QStringLiteral("question: Czy chcesz zakończyć prace z programem Selektor ?");
inline const QString kSaveQuestion = QStringLiteral("question: Zapisać ostatni wygenerowany system ?");

struct ShellFixture : StageMoves {
    FakeServices fakes;
    std::unique_ptr<TFormHaupt> window;
    QTemporaryDir directory;

    ShellFixture() {
        window = std::make_unique<TFormHaupt>(fakes.services);
        target = child<GeneratorStage>(window.get(), QStringLiteral("generatorStage"));
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("The main window was not shown");
    }

    void trigger(const char* action) const { child<QAction>(window.get(), QString::fromLatin1(action))->trigger(); }
    QString currentStage() const {
        return child<QStackedWidget>(window.get(), QStringLiteral("stages"))->currentWidget()->objectName();
    }
    void answer(std::initializer_list<bool> answers) {
        for (bool a : answers)
            fakes.dialogs.answers.enqueue(a);
    }
    QString path(const QString& fileName) const { return directory.filePath(fileName); }

    // "Nowy", a pool as a count of every combination of 1 to `highest` would leave it, and "Etap końcowy".
    void enterGeneratorStage(int highest) {
        trigger("newAction");
        fillLexicographic(window->candidatePool(), highest);
        auto* finalStage = child<QPushButton>(window.get(), QStringLiteral("finalStageButton"));
        finalStage->setEnabled(true); // as after a count of 1 to 30000
        finalStage->click();
        if (currentStage() != QLatin1String("generatorStage"))
            qFatal("\"Etap końcowy\" did not lead to the generator stage");
    }
};

} // namespace selektor::test
