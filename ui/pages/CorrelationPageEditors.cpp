#include "ui/pages/CorrelationPageEditors.h"

#include <QStringList>

namespace vormid {

TCoefficientEdit::TCoefficientEdit(QWidget* parent) : TNumberEdit(parent) { SetRange(-1.0, 1.0); }

TCoefficientEdit::TState TCoefficientEdit::StateOf(const QString& text) {
    static const QStringList kStarts = {QString(), QStringLiteral("-"), QStringLiteral(","), QStringLiteral("."),
                                        QStringLiteral("-,"), QStringLiteral("-.")};
    const QString t = text.trimmed();
    if (kStarts.contains(t)) return TState::Incomplete;
    const std::optional<double> v = ParseTypedNumber(t);
    return v && *v >= -1.0 && *v <= 1.0 ? TState::Valid : TState::Refused;
}

void TCoefficientEdit::focusOutEvent(QFocusEvent* event) {
    // Skips TNumberEdit's bringing into range: the refused text stays shown.
    QLineEdit::focusOutEvent(event);  // NOLINT(bugprone-parent-virtual-call)
}

}  // namespace vormid
