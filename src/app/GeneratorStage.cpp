#include "app/GeneratorStage.h"

#include "app/GeneratorListModel.h"
#include "app/StagePictures.h"
#include "generator/GuaranteeSystem.h"
#include "generator/ResultCheck.h"
#include "generator/SystemFile.h"
#include "generator/SystemLine.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace selektor {

namespace {

const QString kBackQuestion =
    QStringLiteral("Generator jest obecnie w trakcie obliczeń ! Czy rzeczywiście chcesz teraz edytować dane ?");
const QString kSaveQuestion = QStringLiteral("Zapisać ostatni wygenerowany system ?");
const QString kEmptyListMessage = QStringLiteral("Co chcesz zapisywać ? Lista jest pusta ! ");
const QString kSaveFilter = QStringLiteral("Plik textowy(*.txt)");
const QString kOpenFilter = QStringLiteral("Pliki textowe(*.txt)");
const QString kDefaultSuffix = QStringLiteral("txt");
const QString kSixHitSound = QStringLiteral("Stn.wav");

const char* const kGuaranteeCaptions[] = {"system pełny - gw 6", "system skrócony - gw 5", "system skrócony - gw 4",
                                          "system skrócony - gw 3"};
const char* const kDifferenceCaptions[] = {"rozwiązania różne o jeden", "rozwiązania różne o dwa",
                                           "rozwiązania różne o trzy", "rozwiązania różne o cztery"};
const char* const kRecentDrawsCaptions[] = {"trójki z ostatnich losowań", "czwórki z ostatnich losowań",
                                            "5 liczb z trzech sąsiednich", "6 liczb z trzech sąsiednich"};
const char* const kLastDrawsCaptions[] = {"więcej niż jedną liczbę z ostatniego los.",
                                          "więcej niż dwie liczby z ostatniego los.",
                                          "więcej niż trzy liczby z dwóch ostatnich "};
const char* const kHitHeaders[] = {" 6 ", " 5 ", " 4 ", " 3 "};
constexpr int kDrawsToUseAtStart = 10;

// A masked field's text as the user sees it, with its unfilled positions as blanks: "1 2" stays
// "1 2" (and is then no number), where QLineEdit::text() would quietly join the digits.
std::string maskedText(const QLineEdit* edit) {
    QString text = edit->displayText();
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text.toStdString();
}

// A field of digit positions with "_" for each one not filled in.
QLineEdit* digitField(const QString& objectName, int digits, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setInputMask(QString(digits, QLatin1Char('0')) + QStringLiteral(";_"));
    edit->setAlignment(Qt::AlignLeft);
    const QFontMetrics metrics(edit->font());
    edit->setFixedWidth(metrics.horizontalAdvance(QString(digits, QLatin1Char('_'))) + 12);
    return edit;
}

// A read-only value beside a caption, drawn as a sunken box.
QLabel* valueBox(const QString& objectName, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Base);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMargin(1);
    return label;
}

QPushButton* okButton(const QString& objectName, QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("OK"), parent);
    button->setObjectName(objectName);
    const QFontMetrics metrics(button->font());
    button->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("OK")) + 24);
    return button;
}

QGroupBox* group(const QString& title, const QString& objectName, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(objectName);
    return box;
}

template <typename Layout> Layout* tight(Layout* layout) {
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    return layout;
}

QListWidget* hitList(const QString& objectName, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(objectName);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setUniformItemSizes(true);
    // Narrow columns: the scroll area's own minimum would push the stage wider than the window.
    list->setMinimumSize(QFontMetrics(list->font()).horizontalAdvance(QStringLiteral("0000.0")) + 8, 24);
    return list;
}

} // namespace

GeneratorStage::GeneratorStage(const CandidatePool& pool, Services& services, QWidget* parent)
    : QWidget(parent), m_pool(pool), m_services(services), m_state(std::make_unique<GeneratorState>()),
      m_dataDirectory(QDir::currentPath()) {
    setObjectName(QStringLiteral("generatorStage"));
    // The main window's grey box lies behind the stages; the stage paints its own face over it.
    setAutoFillBackground(true);
    m_listModel = new GeneratorListModel(m_state->generatorList, this);

    m_simulationTimer = new QTimer(this);
    m_simulationTimer->setObjectName(QStringLiteral("simulationTimer"));
    m_simulationTimer->setInterval(10);
    m_simulationTimer->setTimerType(Qt::PreciseTimer);
    connect(m_simulationTimer, &QTimer::timeout, this, &GeneratorStage::simulationTick);

    m_countdownTimer = new QTimer(this);
    m_countdownTimer->setObjectName(QStringLiteral("countdownTimer"));
    m_countdownTimer->setInterval(1000);
    m_countdownTimer->setTimerType(Qt::PreciseTimer);
    connect(m_countdownTimer, &QTimer::timeout, this, &GeneratorStage::countdownTick);

    m_flashTimer = new QTimer(this);
    m_flashTimer->setObjectName(QStringLiteral("flashTimer"));
    m_flashTimer->setInterval(200);
    connect(m_flashTimer, &QTimer::timeout, this, &GeneratorStage::flashTick);

    buildLayout();
    enterFinalStage();
}

