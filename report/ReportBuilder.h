#pragma once
// Builds the uncertainty report of a model from its calculated budgets.
#include <string>
#include <vector>

#include "core/GumModel.h"
#include "evaluation/MonteCarlo.h"
#include "core/DisplayState.h"
#include "report/ReportContent.h"

namespace vormid::report {

// What the report is made of. The model's budgets must be the ones
// calculated from it (an empty list with CalculationMessage when the
// calculation as a whole failed). Everything named here outlives the call.
struct TReportSource {
    const TGumModel* Model = nullptr;
    const TDisplayState* Display = nullptr;
    std::string FileName;    // as the user knows it (UTF-8)
    std::string FileSha256;  // hex digits of the file's bytes; empty: not saved
    std::string Created;     // date and time of the report, as printed
    std::string Program;     // program name and version
    bool CalculationFailed = false;
    std::string CalculationMessage;  // why, in the program's words (UTF-8)
    // The Monte Carlo check, when it has been run; null otherwise.
    const std::vector<TMonteCarloResult>* MonteCarlo = nullptr;
};

TReport BuildReport(const TReportSource& source);

// The display state of the report's budget tables: the page's columns
// without the graph, units in a column of their own, every entry.
TDisplayState ReportDisplay(const TDisplayState& page);

// The heading of the report's section on a budget, and its table's name.
std::string BudgetTableName(const std::string& resultUtf8);

}  // namespace vormid::report
