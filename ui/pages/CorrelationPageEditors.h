#pragma once
// The in-place coefficient box of the correlation grid (febCorrel). A
// coefficient outside −1 … 1 is refused and stays in the box in its invalid
// state; unlike the other number boxes it is not brought into the range
// when the box is left, since a clamped ±1 would be a value the user never
// gave.
#include "ui/widgets/NumberEdit.h"

namespace vormid {

class TCoefficientEdit : public TNumberEdit {
    Q_OBJECT
public:
    explicit TCoefficientEdit(QWidget* parent = nullptr);

    // What the typed text amounts to.
    enum class TState {
        Incomplete,  // empty, or a sign or decimal sign alone: nothing yet
        Valid,       // a number within −1 … 1
        Refused,     // not a number, or outside −1 … 1
    };
    static TState StateOf(const QString& text);

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace vormid
