#include "ui/richtext/RichTextEditor.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextList>

#include "core/RtfReader.h"
#include "core/RtfWriter.h"
#include "ui/FileTypeNames.h"
#include "ui/TfrmDlgBox.h"
#include "ui/dialogs/TfrmFontColor.h"
#include "ui/dialogs/TfrmInsSymb.h"
#include "ui/richtext/PasteSize.h"
#include "ui/richtext/RtfTextDocument.h"
#include "ui_RichTextEditor.h"

// The icons are in the static library; the resource must be registered by
// a function outside any namespace.
static void InitRichTextResources() {
    static const bool once = [] {
        Q_INIT_RESOURCE(richtext);
        return true;
    }();
    (void)once;
}

namespace vormid {
namespace {

const char* ObjectName(TRichTextEditor::TKind kind) {
    switch (kind) {
        case TRichTextEditor::TKind::Description:
            return "Editor";
        case TRichTextEditor::TKind::Comment:
            return "Commentar";
        case TRichTextEditor::TKind::Equation:
            return "Equation";
        case TRichTextEditor::TKind::BudgetComment:
            return "BudgetComent";
    }
    return "Editor";
}

QString AskPictureFile(QWidget* parent, const QString& title, const QString& filter) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setIconProvider(FileTypeNames());  // "Папка" in the Type column
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

QIcon ToolbarIcon(const char* theme, const char* own) {
    InitRichTextResources();
    QIcon fallback(QStringLiteral(":/richtext/icons/%1.png").arg(QLatin1String(own)));
    return theme ? QIcon::fromTheme(QLatin1String(theme), fallback) : fallback;
}

// The letter A over a bar in the selection's colour.
QIcon ColorIcon(const QColor& color) {
    InitRichTextResources();
    QPixmap pm(QStringLiteral(":/richtext/icons/font-color.png"));
    if (pm.isNull()) {
        pm = QPixmap(16, 16);
        pm.fill(Qt::transparent);
    }
    QPainter p(&pm);
    p.fillRect(QRect(1, 12, 14, 4), color);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(QRect(1, 12, 13, 3));
    return QIcon(pm);
}

}  // namespace

TRichTextEditor::TRichTextEditor(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TRichTextEditor>()), chooser_(&AskPictureFile) {
    ui_->setupUi(this);
    QFont base(QStringLiteral("Tahoma"));
    base.setPointSize(8);
    ui_->rtfText->document()->setDefaultFont(base);
    ui_->rtfText->installEventFilter(this);
    ui_->rtfText->setContextMenuPolicy(Qt::CustomContextMenu);
    ui_->rtfText->PasteCheck = [this](const QMimeData* d) { return CheckPaste(d); };
    // Theme icons where the desktop has them, our own pictures otherwise.
    const struct {
        QToolButton* b;
        const char* theme;
        const char* own;
    } icons[] = {{ui_->btnBold, "format-text-bold", "bold"},
                 {ui_->btnItalic, "format-text-italic", "italic"},
                 {ui_->btnUnderline, "format-text-underline", "underline"},
                 {ui_->btnSuperscript, "format-text-superscript", "superscript"},
                 {ui_->btnSubscript, "format-text-subscript", "subscript"},
                 {ui_->btnLeftAlign, "format-justify-left", "align-left"},
                 {ui_->btnCenterAlign, "format-justify-center", "align-center"},
                 {ui_->btnRightAlign, "format-justify-right", "align-right"},
                 {ui_->btnBullets, "format-list-unordered", "bullets"},
                 {ui_->btnUndo, "edit-undo", "undo"},
                 {ui_->btnRedo, "edit-redo", "redo"},
                 {ui_->btnCut, "edit-cut", "cut"},
                 {ui_->btnCopy, "edit-copy", "copy"},
                 {ui_->btnPaste, "edit-paste", "paste"},
                 {ui_->btnObject, "insert-image", "picture"},
                 {ui_->btnInsSymb, nullptr, "symbol"}};
    for (const auto& i : icons) i.b->setIcon(ToolbarIcon(i.theme, i.own));
    // Narrow buttons and a font box that may shrink let the toolbar fit the
    // quantity editor in the smallest window without scrolling sideways.
    for (QToolButton* b : ui_->pnlToolbar->findChildren<QToolButton*>()) b->setFixedWidth(22);
    ui_->btnFontColor->setIcon(ColorIcon(Qt::black));
    connect(ui_->rtfText->document(), &QTextDocument::contentsChanged, this, &TRichTextEditor::OnContentsChanged);
    connect(ui_->rtfText, &QTextEdit::customContextMenuRequested, this, &TRichTextEditor::ShowContextMenu);
    ConnectToolbar();
    SetKind(TKind::Description);
    UpdateToolbar();
}

TRichTextEditor::~TRichTextEditor() = default;

void TRichTextEditor::SetKind(TKind kind) {
    kind_ = kind;
    setObjectName(QString::fromLatin1(ObjectName(kind)));
    const bool equation = kind == TKind::Equation;
    for (QWidget* w :
         {static_cast<QWidget*>(ui_->btnLeftAlign), static_cast<QWidget*>(ui_->btnCenterAlign),
          static_cast<QWidget*>(ui_->btnRightAlign), static_cast<QWidget*>(ui_->btnBullets),
          static_cast<QWidget*>(ui_->btnCopy), static_cast<QWidget*>(ui_->btnCut), static_cast<QWidget*>(ui_->btnPaste),
          static_cast<QWidget*>(ui_->btnObject), static_cast<QWidget*>(ui_->sep2)})
        w->setVisible(!equation);
    ui_->rtfText->PlainOnly = equation;
    ui_->rtfText->setAcceptRichText(!equation);
    // The controls carry the names of their field: none for the
    // description, 2 for the comment, 3 for the equation, 4 for the budget.
    const QString suffix = kind == TKind::Description ? QString()
                           : kind == TKind::Comment   ? QStringLiteral("2")
                           : kind == TKind::Equation  ? QStringLiteral("3")
                                                      : QStringLiteral("4");
    const struct {
        QWidget* w;
        const char* base;
    } names[] = {{ui_->cbFontName, "cbFontName"},
                 {ui_->btnBold, "btnBold"},
                 {ui_->btnItalic, "btnItalic"},
                 {ui_->btnUnderline, "btnUnderline"},
                 {ui_->btnLeftAlign, "btnLeftAlign"},
                 {ui_->btnCenterAlign, "btnCenterAlign"},
                 {ui_->btnRightAlign, "btnRightAlign"},
                 {ui_->btnBullets, "btnBullets"},
                 {ui_->btnFontColor, "btnFontColor"},
                 {ui_->btnSuperscript, "btnSuperscript"},
                 {ui_->btnSubscript, "btnSubscript"},
                 {ui_->btnUndo, "btnUndo"},
                 {ui_->btnRedo, "btnRedo"},
                 {ui_->btnCopy, "btnCopy"},
                 {ui_->btnCut, "btnCut"},
                 {ui_->btnPaste, "btnPaste"},
                 {ui_->btnObject, "btnObject"},
                 {ui_->btnInsSymb, "btnInsSymb"}};
    for (const auto& n : names) n.w->setObjectName(QString::fromLatin1(n.base) + suffix);
    ui_->ceFontSize->setObjectName(kind == TKind::Description ? QStringLiteral("ceFontSize")
                                                              : QStringLiteral("seFontSize") + suffix);
}

void TRichTextEditor::SetRtf(const std::string& rtf) {
    QScopedValueRollback<bool> guard(settingRtf_, true);
    stored_ = rtf;
    TRtfDocument doc = ReadRtf(rtf);
    FillTextDocument(doc, *ui_->rtfText->document());
    ui_->rtfText->document()->clearUndoRedoStacks();
    ui_->rtfText->document()->setModified(false);
    hidden_ = doc.HasUnsupported;
    confirmed_ = false;
    // A text beyond the limit is shown but not edited here: writing it back
    // at every keystroke would make the window sluggish.
    const bool tooLarge = rtf.size() > kMaxRtfBytes;
    ui_->rtfText->setReadOnly(tooLarge);
    ui_->lblHidden->setVisible(hidden_ || tooLarge);
    ui_->lblHidden->setText(tooLarge ? QStringLiteral("Текстът е по-дълъг от 1 MiB и не може да се редактира тук.")
                                     : QStringLiteral("Текстът съдържа обекти, които не могат да бъдат показани "
                                                      "тук. При редакция те ще бъдат премахнати."));
    edited_ = false;
    changedSinceFocus_ = false;
    UpdateToolbar();
}

std::string TRichTextEditor::Rtf() const {
    if (!edited_) return stored_;
    return WriteRtf(ReadTextDocument(*ui_->rtfText->document()));
}

QString TRichTextEditor::PlainText() const { return ui_->rtfText->toPlainText(); }

QTextEdit* TRichTextEditor::TextEdit() const { return ui_->rtfText; }

bool TRichTextEditor::ConfirmEdit() {
    if (ui_->rtfText->isReadOnly()) return false;
    if (!hidden_ || confirmed_) return true;
    TDlgAnswer a = AskMessageBox(QStringLiteral("Текстът съдържа обекти, които не могат да бъдат показани. "
                                                "Ако продължите, те ще бъдат премахнати. Да се продължи ли?"),
                                 akYesNo);
    if (a != TDlgAnswer::Yes) return false;
    confirmed_ = true;
    ui_->lblHidden->hide();
    return true;
}

std::size_t TRichTextEditor::RtfSize() const { return edited_ ? Rtf().size() : stored_.size(); }

bool TRichTextEditor::FitsLimit(std::size_t added) {
    const std::size_t now = RtfSize();
    if (now <= kMaxRtfBytes && added <= kMaxRtfBytes - now) return true;
    ShowMessageBox(QStringLiteral("Поставянето е отказано: полето може да съдържа най-много 1 MiB текст."));
    return false;
}

bool TRichTextEditor::CheckPaste(const QMimeData* data) {
    if (!ConfirmEdit()) return false;
    return FitsLimit(RtfSizeOfPaste(*data, kind_ == TKind::Equation, kMaxRtfBytes, ui_->rtfText->document()));
}

bool TRichTextEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->rtfText) {
        // A menu opening over the editor or a message box taking the window
        // does not finish the editing: the command chosen from the menu
        // (say "Анализ на модела") would otherwise run twice.
        const auto reason =
            event->type() == QEvent::FocusOut ? static_cast<QFocusEvent*>(event)->reason() : Qt::OtherFocusReason;
        if (event->type() == QEvent::FocusOut && changedSinceFocus_ && reason != Qt::PopupFocusReason &&
            reason != Qt::ActiveWindowFocusReason) {
            changedSinceFocus_ = false;
            emit editingFinished();
        }
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool paste = key->matches(QKeySequence::Paste) ||
                               (key->key() == Qt::Key_Insert && key->modifiers() == Qt::ShiftModifier);
            if (paste && kind_ == TKind::Equation) {
                const QMimeData* d = QApplication::clipboard()->mimeData();
                if (!d || !d->hasText() || d->hasImage()) return true;  // swallowed
            }
            if (kind_ == TKind::Equation && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                (key->modifiers() & Qt::ShiftModifier)) {
                // A line break inside a paragraph would join two equation lines.
                ui_->rtfText->textCursor().insertBlock();
                return true;
            }
            const bool typed =
                !key->text().isEmpty() && (key->text().at(0).unicode() >= 32 || key->key() == Qt::Key_Return ||
                                           key->key() == Qt::Key_Enter || key->key() == Qt::Key_Tab);
            const bool edits = typed || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace || paste ||
                               key->matches(QKeySequence::Cut);
            if (edits && hidden_ && !confirmed_ && !ConfirmEdit()) return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TRichTextEditor::OnContentsChanged() {
    if (settingRtf_) return;
    edited_ = true;
    changedSinceFocus_ = true;
    UpdateToolbar();
    emit textEdited();
}

void TRichTextEditor::MergeFormat(const std::function<void(QTextCharFormat&)>& set) {
    if (!ConfirmEdit()) return;
    QTextCharFormat format;
    set(format);
    ui_->rtfText->mergeCurrentCharFormat(format);
    ui_->rtfText->setFocus();
}

void TRichTextEditor::ConnectToolbar() {
    QTextEdit* t = ui_->rtfText;
    connect(ui_->btnBold, &QToolButton::clicked, this, [this](bool on) {
        MergeFormat([on](QTextCharFormat& f) { f.setFontWeight(on ? QFont::Bold : QFont::Normal); });
    });
    connect(ui_->btnItalic, &QToolButton::clicked, this,
            [this](bool on) { MergeFormat([on](QTextCharFormat& f) { f.setFontItalic(on); }); });
    connect(ui_->btnUnderline, &QToolButton::clicked, this,
            [this](bool on) { MergeFormat([on](QTextCharFormat& f) { f.setFontUnderline(on); }); });
    auto vertical = [this] {
        const auto a = ui_->btnSuperscript->isChecked() ? QTextCharFormat::AlignSuperScript
                       : ui_->btnSubscript->isChecked() ? QTextCharFormat::AlignSubScript
                                                        : QTextCharFormat::AlignNormal;
        MergeFormat([a](QTextCharFormat& f) { f.setVerticalAlignment(a); });
    };
    connect(ui_->btnSuperscript, &QToolButton::clicked, this, [this, vertical](bool on) {
        if (on) ui_->btnSubscript->setChecked(false);
        vertical();
    });
    connect(ui_->btnSubscript, &QToolButton::clicked, this, [this, vertical](bool on) {
        if (on) ui_->btnSuperscript->setChecked(false);
        vertical();
    });
    connect(ui_->cbFontName, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        MergeFormat([&font](QTextCharFormat& f) { f.setFontFamilies({font.family()}); });
    });
    connect(ui_->ceFontSize, &QSpinBox::valueChanged, this,
            [this](int size) { MergeFormat([size](QTextCharFormat& f) { f.setFontPointSize(size); }); });
    auto align = [this](Qt::Alignment a) {
        if (!ConfirmEdit()) return;
        ui_->rtfText->setAlignment(a);
        UpdateToolbar();
    };
    connect(ui_->btnLeftAlign, &QToolButton::clicked, this, [align] { align(Qt::AlignLeft); });
    connect(ui_->btnCenterAlign, &QToolButton::clicked, this, [align] { align(Qt::AlignHCenter); });
    connect(ui_->btnRightAlign, &QToolButton::clicked, this, [align] { align(Qt::AlignRight); });
    connect(ui_->btnBullets, &QToolButton::clicked, this, [this](bool on) {
        if (!ConfirmEdit()) return;
        QTextCursor c = ui_->rtfText->textCursor();
        if (on) {
            c.createList(QTextListFormat::ListDisc);
        } else if (QTextList* list = c.currentList()) {
            list->remove(c.block());
            QTextBlockFormat bf = c.blockFormat();
            bf.setIndent(0);
            c.setBlockFormat(bf);
        }
    });
    connect(ui_->btnUndo, &QToolButton::clicked, t, &QTextEdit::undo);
    connect(ui_->btnRedo, &QToolButton::clicked, t, &QTextEdit::redo);
    connect(ui_->btnCopy, &QToolButton::clicked, t, &QTextEdit::copy);
    connect(ui_->btnCut, &QToolButton::clicked, this, [this] {
        if (ConfirmEdit()) ui_->rtfText->cut();
    });
    connect(ui_->btnPaste, &QToolButton::clicked, t, &QTextEdit::paste);
    connect(ui_->btnObject, &QToolButton::clicked, this, &TRichTextEditor::InsertPicture);
    connect(ui_->btnInsSymb, &QToolButton::clicked, this, &TRichTextEditor::ChooseSymbol);
    connect(ui_->btnFontColor, &QToolButton::clicked, this, &TRichTextEditor::ChooseColor);
    connect(t, &QTextEdit::cursorPositionChanged, this, &TRichTextEditor::UpdateToolbar);
    connect(t, &QTextEdit::currentCharFormatChanged, this, &TRichTextEditor::UpdateToolbar);
    connect(t, &QTextEdit::selectionChanged, this, &TRichTextEditor::UpdateToolbar);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TRichTextEditor::UpdateToolbar);
}

