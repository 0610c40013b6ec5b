#include "cli/ModelJson.h"

#include <cstdint>
#include <limits>

#include "core/Cp1251.h"
#include "cli/ImportChecks.h"
#include "cli/ModelCodes.h"
#include "core/QuantityFields.h"

namespace vormid::cli {
namespace {

constexpr long long kI32Min = std::numeric_limits<std::int32_t>::min();
constexpr long long kI32Max = std::numeric_limits<std::int32_t>::max();
constexpr int kByteMax = 255;

// ---------------------------------------------------------------- import

template <typename F>
void ForEach(JsonObjectReader& r, const std::string& key, F&& read) {
    const Json* a = r.ArrayOrNull(key);
    if (!a) return;
    for (std::size_t i = 0; i < a->size(); ++i) read((*a)[i], r.PathOf(key) + "[" + std::to_string(i) + "]");
}

// Stores a series into an array the quantity has already sized; the sizes
// must agree, so that nothing is dropped silently.
void StoreSeries(JsonObjectReader& r, const std::string& key, std::vector<double>& target) {
    const Json* a = r.ArrayOrNull(key);
    if (!a) return;
    std::vector<double> values;
    for (std::size_t i = 0; i < a->size(); ++i)
        values.push_back(JsonToDouble((*a)[i], r.PathOf(key) + "[" + std::to_string(i) + "]"));
    if (values.size() != target.size())
        throw JsonFieldError(r.PathOf(key), std::to_string(values.size()) + " стойности, а се очакват " +
                                                std::to_string(target.size()) +
                                                " (според observation_count и схемата)");
    target = std::move(values);
}

// The number of measurements may be left out: it follows from the
// observations (and the schema's columns).
long long ObservationCount(JsonObjectReader& r, const TQuantityField& f, const TGumParam& p) {
    if (r.Has(f.JsonKey))
        return r.Integer(f.JsonKey, static_cast<long long>(f.Range.Min), static_cast<long long>(f.Range.Max));
    if (!r.Has("observations") || r.Array("observations").empty()) return p.ObservationCount;
    const std::size_t n = r.Array("observations").size();
    const Json* columns = p.AMethod == am_Indirect ? r.ArrayOrNull("schema_columns") : nullptr;
    const std::size_t per_row = columns && !columns->empty() ? columns->size() : 1;
    if (n % per_row != 0)
        throw JsonFieldError(r.PathOf("observations"), "броят стойности " + std::to_string(n) +
                                                           " не се дели на броя колони на схемата (" +
                                                           std::to_string(per_row) + ")");
    const auto count = static_cast<long long>(n / per_row);
    if (count > kMaxObservationCount)
        throw JsonFieldError(r.PathOf("observations"),
                             std::to_string(count) + " измервания, повече от " + std::to_string(kMaxObservationCount));
    return count;
}

std::vector<std::string> TextList(JsonObjectReader& r, const TQuantityField& f) {
    std::vector<std::string> list;
    ForEach(r, f.JsonKey, [&](const Json& item, const std::string& path) {
        std::string c = JsonToBytes(item, path);
        if (c.size() > f.Capacity.Text || c.find('\0') != std::string::npos)
            throw JsonFieldError(path, "по-дълъг от " + std::to_string(f.Capacity.Text) + " знака (" +
                                           std::to_string(c.size()) + ") или съдържа нулев байт");
        list.push_back(std::move(c));
    });
    return list;
}

// The series of a Type A quantity, read into copies of its arrays (sized by
// its count and schema) and handed to it once all its fields are read.
struct TPendingReadings {
    bool Read = false;
    std::vector<double> Observations, RowValues;
};

long long ReadField(JsonObjectReader& r, const TQuantityField& f, TGumParam& p, TPendingReadings& series) {
    const std::string key = f.JsonKey;
    const auto min = static_cast<long long>(f.Range.Min);
    const auto max = static_cast<long long>(f.Range.Max);
    switch (f.Type) {
        case TFieldType::Code: {
            const int v = f.Id == TField::Kind ? r.Code(key, f.Codes->Names, static_cast<int>(max))
                                               : r.CodeOr(key, f.Codes->Names, static_cast<int>(NumberOf(p, f.Id)),
                                                          static_cast<int>(max));
            SetNumber(p, f.Id, v);
            return v;
        }
        case TFieldType::Flag:
            SetNumber(p, f.Id, r.BoolOr(key, NumberOf(p, f.Id) != 0));
            break;
        case TFieldType::Byte:
        case TFieldType::Int32:
            SetNumber(p, f.Id,
                      f.Id == TField::ObservationCount ? ObservationCount(r, f, p)
                                                       : r.IntegerOr(key, min, max, NumberOf(p, f.Id)));
            break;
        case TFieldType::Real:
            SetReal(p, f.Id, r.DoubleOr(key, RealOf(p, f.Id)));
            break;
        case TFieldType::Text:
            TextOf(p, f.Id) = FixedText(r, key, f.Capacity, TextOf(p, f.Id));
            break;
        case TFieldType::Series:
            if (!series.Read) series = {true, p.Observations, p.RowValues};
            StoreSeries(r, key, f.Id == TField::RowValues ? series.RowValues : series.Observations);
            break;
        case TFieldType::TextList:
            p.SetSchemaColumns(TextList(r, f));
            break;
    }
    return 0;
}

void ReadQuantity(const Json& value, const std::string& path, TGumModel& model) {
    JsonObjectReader r(value, path);
    if (!r.Has("name")) throw JsonFieldError(r.PathOf("name"), "липсва");
    TGumParam& p = *model.Params.Add();
    TPendingReadings series;
    WalkQuantityRecord([&](const TQuantityField& f) { return ReadField(r, f, p, series); });
    // As after loading: the statistics (and an indirect schema's rows) follow
    // from the observations; an error of the schema is the model's own.
    if (series.Read) p.SetReadings(series.Observations, series.RowValues);
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
    ForEach(r, "entries", [&](const Json& entry, const std::string& at) {
        JsonObjectReader e(entry, at);
        TBudgetEntry& l = *b->AddEntry(FixedText(e, "name", kText101, ""));
        l.Units = FixedText(e, "units", kText101, "");
        l.Value = e.DoubleOr("value", 0);
        l.StdUncertainty = e.DoubleOr("std_uncertainty", 0);
        l.RelUncertainty = e.DoubleOr("rel_uncertainty", 0);
        l.Distribution = static_cast<TDistribution>(e.CodeOr("distribution", kDistributionCodes.Names, 0, kByteMax));
        l.DegreesOfFreedom = static_cast<int>(e.IntegerOr("dof", kI32Min, kI32Max, 0));
        l.Sensitivity = e.DoubleOr("sensitivity", 0);
        l.Contribution = e.DoubleOr("contribution", 0);
        l.Ratio = e.DoubleOr("ratio", 0);
        l.Index = e.DoubleOr("index", 0);
        e.Finish();
    });
    r.Finish();
    model.Budgets.push_back(std::move(b));
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
