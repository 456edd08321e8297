#pragma once

// The three pages of "Selektor - Analiza". Each shows the figures the model worked out and nothing
// else: where the model refuses to give figures, the page says why in their place. The pages ask for
// nothing by themselves; the window hands them new figures and forwards their buttons.

#include "analysis/FilterHistory.h"
#include "analysis/SystemCoverage.h"
#include "analysis/SystemHistory.h"

#include <QWidget>

class QChartView;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace selektor {

// "Filtry a historia": the filter settings tried on the stored draws, and the funnel of "Oblicz".
class FilterAnalysisPage : public QWidget {
    Q_OBJECT
public:
    explicit FilterAnalysisPage(QWidget* parent = nullptr);

    // The newest draws to try (0: all of them), as the spin box says.
    std::size_t newestDraws() const;
    void showFigures(const FilterHistoryCheck& check, const FilterFunnel& funnel);
    // Nothing could be worked out (no memory, say): the sentence in place of every figure.
    void showFailure(const QString& text);

signals:
    void newestDrawsChanged();
    void saveTableRequested();
    void saveRejectedRequested();

private:
    QSpinBox* m_newestDraws = nullptr;
    QLabel* m_message = nullptr;
    QLabel* m_summary = nullptr;
    QWidget* m_figures = nullptr;
    QTableWidget* m_tabs = nullptr;
    QLabel* m_rejectedCaption = nullptr;
    QTableWidget* m_rejected = nullptr;
    QChartView* m_funnel = nullptr;
    QPushButton* m_saveRejected = nullptr;
};

// "System a historia": the current system as if it had been played on every stored draw.
class SystemAnalysisPage : public QWidget {
    Q_OBJECT
public:
    explicit SystemAnalysisPage(QWidget* parent = nullptr);

    void showFigures(const SystemHistoryCheck& check);
    void showFailure(const QString& text);

signals:
    void saveTableRequested();

private:
    QLabel* m_message = nullptr;
    QLabel* m_summary = nullptr;
    QWidget* m_figures = nullptr;
    QTableWidget* m_hits = nullptr;
    QTableWidget* m_best = nullptr;
    QChartView* m_chart = nullptr;
};

// "Pokrycie systemu": every pool combination taken as the drawn six against the system's lines.
class CoverageAnalysisPage : public QWidget {
    Q_OBJECT
public:
    explicit CoverageAnalysisPage(QWidget* parent = nullptr);

    void showFigures(const SystemCoverage& coverage);
    void showFailure(const QString& text);

signals:
    void saveTableRequested();

private:
    QLabel* m_message = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_guarantee = nullptr;
    QWidget* m_figures = nullptr;
    QTableWidget* m_levels = nullptr;
    QLabel* m_holesCaption = nullptr;
    QTableWidget* m_holes = nullptr;
};

} // namespace selektor