// The toolbar shows the selection's format without triggering the controls.
void TRichTextEditor::UpdateToolbar() {
    QTextEdit* t = ui_->rtfText;
    QTextCharFormat f = t->currentCharFormat();
    QTextCursor c = t->textCursor();
    const QList<QWidget*> controls = ui_->pnlToolbar->findChildren<QWidget*>();
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget* w : controls) blockers.push_back(std::make_unique<QSignalBlocker>(w));
    ui_->btnBold->setChecked(f.fontWeight() >= QFont::DemiBold);
    ui_->btnItalic->setChecked(f.fontItalic());
    ui_->btnUnderline->setChecked(f.fontUnderline());
    ui_->btnSuperscript->setChecked(f.verticalAlignment() == QTextCharFormat::AlignSuperScript);
    ui_->btnSubscript->setChecked(f.verticalAlignment() == QTextCharFormat::AlignSubScript);
    ui_->btnBullets->setChecked(c.currentList() != nullptr);
    Qt::Alignment a = t->alignment() & Qt::AlignHorizontal_Mask;
    ui_->btnCenterAlign->setChecked(a & Qt::AlignHCenter);
    ui_->btnRightAlign->setChecked(a & Qt::AlignRight);
    ui_->btnLeftAlign->setChecked(!(a & (Qt::AlignHCenter | Qt::AlignRight)));
    double pt = f.fontPointSize() > 0 ? f.fontPointSize() : t->document()->defaultFont().pointSizeF();
    ui_->ceFontSize->setValue(static_cast<int>(pt + 0.5));
    QStringList families = f.fontFamilies().toStringList();
    QString family = families.isEmpty() ? t->document()->defaultFont().family() : families.first();
    int index = ui_->cbFontName->findText(family);
    if (index >= 0) ui_->cbFontName->setCurrentIndex(index);
    QColor color = f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor(Qt::black);
    ui_->btnFontColor->setIcon(ColorIcon(color));
    ui_->btnFontColor->setProperty("shownColor", color);
    ui_->btnCopy->setEnabled(c.hasSelection());
    ui_->btnCut->setEnabled(c.hasSelection());
    ui_->btnPaste->setEnabled(t->canPaste());
    ui_->btnUndo->setEnabled(t->document()->isUndoAvailable());
    ui_->btnRedo->setEnabled(t->document()->isRedoAvailable());
}

