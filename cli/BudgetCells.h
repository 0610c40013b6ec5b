#pragma once
// Cell texts of the budget table (UTF-8), one function per piece of the
// page: entry cells by logical column, the footer and the result line.
#include <string>
#include <vector>

#include "cli/DisplayJson.h"
#include "cli/Formatters.h"
#include "cli/QuantityLookup.h"
#include "core/GumModel.h"

namespace vormid::cli {

constexpr int kBudgetColumns = 12;

// Header texts of the twelve logical columns; column 11 follows the graph mode.
std::string BudgetHeader(int column, bool chart_shows_contribution);

// Caption of a distribution code ("" for an unknown code).
std::string DistributionCaption(int code);

// Degrees of freedom as the table writes them: the integer when 0..10000, else "∞".
std::string DofText(int dof);

struct BudgetView {
    const TGumModel& Model;
    const QuantityLookup& Quantities;
    const TDisplayState& Display;
    const TBudget& Budget;
    NumberFormatter Format;
    bool UnitsShown;  // the units column is visible: numbers carry no unit suffix
};

BudgetView MakeBudgetView(const TGumModel& model, const QuantityLookup& quantities, const TDisplayState& display,
                          const TBudget& budget);

// The visible logical columns, in order.
std::vector<int> VisibleColumns(const TDisplayState& display);

// Whether the row filter shows the entry.
bool EntryShown(const BudgetView& v, const TBudgetEntry& e);

// Text of one cell of an entry row; bar_width is the width of the graph
// column in characters.
std::string EntryCell(const BudgetView& v, const TBudgetEntry& e, int column, int bar_width);

// The four footer rows (labels, combined result, labels, result line), each
// with a first cell and four segments.
std::vector<std::vector<std::string>> FooterRows(const BudgetView& v);

// The result line's parts as texts: value, "± " U, k and P.
struct ResultLine {
    FormattedNumber Value;
    std::string ValueSuffix;
    FormattedNumber Uncertainty;
    std::string UncertaintySuffix;
    std::string CoverageFactor;
    std::string CoverageProbability;  // with " %"
};
ResultLine MakeResultLine(const BudgetView& v);

}  // namespace vormid::cli
