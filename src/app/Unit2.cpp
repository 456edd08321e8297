#include "app/Unit2.h"

#include "app/FilterColours.h"
#include "app/Pictures.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace selektor {

namespace {

class EmblemPicture : public QWidget {
public:
    explicit EmblemPicture(QWidget* parent) : QWidget(parent) { setFixedSize(96, 96); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintEmblem(painter, QRectF(rect()).adjusted(4, 4, -4, -4));
    }
};

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QStringLiteral("Selektor - info"));
    setModal(false);

    auto* texts = new QVBoxLayout;
    texts->addWidget(colouredLabel(QStringLiteral("Selektor"), colours::kPurple, 36, TextStyle::Bold, this));
    texts->addWidget(
        colouredLabel(QStringLiteral("Z ukrytych archiwów KPW"), colours::kPurple, 14, TextStyle::Plain, this));
    texts->addSpacing(10);
    texts->addWidget(colouredLabel(QStringLiteral("GRABIX"), colours::kNavy, 16, TextStyle::Bold, this));
    // Which version is running: the first thing asked when a player reports a fault.
    auto* version = new QLabel(QStringLiteral("Wersja %1").arg(QLatin1String(SELEKTOR_VERSION)), this);
    version->setObjectName(QStringLiteral("aboutVersionLabel"));
    texts->addSpacing(6);
    texts->addWidget(version);
    texts->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(new EmblemPicture(this), 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("aboutOkButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint().expandedTo(QSize(340, 0)));
}

void TAboutBox::showCentred() {
    if (!isVisible()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

} // namespace selektor