void TRichTextEditor::ShowContextMenu(const QPoint& pos) {
    std::unique_ptr<QMenu> menu = CreateContextMenu();
    menu->exec(ui_->rtfText->viewport()->mapToGlobal(pos));
}

std::unique_ptr<QMenu> TRichTextEditor::CreateContextMenu() {
    QTextEdit* t = ui_->rtfText;
    auto owned = std::make_unique<QMenu>(this);
    QMenu& menu = *owned;
    menu.setObjectName(QStringLiteral("pmRTF"));
    const bool sel = t->textCursor().hasSelection();
    menu.addAction(QStringLiteral("Undo"), t, &QTextEdit::undo)->setEnabled(t->document()->isUndoAvailable());
    menu.addAction(QStringLiteral("Redo"), t, &QTextEdit::redo)->setEnabled(t->document()->isRedoAvailable());
    menu.addSeparator();
    menu.addAction(QStringLiteral("Cut"), this,
                   [this] {
                       if (ConfirmEdit()) ui_->rtfText->cut();
                   })
        ->setEnabled(sel);
    menu.addAction(QStringLiteral("Copy"), t, &QTextEdit::copy)->setEnabled(sel);
    menu.addAction(QStringLiteral("Paste"), t, &QTextEdit::paste)->setEnabled(t->canPaste());
    menu.addAction(QStringLiteral("Delete"), this,
                   [this] {
                       if (ConfirmEdit()) ui_->rtfText->textCursor().removeSelectedText();
                   })
        ->setEnabled(sel);
    menu.addAction(QStringLiteral("Select All"), t, &QTextEdit::selectAll)->setEnabled(!t->document()->isEmpty());
    if (kind_ != TKind::Equation) {
        menu.addSeparator();
        menu.addAction(QStringLiteral("Insert"), this, &TRichTextEditor::InsertPicture);
    }
    return owned;
}

