#pragma once
// The in-place coefficient box of the correlation grid (febCorrel). A
// coefficient outside −1 … 1 is refused and stays in the box in its invalid
// state, with the reason beside the grid: unlike the other number boxes it
// neither brings back the stored number nor asks in a modal box, since the
// editor lives over a grid cell.
#include "core/Correlation.h"
#include "ui/widgets/NumberEdit.h"

namespace vormid {

class TCoefficientEdit : public TNumberEdit {
    Q_OBJECT
public:
    explicit TCoefficientEdit(QWidget* parent = nullptr);

    // What the typed text amounts to (the core's rule).
    using TState = TCoefficientText;
    static TState StateOf(const QString& text);
};

}  // namespace vormid
