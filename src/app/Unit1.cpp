#include "app/Unit1.h"

namespace selektor {

TForm1::TForm1(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("chartWindow"));
    setWindowTitle(QStringLiteral("Selektor - Wykresy"));
    resize(640, 480);
}

} // namespace selektor