GeneratorStage::~GeneratorStage() = default;

bool GeneratorStage::generatorRunning() const {
    return m_state->generatorRunning == 1;
}

bool GeneratorStage::systemSaved() const {
    return m_state->systemSaved == 1;
}

// ---------------------------------------------------------------------------------------------------
// Layout

void GeneratorStage::buildLayout() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(4);
    outer->addWidget(buildTitleBar());

    // Left: the ways of building a system; middle: the system; right: what is done with it.
    auto* body = new QHBoxLayout;
    body->setSpacing(4);
    auto* builders = new QGridLayout;
    builders->setSpacing(4);
    builders->addWidget(buildGuaranteeGroup(), 0, 0);
    builders->addWidget(buildSimulationGroup(), 1, 0);
    builders->addWidget(buildGeneratorGroup(), 0, 1, 2, 1);
    builders->addWidget(buildPostProcessingGroup(), 2, 0, 1, 2);
    builders->setRowStretch(1, 1);
    body->addLayout(builders);
    auto* users = new QVBoxLayout;
    users->setSpacing(4);
    users->addWidget(buildResultGroup(), 1);
    users->addWidget(buildPrintGroup());
    body->addLayout(users, 1);
    outer->addLayout(body, 1);
}

QWidget* GeneratorStage::buildTitleBar() {
    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("titleBar"));
    bar->setFrameShape(QFrame::Panel);
    bar->setFrameShadow(QFrame::Raised);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(4);

    m_backButton = new QToolButton(bar);
    m_backButton->setObjectName(QStringLiteral("backButton"));
    m_backButton->setToolTip(QStringLiteral("Powrót do poprzedniego etapu"));
    m_backButton->setIcon(backIcon());
    m_backButton->setIconSize(QSize(20, 20));
    m_backButton->setAutoRaise(false);
    connect(m_backButton, &QToolButton::clicked, this, &GeneratorStage::returnToFilters);
    row->addWidget(m_backButton);

    // The lime frame sits behind the save button and shows as a border around it while it flashes.
    auto* saveHolder = new QWidget(bar);
    m_saveButton = new QToolButton(saveHolder);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_saveButton->setToolTip(QStringLiteral("Zapis systemu"));
    m_saveButton->setIcon(saveIcon());
    m_saveButton->setIconSize(QSize(20, 20));
    const QSize buttonSize = m_saveButton->sizeHint();
    constexpr int kFrameWidth = 3;
    saveHolder->setFixedSize(buttonSize + QSize(2 * kFrameWidth, 2 * kFrameWidth));
    m_saveFlashFrame = new QFrame(saveHolder);
    m_saveFlashFrame->setObjectName(QStringLiteral("saveFlashFrame"));
    m_saveFlashFrame->setGeometry(0, 0, saveHolder->width(), saveHolder->height());
    m_saveFlashFrame->setStyleSheet(QStringLiteral("background-color: lime;"));
    m_saveFlashFrame->hide();
    m_saveButton->setGeometry(kFrameWidth, kFrameWidth, buttonSize.width(), buttonSize.height());
    m_saveButton->raise();
    connect(m_saveButton, &QToolButton::clicked, this, &GeneratorStage::saveSystem);
    row->addWidget(saveHolder);
    row->addSpacing(12);

    auto* title = new QLabel(QStringLiteral(" GENERATOR SYSTEMÓW"), bar);
    title->setObjectName(QStringLiteral("titleLabel"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.35);
    title->setFont(titleFont);
    QPalette titlePalette = title->palette();
    titlePalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    title->setPalette(titlePalette);
    row->addWidget(title);
    row->addStretch(1);
    return bar;
}

QGroupBox* GeneratorStage::buildGuaranteeGroup() {
    m_guaranteeGroup = group(QStringLiteral(" Systemy gwarancyjne "), QStringLiteral("guaranteeGroup"), this);
    auto* grid = tight(new QGridLayout(m_guaranteeGroup));
    m_guaranteeChoice = new QButtonGroup(m_guaranteeGroup);
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(kGuaranteeCaptions[i]), m_guaranteeGroup);
        radio->setObjectName(QStringLiteral("guaranteeChoice%1").arg(i));
        m_guaranteeChoice->addButton(radio, i);
        grid->addWidget(radio, i, 0);
    }
    m_guaranteeOk = okButton(QStringLiteral("guaranteeOkButton"), m_guaranteeGroup);
    connect(m_guaranteeOk, &QPushButton::clicked, this, &GeneratorStage::buildGuaranteeSystem);
    grid->addWidget(m_guaranteeOk, 3, 1, Qt::AlignRight | Qt::AlignBottom);
    grid->setColumnStretch(0, 1);
    return m_guaranteeGroup;
}

