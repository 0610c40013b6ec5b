#pragma once
// The colour grid of the font-colour palette ("ColorGrid"): 8 columns by 6
// rows of 25 x 18 pixel cells; the cell under the mouse pointer is framed.
#include <QColor>
#include <QWidget>

namespace vormid {

class TColorGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCols = 8, kRows = 6, kCellW = 25, kCellH = 18;

    explicit TColorGrid(QWidget* parent = nullptr);

    // The colour of a cell; row 0, column 0 is the current colour.
    QColor CellColor(int row, int col) const;
    void SetCurrent(const QColor& color) {
        current_ = color;
        update();
    }
    // The cell at a point of the grid, or -1.
    static int CellAt(QPoint pt);

signals:
    void cellPressed(int cell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor current_;
    int hot_ = -1;
};

}  // namespace vormid
