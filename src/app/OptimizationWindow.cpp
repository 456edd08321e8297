#include "app/OptimizationWindow.h"

#include "analysis/AnalysisTexts.h"
#include "app/AnalysisPages.h"
#include "app/ModelText.h"
#include "app/Pictures.h"
#include "app/Session.h"

#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <new>
#include <span>

namespace selektor {

namespace {

// How often a running search is read: the bar and the figures move smoothly, and reading costs the
// search nothing it would notice.
constexpr int kPollIntervalMs = 100;
// How long after a change of the system the odds are counted again: soon after a click, seldom while a
// running simulation changes the system a hundred times a second.
constexpr int kOddsDelayMs = 200;
constexpr int kOddsDelayWhileSimulatingMs = 2000;
constexpr int kProgressSteps = 1000;

const QString kPoolChanged = QStringLiteral(
    "Pula do pokrycia zmieniła się od tego wyniku - żeby użyć optymalizacji, uruchom ją od nowa dla bieżącej puli.");

const QString kUsed = QStringLiteral("Ten wynik jest teraz bieżącym systemem.");

QString grouped(std::int64_t value) {
    QString digits = QString::number(value < 0 ? -value : value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(' '));
    return value < 0 ? QStringLiteral("-") + digits : digits;
}

// Seconds with one decimal and a decimal comma: "12,3".
QString seconds(std::chrono::milliseconds time) {
    return QString::number(static_cast<double>(time.count()) / 1000.0, 'f', 1)
        .replace(QLatin1Char('.'), QLatin1Char(','));
}

// An axis of whole numbers from `lowest` to `highest` or a little wider, marked every 1, 2 or 5 times a
// power of ten, so that no two marks read alike.
void wholeAxis(QValueAxis* axis, double lowest, double highest) {
    const double span = std::max(highest - lowest, 1.0);
    double step = 1;
    for (double scale = 1; step * 5 < span; scale *= 10)
        for (double factor : {1.0, 2.0, 5.0})
            if (step * 5 < span)
                step = factor * scale;
    const double from = std::floor(lowest / step) * step, to = std::ceil(highest / step) * step;
    axis->setRange(from, std::max(to, from + step));
    axis->setTickType(QValueAxis::TicksFixed);
    axis->setTickCount(static_cast<int>(std::lround((std::max(to, from + step) - from) / step)) + 1);
}

QGroupBox* group(const QString& title, const QString& objectName, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(objectName);
    return box;
}

QLabel* wrapping(const QString& objectName, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    return label;
}

} // namespace

OptimizationWindow::OptimizationWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session) {
    setObjectName(QStringLiteral("optimizationWindow"));
    setWindowTitle(QStringLiteral("Selektor - Optymalizacja"));
    setWindowIcon(programIcon());
    setMinimumSize(1000, 640);
    resize(1180, 780);
    const OptimizationModel& settings = m_session.model().optimization();

    auto* columns = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    columns->addLayout(left, 4);

    m_pool = wrapping(QStringLiteral("poolLabel"), this);
    m_pool->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; padding: 4px 0; }"));
    left->addWidget(m_pool);

    // What the player asks for.
    auto* task = group(QStringLiteral(" Zadanie "), QStringLiteral("taskGroup"), this);
    auto* grid = new QGridLayout(task);
    grid->addWidget(new QLabel(QStringLiteral("Gwarancja t ="), task), 0, 0);
    m_guarantee = new QSpinBox(task);
    m_guarantee->setObjectName(QStringLiteral("guaranteeBox"));
    m_guarantee->setRange(kLowestGuarantee, kHighestGuarantee);
    m_guarantee->setValue(settings.guarantee());
    connect(m_guarantee, &QSpinBox::valueChanged, this,
            [this](int t) { m_session.model().optimization().setGuarantee(t); });
    grid->addWidget(m_guarantee, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("t trafienia, gdy cała wylosowana szóstka jest w puli"), task), 0, 2, 1,
                    2);

    m_goal = new QButtonGroup(this);
    auto* fewest = new QRadioButton(QStringLiteral("Najmniej zakładów"), task);
    fewest->setObjectName(QStringLiteral("fewestTicketsGoal"));
    fewest->setToolTip(QStringLiteral("Najmniej zakładów, z których każda kombinacja puli ma t trafień w jednym"));
    auto* coverage = new QRadioButton(QStringLiteral("Najlepsze pokrycie"), task);
    coverage->setObjectName(QStringLiteral("bestCoverageGoal"));
    coverage->setToolTip(QStringLiteral("N zakładów pokrywających jak najwięcej kombinacji puli"));
    m_goal->addButton(fewest, static_cast<int>(CoverGoal::FewestTickets));
    m_goal->addButton(coverage, static_cast<int>(CoverGoal::BestCoverage));
    m_goal->button(static_cast<int>(settings.goal()))->setChecked(true);
    connect(m_goal, &QButtonGroup::idClicked, this, [this](int id) {
        m_session.model().optimization().setGoal(static_cast<CoverGoal>(id));
        showState();
    });
    grid->addWidget(fewest, 1, 0, 1, 2);
    grid->addWidget(coverage, 2, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Liczba zakładów N:"), task), 2, 2, Qt::AlignRight);
    m_ticketCount = new QLineEdit(task);
    m_ticketCount->setObjectName(QStringLiteral("ticketCountEdit"));
    m_ticketCount->setText(fromModel(settings.ticketCountText()));
    m_ticketCount->setMaximumWidth(90);
    connect(m_ticketCount, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_session.model().optimization().setTicketCountText(text.toStdString()); });
    grid->addWidget(m_ticketCount, 2, 3);

    grid->addWidget(new QLabel(QStringLiteral("Limit czasu:"), task), 3, 0);
    m_timeLimit = new QSpinBox(task);
    m_timeLimit->setObjectName(QStringLiteral("timeLimitBox"));
    m_timeLimit->setRange(kShortestTimeLimitSeconds, kLongestTimeLimitSeconds);
    m_timeLimit->setSuffix(QStringLiteral(" s"));
    m_timeLimit->setValue(settings.timeLimitSeconds());
    connect(m_timeLimit, &QSpinBox::valueChanged, this,
            [this](int limit) { m_session.model().optimization().setTimeLimitSeconds(limit); });
    grid->addWidget(m_timeLimit, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Ziarno:"), task), 3, 2, Qt::AlignRight);
    m_seed = new QLineEdit(task);
    m_seed->setObjectName(QStringLiteral("seedEdit"));
    m_seed->setPlaceholderText(QStringLiteral("z zegara"));
    m_seed->setMaximumWidth(110);
    m_seed->setText(fromModel(settings.seedText()));
    connect(m_seed, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_session.model().optimization().setSeedText(text.toStdString()); });
    grid->addWidget(m_seed, 3, 3);
    grid->addWidget(new QLabel(QStringLiteral("Limit kroków:"), task), 4, 2, Qt::AlignRight);
    m_stepLimit = new QLineEdit(task);
    m_stepLimit->setObjectName(QStringLiteral("stepLimitEdit"));
    m_stepLimit->setPlaceholderText(QStringLiteral("bez limitu"));
    m_stepLimit->setMaximumWidth(110);
    m_stepLimit->setText(fromModel(settings.stepLimitText()));
    connect(m_stepLimit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_session.model().optimization().setStepLimitText(text.toStdString()); });
    grid->addWidget(m_stepLimit, 4, 3);

    auto* buttons = new QHBoxLayout;
    m_start = new QPushButton(QStringLiteral("Start"), task);
    m_start->setObjectName(QStringLiteral("startButton"));
    connect(m_start, &QPushButton::clicked, this, &OptimizationWindow::start);
    m_stop = new QPushButton(QStringLiteral("Stop"), task);
    m_stop->setObjectName(QStringLiteral("stopButton"));
    connect(m_stop, &QPushButton::clicked, this, &OptimizationWindow::stop);
    buttons->addWidget(m_start);
    buttons->addWidget(m_stop);
    buttons->addStretch();
    grid->addLayout(buttons, 5, 0, 1, 4);
    grid->setColumnStretch(2, 1);
    left->addWidget(task);

    // How the search goes.
    auto* course = group(QStringLiteral(" Przebieg "), QStringLiteral("courseGroup"), this);
    auto* courseLayout = new QVBoxLayout(course);
    m_progress = new QProgressBar(course);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setRange(0, kProgressSteps);
    m_progress->setTextVisible(false);
    courseLayout->addWidget(m_progress);
    m_best = wrapping(QStringLiteral("bestLabel"), course);
    courseLayout->addWidget(m_best);
    m_elapsed = wrapping(QStringLiteral("elapsedLabel"), course);
    courseLayout->addWidget(m_elapsed);
    m_chart = new QChartView(course);
    m_chart->setObjectName(QStringLiteral("bestChart"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumHeight(200);
    QChart* chart = m_chart->chart();
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    m_series = new QLineSeries;
    m_series->setColor(QColor(0, 0, 160));
    chart->addSeries(m_series);
    m_timeAxis = new QValueAxis;
    m_timeAxis->setTitleText(QStringLiteral("Czas [s]"));
    m_timeAxis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(m_timeAxis, Qt::AlignBottom);
    m_series->attachAxis(m_timeAxis);
    m_valueAxis = new QValueAxis;
    m_valueAxis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(m_valueAxis, Qt::AlignLeft);
    m_series->attachAxis(m_valueAxis);
    courseLayout->addWidget(m_chart, 1);
    left->addWidget(course, 1);

    // The result and its proof.
    auto* result = group(QStringLiteral(" Wynik "), QStringLiteral("resultGroup"), this);
    auto* resultLayout = new QVBoxLayout(result);
    m_result = wrapping(QStringLiteral("resultLabel"), result);
    resultLayout->addWidget(m_result);
    m_proof = wrapping(QStringLiteral("proofLabel"), result);
    resultLayout->addWidget(m_proof);
    m_note = wrapping(QStringLiteral("noteLabel"), result);
    m_note->setStyleSheet(QStringLiteral("QLabel { color: #800000; }"));
    resultLayout->addWidget(m_note);
    auto* useRow = new QHBoxLayout;
    m_use = new QPushButton(QStringLiteral("Użyj"), result);
    m_use->setObjectName(QStringLiteral("useButton"));
    m_use->setToolTip(QStringLiteral("Wynik staje się bieżącym systemem na liście generatora"));
    connect(m_use, &QPushButton::clicked, this, &OptimizationWindow::use);
    useRow->addWidget(m_use);
    useRow->addStretch();
    resultLayout->addLayout(useRow);
    left->addWidget(result);

    // The chances of the system that is current now.
    auto* odds = group(QStringLiteral(" Szanse systemu "), QStringLiteral("oddsGroup"), this);
    auto* oddsLayout = new QVBoxLayout(odds);
    m_odds = new OddsAnalysisPage(odds);
    oddsLayout->addWidget(m_odds);
    columns->addWidget(odds, 5);

    m_pollTimer = new QTimer(this);
    m_pollTimer->setObjectName(QStringLiteral("optimizationTimer"));
    m_pollTimer->setInterval(kPollIntervalMs);
    connect(m_pollTimer, &QTimer::timeout, this, &OptimizationWindow::pollSearch);
    m_oddsTimer = new QTimer(this);
    m_oddsTimer->setObjectName(QStringLiteral("oddsRefreshTimer"));
    m_oddsTimer->setSingleShot(true);
    m_oddsTimer->setInterval(kOddsDelayMs);
    connect(m_oddsTimer, &QTimer::timeout, this, &OptimizationWindow::refreshOdds);

    connect(&m_session, &Session::updated, this, &OptimizationWindow::modelChanged);
    showState();
}

void OptimizationWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    showState();
    refreshOdds();
}

