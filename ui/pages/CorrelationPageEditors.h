#pragma once
// The in-place coefficient box of the correlation grid (febCorrel). A
// coefficient outside −1 … 1 is refused and stays in the box in its invalid
// state, with the reason beside the grid: unlike the other number boxes it
// neither brings back the stored number nor asks in a modal box, since the
// editor lives over a grid cell.
#include "ui/widgets/NumberEdit.h"

namespace vormid {

class TCoefficientEdit : public TNumberEdit {
    Q_OBJECT
public:
    explicit TCoefficientEdit(QWidget* parent = nullptr);

    // What the typed text amounts to.
    enum class TState {
        Incomplete,  // empty, a sign or decimal sign alone, a number ending in its decimal sign
        Valid,       // a number within −1 … 1
        Refused,     // not a number, or outside −1 … 1
    };
    static TState StateOf(const QString& text);
};

}  // namespace vormid
