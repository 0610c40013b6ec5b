#pragma once
// One budget as an item model: a row per entry that the row filter shows,
// a column per visible logical column. The cells come from TBudgetTable;
// Role::Cell hands the delegate the pieces, DisplayRole a one-line text.
#include <memory>

#include "evaluation/BudgetTable.h"
#include "ui/models/KeyedTableModel.h"

namespace vormid {

class TGumModel;

class BudgetModel : public TKeyedTableModel {
    Q_OBJECT
public:
    enum class Role : int { Cell = Qt::UserRole + 1, Kind, LogicalColumn };

    explicit BudgetModel(QObject* parent = nullptr);
    ~BudgetModel() override;

    // Shows budget index of model under display; -1 or a bad index shows
    // nothing. The references must outlive the next Reset. The same budget
    // shown again announces its entries and columns that came or went;
    // another one resets the views.
    void Reset(const TGumModel* model, const TDisplayState* display, int budget);
    const TBudgetTable* Table() const { return table_.get(); }
    int LogicalColumn(int column) const;
    const TBudgetEntry* EntryAt(int row) const;

    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The table was rebuilt (its footer with it).
    void tableChanged();

private:
    const TGumModel* model_ = nullptr;
    int budget_ = -1;
    const TDisplayState* display_ = nullptr;
    std::unique_ptr<TQuantityIndex> index_;
    std::unique_ptr<TBudgetTable> table_;
    std::vector<const TBudgetEntry*> rows_;
    std::vector<int> columns_;
};

// One line of text of a cell ("∞" for infinite degrees of freedom, the
// exponent after "^", suffix after a blank; a bar is empty).
QString CellPlainText(const TBudgetCell& cell);
// The cell as HTML, the exponent raised.
QString CellHtml(const TBudgetCell& cell);

}  // namespace vormid

Q_DECLARE_METATYPE(vormid::TBudgetCell)
