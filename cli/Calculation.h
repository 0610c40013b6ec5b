#pragma once
// The budget calculation as the budget page runs it.
#include <string>

#include "core/GumModel.h"

namespace vormid::cli {

// Replaces model.Budgets with a fresh calculation. Returns false, with the
// reason in *why (UTF-8), when the calculation as a whole failed (the page
// then shows no tabs at all).
bool CalculateModelBudgets(TGumModel& model, std::string* why);

}  // namespace vormid::cli
