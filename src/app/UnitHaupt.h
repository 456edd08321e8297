#pragma once

#include <QMainWindow>

namespace selektor {

// The main window: intro, filter stage and generator stage.
class TFormHaupt : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormHaupt(QWidget* parent = nullptr);
};

} // namespace selektor
