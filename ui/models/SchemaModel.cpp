#include "ui/models/SchemaModel.h"

#include <QFont>

#include "ui/TextCodec.h"

namespace vormid {

TSchemaModel::TSchemaModel(QObject* parent) : QAbstractTableModel(parent) {}

void TSchemaModel::SetQuantity(const TGumParam* q) {
    beginResetModel();
    q_ = q;
    rows_ = rowCount();
    endResetModel();
}

void TSchemaModel::Refresh() {
    // A reset would lose the selected line; a rename keeps the shape.
    if (rowCount() == rows_) {
        emit dataChanged(index(0, 0), index(rows_ - 1, 1));
        return;
    }
    beginResetModel();
    rows_ = rowCount();
    endResetModel();
}

int TSchemaModel::LineCount() const { return q_ == nullptr ? 0 : static_cast<int>(q_->SchemaColumns.size()); }

int TSchemaModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : std::max(1, LineCount()); }
int TSchemaModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant TSchemaModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const bool exists = index.row() < LineCount();
    if (index.column() == 0) {
        if (role == Qt::DisplayRole) return exists ? QString::number(index.row() + 1) : QString();
        if (role == Qt::FontRole) {
            QFont f;
            f.setBold(true);
            return f;
        }
        if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
        return {};
    }
    if ((role == Qt::DisplayRole || role == Qt::EditRole) && exists)
        return FromCp1251(q_->SchemaColumns[static_cast<std::size_t>(index.row())]);
    return {};
}

QVariant TSchemaModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return section == 0 ? QStringLiteral("No") : QStringLiteral("Указание");
}

Qt::ItemFlags TSchemaModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 1 && index.row() < LineCount()) f |= Qt::ItemIsEditable;
    return f;
}

bool TSchemaModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() != 1) return false;
    emit lineTyped(index.row(), value.toString());
    return false;
}

}  // namespace vormid
