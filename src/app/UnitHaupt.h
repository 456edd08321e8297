#pragma once

// The main window "Selektor": the intro, the filter stage and the generator stage in one place, the main
// menu, and the secondary windows it shows. It shows where the model stands and forwards the menu's
// commands; the questions that guard the end of the program are the model's.

#include <QMainWindow>
#include <QString>

class QAction;
class QMenu;
class QStackedWidget;
class QTimer;

namespace selektor {

class AnalysisWindow;
class FilterStage;
class GeneratorStage;
class IntroPanel;
class OptimizationWindow;
class Session;
class TAboutBox;
class TForm1;
class TFormlos;
struct Outcome;

// The windows that live beside the main window for the whole run, hidden until the menu shows them.
struct SecondaryWindows {
    TForm1& chart;
    TFormlos& drawHistory;
    TAboutBox& about;
    AnalysisWindow& analysis;
    OptimizationWindow& optimization;
};

class TFormHaupt : public QMainWindow {
    Q_OBJECT
public:
    TFormHaupt(Session& session, SecondaryWindows windows, QWidget* parent = nullptr);

public slots:
    void introTick();

signals:
    // The main window closed for good; the application ends.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void buildMenu();
    QAction* addCommand(QMenu* menu, const QString& caption, const QKeySequence& shortcut, const char* name,
                        void (TFormHaupt::*operation)());
    void placeWindow();
    void refresh(const Outcome& outcome);

    // The menu commands.
    void newSystem();
    void openSystem();
    void saveFilterSet();
    void openFilterSet();
    void showOptimization();
    void quitProgram();
    void showDrawHistory();
    void showChart();
    void showAnalysis();
    void showHelp();
    void showAbout();
    void stopIntro();
    void endProgram();

    Session& m_session;
    SecondaryWindows m_windows;
    QTimer* m_introTimer = nullptr;
    QAction* m_saveFiltersAction = nullptr;
    QStackedWidget* m_stages = nullptr;
    IntroPanel* m_introPanel = nullptr;
    FilterStage* m_filterStage = nullptr;
    GeneratorStage* m_generatorStage = nullptr;
    bool m_ended = false;
};

} // namespace selektor
