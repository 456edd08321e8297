#include "app/StatisticsArea.h"

#include "app/FilterColours.h"
#include "app/ModelText.h"
#include "app/TrendCell.h"
#include "history/InformationTables.h"
#include "history/Statistics.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <span>
#include <vector>

namespace selektor {

namespace {

// The figures are many and small: the area's face is a little smaller than the window's.
constexpr int kAreaFontPixels = 11;

// A figure in a white box.
QLabel* figureCell(const QString& objectName, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Base);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("9999")) + 2);
    return label;
}

QLabel* captionCell(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(colours::boldFont(label));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// The caption of a panel on its coloured bar.
QLabel* titleBar(const QString& title, QWidget* parent) {
    auto* bar = new QLabel(title, parent);
    bar->setFont(colours::boldFont(bar, 13));
    bar->setAutoFillBackground(true);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, colours::kTeal);
    palette.setColor(QPalette::WindowText, Qt::white);
    bar->setPalette(palette);
    bar->setContentsMargins(6, 3, 6, 3);
    return bar;
}

// A row caption: a word and a number of draws beside it ("Losowań:" 150), or the number first ("150"
// "los.").
QWidget* drawsCaption(const QString& word, bool numberFirst, QLabel** number, QWidget* parent) {
    auto* caption = new QWidget(parent);
    auto* row = new QHBoxLayout(caption);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    *number = new QLabel(caption);
    (*number)->setFont(colours::boldFont(*number));
    colours::setTextColour(*number, colours::kNavy);
    auto* text = new QLabel(word, caption);
    if (numberFirst) {
        row->addWidget(*number);
        row->addWidget(text);
    } else {
        row->addWidget(text);
        row->addWidget(*number);
    }
    row->addStretch(1);
    return caption;
}

// "Trend" over the kind of trend.
QWidget* trendCaption(const QString& kind, QWidget* parent) {
    auto* caption = new QWidget(parent);
    auto* column = new QVBoxLayout(caption);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(new QLabel(QStringLiteral("Trend"), caption));
    column->addWidget(new QLabel(kind, caption));
    return caption;
}

// Columns split into blocks of at most `perBlock`, evenly, the longer blocks first: 49 Numbers in
// blocks of 17 as 17, 16 and 16.
std::vector<int> blockSizes(int columns, int perBlock) {
    const int blocks = (columns + perBlock - 1) / perBlock;
    std::vector<int> sizes;
    for (int b = 0; b < blocks; ++b)
        sizes.push_back((columns * (b + 1)) / blocks - (columns * b) / blocks);
    if (columns % blocks != 0)
        std::sort(sizes.begin(), sizes.end(), std::greater<>());
    return sizes;
}

// The columns laid out in blocks of at most `perBlock`, one grid a block, each under the one before and
// kept to the left. `fill(grid, b, suffix, first, size)` fills block b, which shows columns first to
// first + size - 1; `suffix` tells apart the names of the block's own widgets ("" for the first block).
template <class Fill> void layOutBlocks(QWidget* widget, int columns, int perBlock, Fill&& fill) {
    auto* blocks = new QVBoxLayout(widget);
    blocks->setContentsMargins(0, 0, 0, 0);
    blocks->setSpacing(8);
    int first = 0;
    const std::vector<int> sizes = blockSizes(columns, perBlock);
    for (std::size_t b = 0; b < sizes.size(); ++b) {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(1);
        grid->setVerticalSpacing(1);
        const QString suffix = b == 0 ? QString() : QString::number(b + 1);
        fill(grid, b + 1 == sizes.size(), suffix, first, sizes[b]);
        first += sizes[b];
        auto* row = new QHBoxLayout;
        row->addLayout(grid);
        row->addStretch(1);
        blocks->addLayout(row);
    }
}

