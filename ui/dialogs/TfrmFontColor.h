#pragma once
// The drop-down palette of text colours: 8 columns by 6 rows, greys in the
// first column and seven hues in six shades; the top-left cell shows the
// colour passed in and returns it unchanged. The layout is TfrmFontColor.ui.
#include <QColor>
#include <QWidget>
#include <memory>

namespace Ui {
class TfrmFontColor;
}

namespace vormid {

class TfrmFontColor : public QWidget {
    Q_OBJECT
public:
    explicit TfrmFontColor(QWidget* parent = nullptr);
    ~TfrmFontColor() override;

    // The colour of a cell (row 0, column 0: the current colour).
    QColor CellColor(int row, int col) const;
    // Places the palette under the anchor rectangle (its right edges
    // aligned), or above the anchor window when it would reach the bottom
    // of the screen, and shows it without waiting.
    void Popup(QWidget* anchor, const QRect& anchorRect, const QColor& current);
    // Where Popup puts the form on a screen of the given geometry.
    QPoint PopupPosition(QWidget* anchor, const QRect& anchorRect, const QRect& screen) const;
    // The cell at a point of the form, or -1.
    int CellAt(QPoint pt) const;

signals:
    void colorSelected(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Select(int cell);

    std::unique_ptr<Ui::TfrmFontColor> ui_;
};

}  // namespace vormid
