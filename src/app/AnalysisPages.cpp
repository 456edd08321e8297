#include "app/AnalysisPages.h"

#include "analysis/AnalysisTexts.h"
#include "app/ModelText.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace selektor {

namespace {

// Whole numbers with their thousands set apart by blanks, as the program writes 13 983 816.
QString grouped(std::int64_t value) {
    QString digits = QString::number(value < 0 ? -value : value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(' '));
    return value < 0 ? QStringLiteral("-") + digits : digits;
}

QString percent(std::int64_t part, std::int64_t whole) {
    return fromModel(percentText(part, whole)) + QStringLiteral(" %");
}

// The six Numbers in two-character places, so that the columns of a list line up.
QString numbersText(const Combination& numbers) {
    QString text;
    for (int k = 0; k < kNumbersPerCombination; ++k) {
        if (k > 0)
            text += QLatin1Char(' ');
        text += QStringLiteral("%1").arg(numbers[k], 2);
    }
    return text;
}

QLabel* messageLabel(const QString& objectName, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("QLabel { color: #800000; font-weight: bold; padding: 12px; }"));
    label->hide();
    return label;
}

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; }"));
    return label;
}

QPushButton* saveButton(const QString& text, const QString& objectName, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    return button;
}

QTableWidget* table(const QString& objectName, const QStringList& headings, QWidget* parent) {
    auto* view = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    view->setObjectName(objectName);
    view->setHorizontalHeaderLabels(headings);
    view->verticalHeader()->hide();
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setAlternatingRowColors(true);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->horizontalHeader()->setStretchLastSection(true);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    return view;
}

// A table of a known number of rows is exactly as tall as they are.
void fitRows(QTableWidget* view, int rows) {
    view->setFixedHeight(view->horizontalHeader()->sizeHint().height() +
                         rows * view->verticalHeader()->defaultSectionSize() + 2 * view->frameWidth());
}

enum class Align { Left, Right };

void setCell(QTableWidget* view, int row, int column, const QString& text, Align align = Align::Right,
             bool monospaced = false) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignVCenter | (align == Align::Right ? Qt::AlignRight : Qt::AlignLeft));
    if (monospaced)
        item->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->setItem(row, column, item);
}

QChartView* chartView(const QString& objectName, QWidget* parent) {
    auto* view = new QChartView(parent);
    view->setObjectName(objectName);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(320, 240);
    view->chart()->legend()->hide();
    view->chart()->setMargins(QMargins(4, 4, 4, 4));
    return view;
}

// A chart's series and axes go when new figures come.
void clearChart(QChart* chart) {
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

} // namespace

void AnalysisPage::showFailure(const QString& text) {
    showRefusal(text.toStdString());
}

bool AnalysisPage::showRefusal(const std::optional<std::string>& refusal) {
    m_message->setVisible(refusal.has_value());
    m_figures->setVisible(!refusal.has_value());
    if (!refusal)
        return true;
    m_message->setText(fromModel(*refusal));
    if (m_summary)
        m_summary->clear();
    return false;
}

// ---------------------------------------------------------------------------------------------------
// "Filtry a historia"

