#include "app/GeneratorListModel.h"

#include <limits>

namespace selektor {

namespace {
int clampedSize(const std::vector<std::string>& lines) {
    // A list view addresses rows with int; a file longer than that shows its first rows only.
    return static_cast<int>(std::min<std::size_t>(lines.size(), std::numeric_limits<int>::max()));
}
} // namespace

GeneratorListModel::GeneratorListModel(const std::vector<std::string>& lines, QObject* parent)
    : QAbstractListModel(parent), m_lines(lines), m_shownRows(clampedSize(lines)) {}

int GeneratorListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shownRows;
}

QVariant GeneratorListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_shownRows)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= m_lines.size())
        return {};
    // System files are 8-bit text; each byte is shown as the character it stands for.
    const std::string& line = m_lines[row];
    return QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
}

void GeneratorListModel::linesReplaced() {
    beginResetModel();
    m_shownRows = clampedSize(m_lines);
    endResetModel();
}

void GeneratorListModel::linesAppended() {
    const int size = clampedSize(m_lines);
    if (size < m_shownRows) {
        linesReplaced();
        return;
    }
    if (size == m_shownRows)
        return;
    beginInsertRows(QModelIndex(), m_shownRows, size - 1);
    m_shownRows = size;
    endInsertRows();
}

} // namespace selektor
