#include "cli/Calculation.h"

#include "cli/Cp1251.h"
#include "evaluation/BudgetCalculation.h"

namespace vormid::cli {

bool CalculateModelBudgets(TGumModel& model, std::string* why) {
    try {
        return CalculateBudgets(model);
    } catch (const std::exception& e) {
        if (why) *why = Cp1251ToUtf8(e.what());
        return false;
    }
}

}  // namespace vormid::cli
