#include "ui/pages/CorrelationPageEditors.h"

namespace vormid {

TCoefficientEdit::TCoefficientEdit(QWidget* parent) : TNumberEdit(parent) {
    SetRange(-1.0, 1.0);
    SetRefusesOnFinish(false);
}

TCoefficientEdit::TState TCoefficientEdit::StateOf(const QString& text) {
    const std::optional<std::string> ascii = TypedAscii(text);
    return ascii ? CoefficientTextState(*ascii) : TState::Refused;
}

}  // namespace vormid
