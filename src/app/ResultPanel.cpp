#include "app/FormWidgets.h"
#include "app/GeneratorListModel.h"
#include "app/GeneratorPanels.h"
#include "app/Session.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace selektor {

namespace {

const char* const kHitHeaders[] = {" 6 ", " 5 ", " 4 ", " 3 "};

// A list of hits. Entries are never cut short: the widest of a very long system scrolls sideways.
QListView* hitList(const QString& objectName, HitListModel* model, QWidget* parent) {
    auto* list = new QListView(parent);
    list->setObjectName(objectName);
    list->setModel(model);
    list->setTextElideMode(Qt::ElideNone);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setUniformItemSizes(true);
    // The narrow columns need a small face: coupon positions of a system of 99999 lines still fit.
    QFont small = list->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    list->setFont(small);
    list->setMinimumSize(24, 24);
    return list;
}

} // namespace

ResultPanel::ResultPanel(Session& session, QWidget* parent)
    : QGroupBox(QStringLiteral(" Sprawdzanie wyników "), parent), m_session(session) {
    setObjectName(QStringLiteral("resultGroup"));
    auto* column = new QVBoxLayout(this);
    tighten(column);
    column->addWidget(new QLabel(QStringLiteral("Wprowadź wylosowane liczby"), this));

    auto* entryRow = new QHBoxLayout;
    entryRow->setSpacing(3);
    for (int i = 0; i < 6; ++i) {
        QLineEdit* entry = digitField(QStringLiteral("drawnEdit%1").arg(i + 1), 2, this);
        connect(entry, &QLineEdit::textChanged, this,
                [this, i, entry] { m_session.model().setDrawnEntry(i, maskedText(entry)); });
        m_entries[i] = entry;
        entryRow->addWidget(entry);
    }
    entryRow->addStretch(1);
    m_ok = okButton(QStringLiteral("resultOkButton"), this);
    connect(m_ok, &QPushButton::clicked, this,
            [this] { m_session.run([this] { return m_session.model().checkResult(); }); });
    entryRow->addWidget(m_ok);
    column->addLayout(entryRow);

    // Four columns, one per hit class: its header, its count and its two lists.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    for (int c = 0; c < 4; ++c) {
        const int hits = 6 - c;
        auto* header = new QLabel(QString::fromLatin1(kHitHeaders[c]), this);
        header->setAlignment(Qt::AlignCenter);
        header->setFrameShape(QFrame::Panel);
        header->setFrameShadow(QFrame::Raised);
        QFont bold = header->font();
        bold.setBold(true);
        header->setFont(bold);
        grid->addWidget(header, 0, c);
        m_counts[c] = valueBox(QStringLiteral("hitCount%1").arg(hits), QStringLiteral("0"), this);
        m_counts[c]->setAlignment(Qt::AlignCenter);
        grid->addWidget(m_counts[c], 1, c);
        m_lineLists[c] = new HitListModel(HitListModel::Column::LineNumbers, this);
        grid->addWidget(hitList(QStringLiteral("hitList%1").arg(hits), m_lineLists[c], this), 3, c);
        m_couponLists[c] = new HitListModel(HitListModel::Column::CouponPositions, this);
        grid->addWidget(hitList(QStringLiteral("couponList%1").arg(hits), m_couponLists[c], this), 5, c);
        grid->setColumnStretch(c, 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("     Lista "), this), 2, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("    Kupon nr.poz"), this), 4, 0, 1, 4);
    grid->setRowStretch(3, 1);
    grid->setRowStretch(5, 1);
    column->addLayout(grid, 1);
}

void ResultPanel::refresh(const GeneratorControls& controls) {
    const GeneratorForm& form = m_session.model().form();
    for (int i = 0; i < 6; ++i)
        blankIfCleared(m_entries[i], form.drawnEntries[i]);
    static const std::vector<std::int32_t> kNone;
    for (int c = 0; c < 4; ++c) {
        const HitClass* hits = form.results ? &form.results->byHits[6 - c] : nullptr;
        m_counts[c]->setText(hits ? QString::number(hits->count) : QString());
        m_lineLists[c]->show(hits ? hits->lineNumbers : kNone);
        m_couponLists[c]->show(hits ? hits->lineNumbers : kNone);
    }
    m_ok->setEnabled(controls.resultOk);
}

} // namespace selektor
