#include "ui/editors/TypeAEditorSchema.h"

#include <QApplication>
#include <QPainter>

namespace vormid {

void TSchemaLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QString text = index.data(Qt::DisplayRole).toString();
    const int cut = text.indexOf('_');
    if (cut < 0) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    QStyle* style = opt.widget != nullptr ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    const QString base = text.left(cut), sub = text.mid(cut + 1);
    QFont small = opt.font;
    small.setPointSize(7);
    small.setBold(false);
    small.setItalic(false);
    const QFontMetrics fm(opt.font);
    const int x = opt.rect.left() + 2;
    painter->save();
    painter->setPen(opt.state & QStyle::State_Selected ? opt.palette.highlightedText().color()
                                                       : opt.palette.text().color());
    painter->setFont(opt.font);
    const QRect r = opt.rect;
    painter->drawText(QRect(x, r.top() + 1, r.width(), r.height() - 1), Qt::AlignLeft | Qt::AlignTop, base);
    painter->setFont(small);
    const int xs = x + fm.horizontalAdvance(base);
    painter->drawText(QRect(xs, r.top() + 4, r.right() - xs, r.height() - 4), Qt::AlignLeft | Qt::AlignTop, sub);
    painter->restore();
}

}  // namespace vormid
