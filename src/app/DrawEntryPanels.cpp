#include "app/DrawEntryPanels.h"

#include "app/FilterColours.h"
#include "app/ModelText.h"
#include "history/Statistics.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace selektor {

namespace {

// The raised face every side panel has, so that it reads as lying over the list.
void sidePanelFace(QFrame* panel, const QString& objectName) {
    panel->setObjectName(objectName);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
}

QLabel* boldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(colours::boldFont(label));
    return label;
}

// "O K" and "Analuj" side by side at the foot of a panel.
QHBoxLayout* okAndCancel(QWidget* panel, const QString& name, QPushButton** ok, QPushButton** cancel) {
    *ok = new QPushButton(QStringLiteral("O K"), panel);
    (*ok)->setObjectName(name + QStringLiteral("OkButton"));
    *cancel = new QPushButton(QStringLiteral("Analuj"), panel);
    (*cancel)->setObjectName(name + QStringLiteral("CancelButton"));
    auto* row = new QHBoxLayout;
    row->addWidget(*ok);
    row->addWidget(*cancel);
    return row;
}

} // namespace

DatePanel::DatePanel(const QDate& today, QWidget* parent) : QFrame(parent) {
    sidePanelFace(this, QStringLiteral("datePanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 8);
    column->addWidget(boldLabel(QStringLiteral("Ustal datę losowania:"), this));

    m_dateField = new QLineEdit(this);
    m_dateField->setObjectName(QStringLiteral("drawDateField"));
    m_dateField->setReadOnly(true);
    m_dateField->setFixedWidth(m_dateField->fontMetrics().horizontalAdvance(QStringLiteral("88.88.8888")) + 16);
    column->addWidget(m_dateField);

    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("drawCalendar"));
    m_calendar->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    // The panel leaves a day's column no room for "niedz.": the days are headed by their letters, as
    // Polish calendars head them (P W Ś C P S N).
    m_calendar->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    m_calendar->setSelectedDate(today);
    connect(m_calendar, &QCalendarWidget::clicked, this, &DatePanel::dayClicked);
    connect(m_calendar, &QCalendarWidget::activated, this, &DatePanel::dayClicked);
    column->addWidget(m_calendar, 1);

    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    column->addLayout(okAndCancel(this, QStringLiteral("date"), &ok, &cancel));
    connect(ok, &QPushButton::clicked, this, &DatePanel::confirmed);
    connect(cancel, &QPushButton::clicked, this, &DatePanel::cancelled);
}

QString DatePanel::chosenDate() const {
    return m_dateField->text();
}

void DatePanel::dayClicked(const QDate& day) {
    m_dateField->setText(fromModel(polishShortDate(day.year(), day.month(), day.day())));
}

NumberPanel::NumberPanel(QWidget* parent) : QFrame(parent) {
    sidePanelFace(this, QStringLiteral("numberPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 8);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(new QLabel(QStringLiteral("Losowanie z dnia: "), this));
    m_dateLabel = boldLabel(QString(), this);
    m_dateLabel->setObjectName(QStringLiteral("entryDateLabel"));
    dateRow->addWidget(m_dateLabel);
    dateRow->addStretch(1);
    column->addLayout(dateRow);
    column->addWidget(boldLabel(QStringLiteral("Zaznacz wylosowane liczby"), this));

    // Seven rows of seven, in the order of the Numbers.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    for (int n = 1; n <= 49; ++n) {
        auto* box = new QCheckBox(QString::number(n), this);
        box->setObjectName(QStringLiteral("numberBox%1").arg(n));
        grid->addWidget(box, (n - 1) / 7, (n - 1) % 7);
        m_boxes[n - 1] = box;
    }
    column->addLayout(grid);
    column->addStretch(1);

    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    column->addLayout(okAndCancel(this, QStringLiteral("numbers"), &ok, &cancel));
    connect(ok, &QPushButton::clicked, this, &NumberPanel::confirmed);
    connect(cancel, &QPushButton::clicked, this, &NumberPanel::cancelled);
}

void NumberPanel::start(const QString& entryDate) {
    m_entryDate = entryDate;
    m_dateLabel->setText(entryDate);
    for (QCheckBox* box : m_boxes)
        box->setChecked(false);
}

NumberBoxes NumberPanel::ticked() const {
    NumberBoxes boxes{};
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        boxes[i] = m_boxes[i]->isChecked() ? 1 : 0;
    return boxes;
}

RecentWindowSpinner::RecentWindowSpinner(QWidget* parent)
    : QAbstractSpinBox(parent), m_recentWindow(kStartingRecentWindow) {
    setObjectName(QStringLiteral("recentWindowSpinner"));
    // The field only shows the span; the arrows (and the arrow keys) change it.
    lineEdit()->setReadOnly(true);
    setAlignment(Qt::AlignRight);
    showWindow();
}

void RecentWindowSpinner::stepBy(int steps) {
    m_recentWindow = stepRecentWindow(m_recentWindow, steps);
    showWindow();
}

QAbstractSpinBox::StepEnabled RecentWindowSpinner::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (m_recentWindow < kLargestRecentWindow)
        enabled |= StepUpEnabled;
    if (m_recentWindow > kSmallestRecentWindow)
        enabled |= StepDownEnabled;
    return enabled;
}

void RecentWindowSpinner::showWindow() {
    lineEdit()->setText(fromModel(recentWindowText(m_recentWindow)));
}

StatisticsSetupPanel::StatisticsSetupPanel(QWidget* parent) : QFrame(parent) {
    sidePanelFace(this, QStringLiteral("statisticsSetupPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 8);
    auto* heading = boldLabel(QStringLiteral("Obliczenia statystyczne         z wszystkich : "), this);
    // The heading is two lines, broken in its blanks after "statystyczne".
    heading->setWordWrap(true);
    heading->setFixedWidth(heading->fontMetrics().horizontalAdvance(QStringLiteral("Obliczenia statystyczne ")) + 4);
    column->addWidget(heading);
    m_historySize = boldLabel(QString(), this);
    m_historySize->setObjectName(QStringLiteral("setupHistorySize"));
    colours::setTextColour(m_historySize, colours::kNavy);
    column->addWidget(m_historySize);
    column->addWidget(new QLabel(QStringLiteral("losowań zawartych w bazie"), this));
    column->addSpacing(8);
    column->addWidget(new QLabel(QStringLiteral("w stosunku do ostatnich :"), this));
    m_spinner = new RecentWindowSpinner(this);
    m_spinner->setFixedWidth(m_spinner->fontMetrics().horizontalAdvance(QStringLiteral("1000")) + 40);
    column->addWidget(m_spinner);
    column->addStretch(1);
    column->addLayout(okAndCancel(this, QStringLiteral("setup"), &m_ok, &m_cancel));
    connect(m_ok, &QPushButton::clicked, this, &StatisticsSetupPanel::confirmed);
    connect(m_cancel, &QPushButton::clicked, this, &StatisticsSetupPanel::cancelled);
}

void StatisticsSetupPanel::start(std::size_t historySize) {
    m_historySize->setText(QString::number(historySize));
    setControlsEnabled(true);
}

void StatisticsSetupPanel::setControlsEnabled(bool enabled) {
    m_spinner->setEnabled(enabled);
    m_ok->setEnabled(enabled);
    m_cancel->setEnabled(enabled);
}

} // namespace selektor
