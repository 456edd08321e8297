#pragma once

// The draw history window ("Losowania"): created hidden at start-up, shown from the menu and kept until
// the program ends. Its contents come with the draw history.

#include <QWidget>

namespace selektor {

class TFormlos : public QWidget {
    Q_OBJECT
public:
    explicit TFormlos(QWidget* parent = nullptr);
};

} // namespace selektor
