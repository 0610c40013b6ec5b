#include "ui/PanelSplitter.h"

#include <QResizeEvent>

namespace vormid {

TPanelSplitter::TPanelSplitter(QWidget* parent) : QSplitter(Qt::Vertical, parent) {
    setChildrenCollapsible(false);
    connect(this, &QSplitter::splitterMoved, this, [this] {
        if (applying_ || count() < 2) return;
        height_ = sizes().at(held_ == 0 ? 0 : count() - 1);
    });
}

void TPanelSplitter::SetHeldPanel(int index) {
    held_ = index == 0 ? 0 : 1;
    Apply();
}

void TPanelSplitter::SetPanelHeight(int height) {
    height_ = std::max(height, 0);
    Apply();
}

int TPanelSplitter::PanelHeight() const { return height_; }

void TPanelSplitter::resizeEvent(QResizeEvent* event) {
    QSplitter::resizeEvent(event);
    Apply();
}

void TPanelSplitter::Apply() {
    if (count() < 2 || height() <= 0) return;
    applying_ = true;
    int total = std::max(height() - handleWidth(), 0);
    int held = std::min(height_, total);
    QList<int> s(count(), 0);
    if (held_ == 0) {
        s.first() = held;
        s.last() = total - held;
    } else {
        s.first() = total - held;
        s.last() = held;
    }
    setSizes(s);
    applying_ = false;
}

}  // namespace vormid