// The counts and trends of the Numbers or of one pattern's columns.
class ColumnGrid {
public:
    ColumnGrid(const QString& key, std::span<const StatisticsColumn> columns, int perBlock, bool averages,
               QWidget* parent)
        : m_widget(new QWidget(parent)) {
        const int count = static_cast<int>(columns.size());
        layOutBlocks(
            m_widget, count, perBlock, [&](QGridLayout* grid, bool last, const QString& suffix, int first, int size) {
                QLabel* longDraws = nullptr;
                QLabel* shortDraws = nullptr;
                grid->addWidget(drawsCaption(QStringLiteral("Losowań:"), false, &longDraws, m_widget), 1, 0);
                grid->addWidget(drawsCaption(QStringLiteral("Losowań:"), false, &shortDraws, m_widget), 2, 0);
                longDraws->setObjectName(key + QStringLiteral("LongDraws") + suffix);
                shortDraws->setObjectName(key + QStringLiteral("ShortDraws") + suffix);
                m_longDraws.push_back(longDraws);
                m_shortDraws.push_back(shortDraws);
                grid->addWidget(trendCaption(QStringLiteral("długoterminowy "), m_widget), 3, 0);
                grid->addWidget(trendCaption(QStringLiteral("krótkoterminowy"), m_widget), 4, 0);
                grid->setColumnMinimumWidth(0, 100);
                for (int c = 0; c < size; ++c) {
                    const int i = first + c;
                    grid->addWidget(captionCell(fromModel(columns[i].caption), m_widget), 0, c + 1);
                    m_longCounts.push_back(figureCell(key + QStringLiteral("LongCount%1").arg(i), m_widget));
                    m_shortCounts.push_back(figureCell(key + QStringLiteral("ShortCount%1").arg(i), m_widget));
                    grid->addWidget(m_longCounts.back(), 1, c + 1);
                    grid->addWidget(m_shortCounts.back(), 2, c + 1);
                    m_longTrends.push_back(trendCell(key + QStringLiteral("LongTrend%1").arg(i)));
                    m_shortTrends.push_back(trendCell(key + QStringLiteral("ShortTrend%1").arg(i)));
                    grid->addWidget(m_longTrends.back(), 3, c + 1, Qt::AlignCenter);
                    grid->addWidget(m_shortTrends.back(), 4, c + 1, Qt::AlignCenter);
                }
                if (averages && last) {
                    // "Średnie": what chance gives one Number over the same draws.
                    const int c = size + 1;
                    grid->addWidget(captionCell(QStringLiteral("Średnie"), m_widget), 0, c);
                    m_longAverage = figureCell(key + QStringLiteral("LongAverage"), m_widget);
                    m_shortAverage = figureCell(key + QStringLiteral("ShortAverage"), m_widget);
                    m_longAverage->setMinimumWidth(
                        m_longAverage->fontMetrics().horizontalAdvance(QStringLiteral("8888,88888888888")) + 8);
                    grid->addWidget(m_longAverage, 1, c);
                    grid->addWidget(m_shortAverage, 2, c);
                }
            });
    }

    QWidget* widget() const { return m_widget; }

    void show(std::span<const StatisticsColumn> columns, const HistoryStatistics& statistics) {
        for (QLabel* label : m_longDraws)
            label->setText(QString::number(statistics.historySize));
        // The short term is measured against the draws it was counted over, fewer than the window
        // when the history is shorter.
        for (QLabel* label : m_shortDraws)
            label->setText(QString::number(statistics.recentDraws));
        for (std::size_t i = 0; i < columns.size(); ++i) {
            m_longCounts[i]->setText(QString::number(columns[i].longTermCount));
            m_shortCounts[i]->setText(QString::number(columns[i].shortTermCount));
            m_longTrends[i]->setLevel(columns[i].longTermTrend);
            m_shortTrends[i]->setLevel(columns[i].shortTermTrend);
        }
        if (m_longAverage) {
            m_longAverage->setText(fromModel(statistics.longTermExpectedText));
            m_shortAverage->setText(fromModel(statistics.shortTermExpectedText));
        }
    }

private:
    TrendCell* trendCell(const QString& objectName) {
        auto* cell = new TrendCell(m_widget);
        cell->setObjectName(objectName);
        return cell;
    }

