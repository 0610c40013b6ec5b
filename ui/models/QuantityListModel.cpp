#include "ui/models/QuantityListModel.h"

#include <QApplication>
#include <QFont>
#include <QStyle>
#include <algorithm>

#include "core/GumParam.h"
#include "core/TextFields.h"
#include "ui/ModelController.h"
#include "ui/TextCodec.h"
#include "ui/widgets/ByteLimitValidator.h"
#include "ui/widgets/NameDelegate.h"
#include "ui/widgets/NameMarkupPainter.h"

namespace vormid {

TQuantityListModel::TQuantityListModel(TModelController& controller, QObject* parent)
    : TKeyedTableModel(parent), controller_(controller) {
    ResetTo(Rows(), Columns());
    connect(&controller_, &TModelController::quantitiesReset, this, &TQuantityListModel::Refresh);
    connect(&controller_, &TModelController::quantityChanged, this, &TQuantityListModel::Refresh);
    connect(&controller_, &TModelController::modelReplaced, this, [this] { ResetTo(Rows(), Columns()); });
}

TKeys TQuantityListModel::Rows() const {
    const TGumParams& params = controller_.Model().Params;
    TKeys names;
    for (int i = 0; i < params.Count(); ++i) names.push_back(params.Get(i)->Name);
    // An empty model still shows one (empty) row under the header.
    if (names.empty()) names.emplace_back();
    return names;
}

TKeys TQuantityListModel::Columns() const { return TKeys(wide_ ? 3 : 1); }

void TQuantityListModel::SetWide(bool wide) {
    if (wide == wide_) return;
    wide_ = wide;
    Refresh();
    emit headerDataChanged(Qt::Horizontal, colName, colName);  // its arrow turns
}

QVariant TQuantityListModel::data(const QModelIndex& index, int role) const {
    const TGumParam* q = controller_.Model().Params.Get(LiveRow(index.row()));
    const int column = LiveColumn(index.column());
    if (!q || column < 0 || column >= (wide_ ? 3 : 1)) return {};
    const std::string& text = column == colName ? q->Name : column == colUnits ? q->Units : q->Description;
    switch (role) {
        case Qt::DisplayRole:
            return column == colDescription ? FromCp1251(text) : NameMarkupPlainText(text);
        case Qt::EditRole:
            return FromCp1251(text);
        case Qt::ToolTipRole:
            return column == colDescription ? FromCp1251(text) : QVariant();
        case Qt::FontRole:
            if (column == colName) {
                QFont f = QApplication::font();
                f.setBold(true);
                return f;
            }
            return {};
        default:
            // What the file keeps of the units markup and of the description.
            if (role == static_cast<int>(TItemRole::MaxBytes) && column != colName)
                return static_cast<int>(column == colUnits ? kText101.Text : kText256.Text);
            if (role == static_cast<int>(TItemRole::NameMarkup) && column != colDescription)
                return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
            return {};
    }
}

QVariant TQuantityListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) {
        switch (section) {
            case colName:
                return QStringLiteral("Величина");
            case colUnits:
                return QStringLiteral("Изм. ед.");
            case colDescription:
                return QStringLiteral("Описание");
            default:
                return {};
        }
    }
    if (role == Qt::DecorationRole && section == colName)
        return QApplication::style()->standardIcon(wide_ ? QStyle::SP_ArrowLeft : QStyle::SP_ArrowRight);
    if (role == Qt::ToolTipRole && section == colName)
        return wide_ ? QStringLiteral("Към редактора на величината") : QStringLiteral("Списък с единици и описания");
    return {};
}

Qt::ItemFlags TQuantityListModel::flags(const QModelIndex& index) const {
    // The empty row of an empty list holds nothing to select or edit.
    if (index.isValid() && controller_.Model().Params.Get(LiveRow(index.row())) == nullptr) return Qt::ItemIsEnabled;
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() != colName) f |= Qt::ItemIsEditable;
    return f;
}

bool TQuantityListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() == colName) return false;
    // Nothing is stored that the file would cut or turn into "?".
    const QString text = value.toString();
    if (FieldTextFault(text, data(index, static_cast<int>(TItemRole::MaxBytes)).toInt()) != TFieldTextFault::None)
        return false;
    const std::string bytes = ToCp1251(text);
    const bool units = index.column() == colUnits;
    return controller_.EditQuantity(LiveRow(index.row()),
                                    [&](TGumParam& q) { (units ? q.Units : q.Description) = bytes; });
}

}  // namespace vormid
