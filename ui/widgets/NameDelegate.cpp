#include "ui/widgets/NameDelegate.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>

#include "ui/widgets/ByteLimitValidator.h"

#include "ui/widgets/NameMarkupPainter.h"

namespace vormid {
namespace {

QFont CellFont(const QStyleOptionViewItem& option, const QModelIndex& index) {
    QVariant f = index.data(Qt::FontRole);
    return f.isValid() ? f.value<QFont>() : option.font;
}

}  // namespace

void TNameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QVariant markup = index.data(static_cast<int>(TItemRole::NameMarkup));
    if (!markup.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    painter->save();
    const bool selected = opt.state & QStyle::State_Selected;
    painter->setPen(opt.palette.color(opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled,
                                      selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect text = opt.rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
    TNameMarkupPainter(CellFont(option, index)).Draw(*painter, text, markup.toByteArray().toStdString());
    painter->restore();
}

QWidget* TNameDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    const QVariant limit = index.data(static_cast<int>(TItemRole::MaxBytes));
    if (auto* line = qobject_cast<QLineEdit*>(editor); line && limit.isValid()) {
        line->setValidator(new TByteLimitValidator(limit.toInt(), line));
        // A text field of the model (units, description) stores at every
        // change, as its box beside the list does, not only on leaving.
        auto* self = const_cast<TNameDelegate*>(this);
        connect(line, &QLineEdit::textEdited, self, [self, line] { emit self->commitData(line); });
    }
    return editor;
}

QSize TNameDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QVariant markup = index.data(static_cast<int>(TItemRole::NameMarkup));
    if (markup.isValid()) {
        const int w = TNameMarkupPainter(CellFont(option, index)).Width(markup.toByteArray().toStdString());
        size.setWidth(w + 2 * kTextMargin);
    }
    return size;
}

}  // namespace vormid