void OptimizationWindow::closeEvent(QCloseEvent* event) {
    // Nobody watches a search in a closed window: it stops, and its best is proved and kept (the window
    // goes on reading it until its threads have ended).
    stop();
    QWidget::closeEvent(event);
}

void OptimizationWindow::modelChanged(const Outcome&) {
    showState();
    if (isVisible() && !m_oddsTimer->isActive())
        m_oddsTimer->start(m_session.model().generatorRunning() ? kOddsDelayWhileSimulatingMs : kOddsDelayMs);
}

void OptimizationWindow::start() {
    const auto timeOfDay = static_cast<std::uint32_t>(m_session.services().clock.timeOfDay().msecsSinceStartOfDay());
    m_session.run([&] { return m_session.model().startOptimization(timeOfDay); });
}

void OptimizationWindow::stop() {
    m_session.model().optimization().stop();
    showState();
}

void OptimizationWindow::use() {
    m_session.run([this] { return m_session.model().useOptimizedSystem(m_session.questions()); });
}

void OptimizationWindow::pollSearch() {
    m_session.model().optimization().poll();
    showState();
}

void OptimizationWindow::showState() {
    ApplicationModel& model = m_session.model();
    OptimizationModel& optimization = model.optimization();
    const PoolToCover& pool = model.poolToCover();
    m_pool->setText(fromModel(pool.description));

    const bool running = optimization.running();
    for (QWidget* setting : std::initializer_list<QWidget*>{m_guarantee, m_timeLimit, m_seed, m_stepLimit})
        setting->setEnabled(!running);
    for (QAbstractButton* goal : m_goal->buttons())
        goal->setEnabled(!running);
    m_ticketCount->setEnabled(!running && optimization.goal() == CoverGoal::BestCoverage);
    m_start->setEnabled(!running);
    m_stop->setEnabled(running && !optimization.run()->stopping);
    if (running && !m_pollTimer->isActive())
        m_pollTimer->start();
    else if (!running)
        m_pollTimer->stop();

    const std::optional<OptimizationRun>& run = optimization.run();
    m_use->setEnabled(optimization.offered(pool.key) != nullptr);
    if (!run) {
        m_progress->setValue(0);
        m_best->clear();
        m_elapsed->clear();
        m_series->clear();
        wholeAxis(m_timeAxis, 0, optimization.timeLimitSeconds());
        wholeAxis(m_valueAxis, 0, 10);
        m_result->setText(QStringLiteral("Wybierz gwarancję i cel, a potem naciśnij \"Start\"."));
        m_proof->clear();
        m_note->hide();
        return;
    }
    showProgress(*run);
    showChart(*run);
    showResult(*run);
}

