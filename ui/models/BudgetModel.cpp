#include "ui/models/BudgetModel.h"

#include "core/GumModel.h"
#include "ui/TextCodec.h"
#include "ui/widgets/BudgetMarkup.h"

namespace vormid {
namespace {

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

BudgetModel::BudgetModel(QObject* parent) : QAbstractTableModel(parent) {}
BudgetModel::~BudgetModel() = default;

void BudgetModel::Reset(const TGumModel* model, const TDisplayState* display, int budget) {
    beginResetModel();
    table_.reset();
    index_.reset();
    rows_.clear();
    columns_.clear();
    model_ = model;
    display_ = display;
    if (model && display && budget >= 0 && budget < static_cast<int>(model->Budgets.size())) {
        index_ = std::make_unique<TQuantityIndex>(model->Params);
        table_ = std::make_unique<TBudgetTable>(*model->Budgets[static_cast<std::size_t>(budget)], *index_,
                                                model->FormatSettings, *display, model->Correlations);
        rows_ = table_->Rows();
        columns_ = table_->VisibleColumns();
    }
    endResetModel();
}

int BudgetModel::LogicalColumn(int column) const {
    return column >= 0 && column < static_cast<int>(columns_.size()) ? columns_[static_cast<std::size_t>(column)] : -1;
}

const TBudgetEntry* BudgetModel::EntryAt(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(row)] : nullptr;
}

int BudgetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}
int BudgetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant BudgetModel::data(const QModelIndex& index, int role) const {
    const TBudgetEntry* e = EntryAt(index.row());
    const int column = LogicalColumn(index.column());
    if (!table_ || !e || column < 0) return {};
    switch (role) {
        case CellRole:
            return QVariant::fromValue(table_->Cell(*e, column));
        case Qt::DisplayRole:
            return CellPlainText(table_->Cell(*e, column));
        case KindRole:
            return static_cast<int>(table_->KindOf(*e));
        case LogicalColumnRole:
            return column;
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        default:
            return {};
    }
}

QVariant BudgetModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || !display_) return {};
    const int column = LogicalColumn(section);
    if (column < 0) return {};
    if (role == Qt::DisplayRole) return Utf8(BudgetHeader(column, display_->ChartShowsContribution));
    if (role == LogicalColumnRole) return column;
    return {};
}

Qt::ItemFlags BudgetModel::flags(const QModelIndex& index) const {
    // Cells of the budget cannot be selected.
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

QString CellPlainText(const TBudgetCell& c) {
    switch (c.Kind) {
        case TBudgetCellKind::Empty:
        case TBudgetCellKind::Bar:
            return {};
        case TBudgetCellKind::Name:
            return MarkupPlain(c.Markup);
        case TBudgetCellKind::Text:
            return Utf8(c.Text);
        case TBudgetCellKind::Dof:
            return (c.Infinite ? QStringLiteral("∞") : QString::number(c.Dof)) +
                   (c.Approximate ? QStringLiteral("*") : QString());
        case TBudgetCellKind::Number: {
            QString t = Utf8(c.Text) + FromCp1251(c.Number.Mantissa);
            if (!c.Number.Exponent.empty()) t += QLatin1Char('^') + FromCp1251(c.Number.Exponent);
            if (!c.Suffix.empty()) t += QLatin1Char(' ') + MarkupPlain(c.Suffix);
            return t;
        }
    }
    return {};
}

QString CellHtml(const TBudgetCell& c) {
    switch (c.Kind) {
        case TBudgetCellKind::Name: {
            const QString t = MarkupHtml(c.Markup);
            return c.Bold ? "<b>" + t + "</b>" : t;
        }
        case TBudgetCellKind::Number: {
            QString t = Utf8(c.Text).toHtmlEscaped() + FromCp1251(c.Number.Mantissa).toHtmlEscaped();
            if (!c.Number.Exponent.empty()) t += "<sup>" + FromCp1251(c.Number.Exponent).toHtmlEscaped() + "</sup>";
            if (!c.Suffix.empty()) t += QLatin1Char(' ') + MarkupHtml(c.Suffix);
            return t;
        }
        default: {
            const QString t = CellPlainText(c).toHtmlEscaped();
            return c.Bold ? "<b>" + t + "</b>" : t;
        }
    }
}

}  // namespace vormid
