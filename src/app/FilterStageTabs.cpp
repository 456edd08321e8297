// The filter stage's widgets: the nine tabs with their templates, and the bottom bar.

#include "app/FilterColours.h"
#include "app/FilterStage.h"
#include "app/Session.h"
#include "core/Captions.h"
#include "core/Patterns.h"
#include "core/TemplateCatalogue.h"
#include "presentation/RevealSteps.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace selektor {

using namespace colours;

namespace {

// Geometry of the stage (673 x 481) and of every tab page.
constexpr int kStageWidth = 673;
constexpr int kTabsHeight = 437;
constexpr int kPageWidth = 657;
constexpr int kHeaderHeight = 20;
constexpr int kModeRowHeight = 22;
constexpr int kAreaBottom = 404;

const char* const kPanelKeys[kPanelCount] = {"numbers", "evenOdd",    "rowColumn", "sum", "edge",
                                             "dsg",     "neighbours", "pairs",     "gaps"};

QString objectNameFor(Panel panel, const char* part, int index) {
    return QString::fromLatin1(kPanelKeys[static_cast<int>(panel)]) + QString::fromLatin1(part) +
           QString::number(index);
}

void fillBackground(QWidget* widget, const QColor& colour) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

QLabel* newLabel(const QString& text, QWidget* parent, const QRect& geometry,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    return label;
}

QGroupBox* newRadioGroup(const QString& title, const QStringList& items, QButtonGroup* group, QWidget* parent,
                         const QString& namePrefix) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->setSpacing(2);
    layout->setContentsMargins(4, 4, 2, 6);
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], box);
        radio->setObjectName(namePrefix + QString::number(i));
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    group->button(0)->setChecked(true);
    return box;
}

} // namespace

void FilterStage::buildTabs() {
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("filterTabs"));
    m_tabs->setGeometry(0, 0, kStageWidth, kTabsHeight);
    m_tabs->setUsesScrollButtons(false);
    buildNumbersTab();
    buildEvenOddTab();
    buildRowColumnTab();
    buildSumTab();
    buildEdgeTab();
    buildDsgTab();
    buildNeighboursTab();
    buildPairsTab();
    buildGapsTab();
}

QWidget* FilterStage::newPage(Panel panel, const QString& caption, const QString& header, const QStringList& modes) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(kPanelKeys[static_cast<int>(panel)]) + QStringLiteral("Tab"));

    QLabel* title = newLabel(header, page, QRect(4, 4, kPageWidth, kHeaderHeight));
    fillBackground(title, kGrey);
    setTextColour(title, Qt::white);
    title->setFont(boldFont(title));

    // The mode radio group stands under the header: one mode a line, or two a line for the four short
    // modes of "L. sdne".
    const int columns = modes.size() > 2 ? 2 : 1;
    const int rows = static_cast<int>((modes.size() + columns - 1) / columns);
    auto* modeBox = new QFrame(page);
    modeBox->setFrameShape(QFrame::StyledPanel);
    modeBox->setGeometry(4, 4 + kHeaderHeight + 4, kPageWidth, rows * kModeRowHeight + 6);
    auto* grid = new QGridLayout(modeBox);
    grid->setContentsMargins(8, 3, 8, 3);
    grid->setVerticalSpacing(0);
    PanelView& v = view(panel);
    v.modes = new QButtonGroup(this);
    for (int i = 0; i < modes.size(); ++i) {
        auto* radio = new QRadioButton(modes[i], modeBox);
        radio->setObjectName(objectNameFor(panel, "Mode", i));
        v.modes->addButton(radio, i);
        grid->addWidget(radio, i / columns, i % columns);
    }
    v.modes->button(0)->setChecked(true);
    connect(v.modes, &QButtonGroup::idClicked, this, [this, panel](int id) { modeClicked(panel, id); });

    const int areaTop = modeBox->geometry().bottom() + 5;
    v.area = new QWidget(page);
    v.area->setObjectName(QString::fromLatin1(kPanelKeys[static_cast<int>(panel)]) + QStringLiteral("Templates"));
    v.area->setGeometry(4, areaTop, kPageWidth, kAreaBottom - areaTop);
    m_tabs->addTab(page, caption);
    return v.area;
}

