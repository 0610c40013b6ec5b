// "export": the whole model written field by field as it is read, without a
// document tree in between.
#include "cli/DisplayJson.h"
#include "cli/ModelCodes.h"
#include "cli/ModelJson.h"
#include "cli/ModelJsonWriter.h"

namespace vormid::cli {
namespace {

void WriteResult(ModelJsonWriter& w, const TGumParam& p) {
    w.Code("result_format", p.ResultFormat, names::kResultFormat);
    w.Code("coverage_method", p.CoverageMethod, names::kCoverageMethod);
    w.Double("coverage_factor", p.CoverageFactor);
    w.Double("coverage_probability", p.CoverageProbability);
    w.Integer("significant_digits", p.SignificantDigits);
    w.Bytes("value_format", p.ValueFormat);
    w.Bool("value_exp_format", p.ValueExpFormat);
    w.Bytes("uncertainty_format", p.UncertaintyFormat);
    w.Bool("uncertainty_exp_format", p.UncertaintyExpFormat);
}

void WriteTypeA(ModelJsonWriter& w, const TGumParam& p) {
    w.Code("method", p.AMethod, names::kAMethod);
    w.Integer("observation_count", p.ObservationCount);
    w.Code("uncertainty_source", p.AUncertaintySource, names::kASource);
    w.Integer("decimals", p.Decimals);
    if (p.AUncertaintySource == 0) w.Code("su_type", p.ASUType, names::kASUType);
    w.Code("eval_type", p.AEvalType, names::kAEvalType);
    w.Double("stated_value", p.StatedValue);
    w.Bytes("stated_value_text", p.StatedValueText);
    if (p.AEvalType == 0) {
        w.Double("coverage_probability", p.CoverageProbability);
        w.Double("coverage_factor", p.CoverageFactor);
    }
    w.Bool("in_percent", p.InPercent);
    w.Integer("degrees_of_freedom", p.DegreesOfFreedom);
    if (p.AMethod == am_Direct) {
        w.Code("value_type", p.AValueType, names::kAValueType);
        w.Series("observations", p.Observations);
        if (p.AValueType == 1) w.Series("row_values", p.RowValues);
    } else if (p.AMethod == am_Indirect) {
        w.Stream().Key("schema_columns");
        w.Stream().BeginArray();
        for (const auto& c : p.SchemaColumns) w.Bytes(c);
        w.Stream().EndArray();
        w.Bytes("schema_formula", p.SchemaFormula);
        w.Series("observations", p.Observations);
        w.Series("row_values", p.RowValues);
    }
}

void WriteTypeB(ModelJsonWriter& w, const TGumParam& p) {
    const int type = p.BEvalType;
    w.Code("eval_type", type, names::kBEvalType);
    w.Double("value", p.BValue);
    w.Bytes("value_text", p.BValueText);
    w.Double("stated_value", p.StatedValue);
    w.Bytes("stated_value_text", p.StatedValueText);
    if (type == 0) {
        w.Double("coverage_probability", p.CoverageProbability);
        w.Double("coverage_factor", p.CoverageFactor);
    }
    if (type <= 2) w.Bool("in_percent", p.InPercent);
    if (type <= 1) w.Integer("degrees_of_freedom", p.DegreesOfFreedom);
    if (type == 2) w.Integer("reliability", p.Reliability);
    if (type != 3) return;
    const int dist = p.Distribution;
    w.Code("distribution", dist, names::kDistribution);
    if (dist == dc_Normal) w.Double("coverage_probability", p.CoverageProbability);
    if (dist == dc_LgNormal) w.Code("limit_side", p.LimitSide, names::kLimitSide);
    if (dist == dc_LgNormal || dist == dc_DistributonT || dist == dc_Trapez) {
        w.Double("param2", p.BParam2);
        w.Bytes("param2_text", p.BParam2Text);
    }
    if (dist == dc_DistributonT)
        w.Integer("degrees_of_freedom", p.DegreesOfFreedom);
    else
        w.Integer("reliability", p.Reliability);
}

void WriteQuantity(ModelJsonWriter& w, const TGumParam& p) {
    w.Stream().BeginObject();
    w.Bytes("name", p.Name);
    w.Code("kind", static_cast<int>(p.Kind), names::kKind);
    w.Bytes("description", p.Description);
    w.Bytes("units", p.Units);
    switch (p.Kind) {
        case TParamKind::Result:
            WriteResult(w, p);
            break;
        case TParamKind::TypeA:
            WriteTypeA(w, p);
            break;
        case TParamKind::TypeB:
            WriteTypeB(w, p);
            break;
        case TParamKind::Const:
            w.Double("value", p.ConstValue);
            w.Bytes("value_text", p.ConstValueText);
            break;
        default:
            break;
    }
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
        w.Code("distribution", e->Distribution, names::kDistribution);
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
