#pragma once
// Drawing of a schema line: the text before the first "_" in the grid's
// font, the rest right behind it as a subscript (size 7, from 4 pixels
// below the cell's top); the "_" itself is not drawn.
#include <QStyledItemDelegate>

namespace vormid {

class TSchemaLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace vormid
