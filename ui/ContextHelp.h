#pragma once
// F1 anywhere in the program: the guide at the section of the page, editor
// or dialog that holds the keyboard focus. Watches the whole application,
// so that F1 works in modal dialogs too, where the main window's shortcut
// cannot fire.
#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace vormid {

class TContextHelp : public QObject {
    Q_OBJECT
public:
    // show(context, anchor): opens the guide at that section; context is
    // the window F1 was pressed in.
    using Show = std::function<void(QWidget* context, const QString& anchor)>;
    TContextHelp(Show show, QObject* parent = nullptr);

    // The section for a widget: that of the nearest form around it (itself
    // included) that has one; "" for the guide's start.
    static QString AnchorFor(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Show show_;
};

}  // namespace vormid
