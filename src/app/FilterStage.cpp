#include "app/FilterStage.h"

#include "app/CountBar.h"
#include "app/FilterColours.h"
#include "app/Session.h"
#include "core/TemplateCatalogue.h"
#include "presentation/RevealSteps.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>

namespace selektor {

using namespace colours;

namespace {

constexpr int kNumberOutline = 2;
constexpr int kPairsOutline = 2;
// The squares' outline carries their state, so it is drawn wide enough to be seen.
constexpr int kDsgOutline = 3;

bool hasBit(std::uint64_t mask, std::size_t i) {
    return ((mask >> i) & 1u) != 0;
}

} // namespace

FilterStage::FilterStage(Session& session, QWidget* parent) : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("filterStage"));
    setAutoFillBackground(true);
    for (int p = 0; p < kPanelCount; ++p) {
        const auto panel = static_cast<Panel>(p);
        PanelView& v = view(panel);
        v.shapes.resize(templateCount(panel), nullptr);
        v.twinShapes.resize(templateCount(panel), nullptr);
        v.captions.resize(templateCount(panel), nullptr);
        v.revealTimer = new QTimer(this);
        v.revealTimer->setInterval(revealInterval(panel));
        connect(v.revealTimer, &QTimer::timeout, this, [this, panel] { revealStep(panel); });
    }
    buildTabs();
    buildFilterSetButtons();
    // The bar fills the stage under the tabs.
    const int barTop = m_tabs->geometry().bottom() + 5;
    m_countBar = new CountBar(session, m_tabs, QRect(0, barTop, m_tabs->width(), 481 - barTop), this);

    showAllTemplates();
    for (int p = 0; p < kPanelCount; ++p) {
        const auto panel = static_cast<Panel>(p);
        m_shownModes[p] = settings().mode(panel);
        view(panel).modes->button(m_shownModes[p])->setChecked(true);
        if (m_shownModes[p] == selectingMode(panel))
            startReveal(panel);
        else
            concealTemplates(panel);
    }
    connect(&session, &Session::updated, this, &FilterStage::refresh);
    refresh(Outcome{});
}

const FilterSettings& FilterStage::settings() const {
    return m_session.model().filterSettings();
}

void FilterStage::refresh(const Outcome& outcome) {
    if (m_session.model().filterSettingsRevision() != m_shownSettingsRevision)
        showAllTemplates();
    showModes();
    showNumberRoles();
    showShareBoxes();
    if (outcome.showFirstTab)
        m_tabs->setCurrentIndex(0);
    m_countBar->refresh(outcome);
}

void FilterStage::toggleFavourite(Number n) {
    m_session.model().toggleFavourite(n);
    m_session.changed();
}

void FilterStage::toggleBasic(Number n) {
    m_session.model().toggleBasic(n);
    m_session.changed();
}

void FilterStage::toggleShareBox(int share, bool checked) {
    m_session.model().setShareBox(share, checked);
    m_session.changed();
}

void FilterStage::toggleTemplate(Panel panel, int position) {
    m_session.model().toggleTemplate(panel, position);
    showTemplateColour(panel, position);
    m_session.changed();
}

void FilterStage::modeClicked(Panel panel, int mode) {
    m_session.model().chooseMode(panel, static_cast<std::uint8_t>(mode));
    m_session.changed();
}

void FilterStage::showModes() {
    for (int p = 0; p < kPanelCount; ++p) {
        const auto panel = static_cast<Panel>(p);
        const std::uint8_t mode = settings().mode(panel);
        if (mode == m_shownModes[p])
            continue;
        m_shownModes[p] = mode;
        view(panel).modes->button(mode)->setChecked(true);
        // Template flags and colours stay as they are in both directions.
        if (mode == selectingMode(panel))
            startReveal(panel);
        else
            concealTemplates(panel);
    }
}

void FilterStage::showNumberRoles() {
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        const auto role = settings().numberRole[n];
        m_favouriteCircles[n]->setOutline(role == Favourite ? kTeal : kSilver, kNumberOutline);
        m_basicCircles[n]->setOutline(role == Basic ? kTeal : kSilver, kNumberOutline);
    }
}

void FilterStage::showShareBoxes() {
    const ShareBoxesEnabled& enabled = m_session.model().shareBoxesEnabled();
    for (int k = 0; k < kShareBoxes; ++k) {
        const QSignalBlocker quiet(m_shareBoxes[k]);
        m_shareBoxes[k]->setEnabled(enabled[k]);
        m_shareBoxes[k]->setChecked(settings().shareBoxChecked[k] != 0);
    }
}

void FilterStage::showAllTemplates() {
    m_shownSettingsRevision = m_session.model().filterSettingsRevision();
    for (int p = 0; p < kPanelCount; ++p)
        for (int i = 0; i < templateCount(static_cast<Panel>(p)); ++i)
            showTemplateColour(static_cast<Panel>(p), i);
    m_pairGroupLimit->button(settings().pairGroupLimit)->setChecked(true);
    m_otherDigitsRule->button(settings().otherDigitsRule)->setChecked(true);
}

