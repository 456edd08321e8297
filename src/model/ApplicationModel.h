#pragma once

// The program's state for the whole run, in one place: the filter settings, the candidate pool, the
// current system, the generator stage's flags and fields, and where the main window stands. The windows
// show it and forward the player's clicks to its commands; a command asks its questions through the
// Questions port and returns what is left for the screen to do. Nothing here knows of widgets.

#include "analysis/FilterHistory.h"
#include "analysis/SystemCoverage.h"
#include "analysis/SystemHistory.h"
#include "analysis/SystemOdds.h"
#include "chart/NumberChart.h"
#include "core/CandidatePool.h"
#include "core/FilterSettings.h"
#include "core/NumberGroups.h"
#include "generator/LotterySystem.h"
#include "generator/RandomSimulation.h"
#include "history/DrawHistory.h"
#include "history/Statistics.h"
#include "model/DrawHistoryModel.h"
#include "model/FilterSets.h"
#include "model/GeneratorForm.h"
#include "model/OptimizationModel.h"
#include "model/Outcome.h"
#include "model/Questions.h"
#include "model/StageState.h"
#include "print/PrintSettings.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace selektor {

// The file dialogs of the system files.
extern const FileDialog kSaveSystemDialog;
extern const FileDialog kOpenSystemDialog;
extern const FileDialog kSaveTableDialog;

// The tables of "Analiza" that can be saved for a spreadsheet.
enum class AnalysisTable : std::uint8_t {
    Filters,       // "Filtry a historia": every tab on the draws and in the funnel
    RejectedDraws, // "Filtry a historia": the newest draws the settings throw out
    SystemOnDraws, // "System a historia": every draw against the system
    Coverage,      // "Pokrycie systemu": every pool combination with its best line
};

class ApplicationModel {
public:
    // `dataDirectory` is where the program keeps its own files, reached through `files`; `timeOfDay`
    // (milliseconds since midnight) seeds the random source.
    ApplicationModel(std::string dataDirectory, std::uint32_t timeOfDay, FileOperations& files = systemFiles());
    ~ApplicationModel();
    ApplicationModel(const ApplicationModel&) = delete;
    ApplicationModel& operator=(const ApplicationModel&) = delete;

    // ---- What the windows show ----
    const std::string& dataDirectory() const { return m_dataDirectory; }
    StageState stage() const;
    GeneratorControls generatorControls() const { return enabledControls(m_generatorMode); }
    const FilterSettings& filterSettings() const { return m_settings; }
    // Goes up whenever the settings are replaced as a whole (an opened filter set), so the tabs know to
    // show every template again.
    std::uint64_t filterSettingsRevision() const { return m_filterSettingsRevision; }
    const ShareBoxesEnabled& shareBoxesEnabled() const { return m_shareBoxesEnabled; }
    // The count beside "Oblicz"; nothing while it is blank.
    std::optional<std::int32_t> shownCount() const { return m_shownCount; }
    const CandidatePool& candidatePool() const { return *m_pool; }
    const LotterySystem& system() const { return m_system; }
    // Goes up whenever the system is replaced as a whole (not when a simulation adds a line), so a view
    // knows to read it again.
    std::uint64_t systemRevision() const { return m_systemRevision; }
    const GeneratorForm& form() const { return m_form; }
    bool systemSaved() const { return m_systemSaved == 1; }
    bool generatorRunning() const { return m_simulation.running; }

    // ---- The shell ----
    // Any menu command stops the intro's numbers.
    void stopIntro() { m_introRunning = false; }
    // The program's random source: the intro's numbers and every simulation run draw from it.
    RandomSource& randomSource() { return m_simulation.random; }
    Outcome newSystem(Questions& questions);  // "Nowy"
    Outcome openSystem(Questions& questions); // "Otwórz"
    // "Zapisz filtry": the nine tabs' settings to a file, in the filter stage only.
    Outcome saveFilterSet(Questions& questions);
    // "Otwórz filtry": a filter set in force as if the player had clicked it, in the filter stage, which
    // it reaches from anywhere as "Nowy" does.
    Outcome openFilterSet(Questions& questions);
    // "Zakończ" and the closing of the main window; outcome.endProgram says whether the program ends.
    Outcome requestEnd(Questions& questions);

