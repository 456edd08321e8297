#pragma once

// The upper part of the draw history window: the stored draws under their column header, one of them
// selectable, and below them the strip that tells for every Number how many draws ago it last came up.

#include <QWidget>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QLabel;
class QListWidget;

namespace selektor {

// "Losowania": the lines of "Losowania.txt" in a monospaced face, oldest first.
class DrawListPanel : public QWidget {
    Q_OBJECT
public:
    explicit DrawListPanel(QWidget* parent = nullptr);

    // Shows the model's lines; when they changed the last line is selected, as after loading.
    void showLines(const std::vector<std::string>& lines);
    // The line the player selected, -1 for none.
    int selectedDrawIndex() const { return m_selected; }
    void selectLast();
    void selectNone();
    // The line at the top of the list's view, -1 when there is none; and the view brought back to show
    // a line at its top (or as near it as the list's end allows).
    int topShownRow() const;
    void showFromRow(int row);

private:
    void select(int row);
    void selectionChanged();

    QListWidget* m_list = nullptr;
    std::vector<std::string> m_shown;
    int m_selected = -1;
};

// " Liczba" and "Ostatni raz wylos." for Numbers 1 to 25 and 26 to 49.
class RecencyStrip : public QWidget {
    Q_OBJECT
public:
    explicit RecencyStrip(QWidget* parent = nullptr);
    void showRecency(const std::array<std::uint8_t, 49>& recency);

private:
    std::array<QLabel*, 49> m_values{};
};

} // namespace selektor