QGroupBox* GeneratorStage::buildSimulationGroup() {
    m_simulationGroup = group(QStringLiteral(" Symulacja komputerowa "), QStringLiteral("simulationGroup"), this);
    auto* grid = tight(new QGridLayout(m_simulationGroup));
    grid->addWidget(new QLabel(QStringLiteral("Liczba kombinacji:"), m_simulationGroup), 0, 0);
    m_countEdit = digitField(QStringLiteral("simulationCountEdit"), 4, m_simulationGroup);
    grid->addWidget(m_countEdit, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Limit czasowy:"), m_simulationGroup), 1, 0);
    m_limitEdit = digitField(QStringLiteral("simulationLimitEdit"), 4, m_simulationGroup);
    grid->addWidget(m_limitEdit, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("sek."), m_simulationGroup), 1, 2);

    m_differenceChoice = new QButtonGroup(m_simulationGroup);
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(kDifferenceCaptions[i]), m_simulationGroup);
        radio->setObjectName(QStringLiteral("differenceChoice%1").arg(i));
        m_differenceChoice->addButton(radio, i);
        grid->addWidget(radio, 2 + i, 0, 1, 3);
    }
    m_simulationOk = okButton(QStringLiteral("simulationOkButton"), m_simulationGroup);
    connect(m_simulationOk, &QPushButton::clicked, this, &GeneratorStage::startRandomSimulation);
    grid->addWidget(m_simulationOk, 0, 2, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(6, 1);
    return m_simulationGroup;
}

QGroupBox* GeneratorStage::buildGeneratorGroup() {
    auto* box = group(QStringLiteral(" Generator systemu "), QStringLiteral("generatorGroup"), this);
    auto* column = tight(new QVBoxLayout(box));

    m_listView = new QListView(box);
    m_listView->setObjectName(QStringLiteral("generatorList"));
    m_listView->setModel(m_listModel);
    m_listView->setUniformItemSizes(true);
    m_listView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_listView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(font().pointSizeF());
    m_listView->setFont(mono);
    const QFontMetrics monoMetrics(mono);
    m_listView->setFixedWidth(monoMetrics.horizontalAdvance(QString(kSystemLineLength + 1, QLatin1Char('0'))) +
                              m_listView->verticalScrollBar()->sizeHint().width() + 2 * m_listView->frameWidth() + 4);
    // The view makes its first line current by itself when it takes the keyboard focus, without
    // selecting it; only a line the player selects (click or arrow keys) counts as chosen.
    connect(m_listView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) {
                if (!selected.indexes().isEmpty())
                    onLineSelected(selected.indexes().first().row());
            });
    connect(m_listView, &QListView::clicked, this, [this](const QModelIndex& index) { onLineSelected(index.row()); });
    column->addWidget(m_listView, 1);

    auto* values = new QGridLayout;
    values->setSpacing(3);
    values->addWidget(new QLabel(QStringLiteral("Liczba kombinacji"), box), 0, 0);
    m_lineCountLabel = valueBox(QStringLiteral("lineCountLabel"), box);
    values->addWidget(m_lineCountLabel, 0, 1);
    values->addWidget(new QLabel(QStringLiteral("Wybrane rozw."), box), 1, 0);
    m_selectedLineLabel = valueBox(QStringLiteral("selectedLineLabel"), box);
    values->addWidget(m_selectedLineLabel, 1, 1);
    values->setColumnStretch(1, 1);
    column->addLayout(values);

    m_countdownPanel = new QFrame(box);
    m_countdownPanel->setObjectName(QStringLiteral("countdownPanel"));
    m_countdownPanel->setFrameShape(QFrame::Panel);
    m_countdownPanel->setFrameShadow(QFrame::Raised);
    m_countdownPanel->setAutoFillBackground(true);
    QPalette panelPalette = m_countdownPanel->palette();
    panelPalette.setColor(QPalette::Window, QColor(255, 255, 192));
    m_countdownPanel->setPalette(panelPalette);
    auto* panelGrid = new QGridLayout(m_countdownPanel);
    panelGrid->setContentsMargins(3, 2, 3, 3);
    panelGrid->setHorizontalSpacing(2);
    panelGrid->setVerticalSpacing(2);
    auto* untilEnd = new QLabel(QStringLiteral("Do zakończenia"), m_countdownPanel);
    panelGrid->addWidget(untilEnd, 0, 0, 1, 4);
    m_secondsLabel = valueBox(QStringLiteral("countdownSecondsLabel"), m_countdownPanel);
    panelGrid->addWidget(m_secondsLabel, 0, 4, 1, 2);
    for (int i = 0; i < 6; ++i) {
        auto* number = new QLabel(m_countdownPanel);
        number->setObjectName(QStringLiteral("drawnNumberLabel%1").arg(i + 1));
        number->setFont(mono);
        number->setFrameShape(QFrame::Panel);
        number->setFrameShadow(QFrame::Sunken);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setFixedWidth(monoMetrics.horizontalAdvance(QStringLiteral("000")) + 2 * number->frameWidth() + 1);
        m_drawnLabels[i] = number;
        panelGrid->addWidget(number, 1, i);
    }
    column->addWidget(m_countdownPanel);

    // The busy lamp sits in the top corner of the group, over the frame line, not in the layout.
    m_busyLamp = new QFrame(box);
    m_busyLamp->setObjectName(QStringLiteral("busyLamp"));
    m_busyLamp->setFixedSize(9, 9);
    m_busyLamp->setStyleSheet(QStringLiteral("background-color: red; border: 1px solid #800000;"));
    m_busyLamp->hide();
    box->installEventFilter(this);

    // The countdown panel comes and goes during a run; the group keeps the width it needs with the
    // panel shown, so the groups beside it do not shift.
    box->setFixedWidth(std::max(box->minimumSizeHint().width(),
                                m_countdownPanel->minimumSizeHint().width() + column->contentsMargins().left() +
                                    column->contentsMargins().right() +
                                    2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth)));
    return box;
}