void OptimizationWindow::showProgress(const OptimizationRun& run) {
    m_progress->setValue(static_cast<int>(run.doneShare() * kProgressSteps));
    const CoverProgress& progress = run.progress;
    if (progress.milestones.empty()) {
        m_best->setText(run.running ? QStringLiteral("Trwa budowa pierwszego pokrycia...") : QString());
    } else if (run.goal == CoverGoal::FewestTickets) {
        m_best->setText(QStringLiteral("Najmniej zakładów dotąd: <b>%1</b>").arg(grouped(progress.bestValue)));
    } else {
        m_best->setText(QStringLiteral("Najlepsze pokrycie dotąd: <b>%1</b> z %2 kombinacji puli (%3 %)")
                            .arg(grouped(progress.bestValue), grouped(run.poolRows),
                                 fromModel(percentText(progress.bestValue, run.poolRows))));
    }
    QString elapsed = QStringLiteral("Czas: %1 s z %2 s").arg(seconds(progress.elapsed), seconds(run.timeLimit));
    elapsed += run.stepLimit > 0
                   ? QStringLiteral(", kroki: %1 z %2")
                         .arg(grouped(static_cast<std::int64_t>(progress.steps)),
                              grouped(static_cast<std::int64_t>(run.stepLimit)))
                   : QStringLiteral(", kroki: %1").arg(grouped(static_cast<std::int64_t>(progress.steps)));
    m_elapsed->setText(elapsed);
}

