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

bool TPanelSplitter::event(QEvent* event) {
    const bool done = QSplitter::event(event);
    // A panel's minimum changes when a part of it is shown or hidden.
    if (event->type() == QEvent::LayoutRequest) Apply();
    return done;
}

void TPanelSplitter::Apply() {
    if (count() < 2 || height() <= 0) return;
    applying_ = true;
    int total = std::max(height() - handleWidth(), 0);
    // The held panel gives up height, never below its own minimum, before
    // the other one is squeezed below its minimum; its set height is kept
    // for a taller window.
    QWidget* heldPanel = widget(held_ == 0 ? 0 : count() - 1);
    QWidget* other = widget(held_ == 0 ? count() - 1 : 0);
    const int room = std::max(total - other->minimumSizeHint().height(), heldPanel->minimumSizeHint().height());
    int held = std::min({height_, room, total});
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
