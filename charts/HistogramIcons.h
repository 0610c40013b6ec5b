#pragma once
// The histogram toolbar's image list (ilHisto), our own 16 x 16 drawings.
// Index by the button's state: bars 0, curve 1, mean 2, median 3, left
// scale 4 + mode, right scale 7 + mode, histogram 10, distribution function
// 11, bars with curve 12, value labels 13 + mode, empty plot 16, +-kS 17 and
// 18 + k (k = 0 none .. 6).
#include <QIcon>

namespace vormid {

inline constexpr int kHistogramIconCount = 25;
inline constexpr int kIconLeftScale = 4;
inline constexpr int kIconRightScale = 7;
inline constexpr int kIconHistogram = 10;
inline constexpr int kIconDistributionFunction = 11;
inline constexpr int kIconValueLabels = 13;
inline constexpr int kIconSigmaLines = 18;

// An icon of the list; a null icon outside 0..24.
QIcon HistogramIcon(int index);

}  // namespace vormid
