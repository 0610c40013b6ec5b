#include "ui/widgets/FocusColours.h"

#include <QAbstractItemView>
#include <QApplication>

namespace vormid {
namespace {

void Paint(QAbstractItemView* view, bool focused) {
    QPalette p = view->palette();
    const QColor back = focused ? kFocusColour : kIdleColour;
    const QColor text = focused ? QColor(Qt::black) : QColor(Qt::white);
    // Both groups: Qt draws the selection of a view in an inactive window
    // from the inactive group, and the colour must follow the focus only.
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Highlight, back);
        p.setColor(g, QPalette::HighlightedText, text);
    }
    view->setPalette(p);
}

bool HasFocusWithin(const QWidget* view, const QWidget* focus) {
    return focus && (focus == view || view->isAncestorOf(focus));
}

}  // namespace

void TrackFocusColours(QAbstractItemView* view) {
    Paint(view, HasFocusWithin(view, QApplication::focusWidget()));
    QObject::connect(qApp, &QApplication::focusChanged, view, [view](QWidget* old, QWidget* now) {
        const bool was = HasFocusWithin(view, old), is = HasFocusWithin(view, now);
        if (was != is) Paint(view, is);
    });
}

}  // namespace vormid