void OptimizationWindow::showChart(const OptimizationRun& run) {
    // The best value as a staircase over the time: each improvement is a step.
    const std::vector<CoverMilestone>& milestones = run.progress.milestones;
    QList<QPointF> points;
    double lowest = 0, highest = 1;
    for (std::size_t i = 0; i < milestones.size(); ++i) {
        const double at = static_cast<double>(milestones[i].elapsed.count()) / 1000.0;
        const auto value = static_cast<double>(milestones[i].value);
        if (i > 0)
            points.append(QPointF(at, points.back().y()));
        points.append(QPointF(at, value));
        lowest = i == 0 ? value : std::min(lowest, value);
        highest = i == 0 ? value : std::max(highest, value);
    }
    const double now = static_cast<double>(run.progress.elapsed.count()) / 1000.0;
    if (!points.isEmpty())
        points.append(QPointF(std::max(now, points.back().x()), points.back().y()));
    m_series->replace(points);
    // While it runs the whole time limit lies ahead, as on the bar; afterwards the time it took.
    const double limit = static_cast<double>(run.timeLimit.count()) / 1000.0;
    wholeAxis(m_timeAxis, 0, run.running ? limit : std::clamp(now, 1.0, std::max(limit, 1.0)));
    // A line at the very edge of the frame is hard to see: a margin above and below.
    const double margin = std::max(1.0, std::ceil((highest - lowest) * 0.1));
    wholeAxis(m_valueAxis, std::max(0.0, lowest - margin), highest + margin);
    m_valueAxis->setTitleText(run.goal == CoverGoal::FewestTickets ? QStringLiteral("Zakłady")
                                                                   : QStringLiteral("Pokryte kombinacje"));
}

