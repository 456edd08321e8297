#pragma once

// The draw history as the program keeps it for the whole run: loaded at start-up (with a change cut short
// undone first, and files that disagree offered a rebuild), and changed only through the commands of the
// draw history window, each asking its questions first. The application model owns one and forwards to it.

#include "core/Files.h"
#include "history/DrawEntry.h"
#include "history/DrawHistory.h"
#include "model/Outcome.h"
#include "model/Questions.h"

#include <cstdint>
#include <string>

namespace selektor {

extern const FileDialog kImportDrawsDialog;

class DrawHistoryModel {
public:
    DrawHistoryModel(const std::string& dataDirectory, FileOperations& files);

    const DrawHistoryStore& store() const { return m_store; }
    // Goes up with every command that may change the draw history, so a view knows to read it again.
    std::uint64_t revision() const { return m_revision; }

    // Reads the three files; what went wrong is said once, and files the text can mend are offered a
    // rebuild then and there.
    void load(Questions& questions, Outcome& outcome);
    void addDraw(const std::string& entryDate, const NumberBoxes& ticked, Questions& questions, Outcome& outcome);
    // The draws of a CSV file of past results that the history does not hold yet, asked for and stored all
    // or nothing after the newest draw.
    void importDraws(Questions& questions, Outcome& outcome);
    void deleteDraw(std::int64_t selectedIndex, Questions& questions, Outcome& outcome);
    // False, with the reason said or asked about, when the history may not change now. A history whose
    // files disagree is offered its rebuild first, which is the way out of every such refusal.
    bool mayChange(Questions& questions, Outcome& outcome);

private:
    // Asks whether to rebuild from the text after `problem`; true once rebuilt.
    bool offerRepair(const std::string& problem, Questions& questions, Outcome& outcome);

    FileOperations& m_files;
    DrawHistoryStore m_store;
    std::uint64_t m_revision = 0;
};

} // namespace selektor
