#pragma once
// A scroll area whose content fills the view and scrolls only where the view
// is smaller than the content's minimum size. QScrollArea's own resizing
// gives content with a wrapped label its preferred height for the width,
// which makes a page scroll (and its charts stretch) in a window where it
// fits well.
#include <QScrollArea>

namespace vormid {

class TFitScrollArea : public QScrollArea {
    Q_OBJECT
public:
    explicit TFitScrollArea(QWidget* parent = nullptr);

    // The content's size for a view of that size (no scroll bars) with
    // scroll bars of that thickness: the view, less a bar for each direction
    // that has to scroll, and never below the minimum.
    static QSize FittedSize(QSize view, QSize minimum, int barExtent);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    void Fit();
    QWidget* watched_ = nullptr;
};

}  // namespace vormid
