#pragma once
// The program's own viewer of its help page: it does not depend on a browser
// being installed on the desktop.
#include <QDialog>

class QTextBrowser;

namespace vormid {

class THelpWindow : public QDialog {
    Q_OBJECT
public:
    THelpWindow(const QString& file, QWidget* parent = nullptr);
    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

}  // namespace vormid
