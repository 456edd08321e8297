#pragma once

// The chart window "Selektor - Wykresy": how often a chosen Number came up in a window of draws that
// slides over the history, as a line of counts. The player picks the Number on its ring, sets the
// window's length and step and presses OK; over the chart a ruler line can be dragged to lay a trend by
// eye. "Wykresy liczb" brings the Number picker down afresh and empties the chart. Created hidden at
// start-up, shown from the menu and kept until the program ends; the chart is built from the draw
// history the model has loaded and does not follow later changes of it until the next OK.

#include "presentation/ChartScreen.h"

#include <QWidget>

class QTimer;
class QToolButton;

namespace selektor {

class ChartSettingsPanel;
class NumberChartView;
class NumberPickerPanel;
class Session;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(Session& session, QWidget* parent = nullptr);

private:
    void buildWindow();
    void buildNumberChart();
    void slideInNumberPicker();
    void slideTick();

    Session& m_session;

    QToolButton* m_numberChartsButton = nullptr;
    NumberPickerPanel* m_picker = nullptr;
    ChartSettingsPanel* m_settings = nullptr;
    NumberChartView* m_chart = nullptr;

    QTimer* m_slideTimer = nullptr;
    PickerSlide m_slide;
};

} // namespace selektor
