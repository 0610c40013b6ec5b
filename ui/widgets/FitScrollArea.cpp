#include "ui/widgets/FitScrollArea.h"

#include <QChildEvent>
#include <QEvent>
#include <QScrollBar>
#include <QStyle>

namespace vormid {

TFitScrollArea::TFitScrollArea(QWidget* parent) : QScrollArea(parent) { setWidgetResizable(false); }

QSize TFitScrollArea::FittedSize(QSize view, QSize minimum, int barExtent) {
    QSize size = view;
    const bool tall = minimum.height() > view.height();
    if (tall) size.rwidth() -= barExtent;
    // A vertical bar can make the width too small in its turn.
    if (minimum.width() > size.width()) {
        size.rheight() -= barExtent;
        if (!tall && minimum.height() > size.height()) size.rwidth() -= barExtent;
    }
    return size.expandedTo(minimum);
}

void TFitScrollArea::Fit() {
    QWidget* content = widget();
    if (content == nullptr) return;
    if (content != watched_) {
        // The content's minimum changes with its page (a longer editor):
        // its layout requests are the cue to fit it again.
        if (watched_ != nullptr) watched_->removeEventFilter(this);
        watched_ = content;
        content->installEventFilter(this);
    }
    const QSize minimum = content->minimumSizeHint().expandedTo(content->minimumSize());
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QSize size = FittedSize(maximumViewportSize(), minimum, bar);
    if (content->size() != size) content->resize(size);
}

void TFitScrollArea::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    Fit();
}

bool TFitScrollArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watched_ && event->type() == QEvent::LayoutRequest) Fit();
    return QScrollArea::eventFilter(watched, event);
}

void TFitScrollArea::childEvent(QChildEvent* event) {
    QScrollArea::childEvent(event);
    if (event->removed() && event->child() == watched_) watched_ = nullptr;
}

}  // namespace vormid
