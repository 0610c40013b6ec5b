#pragma once
// dgBudget: the budget's entries in a table view with the five-row footer
// laid over the bottom of the view, so that the entries scroll beneath it.
// Cells are drawn from their pieces: names and units from their markup,
// numbers as mantissa, raised exponent and suffix, ∞ for infinite degrees
// of freedom, bars in the graph column.
#include <QStyledItemDelegate>
#include <QTableView>

#include "evaluation/BudgetTable.h"

namespace vormid {

class BudgetModel;

// Painting and measuring of one cell, shared by the entries, the footer
// and the width fitting.
void PaintBudgetCell(QPainter& p, const QRect& r, const TBudgetCell& c, const QFont& font);
int BudgetCellWidth(const TBudgetCell& c, const QFont& font);

// Tint of the rows of intermediate results and of the footer rows.
QColor VarResultTint();

class BudgetDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override;
};

class BudgetFooter;

class BudgetTableView : public QTableView {
    Q_OBJECT
public:
    static constexpr int kFooterRows = 5;
    explicit BudgetTableView(QWidget* parent = nullptr);
    void setBudgetModel(BudgetModel* model);
    BudgetModel* budgetModel() const { return model_; }
    QWidget* footer() const;
    int rowHeight() const;
    // The footer's segment rectangles in the footer's coordinates: the first
    // cell and four segments of row r (0..3), and while the units column is
    // shown a sixth: the part of the first cell under that column.
    QList<QRect> FooterCells(int r) const;
    // Room for the header, an entry and the footer, so that a panel below
    // the table (the Monte Carlo check) never squeezes its entries out of view.
    QSize minimumSizeHint() const override;

signals:
    void headerContextMenu(const QPoint& globalPos);

protected:
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

private:
    void PlaceFooter();
    BudgetModel* model_ = nullptr;
    BudgetFooter* footer_ = nullptr;
};

}  // namespace vormid
