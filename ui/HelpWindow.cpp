#include "ui/HelpWindow.h"

#include <QKeySequence>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QUrl>

#include "ui_HelpWindow.h"

namespace vormid {

namespace {

// The anchors a block of the guide carries: the id of its heading (or the
// name of an <a> inside it).
QString AnchorOf(const QTextBlock& block) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QStringList names = it.fragment().charFormat().anchorNames();
        if (!names.isEmpty()) return names.first();
    }
    return QString();
}

}  // namespace

THelpWindow::THelpWindow(const QString& file, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::THelpWindow>()), file_(file) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("frmHelp"));
    // A window of its own beside the main window, not a box over it.
    setWindowFlags(Qt::Window);
    ui_->btnBack->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    ui_->btnForward->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    ui_->btnHome->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
    ui_->splHelp->setStretchFactor(1, 1);
    ui_->splHelp->setSizes({230, 730});

    QTextBrowser* browser = ui_->browser;
    connect(ui_->btnBack, &QToolButton::clicked, browser, &QTextBrowser::backward);
    connect(ui_->btnForward, &QToolButton::clicked, browser, &QTextBrowser::forward);
    connect(ui_->btnHome, &QToolButton::clicked, this, [this] { ShowTopic(QString()); });
    connect(browser, &QTextBrowser::backwardAvailable, ui_->btnBack, &QWidget::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, ui_->btnForward, &QWidget::setEnabled);
    for (auto signal : {&QTreeWidget::itemActivated, &QTreeWidget::itemClicked})
        connect(ui_->tvContents, signal, this,
                [this](QTreeWidgetItem* item) { ShowTopic(item->data(0, Qt::UserRole).toString()); });

    auto findNext = [this] { Find(ui_->edFind->text()); };
    auto findPrevious = [this] { Find(ui_->edFind->text(), true); };
    connect(ui_->edFind, &QLineEdit::returnPressed, this, findNext);
    connect(ui_->btnFindNext, &QToolButton::clicked, this, findNext);
    connect(ui_->btnFindPrevious, &QToolButton::clicked, this, findPrevious);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        ui_->edFind->setFocus();
        ui_->edFind->selectAll();
    });
    connect(new QShortcut(QKeySequence::FindNext, this), &QShortcut::activated, this, findNext);
    connect(new QShortcut(QKeySequence::FindPrevious, this), &QShortcut::activated, this, findPrevious);
    connect(new QShortcut(QKeySequence::Back, this), &QShortcut::activated, browser, &QTextBrowser::backward);
    connect(new QShortcut(QKeySequence::Forward, this), &QShortcut::activated, browser, &QTextBrowser::forward);
    // A new search starts from the top of what is shown.
    connect(ui_->edFind, &QLineEdit::textEdited, this, [this] { ui_->lblFindResult->clear(); });

    browser->setSource(QUrl::fromLocalFile(file_));
    FillContents();
}

THelpWindow::~THelpWindow() = default;

QTextBrowser* THelpWindow::Browser() const { return ui_->browser; }
QTreeWidget* THelpWindow::Contents() const { return ui_->tvContents; }

void THelpWindow::ShowTopic(const QString& anchor) {
    QUrl url = QUrl::fromLocalFile(file_);
    if (!anchor.isEmpty()) url.setFragment(anchor);
    // The same section again is no step of its own in the history.
    if (ui_->browser->source() == url) return;
    ui_->browser->setSource(url);
    if (anchor.isEmpty()) ui_->browser->verticalScrollBar()->setValue(0);
}

QString THelpWindow::CurrentTopic() const { return ui_->browser->source().fragment(); }

bool THelpWindow::Find(const QString& text, bool backward) {
    if (text.isEmpty()) return false;
    QTextBrowser* browser = ui_->browser;
    // From what the reader sees: after a jump to a section the cursor is
    // still where the last search left it, pages away.
    if (!browser->viewport()->rect().intersects(browser->cursorRect()))
        browser->setTextCursor(browser->cursorForPosition(QPoint(0, 0)));
    const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = browser->find(text, flags);
    if (!found) {
        // Once round the page from the other end.
        QTextCursor cursor = browser->textCursor();
        cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        browser->setTextCursor(cursor);
        found = browser->find(text, flags);
    }
    ui_->lblFindResult->setText(found ? QString() : QStringLiteral("Няма такъв текст"));
    return found;
}

void THelpWindow::FillContents() {
    // The contents are the guide's own headings: a section added to the
    // guide appears here without a second list to keep.
    QTreeWidget* tree = ui_->tvContents;
    tree->clear();
    QTreeWidgetItem* chapter = nullptr;
    const QTextDocument* document = ui_->browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level != 2 && level != 3) continue;
        const QString anchor = AnchorOf(block);
        if (anchor.isEmpty()) continue;
        QTreeWidgetItem* item = nullptr;
        if (level == 2 || !chapter)
            chapter = item = new QTreeWidgetItem(tree);
        else
            item = new QTreeWidgetItem(chapter);
        item->setText(0, block.text().simplified());
        item->setData(0, Qt::UserRole, anchor);
    }
}

}  // namespace vormid
