#include "cli/Calculation.h"

#include "core/Cp1251.h"
#include "cli/ImportChecks.h"
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

bool WarnAndCalculate(TGumModel& model, const std::string& path, std::ostream& err, std::string* why) {
    for (const std::string& w : ModelInputWarnings(model))
        err << "vormid-cli: " << path << ": предупреждение: " << w << '\n';
    const bool calculated = CalculateModelBudgets(model, why);
    if (!calculated) model.Budgets.clear();
    return calculated;
}

}  // namespace vormid::cli