QGroupBox* GeneratorStage::buildResultGroup() {
    auto* box = group(QStringLiteral(" Sprawdzanie wyników "), QStringLiteral("resultGroup"), this);
    auto* column = tight(new QVBoxLayout(box));
    column->addWidget(new QLabel(QStringLiteral("Wprowadź wylosowane liczby"), box));

    auto* entryRow = new QHBoxLayout;
    entryRow->setSpacing(3);
    for (int i = 0; i < 6; ++i) {
        m_drawnEdits[i] = digitField(QStringLiteral("drawnEdit%1").arg(i + 1), 2, box);
        entryRow->addWidget(m_drawnEdits[i]);
    }
    entryRow->addStretch(1);
    m_resultOk = okButton(QStringLiteral("resultOkButton"), box);
    connect(m_resultOk, &QPushButton::clicked, this, &GeneratorStage::checkResult);
    entryRow->addWidget(m_resultOk);
    column->addLayout(entryRow);

    // Four columns, one per hit class: its header, its count and its two lists.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    for (int c = 0; c < 4; ++c) {
        const int hits = 6 - c;
        auto* header = new QLabel(QString::fromLatin1(kHitHeaders[c]), box);
        header->setAlignment(Qt::AlignCenter);
        header->setFrameShape(QFrame::Panel);
        header->setFrameShadow(QFrame::Raised);
        QFont bold = header->font();
        bold.setBold(true);
        header->setFont(bold);
        grid->addWidget(header, 0, c);
        m_hitCounts[c] = valueBox(QStringLiteral("hitCount%1").arg(hits), box);
        m_hitCounts[c]->setAlignment(Qt::AlignCenter);
        grid->addWidget(m_hitCounts[c], 1, c);
        m_hitLists[c] = hitList(QStringLiteral("hitList%1").arg(hits), box);
        grid->addWidget(m_hitLists[c], 3, c);
        m_couponLists[c] = hitList(QStringLiteral("couponList%1").arg(hits), box);
        grid->addWidget(m_couponLists[c], 5, c);
        grid->setColumnStretch(c, 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("     Lista "), box), 2, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("    Kupon nr.poz"), box), 4, 0, 1, 4);
    grid->setRowStretch(3, 1);
    grid->setRowStretch(5, 1);
    column->addLayout(grid, 1);
    return box;
}

