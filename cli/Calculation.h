#pragma once
// The budget calculation as the budget page runs it.
#include <ostream>
#include <string>

#include "core/GumModel.h"

namespace vormid::cli {

// Replaces model.Budgets with a fresh calculation. Returns false, with the
// reason in *why (UTF-8), when the calculation as a whole failed (the page
// then shows no tabs at all).
bool CalculateModelBudgets(TGumModel& model, std::string* why);

// What the budget and report commands do with a loaded model: the input
// warnings on err, then the calculation; a failed one leaves no budgets.
bool WarnAndCalculate(TGumModel& model, const std::string& path, std::ostream& err, std::string* why);

}  // namespace vormid::cli
