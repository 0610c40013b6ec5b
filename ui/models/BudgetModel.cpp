#include "ui/models/BudgetModel.h"

#include "core/GumModel.h"
#include "ui/widgets/BudgetMarkup.h"

namespace vormid {

BudgetModel::BudgetModel(QObject* parent) : TKeyedTableModel(parent) {}
BudgetModel::~BudgetModel() = default;

void BudgetModel::Reset(const TGumModel* model, const TDisplayState* display, int budget) {
    const bool same = table_ && model == model_ && display == display_ && budget == budget_;
    std::unique_ptr<TBudgetTable> table;
    std::unique_ptr<TQuantityIndex> index;
    if (model && display && budget >= 0 && budget < static_cast<int>(model->Budgets.size())) {
        index = std::make_unique<TQuantityIndex>(model->Params);
        table = std::make_unique<TBudgetTable>(*model->Budgets[static_cast<std::size_t>(budget)], *index,
                                               model->FormatSettings, *display, model->Correlations);
    }
    // The old table refers to the old index: both go together.
    table_ = std::move(table);
    index_ = std::move(index);
    model_ = model;
    display_ = display;
    budget_ = budget;
    rows_ = table_ ? table_->Rows() : std::vector<const TBudgetEntry*>{};
    columns_ = table_ ? table_->VisibleColumns() : std::vector<int>{};
    TKeys rows, columns;
    for (const TBudgetEntry* e : rows_) rows.push_back(e->Name);
    // The graph column's header follows what it draws.
    for (int c : columns_)
        columns.push_back(std::to_string(c) + (c == kBudgetGraphColumn && !display->ChartShowsContribution ? "i" : ""));
    if (same && table_)
        Show(rows, columns);
    else
        ResetTo(std::move(rows), std::move(columns));
    emit tableChanged();
}

int BudgetModel::LogicalColumn(int column) const {
    column = LiveColumn(column);
    return column >= 0 && column < static_cast<int>(columns_.size()) ? columns_[static_cast<std::size_t>(column)] : -1;
}

const TBudgetEntry* BudgetModel::EntryAt(int row) const {
    row = LiveRow(row);
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(row)] : nullptr;
}

QVariant BudgetModel::data(const QModelIndex& index, int role) const {
    const TBudgetEntry* e = EntryAt(index.row());
    const int column = LogicalColumn(index.column());
    if (!table_ || !e || column < 0) return {};
    switch (role) {
        case static_cast<int>(Role::Cell):
            return QVariant::fromValue(table_->Cell(*e, column));
        case Qt::DisplayRole:
            return CellPlainText(table_->Cell(*e, column));
        case static_cast<int>(Role::Kind):
            return static_cast<int>(table_->KindOf(*e));
        case static_cast<int>(Role::LogicalColumn):
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
    if (role == Qt::DisplayRole) return QString::fromStdString(BudgetHeader(column, display_->ChartShowsContribution));
    if (role == static_cast<int>(Role::LogicalColumn)) return column;
    return {};
}

Qt::ItemFlags BudgetModel::flags(const QModelIndex& index) const {
    // Cells of the budget cannot be selected.
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

QString CellPlainText(const TBudgetCell& c) {
    QString t;
    for (const TCellPart& part : CellParts(c))
        t += part.Kind == TCellPartKind::Markup     ? MarkupPlain(part.Text)
             : part.Kind == TCellPartKind::Exponent ? QLatin1Char('^') + QString::fromStdString(part.Text)
                                                    : QString::fromStdString(part.Text);
    return t;
}

QString CellHtml(const TBudgetCell& c) {
    QString t;
    for (const TCellPart& part : CellParts(c))
        t += part.Kind == TCellPartKind::Markup ? MarkupHtml(part.Text)
             : part.Kind == TCellPartKind::Exponent
                 ? "<sup>" + QString::fromStdString(part.Text).toHtmlEscaped() + "</sup>"
                 : QString::fromStdString(part.Text).toHtmlEscaped();
    return c.Bold ? "<b>" + t + "</b>" : t;
}

}  // namespace vormid
