#pragma once

#include <QIcon>
#include <QWidget>

namespace selektor {

// The glyphs of the generator stage's title bar and print button, painted so the program needs no
// image files beside it.
QIcon backIcon();
QIcon saveIcon();
QIcon printerIcon();

// Fills " Wydruk systemu " while its panels are closed: a coupon blank with a few ticket fields marked.
class CouponPicture : public QWidget {
public:
    explicit CouponPicture(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {160, 80}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace selektor
