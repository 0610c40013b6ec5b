#include "ui/richtext/RtfTextArea.h"

#include <QMimeData>

namespace vormid {

bool TRtfTextArea::canInsertFromMimeData(const QMimeData* source) const {
    if (PlainOnly) return source->hasText();
    return QTextEdit::canInsertFromMimeData(source);
}

void TRtfTextArea::insertFromMimeData(const QMimeData* source) {
    if (PasteCheck && !PasteCheck(source)) return;
    if (PlainOnly) {
        if (source->hasText()) insertPlainText(source->text());
        return;
    }
    QTextEdit::insertFromMimeData(source);
}

}  // namespace vormid
