#pragma once
// Places of the marker labels under the distribution chart: each as near to
// its marker as it can be, none over another and none past the chart's edges.
#include <optional>
#include <vector>

namespace vormid::charts {

struct TLabelBox {
    int Anchor = 0;    // the marker's label x
    int Align = 1;     // 0 left edge, 1 centre, 2 right edge at Anchor
    int Width = 0;     // of the whole text in pixels
    int Priority = 0;  // when not all fit, the lowest go first
};

// Left edges of the labels, in their order, inside [left, right] with at
// least gap pixels between two; nothing for a label that finds no room.
std::vector<std::optional<int>> PlaceMarkerLabels(const std::vector<TLabelBox>& labels, int left, int right, int gap);

}  // namespace vormid::charts
