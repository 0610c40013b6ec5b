#include "cli/BudgetOutput.h"

#include <cmath>
#include <cstdio>

#include "cli/BudgetCells.h"
#include "cli/Cp1251.h"
#include "cli/Csv.h"
#include "cli/MarkupText.h"
#include "cli/ModelCodes.h"
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

// Full precision for machine-read forms: the shortest text that reads back
// to the same double.
std::string FullPrecision(double x) {
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x > 0 ? "Infinity" : "-Infinity";
    char buf[40];
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*g", digits, x);
        if (std::strtod(buf, nullptr) == x) break;
    }
    return buf;
}

std::string CodeName(int code, const std::vector<std::string>& list) {
    return code >= 0 && code < static_cast<int>(list.size()) ? list[code] : std::to_string(code);
}

Json Finite(double x) { return std::isfinite(x) ? Json(x) : Json(nullptr); }

Json PairJson(const FormattedNumber& n) { return Json::array({Cp1251ToUtf8(n.Mantissa), Cp1251ToUtf8(n.Exponent)}); }

void WriteOneBudgetText(const TGumModel& model, const QuantityLookup& quantities, const TDisplayState& display,
                        const TBudget& b, std::ostream& out) {
    out << "Бюджет: " << MarkupToUtf8(b.Name);
    if (const TGumParam* r = quantities.Find(b.Name); r && !r->Description.empty())
        out << " — " << Cp1251ToUtf8(r->Description);
    out << '\n';
    if (b.ErrorCode != NoError) {
        out << kBudgetFailed << '\n' << FailureReason(b) << "\n\n";
        return;
    }
    const BudgetView v = MakeBudgetView(model, quantities, display, b);
    const std::vector<int> cols = VisibleColumns(display);
    std::vector<bool> right;
    std::vector<std::string> header;
    for (int c : cols) {
        right.push_back(!IsTextColumn(c));
        header.push_back(BudgetHeader(c, display.ChartShowsContribution));
    }
    TextTable table(right);
    table.AddRow(header);
    table.AddRule();
    for (const auto& e : b) {
        if (!EntryShown(v, *e)) continue;
        std::vector<std::string> row;
        for (int c : cols) row.push_back(EntryCell(v, *e, c, kBarWidth));
        table.AddRow(std::move(row));
    }
    table.Write(out);
    out << '\n';
    TextTable footer({false, true, true, true, true});
    const auto rows = FooterRows(v);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        footer.AddRow(rows[i]);
        if (i == 1) footer.AddRule();
    }
    footer.AddRule();
    footer.Write(out);
    out << '\n';
}

}  // namespace

std::string EntryKindName(const QuantityLookup& quantities, const TBudgetEntry& entry) {
    const TGumParam* q = quantities.Find(entry.Name);
    if (!q) return "Undefined";
    const int k = static_cast<int>(q->Kind);
    return k >= 0 && k < static_cast<int>(names::kKind.size()) ? names::kKind[k] : std::to_string(k);
}

void WriteBudgetsText(const TGumModel& model, const TDisplayState& display, std::ostream& out) {
    const QuantityLookup quantities(model.Params);
    for (const auto& b : model.Budgets) WriteOneBudgetText(model, quantities, display, *b, out);
}

