#pragma once

// The pages of "Selektor - Analiza". Each shows the figures the model worked out and nothing
// else: where the model refuses to give figures, the page says why in their place. The pages ask for
// nothing by themselves; the window hands them new figures and forwards their buttons.

#include "analysis/FilterHistory.h"
#include "analysis/SystemCoverage.h"
#include "analysis/SystemHistory.h"
#include "analysis/SystemOdds.h"

#include <QWidget>
#include <optional>
#include <string>

class QChartView;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace selektor {

// What every page has: a sentence that stands in place of the figures when there are none, and the
// figures themselves.
class AnalysisPage : public QWidget {
public:
    // Nothing could be worked out (no memory, say): the sentence in place of every figure.
    void showFailure(const QString& text);

protected:
    using QWidget::QWidget;
    // The model's refusal in place of the figures, or the figures when there is none; true for figures.
    bool showRefusal(const std::optional<std::string>& refusal);

    QLabel* m_message = nullptr;
    QWidget* m_figures = nullptr;
    QLabel* m_summary = nullptr; // above the figures, emptied with them
};

// "Filtry a historia": the filter settings tried on the stored draws, and the funnel of "Oblicz".
class FilterAnalysisPage : public AnalysisPage {
    Q_OBJECT
public:
    explicit FilterAnalysisPage(QWidget* parent = nullptr);

    // The newest draws to try (0: all of them), as the spin box says.
    std::size_t newestDraws() const;
    void showFigures(const FilterHistoryCheck& check, const FilterFunnel& funnel);

signals:
    void newestDrawsChanged();
    void saveTableRequested();
    void saveRejectedRequested();

private:
    QSpinBox* m_newestDraws = nullptr;
    QTableWidget* m_tabs = nullptr;
    QLabel* m_rejectedCaption = nullptr;
    QTableWidget* m_rejected = nullptr;
    QChartView* m_funnel = nullptr;
    QPushButton* m_saveRejected = nullptr;
};

// "System a historia": the current system as if it had been played on every stored draw.
class SystemAnalysisPage : public AnalysisPage {
    Q_OBJECT
public:
    explicit SystemAnalysisPage(QWidget* parent = nullptr);

    void showFigures(const SystemHistoryCheck& check);

signals:
    void saveTableRequested();

private:
    QTableWidget* m_hits = nullptr;
    QTableWidget* m_best = nullptr;
    QChartView* m_chart = nullptr;
};

// "Pokrycie systemu": every pool combination taken as the drawn six against the system's lines.
class CoverageAnalysisPage : public AnalysisPage {
    Q_OBJECT
public:
    explicit CoverageAnalysisPage(QWidget* parent = nullptr);

    void showFigures(const SystemCoverage& coverage);

signals:
    void saveTableRequested();

private:
    QLabel* m_guarantee = nullptr;
    QTableWidget* m_levels = nullptr;
    QLabel* m_holesCaption = nullptr;
    QTableWidget* m_holes = nullptr;
};

// "Szanse systemu": every possible draw against the system, inside the pool and out, beside as many
// tickets bought at random. Shown in "Analiza" and in the optimization window alike.
class OddsAnalysisPage : public AnalysisPage {
    Q_OBJECT
public:
    explicit OddsAnalysisPage(QWidget* parent = nullptr);

    // `poolDescription` names the pool the figures inside the pool are counted on.
    void showFigures(const SystemOdds& odds, const std::string& poolDescription);

private:
    QLabel* m_prize = nullptr;
    QLabel* m_pool = nullptr;
    QTableWidget* m_odds = nullptr;
};

} // namespace selektor
