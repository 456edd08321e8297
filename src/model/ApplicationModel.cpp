#include "model/ApplicationModel.h"

#include "analysis/AnalysisCsv.h"
#include "core/Enumeration.h"
#include "core/TemplateCatalogue.h"
#include "generator/PostProcessing.h"
#include "generator/SystemFile.h"
#include "history/DrawImport.h"
#include "print/CouponPrint.h"

#include <algorithm>
#include <new>

namespace selektor {

const FileDialog kSaveSystemDialog{"Plik textowy(*.txt)", "txt"};
const FileDialog kOpenSystemDialog{"Pliki textowe(*.txt)", "txt"};
const FileDialog kSaveTableDialog{"Pliki CSV(*.csv)", "csv"};

namespace {

const char* const kRunningNewQuestion =
    "Generator jest obecnie w trakcie obliczeń ! Czy chcesz teraz tworzyć nowy system ?";
const char* const kRunningOpenQuestion =
    "Generator jest obecnie w trakcie obliczeń ! Czy chcesz teraz przeglądać systemy ?";
const char* const kRunningOpenFiltersQuestion =
    "Generator jest obecnie w trakcie obliczeń ! Czy chcesz teraz otworzyć filtry ?";
const char* const kRunningEndQuestion = "Generator jest obecnie w trakcie obliczeń ! Czy chcesz przerwać obliczenia ?";
const char* const kRunningBackQuestion =
    "Generator jest obecnie w trakcie obliczeń ! Czy rzeczywiście chcesz teraz edytować dane ?";
const char* const kEndQuestion = "Czy chcesz zakończyć prace z programem Selektor ?";
const char* const kSaveQuestion = "Zapisać ostatni wygenerowany system ?";
const char* const kEmptyListMessage = "Co chcesz zapisywać ? Lista jest pusta ! ";

} // namespace

std::string drawsToUseText(int drawsToUse) {
    std::string text = std::to_string(drawsToUse);
    if (text.size() < 3)
        text.insert(0, 3 - text.size(), ' ');
    return text;
}

ApplicationModel::ApplicationModel(std::string dataDirectory, std::uint32_t timeOfDay, FileOperations& files)
    : m_dataDirectory(std::move(dataDirectory)), m_files(files), m_draws(m_dataDirectory, files), m_filterSets(files),
      m_pool(std::make_unique<CandidatePool>()), m_optimization(std::make_unique<OptimizationModel>()) {
    m_simulation.random.reseed(timeOfDay);
}

ApplicationModel::~ApplicationModel() = default;

StageState ApplicationModel::stage() const {
    return StageState{m_screen, m_generatorMode, m_finalStageAllowed, m_introRunning};
}

Outcome ApplicationModel::done(Outcome outcome) const {
    outcome.stage = stage();
    return outcome;
}

// ---------------------------------------------------------------------------------------------------
// The shell

bool ApplicationModel::generatorMayBeDisturbed(Questions& questions, const char* question) {
    if (!generatorRunning())
        return true;
    if (!questions.warn(question))
        return false;
    stopGeneratorOnRequest();
    return true;
}

void ApplicationModel::stopGeneratorOnRequest() {
    stopSimulation(m_simulation);
    m_generatorMode = GeneratorMode::Stopped;
    m_form.secondsLeft.reset();
}

bool ApplicationModel::maySetSystemAside(Questions& questions, const char* runningQuestion, Outcome& outcome) {
    if (!generatorMayBeDisturbed(questions, runningQuestion))
        return false;
    stopIntro();
    return offerSave(questions, outcome);
}

Outcome ApplicationModel::newSystem(Questions& questions) {
    Outcome outcome;
    if (!maySetSystemAside(questions, kRunningNewQuestion, outcome))
        return done(std::move(outcome));
    // Every tab back to its free mode; what the player chose on the tabs stays for the next time.
    for (int p = 0; p < kPanelCount; ++p)
        m_settings.setMode(static_cast<Panel>(p), 0);
    showFilterStage(outcome);
    return done(std::move(outcome));
}

void ApplicationModel::showFilterStage(Outcome& outcome) {
    m_shownCount.reset();
    lockFinalStage();
    m_screen = Screen::Filters;
    outcome.showFirstTab = true;
}

Outcome ApplicationModel::saveFilterSet(Questions& questions) {
    Outcome outcome;
    stopIntro();
    if (filterSetSaveAllowed(stage()))
        m_filterSets.save(m_settings, questions, outcome);
    return done(std::move(outcome));
}

Outcome ApplicationModel::openFilterSet(Questions& questions) {
    Outcome outcome;
    if (!maySetSystemAside(questions, kRunningOpenFiltersQuestion, outcome))
        return done(std::move(outcome));
    std::optional<FilterSettings> opened = m_filterSets.open(questions, outcome);
    if (!opened)
        return done(std::move(outcome));
    // In force as if clicked: the share boxes follow the favourites, and "Etap końcowy" waits for "Oblicz".
    m_settings = *opened;
    m_shareBoxesEnabled = shareBoxesEnabledFor(m_settings.favouriteCount);
    ++m_filterSettingsRevision;
    showFilterStage(outcome);
    return done(std::move(outcome));
}

Outcome ApplicationModel::openSystem(Questions& questions) {
    Outcome outcome;
    if (!maySetSystemAside(questions, kRunningOpenQuestion, outcome))
        return done(std::move(outcome));
    const std::string path = questions.openFileName(kOpenSystemDialog);
    if (path.empty())
        return done(std::move(outcome));
    // The file is read in full before the list is touched: a file that cannot be read leaves the
    // system on screen as it was.
    try {
        m_system = readSystemFile(path);
    } catch (const FileError& error) {
        outcome.fail(error.what());
        return done(std::move(outcome));
    }
    systemReplaced();
    resetForm();
    m_form.lineCount = static_cast<std::int64_t>(m_system.size());
    m_generatorMode = GeneratorMode::FromFile;
    m_screen = Screen::Generator;
    return done(std::move(outcome));
}

Outcome ApplicationModel::requestEnd(Questions& questions) {
    Outcome outcome;
    if (!m_endConfirmed) {
        if (!maySetSystemAside(questions, kRunningEndQuestion, outcome) || !questions.confirm(kEndQuestion))
            return done(std::move(outcome));
        m_endConfirmed = true;
    }
    stopIntro();
    outcome.endProgram = true;
    return done(std::move(outcome));
}

// ---------------------------------------------------------------------------------------------------
// The draw history

Outcome ApplicationModel::loadHistory(Questions& questions) {
    Outcome outcome;
    m_draws.load(questions, outcome);
    return done(std::move(outcome));
}

Outcome ApplicationModel::addDraw(const std::string& entryDate, const NumberBoxes& ticked, Questions& questions) {
    Outcome outcome;
    m_draws.addDraw(entryDate, ticked, questions, outcome);
    return done(std::move(outcome));
}

Outcome ApplicationModel::importDraws(Questions& questions) {
    Outcome outcome;
    m_draws.importDraws(questions, outcome);
    return done(std::move(outcome));
}

Outcome ApplicationModel::offerHistoryRepair(Questions& questions) {
    Outcome outcome;
    m_draws.mayChange(questions, outcome);
    return done(std::move(outcome));
}

Outcome ApplicationModel::deleteDraw(std::int64_t selectedIndex, Questions& questions) {
    Outcome outcome;
    m_draws.deleteDraw(selectedIndex, questions, outcome);
    return done(std::move(outcome));
}

HistoryStatistics ApplicationModel::statistics(int recentWindow) const {
    const DrawHistory& history = drawHistory();
    // The statistics use the stored pattern values as table positions: a history that failed its checks
    // may hold records that point outside the tables, so it is counted as none.
    if (history.problem)
        return computeStatistics(0, StatRecord{}, {}, recentWindow);
    return computeStatistics(history.lines.size(), history.totals, history.records, recentWindow);
}

// ---------------------------------------------------------------------------------------------------
// Printing on coupon blanks

namespace {

void refuse(Outcome& outcome, const PrintRefusal& refusal) {
    if (refusal.kind == PrintRefusal::Kind::ConversionError)
        outcome.fail(refusal.text);
    else
        outcome.inform(refusal.text);
}

} // namespace

Outcome ApplicationModel::loadPrintSettings() {
    Outcome outcome;
    LoadedPrintSettings loaded = selektor::loadPrintSettings(m_dataDirectory, m_files);
    m_printSettings = loaded.settings;
    m_printSettingTexts = std::move(loaded.texts);
    if (loaded.interruptedSaveUndone)
        outcome.inform(kInterruptedSaveUndoneMessage);
    if (loaded.error)
        outcome.fail(*loaded.error);
    return done(std::move(outcome));
}

void ApplicationModel::setPrintSettingText(std::size_t setting, std::string text) {
    if (setting < kPrintSettingCount)
        m_printSettingTexts[setting] = std::move(text);
}

bool ApplicationModel::takePrintSettings(Outcome& outcome) {
    const TakenPrintSettings taken = selektor::takePrintSettings(m_printSettingTexts);
    if (taken.refusal) {
        refuse(outcome, *taken.refusal);
        return false;
    }
    m_printSettings = taken.settings;
    return true;
}

Outcome ApplicationModel::togglePrintPanels() {
    Outcome outcome;
    if (m_form.printSettingsShown) {
        m_form.printSettingsShown = m_form.printRangeShown = false;
    } else {
        // The count is taken as the panels open; every change of the list closes them again.
        m_form.blanksNeeded = blanksNeeded(m_system.size());
        m_form.printSettingsShown = m_form.printRangeShown = true;
    }
    return done(std::move(outcome));
}

Outcome ApplicationModel::testPrint() {
    Outcome outcome;
    if (takePrintSettings(outcome))
        outcome.printJob.push_back(testPage(m_printSettings));
    return done(std::move(outcome));
}

Outcome ApplicationModel::printCoupons() {
    Outcome outcome;
    if (!takePrintSettings(outcome))
        return done(std::move(outcome));
    const CouponPrintCheck check = checkCouponPrint(m_form.printFrom, m_form.printTo, m_system);
    if (check.refusal) {
        refuse(outcome, *check.refusal);
        return done(std::move(outcome));
    }
    for (std::int32_t blank = check.firstBlank; blank <= check.lastBlank; ++blank)
        outcome.printJob.push_back(couponPage(m_printSettings, m_system, blank));
    return done(std::move(outcome));
}

Outcome ApplicationModel::savePrintSettings(Questions& questions) {
    Outcome outcome;
    if (!takePrintSettings(outcome) || !questions.confirm("Zapisać aktualne ustawienia ?"))
        return done(std::move(outcome));
    try {
        selektor::savePrintSettings(m_dataDirectory, m_printSettings, m_files);
    } catch (const FileError& error) {
        outcome.fail(error.what());
    }
    return done(std::move(outcome));
}

std::vector<ChartPoint> ApplicationModel::numberChart(Number chartNumber, int windowLength, int windowStep) const {
    return buildNumberChart(chartNumber, windowLength, windowStep, drawHistory().records);
}

// ---------------------------------------------------------------------------------------------------
// "Analiza"

FilterHistoryCheck ApplicationModel::filtersOnHistory(std::size_t newestDraws) const {
    return checkFiltersOnHistory(m_settings, drawHistory(), newestDraws);
}

FilterFunnel ApplicationModel::filterFunnel() const {
    return selektor::filterFunnel(m_settings);
}

SystemHistoryCheck ApplicationModel::systemOnHistory() const {
    return checkSystemOnHistory(m_system, drawHistory());
}

SystemCoverage ApplicationModel::systemCoverage() const {
    return measureCoverage(m_system, *m_pool);
}

SystemOdds ApplicationModel::systemOdds() const {
    const PoolToCover& pool = poolToCover();
    return selektor::systemOdds(m_system, pool.rows.get(), pool.description);
}

Outcome ApplicationModel::saveAnalysisTable(AnalysisTable table, std::size_t newestDraws, Questions& questions) const {
    Outcome outcome;
    std::string csv;
    std::optional<std::string> refusal;
    switch (table) {
    case AnalysisTable::Filters: {
        const FilterHistoryCheck check = filtersOnHistory(newestDraws);
        const FilterFunnel funnel = filterFunnel();
        refusal = funnel.refusal ? funnel.refusal : check.refusal;
        csv = filterHistoryCsv(check, funnel);
        break;
    }
    case AnalysisTable::RejectedDraws: {
        const FilterHistoryCheck check = filtersOnHistory(newestDraws);
        refusal = check.refusal;
        csv = rejectedDrawsCsv(check);
        break;
    }
    case AnalysisTable::SystemOnDraws: {
        const SystemHistoryCheck check = systemOnHistory();
        refusal = check.refusal;
        csv = systemHistoryCsv(check);
        break;
    }
    case AnalysisTable::Coverage: {
        const SystemCoverage coverage = systemCoverage();
        refusal = coverage.refusal;
        csv = coverageCsv(coverage);
        break;
    }
    }
    // A file of headings alone would pass for figures; the player is told why there are none instead.
    if (refusal) {
        outcome.inform(*refusal);
        return done(std::move(outcome));
    }
    const std::string path = questions.saveFileName(kSaveTableDialog);
    if (path.empty())
        return done(std::move(outcome));
    try {
        FileReplacement file(m_files, path);
        file.write(csv);
        file.commit();
    } catch (const FileError& error) {
        outcome.fail(error.what());
    }
    return done(std::move(outcome));
}

// ---------------------------------------------------------------------------------------------------
// The filter stage

void ApplicationModel::toggleFavourite(Number n) {
    lockFinalStage();
    selektor::toggleFavourite(m_settings, m_shareBoxesEnabled, n);
}

void ApplicationModel::toggleBasic(Number n) {
    lockFinalStage();
    selektor::toggleBasic(m_settings, m_shareBoxesEnabled, n);
}

void ApplicationModel::setShareBox(int share, bool ticked) {
    lockFinalStage();
    if (share >= 0 && share < kShareBoxes && m_shareBoxesEnabled[share])
        m_settings.shareBoxChecked[share] = ticked ? 1 : 0;
}

void ApplicationModel::toggleTemplate(Panel panel, int position) {
    lockFinalStage();
    selektor::toggleTemplate(m_settings, panel, position);
}

bool ApplicationModel::chooseMode(Panel panel, std::uint8_t mode) {
    lockFinalStage();
    if (m_settings.mode(panel) == mode)
        return false;
    m_settings.setMode(panel, mode);
    return true;
}

void ApplicationModel::setPairGroupLimit(std::uint8_t limit) {
    lockFinalStage();
    m_settings.pairGroupLimit = limit;
}

void ApplicationModel::setOtherDigitsRule(std::uint8_t rule) {
    lockFinalStage();
    m_settings.otherDigitsRule = rule;
}

Outcome ApplicationModel::countCombinations() {
    Outcome outcome;
    lockFinalStage();
    m_shownCount.reset();
    const CountOutcome counted = selektor::countCombinations(m_settings, *m_pool);
    poolChanged();
    if (counted.refusal)
        outcome.inform(*counted.refusal);
    else
        m_shownCount = m_pool->count();
    m_finalStageAllowed = counted.finalStageAllowed;
    return done(std::move(outcome));
}

void ApplicationModel::takeCountedPool(const CandidatePool& pool) {
    *m_pool = pool;
    poolChanged();
    m_shownCount = pool.count();
    m_finalStageAllowed = pool.count() >= 1 && pool.count() <= kPoolCapacity;
}

Outcome ApplicationModel::enterFinalStage() {
    Outcome outcome;
    if (!m_finalStageAllowed)
        return done(std::move(outcome));
    if (generatorRunning())
        stopGeneratorOnRequest();
    m_system.clear();
    systemReplaced();
    resetForm();
    m_systemSaved = 1;
    m_generatorMode = GeneratorMode::Ready;
    m_screen = Screen::Generator;
    outcome.stopSaveFlash = true;
    return done(std::move(outcome));
}

void ApplicationModel::resetForm() {
    m_form = GeneratorForm{};
}

// ---------------------------------------------------------------------------------------------------
// The generator stage

Outcome ApplicationModel::returnToFilters(Questions& questions) {
    Outcome outcome;
    if (generatorRunning()) {
        if (!questions.warn(kRunningBackQuestion))
            return done(std::move(outcome));
        stopGeneratorOnRequest();
        // The partial system of an interrupted run is dropped without an offer.
        m_systemSaved = 1;
    } else if (!offerSave(questions, outcome)) {
        return done(std::move(outcome));
    }
    m_screen = Screen::Filters;
    lockFinalStage();
    m_shownCount.reset();
    return done(std::move(outcome));
}

bool ApplicationModel::writeSystem(const std::string& path, Outcome& outcome) {
    try {
        writeSystemFile(path, m_system);
        return true;
    } catch (const FileError& error) {
        outcome.fail(error.what());
        return false;
    }
}

Outcome ApplicationModel::saveSystem(Questions& questions) {
    Outcome outcome;
    if (m_system.empty()) {
        outcome.inform(kEmptyListMessage);
        return done(std::move(outcome));
    }
    const std::string path = questions.saveFileName(kSaveSystemDialog);
    // A file that could not be written leaves the system waiting to be saved.
    if (path.empty() || writeSystem(path, outcome))
        m_systemSaved = 1;
    return done(std::move(outcome));
}

bool ApplicationModel::offerSave(Questions& questions, Outcome& outcome) {
    if (m_systemSaved == 1 || m_system.empty())
        return true;
    if (questions.confirm(kSaveQuestion)) {
        const std::string path = questions.saveFileName(kSaveSystemDialog);
        if (!path.empty() && !writeSystem(path, outcome))
            return false;
    }
    m_systemSaved = 1;
    return true;
}

Outcome ApplicationModel::buildGuaranteeSystem() {
    Outcome outcome;
    m_systemSaved = 0;
    m_form.selectedLine.reset();
    m_form.printSettingsShown = m_form.printRangeShown = false;
    const GuaranteeOutcome built = selektor::buildGuaranteeSystem(m_form.guaranteeChoice, *m_pool, m_system);
    systemReplaced();
    m_form.lineCount = built.lineCount;
    m_generatorMode = built.postProcessingOffered ? GeneratorMode::PostProcessable : GeneratorMode::Built;
    outcome.flashSaveButton = true;
    return done(std::move(outcome));
}

Outcome ApplicationModel::startRandomSimulation(std::uint32_t timeOfDay) {
    Outcome outcome;
    const StartOutcome started = selektor::startRandomSimulation(
        m_form.countText, m_form.limitText, m_form.differenceChoice, timeOfDay, m_system, m_simulation);
    switch (started.status) {
    case StartStatus::Refused:
        outcome.inform(started.message);
        return done(std::move(outcome));
    case StartStatus::ConversionError:
        outcome.fail(started.message);
        return done(std::move(outcome));
    case StartStatus::NothingToDo:
        return done(std::move(outcome));
    case StartStatus::Started:
        break;
    }
    systemReplaced();
    m_generatorMode = GeneratorMode::Simulating;
    m_form.printSettingsShown = m_form.printRangeShown = false;
    m_form.lineCount = 0;
    m_form.selectedLine.reset();
    m_form.secondsLeft = m_simulation.secondsLeft;
    return done(std::move(outcome));
}

void ApplicationModel::finishGeneration(Outcome& outcome) {
    if (!m_system.empty())
        m_systemSaved = 0;
    m_generatorMode = GeneratorMode::Built;
    m_form.secondsLeft.reset();
    outcome.flashSaveButton = true;
}

Outcome ApplicationModel::simulationTick() {
    Outcome outcome;
    // A tick that was already queued when the run ended does nothing.
    if (!generatorRunning())
        return done(std::move(outcome));
    const SimulationTickOutcome tick = selektor::simulationTick(*m_pool, m_system, m_simulation);
    if (tick.drawn)
        m_form.drawnCandidate = tick.drawn;
    if (tick.accepted)
        m_form.lineCount = static_cast<std::int64_t>(m_system.size());
    if (tick.finished)
        finishGeneration(outcome);
    return done(std::move(outcome));
}

Outcome ApplicationModel::countdownTick() {
    Outcome outcome;
    if (!generatorRunning())
        return done(std::move(outcome));
    const CountdownTickOutcome tick = selektor::countdownTick(m_simulation);
    m_form.secondsLeft = tick.secondsShown;
    if (tick.finished)
        finishGeneration(outcome);
    return done(std::move(outcome));
}

void ApplicationModel::setDrawnEntry(int field, std::string text) {
    if (field >= 0 && field < kDrawnNumbers)
        m_form.drawnEntries[field] = std::move(text);
}

Outcome ApplicationModel::checkResult() {
    Outcome outcome;
    ResultCheckOutcome checked = selektor::checkResult(m_form.drawnEntries, m_system);
    if (checked.message) {
        // The previous results stay on display.
        outcome.inform(*checked.message);
        return done(std::move(outcome));
    }
    outcome.playSixHitSound = checked.playSixHitSound;
    m_form.results = std::move(checked);
    return done(std::move(outcome));
}

void ApplicationModel::stepDrawsToUse(int steps) {
    m_form.drawsToUse = std::clamp(m_form.drawsToUse + steps * kDrawsToUseStep, kFewestDrawsToUse, kMostDrawsToUse);
}

template <class Reduce> Outcome ApplicationModel::postProcess(Reduce&& reduce) {
    Outcome outcome;
    if (m_generatorMode != GeneratorMode::PostProcessable)
        return done(std::move(outcome));
    // Draws that could not be read, or files that disagree, are no history to compare with; the player is
    // told what is wrong with them rather than that there are too few.
    if (const auto& problem = drawHistory().problem) {
        outcome.inform(*problem);
        return done(std::move(outcome));
    }
    // The draws as the loaded history holds them, the newest last.
    std::vector<Combination> draws;
    draws.reserve(drawHistory().records.size());
    for (const DrawRecord& record : drawHistory().records)
        draws.push_back(record.numbers);
    const PostProcessingOutcome reduced = reduce(std::span<const Combination>(draws), *m_pool);
    if (reduced.ran)
        poolChanged();
    if (reduced.message)
        outcome.inform(*reduced.message);
    // A pool too small for the tool, or no draw to compare with: the system stays as it was.
    if (!reduced.ran)
        return done(std::move(outcome));
    m_systemSaved = 0;
    m_form.selectedLine.reset();
    m_form.printSettingsShown = m_form.printRangeShown = false;
    selektor::buildGuaranteeSystem(GuaranteeMode::Full, *m_pool, m_system);
    systemReplaced();
    m_form.lineCount = static_cast<std::int64_t>(m_system.size());
    outcome.flashSaveButton = true;
    return done(std::move(outcome));
}

Outcome ApplicationModel::reduceByRecentDraws() {
    const auto choice = static_cast<RecentDrawsChoice>(m_form.recentDrawsChoice);
    return postProcess([&](std::span<const Combination> draws, CandidatePool& pool) {
        return selektor::reduceByRecentDraws(choice, m_form.drawsToUse, draws, pool);
    });
}

Outcome ApplicationModel::reduceByLastDraws() {
    const auto choice = static_cast<LastDrawsChoice>(m_form.lastDrawsChoice);
    return postProcess([&](std::span<const Combination> draws, CandidatePool& pool) {
        return selektor::reduceByLastDraws(choice, draws, pool);
    });
}

// ---------------------------------------------------------------------------------------------------
// "Optymalizacja systemu"

const PoolToCover& ApplicationModel::poolToCover() const {
    // A system from a file is not rebuilt from the pool (the pool is not offered for it): its own
    // combinations are covered instead.
    const bool systemFromFile = m_screen == Screen::Generator && m_generatorMode == GeneratorMode::FromFile;
    const PoolToCoverKey key = !systemFromFile && m_pool->count() > 0
                                   ? PoolToCoverKey{PoolToCoverSource::CandidatePool, m_poolRevision,
                                                    static_cast<std::size_t>(m_pool->storedCount())}
                                   : PoolToCoverKey{PoolToCoverSource::SystemLines, m_systemRevision, m_system.size()};
    if (!m_poolToCover || key != m_poolToCoverFor) {
        m_poolToCover = std::make_unique<PoolToCover>(
            choosePoolToCover(*m_pool, m_poolRevision, m_system, m_systemRevision, systemFromFile));
        m_poolToCoverFor = key;
    }
    return *m_poolToCover;
}

void ApplicationModel::poolChanged() {
    ++m_poolRevision;
    m_optimization->follow(poolToCover().key);
}

OptimizationModel& ApplicationModel::optimization() {
    m_optimization->follow(poolToCover().key);
    return *m_optimization;
}

Outcome ApplicationModel::startOptimization(std::uint32_t timeOfDay) {
    return done(optimization().start(poolToCover(), timeOfDay));
}

Outcome ApplicationModel::useOptimizedSystem(Questions& questions) {
    Outcome outcome;
    const PoolToCover& pool = poolToCover();
    const OptimizationRun* result = optimization().offered(pool.key);
    if (!result || !generatorMayBeDisturbed(questions, kRunningEndQuestion))
        return done(std::move(outcome));
    // Built from the pool of the last "Oblicz", the system can be rebuilt and simulated on like a
    // guarantee build; made from a file's lines, or from a pool that "Etap końcowy" would refuse, it is
    // checked, printed and saved like a system from a file.
    const bool rebuildable = pool.key.source == PoolToCoverSource::CandidatePool && m_pool->count() <= kPoolCapacity;
    if (m_screen != Screen::Generator) {
        stopIntro();
        resetForm();
        m_screen = Screen::Generator;
        m_generatorMode = rebuildable ? GeneratorMode::Built : GeneratorMode::FromFile;
        outcome.stopSaveFlash = true;
    } else if (m_generatorMode != GeneratorMode::FromFile) {
        m_generatorMode = GeneratorMode::Built;
    }
    const std::vector<Combination> tickets = result->tickets;
    m_system.clear();
    m_system.reserve(tickets.size());
    for (const Combination& ticket : tickets)
        m_system.append(ticket);
    systemReplaced();
    m_systemSaved = 0;
    m_form.selectedLine.reset();
    m_form.printSettingsShown = m_form.printRangeShown = false;
    m_form.lineCount = static_cast<std::int64_t>(m_system.size());
    outcome.flashSaveButton = true;
    return done(std::move(outcome));
}

void ApplicationModel::selectLine(std::int64_t row) {
    if (row >= 0 && static_cast<std::size_t>(row) < m_system.size())
        m_form.selectedLine = row + 1;
}

} // namespace selektor
