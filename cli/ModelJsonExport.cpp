// "export": the whole model written field by field as it is read, without a
// document tree in between.
#include "cli/DisplayJson.h"
#include "cli/ModelCodes.h"
#include "cli/ModelJson.h"
#include "cli/ModelJsonWriter.h"
#include "core/QuantityFields.h"

namespace vormid::cli {
namespace {

long long WriteField(ModelJsonWriter& w, const TQuantityField& f, const TGumParam& p) {
    switch (f.Type) {
        case TFieldType::Code: {
            const long long v = NumberOf(p, f.Id);
            w.Code(f.JsonKey, static_cast<int>(v), f.Codes->Names);
            return v;
        }
        case TFieldType::Flag:
            w.Bool(f.JsonKey, NumberOf(p, f.Id) != 0);
            break;
        case TFieldType::Byte:
        case TFieldType::Int32:
            w.Integer(f.JsonKey, NumberOf(p, f.Id));
            break;
        case TFieldType::Real:
            w.Double(f.JsonKey, RealOf(p, f.Id));
            break;
        case TFieldType::Text:
            w.Bytes(f.JsonKey, TextOf(p, f.Id));
            break;
        case TFieldType::Series:
            w.Series(f.JsonKey, SeriesOf(p, f.Id));
            break;
        case TFieldType::TextList:
            w.Stream().Key(f.JsonKey);
            w.Stream().BeginArray();
            for (const auto& c : p.SchemaColumns) w.Bytes(c);
            w.Stream().EndArray();
            break;
    }
    return 0;
}

void WriteQuantity(ModelJsonWriter& w, const TGumParam& p) {
    w.Stream().BeginObject();
    WalkQuantityRecord([&](const TQuantityField& f) { return WriteField(w, f, p); });
    if (!p.Comment.empty()) w.Bytes("comment", p.Comment);
    if (!p.BudgetComment.empty()) w.Bytes("budget_comment", p.BudgetComment);
    w.Stream().EndObject();
}

void WriteBudget(ModelJsonWriter& w, const TBudget& b) {
    w.Stream().BeginObject();
    w.Bytes("name", b.Name);
    w.Bytes("units", b.Units);
    w.Double("value", b.Value);
    w.Double("combined_uncertainty", b.CombinedUncertainty);
    w.Double("relative_uncertainty", b.RelativeUncertainty);
    w.Integer("effective_dof", b.EffectiveDOF);
    w.Double("result_value", b.ResultValue);
    w.Double("expanded_uncertainty", b.ExpandedUncertainty);
    w.Double("coverage_factor", b.CoverageFactor);
    w.Double("coverage_probability", b.CoverageProbability);
    w.Double("max_contribution", b.MaxContribution);
    w.Stream().Key("entries");
    w.Stream().BeginArray();
    for (const auto& e : b) {
        w.Stream().BeginObject();
        w.Bytes("name", e->Name);
        w.Bytes("units", e->Units);
        w.Double("value", e->Value);
        w.Double("std_uncertainty", e->StdUncertainty);
        w.Double("rel_uncertainty", e->RelUncertainty);
        w.Code("distribution", e->Distribution, kDistributionCodes.Names);
        w.Integer("dof", e->DegreesOfFreedom);
        w.Double("sensitivity", e->Sensitivity);
        w.Double("contribution", e->Contribution);
        w.Double("ratio", e->Ratio);
        w.Double("index", e->Index);
        w.Stream().EndObject();
    }
    w.Stream().EndArray();
    w.Stream().EndObject();
}

}  // namespace

void WriteModelJson(const TGumModel& model, const TDisplayState& display, JsonStream& json) {
    ModelJsonWriter w(json);
    json.BeginObject();
    json.Key("format");
    json.String(kModelFormatName);
    w.Integer("version", kModelFormatVersion);
    w.Bytes("model_name", model.ModelName);
    w.Code("evaluation_method", model.EvalMethod, names::kEvalMethod);
    w.Bytes("description", model.Description);
    w.Bytes("equation", model.Equation);
    json.Key("display");
    WriteDisplayJson(w, model.FormatSettings, display);
    json.Key("quantities");
    json.BeginArray();
    for (const auto& p : model.Params) WriteQuantity(w, *p);
    json.EndArray();
    json.Key("correlations");
    json.BeginArray();
    for (int i = 0; i < model.Correlations.Count(); ++i) {
        const TCorrelationPair* c = model.Correlations.Get(i);
        json.BeginObject();
        w.Bytes("name1", c->Name1);
        w.Bytes("name2", c->Name2);
        w.Double("coefficient", c->Coefficient);
        json.EndObject();
    }
    json.EndArray();
    json.Key("budgets");
    json.BeginArray();
    for (const auto& b : model.Budgets) WriteBudget(w, *b);
    json.EndArray();
    json.EndObject();
}

}  // namespace vormid::cli
