#include "ui/dialogs/TfrmFontColorGrid.h"

#include <QMouseEvent>
#include <QPainter>

namespace vormid {
namespace {

constexpr int kCols = TColorGrid::kCols, kRows = TColorGrid::kRows;

constexpr unsigned char kTable[kRows][kCols][3] = {
    {{0, 0, 0}, {128, 0, 0}, {128, 64, 0}, {128, 128, 0}, {0, 128, 0}, {0, 128, 128}, {0, 0, 128}, {128, 0, 128}},
    {{0, 0, 0}, {192, 0, 0}, {192, 94, 0}, {192, 192, 0}, {0, 192, 0}, {0, 192, 192}, {0, 0, 192}, {192, 0, 192}},
    {{64, 64, 64}, {255, 0, 0}, {255, 128, 0}, {255, 255, 0}, {0, 255, 0}, {0, 255, 255}, {0, 0, 255}, {255, 0, 255}},
    {{128, 128, 128},
     {255, 64, 64},
     {255, 160, 64},
     {255, 255, 64},
     {64, 255, 64},
     {64, 255, 255},
     {64, 64, 255},
     {255, 64, 255}},
    {{192, 192, 192},
     {255, 128, 128},
     {255, 192, 128},
     {255, 255, 128},
     {128, 255, 128},
     {128, 255, 255},
     {128, 128, 255},
     {255, 128, 255}},
    {{255, 255, 255},
     {255, 192, 192},
     {255, 224, 192},
     {255, 255, 192},
     {192, 255, 192},
     {192, 255, 255},
     {192, 192, 255},
     {255, 192, 255}},
};

const QColor kBack(236, 233, 216), kHot(101, 138, 171);

}  // namespace

TColorGrid::TColorGrid(QWidget* parent) : QWidget(parent) {
    setFixedSize(kCols * kCellW, kRows * kCellH);
    setMouseTracking(true);
}

QColor TColorGrid::CellColor(int row, int col) const {
    if (row < 0 || row >= kRows || col < 0 || col >= kCols) return {};
    if (row == 0 && col == 0) return current_;
    const auto& c = kTable[row][col];
    return QColor(c[0], c[1], c[2]);
}

int TColorGrid::CellAt(QPoint pt) {
    if (pt.x() < 0 || pt.y() < 0) return -1;
    const int col = pt.x() / kCellW, row = pt.y() / kCellH;
    if (col >= kCols || row >= kRows) return -1;
    return row * kCols + col;
}

void TColorGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kBack);
    for (int i = 0; i < kCols * kRows; ++i) {
        const QRect r((i % kCols) * kCellW, (i / kCols) * kCellH, kCellW - 1, kCellH - 1);
        p.setPen(i == hot_ ? kHot : kBack);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
        p.setPen(Qt::black);
        p.setBrush(CellColor(i / kCols, i % kCols));
        p.drawRect(r.adjusted(2, 2, -2, -2));
    }
}

void TColorGrid::mouseMoveEvent(QMouseEvent* event) {
    const int cell = CellAt(event->position().toPoint());
    if (cell != hot_) hot_ = cell, update();
}

void TColorGrid::leaveEvent(QEvent*) {
    if (hot_ != -1) hot_ = -1, update();
}

void TColorGrid::mousePressEvent(QMouseEvent* event) {
    const int cell = CellAt(event->position().toPoint());
    if (cell >= 0) emit cellPressed(cell);
}

}  // namespace vormid
