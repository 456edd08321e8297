// "Optymalizacja systemu" in the model: which pool is covered, the player's mistakes refused in one
// sentence each, every result proved on the whole pool before "Użyj" may take it, and a search that
// stops when the pool it covers is counted again.

#include "ModelFixture.h"
#include "analysis/SystemOdds.h"

#include <chrono>
#include <thread>

using namespace selektor;
using namespace selektor::test;

namespace {

const std::string kNothingToCover = "Nie ma czego pokrywać - naciśnij \"Oblicz\" albo zbuduj lub otwórz system !";

std::unique_ptr<CandidatePool> lexicographicPool(int highest) {
    auto pool = std::make_unique<CandidatePool>();
    fillLexicographic(*pool, highest);
    return pool;
}

} // namespace

class OptimizationModelTest : public ModelTest {
protected:
    OptimizationModel& optimization() { return model->optimization(); }

    // The settings of a short search that ends the same way on any machine.
    void ask(int guarantee, CoverGoal goal = CoverGoal::FewestTickets, const std::string& tickets = "") {
        optimization().setGuarantee(guarantee);
        optimization().setGoal(goal);
        optimization().setTicketCountText(tickets);
        optimization().setTimeLimitSeconds(20);
        optimization().setSeedText("7");
        optimization().setStepLimitText("20000");
    }
    Outcome start() { return model->startOptimization(kTimeOfDay); }
    const OptimizationRun& runToEnd() {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (optimization().poll() && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_FALSE(optimization().running());
        return *optimization().run();
    }
    // A search that outlasts the test unless something stops it.
    void startLongSearch(int guarantee) {
        ask(guarantee);
        optimization().setTimeLimitSeconds(kLongestTimeLimitSeconds);
        optimization().setStepLimitText("");
        ASSERT_TRUE(start().messages.empty());
        ASSERT_TRUE(optimization().running());
    }
    void openFile(const std::string& bytes) {
        writeBytes(path("system.txt"), bytes);
        questions.fileNames = {path("system.txt")};
        ASSERT_EQ(model->openSystem(questions).stage.generator, GeneratorMode::FromFile);
    }
};

TEST_F(OptimizationModelTest, ThePoolIsTheLastCountOrElseTheSystemsOwnCombinations) {
    EXPECT_EQ(model->poolToCover().description, kNothingToCover);
    EXPECT_EQ(start().messages, std::vector<Message>{information(kNothingToCover)});

    enterWithLexicographic(8);
    EXPECT_EQ(model->poolToCover().key.source, PoolToCoverSource::CandidatePool);
    EXPECT_EQ(model->poolToCover().description, "Pula do pokrycia: kombinacje ostatniego \"Oblicz\" (28).");
    EXPECT_FALSE(model->poolToCover().note);

    // A system from a file is covered by its own combinations, a repeated line once.
    openFile("  1  2  3  4  5  6\r\n  1  2  3  4  5  7\r\n  1  2  3  4  5  6\r\n");
    EXPECT_EQ(model->poolToCover().key.source, PoolToCoverSource::SystemLines);
    EXPECT_EQ(model->poolToCover().description, "Pula do pokrycia: kombinacje bieżącego systemu (2).");
    openFile("  1  2  3  4  5  6\r\nkupon\r\n");
    EXPECT_EQ(model->poolToCover().description,
              "Linia 2 systemu nie jest szóstką różnych liczb od 1 do 49 - takiego systemu nie można optymalizować !");

    // "Oblicz" kept 30000 of more: only those are covered, and that is said beside the result.
    auto large = lexicographicPool(20);
    for (int more = 0; more < 5; ++more)
        large->append({1, 2, 3, 4, 5, 6});
    model->newSystem(questions);
    model->takeCountedPool(*large);
    EXPECT_EQ(model->poolToCover().size(), kPoolCapacity);
    EXPECT_EQ(model->poolToCover().description,
              "Pula do pokrycia: pierwsze 30000 z 30005 kombinacji ostatniego \"Oblicz\".");
    EXPECT_EQ(model->poolToCover().note,
              "\"Oblicz\" naliczyło 30005 kombinacji, a zapamiętanych jest 30000 - pokryte są tylko te 30000.");
}

TEST_F(OptimizationModelTest, EachMistakeIsOneSentenceAndChangesNothing) {
    enterWithLexicographic(8); // 28 combinations
    struct Case {
        int guarantee;
        CoverGoal goal;
        std::string tickets, seconds, seed, steps, sentence;
    };
    const std::string number = "Wpisz liczbę zakładów jako liczbę całkowitą większą od zera !";
    const std::string tooMany = "Liczba zakładów nie może być większa niż liczba kombinacji w puli (28) !";
    const std::string guarantee =
        "Gwarancja może wynosić od 2 do 5 trafień - 6 trafień daje tylko cała pula, a mniej niż 2 nie jest wygraną !";
    const Case cases[] = {
        {3, CoverGoal::BestCoverage, "0", "30", "", "", "Liczba zakładów musi być większa od zera !"},
        {3, CoverGoal::BestCoverage, "dziesięć", "30", "", "", number},
        {3, CoverGoal::BestCoverage, "", "30", "", "", number},
        {3, CoverGoal::BestCoverage, "-3", "30", "", "", number},
        {3, CoverGoal::BestCoverage, "29", "30", "", "", tooMany},
        {3, CoverGoal::BestCoverage, "99999999999999999999999", "30", "", "", tooMany},
        {6, CoverGoal::FewestTickets, "", "30", "", "", guarantee},
        {1, CoverGoal::FewestTickets, "", "30", "", "", guarantee},
        {3, CoverGoal::FewestTickets, "", "0", "", "", "Limit czasu może wynosić od 1 do 600 sekund !"},
        {3, CoverGoal::FewestTickets, "", "601", "", "", "Limit czasu może wynosić od 1 do 600 sekund !"},
        {3, CoverGoal::FewestTickets, "", "30", "4294967296", "",
         "Ziarno musi być liczbą całkowitą od 0 do 4294967295 (puste pole: ziarno z zegara) !"},
        {3, CoverGoal::FewestTickets, "", "30", "", "1e6",
         "Limit kroków musi być liczbą całkowitą (puste pole: bez limitu) !"},
    };
    for (const Case& c : cases) {
        optimization().setGuarantee(c.guarantee);
        optimization().setGoal(c.goal);
        optimization().setTicketCountText(c.tickets);
        optimization().setTimeLimitSeconds(std::stoi(c.seconds));
        optimization().setSeedText(c.seed);
        optimization().setStepLimitText(c.steps);
        EXPECT_EQ(start().messages, std::vector<Message>{information(c.sentence)}) << c.tickets << c.seed << c.steps;
        EXPECT_FALSE(optimization().run());
    }

    // A pool of one combination has nothing to optimise, whatever is asked.
    enterWith({{1, 2, 3, 4, 5, 6}});
    ask(3);
    EXPECT_EQ(start().messages,
              std::vector<Message>{information(
                  "W puli jest tylko jedna kombinacja - jedynym systemem, który ją pokrywa, jest ona sama !")});
    EXPECT_FALSE(optimization().run());
    EXPECT_TRUE(questions.asked.empty());
}

TEST_F(OptimizationModelTest, TheFewestTicketsAreProvedOnEveryPoolRowAndUsedAsAGuaranteeBuild) {
    // Every six of 12 Numbers has three in one half of them: two tickets are enough.
    enterWithLexicographic(12);
    ask(3);
    ASSERT_TRUE(start().messages.empty());
    const OptimizationRun& run = runToEnd();
    EXPECT_TRUE(run.proved);
    EXPECT_EQ(run.tickets.size(), 2u);
    EXPECT_EQ(run.proof, "Gwarancja sprawdzona: 924 z 924 kombinacji puli ma co najmniej 3 trafienia");
    EXPECT_EQ(run.seed, 7u);

    const Outcome used = model->useOptimizedSystem(questions);
    EXPECT_EQ(used.stage.generator, GeneratorMode::Built); // no post-processing offer
    EXPECT_TRUE(used.flashSaveButton);
    EXPECT_EQ(model->system().size(), 2u);
    EXPECT_EQ(model->form().lineCount, 2);
    EXPECT_FALSE(model->systemSaved());
    // Inside the pool every draw wins the guarantee.
    const SystemOdds odds = model->systemOdds();
    EXPECT_EQ(odds.poolRows, 924);
    EXPECT_EQ(odds.poolDraws[0] + odds.poolDraws[1] + odds.poolDraws[2], 0);

    // The new system is offered for saving once, as a built one is.
    answer({false});
    model->newSystem(questions);
    EXPECT_EQ(questions.asked, std::vector<std::string>{kSaveQuestion});
}

TEST_F(OptimizationModelTest, TheSameSeedAndStepLimitGiveTheSameTickets) {
    enterWithLexicographic(10);
    ask(4, CoverGoal::BestCoverage, "5");
    ASSERT_TRUE(start().messages.empty());
    const std::vector<Combination> first = runToEnd().tickets;
    ASSERT_TRUE(start().messages.empty());
    const OptimizationRun& again = runToEnd();
    EXPECT_EQ(again.tickets, first);
    EXPECT_TRUE(again.proved);
    EXPECT_LE(again.tickets.size(), 5u);
    EXPECT_TRUE(again.proof.starts_with("Pokrycie sprawdzone: ") || again.proof.starts_with("Gwarancja sprawdzona: "))
        << again.proof;

    // A blank seed is taken from the clock.
    optimization().setSeedText(" ");
    ASSERT_TRUE(start().messages.empty());
    EXPECT_EQ(runToEnd().seed, kTimeOfDay);
}

TEST_F(OptimizationModelTest, StopKeepsAProvedBestAndANewCountStopsTheSearch) {
    enterWithLexicographic(15); // 5005 combinations
    startLongSearch(4);
    optimization().stop();
    EXPECT_TRUE(optimization().run()->stopping);
    const OptimizationRun stopped = runToEnd();
    EXPECT_FALSE(stopped.running);
    EXPECT_TRUE(stopped.proved);
    EXPECT_EQ(stopped.coveredRows, 5005);
    EXPECT_FALSE(stopped.tickets.empty());

    // "Oblicz" counts a new pool: the search of the old one ends, and its result no longer fits.
    startLongSearch(4);
    model->countCombinations();
    EXPECT_TRUE(optimization().run()->stopping);
    EXPECT_TRUE(runToEnd().proved);
    const std::size_t lines = model->system().size();
    EXPECT_EQ(model->useOptimizedSystem(questions).messages.size(), 0u);
    EXPECT_EQ(model->system().size(), lines);
}

TEST_F(OptimizationModelTest, AResultOfMoreThanTheStoredPoolIsKeptFromTheGenerators) {
    // "Etap końcowy" refuses a count over 30000, so the generators must not work on its stored part
    // either: the used result is checked, printed and saved like a system from a file.
    auto large = lexicographicPool(20);
    large->append({1, 2, 3, 4, 5, 6});
    model->newSystem(questions);
    model->takeCountedPool(*large);
    ask(5);
    optimization().setStepLimitText("100");
    ASSERT_TRUE(start().messages.empty());
    ASSERT_TRUE(runToEnd().proved);
    const Outcome used = model->useOptimizedSystem(questions);
    EXPECT_EQ(used.stage.screen, Screen::Generator);
    EXPECT_EQ(used.stage.generator, GeneratorMode::FromFile);
    EXPECT_FALSE(model->systemSaved());
}

TEST_F(OptimizationModelTest, AResultStaysWithThePoolItWasMadeFor) {
    // Used from the filter stage, the result is shown in the generator stage, entered afresh.
    model->newSystem(questions);
    model->takeCountedPool(*lexicographicPool(9)); // 84 combinations
    ask(4);
    ASSERT_TRUE(start().messages.empty());
    ASSERT_TRUE(runToEnd().proved);
    const Outcome used = model->useOptimizedSystem(questions);
    EXPECT_EQ(used.stage.screen, Screen::Generator);
    EXPECT_EQ(used.stage.generator, GeneratorMode::Built);
    EXPECT_EQ(model->system().size(), optimization().run()->tickets.size());

    // A file's own lines: the system stays one from a file, and the used result no longer fits the pool,
    // which is now the new system's lines.
    answer({false});
    openFile("  1  2  3  4  5  6\r\n  1  2  3  4  5  7\r\n  1  2  3  4  8  9\r\n  1  2  3 10 11 12\r\n");
    ask(5);
    ASSERT_TRUE(start().messages.empty());
    ASSERT_TRUE(runToEnd().proved);
    EXPECT_EQ(model->useOptimizedSystem(questions).stage.generator, GeneratorMode::FromFile);
    EXPECT_EQ(model->system().size(), optimization().run()->tickets.size());
    EXPECT_EQ(optimization().offered(model->poolToCover().key), nullptr);

    // While a simulation runs, "Użyj" asks first; No leaves the run and the list alone.
    answer({false});
    enterWithLexicographic(9);
    ask(4);
    ASSERT_TRUE(start().messages.empty());
    ASSERT_TRUE(runToEnd().proved);
    startLongRun(3);
    const std::size_t lines = model->system().size();
    answer({false});
    EXPECT_EQ(model->useOptimizedSystem(questions).stage.generator, GeneratorMode::Simulating);
    EXPECT_EQ(model->system().size(), lines);
    EXPECT_EQ(questions.asked.back(), kRunning + "Czy chcesz przerwać obliczenia ?");
}
