#pragma once

// The window "Selektor - Optymalizacja": the fewest tickets with a real guarantee over the pool, or the
// best coverage of N tickets, searched for in the background while the window stays responsive, with
// the search's progress, the proof of its result, "Użyj", and the exact chances of the current system.
// The search and its figures are the model's; the window reads a running search a few times a second
// and closing it stops the search.

#include "model/OptimizationModel.h"

#include <QWidget>
#include <optional>

class QButtonGroup;
class QChartView;
class QLabel;
class QLineEdit;
class QLineSeries;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;
class QValueAxis;

namespace selektor {

class OddsAnalysisPage;
class Session;
struct Outcome;

class OptimizationWindow : public QWidget {
    Q_OBJECT
public:
    explicit OptimizationWindow(Session& session, QWidget* parent = nullptr);

public slots:
    // Reads the running search; public so a test can follow a search without waiting for the timer.
    void pollSearch();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void modelChanged(const Outcome& outcome);
    void start();
    void stop();
    void use();
    void showState();
    void showProgress(const OptimizationRun& run);
    void showChart(const OptimizationRun& run);
    void showResult(const OptimizationRun& run);
    void refreshOdds();

    Session& m_session;
    QLabel* m_pool = nullptr;
    QSpinBox* m_guarantee = nullptr;
    QButtonGroup* m_goal = nullptr;
    QLineEdit* m_ticketCount = nullptr;
    QSpinBox* m_timeLimit = nullptr;
    QLineEdit* m_seed = nullptr;
    QLineEdit* m_stepLimit = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_stop = nullptr;

    QProgressBar* m_progress = nullptr;
    QLabel* m_best = nullptr;
    QLabel* m_elapsed = nullptr;
    QChartView* m_chart = nullptr;
    QLineSeries* m_series = nullptr;
    QValueAxis* m_timeAxis = nullptr;
    QValueAxis* m_valueAxis = nullptr;

    QLabel* m_result = nullptr;
    QLabel* m_proof = nullptr;
    QLabel* m_note = nullptr;
    QPushButton* m_use = nullptr;

    OddsAnalysisPage* m_odds = nullptr;
    QTimer* m_pollTimer = nullptr;
    QTimer* m_oddsTimer = nullptr;
    // What the odds shown were worked out for: the system and the pool to cover.
    struct OddsInputs {
        std::uint64_t systemRevision = 0;
        std::size_t systemLines = 0;
        PoolToCoverKey pool;
        friend bool operator==(const OddsInputs&, const OddsInputs&) = default;
    };
    std::optional<OddsInputs> m_shownOdds;
};

} // namespace selektor
