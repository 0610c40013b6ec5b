#include "ui/richtext/UnitsEdit.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QScopedValueRollback>
#include <QTextEdit>

#include "ui/TextCodec.h"

namespace vormid {

TUnitsEdit::TUnitsEdit(QWidget* parent) : QWidget(parent), edit_(new QTextEdit(this)) {
    setObjectName(QStringLiteral("pnlUnits"));
    edit_->setObjectName(QStringLiteral("rtfUnits"));
    edit_->setFrameShape(QFrame::NoFrame);
    edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setLineWrapMode(QTextEdit::NoWrap);
    edit_->installEventFilter(this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(edit_);
    setFocusProxy(edit_);
    connect(edit_->document(), &QTextDocument::contentsChanged, this, &TUnitsEdit::OnContentsChanged);
}

void TUnitsEdit::SetUnits(const std::string& markup) {
    QScopedValueRollback<int> guard(loading_, loading_ + 1);
    units_ = markup;
    edit_->setPlainText(FromCp1251(markup));
    edit_->document()->clearUndoRedoStacks();
}

bool TUnitsEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) update();
    return QWidget::eventFilter(watched, event);
}

void TUnitsEdit::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), edit_->hasFocus() ? QColor(247, 176, 70) : QColor(101, 138, 171));
}

void TUnitsEdit::OnContentsChanged() {
    if (loading_) return;
    std::string markup;
    for (char c : ToCp1251(edit_->toPlainText()))
        if (static_cast<unsigned char>(c) > 32) markup += c;
    if (markup == units_) return;
    units_ = markup;
    emit unitsEdited();
}

}  // namespace vormid
