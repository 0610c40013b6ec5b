#include "ui/models/CorrelationModel.h"

#include <QBrush>
#include <QFont>

#include "core/GumModel.h"
#include "ui/TextCodec.h"
#include "ui/widgets/NameDelegate.h"
#include "ui/widgets/NameMarkupPainter.h"

namespace vormid {

const TKeys kColumns = {"0", "1", "2"};

CorrelationModel::CorrelationModel(QObject* parent) : TKeyedTableModel(parent) { ResetTo(Rows(), kColumns); }

bool CorrelationModel::HasPairs() const { return model_ && model_->Correlations.Count() > 0; }

TKeys CorrelationModel::Rows() const {
    TKeys keys;
    for (int i = 0; model_ && i < model_->Correlations.Count(); ++i)
        keys.push_back(model_->Correlations.GetName1(i) + '\0' + model_->Correlations.GetName2(i));
    if (keys.empty()) keys.emplace_back();
    return keys;
}

void CorrelationModel::Reset(const TGumModel* model) {
    model_ = model;
    ResetTo(Rows(), kColumns);
}

void CorrelationModel::Refresh() { Show(Rows(), kColumns); }

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
    const TCorrelationPair* p = model_->Correlations.Get(LiveRow(index.row()));
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
            if (Stale(LiveRow(index.row()))) return QBrush(Qt::gray);
            return {};
        case Qt::ToolTipRole:
            if (Stale(LiveRow(index.row())))
                return QStringLiteral(
                    "Величина от двойката вече не е входна величина от тип А или тип Б: "
                    "коефициентът не влиза в бюджета. Двойката се пази, докато не бъде "
                    "изтрита или коригирана.");
            return {};
        case static_cast<int>(Role::Stale):
            return Stale(LiveRow(index.row()));
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