void TRichTextEditor::SetPictureFileChooser(TPictureFileChooser chooser) {
    chooser_ = chooser ? std::move(chooser) : TPictureFileChooser(&AskPictureFile);
}

void TRichTextEditor::InsertPicture() {
    if (kind_ == TKind::Equation || !ConfirmEdit()) return;
    QStringList patterns, entries;
    for (const QByteArray& f : QImageReader::supportedImageFormats()) {
        patterns << QStringLiteral("*.") + QString::fromLatin1(f);
        entries << QString::fromLatin1(f).toUpper() + QStringLiteral(" (*.") + QString::fromLatin1(f) +
                       QLatin1Char(')');
    }
    QString filter = QStringLiteral("Всички картини (") + patterns.join(QLatin1Char(' ')) + QStringLiteral(");;") +
                     entries.join(QStringLiteral(";;"));
    const QString file = chooser_(this, QStringLiteral("Open"), filter);
    if (file.isEmpty()) return;
    QFile in(file);
    QByteArray bytes;
    if (in.open(QIODevice::ReadOnly)) bytes = in.readAll();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    QImage image = reader.read();
    if (image.isNull()) {
        ShowMessageBox(QStringLiteral("Картината не може да бъде прочетена."));
        return;
    }
    // PNG and JPEG files go into the text as they are; other formats are
    // written as PNG.
    const bool keep = format == "png" || format == "jpeg";
    if (!keep) bytes.clear();
    if (!FitsLimit(RtfSizeOfPicture(image, bytes, kMaxRtfBytes))) return;
    static int counter = 0;
    QString name = QStringLiteral("rtfinserted:%1").arg(++counter);
    ui_->rtfText->document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat f;
    f.setName(name);
    f.setWidth(image.width());
    f.setHeight(image.height());
    if (keep) SetPictureSource(f, bytes, format == "png" ? TRtfPictureType::Png : TRtfPictureType::Jpeg);
    ui_->rtfText->textCursor().insertImage(f);
}

void TRichTextEditor::InsertSymbol(char32_t codePoint) {
    if (!ConfirmEdit()) return;
    ui_->rtfText->textCursor().insertText(QString::fromUcs4(&codePoint, 1));
    ui_->rtfText->setFocus();
}

void TRichTextEditor::ChooseSymbol() {
    TfrmInsSymb dialog(this);
    dialog.PlaceBelow(ui_->btnInsSymb, ui_->pnlToolbar);
    if (dialog.exec() == QDialog::Accepted) InsertSymbol(dialog.Chosen());
}

void TRichTextEditor::ChooseColor() {
    auto* palette = new TfrmFontColor(this);
    QColor shown = ui_->btnFontColor->property("shownColor").value<QColor>();
    connect(palette, &TfrmFontColor::colorSelected, this, [this](const QColor& color) {
        ui_->btnFontColor->setIcon(ColorIcon(color));
        MergeFormat([&color](QTextCharFormat& f) { f.setForeground(color); });
    });
    palette->Popup(ui_->btnFontColor, ui_->btnFontColor->rect(), shown);
}

}  // namespace vormid
