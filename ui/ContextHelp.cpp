#include "ui/ContextHelp.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "ui/HelpTopics.h"

namespace vormid {

namespace {

std::string FormName(const QWidget* w) {
    std::string name = w->metaObject()->className();
    const auto colons = name.rfind("::");
    return colons == std::string::npos ? name : name.substr(colons + 2);
}

bool IsF1(const QEvent* event) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_F1 && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace

TContextHelp::TContextHelp(Show show, QObject* parent) : QObject(parent), show_(std::move(show)) {
    if (qApp) qApp->installEventFilter(this);
}

QString TContextHelp::AnchorFor(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        std::string anchor = HelpAnchorOf(FormName(w));
        if (anchor.empty()) anchor = HelpAnchorOf(w->objectName().toStdString());
        if (!anchor.empty()) return QString::fromStdString(anchor);
    }
    return QString();
}

bool TContextHelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && IsF1(event)) {
        // F1 is taken here, before any shortcut of a window sees it.
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress && IsF1(event) && watched->isWidgetType()) {
        // A key goes to the widget with the focus: that is the context.
        auto* widget = static_cast<QWidget*>(watched);
        show_(widget, AnchorFor(widget));
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vormid
