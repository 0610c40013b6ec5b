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

std::vector<int> ColumnWidths(const TDisplayState& d, int clientWidth) {
    std::vector<int> w;
    int visible = 0;
    for (const auto& col : d.Columns) {
        if (col.Hidden) continue;
        ++visible;
        w.push_back(d.ColumnWidthMode == cw_ByData ? col.FittedWidth : col.UserWidth);
    }
    if (d.ColumnWidthMode == cw_ByTable) return TableWidths(clientWidth, visible);
    return w;
}

}  // namespace vormid
