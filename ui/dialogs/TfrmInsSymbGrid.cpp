#include "ui/dialogs/TfrmInsSymbGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vormid {

TSymbolGrid::TSymbolGrid(QWidget* parent) : QWidget(parent) {
    setFixedSize(kCols * kCell + 1, kRows * kCell + 1);
    setFocusPolicy(Qt::StrongFocus);
}

char16_t TSymbolGrid::Symbol(int index) {
    if (index < 0 || index >= kCols * kRows) return 0;
    // U+03A2 is unassigned and the final sigma has no capital: both skipped.
    if (index < 24) return static_cast<char16_t>(0x0391 + index + (index >= 17 ? 1 : 0));
    const int k = index - 24;
    return static_cast<char16_t>(0x03B1 + k + (k >= 17 ? 1 : 0));
}

void TSymbolGrid::SetCurrent(int index) {
    if (index < 0 || index >= kCols * kRows) return;
    current_ = index;
    update();
}

void TSymbolGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The face comes from the form (Tahoma); the letters are always 10 point bold.
    QFont f = font();
    f.setPointSize(10);
    f.setBold(true);
    p.setFont(f);
    for (int i = 0; i < kCols * kRows; ++i) {
        const QRect r((i % kCols) * kCell, (i / kCols) * kCell, kCell, kCell);
        const bool sel = i == current_;
        p.fillRect(r, palette().color(sel ? QPalette::Highlight : QPalette::Base));
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(r);
        p.setPen(palette().color(sel ? QPalette::HighlightedText : QPalette::Text));
        p.drawText(r.adjusted(0, 1, 0, 1), Qt::AlignHCenter | Qt::AlignTop, QString(QChar(Symbol(i))));
    }
}

void TSymbolGrid::mousePressEvent(QMouseEvent* e) { Pick(e->position().toPoint()); }

void TSymbolGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    if (Pick(e->position().toPoint())) emit cellActivated();
}

void TSymbolGrid::keyPressEvent(QKeyEvent* e) {
    int c = current_;
    switch (e->key()) {
        case Qt::Key_Left:
            c -= 1;
            break;
        case Qt::Key_Right:
            c += 1;
            break;
        case Qt::Key_Up:
            c -= kCols;
            break;
        case Qt::Key_Down:
            c += kCols;
            break;
        default:
            QWidget::keyPressEvent(e);
            return;
    }
    SetCurrent(c);
}

bool TSymbolGrid::Pick(QPoint pt) {
    const int col = pt.x() / kCell, row = pt.y() / kCell;
    if (pt.x() < 0 || pt.y() < 0 || col >= kCols || row >= kRows) return false;
    SetCurrent(row * kCols + col);
    return true;
}

}  // namespace vormid
