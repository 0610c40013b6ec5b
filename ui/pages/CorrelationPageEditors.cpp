#include "ui/pages/CorrelationPageEditors.h"

#include <QStringList>

namespace vormid {

TCoefficientEdit::TCoefficientEdit(QWidget* parent) : TNumberEdit(parent) {
    SetRange(-1.0, 1.0);
    SetRefusesOnFinish(false);
}

TCoefficientEdit::TState TCoefficientEdit::StateOf(const QString& text) {
    static const QStringList kStarts = {QString(),           QStringLiteral("-"),  QStringLiteral(","),
                                        QStringLiteral("."), QStringLiteral("-,"), QStringLiteral("-.")};
    const QString t = text.trimmed();
    if (kStarts.contains(t)) return TState::Incomplete;
    // "-1," reads as -1, but the user is still typing its decimals.
    if (t.endsWith(QLatin1Char(',')) || t.endsWith(QLatin1Char('.'))) {
        const std::optional<double> head = ParseTypedNumber(t.chopped(1));
        if (head && *head >= -1.0 && *head <= 1.0) return TState::Incomplete;
    }
    const std::optional<double> v = ParseTypedNumber(t);
    return v && *v >= -1.0 && *v <= 1.0 ? TState::Valid : TState::Refused;
}

}  // namespace vormid