    QWidget* m_widget;
    std::vector<QLabel*> m_longDraws, m_shortDraws;
    std::vector<QLabel*> m_longCounts, m_shortCounts;
    std::vector<TrendCell*> m_longTrends, m_shortTrends;
    QLabel* m_longAverage = nullptr;
    QLabel* m_shortAverage = nullptr;
};

// The neighbour pairs or the equal endings: over all draws, over the newest, and when last.
class OccurrenceGrid {
public:
    OccurrenceGrid(const QString& key, std::span<const OccurrenceColumn> columns, int perBlock,
                   const QString& lastSeenCaption, QWidget* parent)
        : m_widget(new QWidget(parent)) {
        const int count = static_cast<int>(columns.size());
        layOutBlocks(m_widget, count, perBlock,
                     [&](QGridLayout* grid, bool, const QString& suffix, int first, int size) {
                         QLabel* allDraws = nullptr;
                         QLabel* recentDraws = nullptr;
                         grid->addWidget(drawsCaption(QStringLiteral("los."), true, &allDraws, m_widget), 1, 0);
                         grid->addWidget(drawsCaption(QStringLiteral("los."), true, &recentDraws, m_widget), 2, 0);
                         allDraws->setObjectName(key + QStringLiteral("AllDraws") + suffix);
                         recentDraws->setObjectName(key + QStringLiteral("RecentDraws") + suffix);
                         m_allDraws.push_back(allDraws);
                         m_recentDraws.push_back(recentDraws);
                         grid->addWidget(new QLabel(lastSeenCaption, m_widget), 3, 0);
                         for (int c = 0; c < size; ++c) {
                             const int i = first + c;
                             // The pairs' captions are as wide as their figures: a little air keeps them apart.
                             QLabel* caption = captionCell(fromModel(columns[i].caption), m_widget);
                             caption->setContentsMargins(2, 0, 2, 0);
                             grid->addWidget(caption, 0, c + 1);
                             m_all.push_back(figureCell(key + QStringLiteral("All%1").arg(i), m_widget));
                             m_recent.push_back(figureCell(key + QStringLiteral("Recent%1").arg(i), m_widget));
                             m_lastSeen.push_back(figureCell(key + QStringLiteral("LastSeen%1").arg(i), m_widget));
                             grid->addWidget(m_all.back(), 1, c + 1);
                             grid->addWidget(m_recent.back(), 2, c + 1);
                             grid->addWidget(m_lastSeen.back(), 3, c + 1);
                         }
                     });
    }

    QWidget* widget() const { return m_widget; }

    void show(std::span<const OccurrenceColumn> columns, const HistoryStatistics& statistics) {
        for (QLabel* label : m_allDraws)
            label->setText(QString::number(statistics.historySize));
        for (QLabel* label : m_recentDraws)
            label->setText(QString::number(statistics.recentDraws));
        for (std::size_t i = 0; i < columns.size(); ++i) {
            m_all[i]->setText(QString::number(columns[i].allCount));
            m_recent[i]->setText(QString::number(columns[i].recentCount));
            // 0: never came up.
            m_lastSeen[i]->setText(QString::number(columns[i].lastSeen));
        }
    }

private:
    QWidget* m_widget;
    std::vector<QLabel*> m_allDraws, m_recentDraws;
    std::vector<QLabel*> m_all, m_recent, m_lastSeen;
};