ClickLabel* FilterStage::newCaption(Panel panel, int position, QWidget* parent, const QRect& geometry) {
    auto* caption = new ClickLabel(QString::fromStdString(templateCaption(panel, position)), parent);
    caption->setObjectName(objectNameFor(panel, "Caption", position));
    caption->setGeometry(geometry);
    caption->setAlignment(Qt::AlignCenter);
    caption->setFont(boldFont(caption));
    connect(caption, &ClickLabel::clicked, this, [this, panel, position] { toggleTemplate(panel, position); });
    view(panel).captions[position] = caption;
    return caption;
}

ShapeWidget* FilterStage::newShape(Panel panel, int position, ShapeWidget::Kind kind, QWidget* parent,
                                   const QRect& geometry) {
    auto* shape = new ShapeWidget(kind, parent);
    shape->setObjectName(objectNameFor(panel, "Shape", position));
    shape->setGeometry(geometry);
    shape->setClickable(true);
    connect(shape, &ShapeWidget::clicked, this, [this, panel, position] { toggleTemplate(panel, position); });
    view(panel).shapes[position] = shape;
    return shape;
}

QWidget* FilterStage::newNumberGroup(QWidget* parent, const QString& title, bool favourites) {
    constexpr int kCircle = 26, kPitch = 30, kLeft = 8, kTop = 24;
    auto* group = new QFrame(parent);
    group->setObjectName(favourites ? QStringLiteral("favouritesGroup") : QStringLiteral("basicGroup"));
    group->setFrameShape(QFrame::Panel);
    group->setFrameShadow(QFrame::Raised);
    fillBackground(group, kSilver);
    group->resize(2 * kLeft + 7 * kPitch - (kPitch - kCircle), 244);
    QLabel* heading = newLabel(title, group, QRect(2, 3, group->width() - 4, 18), Qt::AlignCenter);
    heading->setFont(boldFont(heading));
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        const int row = (n - 1) / 7, column = (n - 1) % 7;
        auto* circle = new ShapeWidget(ShapeWidget::Kind::Ellipse, group);
        circle->setObjectName((favourites ? QStringLiteral("favourite") : QStringLiteral("basic")) +
                              QString::number(n));
        circle->setGeometry(kLeft + column * kPitch, kTop + row * kPitch, kCircle, kCircle);
        circle->setFill(tooltipBackground());
        circle->setOutline(kSilver, 2);
        circle->setText(QString::number(n));
        circle->setClickable(true);
        const auto number = static_cast<Number>(n);
        if (favourites) {
            connect(circle, &ShapeWidget::clicked, this, [this, number] { toggleFavourite(number); });
            m_favouriteCircles[n] = circle;
        } else {
            connect(circle, &ShapeWidget::clicked, this, [this, number] { toggleBasic(number); });
            m_basicCircles[n] = circle;
        }
    }
    return group;
}

void FilterStage::buildNumbersTab() {
    QWidget* area =
        newPage(Panel::Numbers, QStringLiteral(" Liczby  "), QStringLiteral(" Liczby wchodzące do systemu "),
                {QStringLiteral("Wszystkie 49 liczb - podział dowolny"),
                 QStringLiteral("Wszystkie lub wybrane liczby - podział ustalony")});
    m_favouritesGroup = newNumberGroup(area, QStringLiteral(" Grupa faworytów "), true);
    m_favouritesGroup->move(4, 4);
    m_basicGroup = newNumberGroup(area, QStringLiteral(" Grupa podstawowa"), false);
    m_basicGroup->move(4 + m_favouritesGroup->width() + 6, 4);

    const int rangeLeft = m_basicGroup->x() + m_basicGroup->width() + 6;
    auto* range = new QGroupBox(QStringLiteral("  Zakres"), area);
    range->setObjectName(QStringLiteral("rangeBox"));
    range->setGeometry(rangeLeft, 4, kPageWidth - rangeLeft - 2, 244);
    QLabel* text = newLabel(QStringLiteral("Liczba elementów z grupy faworytów w każdej szóstce"), range,
                            QRect(8, 20, range->width() - 16, 48), Qt::AlignLeft | Qt::AlignTop);
    text->setWordWrap(true);
    // The boxes step down and to the right, one share a stair.
    for (int k = 0; k < kShareBoxes; ++k) {
        auto* box = new QCheckBox(QStringLiteral(" ") + QString::number(k), range);
        box->setObjectName(QStringLiteral("shareBox") + QString::number(k));
        box->setGeometry(14 + 18 * k, 72 + 23 * k, 48, 20);
        connect(box, &QCheckBox::clicked, this, [this, k](bool checked) { toggleShareBox(k, checked); });
        m_shareBoxes[k] = box;
    }
    view(Panel::Numbers).extra = range;
}

