#include "ui/models/CorrelationModel.h"

#include <QBrush>
#include <QFont>

#include "core/GumModel.h"
#include "ui/TextCodec.h"
#include "ui/widgets/NameDelegate.h"
#include "ui/widgets/NameMarkupPainter.h"

namespace vormid {

CorrelationModel::CorrelationModel(QObject* parent) : QAbstractTableModel(parent) {}

bool CorrelationModel::HasPairs() const { return model_ && model_->Correlations.Count() > 0; }

int CorrelationModel::Rows() const { return std::max(1, model_ ? model_->Correlations.Count() : 0); }

void CorrelationModel::Reset(const TGumModel* model) {
    beginResetModel();
    model_ = model;
    rows_ = Rows();
    endResetModel();
}

void CorrelationModel::Refresh() {
    if (Rows() != rows_) {
        Reset(model_);
        return;
    }
    emit dataChanged(index(0, 0), index(rows_ - 1, colCoefficient));
}

int CorrelationModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int CorrelationModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

bool CorrelationModel::IsInput(const std::string& name) const {
    const TGumParam* q = model_ ? model_->Params.FindByName(name) : nullptr;
    return q && IsInputKind(q->Kind);
}

bool CorrelationModel::Stale(int row) const {
    if (!model_) return false;
    const TCorrelationPair* p = model_->Correlations.Get(row);
    if (!p) return false;
    return (!p->Name1.empty() && !IsInput(p->Name1)) || (!p->Name2.empty() && !IsInput(p->Name2));
}

QVariant CorrelationModel::data(const QModelIndex& index, int role) const {
    if (!model_ || !index.isValid()) return {};
    const TCorrelationPair* p = model_->Correlations.Get(index.row());
    if (!p) return {};
    const bool name = index.column() != colCoefficient;
    const std::string& markup = index.column() == colName1 ? p->Name1 : p->Name2;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            if (name) return NameMarkupPlainText(markup);
            return FromCp1251(p->CoefficientText);
        case static_cast<int>(TItemRole::NameMarkup):
            if (name) return QByteArray::fromStdString(markup);
            return {};
        case Qt::FontRole: {
            QFont f;
            f.setBold(name);
            return f;
        }
        case Qt::ForegroundRole:
            if (Stale(index.row())) return QBrush(Qt::gray);
            return {};
        case Qt::ToolTipRole:
            if (Stale(index.row()))
                return QStringLiteral(
                    "Величина от двойката вече не е входна величина от тип А или тип Б: "
                    "коефициентът не влиза в бюджета. Двойката се пази, докато не бъде "
                    "изтрита или коригирана.");
            return {};
        case StaleRole:
            return Stale(index.row());
        default:
            return {};
    }
}

QVariant CorrelationModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const headers[] = {"Величина 1", "Величина 2", "Коефициент"};
    return section >= 0 && section < 3 ? QString::fromUtf8(headers[section]) : QVariant();
}

}  // namespace vormid