// "Tabela informacyjna ": every pattern and how many of all combinations have it, in two halves side
// by side when the table would be taller than its panel.
template <std::size_t N>
QWidget* informationTable(const QString& patternHeader, const std::array<InformationRow, N>& rows, QWidget* parent) {
    auto* table = new QWidget(parent);
    auto* column = new QVBoxLayout(table);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(captionCell(QStringLiteral("Tabela informacyjna "), table), 0, Qt::AlignLeft);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(0);
    const int halves = N > 18 ? 2 : 1;
    const int perHalf = static_cast<int>((N + halves - 1) / halves);
    for (int h = 0; h < halves; ++h) {
        const int left = 3 * h;
        grid->addWidget(captionCell(patternHeader, table), 0, left);
        grid->addWidget(captionCell(QStringLiteral("Liczba kombinacji"), table), 0, left + 1);
        for (int r = 0; r < perHalf && h * perHalf + r < static_cast<int>(N); ++r) {
            const InformationRow& row = rows[h * perHalf + r];
            auto* pattern = new QLabel(fromModel(row.pattern), table);
            pattern->setAlignment(Qt::AlignCenter);
            auto* combinations = new QLabel(QString::number(row.combinations), table);
            combinations->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(pattern, r + 1, left);
            grid->addWidget(combinations, r + 1, left + 1);
        }
        if (h + 1 < halves)
            grid->setColumnMinimumWidth(left + 2, 10);
    }
    column->addLayout(grid);
    column->addStretch(1);
    return table;
}

// A panel of the area: its bar, its heading, and what it shows beside each other.
QWidget* panel(const QString& objectName, const QString& title, const QString& heading, QWidget* table,
               QWidget* figures, QWidget* parent) {
    auto* box = new QFrame(parent);
    box->setObjectName(objectName);
    box->setFrameShape(QFrame::Panel);
    box->setFrameShadow(QFrame::Raised);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(2, 2, 2, 8);
    column->setSpacing(4);
    column->addWidget(titleBar(title, box));
    if (!heading.isEmpty()) {
        auto* lines = new QLabel(heading + QStringLiteral("\noraz aktualne trendy"), box);
        lines->setFont(colours::boldFont(lines));
        colours::setTextColour(lines, colours::kNavy);
        lines->setContentsMargins(6, 0, 0, 0);
        column->addWidget(lines);
    }
    auto* body = new QHBoxLayout;
    body->setContentsMargins(6, 0, 6, 0);
    body->setSpacing(16);
    if (table)
        body->addWidget(table, 0, Qt::AlignTop);
    body->addWidget(figures, 0, Qt::AlignTop);
    body->addStretch(1);
    column->addLayout(body);
    return box;
}

const QString kPatternHeading = QStringLiteral("Ilość wystąpień każdego schematu w ostatnich losowaniach ");

} // namespace

struct StatisticsArea::Panels {
    std::unique_ptr<ColumnGrid> numbers, evenOdd, rowsColumns, sums, edges, digitGroups;
    std::unique_ptr<OccurrenceGrid> neighbours, endings;
};

