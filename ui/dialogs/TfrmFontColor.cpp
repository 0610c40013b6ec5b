#include "ui/dialogs/TfrmFontColor.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "ui/dialogs/TfrmFontColorGrid.h"
#include "ui_TfrmFontColor.h"

namespace vormid {

TfrmFontColor::TfrmFontColor(QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint), ui_(std::make_unique<Ui::TfrmFontColor>()) {
    ui_->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(ui_->ColorGrid, &TColorGrid::cellPressed, this, &TfrmFontColor::Select);
}

TfrmFontColor::~TfrmFontColor() = default;

QColor TfrmFontColor::CellColor(int row, int col) const { return ui_->ColorGrid->CellColor(row, col); }

int TfrmFontColor::CellAt(QPoint pt) const { return TColorGrid::CellAt(pt - ui_->ColorGrid->pos()); }

QPoint TfrmFontColor::PopupPosition(QWidget* anchor, const QRect& anchorRect, const QRect& screen) const {
    const QPoint bottomRight = anchor->mapToGlobal(anchorRect.bottomRight() + QPoint(1, 1));
    QPoint pos(bottomRight.x() - width(), bottomRight.y());
    if (pos.y() + height() >= screen.bottom()) pos.setY(anchor->window()->mapToGlobal(QPoint(0, 0)).y() - height());
    return pos;
}

void TfrmFontColor::Popup(QWidget* anchor, const QRect& anchorRect, const QColor& current) {
    ui_->ColorGrid->SetCurrent(current);
    const QScreen* screen = anchor->screen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1 << 20, 1 << 20);
    move(PopupPosition(anchor, anchorRect, area));
    show();
}

void TfrmFontColor::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(236, 233, 216));
    p.setPen(QColor(101, 138, 171));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TfrmFontColor::mousePressEvent(QMouseEvent* event) {
    const QPoint pt = event->position().toPoint();
    if (!rect().contains(pt)) {
        close();  // a press outside: no colour
        return;
    }
    const int cell = CellAt(pt);
    if (cell >= 0) Select(cell);
}

void TfrmFontColor::Select(int cell) {
    emit colorSelected(CellColor(cell / TColorGrid::kCols, cell % TColorGrid::kCols));
    close();
}

}  // namespace vormid
