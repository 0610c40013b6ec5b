#include "ui/richtext/RichTextEditor.h"

#include <QEvent>
#include <QScopedValueRollback>
#include <QTextEdit>

#include "ui/TextCodec.h"
#include "ui_RichTextEditor.h"

namespace vormid {
namespace {

const char* ObjectName(TRichTextEditor::TKind kind) {
    switch (kind) {
        case TRichTextEditor::TKind::Description: return "Editor";
        case TRichTextEditor::TKind::Comment: return "Commentar";
        case TRichTextEditor::TKind::Equation: return "Equation";
        case TRichTextEditor::TKind::BudgetComment: return "BudgetComent";
    }
    return "Editor";
}

// Until the RTF layer lands: the text of the stored bytes without control
// words and groups of the header.
QString InterimText(const std::string& rtf) {
    if (rtf.rfind("{\\rtf", 0) != 0) return FromCp1251(rtf);
    std::string out;
    int depth = 0, skipDepth = -1;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        char c = rtf[i];
        if (c == '{') { ++depth; continue; }
        if (c == '}') { if (depth == skipDepth) skipDepth = -1; --depth; continue; }
        if (c == '\\' && i + 1 < rtf.size()) {
            char n = rtf[i + 1];
            if ((n >= 'a' && n <= 'z') || (n >= 'A' && n <= 'Z')) {
                std::size_t j = i + 1;
                while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
                std::string word = rtf.substr(i + 1, j - i - 1);
                while (j < rtf.size() && (std::isdigit(static_cast<unsigned char>(rtf[j])) || rtf[j] == '-')) ++j;
                if (j < rtf.size() && rtf[j] == ' ') ++j;
                if (word == "fonttbl" || word == "colortbl" || word == "stylesheet") skipDepth = depth;
                if (word == "par" && skipDepth < 0) out += '\n';
                i = j - 1;
                continue;
            }
            if (skipDepth < 0 && n != '\'' && n != '*') out += n;
            ++i;
            continue;
        }
        if (skipDepth < 0 && c != '\r' && c != '\n') out += c;
    }
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return FromCp1251(out);
}

std::string InterimRtf(const QString& text) {
    std::string out = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Tahoma;}}\r\n"
                      "\\viewkind4\\uc1\\pard\\f0\\fs16 ";
    for (unsigned char c : ToCp1251(text)) {
        if (c == '\n') out += "\\par\r\n";
        else if (c == '\\' || c == '{' || c == '}') { out += '\\'; out += char(c); }
        else if (c >= 0x80) { char buf[8]; std::snprintf(buf, sizeof buf, "\\'%02x", c); out += buf; }
        else out += char(c);
    }
    out += "\\par\r\n}\r\n";
    return out;
}

}  // namespace

TRichTextEditor::TRichTextEditor(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::TRichTextEditor>()) {
    ui_->setupUi(this);
    ui_->rtfText->installEventFilter(this);
    connect(ui_->rtfText->document(), &QTextDocument::contentsChanged, this, &TRichTextEditor::OnContentsChanged);
    SetKind(TKind::Description);
}

TRichTextEditor::~TRichTextEditor() = default;

void TRichTextEditor::SetKind(TKind kind) {
    kind_ = kind;
    setObjectName(QString::fromLatin1(ObjectName(kind)));
}

void TRichTextEditor::SetRtf(const std::string& rtf) {
    QScopedValueRollback<int> guard(loading_, loading_ + 1);
    stored_ = rtf;
    ui_->rtfText->setPlainText(InterimText(rtf));
    ui_->rtfText->document()->clearUndoRedoStacks();
    edited_ = false;
    changedSinceFocus_ = false;
}

std::string TRichTextEditor::Rtf() const {
    if (!edited_) return stored_;
    return InterimRtf(ui_->rtfText->toPlainText());
}

QString TRichTextEditor::PlainText() const { return ui_->rtfText->toPlainText(); }

QTextEdit* TRichTextEditor::TextEdit() const { return ui_->rtfText; }

bool TRichTextEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->rtfText && event->type() == QEvent::FocusOut && changedSinceFocus_) {
        changedSinceFocus_ = false;
        emit editingFinished();
    }
    return QWidget::eventFilter(watched, event);
}

void TRichTextEditor::OnContentsChanged() {
    if (loading_) return;
    edited_ = true;
    changedSinceFocus_ = true;
    emit textEdited();
}

}  // namespace vormid
