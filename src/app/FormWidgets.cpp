#include "app/FormWidgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

namespace selektor {

std::string maskedText(const QLineEdit* edit) {
    QString text = edit->displayText();
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text.toStdString();
}

void blankIfCleared(QLineEdit* edit, const std::string& modelText) {
    if (modelText.empty() && !edit->text().isEmpty())
        edit->clear();
}

QLineEdit* digitField(const QString& objectName, int digits, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setInputMask(QString(digits, QLatin1Char('0')) + QStringLiteral(";_"));
    edit->setAlignment(Qt::AlignLeft);
    const QFontMetrics metrics(edit->font());
    edit->setFixedWidth(metrics.horizontalAdvance(QString(digits, QLatin1Char('_'))) + 12);
    return edit;
}

QLabel* valueBox(const QString& objectName, const QString& widest, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Base);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMargin(1);
    label->setMinimumWidth(QFontMetrics(label->font()).horizontalAdvance(widest) + 2 * label->frameWidth() + 4);
    return label;
}

QPushButton* okButton(const QString& objectName, QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("OK"), parent);
    button->setObjectName(objectName);
    const QFontMetrics metrics(button->font());
    button->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("OK")) + 24);
    return button;
}

QGroupBox* groupBox(const QString& title, const QString& objectName, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(objectName);
    return box;
}

void tighten(QLayout* layout) {
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
}

} // namespace selektor
