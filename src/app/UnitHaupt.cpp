#include "app/UnitHaupt.h"

namespace selektor {

TFormHaupt::TFormHaupt(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Selektor"));
    setFixedSize(692, 500);
}

} // namespace selektor