QGroupBox* GeneratorStage::buildPrintGroup() {
    auto* box = group(QStringLiteral(" Wydruk systemu "), QStringLiteral("printGroup"), this);
    auto* column = tight(new QVBoxLayout(box));
    column->setSpacing(2);

    m_printButton = new QToolButton(box);
    m_printButton->setObjectName(QStringLiteral("printButton"));
    m_printButton->setToolTip(QStringLiteral("Wydruk systemu"));
    m_printButton->setIcon(printerIcon());
    m_printButton->setIconSize(QSize(22, 22));

    // While the panels are closed the picture fills the group beside the print button.
    auto* top = new QHBoxLayout;
    m_printPicture = new CouponPicture(box);
    m_printPicture->setObjectName(QStringLiteral("printPicture"));
    top->addWidget(m_printPicture, 1);
    top->addWidget(m_printButton, 0, Qt::AlignTop | Qt::AlignRight);
    column->addLayout(top, 1);

    // The print settings (read and written by the printing side).
    m_printSettingsPanel = new QFrame(box);
    m_printSettingsPanel->setObjectName(QStringLiteral("printSettingsPanel"));
    m_printSettingsPanel->setFrameShape(QFrame::StyledPanel);
    auto* settings = new QGridLayout(m_printSettingsPanel);
    settings->setContentsMargins(4, 2, 4, 3);
    settings->setHorizontalSpacing(3);
    settings->setVerticalSpacing(1);
    auto* settingsCaption = new QHBoxLayout;
    settingsCaption->addWidget(new QLabel(QStringLiteral(" Ustawienia "), m_printSettingsPanel), 1);
    auto* testButton = new QPushButton(QStringLiteral("Test"), m_printSettingsPanel);
    testButton->setObjectName(QStringLiteral("printTestButton"));
    testButton->setToolTip(QStringLiteral("Kontrolny test wydruku"));
    auto* saveSettingsButton = new QPushButton(QStringLiteral("Zapis"), m_printSettingsPanel);
    saveSettingsButton->setObjectName(QStringLiteral("printSettingsSaveButton"));
    saveSettingsButton->setToolTip(QStringLiteral("Zapis aktualnych ustawień"));
    for (QPushButton* button : {testButton, saveSettingsButton}) {
        button->setFixedWidth(QFontMetrics(button->font()).horizontalAdvance(QStringLiteral("Zapis")) + 20);
        settingsCaption->addWidget(button);
    }
    settings->addLayout(settingsCaption, 0, 0, 1, 5);

    const char* const settingNames[] = {"PX1", "X1X2", "PY1", "Y1Y2", "PYK", "PYDL", "PNR"};
    auto* horizontal = new QHBoxLayout;
    horizontal->setSpacing(3);
    horizontal->addWidget(new QLabel(QStringLiteral("Poziome"), m_printSettingsPanel));
    horizontal->addSpacing(6);
    settings->addWidget(new QLabel(QStringLiteral("Pionowe"), m_printSettingsPanel), 2, 0, 1, 5);
    for (int i = 0; i < 7; ++i) {
        const QString name = QLatin1String(settingNames[i]);
        auto* edit = digitField(QStringLiteral("setting%1Edit").arg(name), 4, m_printSettingsPanel);
        auto* label = new QLabel(name, m_printSettingsPanel);
        label->setBuddy(edit);
        if (i < 2) {
            horizontal->addWidget(label);
            horizontal->addWidget(edit);
        } else {
            settings->addWidget(label, 3, i - 2);
            settings->addWidget(edit, 4, i - 2);
        }
    }
    horizontal->addStretch(1);
    settings->addLayout(horizontal, 1, 0, 1, 5);
    column->addWidget(m_printSettingsPanel);

    // The range of coupon blanks to print.
    m_printRangePanel = new QFrame(box);
    m_printRangePanel->setObjectName(QStringLiteral("printRangePanel"));
    m_printRangePanel->setFrameShape(QFrame::StyledPanel);
    auto* range = new QGridLayout(m_printRangePanel);
    range->setContentsMargins(4, 2, 4, 3);
    range->setHorizontalSpacing(3);
    range->setVerticalSpacing(1);
    range->addWidget(new QLabel(QStringLiteral(" Wydruk systemu  na kuponach "), m_printRangePanel), 0, 0, 1, 6);
    auto* needed = new QHBoxLayout;
    needed->setSpacing(4);
    needed->addWidget(new QLabel(QStringLiteral("Potrzebnych blankietów :"), m_printRangePanel));
    m_blanksNeededLabel = new QLabel(m_printRangePanel);
    m_blanksNeededLabel->setObjectName(QStringLiteral("blanksNeededLabel"));
    needed->addWidget(m_blanksNeededLabel, 1);
    range->addLayout(needed, 1, 0, 1, 6);
    range->addWidget(new QLabel(QStringLiteral("Od"), m_printRangePanel), 2, 0);
    m_printFromEdit = digitField(QStringLiteral("printFromEdit"), 4, m_printRangePanel);
    range->addWidget(m_printFromEdit, 2, 1);
    range->addWidget(new QLabel(QStringLiteral("Do"), m_printRangePanel), 2, 2);
    m_printToEdit = digitField(QStringLiteral("printToEdit"), 4, m_printRangePanel);
    range->addWidget(m_printToEdit, 2, 3);
    auto* printCoupons = new QPushButton(QStringLiteral("Drukuj"), m_printRangePanel);
    printCoupons->setObjectName(QStringLiteral("printCouponsButton"));
    printCoupons->setToolTip(QStringLiteral("Wydruk kuponów w podanym zakresie"));
    printCoupons->setFixedWidth(QFontMetrics(printCoupons->font()).horizontalAdvance(printCoupons->text()) + 20);
    range->addWidget(printCoupons, 2, 5, Qt::AlignRight);
    range->setColumnStretch(4, 1);
    column->addWidget(m_printRangePanel);
    return box;
}

