#pragma once
// A vertical splitter that keeps one of its two panels at a set height, the
// other taking the rest. A height set before the splitter has its size is
// kept and applied once it has one, so a loaded model's panel heights hold
// even while the page is not shown.
#include <QSplitter>

namespace vormid {

class TPanelSplitter : public QSplitter {
    Q_OBJECT
public:
    explicit TPanelSplitter(QWidget* parent = nullptr);

    // Which panel keeps its height: 0 the first (top), 1 the last (bottom).
    void SetHeldPanel(int index);
    // Height in pixels of the held panel (at least 0).
    void SetPanelHeight(int height);
    int PanelHeight() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Apply();
    int held_ = 0;
    int height_ = 100;
    bool applying_ = false;
};

}  // namespace vormid
