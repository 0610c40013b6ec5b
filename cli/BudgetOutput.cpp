#include "cli/BudgetOutput.h"

#include "cli/BudgetCells.h"
#include "core/Cp1251.h"
#include "cli/Csv.h"
#include "cli/JsonStream.h"
#include "core/NameMarkup.h"
#include "core/QuantityFields.h"
#include "cli/OutputOrigin.h"
#include "cli/TextTable.h"

namespace vormid::cli {
namespace {

constexpr int kBarWidth = 20;
constexpr const char* kBudgetFailed = "Грешка при изчисляване на бюджета.";

bool IsTextColumn(int column) { return column == 0 || column == 1 || column == 5 || column == 11; }

std::string FailureReason(const TBudget& b) {
    if (!b.ErrorMessage.empty()) return Cp1251ToUtf8(b.ErrorMessage);
    return "код на грешката " + std::to_string(b.ErrorCode);
}

// A code by its name, or by its number when it has none.
std::string CodeText(int code, const TCodeList& list) {
    const std::string_view name = CodeName(list, code);
    return name.empty() ? std::to_string(code) : std::string(name);
}

void WriteOneBudgetText(const TGumModel& model, const TQuantityIndex& quantities, const TDisplayState& display,
                        const TBudget& b, std::ostream& out) {
    out << "Бюджет: " << MarkupToUtf8(b.Name);
    if (const TGumParam* r = quantities.Find(b.Name); r && !r->Description.empty())
        out << " — " << Cp1251ToUtf8(r->Description);
    out << '\n';
    if (b.ErrorCode != NoError) {
        out << kBudgetFailed << '\n' << FailureReason(b) << "\n\n";
        return;
    }
    const TBudgetTable v(b, quantities, model.FormatSettings, display, model.Correlations);
    const std::vector<int> cols = v.VisibleColumns();
    std::vector<bool> right;
    std::vector<std::string> header;
    for (int c : cols) {
        right.push_back(!IsTextColumn(c));
        header.push_back(BudgetHeader(c, display.ChartShowsContribution));
    }
    TextTable table(right);
    table.AddRow(header);
    table.AddRule();
    for (const TBudgetEntry* e : v.Rows()) {
        std::vector<std::string> row;
        for (int c : cols) row.push_back(CellText(v.Cell(*e, c), kBarWidth));
        table.AddRow(std::move(row));
    }
    table.Write(out);
    out << '\n';
    TextTable footer({false, true, true, true, true});
    const auto rows = FooterTexts(v);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        footer.AddRow(rows[i]);
        if (i == 1) footer.AddRule();
    }
    footer.AddRule();
    footer.Write(out);
    // The marks of the footer (an approximate ν_eff, a k that falls short of
    // P) and the reason for each, below the footer.
    for (const std::string& hint : v.FooterHints()) out << hint << '\n';
    out << '\n';
}

// Distribution and degrees of freedom of an entry as the machine-read forms
// give them: constants and intermediate results follow no distribution of
// their own, and constants have no degrees of freedom.
bool HasDof(TParamKind k) { return k != TParamKind::Const; }
TParamKind KindOf(const TQuantityIndex& quantities, const TBudgetEntry& e) {
    const TGumParam* q = quantities.Find(e.Name);
    return q ? q->Kind : TParamKind::Undefined;
}

}  // namespace

void WriteBudgetsText(const TGumModel& model, const TDisplayState& display, std::ostream& out) {
    const TQuantityIndex quantities(model.Params);
    for (const auto& b : model.Budgets) WriteOneBudgetText(model, quantities, display, *b, out);
}

void WriteBudgetsCsv(const TGumModel& model, std::ostream& out) {
    out << CsvRecord({"result",
                      "row",
                      "name",
                      "kind",
                      "units",
                      "value",
                      "std_uncertainty",
                      "rel_uncertainty",
                      "distribution",
                      "dof",
                      "sensitivity",
                      "contribution",
                      "ratio",
                      "index",
                      "expanded_uncertainty",
                      "coverage_factor",
                      "coverage_probability",
                      "result_format",
                      "error_code",
                      "error_message"});
    const TQuantityIndex quantities(model.Params);
    for (const auto& b : model.Budgets) {
        const std::string result = MarkupToUtf8(b->Name);
        // Empty cells for every figure a failed calculation did not produce.
        const bool failed = b->ErrorCode != NoError;
        auto fig = [&](double x) { return failed ? std::string() : ShortestDouble(x); };
        auto nu = [&](int n) { return failed ? std::string() : std::to_string(MachineDof(n)); };
        for (const auto& e : *b) {
            const TParamKind kind = KindOf(quantities, *e);
            out << CsvRecord({result,
                              "entry",
                              MarkupToUtf8(e->Name),
                              CodeText(static_cast<int>(kind), kKindCodes),
                              MarkupToUtf8(e->Units),
                              ShortestDouble(e->Value),
                              ShortestDouble(e->StdUncertainty),
                              ShortestDouble(e->RelUncertainty),
                              IsInputKind(kind) ? CodeText(e->Distribution, kDistributionCodes) : "",
                              HasDof(kind) ? std::to_string(MachineDof(e->DegreesOfFreedom)) : "",
                              fig(e->Sensitivity),
                              fig(e->Contribution),
                              fig(e->Ratio),
                              fig(e->Index),
                              "",
                              "",
                              "",
                              "",
                              "",
                              ""});
        }
        const TGumParam* r = quantities.Find(b->Name);
        const int format = r ? r->ResultFormat : 0;
        out << CsvRecord({result,
                          "result",
                          result,
                          "Result",
                          MarkupToUtf8(b->Units),
                          fig(b->Value),
                          fig(b->CombinedUncertainty),
                          fig(b->RelativeUncertainty),
                          "",
                          nu(b->EffectiveDOF),
                          "",
                          "",
                          "",
                          "",
                          fig(b->ExpandedUncertainty),
                          fig(b->CoverageFactor),
                          fig(b->CoverageProbability),
                          CodeText(format, kResultFormatCodes),
                          std::to_string(b->ErrorCode),
                          b->ErrorCode ? FailureReason(*b) : ""});
    }
}

