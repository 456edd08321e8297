#pragma once

// The window "Selektor - Analiza": what the player wants to know before paying for a system. Four
// pages: the filter settings tried on the draws that really came up, the current system played on every
// stored draw, how much of its candidate pool the system really covers, and its exact chances over
// every possible draw. The figures are the model's;
// the window asks for them again whenever the model has changed and a page is in view, at most a few
// times a second, so a page always shows the settings, the system and the history of the moment.

#include "core/FilterSettings.h"

#include <QWidget>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

class QTabWidget;
class QTimer;

namespace selektor {

class CoverageAnalysisPage;
class FilterAnalysisPage;
class OddsAnalysisPage;
class Session;
class SystemAnalysisPage;
enum class AnalysisTable : std::uint8_t;

class AnalysisWindow : public QWidget {
    Q_OBJECT
public:
    explicit AnalysisWindow(Session& session, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum Page { Filters, System, Coverage, Odds, PageCount };

    void modelChanged();
    void refreshShownPage();
    void refresh(Page page);
    void saveTable(AnalysisTable table);

    Session& m_session;
    QTabWidget* m_pages = nullptr;
    FilterAnalysisPage* m_filters = nullptr;
    SystemAnalysisPage* m_system = nullptr;
    CoverageAnalysisPage* m_coverage = nullptr;
    OddsAnalysisPage* m_odds = nullptr;
    QTimer* m_refreshTimer = nullptr;
    std::array<bool, PageCount> m_stale{true, true, true, true};
    // What the filter page's figures were worked out from: the funnel takes up to nine enumerations, so
    // the page is not worked out again while only the system changes (a running simulation).
    struct FilterInputs {
        FilterSettings settings;
        std::uint64_t historyRevision = 0;
        std::size_t newestDraws = 0;
        friend bool operator==(const FilterInputs&, const FilterInputs&) = default;
    };
    std::optional<FilterInputs> m_shownFilters;
};

} // namespace selektor
