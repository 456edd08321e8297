#include "app/FormWidgets.h"
#include "app/GeneratorListModel.h"
#include "app/GeneratorPanels.h"
#include "app/Session.h"
#include "generator/SystemLine.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace selektor {

namespace {

QString shown(const std::optional<std::int64_t>& value) {
    return value ? QString::number(*value) : QString();
}

} // namespace

SystemListPanel::SystemListPanel(Session& session, QWidget* parent)
    : QGroupBox(QStringLiteral(" Generator systemu "), parent), m_session(session) {
    setObjectName(QStringLiteral("generatorGroup"));
    auto* column = new QVBoxLayout(this);
    tighten(column);

    m_listModel = new GeneratorListModel(session.model().system(), this);
    m_listView = new QListView(this);
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
                    lineChosen(selected.indexes().first().row());
            });
    connect(m_listView, &QListView::clicked, this, [this](const QModelIndex& index) { lineChosen(index.row()); });
    column->addWidget(m_listView, 1);

    // The values stand under the list, each box as wide as the count of a million-line file needs; the
    // longer caption stands on a line of its own so the group stays as narrow as the list.
    const QString widest = QStringLiteral("99999999");
    auto* values = new QGridLayout;
    values->setHorizontalSpacing(4);
    values->setVerticalSpacing(1);
    values->addWidget(new QLabel(QStringLiteral("Liczba kombinacji"), this), 0, 0, 1, 2);
    m_lineCount = valueBox(QStringLiteral("lineCountLabel"), widest, this);
    values->addWidget(m_lineCount, 1, 1);
    values->addWidget(new QLabel(QStringLiteral("Wybrane rozw."), this), 2, 0);
    m_selectedLine = valueBox(QStringLiteral("selectedLineLabel"), widest, this);
    values->addWidget(m_selectedLine, 2, 1);
    values->setColumnStretch(0, 1);
    column->addLayout(values);

    m_countdown = new QFrame(this);
    m_countdown->setObjectName(QStringLiteral("countdownPanel"));
    m_countdown->setFrameShape(QFrame::Panel);
    m_countdown->setFrameShadow(QFrame::Raised);
    m_countdown->setAutoFillBackground(true);
    QPalette panelPalette = m_countdown->palette();
    panelPalette.setColor(QPalette::Window, QColor(255, 255, 192));
    m_countdown->setPalette(panelPalette);
    auto* panelGrid = new QGridLayout(m_countdown);
    panelGrid->setContentsMargins(3, 2, 3, 3);
    panelGrid->setHorizontalSpacing(2);
    panelGrid->setVerticalSpacing(2);
    panelGrid->addWidget(new QLabel(QStringLiteral("Do zakończenia"), m_countdown), 0, 0, 1, 4);
    m_seconds = valueBox(QStringLiteral("countdownSecondsLabel"), QStringLiteral("9999"), m_countdown);
    panelGrid->addWidget(m_seconds, 0, 4, 1, 2);
    for (int i = 0; i < 6; ++i) {
        auto* number = new QLabel(m_countdown);
        number->setObjectName(QStringLiteral("drawnNumberLabel%1").arg(i + 1));
        number->setFont(mono);
        number->setFrameShape(QFrame::Panel);
        number->setFrameShadow(QFrame::Sunken);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setFixedWidth(monoMetrics.horizontalAdvance(QStringLiteral("000")) + 2 * number->frameWidth() + 1);
        m_drawn[i] = number;
        panelGrid->addWidget(number, 1, i);
    }
    m_countdown->hide();
    column->addWidget(m_countdown);

    // The busy lamp sits in the top corner of the group, over the frame line, not in the layout.
    m_busyLamp = new QFrame(this);
    m_busyLamp->setObjectName(QStringLiteral("busyLamp"));
    m_busyLamp->setFixedSize(9, 9);
    m_busyLamp->setStyleSheet(QStringLiteral("background-color: red; border: 1px solid #800000;"));
    m_busyLamp->hide();

    // The countdown panel comes and goes during a run; the group keeps the width it needs with the
    // panel shown, so the groups beside it do not shift.
    const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int inner =
        std::max({m_listView->width(), values->minimumSize().width(), m_countdown->minimumSizeHint().width()});
    setFixedWidth(inner + column->contentsMargins().left() + column->contentsMargins().right() + frame);
}

void SystemListPanel::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    m_busyLamp->move(width() - m_busyLamp->width() - 4, 2);
}

void SystemListPanel::lineChosen(int row) {
    m_session.model().selectLine(row);
    m_session.changed();
}

void SystemListPanel::refresh(const GeneratorControls& controls) {
    const ApplicationModel& model = m_session.model();
    const GeneratorForm& form = model.form();
    m_listModel->sync(model.systemRevision());
    m_lineCount->setText(shown(form.lineCount));
    m_selectedLine->setText(shown(form.selectedLine));
    m_seconds->setText(form.secondsLeft ? QString::number(*form.secondsLeft) : QString());
    for (int i = 0; i < 6; ++i)
        m_drawn[i]->setText(form.drawnCandidate ? QString::fromStdString(numberField((*form.drawnCandidate)[i]))
                                                : QString());
    m_countdown->setVisible(controls.countdown);
    m_busyLamp->setVisible(controls.busyLamp);
    if (controls.busyLamp)
        m_busyLamp->raise();
}

} // namespace selektor
