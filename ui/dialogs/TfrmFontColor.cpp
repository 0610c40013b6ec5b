#include "ui/dialogs/TfrmFontColor.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace vormid {
namespace {

constexpr int kCols = 8, kRows = 6, kCellW = 25, kCellH = 18, kLeft = 1, kTop = 1;

constexpr unsigned char kTable[kRows][kCols][3] = {
    {{0, 0, 0}, {128, 0, 0}, {128, 64, 0}, {128, 128, 0}, {0, 128, 0}, {0, 128, 128}, {0, 0, 128}, {128, 0, 128}},
    {{0, 0, 0}, {192, 0, 0}, {192, 94, 0}, {192, 192, 0}, {0, 192, 0}, {0, 192, 192}, {0, 0, 192}, {192, 0, 192}},
    {{64, 64, 64}, {255, 0, 0}, {255, 128, 0}, {255, 255, 0}, {0, 255, 0}, {0, 255, 255}, {0, 0, 255}, {255, 0, 255}},
    {{128, 128, 128}, {255, 64, 64}, {255, 160, 64}, {255, 255, 64}, {64, 255, 64}, {64, 255, 255}, {64, 64, 255}, {255, 64, 255}},
    {{192, 192, 192}, {255, 128, 128}, {255, 192, 128}, {255, 255, 128}, {128, 255, 128}, {128, 255, 255}, {128, 128, 255}, {255, 128, 255}},
    {{255, 255, 255}, {255, 192, 192}, {255, 224, 192}, {255, 255, 192}, {192, 255, 192}, {192, 255, 255}, {192, 192, 255}, {255, 192, 255}},
};

}  // namespace

TfrmFontColor::TfrmFontColor(QWidget* parent) : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmFontColor"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(202, 110);
    setMouseTracking(true);
}

QColor TfrmFontColor::CellColor(int row, int col) const {
    if (row == 0 && col == 0) return current_;
    const auto& c = kTable[row][col];
    return QColor(c[0], c[1], c[2]);
}

int TfrmFontColor::CellAt(QPoint pt) const {
    int col = (pt.x() - kLeft) / kCellW, row = (pt.y() - kTop) / kCellH;
    if (pt.x() < kLeft || pt.y() < kTop || col >= kCols || row >= kRows) return -1;
    return row * kCols + col;
}

void TfrmFontColor::Popup(QWidget* anchor, const QRect& anchorRect, const QColor& current) {
    current_ = current;
    tag_ = current;
    QPoint bottomRight = anchor->mapToGlobal(anchorRect.bottomRight() + QPoint(1, 1));
    QPoint pos(bottomRight.x() - width(), bottomRight.y());
    QScreen* screen = anchor->screen();
    if (screen && pos.y() + height() >= screen->geometry().bottom())
        pos.setY(anchor->window()->mapToGlobal(QPoint(0, 0)).y() - height());
    move(pos);
    show();
}

void TfrmFontColor::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor back(236, 233, 216), frame(101, 138, 171);
    p.fillRect(rect(), back);
    for (int i = 0; i < kCols * kRows; ++i) {
        QRect r(kLeft + (i % kCols) * kCellW, kTop + (i / kCols) * kCellH, kCellW - 1, kCellH - 1);
        p.setPen(i == hot_ ? frame : back);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
        p.setPen(Qt::black);
        p.setBrush(CellColor(i / kCols, i % kCols));
        p.drawRect(r.adjusted(2, 2, -2, -2));
    }
    p.setPen(frame);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TfrmFontColor::mouseMoveEvent(QMouseEvent* event) {
    int cell = CellAt(event->position().toPoint());
    if (cell != hot_) hot_ = cell, update();
}

void TfrmFontColor::mousePressEvent(QMouseEvent* event) {
    QPoint pt = event->position().toPoint();
    if (!rect().contains(pt)) {
        close();  // a press outside: no colour
        return;
    }
    int cell = CellAt(pt);
    if (cell < 0) return;
    tag_ = CellColor(cell / kCols, cell % kCols);
    emit colorSelected(tag_);
    close();
}

}  // namespace vormid
