#include "app/FormWidgets.h"
#include "app/GeneratorPanels.h"
#include "app/Session.h"
#include "app/StagePictures.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace selektor {

namespace {
// A print position takes up to four digits.
constexpr int kSettingDigits = 4;
} // namespace

PrintPanel::PrintPanel(Session& session, QWidget* parent)
    : QGroupBox(QStringLiteral(" Wydruk systemu "), parent), m_session(session) {
    setObjectName(QStringLiteral("printGroup"));
    auto* column = new QVBoxLayout(this);
    tighten(column);
    column->setSpacing(2);

    m_printButton = new QToolButton(this);
    m_printButton->setObjectName(QStringLiteral("printButton"));
    m_printButton->setToolTip(QStringLiteral("Wydruk systemu"));
    m_printButton->setIcon(printerIcon());
    m_printButton->setIconSize(QSize(18, 18));
    connect(m_printButton, &QToolButton::clicked, this,
            [this] { m_session.run([this] { return m_session.model().togglePrintPanels(); }); });

    // The print button stands at the group's top right, on the line of its title, so the panels under it
    // have the group's whole height; while they are closed the picture fills it.
    m_picture = new CouponPicture(this);
    m_picture->setObjectName(QStringLiteral("printPicture"));
    column->addWidget(m_picture, 1);
    // The title takes the group's top margin; the panels start under the button.
    m_printButton->adjustSize();
    column->setContentsMargins(6, std::max(4, m_printButton->height() + 2 - contentsRect().top()), 6, 6);

    // The print settings.
    m_settingsPanel = new QFrame(this);
    m_settingsPanel->setObjectName(QStringLiteral("printSettingsPanel"));
    m_settingsPanel->setFrameShape(QFrame::StyledPanel);
    auto* settings = new QGridLayout(m_settingsPanel);
    settings->setContentsMargins(4, 2, 4, 3);
    settings->setHorizontalSpacing(3);
    settings->setVerticalSpacing(1);
    auto* settingsCaption = new QHBoxLayout;
    settingsCaption->addWidget(new QLabel(QStringLiteral(" Ustawienia "), m_settingsPanel), 1);
    auto* testButton = new QPushButton(QStringLiteral("Test"), m_settingsPanel);
    testButton->setObjectName(QStringLiteral("printTestButton"));
    testButton->setToolTip(QStringLiteral("Kontrolny test wydruku"));
    auto* saveSettingsButton = new QPushButton(QStringLiteral("Zapis"), m_settingsPanel);
    saveSettingsButton->setObjectName(QStringLiteral("printSettingsSaveButton"));
    saveSettingsButton->setToolTip(QStringLiteral("Zapis aktualnych ustawień"));
    connect(testButton, &QPushButton::clicked, this,
            [this] { m_session.run([this] { return m_session.model().testPrint(); }); });
    connect(saveSettingsButton, &QPushButton::clicked, this,
            [this] { m_session.run([this] { return m_session.model().savePrintSettings(m_session.questions()); }); });
    for (QPushButton* button : {testButton, saveSettingsButton}) {
        button->setFixedWidth(QFontMetrics(button->font()).horizontalAdvance(QStringLiteral("Zapis")) + 20);
        settingsCaption->addWidget(button);
    }
    settings->addLayout(settingsCaption, 0, 0, 1, 5);

    auto* horizontal = new QHBoxLayout;
    horizontal->setSpacing(3);
    horizontal->addWidget(new QLabel(QStringLiteral("Poziome"), m_settingsPanel));
    horizontal->addSpacing(6);
    settings->addWidget(new QLabel(QStringLiteral("Pionowe"), m_settingsPanel), 2, 0, 1, 5);
    for (std::size_t i = 0; i < kPrintSettingCount; ++i) {
        const QString name = QLatin1String(kPrintSettingNames[i]);
        QLineEdit* edit = digitField(QStringLiteral("setting%1Edit").arg(name), kSettingDigits, m_settingsPanel);
        // Only what the player types goes to the model. A line loaded from a file that the four places
        // cannot show stays as it was read, shown in full, and taking the fields refuses it by that
        // very text until it is typed anew.
        connect(edit, &QLineEdit::textEdited, this, [this, i, edit] {
            restoreDigitPositions(edit, kSettingDigits);
            m_session.model().setPrintSettingText(i, maskedText(edit));
        });
        m_settings[i] = edit;
        auto* label = new QLabel(name, m_settingsPanel);
        label->setBuddy(edit);
        if (i < 2) {
            horizontal->addWidget(label);
            horizontal->addWidget(edit);
        } else {
            settings->addWidget(label, 3, static_cast<int>(i) - 2);
            settings->addWidget(edit, 4, static_cast<int>(i) - 2);
        }
    }
    horizontal->addStretch(1);
    settings->addLayout(horizontal, 1, 0, 1, 5);
    column->addWidget(m_settingsPanel);

    // The range of coupon blanks to print.
    m_rangePanel = new QFrame(this);
    m_rangePanel->setObjectName(QStringLiteral("printRangePanel"));
    m_rangePanel->setFrameShape(QFrame::StyledPanel);
    auto* range = new QGridLayout(m_rangePanel);
    range->setContentsMargins(4, 2, 4, 3);
    range->setHorizontalSpacing(3);
    range->setVerticalSpacing(1);
    range->addWidget(new QLabel(QStringLiteral(" Wydruk systemu  na kuponach "), m_rangePanel), 0, 0, 1, 6);
    auto* needed = new QHBoxLayout;
    needed->setSpacing(4);
    needed->addWidget(new QLabel(QStringLiteral("Potrzebnych blankietów :"), m_rangePanel));
    m_blanksNeeded = new QLabel(m_rangePanel);
    m_blanksNeeded->setObjectName(QStringLiteral("blanksNeededLabel"));
    needed->addWidget(m_blanksNeeded, 1);
    range->addLayout(needed, 1, 0, 1, 6);
    range->addWidget(new QLabel(QStringLiteral("Od"), m_rangePanel), 2, 0);
    m_from = digitField(QStringLiteral("printFromEdit"), 4, m_rangePanel);
    connect(m_from, &QLineEdit::textChanged, this, [this] { m_session.model().setPrintFromText(maskedText(m_from)); });
    range->addWidget(m_from, 2, 1);
    range->addWidget(new QLabel(QStringLiteral("Do"), m_rangePanel), 2, 2);
    m_to = digitField(QStringLiteral("printToEdit"), 4, m_rangePanel);
    connect(m_to, &QLineEdit::textChanged, this, [this] { m_session.model().setPrintToText(maskedText(m_to)); });
    range->addWidget(m_to, 2, 3);
    auto* printCoupons = new QPushButton(QStringLiteral("Drukuj"), m_rangePanel);
    printCoupons->setObjectName(QStringLiteral("printCouponsButton"));
    printCoupons->setToolTip(QStringLiteral("Wydruk kuponów w podanym zakresie"));
    printCoupons->setFixedWidth(QFontMetrics(printCoupons->font()).horizontalAdvance(printCoupons->text()) + 20);
    connect(printCoupons, &QPushButton::clicked, this,
            [this] { m_session.run([this] { return m_session.model().printCoupons(); }); });
    range->addWidget(printCoupons, 2, 5, Qt::AlignRight);
    range->setColumnStretch(4, 1);
    column->addWidget(m_rangePanel);

    // The group is as tall closed as open: opening the panels takes no room from " Sprawdzanie wyników "
    // above it, whose lists keep their height.
    m_picture->hide();
    setFixedHeight(sizeHint().height());
    m_settingsPanel->hide();
    m_rangePanel->hide();
    m_picture->show();
    m_printButton->raise();
}

void PrintPanel::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    m_printButton->adjustSize();
    m_printButton->move(width() - m_printButton->width() - 4, 0);
}

void PrintPanel::refresh(const GeneratorControls& controls) {
    const GeneratorForm& form = m_session.model().form();
    m_settingsPanel->setVisible(form.printSettingsShown);
    m_rangePanel->setVisible(form.printRangeShown);
    m_picture->setVisible(!form.printSettingsShown && !form.printRangeShown);
    m_blanksNeeded->setText(QString::number(form.blanksNeeded));
    // The fields show the positions as loaded or typed; a field the player is typing in is left alone.
    const PrintSettingTexts& texts = m_session.model().printSettingTexts();
    for (std::size_t i = 0; i < m_settings.size(); ++i) {
        QLineEdit* edit = m_settings[i];
        if (!edit->hasFocus())
            showInDigitField(edit, QString::fromStdString(texts[i]).trimmed(), kSettingDigits);
    }
    blankIfCleared(m_from, form.printFrom);
    blankIfCleared(m_to, form.printTo);
    m_printButton->setEnabled(controls.print);
}

} // namespace selektor
