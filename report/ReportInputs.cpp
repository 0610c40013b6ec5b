#include "report/ReportInputs.h"

#include <cmath>

#include "core/QuantityFields.h"
#include "core/Cp1251.h"
#include "core/NameMarkup.h"
#include "core/NumberFormat.h"
#include "evaluation/BudgetTable.h"
#include "evaluation/QuantitySummary.h"
#include "report/ReportText.h"

namespace vormid::report {
namespace {

std::string Text(const TFormattedNumber& n) { return n.Mantissa + Superscript(n.Exponent); }

// A stated number as the user typed it, else in general form.
std::string Stated(const std::string& typed, double x) {
    if (!typed.empty()) return Cp1251ToUtf8(typed);
    return FormatGeneral15(x, ',');
}

std::string Dof(int nu) { return DofIsInfinite(nu) ? "∞" : std::to_string(nu); }

// A no-break space, so that a narrow column never sets the % sign apart from its number.
constexpr const char* kPercent = "\u00A0%";

std::string Percent(bool inPercent) { return inPercent ? kPercent : ""; }

std::string ReliabilityDof(const TGumParam& q) {
    if (q.Reliability == 0) return "ν = ∞ (относителната грешка на неопределеността не е дадена)";
    return "ν = " + Dof(q.DOF()) + " от относителната грешка r = " + std::to_string(q.Reliability) + kPercent;
}

std::string TypeA(const TGumParam& q, const TNumberFormatSettings& settings) {
    TDisplayFormat f;
    f.CurSignificantDigits = settings.DefaultSignificantDigits;
    const std::string units = q.Units.empty() ? std::string() : " " + MarkupToUtf8(q.Units);
    if (q.AUncertaintySource == as_Observations) {
        const SeriesStatistics& s = q.Statistics;
        std::string t = "n = " + std::to_string(s.Count) +
                        "; средна стойност = " + Text(FormatLike(s.StdDevMean, s.Mean, settings, f)) + units +
                        "; s = " + Text(FormatSignificant(s.StdDev, settings, f)) + units +
                        "; s/√n = " + Text(FormatSignificant(s.StdDevMean, settings, f)) + units;
        if (q.ASUType != su_StdDevOfMean)
            t += "; u = " + Text(FormatSignificant(s.SigmaMean, settings, f)) + units +
                 " (сигма: s/√n, увеличено за малък брой измервания)";
        if (q.AMethod == am_Indirect) t += "; наблюдението по схемата " + Cp1251ToUtf8(q.SchemaFormula);
        return t;
    }
    const std::string p = Stated(q.StatedValueText, q.StatedValue) + Percent(q.InPercent);
    switch (q.AEvalType) {
        case ae_Expanded:
            return "въведена разш. неопределеност U = " + p + ", k = " + FormatGeneral15(q.CoverageFactor, ',') +
                   ", ν = " + Dof(q.DegreesOfFreedom);
        case ae_StdDeviation:
            return "въведено станд. отклонение s = " + p + ", n = " + std::to_string(q.ObservationCount) +
                   ", u = s/√n, ν = " + Dof(q.DegreesOfFreedom);
        default:
            return "въведена станд. неопределеност u = " + p + ", ν = " + Dof(q.DegreesOfFreedom);
    }
}

std::string TypeB(const TGumParam& q) {
    const std::string p = Stated(q.StatedValueText, q.StatedValue);
    const std::string nu = "ν = " + Dof(q.DegreesOfFreedom);
    switch (q.BEvalType) {
        case be_Expanded:
            return "разш. неопределеност U = " + p + Percent(q.InPercent) +
                   ", k = " + FormatGeneral15(q.CoverageFactor, ',') + ", " + nu;
        case be_Standard:
            return "станд. неопределеност u = " + p + Percent(q.InPercent) + ", " + nu;
        case be_Bound:
            return "граница на грешката a = " + p + Percent(q.InPercent) + ", u = a/√3, " + ReliabilityDof(q);
        default:
            break;
    }
    const std::string q2 = Stated(q.BParam2Text, q.BParam2);
    std::string t = "интервал на разпределение: " + std::string(CodeCaption(kDistributionCodes, q.Distribution));
    switch (q.Distribution) {
        case dc_Normal:
            t += ", 1/2 интервал a = " + p + ", P = " + FormatGeneral15(q.CoverageProbability, ',') + kPercent;
            break;
        case dc_LgNormal:
            t += std::string(q.LimitSide == ll_Top ? ", горна" : ", долна") + " гранична стойност " +
                 Stated(q.BValueText, q.BValue) + ", параметър на формата " + p + ", параметър на разсейване " + q2;
            break;
        case dc_DistributonT:
            t += ", 1/2 интервал a = " + p + ", P = " + q2 + kPercent + ", " + nu;
            return t;
        case dc_Trapez:
            t += ", 1/2 интервал (Д) a = " + p + ", 1/2 интервал (Г) b = " + q2;
            break;
        default:
            t += ", 1/2 интервал a = " + p;
            break;
    }
    return t + ", " + ReliabilityDof(q);
}

}  // namespace

std::string HowObtained(const TGumParam& q, const TNumberFormatSettings& settings) {
    switch (q.Kind) {
        case TParamKind::TypeA:
            return TypeA(q, settings);
        case TParamKind::TypeB:
            return TypeB(q);
        default:
            return {};
    }
}

TSection InputsSection(const TGumModel& m) {
    TSection s;
    s.Blocks.emplace_back(Para(TParagraphStyle::Heading, "Величини"));
    TTable t;
    t.Name = "Величини";
    t.SizePt = 7;
    t.Widths = {1.3, 1.2, 1.6, 1.5, 1.3, 0.5, 3.0, 1.8};
    TRow head;
    head.Role = TRowRole::Header;
    for (const char* h :
         {"Величина", "Вид", "Стойност", "Станд. неопр.", "Разпред.", "Ст. св.", "Получаване", "Описание"})
        head.Cells.push_back(Cell({Plain(h, true)}, TAlign::Center));
    t.Rows.push_back(std::move(head));
    TDisplayFormat f;
    f.CurSignificantDigits = m.FormatSettings.DefaultSignificantDigits;
    for (const auto& qp : m.Params) {
        const TGumParam& q = *qp;
        TRow r;
        r.Role = q.Kind == TParamKind::Result || q.Kind == TParamKind::VarResult ? TRowRole::Tinted : TRowRole::Body;
        r.Cells.push_back(Cell(MarkupSpans(q.Name, true), TAlign::Left));
        r.Cells.push_back(Cell({Plain(std::string(CodeCaption(kKindCodes, static_cast<int>(q.Kind))))}, TAlign::Left));
        const bool input = IsInputKind(q.Kind);
        const std::string missing = MissingCoverageFactor(q);
        if (input || q.Kind == TParamKind::Const) {
            const double x = q.Value();
            const double u = q.Kind == TParamKind::Const ? 0.0 : q.StdUncertainty();
            const TFormattedNumber value = q.Kind == TParamKind::Const || !missing.empty() || !std::isfinite(u)
                                               ? FormatSignificant(x, m.FormatSettings, f)
                                               : FormatLike(u, x, m.FormatSettings, f);
            r.Cells.push_back(Cell(NumberSpans(value, {}, q.Units), TAlign::Center));
        } else {
            r.Cells.push_back(Cell({Plain("—")}, TAlign::Center));
        }
        if (input) {
            const double u = q.StdUncertainty();
            r.Cells.push_back(Cell(!missing.empty() || !std::isfinite(u)
                                       ? std::vector<TSpan>{Plain("—")}
                                       : NumberSpans(FormatSignificant(u, m.FormatSettings, f), {}, q.Units),
                                   TAlign::Center));
            r.Cells.push_back(
                Cell({Plain(std::string(CodeCaption(kDistributionCodes, q.EffectiveDistribution())))}, TAlign::Center));
            r.Cells.push_back(Cell({Plain(Dof(q.DOF()))}, TAlign::Center));
            std::string how = HowObtained(q, m.FormatSettings);
            if (!missing.empty()) how += "; " + missing;
            r.Cells.push_back(Cell({Plain(how)}, TAlign::Left));
        } else {
            for (int i = 0; i < 4; ++i) r.Cells.push_back(TCell{});
        }
        r.Cells.push_back(Cell({Plain(Cp1251ToUtf8(q.Description))}, TAlign::Left));
        t.Rows.push_back(std::move(r));
    }
    s.Blocks.emplace_back(std::move(t));
    for (const auto& qp : m.Params) {
        const auto paragraphs = RichTextParagraphs(qp->Comment);
        if (paragraphs.empty()) continue;
        s.Blocks.emplace_back(Para(TParagraphStyle::Subheading, Titled("Коментар към ", qp->Name)));
        for (const TParagraph& p : paragraphs) s.Blocks.emplace_back(p);
    }
    if (m.Params.Count() == 0) s.Blocks.emplace_back(Para(TParagraphStyle::Body, "Моделът няма величини."));
    return s;
}

}  // namespace vormid::report
