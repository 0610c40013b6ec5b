#include "evaluation/BudgetCalculationChecks.h"

#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "core/NumberFormat.h"
#include "core/QuantityFields.h"
#include "evaluation/Cp1251Text.h"
#include "evaluation/SchemaFormulaCheck.h"

namespace vormid {
namespace {

std::string T(const char* utf8) { return Cp1251FromUtf8(utf8); }

// The value as the user typed it: up to 15 significant digits, decimal comma.
std::string Number(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return WithDecimalComma(buf);
}

class TCollector {
public:
    std::vector<TInputProblem> Problems;

    void Quantity(int index, const TGumParam& p, const char* field, std::string message) {
        Problems.push_back({false, index, -1, field, {p.Name}, std::move(message)});
    }
    void Pair(int index, const char* field, std::vector<std::string> names, std::string message, bool warning = false) {
        Problems.push_back({warning, -1, index, field, std::move(names), std::move(message)});
    }
};

// What the stated value of the quantity is, for the message; null when the
// kind states none.
// What the stated value of the quantity is, for the message.
const char* StatedValueRole(const TGumParam& p) {
    if (p.Kind == TParamKind::TypeA) return "въведената неопределеност";
    switch (p.BEvalType) {
        case be_Expanded:
            return "разширената неопределеност";
        case be_Standard:
            return "стандартната неопределеност";
        case be_Bound:
            return "границата на грешката";
        default:
            return "полуширината (параметъра) на разпределението";
    }
}

// The field is in use and its value outside the range the description gives.
bool OutOfRange(const TGumParam& p, TField id, double value) {
    if (!FieldInUse(p, id)) return false;
    const TQuantityField* f = PresentField(p, id);
    return !f->Range.Contains(value);
}

void CheckQuantity(TCollector& c, int i, const TGumParam& p) {
    if (const TSchemaFormulaProblem schema = CheckSchemaFormula(p); !schema.Message.empty())
        c.Quantity(i, p, "schema_formula",
                   T("Формулата на схемата на ") + QuotedName(p.Name) + T(" не може да бъде изчислена, ") +
                       Cp1251FromUtf8(schema.Message));
    // Only a negative spread is refused here; a missing one shows as no uncertainty.
    if (!std::isnan(p.StatedValue) && OutOfRange(p, TField::StatedValue, p.StatedValue))
        c.Quantity(i, p, "stated_value",
                   T("Стойността ") + Number(p.StatedValue) + T(" за ") + T(StatedValueRole(p)) + T(" на ") +
                       QuotedName(p.Name) + T(" е отрицателна."));
    if (OutOfRange(p, TField::CoverageFactor, p.CoverageFactor))
        c.Quantity(i, p, "coverage_factor",
                   T("Факторът на покриване на ") + QuotedName(p.Name) + T(" е ") + Number(p.CoverageFactor) +
                       T(": трябва да е положително число."));
    if (FieldInUse(p, TField::CoverageProbability)) {
        const double prob = p.CoverageProbability;
        if (OutOfRange(p, TField::CoverageProbability, prob)) {
            c.Quantity(i, p, "coverage_probability",
                       T("Вероятността на покриване на ") + QuotedName(p.Name) + T(" е ") + Number(prob) +
                           T(" %: трябва да е между 0 и 100 %."));
        } else if (prob < 1.0) {
            c.Quantity(i, p, "coverage_probability",
                       T("Вероятността на покриване на ") + QuotedName(p.Name) + T(" е ") + Number(prob) +
                           T(" % — в проценти ли е?"));
            c.Problems.back().Warning = true;
        }
    }
    if (OutOfRange(p, TField::Reliability, p.Reliability))
        c.Quantity(i, p, "reliability",
                   T("Надеждността на ") + QuotedName(p.Name) + T(" е ") + std::to_string(p.Reliability) +
                       T(" %: допустими са 0 … 100 %."));
    if (p.Kind == TParamKind::TypeA && p.AUncertaintySource == as_Observations && p.Statistics.Count < 2)
        c.Quantity(i, p, "observations",
                   T("Величината ") + QuotedName(p.Name) + T(" от Тип А има ") + std::to_string(p.Statistics.Count) +
                       T(p.Statistics.Count == 1 ? " наблюдение" : " наблюдения") +
                       T(": стандартно отклонение се оценява от поне две."));
}

void CheckCorrelations(TCollector& c, const TGumParams& params, const TCorrelation& correlations) {
    // Either order is the same pair: the key puts the smaller name first.
    std::unordered_map<std::string, int> seen;
    for (int i = 0; i < correlations.Count(); ++i) {
        const TCorrelationPair& pr = *correlations.Get(i);
        const std::string row = std::to_string(i + 1);
        const std::string& a = pr.Name1;
        const std::string& b = pr.Name2;
        bool known = true;
        for (const std::string* n : {&a, &b}) {
            if (params.FindByName(*n) != nullptr) continue;
            known = false;
            c.Pair(i, n == &a ? "name1" : "name2", {*n},
                   T("Корелацията на ред ") + row + T(" назовава ") + QuotedName(*n) +
                       T(", която не е величина на модела; не се взема предвид."),
                   true);
        }
        if (!known) continue;
        if (a == b) {
            c.Pair(i, "name2", {a},
                   T("Величината ") + QuotedName(a) + T(" е корелирана сама със себе си (ред ") + row + ").");
            continue;
        }
        const std::string key = a < b ? a + '\0' + b : b + '\0' + a;
        if (auto [it, fresh] = seen.emplace(key, i); !fresh) {
            c.Pair(i, "name1", {a, b},
                   T("Корелацията между ") + QuotedName(a) + T(" и ") + QuotedName(b) +
                       T(" е дадена два пъти (редове ") + std::to_string(it->second + 1) + T(" и ") + row + ").");
        }
        if (!(pr.Coefficient >= -1.0 && pr.Coefficient <= 1.0))
            c.Pair(i, "coefficient", {a, b},
                   T("Корелационният коефициент между ") + QuotedName(a) + T(" и ") + QuotedName(b) + T(" е ") +
                       Number(pr.Coefficient) + T(": допустими са −1 … 1."));
    }
}

}  // namespace

std::vector<TInputProblem> CheckModelInputs(const TGumParams& params, const TCorrelation& correlations) {
    TCollector c;
    std::unordered_map<std::string, int> first;
    for (int i = 0; i < params.Count(); ++i) {
        const TGumParam& p = *params.Get(i);
        if (!p.Name.empty()) {
            if (auto [it, fresh] = first.emplace(p.Name, i); !fresh)
                c.Quantity(i, p, "name",
                           T("Името ") + QuotedName(p.Name) + T(" е дадено на две величини (№ ") +
                               std::to_string(it->second + 1) + T(" и № ") + std::to_string(i + 1) + ").");
        }
        CheckQuantity(c, i, p);
    }
    CheckCorrelations(c, params, correlations);
    return std::move(c.Problems);
}

}  // namespace vormid
