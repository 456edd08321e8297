#pragma once

// The whole program put together: the model, the session around it, the secondary windows and the main
// window, in the order the start-up needs them. main() makes one; the window tests make theirs the same
// way with scripted services.

#include "app/AnalysisWindow.h"
#include "app/OptimizationWindow.h"
#include "app/Services.h"
#include "app/Session.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/UnitHaupt.h"
#include "app/Unitlos.h"
#include "model/ApplicationModel.h"

#include <QString>

namespace selektor {

class Program {
public:
    // The program keeps its own files in `dataDirectory`.
    Program(Services& services, const QString& dataDirectory);

    ApplicationModel& model() { return m_model; }
    Session& session() { return m_session; }
    TFormHaupt& mainWindow() { return m_mainWindow; }
    TForm1& chartWindow() { return m_chartWindow; }
    TFormlos& drawHistoryWindow() { return m_drawHistoryWindow; }
    TAboutBox& aboutBox() { return m_aboutBox; }
    AnalysisWindow& analysisWindow() { return m_analysisWindow; }
    OptimizationWindow& optimizationWindow() { return m_optimizationWindow; }

private:
    ApplicationModel m_model;
    Session m_session;
    TForm1 m_chartWindow;
    TFormlos m_drawHistoryWindow;
    TAboutBox m_aboutBox;
    AnalysisWindow m_analysisWindow;
    OptimizationWindow m_optimizationWindow;
    TFormHaupt m_mainWindow;
};

} // namespace selektor
