#pragma once

// The side panels of the draw history window, which slide in over the draw list: the date of a new
// draw, its six numbers, and the set-up of the statistics. Each shows what the player chooses and tells
// the window when "O K" or "Analuj" is pressed; the window decides what comes next.

#include "history/DrawEntry.h"

#include <QAbstractSpinBox>
#include <QFrame>
#include <array>
#include <cstddef>

class QCalendarWidget;
class QCheckBox;
class QDate;
class QLabel;
class QLineEdit;
class QPushButton;

namespace selektor {

// "Ustal datę losowania:": the date field over the month calendar.
class DatePanel : public QFrame {
    Q_OBJECT
public:
    // The calendar opens on `today`; the field stays empty until the player clicks a day.
    DatePanel(const QDate& today, QWidget* parent);
    // The date in the field, the Polish short date "18.05.2002", or empty.
    QString chosenDate() const;

signals:
    void confirmed();
    void cancelled();

private:
    void dayClicked(const QDate& day);

    QLineEdit* m_dateField = nullptr;
    QCalendarWidget* m_calendar = nullptr;
};

// "Zaznacz wylosowane liczby": one box per Number under the date of the draw.
class NumberPanel : public QFrame {
    Q_OBJECT
public:
    explicit NumberPanel(QWidget* parent);
    // A new draw of `entryDate`: every box cleared.
    void start(const QString& entryDate);
    const QString& entryDate() const { return m_entryDate; }
    NumberBoxes ticked() const;

signals:
    void confirmed();
    void cancelled();

private:
    QString m_entryDate;
    QLabel* m_dateLabel = nullptr;
    std::array<QCheckBox*, 49> m_boxes{};
};

// The span of newest draws for the short-term figures, 10 to 100 in steps of 10, in a field the player
// cannot type into.
class RecentWindowSpinner : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit RecentWindowSpinner(QWidget* parent);
    int recentWindow() const { return m_recentWindow; }
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    void showWindow();

    int m_recentWindow;
};

// "Obliczenia statystyczne": how many draws the history holds, and against how many newest ones.
class StatisticsSetupPanel : public QFrame {
    Q_OBJECT
public:
    explicit StatisticsSetupPanel(QWidget* parent);
    void start(std::size_t historySize);
    int recentWindow() const { return m_spinner->recentWindow(); }
    // While the figures are worked out the panel takes no clicks.
    void setControlsEnabled(bool enabled);

signals:
    void confirmed();
    void cancelled();

private:
    QLabel* m_historySize = nullptr;
    RecentWindowSpinner* m_spinner = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace selektor
