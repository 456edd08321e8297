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

namespace {

QString digitMask(int digits) {
    return QString(digits, QLatin1Char('0')) + QStringLiteral(";_");
}

// Whether `digits` digit positions show the text exactly: digits and blanks, no more than there are
// positions.
bool positionsHold(const QString& text, int digits) {
    if (text.size() > digits)
        return false;
    for (const QChar c : text)
        if (!(c >= QLatin1Char('0') && c <= QLatin1Char('9')) && c != QLatin1Char(' '))
            return false;
    return true;
}

} // namespace

void showInDigitField(QLineEdit* edit, const QString& text, int digits) {
    const bool held = positionsHold(text, digits);
    if (held && edit->inputMask().isEmpty())
        edit->setInputMask(digitMask(digits));
    else if (!held && !edit->inputMask().isEmpty())
        edit->setInputMask(QString());
    if (QString::fromStdString(maskedText(edit)).trimmed() != text)
        edit->setText(text);
}

void restoreDigitPositions(QLineEdit* edit, int digits) {
    if (edit->inputMask().isEmpty() && positionsHold(edit->text().trimmed(), digits)) {
        const QString text = edit->text().trimmed();
        edit->setInputMask(digitMask(digits));
        edit->setText(text);
        edit->setCursorPosition(static_cast<int>(text.size()));
    }
}

QLineEdit* digitField(const QString& objectName, int digits, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setInputMask(digitMask(digits));
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
