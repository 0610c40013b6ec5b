#include "cli/ModelJson.h"

#include <cstdint>
#include <limits>

#include "cli/Cp1251.h"
#include "cli/ImportChecks.h"
#include "cli/ModelCodes.h"

namespace vormid::cli {
namespace {

constexpr long long kI32Min = std::numeric_limits<std::int32_t>::min();
constexpr long long kI32Max = std::numeric_limits<std::int32_t>::max();
constexpr int kByteMax = 255;
constexpr int kMaxReliability = 100;  // per cent

// Longest text of each fixed-size field of the file.
constexpr std::size_t kText256 = 255, kText101 = 100;

// ---------------------------------------------------------------- import

// A fixed-size text field: at most `limit` bytes and no zero byte, since the
// file could hold neither.
std::string FixedText(JsonObjectReader& r, const std::string& key, std::size_t limit, const std::string& fallback) {
    if (!r.Has(key)) return fallback;
    std::string text = r.Bytes(key);
    if (text.size() > limit)
        throw JsonFieldError(r.PathOf(key),
                             "по-дълъг от " + std::to_string(limit) + " знака (" + std::to_string(text.size()) + ")");
    if (text.find('\0') != std::string::npos) throw JsonFieldError(r.PathOf(key), "съдържа нулев байт");
    return text;
}

std::vector<double> ReadSeries(const Json& a, const std::string& path) {
    std::vector<double> values;
    values.reserve(a.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        values.push_back(JsonToDouble(a[i], path + "[" + std::to_string(i) + "]"));
    return values;
}

// Stores a series into an array the quantity has already sized; the sizes
// must agree, so that nothing is dropped silently.
void StoreSeries(JsonObjectReader& r, const std::string& key, std::vector<double>& target, bool required) {
    const Json* a = required ? &r.Array(key) : r.ArrayOrNull(key);
    if (!a) return;
    std::vector<double> values = ReadSeries(*a, r.PathOf(key));
    if (values.size() != target.size())
        throw JsonFieldError(r.PathOf(key), std::to_string(values.size()) + " стойности, а се очакват " +
                                                std::to_string(target.size()) +
                                                " (според observation_count и схемата)");
    target = std::move(values);
}

void ReadResult(JsonObjectReader& r, TGumParam& p) {
    p.ResultFormat =
        static_cast<std::uint8_t>(r.CodeOr("result_format", names::kResultFormat, p.ResultFormat, kByteMax));
    p.CoverageMethod =
        static_cast<std::uint8_t>(r.CodeOr("coverage_method", names::kCoverageMethod, p.CoverageMethod, kByteMax));
    p.CoverageFactor = r.DoubleOr("coverage_factor", p.CoverageFactor);
    p.CoverageProbability = r.DoubleOr("coverage_probability", p.CoverageProbability);
    p.SignificantDigits = static_cast<int>(r.IntegerOr("significant_digits", kI32Min, kI32Max, p.SignificantDigits));
    p.ValueFormat = FixedText(r, "value_format", kText101, p.ValueFormat);
    p.ValueExpFormat = r.BoolOr("value_exp_format", p.ValueExpFormat);
    p.UncertaintyFormat = FixedText(r, "uncertainty_format", kText101, p.UncertaintyFormat);
    p.UncertaintyExpFormat = r.BoolOr("uncertainty_exp_format", p.UncertaintyExpFormat);
}

void ReadTypeA(JsonObjectReader& r, TGumParam& p) {
    const int method = r.CodeOr("method", names::kAMethod, am_Direct);
    p.SetAMethod(static_cast<std::uint8_t>(method));
    std::vector<std::string> columns;
    if (method == am_Indirect) {
        if (const Json* cols = r.ArrayOrNull("schema_columns")) {
            for (std::size_t i = 0; i < cols->size(); ++i) {
                const std::string path = r.PathOf("schema_columns") + "[" + std::to_string(i) + "]";
                std::string c = JsonToBytes((*cols)[i], path);
                if (c.size() > kText101 || c.find('\0') != std::string::npos)
                    throw JsonFieldError(
                        path, "по-дълъг от 100 знака (" + std::to_string(c.size()) + ") или съдържа нулев байт");
                columns.push_back(std::move(c));
            }
        }
    }
    // The number of measurements may be left out: it follows from the observations.
    long long count = p.ObservationCount;
    if (r.Has("observation_count")) {
        count = r.Integer("observation_count", kMinObservationCount, kMaxObservationCount);
    } else if (r.Has("observations") && r.Array("observations").size() > 0) {
        const std::size_t n = r.Array("observations").size();
        const std::size_t per_row = method == am_Indirect && !columns.empty() ? columns.size() : 1;
        if (n % per_row != 0)
            throw JsonFieldError(r.PathOf("observations"), "броят стойности " + std::to_string(n) +
                                                               " не се дели на броя колони на схемата (" +
                                                               std::to_string(per_row) + ")");
        count = static_cast<long long>(n / per_row);
        if (count > kMaxObservationCount)
            throw JsonFieldError(r.PathOf("observations"), std::to_string(count) + " измервания, повече от " +
                                                               std::to_string(kMaxObservationCount));
    }
    p.SetObservationCount(static_cast<int>(count));
    p.AUncertaintySource = static_cast<std::uint8_t>(r.CodeOr("uncertainty_source", names::kASource, 0, kByteMax));
    p.SetDecimals(static_cast<int>(r.IntegerOr("decimals", 0, kMaxDecimals, p.Decimals)));
    if (p.AUncertaintySource == 0)
        p.ASUType = static_cast<std::uint8_t>(r.CodeOr("su_type", names::kASUType, 0, kByteMax));
    p.AEvalType = static_cast<std::uint8_t>(r.CodeOr("eval_type", names::kAEvalType, 0, kByteMax));
    p.StatedValue = r.DoubleOr("stated_value", p.StatedValue);
    p.StatedValueText = FixedText(r, "stated_value_text", kText101, p.StatedValueText);
    if (p.AEvalType == 0) {
        p.CoverageProbability = r.DoubleOr("coverage_probability", p.CoverageProbability);
        p.CoverageFactor = r.DoubleOr("coverage_factor", p.CoverageFactor);
    }
    p.InPercent = r.BoolOr("in_percent", p.InPercent);
    p.SetDegreesOfFreedom(static_cast<int>(r.IntegerOr("degrees_of_freedom", kI32Min, kI32Max, p.DegreesOfFreedom)));
    if (method == am_Direct) {
        p.AValueType = static_cast<std::uint8_t>(r.CodeOr("value_type", names::kAValueType, 0, kByteMax));
        StoreSeries(r, "observations", p.Observations, false);
        if (p.AValueType == 1) StoreSeries(r, "row_values", p.RowValues, false);
    } else {
        p.SetSchemaColumns(std::move(columns));
        p.SchemaFormula = FixedText(r, "schema_formula", kText101, p.SchemaFormula);
        StoreSeries(r, "observations", p.Observations, false);
        StoreSeries(r, "row_values", p.RowValues, false);
    }
    // As after loading: the statistics (and an indirect schema's rows) follow
    // from the observations; an error of the schema is the model's own.
    (void)p.RecomputeStatistics();
}

void ReadTypeB(JsonObjectReader& r, TGumParam& p) {
    const int type = r.CodeOr("eval_type", names::kBEvalType, 0, kByteMax);
    p.BEvalType = static_cast<std::uint8_t>(type);
    p.BValue = r.DoubleOr("value", p.BValue);
    p.BValueText = FixedText(r, "value_text", kText101, p.BValueText);
    p.StatedValue = r.DoubleOr("stated_value", p.StatedValue);
    p.StatedValueText = FixedText(r, "stated_value_text", kText101, p.StatedValueText);
    if (type == 0) {
        p.CoverageProbability = r.DoubleOr("coverage_probability", p.CoverageProbability);
        p.CoverageFactor = r.DoubleOr("coverage_factor", p.CoverageFactor);
    }
    if (type <= 2) p.InPercent = r.BoolOr("in_percent", p.InPercent);
    if (type <= 1)
        p.SetDegreesOfFreedom(static_cast<int>(r.IntegerOr("degrees_of_freedom", 0, kMaxTypeBDof, p.DegreesOfFreedom)));
    if (type == 2)
        p.Reliability = static_cast<std::uint8_t>(r.IntegerOr("reliability", 0, kMaxReliability, p.Reliability));
    if (type == 3) {
        const int dist = r.CodeOr("distribution", names::kDistribution, p.Distribution, kByteMax);
        p.Distribution = static_cast<TDistribution>(dist);
        if (dist == dc_Normal) p.CoverageProbability = r.DoubleOr("coverage_probability", p.CoverageProbability);
        if (dist == dc_LgNormal)
            p.LimitSide = static_cast<TLgLimit>(r.CodeOr("limit_side", names::kLimitSide, p.LimitSide, kByteMax));
        if (dist == dc_LgNormal || dist == dc_DistributonT || dist == dc_Trapez) {
            p.BParam2 = r.DoubleOr("param2", p.BParam2);
            p.BParam2Text = FixedText(r, "param2_text", kText101, p.BParam2Text);
        }
        if (dist == dc_DistributonT)
            p.SetDegreesOfFreedom(
                static_cast<int>(r.IntegerOr("degrees_of_freedom", 0, kMaxTypeBDof, p.DegreesOfFreedom)));
        else
            p.Reliability = static_cast<std::uint8_t>(r.IntegerOr("reliability", 0, kMaxReliability, p.Reliability));
    }
}

void ReadQuantity(const Json& value, const std::string& path, TGumModel& model) {
    JsonObjectReader r(value, path);
    if (!r.Has("name")) throw JsonFieldError(r.PathOf("name"), "липсва");
    TGumParam& p = *model.Params.Add();
    p.Name = FixedText(r, "name", kText101, "");
    const int kind = r.Code("kind", names::kKind, kByteMax);
    p.SetKind(static_cast<TParamKind>(kind));
    p.Description = FixedText(r, "description", kText256, "");
    p.Units = FixedText(r, "units", kText101, "");
    switch (static_cast<TParamKind>(kind)) {
        case TParamKind::Result:
            ReadResult(r, p);
            break;
        case TParamKind::TypeA:
            ReadTypeA(r, p);
            break;
        case TParamKind::TypeB:
            ReadTypeB(r, p);
            break;
        case TParamKind::Const:
            p.ConstValue = r.DoubleOr("value", p.ConstValue);
            p.ConstValueText = FixedText(r, "value_text", kText101, p.ConstValueText);
            break;
        default:
            break;
    }
    p.Comment = r.BytesOr("comment", "");
    p.BudgetComment = r.BytesOr("budget_comment", "");
    r.Finish();
    // A Type B value of 0 taken for a missing one would give a budget
    // around 0 that looks calculated.
    if (p.Kind == TParamKind::TypeB && !r.Has("value"))
        throw JsonFieldError(r.PathOf("value"),
                             "липсва: величината „" + Cp1251ToUtf8(p.Name) + "“ от Тип B няма стойност");
}

void ReadCorrelation(const Json& value, const std::string& path, TGumModel& model) {
    JsonObjectReader r(value, path);
    const std::string n1 = FixedText(r, "name1", kText101, "");
    const std::string n2 = FixedText(r, "name2", kText101, "");
    const double coefficient = r.Double("coefficient");
    if (!r.Has("name1") || !r.Has("name2"))
        throw JsonFieldError(r.PathOf(r.Has("name1") ? "name2" : "name1"), "липсва");
    r.Finish();
    // As the loader and the correlation page add a row.
    model.Correlations.AddPair("", "");
    const int last = model.Correlations.Count() - 1;
    model.Correlations.SetName1(last, n1);
    model.Correlations.SetName2(last, n2);
    model.Correlations.SetCoefficient(last, coefficient);
}

void ReadBudget(const Json& value, const std::string& path, TGumModel& model) {
    JsonObjectReader r(value, path);
    auto b = std::make_unique<TBudget>();
    b->Name = FixedText(r, "name", kText101, "");
    b->Units = FixedText(r, "units", kText101, "");
    b->Value = r.DoubleOr("value", 0);
    b->CombinedUncertainty = r.DoubleOr("combined_uncertainty", 0);
    b->RelativeUncertainty = r.DoubleOr("relative_uncertainty", 0);
    b->EffectiveDOF = static_cast<int>(r.IntegerOr("effective_dof", kI32Min, kI32Max, 0));
    b->ResultValue = r.DoubleOr("result_value", 0);
    b->ExpandedUncertainty = r.DoubleOr("expanded_uncertainty", 0);
    b->CoverageFactor = r.DoubleOr("coverage_factor", 0);
    b->CoverageProbability = r.DoubleOr("coverage_probability", 0);
    b->MaxContribution = r.DoubleOr("max_contribution", 0);
    if (const Json* entries = r.ArrayOrNull("entries")) {
        for (std::size_t i = 0; i < entries->size(); ++i) {
            JsonObjectReader e((*entries)[i], r.PathOf("entries") + "[" + std::to_string(i) + "]");
            TBudgetEntry& l = *b->AddEntry(FixedText(e, "name", kText101, ""));
            l.Units = FixedText(e, "units", kText101, "");
            l.Value = e.DoubleOr("value", 0);
            l.StdUncertainty = e.DoubleOr("std_uncertainty", 0);
            l.RelUncertainty = e.DoubleOr("rel_uncertainty", 0);
            l.Distribution = static_cast<TDistribution>(e.CodeOr("distribution", names::kDistribution, 0, kByteMax));
            l.DegreesOfFreedom = static_cast<int>(e.IntegerOr("dof", kI32Min, kI32Max, 0));
            l.Sensitivity = e.DoubleOr("sensitivity", 0);
            l.Contribution = e.DoubleOr("contribution", 0);
            l.Ratio = e.DoubleOr("ratio", 0);
            l.Index = e.DoubleOr("index", 0);
            e.Finish();
        }
    }
    r.Finish();
    model.Budgets.push_back(std::move(b));
}

template <typename F>
void ForEach(JsonObjectReader& r, const std::string& key, F&& read) {
    const Json* a = r.ArrayOrNull(key);
    if (!a) return;
    for (std::size_t i = 0; i < a->size(); ++i) read((*a)[i], r.PathOf(key) + "[" + std::to_string(i) + "]");
}

// A budget comment lives in the file inside a stored budget and goes back to
// the first quantity of the budget's name; any other would be lost on saving.
void CheckBudgetComments(const TGumModel& model) {
    for (int i = 0; i < model.Params.Count(); ++i) {
        const TGumParam* p = model.Params.Get(i);
        if (p->BudgetComment.empty()) continue;
        const std::string path = "quantities[" + std::to_string(i) + "].budget_comment";
        if (model.Params.FindByName(p->Name) != p)
            throw JsonFieldError(path, "друга величина със същото име стои по-напред и получава коментара");
        bool stored = false;
        for (const auto& b : model.Budgets) stored = stored || b->Name == p->Name;
        if (!stored)
            throw JsonFieldError(path, "коментарът се записва само със записан бюджет на тази величина (budgets)");
    }
}

}  // namespace

void ModelFromJson(const Json& doc, TGumModel& model, TDisplayState& display, std::vector<std::string>* warnings) {
    JsonObjectReader r(doc, "");
    if (r.Has("format")) {
        const std::string format = r.Bytes("format");
        if (format != kModelFormatName)
            throw JsonFieldError("format", "очаква се \"" + std::string(kModelFormatName) + "\"");
    }
    r.IntegerOr("version", kModelFormatVersion, kModelFormatVersion, kModelFormatVersion);
    model.ModelName = FixedText(r, "model_name", kText256, "");
    model.EvalMethod = static_cast<std::uint8_t>(r.CodeOr("evaluation_method", names::kEvalMethod, em_Gum, kByteMax));
    model.Description = r.BytesOr("description", "");
    model.Equation = r.BytesOr("equation", "");
    // Display settings first: new quantities copy the model's format defaults.
    if (const Json* d = r.ObjectOrNull("display")) DisplayFromJson(*d, "display", model.FormatSettings, display);
    ForEach(r, "quantities", [&](const Json& v, const std::string& path) { ReadQuantity(v, path, model); });
    ForEach(r, "correlations", [&](const Json& v, const std::string& path) { ReadCorrelation(v, path, model); });
    ForEach(r, "budgets", [&](const Json& v, const std::string& path) { ReadBudget(v, path, model); });
    r.Finish();
    CheckBudgetComments(model);
    RefuseImpossibleInputs(model, warnings);
}

}  // namespace vormid::cli
