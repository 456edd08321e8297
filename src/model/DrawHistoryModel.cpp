#include "model/DrawHistoryModel.h"

#include "history/DrawImport.h"

#include <new>

namespace selektor {

const FileDialog kImportDrawsDialog{"Pliki CSV(*.csv)", "csv"};

namespace {

const char* const kNoDrawsToImportMessage = "W pliku nie ma żadnego losowania !";
const char* const kImportTooLargeMessage = "Plik jest za duży na plik z wynikami losowań !";
const char* const kImportPastLastNumberMessage = "Tylu losowań nie można dodać - numer losowania przekroczyłby 9999 !";
// A results file of every draw ever held is a few hundred kilobytes; anything far larger is no such file.
constexpr std::uint64_t kLargestImportFile = 16 * 1024 * 1024;

} // namespace

DrawHistoryModel::DrawHistoryModel(const std::string& dataDirectory, FileOperations& files)
    : m_files(files), m_store(dataDirectory, files) {}

void DrawHistoryModel::load(Questions& questions, Outcome& outcome) {
    ++m_revision;
    bool unreadable = false;
    try {
        m_store.load();
    } catch (const FileError&) {
        unreadable = true;
    }
    if (m_store.interruptedChangeUndone())
        outcome.inform(kInterruptedChangeUndoneMessage);
    const auto& problem = m_store.history().problem;
    if (!problem)
        return;
    // Said once, here; adding and deleting will refuse with it, or offer the rebuild again.
    if (m_store.repairable())
        offerRepair(*problem, questions, outcome);
    else if (unreadable)
        outcome.fail(*problem);
    else
        outcome.inform(*problem);
}

bool DrawHistoryModel::offerRepair(const std::string& problem, Questions& questions, Outcome& outcome) {
    if (!questions.confirm(problem + " " + kRepairQuestion))
        return false;
    std::vector<std::string> keptAside;
    try {
        keptAside = m_store.repair();
    } catch (const FileError& error) {
        outcome.fail(error.what());
        return false;
    }
    outcome.inform(repairedMessage(keptAside));
    return true;
}

bool DrawHistoryModel::mayChange(Questions& questions, Outcome& outcome) {
    // A history that failed its checks would number or delete from a broken list: said before any question.
    const auto& problem = m_store.history().problem;
    if (!problem)
        return true;
    ++m_revision;
    if (m_store.repairable()) {
        const std::string said = *problem;
        return offerRepair(said, questions, outcome);
    }
    outcome.inform(*problem);
    return false;
}

void DrawHistoryModel::addDraw(const std::string& entryDate, const NumberBoxes& ticked, Questions& questions,
                               Outcome& outcome) {
    ++m_revision; // whatever the outcome: a failed change may have been undone, a load read anew
    if (!mayChange(questions, outcome))
        return;
    const DrawEntry entry = enterDraw(m_store.history().lines, entryDate, ticked);
    if (!entry.refusal.empty()) {
        outcome.inform(entry.refusal);
        return;
    }
    if (!questions.confirm(entry.question))
        return;
    try {
        m_store.appendDraw(entry.line, entry.record);
        outcome.drawStored = true;
    } catch (const FileError& error) {
        outcome.fail(error.what());
    }
}

void DrawHistoryModel::importDraws(Questions& questions, Outcome& outcome) {
    ++m_revision;
    if (!mayChange(questions, outcome))
        return;
    const std::string path = questions.openFileName(kImportDrawsDialog);
    if (path.empty())
        return;
    std::string text;
    try {
        text = readWholeFile(m_files, path, kLargestImportFile, kImportTooLargeMessage);
    } catch (const FileError& error) {
        if (error.what() == std::string(kImportTooLargeMessage))
            outcome.inform(error.what());
        else
            outcome.fail(error.what());
        return;
    }
    const DrawImport import = readDrawCsv(text);
    if (import.refusal || import.draws.empty()) {
        outcome.inform(import.refusal ? *import.refusal : kNoDrawsToImportMessage);
        return;
    }
    const DrawUpdate update = planDrawUpdate(import, m_store.history().lines);
    if (update.refusal || update.newDraws.empty()) {
        outcome.inform(update.refusal ? *update.refusal : kNothingNewToImportMessage);
        return;
    }

    // Every new draw is entered as the window enters one, each numbered after the one before.
    std::vector<std::string> lines = m_store.history().lines;
    std::vector<DrawHistoryStore::NewDraw> draws;
    draws.reserve(update.newDraws.size());
    for (const ImportedDraw& draw : update.newDraws) {
        NumberBoxes boxes{};
        for (Number n : draw.numbers)
            boxes[n - 1] = 1;
        DrawEntry entry = enterDraw(lines, draw.date, boxes);
        if (!entry.refusal.empty()) {
            outcome.inform(entry.refusal == kNoDrawNumberLeftMessage ? kImportPastLastNumberMessage : entry.refusal);
            return;
        }
        lines.push_back(entry.line);
        draws.push_back({std::move(entry.line), entry.record});
    }
    if (!questions.confirm(importQuestion(update)))
        return;
    try {
        m_store.appendDraws(draws);
        outcome.drawStored = true;
    } catch (const FileError& error) {
        outcome.fail(error.what());
    }
}

void DrawHistoryModel::deleteDraw(std::int64_t selectedIndex, Questions& questions, Outcome& outcome) {
    ++m_revision;
    if (!mayChange(questions, outcome))
        return;
    if (selectedIndex < 0 || static_cast<std::size_t>(selectedIndex) >= m_store.history().lines.size()) {
        outcome.inform(kNoDrawSelectedMessage);
        return;
    }
    if (!questions.confirm(kDeleteDrawQuestion))
        return;
    try {
        m_store.deleteDraw(static_cast<std::size_t>(selectedIndex));
        outcome.drawStored = true;
    } catch (const FileError& error) {
        outcome.fail(error.what());
    }
}

} // namespace selektor
