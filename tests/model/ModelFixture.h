#pragma once

// An application model in a private data directory, with scripted questions, and the moves a test
// makes on it: lay a pool ready for "Etap końcowy", build, run a simulation, read and write files.

#include "core/CandidatePool.h"
#include "model/ApplicationModel.h"
#include "support/DirectoryTest.h"
#include "support/LexicographicPool.h"
#include "support/ScriptedQuestions.h"
#include "support/SystemLines.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>

namespace selektor::test {

inline constexpr std::uint32_t kTimeOfDay = 45'296'789; // 12:34:56.789

class ModelTest : public DirectoryTest {
protected:
    void SetUp() override {
        DirectoryTest::SetUp();
        model = std::make_unique<ApplicationModel>(directory().string(), kTimeOfDay);
    }

    // "Nowy", a pool counted elsewhere, and "Etap końcowy".
    void enterWith(const CandidatePool& pool) {
        model->newSystem(questions);
        model->takeCountedPool(pool);
        ASSERT_EQ(model->enterFinalStage().stage.screen, Screen::Generator);
    }
    void enterWith(std::initializer_list<Combination> rows) {
        auto pool = std::make_unique<CandidatePool>();
        for (const Combination& c : rows)
            pool->append(c);
        enterWith(*pool);
    }
    // Every combination of 1 to `highest`.
    void enterWithLexicographic(int highest) {
        auto pool = std::make_unique<CandidatePool>();
        fillLexicographic(*pool, highest);
        enterWith(*pool);
    }
    // The pool of the guarantee examples: the second shares five numbers with the first, the third four.
    void enterWithThreeRows() { enterWith({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}, {1, 2, 3, 4, 8, 9}}); }

    Outcome build(GuaranteeMode mode) {
        model->setGuaranteeChoice(mode);
        return model->buildGuaranteeSystem();
    }
    Outcome startRun(const std::string& count, const std::string& limit,
                     DifferenceChoice choice = DifferenceChoice::One) {
        model->setSimulationCountText(count);
        model->setSimulationLimitText(limit);
        model->setDifferenceChoice(choice);
        return model->startRandomSimulation(kTimeOfDay);
    }
    // A run that outlasts the test: it goes on until something stops it.
    void startLongRun(int ticks) {
        ASSERT_EQ(startRun("9999", "9999").stage.generator, GeneratorMode::Simulating);
        for (int tick = 0; tick < ticks; ++tick)
            model->simulationTick();
    }

    std::vector<std::string> lines() const { return linesOf(model->system()); }
    void answer(std::initializer_list<bool> answers) { questions.answers.insert(questions.answers.end(), answers); }

    ScriptedQuestions questions;
    std::unique_ptr<ApplicationModel> model;
};

inline Message information(std::string text) {
    return {Message::Kind::Information, std::move(text)};
}

inline const std::string kSaveQuestion = "question: Zapisać ostatni wygenerowany system ?";
inline const std::string kEndQuestion = "question: Czy chcesz zakończyć prace z programem Selektor ?";
inline const std::string kSaveDialog = "save: Plik textowy(*.txt) | txt";
inline const std::string kOpenDialog = "open: Pliki textowe(*.txt) | txt";
inline const std::string kRunning = "warning: Generator jest obecnie w trakcie obliczeń ! ";

} // namespace selektor::test
