#include "app/GeneratorListModel.h"

#include "generator/ResultCheck.h"

#include <algorithm>
#include <limits>

namespace selektor {

namespace {

// A system line is 18 characters. A file's line far longer than that is no system line, and shown whole
// (ten million characters, say) it would keep the list busy for seconds and fill the memory: it is cut.
constexpr std::size_t kLongestShownLine = 300;

int clampedSize(std::size_t size) {
    // A list view addresses rows with int; a longer system shows its first rows only.
    return static_cast<int>(std::min<std::size_t>(size, std::numeric_limits<int>::max()));
}

} // namespace

GeneratorListModel::GeneratorListModel(const LotterySystem& system, QObject* parent)
    : QAbstractListModel(parent), m_system(system), m_shownRows(clampedSize(system.size())) {}

int GeneratorListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shownRows;
}

QVariant GeneratorListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_shownRows)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= m_system.size())
        return {};
    // System files are 8-bit text; each byte is shown as the character it stands for.
    std::string line;
    m_system.appendLineTo(row, line, kLongestShownLine + 1);
    if (line.size() <= kLongestShownLine)
        return QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
    return QString::fromLatin1(line.data(), static_cast<qsizetype>(kLongestShownLine)) + QChar(0x2026);
}

void GeneratorListModel::sync(std::uint64_t revision) {
    const int size = clampedSize(m_system.size());
    if (revision != m_revision || size < m_shownRows) {
        beginResetModel();
        m_revision = revision;
        m_shownRows = size;
        endResetModel();
        return;
    }
    if (size == m_shownRows)
        return;
    beginInsertRows(QModelIndex(), m_shownRows, size - 1);
    m_shownRows = size;
    endInsertRows();
}

HitListModel::HitListModel(Column column, QObject* parent) : QAbstractListModel(parent), m_column(column) {}

int HitListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_lineNumbers.size());
}

QString HitListModel::entry(int row) const {
    const std::int32_t number = m_lineNumbers[static_cast<std::size_t>(row)];
    if (m_column == Column::LineNumbers)
        return QString::number(number);
    return QString::fromStdString(couponPosition(number - 1));
}

QVariant HitListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return entry(index.row());
}

void HitListModel::show(const std::vector<std::int32_t>& lineNumbers) {
    if (lineNumbers == m_lineNumbers)
        return;
    beginResetModel();
    m_lineNumbers = lineNumbers;
    endResetModel();
}

} // namespace selektor
