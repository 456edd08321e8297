#include "app/GeneratorStage.h"

#include "app/GeneratorPanels.h"
#include "app/Session.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

namespace selektor {

namespace {

QTimer* stageTimer(const char* name, int interval, QObject* parent) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}

} // namespace

GeneratorStage::GeneratorStage(Session& session, QWidget* parent) : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("generatorStage"));
    // The main window's grey box lies behind the stages; the stage paints its own face over it.
    setAutoFillBackground(true);

    m_simulationTimer = stageTimer("simulationTimer", 10, this);
    connect(m_simulationTimer, &QTimer::timeout, this, &GeneratorStage::simulationTick);
    m_countdownTimer = stageTimer("countdownTimer", 1000, this);
    connect(m_countdownTimer, &QTimer::timeout, this, &GeneratorStage::countdownTick);
    m_flashTimer = stageTimer("flashTimer", kSaveFlashInterval, this);
    connect(m_flashTimer, &QTimer::timeout, this, &GeneratorStage::flashTick);

    m_titleBar = new TitleBar(session, this);
    connect(m_titleBar, &TitleBar::optimizationRequested, this, &GeneratorStage::optimizationRequested);
    m_guarantee = new GuaranteePanel(session, this);
    m_simulation = new SimulationPanel(session, this);
    m_list = new SystemListPanel(session, this);
    m_result = new ResultPanel(session, this);
    m_print = new PrintPanel(session, this);
    m_postProcessing = new PostProcessingPanel(session, this);

    // Left: the ways of building a system; middle: the system; right: what is done with it.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(4);
    outer->addWidget(m_titleBar);
    auto* body = new QHBoxLayout;
    body->setSpacing(4);
    auto* builders = new QGridLayout;
    builders->setSpacing(4);
    builders->addWidget(m_guarantee, 0, 0);
    builders->addWidget(m_simulation, 1, 0);
    builders->addWidget(m_list, 0, 1, 2, 1);
    builders->addWidget(m_postProcessing, 2, 0, 1, 2);
    builders->setRowStretch(1, 1);
    body->addLayout(builders);
    auto* users = new QVBoxLayout;
    users->setSpacing(4);
    users->addWidget(m_result, 1);
    users->addWidget(m_print);
    body->addLayout(users, 1);
    outer->addLayout(body, 1);

    connect(&session, &Session::updated, this, &GeneratorStage::refresh);
    connect(&session, &Session::busy, this, &GeneratorStage::showBusy);
    refresh(Outcome{});
}

void GeneratorStage::showControls(const GeneratorControls& controls) {
    m_titleBar->refresh(controls);
    m_guarantee->refresh(controls);
    m_simulation->refresh(controls);
    m_list->refresh(controls);
    m_result->refresh(controls);
    m_print->refresh(controls);
    m_postProcessing->refresh(controls);
}

void GeneratorStage::refresh(const Outcome& outcome) {
    showControls(m_session.model().generatorControls());

    // The timers run exactly while the model's run does: the countdown first, then the draws.
    if (m_session.model().generatorRunning()) {
        if (!m_countdownTimer->isActive())
            m_countdownTimer->start();
        if (!m_simulationTimer->isActive())
            m_simulationTimer->start();
    } else {
        m_simulationTimer->stop();
        m_countdownTimer->stop();
    }

    if (outcome.stopSaveFlash) {
        m_flashTimer->stop();
        m_titleBar->showFlashFrame(false);
    }
    if (outcome.flashSaveButton) {
        m_flash.start();
        m_flashTimer->start();
    }
}

void GeneratorStage::showBusy() {
    showControls(enabledControls(GeneratorMode::Busy));
    // The build runs to its end without handling events; paint the busy state before it starts.
    repaint();
}

void GeneratorStage::simulationTick() {
    m_session.run([this] { return m_session.model().simulationTick(); });
}

void GeneratorStage::countdownTick() {
    m_session.run([this] { return m_session.model().countdownTick(); });
}

void GeneratorStage::flashTick() {
    const FlashTick tick = m_flash.tick();
    if (tick.frameShown)
        m_titleBar->showFlashFrame(*tick.frameShown);
    if (tick.stopTimer)
        m_flashTimer->stop();
}

} // namespace selektor