void FilterStage::buildEvenOddTab() {
    QWidget* area =
        newPage(Panel::EvenOdd, QStringLiteral(" P - N  "), QStringLiteral(" Liczby parzyste i nieparzyste"),
                {QStringLiteral("Dowolny układ liczb parzystych i nieparzystych "),
                 QStringLiteral("Wybrane układy P - N w każdej szóstce")});
    constexpr int kHeights[7] = {65, 113, 169, 233, 177, 113, 65};
    constexpr int kWidth = 56, kPitch = 88, kBottom = 290;
    const int left = (kPageWidth - (6 * kPitch + kWidth)) / 2;
    for (int i = 0; i < 7; ++i) {
        const int x = left + i * kPitch;
        ShapeWidget* bar = newShape(Panel::EvenOdd, i, ShapeWidget::Kind::Rectangle, area,
                                    QRect(x, kBottom - kHeights[i], kWidth, kHeights[i]));
        bar->setHatch(Qt::BDiagPattern);
        newCaption(Panel::EvenOdd, i, area, QRect(x - 10, kBottom + 6, kWidth + 20, 20));
    }
}

void FilterStage::buildRowColumnTab() {
    QWidget* area =
        newPage(Panel::RowColumn, QStringLiteral(" W - K  "), QStringLiteral(" Grafika kuponu : wiersze - kolumny"),
                {QStringLiteral("Dowolny graficzny układ wierszy i kolumn"),
                 QStringLiteral("Wybrane układy W - K w każdej szóstce")});
    constexpr int kWidth = 74, kHeight = 106, kPitchX = 104, kPitchY = 150;
    const int left = (kPageWidth - (5 * kPitchX + kWidth)) / 2;
    for (int i = 0; i < templateCount(Panel::RowColumn); ++i) {
        const int x = left + (i % 6) * kPitchX, y = 6 + (i / 6) * kPitchY;
        newCaption(Panel::RowColumn, i, area, QRect(x, y, kWidth, 20));
        ShapeWidget* card =
            newShape(Panel::RowColumn, i, ShapeWidget::Kind::RoundedRectangle, area, QRect(x, y + 22, kWidth, kHeight));
        card->setHatch(Qt::DiagCrossPattern);
    }
}

void FilterStage::buildSumTab() {
    QWidget* area =
        newPage(Panel::Sum, QStringLiteral("  Suma  "), QStringLiteral(" Suma ostatnich cyfr każdej szóstki"),
                {QStringLiteral("Dowolny układ sumy ostatnich cyfr w każdej szóstce"),
                 QStringLiteral("Wybrane układy sumy ostatnich cyfr w rozwiązaniach")});
    constexpr int kBoxWidth = 68, kBoxHeight = 44, kPitchX = 76, kPitchY = 52;
    m_sumBlock = new QWidget(area);
    m_sumBlock->setObjectName(QStringLiteral("sumBlock"));
    m_sumBlock->setGeometry((kPageWidth - (3 * kPitchX + kBoxWidth)) / 2, 54, 3 * kPitchX + kBoxWidth, 9);

    const auto addBox = [this](int position, QWidget* parent, const QRect& geometry) {
        newShape(Panel::Sum, position, ShapeWidget::Kind::RoundedRectangle, parent, geometry);
        newCaption(Panel::Sum, position, parent, geometry)->setFont(boldFont(this, 15));
    };
    for (int position = 1; position <= 16; ++position) {
        const int k = position - 1;
        addBox(position, m_sumBlock, QRect((k % 4) * kPitchX, (k / 4) * kPitchY, kBoxWidth, kBoxHeight));
    }
    const QRect block = m_sumBlock->geometry();
    addBox(0, area, QRect(block.left() - 124, block.top() - 50, 96, kBoxHeight));
    addBox(templateCount(Panel::Sum) - 1, area, QRect(block.right() + 28, block.top() + 209 + 8, 96, kBoxHeight));
}

