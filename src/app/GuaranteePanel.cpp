#include "app/FormWidgets.h"
#include "app/GeneratorPanels.h"
#include "app/Session.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>

namespace selektor {

namespace {
const char* const kCaptions[] = {"system pełny - gw 6", "system skrócony - gw 5", "system skrócony - gw 4",
                                 "system skrócony - gw 3"};
}

GuaranteePanel::GuaranteePanel(Session& session, QWidget* parent)
    : QGroupBox(QStringLiteral(" Systemy gwarancyjne "), parent), m_session(session) {
    setObjectName(QStringLiteral("guaranteeGroup"));
    auto* grid = new QGridLayout(this);
    tighten(grid);
    m_choice = new QButtonGroup(this);
    // The OK button stands beside the shortest caption, the others take the whole width.
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(kCaptions[i]), this);
        radio->setObjectName(QStringLiteral("guaranteeChoice%1").arg(i));
        m_choice->addButton(radio, i);
        grid->addWidget(radio, i, 0, 1, i == 0 ? 1 : 2);
    }
    connect(m_choice, &QButtonGroup::idClicked, this,
            [this](int id) { m_session.model().setGuaranteeChoice(static_cast<GuaranteeMode>(id)); });
    m_ok = okButton(QStringLiteral("guaranteeOkButton"), this);
    connect(m_ok, &QPushButton::clicked, this,
            [this] { m_session.runBusy([this] { return m_session.model().buildGuaranteeSystem(); }); });
    grid->addWidget(m_ok, 0, 1, Qt::AlignRight);
    grid->setColumnStretch(0, 1);
}

void GuaranteePanel::refresh(const GeneratorControls& controls) {
    m_choice->button(static_cast<int>(m_session.model().form().guaranteeChoice))->setChecked(true);
    setEnabled(controls.guaranteeGroup);
    m_ok->setEnabled(controls.guaranteeOk);
}

} // namespace selektor
