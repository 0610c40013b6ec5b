#pragma once
// One budget as an item model: a row per entry that the row filter shows,
// a column per visible logical column. The cells come from TBudgetTable;
// CellRole hands the delegate the pieces, DisplayRole a one-line text.
#include <QAbstractTableModel>
#include <memory>

#include "evaluation/BudgetTable.h"

namespace vormid {

class TGumModel;

class BudgetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role { CellRole = Qt::UserRole + 1, KindRole, LogicalColumnRole };

    explicit BudgetModel(QObject* parent = nullptr);
    ~BudgetModel() override;

    // Shows budget index of model under display; -1 or a bad index shows
    // nothing. The references must outlive the next Reset.
    void Reset(const TGumModel* model, const TDisplayState* display, int budget);
    const TBudgetTable* Table() const { return table_.get(); }
    int LogicalColumn(int column) const;
    const TBudgetEntry* EntryAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const TGumModel* model_ = nullptr;
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
