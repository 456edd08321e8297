#pragma once

// The generator list as the list view sees it: a window onto the model's system. The model only tells
// the view what changed, so a system of 30000 lines or a file of a million lines appears at once
// instead of being copied item by item.

#include "generator/LotterySystem.h"

#include <QAbstractListModel>
#include <cstdint>

namespace selektor {

class GeneratorListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit GeneratorListModel(const LotterySystem& system, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Brings the view up to date: the whole list when the system was replaced (a new revision), only the
    // new lines when a simulation added some.
    void sync(std::uint64_t revision);

private:
    const LotterySystem& m_system;
    std::uint64_t m_revision = 0;
    int m_shownRows = 0; // what the view knows of; never more than the lines there are
};

// One list of " Sprawdzanie wyników ": the line numbers of a hit class ("Lista") or their coupon
// positions ("Kupon nr.poz"), made as the view asks for them.
class HitListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum class Column { LineNumbers, CouponPositions };
    explicit HitListModel(Column column, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The entries to show; an empty list for blank results.
    void show(const std::vector<std::int32_t>& lineNumbers);
    QString entry(int row) const;

private:
    Column m_column;
    std::vector<std::int32_t> m_lineNumbers;
};

} // namespace selektor
