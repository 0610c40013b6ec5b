#pragma once
// The three forms of "vormid-cli budget": a table per result as the budget
// page shows it, CSV, and JSON. They read the budgets that the calculation
// left in the model.
#include <ostream>
#include <string>

#include "cli/DisplayJson.h"
#include "core/GumModel.h"

namespace vormid::cli {

void WriteBudgetsText(const TGumModel& model, const TDisplayState& display, std::ostream& out);
void WriteBudgetsCsv(const TGumModel& model, std::ostream& out);
void WriteBudgetsJson(const std::string& file, const TGumModel& model, const TDisplayState& display, std::ostream& out);

}  // namespace vormid::cli