void OptimizationWindow::showResult(const OptimizationRun& run) {
    QStringList notes;
    if (run.note)
        notes << fromModel(*run.note);
    if (run.running) {
        m_result->setText(run.stopping ? QStringLiteral("Szukanie się kończy - najlepszy wynik zostanie zaraz "
                                                        "sprawdzony na całej puli.")
                                       : QStringLiteral("Szukanie trwa - najlepszy wynik zostanie sprawdzony na "
                                                        "całej puli, gdy się skończy albo gdy naciśniesz \"Stop\"."));
        m_proof->clear();
    } else {
        m_result->setText(QStringLiteral("Wynik: %1 (ziarno %2, kroki: %3, czas: %4 s).")
                              .arg(fromModel(ticketCountText(static_cast<std::int64_t>(run.tickets.size()))),
                                   QString::number(run.seed), grouped(static_cast<std::int64_t>(run.progress.steps)),
                                   seconds(run.progress.elapsed)));
        m_proof->setText(fromModel(run.proof));
        m_proof->setStyleSheet(run.proved ? QStringLiteral("QLabel { font-weight: bold; color: #006000; }")
                                          : QStringLiteral("QLabel { font-weight: bold; color: #800000; }"));
        // A result made from a system's own lines, once used, is that system: its pool is now the
        // result itself, which is no change worth a warning.
        const std::span<const Combination> current = m_session.model().system().tickets();
        const bool isCurrentSystem = std::equal(current.begin(), current.end(), run.tickets.begin(), run.tickets.end());
        if (run.proved && !m_use->isEnabled())
            notes << (isCurrentSystem ? kUsed : kPoolChanged);
    }
    m_note->setText(notes.join(QLatin1Char('\n')));
    m_note->setVisible(!notes.isEmpty());
}

void OptimizationWindow::refreshOdds() {
    if (!isVisible())
        return;
    ApplicationModel& model = m_session.model();
    OddsInputs inputs{model.systemRevision(), model.system().size(), model.poolToCover().key};
    if (inputs == m_shownOdds)
        return;
    m_shownOdds.reset();
    try {
        m_odds->showFigures(model.systemOdds(), model.poolToCover().description);
        m_shownOdds = inputs;
    } catch (const std::bad_alloc&) {
        m_odds->showFailure(QStringLiteral("Out of memory"));
    }
}

} // namespace selektor
