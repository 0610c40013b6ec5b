#pragma once
// The budget calculation: for every result quantity of the model, the value
// of the result, the sensitivity coefficient and contribution of every input
// (central differences at x -/+ u), the combined standard uncertainty with
// correlations, the effective degrees of freedom (Welch-Satterthwaite), the
// coverage factor and the expanded uncertainty, as one TBudget. Runs without
// any window; nothing is kept from one run to the next.
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/Budget.h"
#include "core/Correlation.h"
#include "core/GumModel.h"
#include "core/GumParam.h"
#include "evaluation/BudgetCalculationChecks.h"
#include "evaluation/EquationCheck.h"
#include "evaluation/QuantityIndex.h"
#include "evaluation/Substitution.h"

namespace vormid {

// Direction of the shifted input in the value lookup.
constexpr int kShiftDown = 1;  // x - u
constexpr int kShiftUp = 2;    // x + u

// One input of a result: a Type A or Type B quantity of its substituted
// equation.
struct TBudgetInput {
    std::string Name;
    const TGumParam* Param = nullptr;
    double YMinus = 0.0;  // y with this input at x - u
    double YPlus = 0.0;   // y with this input at x + u
    double Sensitivity = 0.0;
    double Contribution = 0.0;
    double Ratio = 0.0;
    double Index = 0.0;
    long double DofTerm = 0.0L;  // Contribution^4 / nu, or 0 for infinite nu
};

class TBudgetCalculator {
public:
    // The result's coverage factor is written back for the t method, so the
    // quantities are not const. The equation is the editor's rich text.
    TBudgetCalculator(TGumParams& params, const TCorrelation& correlations, std::string_view equationRichText);

    // The right side of q's line with the intermediate results substituted;
    // empty when q has no line. With a budget, the budget gets an entry for
    // every quantity that the substituted text names. Throws
    // TCalculationError for a cyclic definition.
    std::string ResultEquation(const TGumParam& q, TBudget* budget);

    // Shift state of the lookup: name's value becomes x - u (kShiftDown) or
    // x + u (kShiftUp). An empty name shifts nothing.
    void SetShift(std::string name, int direction);
    void ClearShift() { SetShift({}, 0); }

    // The value of a name for the evaluator: the estimate of the quantity,
    // or its shifted value when it is the shifted one. Throws
    // TCalculationError (naming it) for a name that is no quantity.
    double LookupValue(const std::string& name) const;
    // TLookupFunc form of LookupValue; context is the calculator.
    static double Lookup(void* context, const std::string& name);

    // Whether shifted evaluations recompute only what the shift changes
    // (the default) or evaluate the whole equation through LookupValue.
    // Both give the same bits.
    void SetIncremental(bool on) { Incremental_ = on; }

    // The whole run: empties budgets and fills one budget per result
    // quantity, in list order. Never throws for a failure of one result:
    // that budget gets ErrorCode and ErrorMessage and the run goes on.
    void CalculateBudgets(TBudgets& budgets);

    // The inputs of the last calculated result or intermediate result.
    const std::vector<TBudgetInput>& Inputs() const { return Inputs_; }

private:
    struct TOutcome {
        int Code = NoError;
        std::string Message;
    };
    // Steps of one result (budget null for an intermediate result).
    TOutcome Calculate(TGumParam& r, THelpTable& h, TBudget* b);
    TOutcome Evaluations(THelpTable& h, double& y);
    TOutcome FillBudget(TGumParam& r, const THelpTable& h, TBudget& b, long double sumSquares);
    TBudgetEntryIndex& EntriesOf(TBudget& b);
    void RefuseImpossibleInputs(const TGumParam& r, const std::unordered_set<std::string>& names) const;

    TGumParams& Params_;
    const TCorrelation& Correlations_;
    std::string Plain_;
    TQuantityIndex Quantities_;
    TEquationSubstitution Substitution_;
    std::unordered_map<const TBudget*, std::unique_ptr<TBudgetEntryIndex>> EntryIndexes_;
    std::vector<TBudgetInput> Inputs_;
    std::vector<TInputProblem> Refusals_;  // the errors of CheckModelInputs
    // Mistakes of the equation's language, with their place; they make the
    // messages of the results that meet them say what is wrong.
    std::vector<TEquationProblem> LanguageProblems_;
    void RefuseTwiceDefined(const TGumParam& q) const;
    // A mistake of the text on a line that q's equation uses and that keeps
    // the line from being read (IsStructuralProblem); null when none.
    const TEquationProblem* UnreadableBecause(const TGumParam& q) const;
    std::string ShiftName_;
    int ShiftDirection_ = 0;
    std::string Current_;  // the result being calculated, for messages
    bool Incremental_ = true;
};

// The whole calculation of a model given by its parts; fills budgets.
// Returns true.
bool CalculateBudgets(TGumParams& params, const TCorrelation& correlations, std::string_view equationRichText,
                      TBudgets& budgets);
// The whole calculation of a model into model.Budgets. Returns true.
bool CalculateBudgets(TGumModel& model);

}  // namespace vormid
