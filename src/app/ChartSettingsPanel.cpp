#include "app/ChartSettingsPanel.h"

#include "app/ModelText.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace selektor {

namespace {

QToolButton* arrow(Qt::ArrowType direction, const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(direction);
    button->setAutoRepeat(true);
    button->setFixedSize(22, 18);
    return button;
}

} // namespace

UpDownField::UpDownField(const QString& caption, const QString& name, UpDownRange range, FieldText text,
                         QWidget* parent)
    : QGroupBox(caption, parent), m_range(range), m_text(text), m_position(range.atStart) {
    setObjectName(name + QStringLiteral("Group"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 4, 8, 6);
    column->setSpacing(2);

    m_field = new QLineEdit(this);
    m_field->setObjectName(name + QStringLiteral("Field"));
    m_field->setReadOnly(true);
    m_field->setFocusPolicy(Qt::NoFocus);
    m_field->setAlignment(Qt::AlignRight);
    m_field->setFixedWidth(m_field->fontMetrics().horizontalAdvance(QStringLiteral("888")) + 14);
    column->addWidget(m_field, 0, Qt::AlignHCenter);

    auto* arrows = new QHBoxLayout;
    arrows->setSpacing(0);
    m_down = arrow(Qt::LeftArrow, name + QStringLiteral("Down"), this);
    m_up = arrow(Qt::RightArrow, name + QStringLiteral("Up"), this);
    arrows->addStretch(1);
    arrows->addWidget(m_down);
    arrows->addWidget(m_up);
    arrows->addStretch(1);
    column->addLayout(arrows);
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
    showPosition();
}

void UpDownField::stepBy(int steps) {
    m_position = std::clamp(m_position + steps * m_range.step, m_range.lowest, m_range.highest);
    showPosition();
}

void UpDownField::showPosition() {
    m_field->setText(fromModel(m_text(m_position)));
    // At an end the arrow that would pass it gives way, so the player sees the range is spent.
    m_down->setEnabled(m_position > m_range.lowest);
    m_up->setEnabled(m_position < m_range.highest);
}

ChartSettingsPanel::ChartSettingsPanel(QWidget* parent) : QGroupBox(QStringLiteral(" Ustawienia "), parent) {
    setObjectName(QStringLiteral("chartSettingsPanel"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 8, 8);
    m_length = new UpDownField(QStringLiteral(" Liczba losowań "), QStringLiteral("windowLength"), kWindowLengthRange,
                               &windowLengthText, this);
    m_step = new UpDownField(QStringLiteral("Amplituda"), QStringLiteral("windowStep"), kWindowStepRange,
                             &windowStepText, this);
    row->addWidget(m_length);
    row->addWidget(m_step);
}

} // namespace selektor
