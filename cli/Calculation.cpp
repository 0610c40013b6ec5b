#include "cli/Calculation.h"

#include "cli/Cp1251.h"
#ifdef VORMID_HAVE_EVALUATION
#include "evaluation/BudgetCalculation.h"
#endif

namespace vormid::cli {

bool CalculateModelBudgets(TGumModel& model, std::string* why) {
#ifdef VORMID_HAVE_EVALUATION
    try {
        return CalculateBudgets(model);
    } catch (const std::exception& e) {
        if (why) *why = Cp1251ToUtf8(e.what());
        return false;
    }
#else
    (void)model;
    if (why) *why = "това копие на програмата е построено без изчисляване на бюджети";
    return false;
#endif
}

}  // namespace vormid::cli