void WriteBudgetsCsv(const TGumModel& model, std::ostream& out) {
    out << CsvRecord({"result", "row", "name", "kind", "units", "value", "std_uncertainty", "rel_uncertainty",
                      "distribution", "dof", "sensitivity", "contribution", "ratio", "index",
                      "expanded_uncertainty", "coverage_factor", "coverage_probability", "result_format",
                      "error_code", "error_message"});
    const QuantityLookup quantities(model.Params);
    for (const auto& b : model.Budgets) {
        const std::string result = Cp1251ToUtf8(b->Name);
        for (const auto& e : *b) {
            out << CsvRecord({result, "entry", Cp1251ToUtf8(e->Name), EntryKindName(quantities, *e), Cp1251ToUtf8(e->Units),
                              FullPrecision(e->Value), FullPrecision(e->StdUncertainty),
                              FullPrecision(e->RelUncertainty),
                              CodeName(e->Distribution, names::kDistribution),
                              DofText(e->DegreesOfFreedom), FullPrecision(e->Sensitivity),
                              FullPrecision(e->Contribution), FullPrecision(e->Ratio), FullPrecision(e->Index), "",
                              "", "", "", "", ""});
        }
        const TGumParam* r = quantities.Find(b->Name);
        const int format = r ? r->ResultFormat : 0;
        out << CsvRecord({result, "result", result, "Result", Cp1251ToUtf8(b->Units), FullPrecision(b->Value),
                          FullPrecision(b->CombinedUncertainty), FullPrecision(b->RelativeUncertainty), "",
                          DofText(b->EffectiveDOF), "", "", "", "", FullPrecision(b->ExpandedUncertainty),
                          FullPrecision(b->CoverageFactor), FullPrecision(b->CoverageProbability),
                          CodeName(format, names::kResultFormat), std::to_string(b->ErrorCode),
                          b->ErrorCode ? FailureReason(*b) : ""});
    }
}

Json BudgetsToJson(const std::string& file, const TGumModel& model, const TDisplayState& display) {
    Json doc;
    doc["file"] = file;
    Json budgets = Json::array();
    const QuantityLookup quantities(model.Params);
    for (const auto& b : model.Budgets) {
        const TGumParam* r = quantities.Find(b->Name);
        Json j;
        j["name"] = Cp1251ToUtf8(b->Name);
        j["units"] = Cp1251ToUtf8(b->Units);
        j["error_code"] = b->ErrorCode;
        j["error_message"] = b->ErrorCode ? FailureReason(*b) : std::string();
        j["value"] = Finite(b->Value);
        j["combined_uncertainty"] = Finite(b->CombinedUncertainty);
        j["relative_uncertainty"] = Finite(b->RelativeUncertainty);
        j["effective_dof"] = b->EffectiveDOF < 0 ? -1 : b->EffectiveDOF;
        j["coverage_factor"] = Finite(b->CoverageFactor);
        j["coverage_probability"] = Finite(b->CoverageProbability);
        j["expanded_uncertainty"] = Finite(b->ExpandedUncertainty);
        j["result_format"] = CodeToJson(r ? r->ResultFormat : 0, names::kResultFormat);
        j["max_contribution"] = Finite(b->MaxContribution);
        j["max_index"] = Finite(b->MaxIndex);
        Json entries = Json::array();
        for (const auto& e : *b) {
            Json x;
            x["name"] = Cp1251ToUtf8(e->Name);
            x["kind"] = EntryKindName(quantities, *e);
            x["units"] = Cp1251ToUtf8(e->Units);
            x["value"] = Finite(e->Value);
            x["std_uncertainty"] = Finite(e->StdUncertainty);
            x["rel_uncertainty"] = Finite(e->RelUncertainty);
            x["distribution"] = CodeToJson(e->Distribution, names::kDistribution);
            x["dof"] = e->DegreesOfFreedom < 0 ? -1 : e->DegreesOfFreedom;
            x["sensitivity"] = Finite(e->Sensitivity);
            x["contribution"] = Finite(e->Contribution);
            x["ratio"] = Finite(e->Ratio);
            x["index"] = Finite(e->Index);
            entries.push_back(std::move(x));
        }
        j["entries"] = std::move(entries);
        if (b->ErrorCode == NoError) {
            const BudgetView v = MakeBudgetView(model, quantities, display, *b);
            const ResultLine line = MakeResultLine(v);
            j["statement"] = Json{{"value", PairJson(line.Value)},
                                  {"expanded_uncertainty", PairJson(line.Uncertainty)},
                                  {"coverage_factor", line.CoverageFactor},
                                  {"coverage_probability", line.CoverageProbability}};
        } else {
            j["statement"] = nullptr;
        }
        budgets.push_back(std::move(j));
    }
    doc["budgets"] = std::move(budgets);
    return doc;
}

}  // namespace vormid::cli
