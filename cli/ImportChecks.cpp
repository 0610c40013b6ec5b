#include "cli/ImportChecks.h"

#include "core/Cp1251.h"
#include "cli/JsonValues.h"
#include "evaluation/BudgetCalculationChecks.h"

namespace vormid::cli {
namespace {

std::string PathOf(const TInputProblem& p) {
    if (p.Quantity >= 0) return "quantities[" + std::to_string(p.Quantity) + "]." + p.Field;
    if (p.Correlation >= 0) return "correlations[" + std::to_string(p.Correlation) + "]." + p.Field;
    return p.Field;
}

}  // namespace

void RefuseImpossibleInputs(const TGumModel& model, std::vector<std::string>* warnings) {
    const auto problems = CheckModelInputs(model.Params, model.Correlations);
    for (const TInputProblem& p : problems)
        if (!p.Warning) throw JsonFieldError(PathOf(p), Cp1251ToUtf8(p.Message));
    if (warnings == nullptr) return;
    for (const TInputProblem& p : problems) warnings->push_back(PathOf(p) + ": " + Cp1251ToUtf8(p.Message));
}

std::vector<std::string> ModelInputWarnings(const TGumModel& model) {
    std::vector<std::string> warnings;
    for (const TInputProblem& p : CheckModelInputs(model.Params, model.Correlations))
        if (p.Warning) warnings.push_back(Cp1251ToUtf8(p.Message));
    return warnings;
}

}  // namespace vormid::cli
