#pragma once
// Keeps a plain text box within what its file field stores: at most a number
// of Windows-1251 bytes, and only characters that code page has. Typing past
// either limit is refused at once, with a message beside the box, instead of
// the text being cut or changed into "?" when the model is saved.
#include <QValidator>

#include "core/Cp1251.h"

namespace vormid {

// The core's rule (core/Cp1251.h) for a box's text.
TFieldTextFault FieldTextFault(const QString& text, int maxBytes);

class TByteLimitValidator : public QValidator {
    Q_OBJECT
public:
    TByteLimitValidator(int maxBytes, QObject* parent);

    int MaxBytes() const { return maxBytes_; }
    State validate(QString& input, int& pos) const override;
    // The message for a refused text (empty when the text is accepted).
    QString Refusal(const QString& text) const;

private:
    int maxBytes_;
};

}  // namespace vormid
