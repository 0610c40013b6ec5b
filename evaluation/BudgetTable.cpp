#include "evaluation/BudgetTable.h"

#include <cmath>
#include <unordered_set>

#include "core/Cp1251.h"
#include "core/QuantityFields.h"

namespace vormid {
namespace {

const std::array<std::string, kBudgetTableColumns> kHeaders = {
    "Величина", "Изм. ед.",         "Стойност",        "Станд. неопр.", "Отн.неопр. %", "Разпред.",
    "Ст. Св.",  "Коеф. на чувств.", "Принос в неопр.", "Отн. принос",   "Дисп. индекс", "Принос (граф.)",
};

TBudgetCell NameCell(const std::string& markup, bool bold) {
    TBudgetCell c;
    c.Kind = TBudgetCellKind::Name;
    c.Markup = markup;
    c.Bold = bold;
    return c;
}

TBudgetCell TextCell(std::string text, bool bold = false) {
    TBudgetCell c;
    c.Kind = TBudgetCellKind::Text;
    c.Text = std::move(text);
    c.Bold = bold;
    return c;
}

TBudgetCell DofCell(int dof) {
    TBudgetCell c;
    c.Kind = TBudgetCellKind::Dof;
    c.Infinite = DofIsInfinite(dof);
    c.Dof = c.Infinite ? kInfiniteDof : dof;
    return c;
}

TBudgetCell BarCell(double value, double largest) {
    TBudgetCell c;
    c.Kind = TBudgetCellKind::Bar;
    c.BarValue = value;
    c.BarLargest = largest;
    return c;
}

}  // namespace

bool DofIsInfinite(int dof) { return dof <= 0 || dof > kLargestShownDof; }

std::vector<TCellPart> CellParts(const TBudgetCell& c) {
    std::vector<TCellPart> parts;
    auto add = [&](TCellPartKind kind, std::string text) {
        if (!text.empty()) parts.push_back({kind, std::move(text)});
    };
    switch (c.Kind) {
        case TBudgetCellKind::Empty:
        case TBudgetCellKind::Bar:
            break;
        case TBudgetCellKind::Name:
            add(TCellPartKind::Markup, c.Markup);
            break;
        case TBudgetCellKind::Text:
            add(TCellPartKind::Text, c.Text);
            if (c.FallsShort) add(TCellPartKind::Mark, "†");
            break;
        case TBudgetCellKind::Dof:
            add(TCellPartKind::Text, c.Infinite ? "∞" : std::to_string(c.Dof));
            if (c.Approximate) add(TCellPartKind::Mark, "*");
            break;
        case TBudgetCellKind::Number:
            add(TCellPartKind::Text, c.Text + Cp1251ToUtf8(c.Number.Mantissa));
            add(TCellPartKind::Exponent, Cp1251ToUtf8(c.Number.Exponent));
            if (!c.Suffix.empty()) add(TCellPartKind::Text, " "), add(TCellPartKind::Markup, c.Suffix);
            break;
    }
    return parts;
}

int BarWidth(double value, double largest, int space) {
    if (!(largest > 0.0) || space <= 0 || !std::isfinite(value)) return 0;
    const double share = std::fabs(value) / largest;
    const long width = std::lround(space * std::min(share, 1.0));
    return width < 1 ? 1 : static_cast<int>(width);
}

std::string TwoDecimalsComma(double x) {
    // The program's own picture rounding (halves away from zero on the
    // number as typed), not the locale's or printf's.
    return FormatPicture("0.00", x, ',');
}

std::string BudgetHeader(int column, bool graphShowsContribution) {
    if (column == kBudgetGraphColumn && !graphShowsContribution) return "Дисп. индекс (граф.)";
    return column >= 0 && column < kBudgetTableColumns ? kHeaders[static_cast<std::size_t>(column)] : "";
}

const std::array<std::string, 4>& FooterLabels(int row) {
    static const std::array<std::string, 4> combined = {"Стойност", "Комб. станд. неопределеност",
                                                        "Комб. отн. неопределеност", "Ефект. степени на свобода"};
    static const std::array<std::string, 4> expanded = {"Стойност", "Разш. неопределеност", "Фактор на покриване",
                                                        "Вероятност на покриване"};
    return row == 0 ? combined : expanded;
}

const std::string& DofIgnoresCorrelationHint() {
    static const std::string hint =
        "Ефективните степени на свобода не отчитат корелациите между входните величини; "
        "факторът на покриване, получен от тях, е приблизителен.";
    return hint;
}

TCoverageAtDof BudgetCoverageAtDof(const TBudget& budget) {
    return CoverageAtDof(budget.CoverageFactor, budget.CoverageProbability, budget.EffectiveDOF);
}

std::string CoverageFallsShortHint(const TBudget& budget) {
    const TCoverageAtDof c = BudgetCoverageAtDof(budget);
    const std::string dof = DofIsInfinite(budget.EffectiveDOF) ? "∞" : std::to_string(budget.EffectiveDOF);
    return "Факторът на покриване k = " + TwoDecimalsComma(budget.CoverageFactor) + " обхваща при ν_eff = " + dof +
           " само " + TwoDecimalsComma(c.Probability) + " %, не " + TwoDecimalsComma(budget.CoverageProbability) +
           " %; t-разпределението дава за " + TwoDecimalsComma(budget.CoverageProbability) +
           " % k = " + TwoDecimalsComma(c.FactorForP) + " (метод „t-разпределение“).";
}

bool BudgetUsesCorrelation(const TBudget& budget, const TCorrelation& correlations) {
    if (correlations.Count() == 0) return false;
    std::unordered_set<std::string> names;
    for (const auto& e : budget) names.insert(e->Name);
    for (int i = 0; i < correlations.Count(); ++i) {
        const TCorrelationPair* p = correlations.Get(i);
        if (p != nullptr && p->Coefficient != 0.0 && p->Name1 != p->Name2 && names.count(p->Name1) != 0 &&
            names.count(p->Name2) != 0)
            return true;
    }
    return false;
}

TDisplayFormat DisplayFormatOf(const TGumParam* r) {
    TDisplayFormat f;
    if (r == nullptr) return f;
    f.CurSignificantDigits = r->SignificantDigits;
    f.CurValueFormat = r->ValueFormat;
    f.CurValueExp = r->ValueExpFormat;
    f.CurUncertaintyFormat = r->UncertaintyFormat;
    f.CurUncertaintyExp = r->UncertaintyExpFormat;
    return f;
}

TBudgetTable::TBudgetTable(const TBudget& budget, const TQuantityIndex& quantities,
                           const TNumberFormatSettings& settings, const TDisplayState& display,
                           const TCorrelation& correlations)
    : Budget_(budget),
      Quantities_(quantities),
      Settings_(settings),
      Display_(display),
      Result_(quantities.Find(budget.Name)),
      Format_(DisplayFormatOf(Result_)),
      UnitsShown_(!display.Columns[kBudgetUnitsColumn].Hidden),
      UsesCorrelation_(BudgetUsesCorrelation(budget, correlations)),
      FallsShort_(budget.ErrorCode == NoError && BudgetCoverageAtDof(budget).FallsShort) {}

std::vector<std::string> TBudgetTable::FooterHints() const {
    std::vector<std::string> hints;
    if (UsesCorrelation_) hints.push_back("* " + DofIgnoresCorrelationHint());
    if (FallsShort_) hints.push_back("† " + CoverageFallsShortHint(Budget_));
    return hints;
}

std::vector<int> TBudgetTable::VisibleColumns() const {
    std::vector<int> cols;
    for (int c = 0; c < kBudgetTableColumns; ++c)
        if (!Display_.Columns[static_cast<std::size_t>(c)].Hidden) cols.push_back(c);
    return cols;
}

TParamKind TBudgetTable::KindOf(const TBudgetEntry& e) const {
    const TGumParam* q = Quantities_.Find(e.Name);
    return q != nullptr ? q->Kind : TParamKind::Undefined;
}

bool TBudgetTable::Shown(const TBudgetEntry& e) const {
    const TParamKind k = KindOf(e);
    if (k == TParamKind::Const && !Display_.ShowConstants) return false;
    if (k == TParamKind::VarResult && !Display_.ShowVarResults) return false;
    return true;
}

std::vector<const TBudgetEntry*> TBudgetTable::Rows() const {
    std::vector<const TBudgetEntry*> rows;
    rows.reserve(static_cast<std::size_t>(Budget_.EntryCount()));
    for (const auto& e : Budget_)
        if (Shown(*e)) rows.push_back(e.get());
    return rows;
}

TBudgetCell TBudgetTable::Num(const TFormattedNumber& n, const std::string& suffix) const {
    return FooterNum(n, UnitsShown_ ? std::string() : suffix);
}

TBudgetCell TBudgetTable::FooterNum(const TFormattedNumber& n, const std::string& suffix) {
    TBudgetCell c;
    c.Kind = TBudgetCellKind::Number;
    c.Number = n;
    c.Suffix = suffix;
    return c;
}

TBudgetCell TBudgetTable::Cell(const TBudgetEntry& e, int column) const {
    const TGumParam* q = Quantities_.Find(e.Name);
    const TParamKind kind = q != nullptr ? q->Kind : TParamKind::Undefined;
    if (column == 0) return NameCell(e.Name, true);
    if (column == kBudgetUnitsColumn) return NameCell(e.Units, false);
    if (kind == TParamKind::Const) {
        if (column != 2) return {};
        return Num(FormatSignificant(e.Value, Settings_, Format_), e.Units);
    }
    // Distribution, sensitivity, contribution and the shares belong to the
    // Type A and Type B inputs only.
    if (!IsInputKind(kind) && (column == 5 || column >= 7)) return {};
    switch (column) {
        case 2: {
            if (e.StdUncertainty != 0.0) return Num(FormatLike(e.StdUncertainty, e.Value, Settings_, Format_), e.Units);
            const int decimals = (q != nullptr ? q->Decimals : 0) + Settings_.DefaultSignificantDigits;
            return Num(FormatDecimalsComma(decimals, e.Value, Settings_), e.Units);
        }
        case 3:
            return Num(FormatSignificant(e.StdUncertainty, Settings_, Format_), e.Units);
        case 4:
            if (!(e.RelUncertainty > 0.0)) return TextCell(" -");
            return Num(FormatSignificant(e.RelUncertainty, Settings_, Format_), "%");
        case 5:
            return TextCell(std::string(CodeCaption(kDistributionCodes, e.Distribution)));
        case 6:
            return DofCell(e.DegreesOfFreedom);
        case 7:
            return Num(FormatSignificant(e.Sensitivity, Settings_, Format_), "");
        case 8:
            return Num(FormatSignificant(e.Contribution, Settings_, Format_), Budget_.Units);
        case 9: {
            const double uc = Budget_.CombinedUncertainty;
            const double share = uc != 0.0 ? 100.0 * e.Contribution / uc : 0.0;
            return Num(FormatDecimalsComma(2, share, Settings_), "%");
        }
        case 10:
            return Num(FormatDecimalsComma(2, e.Index, Settings_), "%");
        case kBudgetGraphColumn:
            return Display_.ChartShowsContribution ? BarCell(e.Contribution, Budget_.MaxContribution)
                                                   : BarCell(e.Index, Budget_.MaxIndex);
        default:
            return {};
    }
}

std::array<TBudgetCell, 4> TBudgetTable::ResultLine() const {
    const TBudget& b = Budget_;
    const int format = Result_ != nullptr ? Result_->ResultFormat : 0;
    std::array<TBudgetCell, 4> line;
    line[0] = FooterNum(FormatValue(b.ResultValue, Settings_, Format_), b.Units);
    // A relative U always shows its "%": without it ± 0,993 reads as units.
    line[1] = FooterNum(FormatUncertainty(b.ExpandedUncertainty, Settings_, Format_), format == 0   ? b.Units
                                                                                      : format == 2 ? "%"
                                                                                                    : "");
    line[1].Text = "± ";
    line[2] = TextCell(TwoDecimalsComma(b.CoverageFactor));
    line[2].FallsShort = FallsShort_;
    line[3] = TextCell(TwoDecimalsComma(b.CoverageProbability) + " %");
    return line;
}

TBudgetCell TBudgetTable::CombinedUnits() const { return UnitsShown_ ? NameCell(Budget_.Units, false) : TBudgetCell{}; }

std::array<TBudgetTable::TFooterRow, 4> TBudgetTable::Footer() const {
    const TBudget& b = Budget_;
    std::array<TFooterRow, 4> rows;
    for (int r : {0, 2}) {
        const auto& labels = FooterLabels(r);
        for (std::size_t i = 0; i < 4; ++i) rows[static_cast<std::size_t>(r)][i + 1] = TextCell(labels[i]);
    }
    TFooterRow& combined = rows[1];
    combined[0] = NameCell(b.Name, true);
    combined[1] = FooterNum(FormatLike(b.CombinedUncertainty, b.Value, Settings_, Format_), b.Units);
    combined[2] = FooterNum(FormatSignificant(b.CombinedUncertainty, Settings_, Format_), b.Units);
    combined[3] = FooterNum(FormatSignificant(b.RelativeUncertainty, Settings_, Format_), "%");
    combined[4] = DofCell(b.EffectiveDOF);
    combined[4].Approximate = UsesCorrelation_;
    TFooterRow& result = rows[3];
    result[0] = TextCell("Резултат", true);
    const auto line = ResultLine();
    for (std::size_t i = 0; i < 4; ++i) result[i + 1] = line[i];
    return rows;
}

}  // namespace vormid
