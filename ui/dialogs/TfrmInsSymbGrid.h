#pragma once
// The letter grid of the insert-symbol form ("dgSymbs"): 12 columns by 4
// rows of 20 x 20 pixel cells, the current cell highlighted, moved by the
// mouse and the arrow keys.
#include <QWidget>

namespace vormid {

class TSymbolGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCols = 12, kRows = 4, kCell = 20;

    explicit TSymbolGrid(QWidget* parent = nullptr);

    // The letter of a cell, row by row; 0 outside the table.
    static char16_t Symbol(int index);
    int Current() const { return current_; }
    void SetCurrent(int index);

signals:
    // A double click on a cell: the caller takes its letter.
    void cellActivated();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool Pick(QPoint pt);

    int current_ = 0;
};

}  // namespace vormid
