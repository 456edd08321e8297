#pragma once

// "Program - info": the about box, shown modeless and hidden again by its "OK" button.

#include <QDialog>

namespace selektor {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // Shows the box centred on the screen, or brings it up when it is already shown.
    void showCentred();
};

} // namespace selektor