void FilterStage::buildEdgeTab() {
    QWidget* area =
        newPage(Panel::Edge, QStringLiteral(" Brzeg  "), QStringLiteral(" Grafika kuponu : liczby brzegowe"),
                {QStringLiteral("Dowolny graficzny układ liczb brzegowych"),
                 QStringLiteral("Wybrane układy ilości liczb brzegowych w szóstce")});
    // The coupon grid with only its border numbers in their places.
    constexpr int kCell = 22;
    auto* picture = new QGroupBox(QStringLiteral(" Liczby brzegowe "), area);
    picture->setObjectName(QStringLiteral("edgePicture"));
    picture->setGeometry(6, 6, 9 * kCell + 18, 6 * kCell + 34);
    auto* grid = new QFrame(picture);
    grid->setGeometry(9, 24, 9 * kCell, 6 * kCell);
    fillBackground(grid, Qt::white);
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        if (!isEdgeNumber(static_cast<Number>(n)))
            continue;
        const int row = couponRow(static_cast<Number>(n)) - 1, column = (n - 1) % 9;
        QLabel* cell =
            newLabel(QString::number(n), grid, QRect(column * kCell, row * kCell, kCell, kCell), Qt::AlignCenter);
        cell->setFrameShape(QFrame::Box);
        setTextColour(cell, kNavy);
    }
    view(Panel::Edge).picture = picture;

    constexpr int kWidth = 48, kPitch = 60, kBottom = 316, kLowest = 41, kHighest = 225;
    const int left = kPageWidth - 6 * kPitch - kWidth - 8;
    for (int i = 0; i < 7; ++i) {
        const int height = kLowest + (kHighest - kLowest) * i / 6;
        const int x = left + i * kPitch;
        newShape(Panel::Edge, i, ShapeWidget::Kind::Rectangle, area, QRect(x, kBottom - height, kWidth, height));
        ClickLabel* caption = newCaption(Panel::Edge, i, area, QRect(x, kBottom - 22, kWidth, 20));
        setTextColour(caption, Qt::white);
    }
}

void FilterStage::buildDsgTab() {
    QWidget* area =
        newPage(Panel::Dsg, QStringLiteral(" D S G  "), QStringLiteral(" Grupy liczb -  D(0-3)  S(4-6)  G(7-9)"),
                {QStringLiteral("Dowolny grupowy układ D S G liczb w każdej szóstce "),
                 QStringLiteral("Wybrane układy D S G liczb w każdej szóstce")});
    auto* legend = new QWidget(area);
    legend->setObjectName(QStringLiteral("dsgLegend"));
    legend->setGeometry(2, 4, 232, 300);
    auto* legendLayout = new QVBoxLayout(legend);
    legendLayout->setContentsMargins(0, 0, 0, 0);
    const QString titles[3] = {QStringLiteral("Grupa D - liczby zakończone cyframi: 0,1,2,3 "),
                               QStringLiteral("Grupa S - liczby zakończone cyframi:  4,5,6    "),
                               QStringLiteral("Grupa G - liczby zakończone cyframi:  7,8,9   ")};
    for (int g = 0; g < 3; ++g) {
        QStringList members;
        for (int n = kLowestNumber; n <= kHighestNumber; ++n)
            if (static_cast<int>(digitGroup(static_cast<Number>(n))) == g)
                members << QString::number(n);
        auto* title = new QLabel(titles[g], legend);
        title->setWordWrap(true);
        title->setFont(boldFont(title));
        setTextColour(title, kNavy);
        auto* numbers = new QLabel(members.join(QStringLiteral(", ")), legend);
        numbers->setWordWrap(true);
        legendLayout->addWidget(title);
        legendLayout->addWidget(numbers);
        legendLayout->addSpacing(6);
    }
    legendLayout->addStretch();
    view(Panel::Dsg).extra = legend;

    constexpr int kSquare = 46, kPitchX = 57, kPitchY = 72;
    m_dsgBlock = new QWidget(area);
    m_dsgBlock->setObjectName(QStringLiteral("dsgBlock"));
    m_dsgBlock->setGeometry(154, 14, 6 * kPitchX + kSquare, 3 * kPitchY + 18 + kSquare);
    for (int i = 0; i < templateCount(Panel::Dsg); ++i) {
        const int x = (i % 7) * kPitchX, y = (i / 7) * kPitchY;
        newCaption(Panel::Dsg, i, m_dsgBlock, QRect(x - 4, y, kSquare + 8, 16));
        ShapeWidget* square =
            newShape(Panel::Dsg, i, ShapeWidget::Kind::Rectangle, m_dsgBlock, QRect(x, y + 18, kSquare, kSquare));
        square->setHatch(Qt::FDiagPattern);
    }
}

