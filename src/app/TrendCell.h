#pragma once

// One trend of the statistics area: three places stacked 8 pixels apart, filled with green upward or red
// downward triangles as the level says, or a silver "=" in the middle for level 0. The triangles are
// painted, so they look the same whatever fonts the machine has.

#include <QWidget>

namespace selektor {

class TrendCell : public QWidget {
    Q_OBJECT
public:
    explicit TrendCell(QWidget* parent = nullptr);

    void setLevel(int level);
    int level() const { return m_level; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The distance between the places, and the height of the band each place is drawn in.
    static constexpr int kPlaceDistance = 8;
    static constexpr int kGlyphHeight = 7;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_level = 0;
};

} // namespace selektor
