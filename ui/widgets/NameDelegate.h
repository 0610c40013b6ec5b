#pragma once
// The item delegate that draws a cell's name markup (a quantity's name or
// units) with TNameMarkupPainter. The model hands the markup bytes in the
// NameMarkup role; cells without it are drawn as usual.
#include <QStyledItemDelegate>

namespace vormid {

enum class TItemRole : int {
    NameMarkup = Qt::UserRole + 1,  // QByteArray: Windows-1251 markup
    // int: the Windows-1251 bytes the cell's file field stores; the in-place
    // editor refuses more, and characters the code page lacks.
    MaxBytes,
};

class TNameDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Space left of the text in a cell, in pixels.
    static constexpr int kTextMargin = 3;
};

}  // namespace vormid
