#include "ui/widgets/NumberEdit.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QStyle>
#include <cmath>
#include <limits>

#include "core/GumParamGrid.h"
#include "core/TextFields.h"
#include "ui/TextCodec.h"
#include "ui/TfrmDlgBox.h"

namespace vormid {

std::optional<std::string> TypedAscii(const QString& text) {
    const QString t = text.trimmed();
    for (QChar c : t)
        if (c.unicode() >= 0x80) return std::nullopt;
    return t.toLatin1().toStdString();
}

std::optional<double> ParseTypedNumber(const QString& text) {
    const std::optional<std::string> ascii = TypedAscii(text);
    return ascii ? ParseTypedNumber(*ascii) : std::nullopt;
}

QString FormatTypedNumber(double value, int decimals) {
    if (decimals < 0) return QString::fromStdString(FullPrecisionText(value));
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

TNumberEdit::TNumberEdit(QWidget* parent)
    : QLineEdit(parent), min_(-std::numeric_limits<double>::infinity()), max_(std::numeric_limits<double>::infinity()) {
    setMaxLength(static_cast<int>(kText101.Text));
    button_ = addAction(style()->standardIcon(QStyle::SP_BrowserReload), QLineEdit::TrailingPosition);
    button_->setVisible(false);
    connect(button_, &QAction::triggered, this, &TNumberEdit::buttonClicked);
    connect(this, &QLineEdit::textEdited, this, &TNumberEdit::OnTextEdited);
    connect(this, &QLineEdit::editingFinished, this, &TNumberEdit::OnEditingFinished);
}

void TNumberEdit::SetRange(double minimum, double maximum) {
    min_ = minimum;
    max_ = maximum;
    Check();
}

void TNumberEdit::SetIntegerOnly(bool on) {
    integer_ = on;
    if (on) decimals_ = 0;
    Check();
}

void TNumberEdit::SetRule(TRule rule) {
    rule_ = std::move(rule);
    Check();
}

QString TNumberEdit::Caption() const {
    if (!caption_.isEmpty()) return caption_;
    if (QWidget* form = parentWidget()) {
        for (const QLabel* label : form->findChildren<QLabel*>())
            if (label->buddy() == this) return label->text().remove(QLatin1Char('&')).trimmed();
    }
    return {};
}

QString TNumberEdit::NumberRefusal(double v) const {
    if (integer_ && v != std::trunc(v)) return QStringLiteral("„%1“ не е цяло число.").arg(text().trimmed());
    if (rule_) {
        QString reason = rule_(v);
        if (!reason.isEmpty()) return reason;
    }
    if (v < min_ || v > max_) {
        const QString value = FormatTypedNumber(v);
        if (std::isinf(min_))
            return QStringLiteral("%1 е повече от допустимото %2.").arg(value, FormatTypedNumber(max_));
        if (std::isinf(max_))
            return QStringLiteral("%1 е по-малко от допустимото %2.").arg(value, FormatTypedNumber(min_));
        return QStringLiteral("%1 е извън допустимите граници %2 … %3.")
            .arg(value, FormatTypedNumber(min_), FormatTypedNumber(max_));
    }
    return {};
}

QString TNumberEdit::Refusal() const {
    const QString typed = text().trimmed();
    if (typed.isEmpty()) return {};
    std::optional<double> v = ParseTypedNumber(typed);
    QString reason = v ? NumberRefusal(*v) : QStringLiteral("„%1“ не е число.").arg(typed);
    if (reason.isEmpty()) return {};
    const QString caption = Caption();
    return caption.isEmpty() ? reason : QStringLiteral("%1: %2").arg(caption, reason);
}

void TNumberEdit::SetButtonVisible(bool visible) { button_->setVisible(visible); }
bool TNumberEdit::ButtonVisible() const { return button_->isVisible(); }

void TNumberEdit::SetValue(double value) {
    setText(FormatTypedNumber(value, integer_ ? 0 : decimals_));
    accepted_ = text();
    Check();
}

void TNumberEdit::SetTypedText(const QString& text) {
    setText(text);
    accepted_ = text;
    Check();
}

void TNumberEdit::ShowStored(double value, const std::string& typed) {
    if (typed.empty()) return SetValue(value);
    SetTypedText(FromCp1251(typed));
}

std::optional<double> TNumberEdit::Value() const { return NumberOf(text()); }

namespace {

// The start of a number that typing goes through ("-", "0,", "1e-"): not
// shown as wrong while the user is still typing it; still refused if the
// editing ends there.
bool IsNumberBeingTyped(const QString& text) {
    static const QRegularExpression start(QStringLiteral("^[+-]?([0-9]*[.,]?[0-9]*([eE][+-]?)?)?$"));
    return start.match(text).hasMatch() && !ParseTypedNumber(text);
}

}  // namespace

void TNumberEdit::Check() {
    const QString t = text().trimmed();
    valid_ = t.isEmpty() || Value().has_value() || (hasFocus() && IsNumberBeingTyped(t));
    ShowValidity();
}

void TNumberEdit::ShowValidity() {
    if (property("invalid").toBool() == !valid_) return;
    setProperty("invalid", !valid_);
    QPalette p = palette();
    p.setColor(QPalette::Base, valid_ ? QPalette().color(QPalette::Base) : QColor(255, 214, 214));
    setPalette(p);
    setToolTip(valid_ ? QString() : QStringLiteral("Въведеният текст не е число в допустимите граници."));
}

std::optional<double> TNumberEdit::NumberOf(const QString& text) const {
    std::optional<double> v = ParseTypedNumber(text);
    if (!v || !NumberRefusal(*v).isEmpty()) return std::nullopt;
    return v;
}

QString TNumberEdit::TypedText() const { return Refusal().isEmpty() ? text() : accepted_; }

void TNumberEdit::OnTextEdited(const QString& text) {
    Check();
    if (Refusal().isEmpty()) {
        emit typedTextEdited(text);
        if (std::optional<double> v = Value()) emit valueEdited(*v);
        return;
    }
    // While the text cannot be taken the quantity holds the number from
    // before this editing, not one typed on the way ("12" of a refused
    // "120"): a save at that moment keeps nothing of the refused text.
    emit typedTextEdited(accepted_);
    if (std::optional<double> back = NumberOf(accepted_)) emit valueEdited(*back);
}

void TNumberEdit::focusInEvent(QFocusEvent* event) {
    if (Refusal().isEmpty()) accepted_ = text();
    QLineEdit::focusInEvent(event);
}

void TNumberEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    Check();  // a number left half-typed shows as wrong once the box is left
}

void TNumberEdit::OnEditingFinished() {
    // The message box takes the focus, which finishes the editing once more.
    if (refusing_ || !refusesOnFinish_) return;
    const QString message = Refusal();
    if (message.isEmpty()) {
        accepted_ = text();
        return;
    }
    refusing_ = true;
    // Back to the number the box held when this editing began (which the
    // quantity holds again already), before the message is shown.
    setText(accepted_);
    Check();
    emit typedTextEdited(accepted_);
    if (std::optional<double> v = Value()) emit valueEdited(*v);
    ShowWarningBox(message);
    refusing_ = false;
}

}  // namespace vormid
