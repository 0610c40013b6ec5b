#include "ui/widgets/NumberEdit.h"

#include <QAction>
#include <QLocale>
#include <QStyle>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace vormid {

std::optional<double> ParseTypedNumber(const QString& text) {
    QString t = text.trimmed();
    if (t.isEmpty() || t.size() > TNumberEdit::kMaxTextBytes) return std::nullopt;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    // Only the characters of a plain decimal number: no "inf", "nan", hex.
    for (QChar c : t) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || u == '.' || u == '-' || u == '+' || u == 'e' || u == 'E')) return std::nullopt;
    }
    const QByteArray bytes = t.toLatin1();
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    if (*first == '+') ++first;  // from_chars takes no plus sign
    double value = 0.0;
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

QString FormatTypedNumber(double value, int decimals) {
    QString s = decimals < 0 ? QString::number(value, 'g', std::numeric_limits<double>::max_digits10)
                             : QString::number(value, 'f', decimals);
    if (decimals < 0) {
        // The shortest text that reads back the same number.
        for (int p = 1; p <= std::numeric_limits<double>::max_digits10; ++p) {
            QString t = QString::number(value, 'g', p);
            if (t.toDouble() == value) {
                s = t;
                break;
            }
        }
    }
    return s.replace(QLatin1Char('.'), QLatin1Char(','));
}

TNumberEdit::TNumberEdit(QWidget* parent)
    : QLineEdit(parent),
      min_(-std::numeric_limits<double>::infinity()),
      max_(std::numeric_limits<double>::infinity()) {
    setMaxLength(kMaxTextBytes);
    button_ = addAction(style()->standardIcon(QStyle::SP_BrowserReload), QLineEdit::TrailingPosition);
    button_->setVisible(false);
    connect(button_, &QAction::triggered, this, &TNumberEdit::buttonClicked);
    connect(this, &QLineEdit::textEdited, this, &TNumberEdit::OnTextEdited);
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

void TNumberEdit::SetButtonVisible(bool visible) { button_->setVisible(visible); }
bool TNumberEdit::ButtonVisible() const { return button_->isVisible(); }

void TNumberEdit::SetValue(double value) {
    setText(FormatTypedNumber(value, integer_ ? 0 : decimals_));
    Check();
}

void TNumberEdit::SetTypedText(const QString& text) {
    setText(text);
    Check();
}

std::optional<double> TNumberEdit::Value() const {
    std::optional<double> v = ParseTypedNumber(text());
    if (!v) return std::nullopt;
    if (integer_ && *v != std::trunc(*v)) return std::nullopt;
    if (*v < min_ || *v > max_) return std::nullopt;
    return v;
}

void TNumberEdit::Check() {
    valid_ = text().trimmed().isEmpty() || Value().has_value();
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

void TNumberEdit::OnTextEdited(const QString& text) {
    Check();
    emit typedTextEdited(text);
    if (std::optional<double> v = Value()) emit valueEdited(*v);
}

void TNumberEdit::HoldRange() {
    std::optional<double> v = ParseTypedNumber(text());
    if (!v) return;
    double held = std::clamp(*v, min_, max_);
    if (integer_) held = std::trunc(held);
    if (held == *v) return;
    setText(FormatTypedNumber(held, integer_ ? 0 : decimals_));
    Check();
    emit typedTextEdited(text());
    emit valueEdited(held);
}

void TNumberEdit::focusOutEvent(QFocusEvent* event) {
    HoldRange();
    QLineEdit::focusOutEvent(event);
}

}  // namespace vormid
