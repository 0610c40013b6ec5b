#pragma once
// The text area of the rich-text fields: a QTextEdit whose pastes and drops
// pass a check first (size limit, plain text only).
#include <QTextEdit>
#include <functional>

namespace vormid {

class TRtfTextArea : public QTextEdit {
    Q_OBJECT
public:
    explicit TRtfTextArea(QWidget* parent = nullptr) : QTextEdit(parent) {}
    // Returns false to refuse the data.
    std::function<bool(const QMimeData*)> PasteCheck;
    // Pastes only the plain text of the data.
    bool PlainOnly = false;

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace vormid
