#pragma once

// The draw history window "Selektor - Losowania i statystyki": the stored draws, how long ago every
// Number last came up, the entry of a new draw (its date, then its numbers), the deletion of the
// selected draw, and the statistics. Created hidden at start-up, when the model reads the history,
// shown from the menu and kept until the program ends. The model stores, refuses and asks; the window
// shows the history after every change and leads the player from panel to panel.

#include "presentation/Slides.h"

#include <QWidget>

class QPushButton;
class QTimer;

namespace selektor {

class DatePanel;
class DrawListPanel;
class NumberPanel;
class RecencyStrip;
class Session;
class StatisticsArea;
class StatisticsSetupPanel;
struct Outcome;

class TFormlos : public QWidget {
    Q_OBJECT
public:
    explicit TFormlos(Session& session, QWidget* parent = nullptr);

    // The line the player selected for "Usuń losowanie", -1 for none.
    int selectedDrawIndex() const;

private:
    void buildWindow();
    void refresh(const Outcome& outcome);
    // The three buttons work only while no panel and no statistics are open.
    void enableButtons(bool enabled);
    void slideIn(QWidget* panel, Slide slide, bool vertical);
    void slideTick();
    // Back to the list: every panel hidden, the buttons enabled.
    void closePanels();
    // A history that failed its checks takes no change: the model's sentence, and no panel opens.
    bool refusedByHistory();

    void startDrawEntry();
    void confirmDrawDate();
    void confirmDrawNumbers();
    void cancelDrawEntry();
    void deleteSelectedDraw();
    void openStatisticsSetup();
    void importDraws(); // "Importuj": draws from a CSV file of results
    void computeStatistics();
    void closeStatistics();

    Session& m_session;

    DrawListPanel* m_list = nullptr;
    RecencyStrip* m_recency = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_statisticsButton = nullptr;
    QPushButton* m_importButton = nullptr;
    DatePanel* m_datePanel = nullptr;
    NumberPanel* m_numberPanel = nullptr;
    StatisticsSetupPanel* m_setupPanel = nullptr;
    StatisticsArea* m_statisticsArea = nullptr;

    QTimer* m_slideTimer = nullptr;
    Slide m_slide;
    QWidget* m_sliding = nullptr;
    bool m_slidingDown = false;
};

} // namespace selektor