QGroupBox* GeneratorStage::buildPostProcessingGroup() {
    auto* box = group(QStringLiteral(" Obróbka systemu"), QStringLiteral("postProcessingGroup"), this);
    auto* grid = tight(new QGridLayout(box));
    grid->setVerticalSpacing(2);

    // First tool: the recent draws, as many as "Liczba losowań" says.
    grid->addWidget(new QLabel(QStringLiteral("  Usuń kombinacje zawierające  "), box), 0, 0);
    auto* drawsRow = new QHBoxLayout;
    drawsRow->setSpacing(1);
    drawsRow->addStretch(1);
    drawsRow->addWidget(new QLabel(QStringLiteral("Liczba losowań"), box));
    drawsRow->addSpacing(4);
    m_drawsToUseEdit = new QLineEdit(box);
    m_drawsToUseEdit->setObjectName(QStringLiteral("drawsToUseEdit"));
    m_drawsToUseEdit->setReadOnly(true);
    m_drawsToUseEdit->setFixedWidth(QFontMetrics(m_drawsToUseEdit->font()).horizontalAdvance(QStringLiteral("0000")) +
                                    10);
    drawsRow->addWidget(m_drawsToUseEdit);
    auto* spinner = new QWidget(box);
    auto* spinnerColumn = new QVBoxLayout(spinner);
    spinnerColumn->setContentsMargins(0, 0, 0, 0);
    spinnerColumn->setSpacing(0);
    for (auto [name, arrow] : {std::pair{"drawsToUseUp", Qt::UpArrow}, std::pair{"drawsToUseDown", Qt::DownArrow}}) {
        auto* step = new QToolButton(spinner);
        step->setObjectName(QLatin1String(name));
        step->setArrowType(arrow);
        step->setFixedSize(16, 11);
        spinnerColumn->addWidget(step);
    }
    drawsRow->addWidget(spinner);
    grid->addLayout(drawsRow, 0, 1, 1, 2);
    m_recentDrawsChoice = new QComboBox(box);
    m_recentDrawsChoice->setObjectName(QStringLiteral("recentDrawsChoice"));
    for (const char* caption : kRecentDrawsCaptions)
        m_recentDrawsChoice->addItem(QString::fromUtf8(caption));
    grid->addWidget(m_recentDrawsChoice, 1, 0, 1, 2);
    m_recentDrawsAction = new QPushButton(QStringLiteral("Akcja"), box);
    m_recentDrawsAction->setObjectName(QStringLiteral("recentDrawsAction"));
    m_recentDrawsAction->setToolTip(QStringLiteral("Akcja"));
    grid->addWidget(m_recentDrawsAction, 1, 2, Qt::AlignRight);

    // Second tool: the last draw or the last two.
    grid->addWidget(new QLabel(QStringLiteral("  Usuń kombinacje zawierające  "), box), 2, 0, 1, 3);
    m_lastDrawsChoice = new QComboBox(box);
    m_lastDrawsChoice->setObjectName(QStringLiteral("lastDrawsChoice"));
    for (const char* caption : kLastDrawsCaptions)
        m_lastDrawsChoice->addItem(QString::fromUtf8(caption));
    grid->addWidget(m_lastDrawsChoice, 3, 0, 1, 2);
    m_lastDrawsAction = new QPushButton(QStringLiteral("Akcja"), box);
    m_lastDrawsAction->setObjectName(QStringLiteral("lastDrawsAction"));
    m_lastDrawsAction->setToolTip(QStringLiteral("Akcja"));
    grid->addWidget(m_lastDrawsAction, 3, 2, Qt::AlignRight);
    for (QPushButton* button : {m_recentDrawsAction, m_lastDrawsAction})
        button->setFixedWidth(QFontMetrics(button->font()).horizontalAdvance(button->text()) + 20);
    grid->setColumnStretch(1, 1);
    return box;
}