void FilterStage::showTemplateColour(Panel panel, int position) {
    const bool on = templateFlag(settings(), panel, position) != 0;
    PanelView& v = view(panel);
    ShapeWidget* shape = v.shapes[position];
    switch (panel) {
    case Panel::EvenOdd:
    case Panel::RowColumn:
        shape->setFill(on ? kLime : QColor(Qt::white));
        break;
    case Panel::Sum:
        shape->setFill(on ? kAqua : QColor(Qt::white));
        break;
    case Panel::Edge:
        shape->setFill(on ? kGreen : kGrey);
        break;
    case Panel::Dsg:
        shape->setOutline(on ? kAqua : QColor(Qt::black), kDsgOutline);
        break;
    case Panel::Neighbours:
        shape->setFill(on ? kAqua : QColor(Qt::white));
        v.twinShapes[position]->setFill(on ? kAqua : QColor(Qt::white));
        break;
    case Panel::Pairs:
        shape->setOutline(on ? kAqua : QColor(Qt::white), kPairsOutline);
        break;
    case Panel::Gaps:
        shape->setFill(on ? kLime : tooltipBackground());
        break;
    case Panel::Numbers:
        break;
    }
}

void FilterStage::concealTemplates(Panel panel) {
    PanelView& v = view(panel);
    v.revealTimer->stop();
    if (panel == Panel::Pairs) {
        // The digit circles stay; the closed curtains cover them.
        showRevealFrame(panel, 0);
        return;
    }
    v.area->hide();
}

void FilterStage::startReveal(Panel panel) {
    PanelView& v = view(panel);
    v.revealTimer->stop();
    v.revealTick = 0;
    showRevealFrame(panel, 0);
    v.area->show();
    v.revealTimer->start();
}

void FilterStage::revealStep(Panel panel) {
    PanelView& v = view(panel);
    if (showRevealFrame(panel, ++v.revealTick))
        v.revealTimer->stop();
}

bool FilterStage::showRevealFrame(Panel panel, int tick) {
    PanelView& v = view(panel);
    const auto showItems = [&v](const ItemsReveal& r) {
        for (std::size_t i = 0; i < v.shapes.size(); ++i) {
            v.shapes[i]->setVisible(hasBit(r.shapes, i));
            v.captions[i]->setVisible(hasBit(r.captions, i));
        }
        return r.done;
    };

    switch (panel) {
    case Panel::Numbers: {
        const GroupsSlide slide = numbersReveal(tick);
        m_favouritesGroup->move(m_favouritesGroup->x(), slide.favouritesTop);
        m_basicGroup->move(m_basicGroup->x(), slide.basicTop);
        m_favouritesGroup->show();
        m_basicGroup->show();
        v.extra->setVisible(slide.rangeBoxShown);
        return slide.done;
    }
    case Panel::EvenOdd:
        return showItems(evenOddReveal(tick));
    case Panel::RowColumn:
        return showItems(rowColumnReveal(tick));
    case Panel::Edge: {
        const ItemsReveal r = edgeReveal(tick);
        v.picture->setVisible(r.picture);
        return showItems(r);
    }
    case Panel::Gaps: {
        const ItemsReveal r = gapsReveal(tick);
        v.extra->setVisible(r.note);
        return showItems(r);
    }
    case Panel::Neighbours: {
        const ItemsReveal r = neighboursReveal(tick);
        v.picture->setVisible(r.picture);
        for (std::size_t row = 0; row < v.rows.size(); ++row)
            v.rows[row]->setVisible(hasBit(r.shapes, row));
        return r.done;
    }
    case Panel::Sum: {
        const SumGrowth growth = sumReveal(tick);
        m_sumBlock->resize(m_sumBlock->width(), growth.blockHeight);
        m_sumBlock->show();
        for (int end : {0, templateCount(Panel::Sum) - 1}) {
            v.shapes[end]->setVisible(growth.endBoxesShown);
            v.captions[end]->setVisible(growth.endBoxesShown);
        }
        return growth.done;
    }
    case Panel::Dsg: {
        const DsgSwing swing = dsgReveal(tick);
        m_dsgBlock->move(swing.blockX, m_dsgBlock->y());
        m_dsgBlock->setVisible(swing.blockShown);
        v.extra->setVisible(swing.legendShown);
        return swing.done;
    }
    case Panel::Pairs: {
        const CurtainsPart curtains = pairsReveal(tick);
        m_leftCurtain->move(curtains.leftX, 0);
        m_rightCurtain->move(curtains.rightX, 0);
        m_leftCurtain->setVisible(curtains.curtainsShown);
        m_rightCurtain->setVisible(curtains.curtainsShown);
        v.extra->setVisible(curtains.optionsShown);
        return curtains.done;
    }
    }
    return true;
}

} // namespace selektor
