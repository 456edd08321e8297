#pragma once

// " GENERATOR SYSTEMÓW": the second stage of the main window, assembled from one panel per group. It
// keeps the stage's timers: the simulation's 10 ms and 1 s ticks while the model says a run is on, and
// the 200 ms flash of the save button when a generator ends.

#include "presentation/SaveFlash.h"

#include <QWidget>

class QTimer;

namespace selektor {

class GuaranteePanel;
class PostProcessingPanel;
class PrintPanel;
class ResultPanel;
class Session;
class SimulationPanel;
class SystemListPanel;
class TitleBar;
struct GeneratorControls;
struct Outcome;

class GeneratorStage : public QWidget {
    Q_OBJECT
public:
    explicit GeneratorStage(Session& session, QWidget* parent = nullptr);

signals:
    // The player asked for the optimization window from the title bar.
    void optimizationRequested();

public slots:
    // Timer ticks; public so a test can drive a run without waiting for the clock.
    void simulationTick();
    void countdownTick();
    void flashTick();

private:
    void refresh(const Outcome& outcome);
    void showControls(const GeneratorControls& controls);
    void showBusy();

    Session& m_session;
    SaveFlash m_flash;
    QTimer* m_simulationTimer = nullptr;
    QTimer* m_countdownTimer = nullptr;
    QTimer* m_flashTimer = nullptr;

    TitleBar* m_titleBar = nullptr;
    GuaranteePanel* m_guarantee = nullptr;
    SimulationPanel* m_simulation = nullptr;
    SystemListPanel* m_list = nullptr;
    ResultPanel* m_result = nullptr;
    PrintPanel* m_print = nullptr;
    PostProcessingPanel* m_postProcessing = nullptr;
};

} // namespace selektor
