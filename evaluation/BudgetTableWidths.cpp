#include "evaluation/BudgetTableWidths.h"

#include <algorithm>
#include <cstdlib>

namespace vormid {

void FitDataWidths(const std::array<int, kBudgetColumnCount - 1>& widest, TDisplayState& d) {
    for (std::size_t c = 0; c < widest.size(); ++c) d.Columns[c].FittedWidth = widest[c] + (c == 0 ? 7 : 8);
    long sum = 0;
    for (const auto& col : d.Columns)
        if (!col.Hidden) sum += col.FittedWidth;
    const long gap = std::labs(sum - (d.Columns[0].FittedWidth + d.Columns[1].FittedWidth + 573L));
    d.Columns[kBudgetColumnCount - 1].FittedWidth =
        static_cast<std::int32_t>(std::max<long>(kDefaultBudgetColumnWidth, gap));
}

std::vector<int> TableWidths(int clientWidth, int count) {
    if (count <= 0) return {};
    const int each = std::max(0, clientWidth) / count;
    std::vector<int> w(static_cast<std::size_t>(count), each);
    w.back() = std::max(0, clientWidth) - each * (count - 1);
    return w;
}

std::vector<int> TableWidths(int clientWidth, const std::vector<int>& least) {
    const int count = static_cast<int>(least.size());
    std::vector<int> w = TableWidths(clientWidth, count);
    if (count == 0) return w;
    // Columns that need more than an equal share keep what they need; the
    // others share what is left, again equally, until no share is too small.
    std::vector<bool> fixed(least.size(), false);
    for (bool changed = true; changed;) {
        changed = false;
        long rest = std::max(0, clientWidth);
        int free = 0;
        for (std::size_t c = 0; c < least.size(); ++c) {
            if (fixed[c])
                rest -= least[c];
            else
                ++free;
        }
        if (free == 0) break;
        const long each = std::max(0L, rest) / free;
        for (std::size_t c = 0; c < least.size(); ++c)
            if (!fixed[c] && least[c] > each) fixed[c] = changed = true;
        if (changed) continue;
        std::size_t last = 0;
        for (std::size_t c = 0; c < least.size(); ++c)
            if (!fixed[c]) {
                w[c] = static_cast<int>(each);
                last = c;
            }
        w[last] += static_cast<int>(std::max(0L, rest) - each * free);
    }
    for (std::size_t c = 0; c < least.size(); ++c)
        if (fixed[c]) w[c] = least[c];
    return w;
}

std::vector<int> ColumnWidths(const TDisplayState& d, int clientWidth,
                              const std::array<int, kBudgetColumnCount>& least) {
    std::vector<int> w, need;
    for (std::size_t c = 0; c < d.Columns.size(); ++c) {
        const auto& col = d.Columns[c];
        if (col.Hidden) continue;
        need.push_back(least[c]);
        if (d.ColumnWidthMode == cw_ByData)
            w.push_back(col.FittedWidth);
        else if (col.UserWidth == kDefaultBudgetColumnWidth)
            w.push_back(std::max(col.UserWidth, least[c]));  // never set by the user: room for its texts
        else
            w.push_back(col.UserWidth);
    }
    if (d.ColumnWidthMode == cw_ByTable) return TableWidths(clientWidth, need);
    return w;
}

}  // namespace vormid