StatisticsArea::StatisticsArea(QWidget* parent) : QScrollArea(parent), m_panels(std::make_unique<Panels>()) {
    setObjectName(QStringLiteral("statisticsArea"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setWidgetResizable(true);

    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("statisticsContent"));
    QFont small = content->font();
    small.setPixelSize(kAreaFontPixels);
    content->setFont(small);

    // The captions are those of an empty history; only the figures change.
    const HistoryStatistics empty = computeStatistics(0, StatRecord{}, {}, kStartingRecentWindow);
    Panels& p = *m_panels;
    p.numbers = std::make_unique<ColumnGrid>(QStringLiteral("numbers"), empty.numbers, 17, true, content);
    p.evenOdd = std::make_unique<ColumnGrid>(QStringLiteral("evenOdd"), empty.evenOdd, 7, false, content);
    p.rowsColumns = std::make_unique<ColumnGrid>(QStringLiteral("rowsColumns"), empty.rowsColumns, 12, false, content);
    p.sums = std::make_unique<ColumnGrid>(QStringLiteral("sums"), empty.sums, 9, false, content);
    p.edges = std::make_unique<ColumnGrid>(QStringLiteral("edges"), empty.edges, 7, false, content);
    p.digitGroups = std::make_unique<ColumnGrid>(QStringLiteral("digitGroups"), empty.digitGroups, 10, false, content);
    p.neighbours = std::make_unique<OccurrenceGrid>(QStringLiteral("neighbours"), empty.neighbours, 16,
                                                    QStringLiteral("Ostatni raz"), content);
    p.endings = std::make_unique<OccurrenceGrid>(QStringLiteral("endings"), empty.endings, 10,
                                                 QStringLiteral("Ostatni raz wylosowane"), content);

    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(6);
    column->addWidget(panel(QStringLiteral("numbersPanel"), QStringLiteral(" Statystyka liczb"),
                            QStringLiteral("Ilość wystąpień każdej liczby w ostatnich losowaniach "), nullptr,
                            p.numbers->widget(), content));
    column->addWidget(panel(QStringLiteral("evenOddPanel"), QStringLiteral("Parzyste - nieparzyste"), kPatternHeading,
                            informationTable(QStringLiteral(" Układ   P - N"), kEvenOddInformation, content),
                            p.evenOdd->widget(), content));
    column->addWidget(panel(QStringLiteral("rowsColumnsPanel"), QStringLiteral("Wiersze - kolumny"), kPatternHeading,
                            informationTable(QStringLiteral(" Układ   W - K"), kRowColumnInformation, content),
                            p.rowsColumns->widget(), content));
    column->addWidget(panel(QStringLiteral("sumsPanel"), QStringLiteral("Suma ostatnich cyfr"),
                            QStringLiteral("Ilość wystąpień każdej sumy w ostatnich losowaniach "),
                            informationTable(QStringLiteral("Suma ost. cyfr"), kSumInformation, content),
                            p.sums->widget(), content));
    column->addWidget(panel(QStringLiteral("edgesPanel"), QStringLiteral("Liczby brzegowe "), kPatternHeading,
                            informationTable(QStringLiteral("Układ BR"), kEdgeInformation, content), p.edges->widget(),
                            content));
    column->addWidget(panel(QStringLiteral("digitGroupsPanel"), QStringLiteral("D S G"), kPatternHeading,
                            informationTable(QStringLiteral("D S G"), kDsgInformation, content),
                            p.digitGroups->widget(), content));
    column->addWidget(panel(QStringLiteral("neighboursPanel"), QStringLiteral("Liczby sąsiednie"), QString(), nullptr,
                            p.neighbours->widget(), content));
    column->addWidget(panel(QStringLiteral("endingsPanel"), QStringLiteral("Końcówki w parach"), QString(), nullptr,
                            p.endings->widget(), content));

    auto* close = new QPushButton(QStringLiteral("Zamknij statystyki"), content);
    close->setObjectName(QStringLiteral("closeStatisticsButton"));
    connect(close, &QPushButton::clicked, this, &StatisticsArea::closeRequested);
    column->addWidget(close, 0, Qt::AlignHCenter);
    setWidget(content);

    showStatistics(empty);
}

StatisticsArea::~StatisticsArea() = default;

void StatisticsArea::showStatistics(const HistoryStatistics& statistics) {
    Panels& p = *m_panels;
    p.numbers->show(statistics.numbers, statistics);
    p.evenOdd->show(statistics.evenOdd, statistics);
    p.rowsColumns->show(statistics.rowsColumns, statistics);
    p.sums->show(statistics.sums, statistics);
    p.edges->show(statistics.edges, statistics);
    p.digitGroups->show(statistics.digitGroups, statistics);
    p.neighbours->show(statistics.neighbours, statistics);
    p.endings->show(statistics.endings, statistics);
    verticalScrollBar()->setValue(0);
}

} // namespace selektor