void FilterStage::buildNeighboursTab() {
    QWidget* area = newPage(
        Panel::Neighbours, QStringLiteral("L. sdne"), QStringLiteral(" Liczby sąsiednie - pary typu  n (n+1) "),
        {QStringLiteral("Dowolny układ liczb sąsiednich"), QStringLiteral("Szóstki bez liczb sąsiednich"),
         QStringLiteral("Szóstki z min jedą parą l. sąsiednich"), QStringLiteral("Wybrane układy liczb sąsiednich")});
    PanelView& v = view(Panel::Neighbours);
    constexpr int kPitch = 54, kOvalWidth = 18, kOvalHeight = 32;
    for (int row = 0; row < 4; ++row) {
        auto* rowWidget = new QWidget(area);
        rowWidget->setObjectName(QStringLiteral("neighboursRow") + QString::number(row));
        rowWidget->setGeometry((kPageWidth - 12 * kPitch) / 2, 10 + row * 74, 12 * kPitch, 60);
        for (int j = 0; j < 12; ++j) {
            const int position = row * 12 + j, x = j * kPitch;
            newCaption(Panel::Neighbours, position, rowWidget, QRect(x, 0, kPitch, 18));
            newShape(Panel::Neighbours, position, ShapeWidget::Kind::Ellipse, rowWidget,
                     QRect(x + kPitch / 2 - kOvalWidth - 2, 22, kOvalWidth, kOvalHeight));
            auto* twin = new ShapeWidget(ShapeWidget::Kind::Ellipse, rowWidget);
            twin->setObjectName(objectNameFor(Panel::Neighbours, "Twin", position));
            twin->setGeometry(x + kPitch / 2 + 2, 22, kOvalWidth, kOvalHeight);
            twin->setClickable(true);
            connect(twin, &ShapeWidget::clicked, this,
                    [this, position] { toggleTemplate(Panel::Neighbours, position); });
            v.twinShapes[position] = twin;
        }
        v.rows.push_back(rowWidget);
    }

    // A short glimpse of what a pair of neighbours is, before the templates come.
    auto* picture = new QFrame(area);
    picture->setObjectName(QStringLiteral("neighboursPicture"));
    picture->setFrameShape(QFrame::Panel);
    picture->setFrameShadow(QFrame::Raised);
    fillBackground(picture, kNavy);
    picture->setGeometry((kPageWidth - 300) / 2, 40, 300, 200);
    QLabel* formula = newLabel(QStringLiteral("n  (n+1)"), picture, QRect(0, 14, 300, 40), Qt::AlignCenter);
    formula->setFont(boldFont(formula, 28));
    setTextColour(formula, kYellow);
    for (int i = 0; i < 2; ++i) {
        auto* ball = new ShapeWidget(ShapeWidget::Kind::Ellipse, picture);
        ball->setGeometry(84 + i * 70, 80, 62, 62);
        ball->setFill(i == 0 ? kAqua : kLime);
        ball->setOutline(Qt::white, 3);
        ball->setText(i == 0 ? QStringLiteral("24") : QStringLiteral("25"));
        ball->setFont(boldFont(ball, 22));
    }
    QLabel* note = newLabel(QStringLiteral("24 - 25"), picture, QRect(0, 152, 300, 30), Qt::AlignCenter);
    note->setFont(boldFont(note, 16));
    setTextColour(note, Qt::white);
    v.picture = picture;
}

