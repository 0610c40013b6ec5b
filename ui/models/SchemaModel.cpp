#include "ui/models/SchemaModel.h"

#include <QFont>

#include "ui/TextCodec.h"

namespace vormid {
namespace {

const TKeys kColumns = {"No", "line"};

}  // namespace

TSchemaModel::TSchemaModel(QObject* parent) : TKeyedTableModel(parent) { ResetTo(Rows(), kColumns); }

TKeys TSchemaModel::Rows() const {
    TKeys lines = q_ != nullptr ? q_->SchemaColumns : TKeys{};
    if (lines.empty()) lines.emplace_back();
    return lines;
}

void TSchemaModel::SetQuantity(const TGumParam* q) {
    q_ = q;
    ResetTo(Rows(), kColumns);
}

void TSchemaModel::Refresh() { Show(Rows(), kColumns); }

int TSchemaModel::LineCount() const { return q_ == nullptr ? 0 : static_cast<int>(q_->SchemaColumns.size()); }

int TSchemaModel::Line(int row) const {
    const int line = LiveRow(row);
    return line >= 0 && line < LineCount() ? line : -1;
}

QVariant TSchemaModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int line = Line(index.row());
    if (index.column() == 0) {
        if (role == Qt::DisplayRole) return line >= 0 ? QString::number(line + 1) : QString();
        if (role == Qt::FontRole) {
            QFont f;
            f.setBold(true);
            return f;
        }
        if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
        return {};
    }
    if ((role == Qt::DisplayRole || role == Qt::EditRole) && line >= 0)
        return FromCp1251(q_->SchemaColumns[static_cast<std::size_t>(line)]);
    return {};
}

QVariant TSchemaModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return section == 0 ? QStringLiteral("No") : QStringLiteral("Указание");
}

Qt::ItemFlags TSchemaModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 1 && Line(index.row()) >= 0) f |= Qt::ItemIsEditable;
    return f;
}

bool TSchemaModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() != 1) return false;
    emit lineTyped(index.row(), value.toString());
    return false;
}

}  // namespace vormid
