#include "cli/BudgetCells.h"

#include <cmath>

#include "core/NameMarkup.h"

namespace vormid::cli {
namespace {

const char* const kHeaders[kBudgetColumns] = {
    "Величина",      "Изм. ед.",         "Стойност",        "Станд. неопр.", "Отн.неопр. %", "Разпред.",
    "Ст. Св.",       "Коеф. на чувств.", "Принос в неопр.", "Отн. принос",   "Дисп. индекс", "Принос (граф.)",
};

const char* const kDistributionCaptions[kDistributionCount] = {
    "Нормално",     "Лог. нормално", "t-разпределение", "Правоъгълно",           "Триъгълно",
    "Трапецовидно", "Квадратично",   "U-разпределение", "Косинусово-разпределение", "1/2 Косинусово-разпределение",
};

// "number suffix" when the suffix is written at all.
std::string WithSuffix(const BudgetView& v, const FormattedNumber& n, const std::string& suffix) {
    std::string text = NumberText(n);
    if (!v.UnitsShown && !suffix.empty()) text += " " + suffix;
    return text;
}

const TGumParam* QuantityOf(const BudgetView& v, const std::string& name) { return v.Quantities.Find(name); }

std::string Bar(double value, double largest, int width) {
    if (!(largest > 0) || width <= 0) return "";
    long n = std::lround(width * std::fabs(value) / largest);
    if (n < 1) n = 1;
    if (n > width) n = width;
    std::string bar;
    for (long i = 0; i < n; ++i) bar += "█";
    return bar;
}

}  // namespace

std::string BudgetHeader(int column, bool chart_shows_contribution) {
    if (column == 11 && !chart_shows_contribution) return "Дисп. индекс (граф.)";
    return column >= 0 && column < kBudgetColumns ? kHeaders[column] : "";
}

std::string DistributionCaption(int code) {
    return code >= 0 && code < kDistributionCount ? kDistributionCaptions[code] : "";
}

std::string DofText(int dof) { return dof >= 0 && dof <= 10000 ? std::to_string(dof) : "∞"; }

BudgetView MakeBudgetView(const TGumModel& model, const QuantityLookup& quantities, const TDisplayState& display,
                          const TBudget& budget) {
    TDisplayFormat format;
    if (const TGumParam* r = quantities.Find(budget.Name)) {
        format.CurSignificantDigits = r->SignificantDigits;
        format.CurValueFormat = r->ValueFormat;
        format.CurValueExp = r->ValueExpFormat;
        format.CurUncertaintyFormat = r->UncertaintyFormat;
        format.CurUncertaintyExp = r->UncertaintyExpFormat;
    }
    return BudgetView{model, quantities, display, budget, NumberFormatter(model.FormatSettings, format),
                      !display.Columns[1].Hidden};
}

std::vector<int> VisibleColumns(const TDisplayState& display) {
    std::vector<int> cols;
    for (int c = 0; c < kBudgetColumns; ++c)
        if (!display.Columns[c].Hidden) cols.push_back(c);
    return cols;
}

bool EntryShown(const BudgetView& v, const TBudgetEntry& e) {
    const TGumParam* q = QuantityOf(v, e.Name);
    if (!q) return true;
    if (q->Kind == TParamKind::Const && !v.Display.ShowConstants) return false;
    if (q->Kind == TParamKind::VarResult && !v.Display.ShowVarResults) return false;
    return true;
}

std::string EntryCell(const BudgetView& v, const TBudgetEntry& e, int column, int bar_width) {
    const TGumParam* q = QuantityOf(v, e.Name);
    const TParamKind kind = q ? q->Kind : TParamKind::Undefined;
    const bool input = kind == TParamKind::TypeA || kind == TParamKind::TypeB;
    const std::string units = MarkupToUtf8(e.Units);
    const std::string result_units = MarkupToUtf8(v.Budget.Units);
    if (column == 0) return MarkupToUtf8(e.Name);
    if (column == 1) return units;
    if (kind == TParamKind::Const) {
        return column == 2 ? WithSuffix(v, v.Format.Significant(e.Value), units) : "";
    }
    // Columns 5 and 7 to 11 belong to Type A and Type B inputs only.
    if (!input && (column == 5 || column >= 7)) return "";
    switch (column) {
        case 2: {
            if (e.StdUncertainty != 0) return WithSuffix(v, v.Format.Like(e.StdUncertainty, e.Value), units);
            const int decimals = (q ? q->Decimals : 0) + v.Model.FormatSettings.DefaultSignificantDigits;
            return WithSuffix(v, v.Format.DecimalsComma(decimals, e.Value), units);
        }
        case 3: return WithSuffix(v, v.Format.Significant(e.StdUncertainty), units);
        case 4:
            if (!(e.RelUncertainty > 0)) return " -";
            return WithSuffix(v, v.Format.Significant(e.RelUncertainty), "%");
        case 5: return DistributionCaption(e.Distribution);
        case 6: return DofText(e.DegreesOfFreedom);
        case 7: return NumberText(v.Format.Significant(e.Sensitivity));
        case 8: return WithSuffix(v, v.Format.Significant(e.Contribution), result_units);
        case 9: {
            const double uc = v.Budget.CombinedUncertainty;
            const double share = uc != 0 ? 100.0 * e.Contribution / uc : 0.0;
            return WithSuffix(v, v.Format.DecimalsComma(2, share), "%");
        }
        case 10: return WithSuffix(v, v.Format.DecimalsComma(2, e.Index), "%");
        case 11:
            return v.Display.ChartShowsContribution ? Bar(e.Contribution, v.Budget.MaxContribution, bar_width)
                                                    : Bar(e.Index, v.Budget.MaxIndex, bar_width);
        default: return "";
    }
}

ResultLine MakeResultLine(const BudgetView& v) {
    const TBudget& b = v.Budget;
    const TGumParam* r = QuantityOf(v, b.Name);
    const int format = r ? r->ResultFormat : 0;
    ResultLine line;
    const std::string units = MarkupToUtf8(b.Units);
    line.Value = v.Format.Value(b.ResultValue);
    line.ValueSuffix = v.UnitsShown ? "" : units;
    line.Uncertainty = v.Format.Uncertainty(b.ExpandedUncertainty);
    if (format == 0) line.UncertaintySuffix = v.UnitsShown ? "" : units;
    if (format == 2) line.UncertaintySuffix = v.UnitsShown ? "" : "%";
    line.CoverageFactor = TwoDecimalsComma(b.CoverageFactor);
    line.CoverageProbability = TwoDecimalsComma(b.CoverageProbability) + " %";
    return line;
}

std::vector<std::vector<std::string>> FooterRows(const BudgetView& v) {
    const TBudget& b = v.Budget;
    const std::string units = MarkupToUtf8(b.Units);
    std::vector<std::vector<std::string>> rows;
    rows.push_back({"", "Стойност", "Комб. станд. неопределеност", "Комб. отн. неопределеност",
                    "Ефект. степени на свобода"});
    const FormattedNumber rel = v.Format.Significant(b.RelativeUncertainty);
    std::string rel_text = NumberText(rel);
    if (rel.Exponent.empty()) rel_text += " %";
    else if (!v.UnitsShown) rel_text += " %";
    rows.push_back({MarkupToUtf8(b.Name), WithSuffix(v, v.Format.Like(b.CombinedUncertainty, b.Value), units),
                    WithSuffix(v, v.Format.Significant(b.CombinedUncertainty), units), rel_text,
                    DofText(b.EffectiveDOF)});
    rows.push_back({"", "Стойност", "Разш. неопределеност", "Фактор на покриване", "Вероятност на покриване"});
    const ResultLine line = MakeResultLine(v);
    std::string value = NumberText(line.Value);
    if (!line.ValueSuffix.empty()) value += " " + line.ValueSuffix;
    std::string unc = "± " + NumberText(line.Uncertainty);
    if (!line.UncertaintySuffix.empty()) unc += " " + line.UncertaintySuffix;
    rows.push_back({"Резултат", value, unc, line.CoverageFactor, line.CoverageProbability});
    return rows;
}

}  // namespace vormid::cli