void FilterStage::buildPairsTab() {
    QWidget* area =
        newPage(Panel::Pairs, QStringLiteral(" Pary   "), QStringLiteral(" Pary liczb zakończone tą samą cyfrą"),
                {QStringLiteral("Dowolny układ liczb zakończonych tą samą cyfrą"),
                 QStringLiteral("Wybrane układy identycznie zakończonych par liczb")});
    constexpr int kCellWidth = kCurtainWidth * 2 / 5, kCellHeight = 150, kCircle = 40;
    auto* digits = new QWidget(area);
    digits->setObjectName(QStringLiteral("pairsDigits"));
    digits->setGeometry(0, 0, 2 * kCurtainWidth, 2 * kCellHeight);
    fillBackground(digits, kNavy);
    // Each digit has its own cell, with the numbers of that ending around its circle, clockwise from the
    // top.
    const QPoint around[5] = {{0, -46}, {22, -28}, {22, 30}, {-22, 30}, {-22, -28}};
    for (int d = 0; d < 10; ++d) {
        const QRect cellBox((d % 5) * kCellWidth + 3, (d / 5) * kCellHeight + 4, kCellWidth - 6, kCellHeight - 8);
        auto* cell = new QFrame(digits);
        cell->setGeometry(cellBox);
        fillBackground(cell, QColor(0, 0, 168));
        const QPoint centre = cellBox.center() + QPoint(1, 4);
        const QRect circle(centre.x() - kCircle / 2, centre.y() - kCircle / 2, kCircle, kCircle);
        ShapeWidget* shape = newShape(Panel::Pairs, d, ShapeWidget::Kind::Ellipse, digits, circle);
        shape->setFill(QColor(0, 0, 0, 0));
        ClickLabel* caption = newCaption(Panel::Pairs, d, digits, circle);
        setTextColour(caption, Qt::white);
        int slot = 0;
        for (int n = d; n <= kHighestNumber; n += 10) {
            if (n == 0)
                continue;
            const QPoint at = centre + around[slot++];
            QLabel* number =
                newLabel(QString::number(n), digits, QRect(at.x() - 11, at.y() - 8, 22, 16), Qt::AlignCenter);
            setTextColour(number, kSilver);
        }
    }
    const auto newCurtain = [digits](const char* name) {
        auto* curtain = new QFrame(digits);
        curtain->setObjectName(QString::fromLatin1(name));
        curtain->setFrameShape(QFrame::Panel);
        curtain->setFrameShadow(QFrame::Raised);
        curtain->setLineWidth(2);
        fillBackground(curtain, kGrey);
        curtain->resize(kCurtainWidth, digits->height());
        return curtain;
    };
    m_leftCurtain = newCurtain("leftCurtain");
    m_rightCurtain = newCurtain("rightCurtain");

    auto* options = new QGroupBox(QStringLiteral(" Opcje dodatkowe "), area);
    options->setObjectName(QStringLiteral("pairOptions"));
    options->setGeometry(digits->width() + 8, 0, kPageWidth - digits->width() - 8, digits->height());
    auto* optionsLayout = new QVBoxLayout(options);
    optionsLayout->setContentsMargins(3, 6, 3, 3);
    m_pairGroupLimit = new QButtonGroup(this);
    m_otherDigitsRule = new QButtonGroup(this);
    optionsLayout->addWidget(newRadioGroup(QStringLiteral(" Liczby zakończone tą samą cyfrą "),
                                           {QStringLiteral("tylko dwie liczby w całej szóstce"),
                                            QStringLiteral("dopuszczalny również układ trójki"),
                                            QStringLiteral("dopuszczalny układ trójki i czwórki ")},
                                           m_pairGroupLimit, options, QStringLiteral("pairGroupLimit")));
    optionsLayout->addWidget(newRadioGroup(
        QStringLiteral(" Reszta liczb tworzących szóstke  "),
        {QStringLiteral("Dowolny układ pozostałych liczb"), QStringLiteral("Dopuszczalne tylko wybrane pary"),
         QStringLiteral("Dopuszczalne inne nie wybrane pary"), QStringLiteral("Pozostałe liczby nie tworzą par")},
        m_otherDigitsRule, options, QStringLiteral("otherDigitsRule")));
    optionsLayout->addStretch();
    connect(m_pairGroupLimit, &QButtonGroup::idClicked, this, [this](int id) {
        m_session.model().setPairGroupLimit(static_cast<std::uint8_t>(id));
        m_session.changed();
    });
    connect(m_otherDigitsRule, &QButtonGroup::idClicked, this, [this](int id) {
        m_session.model().setOtherDigitsRule(static_cast<std::uint8_t>(id));
        m_session.changed();
    });
    view(Panel::Pairs).extra = options;
}

