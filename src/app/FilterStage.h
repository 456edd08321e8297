#pragma once

// The filter stage of the main window: the nine filter tabs, and the bottom bar with the count lamp, the
// count, "Oblicz" and "Etap końcowy". Clicks on the tabs change the model's filter settings; the tabs
// show them, with the short reveal of a tab's templates when its selecting mode is chosen.

#include "app/ShapeWidget.h"
#include "core/FilterSettings.h"
#include "core/NumberGroups.h"

#include <QWidget>
#include <array>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;

namespace selektor {

class CountBar;
class Session;
struct Outcome;

class FilterStage : public QWidget {
    Q_OBJECT
public:
    explicit FilterStage(Session& session, QWidget* parent = nullptr);

signals:
    // The two small buttons beside the tabs, the same as "Zapisz filtry" and "Otwórz filtry" in the menu.
    void saveFiltersClicked();
    void openFiltersClicked();

private:
    // Everything one tab needs to show its templates and animate their reveal.
    struct PanelView {
        QButtonGroup* modes = nullptr;
        QTimer* revealTimer = nullptr;
        int revealTick = 0;
        QWidget* area = nullptr;              // hidden outside the selecting mode (" Pary   ": always shown)
        std::vector<ShapeWidget*> shapes;     // by template position
        std::vector<ShapeWidget*> twinShapes; // "L. sdne": the right oval of each pair
        std::vector<ClickLabel*> captions;    // by template position
        std::vector<QWidget*> rows;           // "L. sdne": the four rows of pairs
        QWidget* picture = nullptr;           // " Brzeg  ", "L. sdne"
        QWidget* extra = nullptr;             // "  Zakres", the D S G legend, " Uwaga ", " Opcje dodatkowe "
    };

    // Construction of the tabs.
    void buildTabs();
    // A tab with its header and mode radio group; returns its (hidden) template area.
    QWidget* newPage(Panel panel, const QString& caption, const QString& header, const QStringList& modes);
    void buildNumbersTab();
    void buildEvenOddTab();
    void buildRowColumnTab();
    void buildSumTab();
    void buildEdgeTab();
    void buildDsgTab();
    void buildNeighboursTab();
    void buildPairsTab();
    void buildGapsTab();
    void buildFilterSetButtons();
    QWidget* newNumberGroup(QWidget* parent, const QString& title, bool favourites);
    ClickLabel* newCaption(Panel panel, int position, QWidget* parent, const QRect& geometry);
    ShapeWidget* newShape(Panel panel, int position, ShapeWidget::Kind kind, QWidget* parent, const QRect& geometry);

    // The player's clicks.
    void toggleFavourite(Number n);
    void toggleBasic(Number n);
    void toggleShareBox(int share, bool checked);
    void toggleTemplate(Panel panel, int position);
    void modeClicked(Panel panel, int mode);

    // Showing state.
    void refresh(const Outcome& outcome);
    void showModes();
    void showNumberRoles();
    void showShareBoxes();
    // Every template's colour and both " Pary   " option groups, after the settings were replaced whole.
    void showAllTemplates();
    void showTemplateColour(Panel panel, int position);
    void concealTemplates(Panel panel);
    void startReveal(Panel panel);
    void revealStep(Panel panel);
    bool showRevealFrame(Panel panel, int tick); // true at the reveal's last step

    PanelView& view(Panel panel) { return m_views[static_cast<int>(panel)]; }
    const FilterSettings& settings() const;

    Session& m_session;
    // The mode each tab shows; it follows the model's, with a reveal when the selecting mode comes.
    std::array<std::uint8_t, kPanelCount> m_shownModes{};
    std::uint64_t m_shownSettingsRevision = 0;

    QTabWidget* m_tabs = nullptr;
    std::array<PanelView, kPanelCount> m_views;

    // " Liczby  "
    QWidget* m_favouritesGroup = nullptr;
    QWidget* m_basicGroup = nullptr;
    std::array<ShapeWidget*, kHighestNumber + 1> m_favouriteCircles{};
    std::array<ShapeWidget*, kHighestNumber + 1> m_basicCircles{};
    std::array<QCheckBox*, kShareBoxes> m_shareBoxes{};
    // "  Suma  " and " D S G  "
    QWidget* m_sumBlock = nullptr;
    QWidget* m_dsgBlock = nullptr;
    // " Pary   "
    QWidget* m_leftCurtain = nullptr;
    QWidget* m_rightCurtain = nullptr;
    QButtonGroup* m_pairGroupLimit = nullptr;
    QButtonGroup* m_otherDigitsRule = nullptr;

    CountBar* m_countBar = nullptr;
};

} // namespace selektor
