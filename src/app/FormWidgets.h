#pragma once

// The small widgets every group of the generator stage is made of, built one way throughout.

#include <QString>
#include <string>

class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace selektor {

// A masked field's text as the player sees it, with its unfilled positions as blanks: "1 2" stays
// "1 2" (and is then no number), where QLineEdit::text() would quietly join the digits.
std::string maskedText(const QLineEdit* edit);
// Clears the field when the model's text is empty and the field is not: the model blanks fields when a
// stage starts afresh, and otherwise only the player types into them.
void blankIfCleared(QLineEdit* edit, const std::string& modelText);

// A field of `digits` digit positions with "_" for each one not filled in.
QLineEdit* digitField(const QString& objectName, int digits, QWidget* parent);
// Puts a text read from a file into a digit field. What the positions can show goes in them; anything
// else ("4x", "12345") is shown as it is, without the positions, so the player sees the very text a
// refusal will name. The positions come back as soon as the field holds what they can show.
void showInDigitField(QLineEdit* edit, const QString& text, int digits);
// After the player typed into a field that showed such a text: the positions back once they can hold it.
void restoreDigitPositions(QLineEdit* edit, int digits);
// A read-only value beside a caption, drawn as a sunken box wide enough for `widest`.
QLabel* valueBox(const QString& objectName, const QString& widest, QWidget* parent);
QPushButton* okButton(const QString& objectName, QWidget* parent);
QGroupBox* groupBox(const QString& title, const QString& objectName, QWidget* parent);
// The group's margins and spacing: the stage is small and every pixel counts.
void tighten(QLayout* layout);

} // namespace selektor
