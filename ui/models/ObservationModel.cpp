#include "ui/models/ObservationModel.h"

#include <QBrush>
#include <QColor>

#include "ui/TextCodec.h"

namespace vormid {

TObservationModel::TObservationModel(QObject* parent) : QAbstractTableModel(parent) {}

void TObservationModel::SetQuantity(const TGumParam* q, const TNumberFormatSettings* settings) {
    beginResetModel();
    q_ = q;
    settings_ = settings;
    endResetModel();
    rows_ = rowCount();
    columns_ = columnCount();
}

void TObservationModel::Refresh() {
    // A reset would close an editor that is still committing; when the shape
    // stands, the values are announced as changed instead.
    const int rows = rowCount(), columns = columnCount();
    if (rows != rows_ || columns != columns_) {
        beginResetModel();
        endResetModel();
    } else if (rows > 0 && columns > 0) {
        emit dataChanged(index(0, 0), index(rows - 1, columns - 1));
    }
    rows_ = rows;
    columns_ = columns;
}

int TObservationModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || q_ == nullptr ? 0 : TObservationGrid(*q_).RowCount();
}

int TObservationModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || q_ == nullptr ? 0 : TObservationGrid(*q_).ColumnCount();
}

QVariant TObservationModel::data(const QModelIndex& index, int role) const {
    if (q_ == nullptr || !index.isValid()) return {};
    const TObservationGrid grid(*q_);
    const TObsCell at{index.row(), index.column()};
    static const TNumberFormatSettings kDefaults;
    const TNumberFormatSettings& s = settings_ != nullptr ? *settings_ : kDefaults;
    switch (role) {
        case Qt::DisplayRole:
            return FromCp1251(grid.DisplayText(at, s).Mantissa);
        case static_cast<int>(Role::Exponent):
            return FromCp1251(grid.DisplayText(at, s).Exponent);
        case Qt::EditRole:
            return FromCp1251(grid.EditText(at));
        case Qt::TextAlignmentRole: {
            const TObsColumn c = grid.Column(at.Column);
            if (c == TObsColumn::Line) return int(Qt::AlignLeft | Qt::AlignVCenter);
            if (c == TObsColumn::Number) return int(Qt::AlignCenter);
            return int(Qt::AlignRight | Qt::AlignVCenter);
        }
        case Qt::BackgroundRole:
            if (grid.Shaded(at.Row)) return QBrush(QColor(236, 233, 216));
            return {};
        default:
            return {};
    }
}

QVariant TObservationModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || q_ == nullptr) return {};
    switch (TObservationGrid(*q_).Column(section)) {
        case TObsColumn::Number:
            return QStringLiteral("No");
        case TObsColumn::Value:
            return QStringLiteral("Изм. стойност");
        case TObsColumn::Count:
            return QStringLiteral("Брой регистрирани");
        case TObsColumn::Line:
            return QStringLiteral("Указание");
        case TObsColumn::Reading:
            return QStringLiteral("Отчетено");
        case TObsColumn::Observation:
            return QStringLiteral("Наблюдение");
    }
    return {};
}

Qt::ItemFlags TObservationModel::flags(const QModelIndex& index) const {
    if (q_ == nullptr || !index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (TObservationGrid(*q_).Editable(index.column())) f |= Qt::ItemIsEditable;
    return f;
}

bool TObservationModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid()) return false;
    emit cellTyped(index.row(), index.column(), value.toString());
    return false;
}

}  // namespace vormid
