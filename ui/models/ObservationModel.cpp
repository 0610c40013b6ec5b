#include "ui/models/ObservationModel.h"

#include <QBrush>
#include <QColor>

#include "ui/TextCodec.h"

namespace vormid {

TObservationModel::TObservationModel(QObject* parent) : TKeyedTableModel(parent) {}

TKeys TObservationModel::Rows() const {
    // Rows told apart by their place only: the count changes at the end.
    return TKeys(q_ != nullptr ? static_cast<std::size_t>(TObservationGrid(*q_).RowCount()) : 0);
}

TKeys TObservationModel::Columns() const {
    TKeys keys;
    if (q_ == nullptr) return keys;
    const TObservationGrid grid(*q_);
    for (int c = 0; c < grid.ColumnCount(); ++c) keys.push_back(std::to_string(static_cast<int>(grid.Column(c))));
    return keys;
}

void TObservationModel::SetQuantity(const TGumParam* q, const TNumberFormatSettings* settings) {
    if (q == q_ && settings == settings_) return Refresh();
    q_ = q;
    settings_ = settings;
    ResetTo(Rows(), Columns());
}

void TObservationModel::Refresh() { Show(Rows(), Columns()); }

bool TObservationModel::Live(const QModelIndex& index, TObsCell& at) const {
    if (q_ == nullptr || !index.isValid()) return false;
    at = {LiveRow(index.row()), LiveColumn(index.column())};
    const TObservationGrid grid(*q_);
    return at.Row >= 0 && at.Row < grid.RowCount() && at.Column >= 0 && at.Column < grid.ColumnCount();
}

QVariant TObservationModel::data(const QModelIndex& index, int role) const {
    TObsCell at;
    if (!Live(index, at)) return {};
    const TObservationGrid grid(*q_);
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
    const int column = LiveColumn(section);
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || q_ == nullptr || column < 0) return {};
    switch (TObservationGrid(*q_).Column(column)) {
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
    TObsCell at;
    if (!Live(index, at)) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (TObservationGrid(*q_).Editable(at.Column)) f |= Qt::ItemIsEditable;
    return f;
}

bool TObservationModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid()) return false;
    emit cellTyped(index.row(), index.column(), value.toString());
    return false;
}

}  // namespace vormid
