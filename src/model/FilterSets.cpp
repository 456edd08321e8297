#include "model/FilterSets.h"

#include "filtersets/FilterSetFile.h"

namespace selektor {

const FileDialog kSaveFilterSetDialog{"Filtry Selektora (*.sel)", "sel"};
const FileDialog kOpenFilterSetDialog{"Filtry Selektora (*.sel)", "sel"};

bool filterSetSaveAllowed(const StageState& stage) {
    return stage.screen == Screen::Filters;
}

void FilterSets::save(const FilterSettings& settings, Questions& questions, Outcome& outcome) const {
    const std::string path = questions.saveFileName(kSaveFilterSetDialog);
    if (path.empty())
        return;
    try {
        writeFilterSetFile(path, settings, m_files);
    } catch (const FileError& error) {
        outcome.fail(error.what());
    }
}

std::optional<FilterSettings> FilterSets::open(Questions& questions, Outcome& outcome) const {
    const std::string path = questions.openFileName(kOpenFilterSetDialog);
    if (path.empty())
        return std::nullopt;
    FilterSetReading reading;
    try {
        reading = readFilterSetText(readFilterSetBytes(path, m_files));
    } catch (const FileError& error) {
        outcome.fail(error.what());
        return std::nullopt;
    }
    if (reading.refusal) {
        outcome.inform(*reading.refusal);
        return std::nullopt;
    }
    return reading.settings;
}

} // namespace selektor
