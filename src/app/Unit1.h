#pragma once

// The chart window ("Wykresy"): created hidden at start-up, shown from the menu and kept until the
// program ends. Its chart comes with the number chart.

#include <QWidget>

namespace selektor {

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
};

} // namespace selektor
