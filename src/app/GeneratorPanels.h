#pragma once

// The groups of the generator stage, one small panel each. A panel builds its widgets, forwards the
// player's clicks to the model through the session, and shows the model's state in `refresh`.

#include "model/StageState.h"

#include <QFrame>
#include <QGroupBox>
#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QToolButton;

namespace selektor {

class GeneratorListModel;
class HitListModel;
class Session;

// The title bar: the back button, the save button with its flash frame, " GENERATOR SYSTEMÓW".
class TitleBar : public QFrame {
    Q_OBJECT
public:
    TitleBar(Session& session, QWidget* parent);
    void refresh(const GeneratorControls& controls);
    void showFlashFrame(bool shown);

signals:
    void optimizationRequested();

private:
    Session& m_session;
    QToolButton* m_backButton = nullptr;
    QToolButton* m_saveButton = nullptr;
    QFrame* m_flashFrame = nullptr;
};

// " Systemy gwarancyjne ".
class GuaranteePanel : public QGroupBox {
    Q_OBJECT
public:
    GuaranteePanel(Session& session, QWidget* parent);
    void refresh(const GeneratorControls& controls);

private:
    Session& m_session;
    QButtonGroup* m_choice = nullptr;
    QPushButton* m_ok = nullptr;
};

// " Symulacja komputerowa ".
class SimulationPanel : public QGroupBox {
    Q_OBJECT
public:
    SimulationPanel(Session& session, QWidget* parent);
    void refresh(const GeneratorControls& controls);

private:
    Session& m_session;
    QLineEdit* m_countEdit = nullptr;
    QLineEdit* m_limitEdit = nullptr;
    QButtonGroup* m_choice = nullptr;
    QPushButton* m_ok = nullptr;
};

// " Generator systemu ": the list, its two values, the countdown panel and the busy lamp.
class SystemListPanel : public QGroupBox {
    Q_OBJECT
public:
    SystemListPanel(Session& session, QWidget* parent);
    void refresh(const GeneratorControls& controls);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void lineChosen(int row);

    Session& m_session;
    GeneratorListModel* m_listModel = nullptr;
    QListView* m_listView = nullptr;
    QLabel* m_lineCount = nullptr;
    QLabel* m_selectedLine = nullptr;
    QFrame* m_countdown = nullptr;
    QLabel* m_seconds = nullptr;
    std::array<QLabel*, 6> m_drawn{};
    QFrame* m_busyLamp = nullptr;
};

// " Sprawdzanie wyników ", its columns in the order 6, 5, 4, 3 hits.
class ResultPanel : public QGroupBox {
    Q_OBJECT
public:
    ResultPanel(Session& session, QWidget* parent);
    void refresh(const GeneratorControls& controls);

private:
    Session& m_session;
    std::array<QLineEdit*, 6> m_entries{};
    QPushButton* m_ok = nullptr;
    std::array<QLabel*, 4> m_counts{};
    std::array<HitListModel*, 4> m_lineLists{};
    std::array<HitListModel*, 4> m_couponLists{};
};

// " Wydruk systemu ".
class PrintPanel : public QGroupBox {
    Q_OBJECT
public:
    PrintPanel(Session& session, QWidget* parent);
    void refresh(const GeneratorControls& controls);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Session& m_session;
    QToolButton* m_printButton = nullptr;
    QWidget* m_picture = nullptr;
    QFrame* m_settingsPanel = nullptr;
    QFrame* m_rangePanel = nullptr;
    std::array<QLineEdit*, 7> m_settings{};
    QLabel* m_blanksNeeded = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
};

// " Obróbka systemu".
class PostProcessingPanel : public QGroupBox {
    Q_OBJECT
public:
    PostProcessingPanel(Session& session, QWidget* parent);
    void refresh(const GeneratorControls& controls);

private:
    Session& m_session;
    QComboBox* m_recentChoice = nullptr;
    QLineEdit* m_drawsToUse = nullptr;
    QComboBox* m_lastChoice = nullptr;
    QPushButton* m_recentAction = nullptr;
    QPushButton* m_lastAction = nullptr;
};

} // namespace selektor
