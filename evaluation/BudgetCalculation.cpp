#include "evaluation/BudgetCalculation.h"

#include <climits>
#include <cmath>
#include <functional>
#include <unordered_set>

#include "core/Cp1251.h"
#include "core/Formula.h"
#include "evaluation/BudgetCalculationChecks.h"
#include "evaluation/CalculationMessages.h"
#include "evaluation/CorrelationMatrix.h"
#include "evaluation/Coverage.h"
#include "evaluation/EquationPieces.h"
#include "evaluation/EquationText.h"

namespace vormid {
namespace {

double ShiftedValue(const TGumParam& p, int direction) {
    return direction == kShiftDown ? p.LowerValue() : p.UpperValue();
}

// u_c^4 / S truncated toward zero; -1 (infinity) when S = 0 or the value
// does not fit. The quotient of an exact integer (equal contributions with
// equal nu, for example) may come out a few units of the last place below
// it, which truncation would turn into the integer below; a relative
// allowance far under any meaningful difference keeps it.
int EffectiveDof(long double sumSquares, long double dofTerms) {
    if (!(dofTerms > 0.0L)) return kInfiniteDof;
    long double nu = sumSquares * sumSquares / dofTerms;
    nu += nu * 1e-12L;
    if (!std::isfinite(nu) || nu >= static_cast<long double>(INT_MAX) + 1.0L) return kInfiniteDof;
    return static_cast<int>(nu);
}

bool BudgetIsFinite(const TBudget& b) {
    auto f = [](double x) { return std::isfinite(x); };
    if (!f(b.Value) || !f(b.CombinedUncertainty) || !f(b.RelativeUncertainty) || !f(b.ResultValue) ||
        !f(b.ExpandedUncertainty) || !f(b.CoverageFactor) || !f(b.CoverageProbability) || !f(b.MaxContribution) ||
        !f(b.MaxIndex))
        return false;
    for (const auto& e : b)
        if (!f(e->Value) || !f(e->StdUncertainty) || !f(e->RelUncertainty) || !f(e->Sensitivity) ||
            !f(e->Contribution) || !f(e->Ratio) || !f(e->Index))
            return false;
    return true;
}

}  // namespace

TBudgetCalculator::TBudgetCalculator(TGumParams& params, const TCorrelation& correlations,
                                     std::string_view equationRichText)
    : Params_(params),
      Correlations_(correlations),
      Plain_(EquationText(equationRichText)),
      Quantities_(params),
      Substitution_(SplitEquationLines(Plain_)) {
    for (TInputProblem& problem : CheckModelInputs(params, correlations))
        if (!problem.Warning) Refusals_.push_back(std::move(problem));
    LanguageProblems_ =
        CheckEquationLanguage(Plain_, [this](const std::string& name) { return Quantities_.Find(name) != nullptr; });
}

// A result or an intermediate result of its equation defined by two lines:
// which line counts would be an accident of their order.
void TBudgetCalculator::RefuseTwiceDefined(const TGumParam& q) const {
    std::unordered_set<std::string> used;
    for (const TEquationProblem& p : LanguageProblems_) {
        if (p.Kind != TEquationProblemKind::DefinedTwice) continue;
        if (used.empty()) {
            used.insert(q.Name);
            Substitution_.Substitute(q.Name, [&](const auto& names) { used.insert(names.begin(), names.end()); });
        }
        if (used.count(p.Token) > 0) throw TCalculationError(Cp1251FromUtf8(EquationProblemText(p)));
    }
}

const TEquationProblem* TBudgetCalculator::UnreadableBecause(const TGumParam& q) const {
    std::unordered_set<std::string> used;
    const TEquationProblem* first = nullptr;
    for (const TEquationProblem& p : LanguageProblems_) {
        if (!IsStructuralProblem(p)) continue;
        if (first == nullptr) {
            first = &p;
            used.insert(q.Name);
            Substitution_.Substitute(q.Name, [&](const auto& names) { used.insert(names.begin(), names.end()); });
        }
        std::string_view left = TrimControl(std::string_view(p.LineText).substr(0, p.LineText.find('=')));
        if (left.starts_with("\\n")) left = TrimControl(left.substr(2));
        if (used.count(std::string(left)) > 0) return &p;
    }
    return nullptr;
}

// A refused input fails every budget whose equation or result names all the
// quantities it concerns: a number computed from it would look confident
// and be wrong.
void TBudgetCalculator::RefuseImpossibleInputs(const TGumParam& r, const std::unordered_set<std::string>& names) const {
    for (const TInputProblem& problem : Refusals_) {
        bool meets = true;
        for (const std::string& n : problem.Names) meets = meets && (n == r.Name || names.count(n) > 0);
        if (meets) throw TCalculationError(problem.Message);
    }
}

TBudgetEntryIndex& TBudgetCalculator::EntriesOf(TBudget& b) {
    auto& slot = EntryIndexes_[&b];
    if (!slot) slot = std::make_unique<TBudgetEntryIndex>(b, Quantities_);
    return *slot;
}

std::string TBudgetCalculator::ResultEquation(const TGumParam& q, TBudget* budget) {
    std::function<void(const TEquationSubstitution::TNames&)> registerNames;
    if (budget != nullptr) {
        TBudgetEntryIndex* entries = &EntriesOf(*budget);
        registerNames = [entries](const auto& names) { entries->Register(names); };
    }
    return Substitution_.Substitute(q.Name, registerNames);
}

void TBudgetCalculator::SetShift(std::string name, int direction) {
    ShiftName_ = std::move(name);
    ShiftDirection_ = direction;
}

double TBudgetCalculator::LookupValue(const std::string& name) const {
    const TGumParam* p = Quantities_.Find(name);
    if (p == nullptr) {
        // A leaf the parser could not take apart ("SQR(x)", "1e", "U,I")
        // is told as the mistake it is, with its place.
        if (const TEquationProblem* problem = ProblemBehindName(LanguageProblems_, name))
            throw TCalculationError(Cp1251FromUtf8(EquationProblemText(*problem)));
        throw TCalculationError(MsgUnknownName(Current_, name));
    }
    if (!ShiftName_.empty() && name == ShiftName_ && (ShiftDirection_ == kShiftDown || ShiftDirection_ == kShiftUp))
        return ShiftedValue(*p, ShiftDirection_);
    return p->Value();
}

double TBudgetCalculator::Lookup(void* context, const std::string& name) {
    return static_cast<const TBudgetCalculator*>(context)->LookupValue(name);
}

// y at the estimates and, for every input, with it shifted down and up. An
// evaluation error ends the calculation of the result with its code.
TBudgetCalculator::TOutcome TBudgetCalculator::Evaluations(THelpTable& h, double& y) {
    TFormul& f = h.Formula;
    ClearShift();
    std::vector<int> slots;
    if (Incremental_) {
        // Names are resolved once; a shifted evaluation then recomputes only
        // the nodes above the shifted name's leaves.
        const auto& names = f.SlotNames();
        std::vector<double> x(names.size());
        TNameMap<int> slotOf;  // one search per name, not one per input
        slotOf.reserve(names.size());
        for (std::size_t i = 0; i < names.size(); ++i) {
            x[i] = LookupValue(names[i]);
            slotOf.emplace(names[i], static_cast<int>(i));
        }
        y = f.EvaluateBound(x);
        slots.reserve(Inputs_.size());
        for (const auto& in : Inputs_) {
            auto it = slotOf.find(in.Name);
            slots.push_back(it == slotOf.end() ? -1 : it->second);
        }
    } else {
        y = f.Evaluate(&Lookup, this);
    }
    h.Value = y;
    if (EvalError != NoError) return {EvalError, MsgEvaluationError(EvalError, Current_, {})};
    if (!std::isfinite(y)) throw TCalculationError(MsgNonFiniteResult(Current_, {}));

    for (std::size_t i = 0; i < Inputs_.size(); ++i) {
        TBudgetInput& in = Inputs_[i];
        TSlotResult shifted[2];  // down, up
        if (!Incremental_) {
            for (int k = 0; k < 2; ++k) {
                SetShift(in.Name, k == 0 ? kShiftDown : kShiftUp);
                shifted[k].Value = f.Evaluate(&Lookup, this);
                shifted[k].Error = EvalError;
                ClearShift();
                if (shifted[k].Error != NoError) break;  // the up shift is not needed
            }
        } else if (slots[i] < 0) {
            // A name the tokenizer sees but no leaf holds: the shift changes
            // nothing.
            shifted[0] = shifted[1] = {y, NoError};
        } else {
            const auto pair =
                f.EvaluateWithSlotPair(static_cast<std::size_t>(slots[i]), ShiftedValue(*in.Param, kShiftDown),
                                       ShiftedValue(*in.Param, kShiftUp));
            shifted[0] = pair[0];
            shifted[1] = pair[1];
        }
        for (const TSlotResult& r : shifted) {
            if (r.Error != NoError) {
                EvalError = r.Error;
                return {r.Error, MsgEvaluationError(r.Error, Current_, in.Name)};
            }
            if (!std::isfinite(r.Value)) throw TCalculationError(MsgNonFiniteResult(Current_, in.Name));
        }
        in.YMinus = shifted[0].Value;
        in.YPlus = shifted[1].Value;
    }
    return {};
}

TBudgetCalculator::TOutcome TBudgetCalculator::Calculate(TGumParam& r, THelpTable& h, TBudget* b) {
    Current_ = r.Name;
    Inputs_.clear();
    // Equal names give the same quantity and different names different
    // ones, so the quantity stands for its name here.
    if (!Refusals_.empty()) {
        std::unordered_set<std::string> named;
        ForEachName(h.SubstitutedEquation, [&](std::string_view name) { named.emplace(name); });
        RefuseImpossibleInputs(r, named);
    }
    std::unordered_set<const TGumParam*> seen;
    ForEachName(h.SubstitutedEquation, [&](std::string_view name) {
        const TGumParam* p = Quantities_.Find(name);
        if (p == nullptr || !IsInputKind(p->Kind) || !seen.insert(p).second) return;
        if (!std::isfinite(p->Value()) || !std::isfinite(p->StdUncertainty()) || !std::isfinite(p->LowerValue()) ||
            !std::isfinite(p->UpperValue()))
            throw TCalculationError(MsgNonFiniteInput(p->Name));
        TBudgetInput in;
        in.Name = p->Name;
        in.Param = p;
        Inputs_.push_back(std::move(in));
    });

    double y = 0.0;
    if (TOutcome failed = Evaluations(h, y); failed.Code != NoError) return failed;

    long double sumSquares = 0.0L;
    for (TBudgetInput& in : Inputs_) {
        const double d = in.Param->DoubleUncertainty();
        const double u = in.Param->StdUncertainty();
        in.Sensitivity = d != 0.0 ? static_cast<double>((static_cast<long double>(in.YPlus) - in.YMinus) / d) : 0.0;
        in.Contribution = static_cast<double>(static_cast<long double>(in.Sensitivity) * u);
        sumSquares += static_cast<long double>(in.Contribution) * in.Contribution;
    }
    const double uc = static_cast<double>(std::sqrt(sumSquares));
    h.CombinedUncertainty = uc;

    long double dofTerms = 0.0L;
    for (TBudgetInput& in : Inputs_) {
        in.Ratio = uc != 0.0 ? in.Contribution / uc : 0.0;
        in.Index = 100.0 * in.Ratio * in.Ratio;
        const int nu = in.Param->DOF();
        if (nu > 0) {
            const long double c2 = static_cast<long double>(in.Contribution) * in.Contribution;
            in.DofTerm = c2 * c2 / nu;
            dofTerms += in.DofTerm;
        }
    }
    h.RelativeUncertainty = y != 0.0 ? std::fabs(100.0 * uc / y) : 0.0;
    h.EffectiveDOF = EffectiveDof(sumSquares, dofTerms);
    if (b == nullptr) return {};
    return FillBudget(r, h, *b, sumSquares);
}

TBudgetCalculator::TOutcome TBudgetCalculator::FillBudget(TGumParam& r, const THelpTable& h, TBudget& b,
                                                          long double sumSquares) {
    TBudgetEntryIndex& entries = EntriesOf(b);
    b.MaxContribution = 0.0;
    b.MaxIndex = 0.0;
    for (const TBudgetInput& in : Inputs_) {
        TBudgetEntry* e = entries.Find(in.Name);
        if (e == nullptr) continue;
        e->Sensitivity = in.Sensitivity;
        e->Contribution = in.Contribution;
        e->Ratio = in.Ratio;
        e->Index = in.Index;
        b.MaxContribution = std::max(b.MaxContribution, std::fabs(in.Contribution));
        b.MaxIndex = std::max(b.MaxIndex, std::fabs(in.Index));
    }
    const double y = h.Value;
    b.Value = y;

    long double variance = sumSquares;
    if (Correlations_.Count() > 0) {
        // Coefficients that no set of quantities could have (0,9 / 0,9 /
        // -0,9 among three) give a u_c that looks right and is not.
        std::vector<std::string> names;
        names.reserve(Inputs_.size());
        for (const TBudgetInput& in : Inputs_) names.push_back(in.Name);
        if (const TCorrelationCheck check = CheckCorrelations(names, Correlations_); !check.Ok)
            return {CalculationFailed, check.Message};
        long double sr = 0.0L;
        long double scale = sumSquares;  // the size of the terms, for rounding
        for (int i = 0; i < Correlations_.Count(); ++i) {
            const TCorrelationPair* pair = Correlations_.Get(i);
            if (pair == nullptr || pair->Coefficient == 0.0) continue;
            const TBudgetEntry* e1 = entries.Find(pair->Name1);
            const TBudgetEntry* e2 = entries.Find(pair->Name2);
            if (e1 == nullptr || e2 == nullptr) continue;
            const long double term = static_cast<long double>(pair->Coefficient) * e1->Contribution * e2->Contribution;
            sr += term;
            scale += 2.0L * std::fabs(term);
        }
        variance = sumSquares + 2.0L * sr;
        if (variance < 0.0L) {
            // Full anti-correlation of equal contributions may leave a
            // negative remainder of rounding: that is a zero variance.
            if (-variance > scale * 1e-15L) return {OutOfRange, MsgNegativeVariance(r.Name)};
            variance = 0.0L;
        }
    }
    b.CombinedUncertainty = static_cast<double>(std::sqrt(variance));

    double factorForDof = 0.0;
    if (r.CoverageMethod == cm_Student) {
        factorForDof = CoverageFactorForDof(h.EffectiveDOF, r.CoverageProbability);
        if (!std::isfinite(factorForDof)) return {CalculationFailed, MsgCoverageFactor(r.Name)};
        r.CoverageFactor = factorForDof;
    }
    // The relative figure belongs to the combined uncertainty stated beside
    // it, correlations included.
    b.RelativeUncertainty = y != 0.0 ? std::fabs(100.0 * b.CombinedUncertainty / y) : 0.0;
    b.EffectiveDOF = h.EffectiveDOF;
    b.ResultValue = y;

    const TCoverage coverage = BudgetCoverage(r, factorForDof);
    b.CoverageFactor = coverage.Factor;
    b.CoverageProbability = coverage.Probability;
    if (!std::isfinite(coverage.Factor) || !std::isfinite(coverage.Probability))
        return {CalculationFailed, MsgCoverageFactor(r.Name)};

    const long double ku = static_cast<long double>(b.CoverageFactor) * b.CombinedUncertainty;
    switch (r.ResultFormat) {
        case rf_Relative:
        case rf_RelativePercent:
            if (y == 0.0) return {DivisionByZero, MsgRelativeOfZero(r.Name)};
            b.ExpandedUncertainty =
                static_cast<double>(std::fabs((r.ResultFormat == rf_RelativePercent ? 100.0L * ku : ku) / y));
            break;
        default:
            b.ExpandedUncertainty = static_cast<double>(ku);
            break;
    }
    if (!BudgetIsFinite(b)) return {CalculationFailed, MsgNonFiniteBudget(r.Name)};
    return {};
}

void TBudgetCalculator::CalculateBudgets(TBudgets& budgets) {
    budgets.clear();
    EntryIndexes_.clear();
    struct TIntermediate {
        const TGumParam* Param;
        std::unique_ptr<THelpTable> Table;
    };
    std::vector<TIntermediate> intermediates;

    // One result: a raised failure is caught here and stated, so that the
    // other results are still calculated.
    auto run = [&](TGumParam& q, THelpTable& h, TBudget* b) -> TOutcome {
        Current_ = q.Name;
        try {
            RefuseTwiceDefined(q);
            // A line the language cannot read (an open bracket, an operator
            // without its operand) is told with its place, before the
            // parser makes something of it or gives up without a word.
            if (const TEquationProblem* problem = UnreadableBecause(q))
                throw TCalculationError(Cp1251FromUtf8(EquationProblemText(*problem)));
            std::string equation = ResultEquation(q, b);
            if (!Substitution_.Defines(q.Name)) throw TCalculationError(MsgNoEquationLine(q.Name));
            if (equation.empty()) throw TCalculationError(MsgEmptyEquation(q.Name));
            if (!h.SetEquation(equation)) throw TCalculationError(MsgEquationNotReadable(q.Name));
            return Calculate(q, h, b);
        } catch (const TCalculationError& e) {
            return {CalculationFailed, e.what()};
        } catch (const std::exception&) {
            return {CalculationFailed, MsgCalculationFailed(q.Name)};
        }
    };

    for (const auto& item : Params_) {
        TGumParam& q = *item;
        if (q.Kind == TParamKind::Result) {
            budgets.push_back(std::make_unique<TBudget>());
            TBudget& b = *budgets.back();
            b.Name = q.Name;
            b.Units = q.Units;
            THelpTable h;
            h.Name = q.Name;
            TOutcome outcome = run(q, h, &b);
            b.ErrorCode = outcome.Code;
            b.ErrorMessage = std::move(outcome.Message);
        } else if (q.Kind == TParamKind::VarResult) {
            auto h = std::make_unique<THelpTable>();
            h->Name = q.Name;
            run(q, *h, nullptr);  // its failure shows in the budgets that use it
            intermediates.push_back({&q, std::move(h)});
        }
    }
    ClearShift();

    for (const TIntermediate& im : intermediates) {
        const THelpTable& h = *im.Table;
        for (const auto& b : budgets) {
            TBudgetEntry* e = EntriesOf(*b).Find(h.Name);
            if (e == nullptr) continue;
            e->Units = im.Param->Units;
            e->Value = h.Value;
            e->StdUncertainty = h.CombinedUncertainty;
            e->RelUncertainty = h.RelativeUncertainty;
            e->DegreesOfFreedom = h.EffectiveDOF;
        }
    }
    EntryIndexes_.clear();
}

bool CalculateBudgets(TGumParams& params, const TCorrelation& correlations, std::string_view equationRichText,
                      TBudgets& budgets) {
    TBudgetCalculator calculator(params, correlations, equationRichText);
    calculator.CalculateBudgets(budgets);
    return true;
}

bool CalculateBudgets(TGumModel& model) {
    return CalculateBudgets(model.Params, model.Correlations, model.Equation, model.Budgets);
}

}  // namespace vormid
