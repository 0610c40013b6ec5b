#include "ui/pages/ObservationPageGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace vormid {

TExponentDelegate::TExponentDelegate(int exponentRole, QObject* parent)
    : QStyledItemDelegate(parent), exponentRole_(exponentRole) {}

void TExponentDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QString exponent = index.data(exponentRole_).toString();
    if (exponent.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString mantissa = opt.text;
    opt.text.clear();
    QStyle* style = opt.widget != nullptr ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    QFont small = opt.font;
    small.setPointSizeF(std::max(5.0, opt.font.pointSizeF() * 0.75));
    const QFontMetrics fm(opt.font), fs(small);
    const int wm = fm.horizontalAdvance(mantissa), we = fs.horizontalAdvance(exponent);
    const QRect r = opt.rect.adjusted(3, 0, -3, 0);
    int x = r.left();
    if (opt.displayAlignment & Qt::AlignRight) x = r.right() - wm - we;
    const int base = r.top() + (r.height() + fm.ascent() - fm.descent()) / 2;
    painter->save();
    painter->setPen(opt.state & QStyle::State_Selected ? opt.palette.highlightedText().color()
                                                       : opt.palette.text().color());
    painter->setFont(opt.font);
    painter->drawText(x, base, mantissa);
    painter->setFont(small);
    painter->drawText(x + wm, base - fm.ascent() / 2, exponent);
    painter->restore();
}

QSize TExponentDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    const QString exponent = index.data(exponentRole_).toString();
    if (!exponent.isEmpty()) s.rwidth() += QFontMetrics(option.font).horizontalAdvance(exponent);
    return s;
}

TObservationView::TObservationView(QWidget* parent) : QTableView(parent) {}

void TObservationView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        emit pasteRequested();
        return;
    }
    if (event->key() == Qt::Key_Delete && state() != EditingState && event->modifiers() == Qt::NoModifier) {
        emit clearRequested();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && state() != EditingState &&
        currentIndex().isValid()) {
        emit enterPressed(currentIndex().row(), currentIndex().column());
        return;
    }
    QTableView::keyPressEvent(event);
}

bool TObservationView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool started = QTableView::edit(index, trigger, event);
    if (started) {
        if (QWidget* editor = indexWidget(index)) editor->installEventFilter(this);
        enterInEditor_ = false;
    }
    return started;
}

bool TObservationView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) enterInEditor_ = true;
    }
    return QTableView::eventFilter(watched, event);
}

void TObservationView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Tab after a reading moves on as Enter does: the next reading, not the
    // read-only cell beside it.
    const bool tab = hint == QAbstractItemDelegate::EditNextItem;
    const bool moveOn = (enterInEditor_ && hint != QAbstractItemDelegate::RevertModelCache) || tab;
    enterInEditor_ = false;
    const QModelIndex at = currentIndex();
    QTableView::closeEditor(editor, tab ? QAbstractItemDelegate::NoHint : hint);
    if (moveOn && at.isValid()) emit enterPressed(at.row(), at.column());
}

}  // namespace vormid
