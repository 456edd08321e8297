#include "app/FormWidgets.h"
#include "app/GeneratorPanels.h"
#include "app/Session.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace selektor {

namespace {
const char* const kCaptions[] = {"rozwiązania różne o jeden", "rozwiązania różne o dwa", "rozwiązania różne o trzy",
                                 "rozwiązania różne o cztery"};
}

SimulationPanel::SimulationPanel(Session& session, QWidget* parent)
    : QGroupBox(QStringLiteral(" Symulacja komputerowa "), parent), m_session(session) {
    setObjectName(QStringLiteral("simulationGroup"));
    auto* grid = new QGridLayout(this);
    tighten(grid);
    grid->addWidget(new QLabel(QStringLiteral("Liczba kombinacji:"), this), 0, 0);
    m_countEdit = digitField(QStringLiteral("simulationCountEdit"), 4, this);
    grid->addWidget(m_countEdit, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Limit czasowy:"), this), 1, 0);
    m_limitEdit = digitField(QStringLiteral("simulationLimitEdit"), 4, this);
    grid->addWidget(m_limitEdit, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("sek."), this), 1, 2);
    connect(m_countEdit, &QLineEdit::textChanged, this,
            [this] { m_session.model().setSimulationCountText(maskedText(m_countEdit)); });
    connect(m_limitEdit, &QLineEdit::textChanged, this,
            [this] { m_session.model().setSimulationLimitText(maskedText(m_limitEdit)); });

    m_choice = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(kCaptions[i]), this);
        radio->setObjectName(QStringLiteral("differenceChoice%1").arg(i));
        m_choice->addButton(radio, i);
        grid->addWidget(radio, 2 + i, 0, 1, 3);
    }
    connect(m_choice, &QButtonGroup::idClicked, this,
            [this](int id) { m_session.model().setDifferenceChoice(static_cast<DifferenceChoice>(id)); });
    m_ok = okButton(QStringLiteral("simulationOkButton"), this);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        // Each run draws from the time of day at its start.
        const auto timeOfDay =
            static_cast<std::uint32_t>(m_session.services().clock.timeOfDay().msecsSinceStartOfDay());
        m_session.run([this, timeOfDay] { return m_session.model().startRandomSimulation(timeOfDay); });
    });
    grid->addWidget(m_ok, 0, 2, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(6, 1);
}

void SimulationPanel::refresh(const GeneratorControls& controls) {
    const GeneratorForm& form = m_session.model().form();
    blankIfCleared(m_countEdit, form.countText);
    blankIfCleared(m_limitEdit, form.limitText);
    m_choice->button(static_cast<int>(form.differenceChoice))->setChecked(true);
    setEnabled(controls.simulationGroup);
    m_ok->setEnabled(controls.simulationOk);
}

} // namespace selektor
