#pragma once

// " Liczby " of the chart window: the 49 Numbers as rings, the one to chart outlined aqua, and OK, which
// builds the chart. The rings stand in four rows like the Numbers on a coupon cut in four: 1 to 12 one
// place in, 13 to 25, 26 to 38, and 39 to 49 with OK at the end of the row.

#include "core/Combination.h"

#include <QGroupBox>
#include <array>

class QPushButton;

namespace selektor {

class ShapeWidget;

class NumberPickerPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit NumberPickerPanel(QWidget* parent);

    Number chartNumber() const { return m_chartNumber; }
    // A click on a ring: that Number is the one to chart from now on; the chart waits for OK.
    void selectChartNumber(Number n);

signals:
    void confirmed();

private:
    Number m_chartNumber;
    std::array<ShapeWidget*, kHighestNumber> m_rings{};
    QPushButton* m_ok = nullptr;
};

} // namespace selektor
