#include "ui/richtext/UnitsEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "core/RtfReader.h"
#include "core/RtfUnits.h"
#include "core/RtfWriter.h"
#include "ui/richtext/RtfTextArea.h"
#include "ui/richtext/RtfTextDocument.h"
#include "ui/widgets/FocusColours.h"

namespace vormid {
namespace {

// The field's paragraph: 20 twips of hanging indent and space above, as
// the units' RTF states it; the window draws 15 twips to the pixel.
constexpr double kParagraphTwips = 20.0 / 15.0;

// Pastes only the clipboard's text, without spaces and control characters.
class TUnitsArea : public TRtfTextArea {
public:
    using TRtfTextArea::TRtfTextArea;

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override { return source->hasText(); }
    void insertFromMimeData(const QMimeData* source) override {
        QString text = source->text(), kept;
        for (QChar c : text)
            if (c.unicode() > 32) kept += c;
        textCursor().insertText(kept);
    }
};

}  // namespace

TUnitsEdit::TUnitsEdit(QWidget* parent) : QWidget(parent), edit_(new TUnitsArea(this)) {
    setObjectName(QStringLiteral("pnlUnits"));
    edit_->setObjectName(QStringLiteral("rtfUnits"));
    edit_->setFrameShape(QFrame::NoFrame);
    edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setLineWrapMode(QTextEdit::NoWrap);
    edit_->setTabChangesFocus(true);
    edit_->setContextMenuPolicy(Qt::CustomContextMenu);
    QFont base(QStringLiteral("Tahoma"));
    base.setPointSize(8);
    edit_->document()->setDefaultFont(base);
    edit_->installEventFilter(this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(edit_);
    setFocusProxy(edit_);
    setMaximumHeight(28);
    connect(edit_->document(), &QTextDocument::contentsChanged, this, &TUnitsEdit::OnContentsChanged);
    connect(edit_, &QTextEdit::customContextMenuRequested, this,
            [this](const QPoint& pos) { CreateContextMenu()->exec(edit_->viewport()->mapToGlobal(pos)); });
}

std::unique_ptr<QMenu> TUnitsEdit::CreateContextMenu() {
    auto owned = std::make_unique<QMenu>(this);
    QMenu& menu = *owned;
    menu.setObjectName(QStringLiteral("pmUnits"));
    const bool sel = edit_->textCursor().hasSelection();
    menu.addAction(QStringLiteral("Undo"), edit_, &QTextEdit::undo)->setEnabled(edit_->document()->isUndoAvailable());
    menu.addSeparator();
    menu.addAction(QStringLiteral("Cut"), edit_, &QTextEdit::cut)->setEnabled(sel);
    menu.addAction(QStringLiteral("Copy"), edit_, &QTextEdit::copy)->setEnabled(sel);
    const QMimeData* d = QApplication::clipboard()->mimeData();
    menu.addAction(QStringLiteral("Paste"), edit_, &QTextEdit::paste)->setEnabled(d && d->hasText());
    menu.addAction(QStringLiteral("Delete"), this, [this] { edit_->textCursor().removeSelectedText(); })
        ->setEnabled(sel);
    menu.addAction(QStringLiteral("Select All"), edit_, &QTextEdit::selectAll)
        ->setEnabled(!edit_->document()->isEmpty());
    return owned;
}

void TUnitsEdit::SetUnits(const std::string& markup) {
    QScopedValueRollback<bool> guard(settingUnits_, true);
    units_ = markup;
    FillTextDocument(ReadRtf(UnitsToRtf(markup)), *edit_->document());
    ApplyParagraph();
    edit_->document()->clearUndoRedoStacks();
}

void TUnitsEdit::ApplyParagraph() {
    QScopedValueRollback<bool> guard(settingUnits_, true);
    QTextBlockFormat f;
    f.setAlignment(Qt::AlignLeft);
    f.setLeftMargin(kParagraphTwips);
    f.setTextIndent(-kParagraphTwips);
    f.setTopMargin(kParagraphTwips);
    f.setBottomMargin(0);
    f.setRightMargin(0);
    QTextCursor c(edit_->document());
    c.select(QTextCursor::Document);
    // Setting an unchanged format would still leave a step in the undo
    // history that undoes nothing.
    const QTextBlockFormat now = c.blockFormat();
    if (now.alignment() == f.alignment() && now.leftMargin() == f.leftMargin() && now.textIndent() == f.textIndent() &&
        now.topMargin() == f.topMargin() && now.bottomMargin() == 0 && now.rightMargin() == 0 &&
        edit_->document()->blockCount() == 1)
        return;
    c.setBlockFormat(f);
}

bool TUnitsEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_) {
        if (event->type() == QEvent::FocusIn) ApplyParagraph();
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) update();
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return true;  // one line
            if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
                // Up raises (or brings lowered text back), Down lowers (or
                // brings raised text back); raised and lowered text is 10
                // points, normal text 8.
                const auto v = edit_->currentCharFormat().verticalAlignment();
                const bool up = key->key() == Qt::Key_Up;
                QTextCharFormat f;
                if (up ? v == QTextCharFormat::AlignSubScript : v == QTextCharFormat::AlignSuperScript) {
                    f.setVerticalAlignment(QTextCharFormat::AlignNormal);
                    f.setFontPointSize(8);
                } else {
                    f.setVerticalAlignment(up ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
                    f.setFontPointSize(10);
                }
                edit_->mergeCurrentCharFormat(f);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

QColor TUnitsEdit::FrameColor() const { return edit_->hasFocus() ? kFocusColour : kIdleColour; }

void TUnitsEdit::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), FrameColor());
}

void TUnitsEdit::OnContentsChanged() {
    if (settingUnits_) return;
    std::string markup = RtfToUnits(WriteRtf(ReadTextDocument(*edit_->document())));
    // A change that shows the same units (a typed space, a marker moved)
    // keeps the stored markup and does not count as an edit.
    if (UnitsEquivalent(markup, units_)) return;
    units_ = markup;
    emit unitsEdited();
}

}  // namespace vormid
