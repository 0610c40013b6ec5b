#pragma once
// Keeps a plain text box within what its file field stores: at most a number
// of Windows-1251 bytes, and only characters that code page has. Typing past
// either limit is refused at once, with a message beside the box, instead of
// the text being cut or changed into "?" when the model is saved.
#include <QValidator>

namespace vormid {

// Whether every character of text has a Windows-1251 code.
bool IsCp1251Text(const QString& text);
// The Windows-1251 length of text (characters without a code count one).
int Cp1251Length(const QString& text);

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
