#pragma once
// The two colours that show where the keyboard focus is: the units field's
// frame and the selection of the quantity grid and the observation grid are
// orange while the focus is in them and steel blue otherwise.
#include <QColor>

class QAbstractItemView;

namespace vormid {

inline const QColor kFocusColour(247, 176, 70);
inline const QColor kIdleColour(101, 138, 171);

// Colours the view's selection by where the focus is (the view itself or a
// cell editor inside it), from now on and at every focus change.
void TrackFocusColours(QAbstractItemView* view);

}  // namespace vormid
