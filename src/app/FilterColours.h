#pragma once

// The colours and faces of the filter stage: every template's colour mirrors its flag.

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

namespace selektor::colours {

inline const QColor kSilver(192, 192, 192);
inline const QColor kTeal(0, 128, 128);
inline const QColor kLime(0, 255, 0);
inline const QColor kAqua(0, 255, 255);
inline const QColor kGrey(128, 128, 128);
inline const QColor kGreen(0, 128, 0);
inline const QColor kNavy(0, 0, 128);
inline const QColor kMaroon(128, 0, 0);
inline const QColor kRed(255, 0, 0);
inline const QColor kPurple(128, 0, 128);
inline const QColor kYellow(255, 255, 0);

// The system's tooltip background: the number circles and the " Odlg   " templates at rest.
inline QColor tooltipBackground() {
    return QGuiApplication::palette().color(QPalette::ToolTipBase);
}

// The widget's font in bold, at `pixelSize` when one is given.
inline QFont boldFont(const QWidget* widget, int pixelSize = 0) {
    QFont font = widget->font();
    font.setBold(true);
    if (pixelSize > 0)
        font.setPixelSize(pixelSize);
    return font;
}

inline void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace selektor::colours
