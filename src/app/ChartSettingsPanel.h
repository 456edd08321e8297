#pragma once

// " Ustawienia " of the chart window: how many draws one point counts (" Liczba losowań ") and by how
// many draws the window moves on from point to point ("Amplituda"). Each is a field the player cannot
// type into over a pair of arrows; the arrows stop at the ends of the range.

#include "chart/NumberChart.h"

#include <QGroupBox>
#include <string>

class QLineEdit;
class QToolButton;

namespace selektor {

// A read-only field of three characters over a horizontal up-down: the left arrow steps down, the
// right one up.
class UpDownField : public QGroupBox {
    Q_OBJECT
public:
    using FieldText = std::string (*)(int);
    UpDownField(const QString& caption, const QString& name, UpDownRange range, FieldText text, QWidget* parent);

    int position() const { return m_position; }
    // Moves by `steps` steps of the range, no further than its ends.
    void stepBy(int steps);

private:
    void showPosition();

    UpDownRange m_range;
    FieldText m_text;
    int m_position;
    QLineEdit* m_field = nullptr;
    QToolButton* m_down = nullptr;
    QToolButton* m_up = nullptr;
};

class ChartSettingsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit ChartSettingsPanel(QWidget* parent);

    // The up-downs' positions, which OK uses (not the texts of the fields).
    int windowLength() const { return m_length->position(); }
    int windowStep() const { return m_step->position(); }

private:
    UpDownField* m_length = nullptr;
    UpDownField* m_step = nullptr;
};

} // namespace selektor
