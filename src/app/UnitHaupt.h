#pragma once

// The main window "Selektor": the intro, the filter stage and the generator stage in one place, the main
// menu, the secondary windows and the questions that guard the end of the program.

#include "app/Services.h"
#include "core/CandidatePool.h"
#include "core/FilterSettings.h"
#include "generator/RandomSimulation.h"

#include <QMainWindow>
#include <QString>
#include <memory>

class QAction;
class QMenu;
class QStackedWidget;
class QTimer;

namespace selektor {

class FilterStage;
class GeneratorStage;
class IntroPanel;
class TAboutBox;
class TForm1;
class TFormlos;

class TFormHaupt : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormHaupt(Services& services, QWidget* parent = nullptr);
    ~TFormHaupt() override;

    // What the main window owns for the whole run.
    FilterSettings& filterSettings() { return m_settings; }
    CandidatePool& candidatePool() { return *m_pool; }
    RandomSource& randomSource() { return m_random; }
    const QString& dataDirectory() const { return m_dataDirectory; }
    Services& services() { return m_services; }

    TForm1& chartWindow() { return *m_chartWindow; }
    TFormlos& drawHistoryWindow() { return *m_drawHistoryWindow; }
    TAboutBox& aboutBox() { return *m_aboutBox; }

public slots:
    // "Powrót do poprzedniego etapu", once the generator stage has asked its own questions: the filter
    // stage comes back with the count blanked and "Etap końcowy" locked until the next "Oblicz".
    void returnToFilterStage();

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

    // The menu commands.
    void newSystem();
    void openSystem();
    void quitProgram();
    void showDrawHistory();
    void showChart();
    void showHelp();
    void showAbout();

    // Asks the warning question while the generator runs and stops it on Yes; false on No.
    bool generatorMayBeDisturbed(const QString& question);
    // The three steps shared by "Zakończ" and the closing of the window; true when the program may end.
    bool confirmEnd(const QString& generatorQuestion);
    void endProgram();

    void introTick();
    void stopIntro();
    void enterFinalStage();
    void showFilterStage();
    void showGeneratorStage();

    Services& m_services;
    QString m_dataDirectory;
    FilterSettings m_settings; // created with nothing selected
    std::unique_ptr<CandidatePool> m_pool;
    RandomSource m_random;

    QTimer* m_introTimer = nullptr;
    QStackedWidget* m_stages = nullptr;
    IntroPanel* m_introPanel = nullptr;
    FilterStage* m_filterStage = nullptr;
    GeneratorStage* m_generatorStage = nullptr;

    std::unique_ptr<TForm1> m_chartWindow;
    std::unique_ptr<TFormlos> m_drawHistoryWindow;
    std::unique_ptr<TAboutBox> m_aboutBox;
    bool m_endConfirmed = false;
};

} // namespace selektor
