#include "charts/MarkerLabels.h"

#include <algorithm>
#include <numeric>

namespace vormid::charts {

namespace {

int Wanted(const TLabelBox& b) {
    if (b.Align == 1) return b.Anchor - b.Width / 2;
    if (b.Align == 2) return b.Anchor - b.Width;
    return b.Anchor;
}

// Whether the labels of these indices fit side by side.
bool Fits(const std::vector<TLabelBox>& labels, const std::vector<std::size_t>& kept, int room, int gap) {
    long long need = 0;
    for (std::size_t i : kept) need += labels[i].Width;
    if (!kept.empty()) need += static_cast<long long>(gap) * static_cast<long long>(kept.size() - 1);
    return need <= room;
}

}  // namespace

std::vector<std::optional<int>> PlaceMarkerLabels(const std::vector<TLabelBox>& labels, int left, int right, int gap) {
    std::vector<std::optional<int>> places(labels.size());
    std::vector<std::size_t> kept(labels.size());
    std::iota(kept.begin(), kept.end(), 0);
    // Drop labels of the lowest priority (the later of equals) until the rest fit.
    while (!kept.empty() && !Fits(labels, kept, right - left, gap)) {
        auto lowest = std::min_element(kept.begin(), kept.end(), [&](std::size_t a, std::size_t b) {
            return labels[a].Priority < labels[b].Priority || (labels[a].Priority == labels[b].Priority && a > b);
        });
        kept.erase(lowest);
    }
    // Left to right by where each wants to be.
    std::stable_sort(kept.begin(), kept.end(),
                     [&](std::size_t a, std::size_t b) { return Wanted(labels[a]) < Wanted(labels[b]); });
    std::vector<int> x(kept.size());
    int next = left;
    for (std::size_t k = 0; k < kept.size(); ++k) {
        x[k] = std::max(Wanted(labels[kept[k]]), next);
        next = x[k] + labels[kept[k]].Width + gap;
    }
    // Then back from the right edge; as the widths fit, the left edge holds.
    int limit = right;
    for (std::size_t k = kept.size(); k-- > 0;) {
        x[k] = std::min(x[k], limit - labels[kept[k]].Width);
        limit = x[k] - gap;
    }
    for (std::size_t k = 0; k < kept.size(); ++k) places[kept[k]] = x[k];
    return places;
}

}  // namespace vormid::charts
