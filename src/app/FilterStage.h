#pragma once

// The filter stage of the main window: the nine filter tabs, and the bottom bar with the count lamp, the
// count, "Oblicz" and "Etap końcowy". The tabs write the filter settings; "Oblicz" runs the enumeration
// into the candidate pool.

#include "app/Services.h"
#include "app/ShapeWidget.h"
#include "core/CandidatePool.h"
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

class FilterStage : public QWidget {
    Q_OBJECT
public:
    FilterStage(FilterSettings& settings, CandidatePool& pool, DialogService& dialogs, QWidget* parent = nullptr);

    // "Nowy": every tab back to its first mode with its templates hidden (flags, numbers and ticks are
    // kept), the " Liczby  " tab in front, the count blanked, "Etap końcowy" locked.
    void startNewSystem();
    // Back from the generator stage: the count is blanked and "Etap końcowy" stays locked until the next
    // "Oblicz".
    void lockFinalStage();

signals:
    // "Etap końcowy" was pressed while the last count allowed it.
    void finalStageRequested();

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

    // Construction of the tabs and the bottom bar.
    void buildTabs();
    QWidget* buildBottomBar();
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
    QWidget* newNumberGroup(QWidget* parent, const QString& title, bool favourites);
    ClickLabel* newCaption(Panel panel, int position, QWidget* parent, const QRect& geometry);
    ShapeWidget* newShape(Panel panel, int position, ShapeWidget::Kind kind, QWidget* parent, const QRect& geometry);

    // The player's clicks.
    void toggleFavourite(Number n);
    void toggleBasic(Number n);
    void toggleShareBox(int share, bool checked);
    void toggleTemplate(Panel panel, int position);
    void modeClicked(Panel panel, int mode);
    void changePanelMode(Panel panel);

    // Showing state.
    void showNumberRoles();
    void updateShareBoxes();
    void showTemplateColour(Panel panel, int position);
    void concealTemplates(Panel panel);
    void startReveal(Panel panel);
    void revealStep(Panel panel);
    bool showRevealFrame(Panel panel, int tick); // true at the reveal's last step
    void disableFinalStage();

    // The bottom bar.
    void prepareCount();
    void countCombinations();
    void enterFinalStage();

    PanelView& view(Panel panel) { return m_views[static_cast<int>(panel)]; }

    FilterSettings& m_settings;
    CandidatePool& m_pool;
    DialogService& m_dialogs;
    ShareBoxesEnabled m_shareBoxesEnabled = kInitialShareBoxesEnabled;

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

    // The bottom bar.
    ShapeWidget* m_countLamp = nullptr;
    QLabel* m_countLabel = nullptr;
    QPushButton* m_calculateButton = nullptr;
    QPushButton* m_finalStageButton = nullptr;
};

} // namespace selektor
