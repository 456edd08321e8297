#include "app/DrawListPanel.h"

#include "app/FilterColours.h"
#include "app/ModelText.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

namespace selektor {

namespace {

// The column header of the draw list, blanks and all.
const QString kColumnHeader = QStringLiteral(" Numer              Data                     Wylosowane liczby"
                                             "             PN     WK    SUM   BR    DSG");

// The header is set in the window's proportional face, the lines in a monospaced one: these sizes and
// the wider blanks of the header put every caption of the header over its column.
constexpr int kLinePixels = 15;
constexpr int kHeaderPixels = 11;
constexpr qreal kHeaderWordSpacing = 1.5;

} // namespace

DrawListPanel::DrawListPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("drawListPanel"));
    auto* title = new QLabel(QStringLiteral("Losowania"), this);
    title->setObjectName(QStringLiteral("drawListTitle"));
    title->setFont(colours::boldFont(title));

    auto* header = new QLabel(kColumnHeader, this);
    header->setObjectName(QStringLiteral("drawListHeader"));
    // The header runs the width of the list: its wider blanks are not in the label's own measure.
    header->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont headerFont = header->font();
    headerFont.setPixelSize(kHeaderPixels);
    headerFont.setWordSpacing(kHeaderWordSpacing);
    header->setFont(headerFont);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("drawList"));
    QFont lineFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    lineFont.setPixelSize(kLinePixels);
    m_list->setFont(lineFont);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);
    m_list->setTextElideMode(Qt::ElideNone);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &DrawListPanel::selectionChanged);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(title);
    column->addWidget(header);
    column->addWidget(m_list, 1);
}

void DrawListPanel::showLines(const std::vector<std::string>& lines) {
    if (lines == m_shown)
        return;
    m_shown = lines;
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        texts << fromModel(line);
    {
        const QSignalBlocker quiet(m_list);
        m_list->clear();
        m_list->addItems(texts);
    }
    selectLast();
}

void DrawListPanel::selectLast() {
    select(m_list->count() - 1);
    if (m_list->count() > 0)
        m_list->scrollToBottom();
}

void DrawListPanel::selectNone() {
    select(-1);
}

int DrawListPanel::topShownRow() const {
    const QModelIndex top = m_list->indexAt(QPoint(0, 0));
    return top.isValid() ? top.row() : -1;
}

void DrawListPanel::showFromRow(int row) {
    if (row < 0 || m_list->count() == 0)
        return;
    m_list->scrollToItem(m_list->item(std::min(row, m_list->count() - 1)), QAbstractItemView::PositionAtTop);
}

void DrawListPanel::select(int row) {
    // Set by the window, not by the player: the list's own signals stay quiet.
    const QSignalBlocker quiet(m_list);
    m_list->clearSelection();
    if (row >= 0) {
        m_list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    } else {
        // Qt keeps a current row of its own after lines go; nothing may look chosen that is not.
        m_list->setCurrentIndex(QModelIndex());
    }
    m_selected = row;
}

void DrawListPanel::selectionChanged() {
    const QList<QListWidgetItem*> chosen = m_list->selectedItems();
    m_selected = chosen.isEmpty() ? -1 : m_list->row(chosen.front());
}

RecencyStrip::RecencyStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("recencyStrip"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(1);
    grid->setVerticalSpacing(1);
    const QFont bold = colours::boldFont(this);
    // Two blocks, 1 to 25 and 26 to 49, each a row of Numbers over a row of their values.
    for (int block = 0; block < 2; ++block) {
        const int top = 2 * block;
        auto* numbersCaption = new QLabel(QStringLiteral(" Liczba"), this);
        auto* valuesCaption = new QLabel(QStringLiteral("Ostatni raz wylos."), this);
        grid->addWidget(numbersCaption, top, 0);
        grid->addWidget(valuesCaption, top + 1, 0);
        if (block == 1)
            grid->setRowMinimumHeight(top, numbersCaption->sizeHint().height() + 6);
        for (int i = 0; i < 25; ++i) {
            const int n = 25 * block + i + 1;
            if (n > 49)
                break;
            auto* number = new QLabel(QString::number(n), this);
            number->setFont(bold);
            number->setAlignment(Qt::AlignCenter);
            grid->addWidget(number, top, i + 1, Qt::AlignBottom);
            auto* value = new QLabel(this);
            value->setObjectName(QStringLiteral("recency%1").arg(n));
            value->setAlignment(Qt::AlignCenter);
            value->setFrameShape(QFrame::Panel);
            value->setFrameShadow(QFrame::Sunken);
            value->setAutoFillBackground(true);
            value->setBackgroundRole(QPalette::Base);
            value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("255")) + 2);
            grid->addWidget(value, top + 1, i + 1);
            m_values[n - 1] = value;
        }
    }
    grid->setColumnMinimumWidth(0, fontMetrics().horizontalAdvance(QStringLiteral("Ostatni raz wylos.")) + 6);
    for (int c = 1; c <= 25; ++c)
        grid->setColumnStretch(c, 1);
}

void RecencyStrip::showRecency(const std::array<std::uint8_t, 49>& recency) {
    for (int i = 0; i < 49; ++i) {
        const QString text = QString::number(recency[i]);
        if (m_values[i]->text() != text)
            m_values[i]->setText(text);
    }
}

} // namespace selektor
