#include "evaluation/QuantitySummary.h"

#include <cmath>

#include "core/NameMarkup.h"
#include "core/NumberFormat.h"
#include "evaluation/BudgetTable.h"

namespace vormid {
namespace {

std::string Text(const TFormattedNumber& n) { return n.Mantissa + Superscript(n.Exponent); }

std::string TwoDecimals(double x) {
    std::string s = FormatPicture("0.00", x, ',');
    return s;
}

}  // namespace

std::string MissingCoverageFactor(const TGumParam& q) {
    if (q.Kind != TParamKind::TypeB || q.BEvalType != be_Interval) return {};
    if (q.Distribution == dc_Normal) {
        const double p = q.CoverageProbability;
        if (!(p > 0.0 && p < 100.0)) return "няма фактор на покриване при P = " + TwoDecimals(p) + " %";
    } else if (q.Distribution == dc_DistributonT) {
        const double p = q.BParam2;
        if (!(p > 0.0 && p < 100.0)) return "няма фактор на покриване при P = " + TwoDecimals(p) + " %";
        if (q.DegreesOfFreedom < 1) return "няма фактор на покриване при ν = " + std::to_string(q.DegreesOfFreedom);
    }
    return {};
}

std::string QuantitySummary(const TGumParam& q, const TNumberFormatSettings& settings) {
    if (q.Kind != TParamKind::TypeA && q.Kind != TParamKind::TypeB && q.Kind != TParamKind::Const) return {};
    TDisplayFormat display;
    display.CurSignificantDigits = settings.DefaultSignificantDigits;
    const std::string units = q.Units.empty() ? std::string() : " " + MarkupToUtf8(q.Units);
    const std::string name = MarkupToUtf8(q.Name);
    const double x = q.Value();
    const std::string missing = MissingCoverageFactor(q);
    if (!missing.empty())
        return name + ":  x = " + Text(FormatSignificant(x, settings, display)) + units + "  u: " + missing;
    const double u = q.StdUncertainty();
    const int dof = q.DOF();
    std::string line = name + ":  x = " + Text(FormatLike(u, x, settings, display)) + units;
    line += "  u = " + (std::isfinite(u) ? Text(FormatSignificant(u, settings, display)) + units : std::string("—"));
    line += "  ν = " + (DofIsInfinite(dof) ? std::string("∞") : std::to_string(dof));
    return line;
}

}  // namespace vormid
