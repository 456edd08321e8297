#pragma once

// The colours of the filter tabs: every template's colour mirrors its flag.

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

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

} // namespace selektor::colours