bool GeneratorStage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && m_busyLamp && watched == m_busyLamp->parent()) {
        auto* box = static_cast<QWidget*>(watched);
        m_busyLamp->move(box->width() - m_busyLamp->width() - 4, 2);
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------------
// Entering the stage and leaving it

void GeneratorStage::enterFinalStage() {
    if (generatorRunning())
        stopGeneratorOnRequest();
    m_flashTimer->stop();
    m_saveFlashFrame->hide();

    selektor::enterFinalStage(*m_state);
    m_listModel->linesReplaced();
    resetCountdownPanel();
    for (QLabel* label : m_drawnLabels)
        label->clear();
    m_lineCountLabel->clear();
    m_selectedLineLabel->clear();

    resetChoices();

    m_guaranteeOk->setEnabled(true);
    m_simulationOk->setEnabled(true);
    m_guaranteeGroup->setEnabled(true);
    m_simulationGroup->setEnabled(true);
    m_backButton->setEnabled(true);
    m_saveButton->setEnabled(true);
    m_printButton->setEnabled(true);
    m_recentDrawsAction->setEnabled(false);
    m_lastDrawsAction->setEnabled(false);

    resetPrintPanels();
    resetResultCheck();
    resetPostProcessing();
}

void GeneratorStage::returnToFilters() {
    if (generatorRunning()) {
        if (!m_services.dialogs.warningQuestion(kBackQuestion))
            return;
        stopGeneratorOnRequest();
        // The partial system of an interrupted run is dropped without an offer.
        m_state->systemSaved = 1;
    } else if (!offerSave()) {
        return;
    }
    emit backToFiltersRequested();
}

// ---------------------------------------------------------------------------------------------------
// Saving and opening

bool GeneratorStage::writeSystem(const QString& fileName) {
    try {
        writeSystemFile(QFile::encodeName(fileName).toStdString(), m_state->generatorList);
        return true;
    } catch (const FileError& error) {
        m_services.dialogs.error(QString::fromLocal8Bit(error.what()));
        return false;
    }
}

void GeneratorStage::saveSystem() {
    if (m_state->generatorList.empty()) {
        m_services.dialogs.information(kEmptyListMessage);
        return;
    }
    const QString fileName = m_services.dialogs.saveFileName(kSaveFilter, kDefaultSuffix);
    if (!fileName.isEmpty() && !writeSystem(fileName))
        return; // not written: the system still waits to be saved
    m_state->systemSaved = 1;
}

bool GeneratorStage::offerSave() {
    if (m_state->systemSaved == 1 || m_state->generatorList.empty())
        return true;
    if (m_services.dialogs.question(kSaveQuestion)) {
        const QString fileName = m_services.dialogs.saveFileName(kSaveFilter, kDefaultSuffix);
        if (!fileName.isEmpty() && !writeSystem(fileName))
            return false;
    }
    m_state->systemSaved = 1;
    return true;
}

bool GeneratorStage::openSystemFile() {
    const QString fileName = m_services.dialogs.openFileName(kOpenFilter);
    if (fileName.isEmpty())
        return false;

    // The file is read in full before the list is touched, so a file that cannot be read leaves the
    // system on screen as it was.
    std::vector<std::string> lines;
    try {
        lines = readSystemFile(QFile::encodeName(fileName).toStdString());
    } catch (const FileError& error) {
        m_services.dialogs.error(QString::fromLocal8Bit(error.what()));
        return false;
    }
    m_state->generatorList = std::move(lines);
    m_listModel->linesReplaced();
    showLineCount();
    m_selectedLineLabel->clear();

    // A system from a file can be checked, printed and saved again, but not regenerated: the way back
    // to the filters and the generators stay closed until "Etap końcowy".
    resetCountdownPanel();
    m_backButton->setEnabled(false);
    m_saveButton->setEnabled(true);
    m_guaranteeChoice->button(0)->setChecked(true);
    m_guaranteeOk->setEnabled(false);
    m_differenceChoice->button(0)->setChecked(true);
    m_countEdit->clear();
    m_limitEdit->clear();
    m_simulationOk->setEnabled(false);
    resetPostProcessing();
    m_recentDrawsAction->setEnabled(false);
    m_lastDrawsAction->setEnabled(false);
    resetResultCheck();
    resetPrintPanels();
    m_printButton->setEnabled(true);
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Guarantee systems

void GeneratorStage::buildGuaranteeSystem() {
    m_busyLamp->show();
    m_busyLamp->raise();
    m_busyLamp->repaint();
    m_backButton->setEnabled(false);
    m_saveButton->setEnabled(false);
    m_recentDrawsAction->setEnabled(false);
    m_lastDrawsAction->setEnabled(false);
    setGeneratorsBusy(true);
    m_resultOk->setEnabled(false);
    const auto mode = static_cast<GuaranteeMode>(std::max(m_guaranteeChoice->checkedId(), 0));
    m_lineCountLabel->setText(QStringLiteral("0"));
    m_selectedLineLabel->clear();
    m_printButton->setEnabled(false);
    hidePrintPanels();

    const GuaranteeOutcome outcome = selektor::buildGuaranteeSystem(mode, m_pool, *m_state);
    m_listModel->linesReplaced();
    m_lineCountLabel->setText(QString::number(outcome.lineCount));
    m_recentDrawsAction->setEnabled(outcome.postProcessingOffered);
    m_lastDrawsAction->setEnabled(outcome.postProcessingOffered);

    m_backButton->setEnabled(true);
    m_saveButton->setEnabled(true);
    setGeneratorsBusy(false);
    m_resultOk->setEnabled(true);
    m_busyLamp->hide();
    m_printButton->setEnabled(true);
    startFlash();
}

// ---------------------------------------------------------------------------------------------------
// Random simulation

void GeneratorStage::startRandomSimulation() {
    const QTime now = m_services.clock.timeOfDay();
    const std::uint32_t seed = seedFromTimeOfDay(now.hour(), now.minute(), now.second(), now.msec());
    const auto choice = static_cast<DifferenceChoice>(std::max(m_differenceChoice->checkedId(), 0));
    const StartOutcome outcome = selektor::startRandomSimulation(maskedText(m_countEdit), maskedText(m_limitEdit),
                                                                 choice, seed, *m_state, m_simulation);
    switch (outcome.status) {
    case StartStatus::Refused:
        m_services.dialogs.information(QString::fromStdString(outcome.message));
        return;
    case StartStatus::ConversionError:
        m_services.dialogs.error(QString::fromStdString(outcome.message));
        return;
    case StartStatus::NothingToDo:
        return;
    case StartStatus::Started:
        break;
    }

    m_listModel->linesReplaced();
    // The back button stays usable: the user may leave the stage while the run goes on.
    m_saveButton->setEnabled(false);
    m_recentDrawsAction->setEnabled(false);
    m_lastDrawsAction->setEnabled(false);
    setGeneratorsBusy(true);
    m_resultOk->setEnabled(false);
    m_printButton->setEnabled(false);
    hidePrintPanels();

    m_lineCountLabel->setText(QStringLiteral("0"));
    m_selectedLineLabel->clear();
    m_secondsLabel->setText(QString::number(m_simulation.secondsLeft));
    m_countdownPanel->show();
    m_countdownTimer->start();
    m_simulationTimer->start();
}

void GeneratorStage::simulationTick() {
    if (!m_simulation.timersOn)
        return; // a tick that was already queued when the run ended
    const SimulationTickOutcome outcome = selektor::simulationTick(m_pool, *m_state, m_simulation);
    if (outcome.drawn) {
        for (int i = 0; i < 6; ++i)
            m_drawnLabels[i]->setText(QString::fromStdString(numberField((*outcome.drawn)[i])));
    }
    if (outcome.accepted) {
        m_listModel->linesAppended();
        showLineCount();
    }
    if (outcome.finished)
        finishGeneration();
}

void GeneratorStage::countdownTick() {
    if (!m_simulation.timersOn)
        return;
    const CountdownTickOutcome outcome = selektor::countdownTick(*m_state, m_simulation);
    m_secondsLabel->setText(QString::number(outcome.secondsShown));
    if (outcome.finished)
        finishGeneration();
}

void GeneratorStage::finishGeneration() {
    m_simulationTimer->stop();
    m_countdownTimer->stop();
    m_saveButton->setEnabled(true);
    setGeneratorsBusy(false);
    m_resultOk->setEnabled(true);
    m_countdownPanel->hide();
    m_printButton->setEnabled(true);
    startFlash();
}

void GeneratorStage::stopGeneratorOnRequest() {
    selektor::stopGeneratorOnRequest(*m_state, m_simulation);
    m_simulationTimer->stop();
    m_countdownTimer->stop();
    m_countdownPanel->hide();
    // The groups can be used again; their OK buttons, the save, print and check buttons stay as the
    // start left them until the stage is entered again or a file is opened.
    m_guaranteeGroup->setEnabled(true);
    m_simulationGroup->setEnabled(true);
}

// ---------------------------------------------------------------------------------------------------
// Result checking

void GeneratorStage::checkResult() {
    std::array<std::string, kDrawnNumbers> entries;
    for (int i = 0; i < kDrawnNumbers; ++i)
        entries[i] = maskedText(m_drawnEdits[i]);
    const ResultCheckOutcome outcome = selektor::checkResult(entries, m_state->generatorList);
    if (outcome.message) {
        m_services.dialogs.information(QString::fromStdString(*outcome.message));
        return;
    }
    for (int c = 0; c < 4; ++c) {
        const HitClass& hits = outcome.byHits[6 - c];
        m_hitLists[c]->clear();
        m_couponLists[c]->clear();
        QStringList numbers;
        numbers.reserve(static_cast<qsizetype>(hits.lineNumbers.size()));
        for (std::int32_t number : hits.lineNumbers)
            numbers << QString::number(number);
        m_hitLists[c]->addItems(numbers);
        QStringList positions;
        positions.reserve(static_cast<qsizetype>(hits.couponPositions.size()));
        for (const std::string& position : hits.couponPositions)
            positions << QString::fromStdString(position);
        m_couponLists[c]->addItems(positions);
        m_hitCounts[c]->setText(QString::number(hits.count));
    }
    if (outcome.playSixHitSound) {
        QDir::setCurrent(m_dataDirectory);
        m_services.sound.play(kSixHitSound);
    }
}

// ---------------------------------------------------------------------------------------------------
// Save-button flash

void GeneratorStage::startFlash() {
    selektor::startFlash(*m_state);
    m_flashTimer->start();
}

void GeneratorStage::flashTick() {
    const FlashTick tick = selektor::flashTick(*m_state);
    if (tick.frameShown)
        m_saveFlashFrame->setVisible(*tick.frameShown);
    if (tick.stopTimer)
        m_flashTimer->stop();
}

// ---------------------------------------------------------------------------------------------------
// Shared steps

void GeneratorStage::setGeneratorsBusy(bool busy) {
    m_guaranteeOk->setEnabled(!busy);
    m_simulationOk->setEnabled(!busy);
    m_guaranteeGroup->setEnabled(!busy);
    m_simulationGroup->setEnabled(!busy);
}

void GeneratorStage::resetChoices() {
    m_guaranteeChoice->button(0)->setChecked(true);
    m_differenceChoice->button(0)->setChecked(true);
    m_countEdit->clear();
    m_limitEdit->clear();
}

void GeneratorStage::resetPostProcessing() {
    m_recentDrawsChoice->setCurrentIndex(0);
    m_lastDrawsChoice->setCurrentIndex(0);
    m_drawsToUseEdit->setText(QStringLiteral("%1").arg(kDrawsToUseAtStart, 3));
}

void GeneratorStage::resetResultCheck() {
    for (QLineEdit* edit : m_drawnEdits)
        edit->clear();
    m_resultOk->setEnabled(true);
    for (int c = 0; c < 4; ++c) {
        m_hitCounts[c]->clear();
        m_hitLists[c]->clear();
        m_couponLists[c]->clear();
    }
}

void GeneratorStage::hidePrintPanels() {
    m_printSettingsPanel->hide();
    m_printRangePanel->hide();
    m_printPicture->show();
}

void GeneratorStage::resetPrintPanels() {
    hidePrintPanels();
    m_blanksNeededLabel->setText(QStringLiteral("0"));
    m_printFromEdit->clear();
    m_printToEdit->clear();
}

void GeneratorStage::resetCountdownPanel() {
    m_countdownPanel->hide();
    m_secondsLabel->clear();
}

void GeneratorStage::showLineCount() {
    m_lineCountLabel->setText(QString::number(static_cast<qulonglong>(m_state->generatorList.size())));
}

void GeneratorStage::onLineSelected(int row) {
    m_selectedLineLabel->setText(QString::number(row + 1));
}

} // namespace selektor