void WriteBudgetsJson(const std::string& file, const TGumModel& model, const TDisplayState& display,
                      std::ostream& out) {
    JsonStream j(out);
    const TQuantityIndex quantities(model.Params);
    j.BeginObject();
    WriteOriginKeys(j, file);
    j.Key("budgets");
    j.BeginArray();
    for (const auto& b : model.Budgets) {
        const TGumParam* r = quantities.Find(b->Name);
        // A failed calculation produced none of the figures: null, so that
        // a script that does not read error_code cannot take R = 0 +- 0.
        const bool failed = b->ErrorCode != NoError;
        auto figure = [&](double x) { failed ? j.Null() : j.Number(x); };
        auto dof = [&](int nu) { failed ? j.Null() : j.Integer(MachineDof(nu)); };
        j.BeginObject();
        j.Key("name"), j.String(MarkupToUtf8(b->Name));
        j.Key("units"), j.String(MarkupToUtf8(b->Units));
        j.Key("error_code"), j.Integer(b->ErrorCode);
        j.Key("error_message"), j.String(b->ErrorCode ? FailureReason(*b) : std::string());
        j.Key("value"), figure(b->Value);
        j.Key("combined_uncertainty"), figure(b->CombinedUncertainty);
        j.Key("relative_uncertainty"), figure(b->RelativeUncertainty);
        j.Key("effective_dof"), dof(b->EffectiveDOF);
        j.Key("dof_ignores_correlation"), j.Bool(BudgetUsesCorrelation(*b, model.Correlations));
        j.Key("coverage_factor"), figure(b->CoverageFactor);
        j.Key("coverage_probability"), figure(b->CoverageProbability);
        // What the stated k covers at ν_eff (below coverage_probability when
        // k is too small for so few degrees of freedom).
        j.Key("coverage_probability_at_dof"), figure(failed ? 0.0 : BudgetCoverageAtDof(*b).Probability);
        j.Key("expanded_uncertainty"), figure(b->ExpandedUncertainty);
        j.Key("result_format"), j.String(CodeText(r ? r->ResultFormat : 0, kResultFormatCodes));
        j.Key("max_contribution"), figure(b->MaxContribution);
        j.Key("max_index"), figure(b->MaxIndex);
        j.Key("entries");
        j.BeginArray();
        for (const auto& e : *b) {
            j.BeginObject();
            const TParamKind kind = KindOf(quantities, *e);
            j.Key("name"), j.String(MarkupToUtf8(e->Name));
            j.Key("kind"), j.String(CodeText(static_cast<int>(kind), kKindCodes));
            j.Key("units"), j.String(MarkupToUtf8(e->Units));
            j.Key("value"), j.Number(e->Value);
            j.Key("std_uncertainty"), j.Number(e->StdUncertainty);
            j.Key("rel_uncertainty"), j.Number(e->RelUncertainty);
            j.Key("distribution");
            if (IsInputKind(kind))
                j.String(CodeText(e->Distribution, kDistributionCodes));
            else
                j.Null();
            j.Key("dof");
            if (HasDof(kind))
                j.Integer(MachineDof(e->DegreesOfFreedom));
            else
                j.Null();
            j.Key("sensitivity"), figure(e->Sensitivity);
            j.Key("contribution"), figure(e->Contribution);
            j.Key("ratio"), figure(e->Ratio);
            j.Key("index"), figure(e->Index);
            j.EndObject();
        }
        j.EndArray();
        j.Key("statement");
        if (b->ErrorCode == NoError) {
            const TBudgetTable v(*b, quantities, model.FormatSettings, display, model.Correlations);
            const auto line = v.ResultLine();
            auto pair = [&](const TFormattedNumber& n) {
                j.BeginArray();
                j.String(Cp1251ToUtf8(n.Mantissa));
                j.String(Cp1251ToUtf8(n.Exponent));
                j.EndArray();
            };
            j.BeginObject();
            j.Key("value"), pair(line[0].Number);
            j.Key("expanded_uncertainty"), pair(line[1].Number);
            j.Key("coverage_factor"), j.String(line[2].Text);
            j.Key("coverage_probability"), j.String(line[3].Text);
            j.EndObject();
        } else {
            j.Null();
        }
        j.EndObject();
    }
    j.EndArray();
    j.EndObject();
    j.Finish();
}

}  // namespace vormid::cli
