#include "app/AnalysisWindow.h"

#include "app/AnalysisPages.h"
#include "app/Pictures.h"
#include "app/Session.h"

#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <new>

namespace selektor {

namespace {

// How long after a change the page in view is worked out again: often enough to follow the player's
// clicks, seldom enough that a running simulation or a burst of clicks costs nothing noticeable.
constexpr int kRefreshDelayMs = 200;

} // namespace

AnalysisWindow::AnalysisWindow(Session& session, QWidget* parent) : QWidget(parent, Qt::Window), m_session(session) {
    setObjectName(QStringLiteral("analysisWindow"));
    setWindowTitle(QStringLiteral("Selektor - Analiza"));
    setWindowIcon(programIcon());
    setMinimumSize(860, 600);
    resize(1000, 700);

    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("analysisPages"));
    m_filters = new FilterAnalysisPage(m_pages);
    m_system = new SystemAnalysisPage(m_pages);
    m_coverage = new CoverageAnalysisPage(m_pages);
    m_odds = new OddsAnalysisPage(m_pages);
    m_pages->addTab(m_filters, QStringLiteral("Filtry a historia"));
    m_pages->addTab(m_system, QStringLiteral("System a historia"));
    m_pages->addTab(m_coverage, QStringLiteral("Pokrycie systemu"));
    m_pages->addTab(m_odds, QStringLiteral("Szanse systemu"));
    layout->addWidget(m_pages);

    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setObjectName(QStringLiteral("analysisRefreshTimer"));
    m_refreshTimer->setSingleShot(true);
    m_refreshTimer->setInterval(kRefreshDelayMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &AnalysisWindow::refreshShownPage);

    connect(&m_session, &Session::updated, this, &AnalysisWindow::modelChanged);
    connect(m_pages, &QTabWidget::currentChanged, this, &AnalysisWindow::refreshShownPage);
    connect(m_filters, &FilterAnalysisPage::newestDrawsChanged, this, [this] {
        m_stale[Filters] = true;
        refreshShownPage();
    });
    connect(m_filters, &FilterAnalysisPage::saveTableRequested, this, [this] { saveTable(AnalysisTable::Filters); });
    connect(m_filters, &FilterAnalysisPage::saveRejectedRequested, this,
            [this] { saveTable(AnalysisTable::RejectedDraws); });
    connect(m_system, &SystemAnalysisPage::saveTableRequested, this,
            [this] { saveTable(AnalysisTable::SystemOnDraws); });
    connect(m_coverage, &CoverageAnalysisPage::saveTableRequested, this,
            [this] { saveTable(AnalysisTable::Coverage); });
}

void AnalysisWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshShownPage();
}

void AnalysisWindow::modelChanged() {
    m_stale.fill(true);
    // Changes that come quickly one after another (the ticks of a simulation) are taken together.
    if (isVisible() && !m_refreshTimer->isActive())
        m_refreshTimer->start();
}

void AnalysisWindow::refreshShownPage() {
    const auto page = static_cast<Page>(m_pages->currentIndex());
    if (isVisible() && m_stale[page])
        refresh(page);
}

void AnalysisWindow::refresh(Page page) {
    m_stale[page] = false;
    const ApplicationModel& model = m_session.model();
    try {
        switch (page) {
        case Filters: {
            FilterInputs inputs{model.filterSettings(), model.historyRevision(), m_filters->newestDraws()};
            if (inputs == m_shownFilters)
                break;
            m_shownFilters.reset();
            m_filters->showFigures(model.filtersOnHistory(inputs.newestDraws), model.filterFunnel());
            m_shownFilters = std::move(inputs);
            break;
        }
        case System:
            m_system->showFigures(model.systemOnHistory());
            break;
        case Coverage:
            m_coverage->showFigures(model.systemCoverage());
            break;
        case Odds:
        case PageCount:
            m_odds->showFigures(model.systemOdds(), model.poolToCover().description);
            break;
        }
    } catch (const std::bad_alloc&) {
        m_shownFilters.reset();
        const QString text = QStringLiteral("Out of memory");
        if (page == Filters)
            m_filters->showFailure(text);
        else if (page == System)
            m_system->showFailure(text);
        else if (page == Coverage)
            m_coverage->showFailure(text);
        else
            m_odds->showFailure(text);
    }
}

void AnalysisWindow::saveTable(AnalysisTable table) {
    const std::size_t newestDraws = m_filters->newestDraws();
    m_session.run([&] { return m_session.model().saveAnalysisTable(table, newestDraws, m_session.questions()); });
}

} // namespace selektor
