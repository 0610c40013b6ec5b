#include "ui/models/StatisticsModel.h"

#include <QFont>

namespace vormid {

TStatisticsModel::TStatisticsModel(QObject* parent) : QAbstractTableModel(parent) {}

void TStatisticsModel::SetQuantity(const TGumParam* q, const TNumberFormatSettings& settings) {
    // The grid's shape never changes: the values are announced as changed.
    table_ = q != nullptr ? StatisticsTable(*q, settings) : TStatTable{};
    emit dataChanged(index(0, 0), index(kStatRows - 1, 2 * kStatPairs - 1),
                     {Qt::DisplayRole, static_cast<int>(Role::Exponent)});
}

int TStatisticsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kStatRows; }
int TStatisticsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2 * kStatPairs; }

QVariant TStatisticsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const TStatCell& cell = table_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column() / 2)];
    const bool label = index.column() % 2 == 0;
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromUtf8(label ? cell.Label : cell.Value.Mantissa.c_str());
        case static_cast<int>(Role::Exponent):
            return label ? QString() : QString::fromStdString(cell.Value.Exponent);
        case Qt::TextAlignmentRole:
            return label ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
    }
}

}  // namespace vormid
