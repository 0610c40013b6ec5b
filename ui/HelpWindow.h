#pragma once
// The program's own viewer of its guide: it does not depend on a browser
// being installed on the desktop, and it reads only the installed files.
// A contents list of the guide's sections, back and forward through the
// sections seen, and a find in the page.
#include <QDialog>
#include <QString>
#include <memory>

class QTextBrowser;
class QTreeWidget;

namespace Ui {
class THelpWindow;
}

namespace vormid {

class THelpWindow : public QDialog {
    Q_OBJECT
public:
    THelpWindow(const QString& file, QWidget* parent = nullptr);
    ~THelpWindow() override;

    QTextBrowser* Browser() const;
    QTreeWidget* Contents() const;
    // Shows the section with this anchor (the guide's start when empty or
    // unknown); each call is a step that "Назад" goes back from.
    void ShowTopic(const QString& anchor);
    // The anchor of the section shown last ("" for the start).
    QString CurrentTopic() const;
    // Finds the text from the cursor on (or back), wrapping round once;
    // false when the page does not hold it.
    bool Find(const QString& text, bool backward = false);

private:
    void FillContents();

    std::unique_ptr<Ui::THelpWindow> ui_;
    QString file_;
};

}  // namespace vormid