FilterAnalysisPage::FilterAnalysisPage(QWidget* parent) : AnalysisPage(parent) {
    setObjectName(QStringLiteral("filterAnalysisPage"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Sprawdzane losowania (najnowsze):"), this));
    m_newestDraws = new QSpinBox(this);
    m_newestDraws->setObjectName(QStringLiteral("newestDrawsBox"));
    m_newestDraws->setRange(0, 9999);
    m_newestDraws->setSingleStep(10);
    m_newestDraws->setSpecialValueText(QStringLiteral("wszystkie"));
    m_newestDraws->setAccelerated(true);
    m_newestDraws->setMinimumWidth(m_newestDraws->fontMetrics().horizontalAdvance(QStringLiteral("wszystkie")) + 40);
    connect(m_newestDraws, &QSpinBox::valueChanged, this, &FilterAnalysisPage::newestDrawsChanged);
    top->addWidget(m_newestDraws);
    top->addStretch();
    auto* saveTable = saveButton(QStringLiteral("Zapisz tabelę..."), QStringLiteral("filtersCsvButton"), this);
    connect(saveTable, &QPushButton::clicked, this, &FilterAnalysisPage::saveTableRequested);
    top->addWidget(saveTable);
    m_saveRejected = saveButton(QStringLiteral("Zapisz odrzucone..."), QStringLiteral("rejectedCsvButton"), this);
    connect(m_saveRejected, &QPushButton::clicked, this, &FilterAnalysisPage::saveRejectedRequested);
    top->addWidget(m_saveRejected);
    layout->addLayout(top);

    m_message = messageLabel(QStringLiteral("filtersMessage"), this);
    layout->addWidget(m_message);

    m_figures = new QWidget(this);
    auto* figures = new QVBoxLayout(m_figures);
    figures->setContentsMargins(0, 0, 0, 0);
    m_summary = new QLabel(m_figures);
    m_summary->setObjectName(QStringLiteral("filtersSummary"));
    m_summary->setWordWrap(true);
    figures->addWidget(m_summary);

    auto* split = new QSplitter(Qt::Horizontal, m_figures);
    auto* left = new QWidget(split);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    m_tabs = table(QStringLiteral("filtersTable"),
                   {QStringLiteral("Zakładka"), QStringLiteral("Tryb"), QStringLiteral("Przepuszczone\nlosowania"),
                    QStringLiteral("Udział"), QStringLiteral("Kombinacje\npo zakładce"), QStringLiteral("Udział")},
                   left);
    fitRows(m_tabs, kPanelCount + 1);
    leftLayout->addWidget(m_tabs);
    m_rejectedCaption = caption(QString(), left);
    leftLayout->addWidget(m_rejectedCaption);
    m_rejected = table(
        QStringLiteral("rejectedTable"),
        {QStringLiteral("Nr"), QStringLiteral("Data"), QStringLiteral("Liczby"), QStringLiteral("Odrzuca zakładka")},
        left);
    leftLayout->addWidget(m_rejected, 1);
    m_funnel = chartView(QStringLiteral("funnelChart"), split);
    m_funnel->chart()->setTitle(QStringLiteral("Kombinacje pozostałe po kolejnych zakładkach"));
    split->addWidget(left);
    split->addWidget(m_funnel);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    figures->addWidget(split, 1);
    layout->addWidget(m_figures, 1);
}

std::size_t FilterAnalysisPage::newestDraws() const {
    return static_cast<std::size_t>(m_newestDraws->value());
}

void FilterAnalysisPage::showFigures(const FilterHistoryCheck& check, const FilterFunnel& funnel) {
    // Settings "Oblicz" would refuse give no figures at all; a history that cannot be used still leaves
    // the funnel, which needs no draws.
    if (!showRefusal(funnel.refusal))
        return;
    const bool draws = !check.refusal;
    if (check.refusal) {
        m_message->setText(fromModel(*check.refusal));
        m_message->show();
    }
    m_saveRejected->setEnabled(draws);

    const std::int32_t left = funnel.steps[kPanelCount - 1].left;
    QString summary;
    if (draws)
        summary = QStringLiteral("Wszystkie zakładki razem przepuściłyby %1 z %2 losowań (%3). ")
                      .arg(grouped(check.passedAll), grouped(check.draws), percent(check.passedAll, check.draws));
    summary += QStringLiteral("Po wszystkich zakładkach zostaje %1 z %2 kombinacji (%3).")
                   .arg(grouped(left), grouped(kAllCombinations), percent(left, kAllCombinations));
    m_summary->setText(summary);

    m_tabs->setRowCount(kPanelCount + 1);
    for (std::size_t k = 0; k < kPanelCount; ++k) {
        const int row = static_cast<int>(k);
        const FunnelStep& step = funnel.steps[k];
        setCell(m_tabs, row, 0, fromModel(panelCaption(step.panel)), Align::Left);
        setCell(m_tabs, row, 1, step.active ? QStringLiteral("wybrane układy") : QStringLiteral("dowolny"),
                Align::Left);
        setCell(m_tabs, row, 2, draws ? grouped(check.tabs[k].passed) : QString());
        setCell(m_tabs, row, 3, draws ? percent(check.tabs[k].passed, check.draws) : QString());
        setCell(m_tabs, row, 4, grouped(step.left));
        setCell(m_tabs, row, 5, percent(step.left, kAllCombinations));
    }
    const int all = kPanelCount;
    setCell(m_tabs, all, 0, QStringLiteral("Wszystkie zakładki"), Align::Left);
    setCell(m_tabs, all, 1, QString(), Align::Left);
    setCell(m_tabs, all, 2, draws ? grouped(check.passedAll) : QString());
    setCell(m_tabs, all, 3, draws ? percent(check.passedAll, check.draws) : QString());
    setCell(m_tabs, all, 4, grouped(left));
    setCell(m_tabs, all, 5, percent(left, kAllCombinations));
    for (int column = 0; column < m_tabs->columnCount(); ++column) {
        QFont bold = m_tabs->item(all, column)->font();
        bold.setBold(true);
        m_tabs->item(all, column)->setFont(bold);
    }

    m_rejected->setRowCount(0);
    m_rejectedCaption->setVisible(draws);
    m_rejected->setVisible(draws && !check.rejected.empty());
    if (draws) {
        m_rejectedCaption->setText(
            check.rejected.empty()
                ? QStringLiteral("Żadne ze sprawdzanych losowań nie zostałoby odrzucone przez filtry.")
                : QStringLiteral("Najnowsze losowania odrzucone przez filtry (najwyżej %1):")
                      .arg(kListedRejectedDraws));
        m_rejected->setRowCount(static_cast<int>(check.rejected.size()));
        for (std::size_t r = 0; r < check.rejected.size(); ++r) {
            const RejectedDraw& draw = check.rejected[r];
            const int row = static_cast<int>(r);
            setCell(m_rejected, row, 0, QString::number(draw.drawNumber));
            setCell(m_rejected, row, 1, fromModel(draw.date), Align::Left);
            setCell(m_rejected, row, 2, numbersText(draw.numbers), Align::Left, true);
            setCell(m_rejected, row, 3, fromModel(panelCaption(draw.firstRefusingTab)), Align::Left);
        }
    }

    // The funnel from the top down: all combinations, then what is left after each tab in the order
    // "Oblicz" applies them. The counts span seven powers of ten, so a bar is as long as the count's
    // number of digits (its logarithm), on a scale marked in words; a tab that leaves nothing, or one
    // combination, gets a bar of no length. The exact counts stand in the table beside.
    QChart* chart = m_funnel->chart();
    clearChart(chart);
    auto* set = new QBarSet(QStringLiteral("Kombinacje"));
    set->setColor(QColor(0, 128, 128));
    QStringList captions;
    const auto addBar = [&](const QString& caption, std::int32_t count) {
        captions.prepend(caption);
        set->insert(0, std::log10(std::max<std::int32_t>(count, 1)));
    };
    addBar(QStringLiteral("Wszystkie"), kAllCombinations);
    for (const FunnelStep& step : funnel.steps)
        addBar(fromModel(panelCaption(step.panel)), step.left);
    auto* series = new QHorizontalBarSeries;
    series->append(set);
    series->setBarWidth(0.7);
    chart->addSeries(series);
    auto* tabsAxis = new QBarCategoryAxis;
    tabsAxis->append(captions);
    chart->addAxis(tabsAxis, Qt::AlignLeft);
    series->attachAxis(tabsAxis);
    auto* countAxis = new QCategoryAxis;
    countAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    countAxis->setRange(0, std::log10(static_cast<double>(kAllCombinations)) + 0.15);
    countAxis->append(QStringLiteral("1"), 0);
    countAxis->append(QStringLiteral("1000"), 3);
    countAxis->append(QStringLiteral("1 mln"), 6);
    chart->addAxis(countAxis, Qt::AlignBottom);
    series->attachAxis(countAxis);
}

// ---------------------------------------------------------------------------------------------------
// "System a historia"

SystemAnalysisPage::SystemAnalysisPage(QWidget* parent) : AnalysisPage(parent) {
    setObjectName(QStringLiteral("systemAnalysisPage"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("systemSummary"));
    m_summary->setWordWrap(true);
    top->addWidget(m_summary, 1);
    auto* save = saveButton(QStringLiteral("Zapisz tabelę..."), QStringLiteral("systemCsvButton"), this);
    connect(save, &QPushButton::clicked, this, &SystemAnalysisPage::saveTableRequested);
    top->addWidget(save, 0, Qt::AlignTop);
    layout->addLayout(top);

    m_message = messageLabel(QStringLiteral("systemMessage"), this);
    layout->addWidget(m_message);

    m_figures = new QWidget(this);
    auto* figures = new QVBoxLayout(m_figures);
    figures->setContentsMargins(0, 0, 0, 0);
    auto* tables = new QHBoxLayout;
    auto* hitsColumn = new QVBoxLayout;
    hitsColumn->addWidget(caption(QStringLiteral("Wygrane systemu we wszystkich losowaniach:"), m_figures));
    m_hits = table(QStringLiteral("hitsTable"),
                   {QStringLiteral("Linie z"), QStringLiteral("Losowania\nz taką linią"), QStringLiteral("Udział"),
                    QStringLiteral("Takich linii\nrazem")},
                   m_figures);
    fitRows(m_hits, 4);
    hitsColumn->addWidget(m_hits);
    hitsColumn->addStretch();
    tables->addLayout(hitsColumn, 2);
    auto* bestColumn = new QVBoxLayout;
    bestColumn->addWidget(
        caption(QStringLiteral("Najlepsze losowania dla systemu (najwyżej %1):").arg(kBestDrawsListed), m_figures));
    m_best = table(QStringLiteral("bestDrawsTable"),
                   {QStringLiteral("Nr"), QStringLiteral("Data"), QStringLiteral("Liczby"), QStringLiteral("Najwięcej"),
                    QStringLiteral("Linie z 6"), QStringLiteral("z 5"), QStringLiteral("z 4"), QStringLiteral("z 3")},
                   m_figures);
    fitRows(m_best, static_cast<int>(kBestDrawsListed));
    bestColumn->addWidget(m_best);
    tables->addLayout(bestColumn, 3);
    figures->addLayout(tables);
    m_chart = chartView(QStringLiteral("hitsChart"), m_figures);
    m_chart->chart()->setTitle(QStringLiteral("Linie z co najmniej 3 trafieniami w kolejnych losowaniach"));
    figures->addWidget(m_chart, 1);
    layout->addWidget(m_figures, 1);
}

void SystemAnalysisPage::showFigures(const SystemHistoryCheck& check) {
    if (!showRefusal(check.refusal))
        return;
    const auto drawCount = static_cast<std::int64_t>(check.draws.size());
    m_summary->setText(QStringLiteral("System: %1 linii, sprawdzony na %2 losowaniach z historii.")
                           .arg(grouped(check.systemLines), grouped(drawCount)));

    m_hits->setRowCount(4);
    for (int hits = kNumbersPerCombination, row = 0; hits >= 3; --hits, ++row) {
        const HitClassOnHistory& figures = check.byHits[static_cast<std::size_t>(hits)];
        setCell(m_hits, row, 0, fromModel(hitCountText(hits)), Align::Left);
        setCell(m_hits, row, 1, grouped(figures.drawsWithLine));
        setCell(m_hits, row, 2, percent(figures.drawsWithLine, drawCount));
        setCell(m_hits, row, 3, grouped(figures.lines));
    }

    m_best->setRowCount(static_cast<int>(check.bestDraws.size()));
    for (std::size_t r = 0; r < check.bestDraws.size(); ++r) {
        const DrawAgainstSystem& draw = check.draws[check.bestDraws[r]];
        const int row = static_cast<int>(r);
        setCell(m_best, row, 0, QString::number(draw.drawNumber));
        setCell(m_best, row, 1, fromModel(draw.date), Align::Left);
        setCell(m_best, row, 2, numbersText(draw.numbers), Align::Left, true);
        setCell(m_best, row, 3, QString::number(draw.bestHits));
        for (int hits = kNumbersPerCombination, column = 4; hits >= 3; --hits, ++column)
            setCell(m_best, row, column, grouped(draw.linesByHits[static_cast<std::size_t>(hits)]));
    }

    // The draws along the history, by their numbers; up the count of winning lines in each.
    QChart* chart = m_chart->chart();
    clearChart(chart);
    auto* series = new QLineSeries;
    series->setColor(QColor(0, 0, 160));
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(check.draws.size()));
    std::int64_t most = 0;
    for (const DrawAgainstSystem& draw : check.draws) {
        std::int64_t winning = 0;
        for (int hits = 3; hits <= kNumbersPerCombination; ++hits)
            winning += draw.linesByHits[static_cast<std::size_t>(hits)];
        most = std::max(most, winning);
        points.append(QPointF(draw.drawNumber, static_cast<double>(winning)));
    }
    series->replace(points);
    chart->addSeries(series);
    auto* drawsAxis = new QValueAxis;
    drawsAxis->setTitleText(QStringLiteral("Nr losowania"));
    drawsAxis->setLabelFormat(QStringLiteral("%.0f"));
    const double first = check.draws.front().drawNumber, last = check.draws.back().drawNumber;
    drawsAxis->setRange(first, std::max(last, first + 1));
    chart->addAxis(drawsAxis, Qt::AlignBottom);
    series->attachAxis(drawsAxis);
    auto* linesAxis = new QValueAxis;
    linesAxis->setTitleText(QStringLiteral("Linie"));
    linesAxis->setLabelFormat(QStringLiteral("%.0f"));
    linesAxis->setRange(0, static_cast<double>(std::max<std::int64_t>(most, 1)));
    chart->addAxis(linesAxis, Qt::AlignLeft);
    series->attachAxis(linesAxis);
}

// ---------------------------------------------------------------------------------------------------
// "Pokrycie systemu"

CoverageAnalysisPage::CoverageAnalysisPage(QWidget* parent) : AnalysisPage(parent) {
    setObjectName(QStringLiteral("coverageAnalysisPage"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("coverageSummary"));
    m_summary->setWordWrap(true);
    top->addWidget(m_summary, 1);
    auto* save = saveButton(QStringLiteral("Zapisz tabelę..."), QStringLiteral("coverageCsvButton"), this);
    connect(save, &QPushButton::clicked, this, &CoverageAnalysisPage::saveTableRequested);
    top->addWidget(save, 0, Qt::AlignTop);
    layout->addLayout(top);

    m_message = messageLabel(QStringLiteral("coverageMessage"), this);
    layout->addWidget(m_message);

    m_figures = new QWidget(this);
    auto* figures = new QVBoxLayout(m_figures);
    figures->setContentsMargins(0, 0, 0, 0);
    m_guarantee = new QLabel(m_figures);
    m_guarantee->setObjectName(QStringLiteral("guaranteeSentence"));
    m_guarantee->setWordWrap(true);
    m_guarantee->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; color: #000080; padding: 6px 0; }"));
    figures->addWidget(m_guarantee);
    auto* columns = new QHBoxLayout;
    auto* levelsColumn = new QVBoxLayout;
    levelsColumn->addWidget(caption(QStringLiteral("Kombinacje puli, w których jedna linia ma:"), m_figures));
    m_levels =
        table(QStringLiteral("coverageTable"),
              {QStringLiteral("Trafienia"), QStringLiteral("Kombinacje puli"), QStringLiteral("Udział")}, m_figures);
    fitRows(m_levels, 4);
    levelsColumn->addWidget(m_levels);
    levelsColumn->addStretch();
    columns->addLayout(levelsColumn, 2);
    auto* holesColumn = new QVBoxLayout;
    m_holesCaption = caption(QString(), m_figures);
    m_holesCaption->setObjectName(QStringLiteral("holesCaption"));
    holesColumn->addWidget(m_holesCaption);
    m_holes =
        table(QStringLiteral("holesTable"),
              {QStringLiteral("Nr w puli"), QStringLiteral("Liczby"), QStringLiteral("Najwięcej trafień")}, m_figures);
    holesColumn->addWidget(m_holes);
    columns->addLayout(holesColumn, 3);
    figures->addLayout(columns, 1);
    layout->addWidget(m_figures, 1);
}

void CoverageAnalysisPage::showFigures(const SystemCoverage& coverage) {
    if (!showRefusal(coverage.refusal))
        return;
    const auto poolRows = static_cast<std::int64_t>(coverage.poolRows.size());
    m_summary->setText(
        QStringLiteral("System: %1 linii. Pula: %2 kombinacji, każda wzięta jako możliwy wynik losowania.")
            .arg(grouped(coverage.systemLines), grouped(poolRows)));
    m_guarantee->setText(fromModel(guaranteeSentence(coverage.guaranteedHits)));

    m_levels->setRowCount(4);
    for (int hits = kNumbersPerCombination, row = 0; hits >= 3; --hits, ++row) {
        const std::int32_t covered = coverage.coveredAtLeast[static_cast<std::size_t>(hits)];
        setCell(m_levels, row, 0,
                hits == kNumbersPerCombination ? QStringLiteral("6 trafień")
                                               : QStringLiteral("co najmniej %1").arg(fromModel(hitCountText(hits))),
                Align::Left);
        setCell(m_levels, row, 1, grouped(covered));
        setCell(m_levels, row, 2, percent(covered, poolRows));
    }

    // Where every pool combination is a line of the system there is no hole to list.
    const bool holes = coverage.guaranteedHits < kNumbersPerCombination;
    m_holesCaption->setText(
        holes ? QStringLiteral("Dziury - kombinacje puli z najmniejszą liczbą trafień (najwyżej %1):").arg(kListedHoles)
              : QStringLiteral("Dziur nie ma - każda kombinacja puli jest linią systemu."));
    m_holes->setVisible(holes);
    m_holes->setRowCount(holes ? static_cast<int>(coverage.holes.size()) : 0);
    for (std::size_t r = 0; holes && r < coverage.holes.size(); ++r) {
        const CoverageHole& hole = coverage.holes[r];
        const int row = static_cast<int>(r);
        setCell(m_holes, row, 0, QString::number(hole.poolRow));
        setCell(m_holes, row, 1, numbersText(hole.numbers), Align::Left, true);
        setCell(m_holes, row, 2, QString::number(hole.bestHits));
    }
}

// ---------------------------------------------------------------------------------------------------
// "Szanse systemu"

namespace {

// A computed chance as a share of the whole, with the same rounding as the counted ones.
QString chancePercent(double chance) {
    constexpr std::int64_t kWhole = 100'000'000;
    return percent(std::llround(chance * static_cast<double>(kWhole)), kWhole);
}

} // namespace

OddsAnalysisPage::OddsAnalysisPage(QWidget* parent) : AnalysisPage(parent) {
    setObjectName(QStringLiteral("oddsAnalysisPage"));
    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("oddsSummary"));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    m_message = messageLabel(QStringLiteral("oddsMessage"), this);
    layout->addWidget(m_message);

    m_figures = new QWidget(this);
    auto* figures = new QVBoxLayout(m_figures);
    figures->setContentsMargins(0, 0, 0, 0);
    m_prize = new QLabel(m_figures);
    m_prize->setObjectName(QStringLiteral("prizeSentence"));
    m_prize->setWordWrap(true);
    m_prize->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; color: #000080; padding: 6px 0; }"));
    figures->addWidget(m_prize);
    m_odds = table(QStringLiteral("oddsTable"),
                   {QStringLiteral("Trafienia\nnajlepszej linii"), QStringLiteral("Losowania"),
                    QStringLiteral("Udział"), QStringLiteral("Szansa"), QStringLiteral("W puli"),
                    QStringLiteral("Udział\nw puli"), QStringLiteral("Tyle zakładów\nlosowo")},
                   m_figures);
    fitRows(m_odds, 6);
    figures->addWidget(m_odds);
    m_pool = new QLabel(m_figures);
    m_pool->setObjectName(QStringLiteral("oddsPool"));
    m_pool->setWordWrap(true);
    figures->addWidget(m_pool);
    auto* model = new QLabel(
        QStringLiteral("Losowania: wszystkie 13 983 816 możliwych szóstek, każda policzona dokładnie. Tyle zakładów "
                       "losowo: tyle samo zakładów, każdy wybrany niezależnie od pozostałych spośród wszystkich "
                       "kombinacji - szansa policzona wzorem, nie symulacją."),
        m_figures);
    model->setWordWrap(true);
    model->setStyleSheet(QStringLiteral("QLabel { color: #404040; }"));
    figures->addWidget(model);
    figures->addStretch();
    layout->addWidget(m_figures, 1);
}

void OddsAnalysisPage::showFigures(const SystemOdds& odds, const std::string& poolDescription) {
    if (!showRefusal(odds.refusal))
        return;
    m_summary->setText(QStringLiteral("System: %1 linii (%2 różnych), zagrany na każdym z %3 możliwych losowań.")
                           .arg(grouped(odds.systemLines), grouped(odds.distinctTickets), grouped(kAllCombinations)));

    const bool pool = !odds.poolRefusal;
    std::int64_t prize = 0, poolPrize = 0;
    double randomPrize = 0;
    for (int hits = kLowestPrizeHits; hits <= kNumbersPerCombination; ++hits) {
        prize += odds.allDraws[static_cast<std::size_t>(hits)];
        poolPrize += odds.poolDraws[static_cast<std::size_t>(hits)];
        randomPrize += odds.randomChance[static_cast<std::size_t>(hits)];
    }
    m_prize->setText(QStringLiteral("Szansa na co najmniej jedną wygraną (3 trafienia lub więcej): %1 (%2); "
                                    "tyle samo zakładów wybranych losowo: %3 (%4).")
                         .arg(percent(prize, kAllCombinations), fromModel(oddsText(prize, kAllCombinations)),
                              chancePercent(randomPrize), fromModel(oddsText(randomPrize))));
    m_pool->setText(pool ? fromModel(poolDescription) +
                               QStringLiteral(" Wygrana w %1 z %2 jej kombinacji (%3).")
                                   .arg(grouped(poolPrize), grouped(odds.poolRows), percent(poolPrize, odds.poolRows))
                         : fromModel(*odds.poolRefusal));

    // 6, 5, 4 and 3 hits, then the draws without a prize, then all prizes together.
    m_odds->setRowCount(6);
    const auto setRow = [&](int row, const QString& caption, std::int64_t draws, std::int64_t poolDraws,
                            double randomChance) {
        setCell(m_odds, row, 0, caption, Align::Left);
        setCell(m_odds, row, 1, grouped(draws));
        setCell(m_odds, row, 2, percent(draws, kAllCombinations));
        setCell(m_odds, row, 3, fromModel(oddsText(draws, kAllCombinations)));
        setCell(m_odds, row, 4, pool ? grouped(poolDraws) : QString());
        setCell(m_odds, row, 5, pool ? percent(poolDraws, odds.poolRows) : QString());
        setCell(m_odds, row, 6, fromModel(oddsText(randomChance)));
    };
    for (int hits = kNumbersPerCombination, row = 0; hits >= kLowestPrizeHits; --hits, ++row) {
        const auto h = static_cast<std::size_t>(hits);
        setRow(row, QString::number(hits), odds.allDraws[h], odds.poolDraws[h], odds.randomChance[h]);
    }
    std::int64_t none = 0, poolNone = 0;
    double randomNone = 0;
    for (std::size_t h = 0; h < static_cast<std::size_t>(kLowestPrizeHits); ++h) {
        none += odds.allDraws[h];
        poolNone += odds.poolDraws[h];
        randomNone += odds.randomChance[h];
    }
    setRow(4, QStringLiteral("0 - 2 (bez wygranej)"), none, poolNone, randomNone);
    setRow(5, QStringLiteral("3 - 6 (wygrana)"), prize, poolPrize, randomPrize);
    for (int column = 0; column < m_odds->columnCount(); ++column) {
        QFont bold = m_odds->item(5, column)->font();
        bold.setBold(true);
        m_odds->item(5, column)->setFont(bold);
    }
}

} // namespace selektor