    // ---- The draw history ----
    // Reads the three draw files at start-up, after undoing a change cut short; the outcome tells once
    // what went wrong, and offers to rebuild files that disagree. After a failure the history shows what
    // could be read, and adding and deleting draws offer the rebuild again or are refused.
    Outcome loadHistory(Questions& questions);
    const DrawHistory& drawHistory() const { return m_draws.store().history(); }
    // Goes up with every command that may change the draw history, so a view knows to read it again.
    std::uint64_t historyRevision() const { return m_draws.revision(); }
    std::array<std::uint8_t, kHighestNumber> recencyTable() const { return m_draws.store().recencyTable(); }
    // "O K" on the number panel: the draw of `entryDate` with the ticked numbers, stored on Yes to the
    // question. outcome.drawStored tells the window to close its panel.
    Outcome addDraw(const std::string& entryDate, const NumberBoxes& ticked, Questions& questions);
    // "Importuj": the draws of a CSV file of past results ("date,n1,...,n6") that the history does not
    // hold yet, checked in full, asked for and stored all or nothing after the newest draw.
    Outcome importDraws(Questions& questions);
    // What the draw history window asks before it opens a panel on the history: nothing when the files
    // agree; otherwise what is wrong, with the offer to rebuild them. The history may be worked on
    // afterwards exactly when drawHistory().problem is gone.
    Outcome offerHistoryRepair(Questions& questions);
    // "Usuń losowanie" for the line the player selected (-1: none).
    Outcome deleteDraw(std::int64_t selectedIndex, Questions& questions);
    // The figures of the statistics area over the whole history and the newest `recentWindow` draws; a
    // history that failed its checks counts as empty.
    HistoryStatistics statistics(int recentWindow) const;

    // ---- Printing on coupon blanks ----
    // Reads the seven print positions at start-up; the first file that cannot be read is said once,
    // and the ones before it keep their values.
    Outcome loadPrintSettings();
    const PrintSettings& printSettings() const { return m_printSettings; }
    // The seven fields of " Ustawienia " as the player sees them, blanks for unfilled places.
    const PrintSettingTexts& printSettingTexts() const { return m_printSettingTexts; }
    void setPrintSettingText(std::size_t setting, std::string text);
    void setPrintFromText(std::string text) { m_form.printFrom = std::move(text); }
    void setPrintToText(std::string text) { m_form.printTo = std::move(text); }
    Outcome togglePrintPanels();                     // the print button of " Wydruk systemu "
    Outcome testPrint();                             // "Test": the page that marks every number box
    Outcome printCoupons();                          // "Drukuj": the blanks "Od" to "Do" of the current system
    Outcome savePrintSettings(Questions& questions); // "Zapis"

    // ---- The number chart ----
    std::vector<ChartPoint> numberChart(Number chartNumber, int windowLength, int windowStep) const;

    // ---- "Analiza" ---- (the figures of the moment; the window asks again when it is shown)
    // The filter settings tried on the newest `newestDraws` draws (0: every draw).
    FilterHistoryCheck filtersOnHistory(std::size_t newestDraws) const;
    FilterFunnel filterFunnel() const;
    SystemHistoryCheck systemOnHistory() const;
    SystemCoverage systemCoverage() const;
    // One table as CSV, written where the player chooses in the save dialog.
    Outcome saveAnalysisTable(AnalysisTable table, std::size_t newestDraws, Questions& questions) const;
    // "Szanse systemu": the current system over every possible draw and over the pool to cover.
    SystemOdds systemOdds() const;

    // ---- "Optymalizacja systemu" ----
    // The pool an optimization covers, as the model stands now.
    const PoolToCover& poolToCover() const;
    // The optimization's settings, search and result. A search of a pool that is no longer the one to
    // cover stops as the optimization is handed out.
    OptimizationModel& optimization();
    Outcome startOptimization(std::uint32_t timeOfDay); // "Start"
    // "Użyj": the proved result becomes the current system as a guarantee build's would, in the
    // generator stage.
    Outcome useOptimizedSystem(Questions& questions);

    // ---- The filter stage ---- (every change locks "Etap końcowy" until the next "Oblicz")
    void toggleFavourite(Number n);
    void toggleBasic(Number n);
    void setShareBox(int share, bool ticked);
    void toggleTemplate(Panel panel, int position);
    // False when the tab was already in that mode.
    bool chooseMode(Panel panel, std::uint8_t mode);
    void setPairGroupLimit(std::uint8_t limit);
    void setOtherDigitsRule(std::uint8_t rule);
    Outcome countCombinations(); // "Oblicz"
    // A pool counted elsewhere (a tool, a test), taken as "Oblicz" would leave it: the count is shown
    // and "Etap końcowy" opens when 1 to 30000 combinations passed.
    void takeCountedPool(const CandidatePool& pool);
    Outcome enterFinalStage(); // "Etap końcowy"; does nothing while it is locked

