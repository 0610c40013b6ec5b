#pragma once
// The borderless pop-up with the 48 Greek letters: capitals U+0391..U+03A9
// and small letters U+03B1..U+03C9, without the unassigned U+03A2 and the
// final sigma, 12 columns by 4 rows. The layout is TfrmInsSymb.ui.
#include <QDialog>
#include <memory>

namespace Ui {
class TfrmInsSymb;
}

namespace vormid {

class TfrmInsSymb : public QDialog {
    Q_OBJECT
public:
    explicit TfrmInsSymb(QWidget* parent = nullptr);
    ~TfrmInsSymb() override;

    // The letter of a cell, row by row.
    static char16_t Symbol(int index);
    // The chosen letter (valid after OK).
    char16_t Chosen() const;
    void SetCurrent(int index);
    int Current() const;

    // Places the form with its right edge at the right edge of the button
    // and its top at the bottom of the toolbar (global coordinates).
    void PlaceBelow(const QWidget* button, const QWidget* toolbar);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<Ui::TfrmInsSymb> ui_;
};

}  // namespace vormid
