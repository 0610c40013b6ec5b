#pragma once
// The numeric entry box of the window (the "fe" boxes; "feb" boxes show a
// button at the right end as well). It keeps the text as the user typed it,
// reads "," and "." alike as the decimal sign whatever the locale, holds its
// range and its rule, and shows text that is no number in a visible invalid
// state: a value is reported only for a valid number within the range that
// the rule allows. Text that cannot be taken when the user finishes (Enter or
// leaving the box) is refused with a message in the program's message box,
// and the box returns to the number it held before, so that the box and the
// model agree again.
#include <QLineEdit>
#include <functional>
#include <optional>
#include <string>

class QAction;

namespace vormid {

// A box's text as the core's rules read it: without the blanks around it,
// and nothing when it holds a character outside ASCII (no number has one).
std::optional<std::string> TypedAscii(const QString& text);
// The core's typed number (core/GumParamGrid.h) of a box's text.
std::optional<double> ParseTypedNumber(const QString& text);
// The number written with a decimal comma: decimals < 0 gives the shortest
// text that reads back the same double, otherwise exactly that many decimals.
QString FormatTypedNumber(double value, int decimals = -1);

class TNumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TNumberEdit(QWidget* parent = nullptr);

    // Values outside [minimum, maximum] are refused. Default: no limit.
    void SetRange(double minimum, double maximum);
    double Minimum() const { return min_; }
    double Maximum() const { return max_; }
    // Whole numbers only (degrees of freedom, per cent of reliability).
    void SetIntegerOnly(bool on);
    // Decimals of a value set by SetValue (-1: shortest round-trip text).
    void SetDecimals(int decimals) { decimals_ = decimals; }

    // A rule beyond the range: for an impossible number, the reason in the
    // program's words ("неопределеността не може да бъде отрицателна"); an
    // empty text for a number the box takes. An empty rule takes every number.
    using TRule = std::function<QString(double)>;
    void SetRule(TRule rule);

    // What a refusal calls the box: the caption set here, or else the text of
    // the label whose buddy the box is (the label the user reads beside it).
    void SetCaption(const QString& caption) { caption_ = caption; }
    QString Caption() const;
    // Why the present text cannot be taken, as the message names it; empty
    // when it can (an empty text included).
    QString Refusal() const;

    // Off: a text the box cannot take stays in it, in its invalid state,
    // with no message when the editing finishes; the owner shows why (the
    // in-place boxes of a grid, where a modal box would close the editor).
    void SetRefusesOnFinish(bool on) { refusesOnFinish_ = on; }

    // The button of a "feb" box.
    void SetButtonVisible(bool visible);
    bool ButtonVisible() const;

    // Shows a number (formatted by the box); not an edit.
    void SetValue(double value);
    // Shows a text kept from an earlier typing; not an edit.
    void SetTypedText(const QString& text);
    // Shows a stored number as it was typed (CP1251 bytes), or formatted
    // when no text was kept; not an edit.
    void ShowStored(double value, const std::string& typed);

    // The number of the text when it is a valid number within the range.
    std::optional<double> Value() const;
    // Empty text counts as valid (no number, nothing wrong).
    bool IsValid() const { return valid_; }
    // The text that belongs with the number the box reports: the present
    // text, or while it cannot be taken the text from before this editing.
    QString TypedText() const;

signals:
    // The number the quantity is to hold after a change of the text: the
    // typed number, or while the text cannot be taken the number from before
    // this editing (TypedText gives its text).
    void valueEdited(double value);
    // The user changed the text (empty included); carries TypedText.
    void typedTextEdited(const QString& text);
    void buttonClicked();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Check();
    void ShowValidity();
    void OnTextEdited(const QString& text);
    void OnEditingFinished();
    // The number of a text when the box takes it.
    std::optional<double> NumberOf(const QString& text) const;
    // The reason a parsed number is refused (integer, rule, range); empty
    // when it is taken.
    QString NumberRefusal(double value) const;

    QAction* button_ = nullptr;
    TRule rule_;
    QString caption_;
    // The text when the present editing began (shown by the program, found
    // on entering the box, or taken when the last editing finished): what
    // the box returns to after a refusal.
    QString accepted_;
    bool refusing_ = false;
    bool refusesOnFinish_ = true;
    double min_;
    double max_;
    int decimals_ = -1;
    bool integer_ = false;
    bool valid_ = true;
};

}  // namespace vormid
