#pragma once

// The intro screen: the program's name and a picture of six lottery balls whose numbers keep changing
// until the player picks the first menu command.

#include "core/Combination.h"

#include <QWidget>
#include <array>

class QLabel;

namespace selektor {

class IntroPanel : public QWidget {
    Q_OBJECT
public:
    explicit IntroPanel(QWidget* parent = nullptr);

    void showNumbers(const std::array<Number, kNumbersPerCombination>& numbers);
    QWidget* picture() const { return m_picture; }

private:
    QWidget* m_picture;
    std::array<QLabel*, kNumbersPerCombination> m_numbers{};
};

} // namespace selektor
