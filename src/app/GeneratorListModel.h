#pragma once

#include <QAbstractListModel>
#include <string>
#include <vector>

namespace selektor {

// The generator list as the list view sees it: a window onto the stage's lines, which the generator
// engine fills directly. The model only tells the view what changed, so a system of 30000 lines or a
// file of a million lines appears at once instead of being copied item by item.
class GeneratorListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit GeneratorListModel(const std::vector<std::string>& lines, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The lines were replaced as a whole (a new system, an opened file, an emptied list).
    void linesReplaced();
    // Lines were added at the end since the view last heard of the list (a simulation accepted one).
    void linesAppended();

private:
    const std::vector<std::string>& m_lines;
    int m_shownRows = 0; // what the view knows of; never more than the lines there are
};

} // namespace selektor
