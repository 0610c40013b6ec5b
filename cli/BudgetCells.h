#pragma once
// The budget table's cells as one line of UTF-8 text each: the tool's way
// of drawing the pieces that evaluation/BudgetTable hands out.
#include <string>
#include <vector>

#include "evaluation/BudgetTable.h"

namespace vormid::cli {

// Degrees of freedom as the machine-read forms give them: the computed
// integer, whatever its size; -1 for infinity (the calculation counts 0 and
// below as infinite).
int MachineDof(int dof);

// Text of one cell; bar_width is the width of the graph column in
// characters. A marked ν_eff carries a trailing "*".
std::string CellText(const TBudgetCell& cell, int bar_width);

// The four footer rows, each with a first cell and four segments.
std::vector<std::vector<std::string>> FooterTexts(const TBudgetTable& table);

}  // namespace vormid::cli
