#pragma once

// "Zapisz filtry" and "Otwórz filtry": what the player set on the nine filter tabs, kept in a file they
// name and opened again. This part only writes and reads the files through the dialogs; the model puts
// an opened set in force and moves to the filter stage.

#include "core/Files.h"
#include "core/FilterSettings.h"
#include "model/Outcome.h"
#include "model/Questions.h"
#include "model/StageState.h"

#include <optional>

namespace selektor {

extern const FileDialog kSaveFilterSetDialog;
extern const FileDialog kOpenFilterSetDialog;

// Saving belongs to the filter stage, where the settings are made; an opened set leads there from
// anywhere.
bool filterSetSaveAllowed(const StageState& stage);

class FilterSets {
public:
    explicit FilterSets(FileOperations& files) : m_files(files) {}

    // The save dialog, then the file; a file that could not be written is said in the outcome.
    void save(const FilterSettings& settings, Questions& questions, Outcome& outcome) const;
    // The open dialog, then the whole file checked. Nothing when the player cancelled or the file was
    // refused, which the outcome says.
    std::optional<FilterSettings> open(Questions& questions, Outcome& outcome) const;

private:
    FileOperations& m_files;
};

} // namespace selektor
