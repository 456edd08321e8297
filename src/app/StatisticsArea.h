#pragma once

// The statistics area of the draw history window: eight panels, one under the other in a scrolling box,
// each on a coloured title bar. The Numbers and the five patterns of the filter tabs show per column the
// count over the whole history and over the newest draws and a trend for each; the patterns also their
// information table; the neighbour pairs and equal endings their counts and the draws since each last
// came up. "Zamknij statystyki" at the foot closes the area.

#include <QScrollArea>
#include <memory>

namespace selektor {

struct HistoryStatistics;

class StatisticsArea : public QScrollArea {
    Q_OBJECT
public:
    explicit StatisticsArea(QWidget* parent);
    ~StatisticsArea() override;

    // Fills every panel and scrolls back to the first.
    void showStatistics(const HistoryStatistics& statistics);

signals:
    void closeRequested();

private:
    struct Panels;
    std::unique_ptr<Panels> m_panels;
};

} // namespace selektor
