#pragma once

// The bar under the filter tabs: the count lamp, "Aktualna liczba kombinacji w systemie : " with the count
// of the last "Oblicz", the button "Oblicz", and "Etap końcowy" beside "Generator systemów".

#include <QWidget>

class QLabel;
class QPushButton;

namespace selektor {

class Session;
class ShapeWidget;
struct Outcome;

class CountBar : public QWidget {
    Q_OBJECT
public:
    // `tabs` are locked while a count runs.
    CountBar(Session& session, QWidget* tabs, const QRect& geometry, QWidget* parent);
    void refresh(const Outcome& outcome);

private:
    // The press of "Oblicz" lights the lamp and blanks the count; the click counts.
    void prepareCount();
    void countCombinations();

    Session& m_session;
    QWidget* m_tabs;
    ShapeWidget* m_countLamp = nullptr;
    QLabel* m_countLabel = nullptr;
    QPushButton* m_calculateButton = nullptr;
    QPushButton* m_finalStageButton = nullptr;
};

} // namespace selektor
