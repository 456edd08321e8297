#include "app/Unitlos.h"

namespace selektor {

TFormlos::TFormlos(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("drawHistoryWindow"));
    setWindowTitle(QStringLiteral("Selektor - Losowania i statystyki"));
    resize(640, 480);
}

} // namespace selektor