void FilterStage::buildFilterSetButtons() {
    // In the free corner right of the tabs, where they move none of the tabs' own controls.
    auto* corner = new QWidget(m_tabs);
    corner->setObjectName(QStringLiteral("filterSetButtons"));
    auto* layout = new QHBoxLayout(corner);
    layout->setContentsMargins(0, 0, 2, 0);
    layout->setSpacing(1);
    const auto addButton = [&](const char* name, QStyle::StandardPixmap icon, const QString& hint,
                               void (FilterStage::*clicked)()) {
        auto* button = new QToolButton(corner);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(style()->standardIcon(icon));
        button->setToolTip(hint);
        button->setAccessibleName(hint);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, clicked);
        layout->addWidget(button);
    };
    addButton("saveFiltersButton", QStyle::SP_DialogSaveButton, QStringLiteral("Zapisz filtry"),
              &FilterStage::saveFiltersClicked);
    addButton("openFiltersButton", QStyle::SP_DialogOpenButton, QStringLiteral("Otwórz filtry"),
              &FilterStage::openFiltersClicked);
    m_tabs->setCornerWidget(corner, Qt::TopRightCorner);
}

void FilterStage::buildGapsTab() {
    QWidget* area = newPage(Panel::Gaps, QStringLiteral(" Odlg   "), QStringLiteral(" Różnica dwóch sąsiednich liczb"),
                            {QStringLiteral("Dowolna odległość pomiędzy kolejnymi liczbami"),
                             QStringLiteral("Ustalona odległość dwóch kolejnych liczb")});
    // A V: "1" to "8" down the left edge, "9" beside the foot, "10" to "16" climbing to the top middle.
    constexpr int kWidth = 56, kPitchY = 39, kLeft = 12, kTop = 4, kFootStep = 68, kClimbStep = 34;
    for (int i = 0; i < templateCount(Panel::Gaps); ++i) {
        QPoint at;
        if (i < 8)
            at = QPoint(kLeft, kTop + i * kPitchY);
        else
            at = QPoint(kLeft + kFootStep + (i - 8) * kClimbStep, kTop + (15 - i) * kPitchY);
        newCaption(Panel::Gaps, i, area, QRect(at.x(), at.y(), kWidth, 15));
        newShape(Panel::Gaps, i, ShapeWidget::Kind::JoinedCircles, area, QRect(at.x(), at.y() + 16, kWidth, 20));
    }

    auto* note = new QGroupBox(QStringLiteral(" Uwaga "), area);
    note->setObjectName(QStringLiteral("gapsNote"));
    note->setGeometry(kPageWidth - 230, 10, 220, 130);
    auto* noteLayout = new QVBoxLayout(note);
    noteLayout->setSpacing(0);
    for (const char* line : {"W minimu jednej z pięciu ", "różnic w każdej szóstce,", "wystąpić musi dowolna ",
                             "wybrana z listy odległo", "ść "})
        noteLayout->addWidget(new QLabel(QString::fromUtf8(line), note));
    view(Panel::Gaps).extra = note;
}

} // namespace selektor