    // ---- The generator stage ----
    Outcome returnToFilters(Questions& questions); // "Powrót do poprzedniego etapu"
    Outcome saveSystem(Questions& questions);      // "Zapis systemu"
    Outcome buildGuaranteeSystem();                // OK of " Systemy gwarancyjne "
    // OK of " Symulacja komputerowa "; the run's random source is seeded from the time of day
    // (milliseconds since midnight) as the player clicks.
    Outcome startRandomSimulation(std::uint32_t timeOfDay);
    Outcome simulationTick();          // every 10 ms of a run
    Outcome countdownTick();           // every second of a run
    Outcome checkResult();             // OK of " Sprawdzanie wyników "
    void selectLine(std::int64_t row); // a line of the list chosen, 0-based

    // The groups' fields and choices as the player sets them.
    void setGuaranteeChoice(GuaranteeMode mode) { m_form.guaranteeChoice = mode; }
    void setDifferenceChoice(DifferenceChoice choice) { m_form.differenceChoice = choice; }
    void setSimulationCountText(std::string text) { m_form.countText = std::move(text); }
    void setSimulationLimitText(std::string text) { m_form.limitText = std::move(text); }
    void setDrawnEntry(int field, std::string text);
    void setRecentDrawsChoice(int index) { m_form.recentDrawsChoice = index; }
    void setLastDrawsChoice(int index) { m_form.lastDrawsChoice = index; }
    // The spinner of "Liczba losowań": 10 to 500 in steps of 10, no wrap-around.
    void stepDrawsToUse(int steps);

    // ---- " Obróbka systemu" ---- (offered after a full system and after each run of its own)
    // The pool loses every combination too close to the recent draws of the loaded history; what is left
    // becomes the new full system. With fewer draws than the choice needs, the draws there are serve and
    // the player is told how many; with none, nothing changes.
    Outcome reduceByRecentDraws(); // the "Akcja" beside "Liczba losowań"
    Outcome reduceByLastDraws();   // the second "Akcja"

private:
    // Asks the warning question while a simulation runs and stops it on Yes; false on No.
    bool generatorMayBeDisturbed(Questions& questions, const char* question);
    void stopGeneratorOnRequest();
    // What every command that would set the system aside does first: the question about a running
    // simulation, the end of the intro, the save offer. False when the command goes no further.
    bool maySetSystemAside(Questions& questions, const char* runningQuestion, Outcome& outcome);
    // The filter stage as "Nowy" shows it: the " Liczby  " tab in front, the count blank, "Etap końcowy"
    // locked.
    void showFilterStage(Outcome& outcome);
    // Offers once to save a newly built system; false only when the chosen file could not be written,
    // and then the command that made the offer goes no further.
    bool offerSave(Questions& questions, Outcome& outcome);
    bool writeSystem(const std::string& path, Outcome& outcome);
    void finishGeneration(Outcome& outcome);
    // The common frame of both post-processing tools around `reduce`, which works on the pool.
    template <class Reduce> Outcome postProcess(Reduce&& reduce);
    void lockFinalStage() { m_finalStageAllowed = false; }
    // Every group back to its first state, for "Etap końcowy" and for an opened file.
    void resetForm();
    void systemReplaced() { ++m_systemRevision; }
    // The candidate pool was counted again or reduced: a search of the old one stops.
    void poolChanged();
    // The seven fields taken into the settings; false after the refusal was put into the outcome.
    bool takePrintSettings(Outcome& outcome);
    Outcome done(Outcome outcome) const;

    std::string m_dataDirectory;
    FileOperations& m_files;
    DrawHistoryModel m_draws;
    PrintSettings m_printSettings;
    PrintSettingTexts m_printSettingTexts;
    Screen m_screen = Screen::Intro;
    bool m_introRunning = true;
    bool m_endConfirmed = false;

    FilterSettings m_settings; // nothing selected at start
    std::uint64_t m_filterSettingsRevision = 0;
    FilterSets m_filterSets;
    ShareBoxesEnabled m_shareBoxesEnabled = kInitialShareBoxesEnabled;
    std::optional<std::int32_t> m_shownCount;
    bool m_finalStageAllowed = false;
    std::unique_ptr<CandidatePool> m_pool;
    std::uint64_t m_poolRevision = 0;

    LotterySystem m_system;
    std::uint64_t m_systemRevision = 0;
    std::uint8_t m_systemSaved = 1;
    RandomSimulation m_simulation;
    GeneratorMode m_generatorMode = GeneratorMode::Ready;
    GeneratorForm m_form;

    // The pool to cover, taken again only when the pool or the system it comes from has changed.
    mutable std::unique_ptr<PoolToCover> m_poolToCover;
    mutable PoolToCoverKey m_poolToCoverFor;
    std::unique_ptr<OptimizationModel> m_optimization;
};

} // namespace selektor
