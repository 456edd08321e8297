#pragma once

#include "app/Services.h"
#include "core/CandidatePool.h"
#include "generator/GeneratorState.h"
#include "generator/RandomSimulation.h"

#include <QString>
#include <QWidget>
#include <array>
#include <memory>

class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;
class QTimer;
class QToolButton;

namespace selektor {

class GeneratorListModel;

// " GENERATOR SYSTEMÓW": the second stage of the main window. It turns the candidate pool into a system
// (guarantee systems, random simulation), keeps it in the generator list, saves and opens system files
// and checks the system against a drawn result. The generator engine does the work; this widget shows
// its state and forwards clicks. The questions of the main menu and of closing belong to the main window,
// which calls `generatorRunning`, `stopGeneratorOnRequest`, `offerSave` and `openSystemFile`; the stage
// asks only the questions of its own back button.
class GeneratorStage : public QWidget {
    Q_OBJECT
public:
    // The stage reads the pool where the enumeration left it; it never copies or changes it.
    GeneratorStage(const CandidatePool& pool, Services& services, QWidget* parent = nullptr);
    ~GeneratorStage() override;

    // "Etap końcowy": puts every group into its initial state. The caller swaps the stages afterwards.
    void enterFinalStage();

    // "System" / "Otwórz" once the main window has asked its questions and made the save offer: the open
    // dialog, the reading of the file into the list and the reset of the stage for a system from a file.
    // True when a file was read: the caller then shows this stage. A cancelled dialog or a file that
    // cannot be read leaves the list and the stage as they were.
    bool openSystemFile();

    // Offers once to save a newly built system. False only when the chosen file could not be written:
    // the command that made the offer then goes no further.
    bool offerSave();

    // Stops a running simulation once the player agreed to it; the partial system stays in the list.
    void stopGeneratorOnRequest();

    bool generatorRunning() const;
    bool systemSaved() const;
    const GeneratorState& state() const { return *m_state; }

    // Where "Stn.wav" lies; the directory current when the stage was made, unless told otherwise.
    void setDataDirectory(const QString& directory) { m_dataDirectory = directory; }

signals:
    // The back button decided to go back; the main window shows the filter stage, disables
    // "Etap końcowy" and blanks its count.
    void backToFiltersRequested();

public slots:
    void returnToFilters(); // "Powrót do poprzedniego etapu"
    void saveSystem();      // "Zapis systemu"
    void buildGuaranteeSystem();
    void startRandomSimulation();
    void checkResult();

    // Timer ticks; public so a test can drive a run without waiting for the clock.
    void simulationTick();
    void countdownTick();
    void flashTick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    QWidget* buildTitleBar();
    QGroupBox* buildGuaranteeGroup();
    QGroupBox* buildSimulationGroup();
    QGroupBox* buildGeneratorGroup();
    QGroupBox* buildResultGroup();
    QGroupBox* buildPrintGroup();
    QGroupBox* buildPostProcessingGroup();

    void finishGeneration();
    void startFlash();

    // The shared steps of the resets for "Etap końcowy" and for an opened file.
    void resetChoices();
    void resetPostProcessing();
    void resetResultCheck();
    void resetPrintPanels();
    void hidePrintPanels();
    void resetCountdownPanel();

    void setGeneratorsBusy(bool busy);
    void showLineCount();
    void onLineSelected(int row);

    bool writeSystem(const QString& fileName);

    const CandidatePool& m_pool;
    Services& m_services;
    std::unique_ptr<GeneratorState> m_state;
    RandomSimulation m_simulation;
    QString m_dataDirectory;

    GeneratorListModel* m_listModel = nullptr;

    QTimer* m_simulationTimer = nullptr;
    QTimer* m_countdownTimer = nullptr;
    QTimer* m_flashTimer = nullptr;

    // Title bar.
    QToolButton* m_backButton = nullptr;
    QToolButton* m_saveButton = nullptr;
    QFrame* m_saveFlashFrame = nullptr;

    // " Systemy gwarancyjne ".
    QGroupBox* m_guaranteeGroup = nullptr;
    QButtonGroup* m_guaranteeChoice = nullptr;
    QPushButton* m_guaranteeOk = nullptr;

    // " Symulacja komputerowa ".
    QGroupBox* m_simulationGroup = nullptr;
    QLineEdit* m_countEdit = nullptr;
    QLineEdit* m_limitEdit = nullptr;
    QButtonGroup* m_differenceChoice = nullptr;
    QPushButton* m_simulationOk = nullptr;

    // " Generator systemu ".
    QListView* m_listView = nullptr;
    QFrame* m_busyLamp = nullptr;
    QLabel* m_lineCountLabel = nullptr;
    QLabel* m_selectedLineLabel = nullptr;
    QFrame* m_countdownPanel = nullptr;
    QLabel* m_secondsLabel = nullptr;
    std::array<QLabel*, 6> m_drawnLabels{};

    // " Sprawdzanie wyników ", columns in the order 6, 5, 4, 3 hits.
    std::array<QLineEdit*, 6> m_drawnEdits{};
    QPushButton* m_resultOk = nullptr;
    std::array<QLabel*, 4> m_hitCounts{};
    std::array<QListWidget*, 4> m_hitLists{};
    std::array<QListWidget*, 4> m_couponLists{};

    // " Wydruk systemu ".
    QToolButton* m_printButton = nullptr;
    QWidget* m_printPicture = nullptr;
    QFrame* m_printSettingsPanel = nullptr;
    QFrame* m_printRangePanel = nullptr;
    QLabel* m_blanksNeededLabel = nullptr;
    QLineEdit* m_printFromEdit = nullptr;
    QLineEdit* m_printToEdit = nullptr;

    // " Obróbka systemu".
    QComboBox* m_recentDrawsChoice = nullptr;
    QLineEdit* m_drawsToUseEdit = nullptr;
    QComboBox* m_lastDrawsChoice = nullptr;
    QPushButton* m_recentDrawsAction = nullptr;
    QPushButton* m_lastDrawsAction = nullptr;
};

} // namespace selektor
