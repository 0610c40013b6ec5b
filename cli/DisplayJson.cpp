#include "cli/DisplayJson.h"

#include <cstdint>
#include <limits>

#include "cli/ModelCodes.h"

namespace vormid::cli {
namespace {

constexpr long long kI32Min = std::numeric_limits<std::int32_t>::min();
constexpr long long kI32Max = std::numeric_limits<std::int32_t>::max();

int I32(JsonObjectReader& r, const std::string& key, long long fallback) {
    return static_cast<int>(r.IntegerOr(key, kI32Min, kI32Max, fallback));
}

}  // namespace

void WriteDisplayJson(ModelJsonWriter& w, const TNumberFormatSettings& f, const TDisplayState& d) {
    JsonStream& json = w.Stream();
    json.BeginObject();
    w.Integer("low_exponent", f.LowExponent);
    w.Integer("high_exponent", f.HighExponent);
    w.Double("low_threshold", f.LowThreshold);
    w.Integer("high_threshold", f.HighThreshold);
    w.Integer("significant_digits", f.DefaultSignificantDigits);
    w.Bytes("exponent_marker", f.ExponentMarker);
    w.Bytes("value_format", f.DefaultValueFormat);
    w.Bool("value_exp_format", f.DefaultValueExp);
    w.Bytes("uncertainty_format", f.DefaultUncertaintyFormat);
    w.Bool("uncertainty_exp_format", f.DefaultUncertaintyExp);
    json.Key("budget_columns");
    json.BeginArray();
    for (const auto& c : d.Columns) {
        json.BeginObject();
        w.Integer("width", c.UserWidth);
        w.Integer("data_width", c.FittedWidth);
        w.Bool("hidden", c.Hidden);
        json.EndObject();
    }
    json.EndArray();
    w.Bool("show_intermediate_results", d.ShowVarResults);
    w.Bool("show_constants", d.ShowConstants);
    w.Code("column_width_mode", d.ColumnWidthMode, names::kWidthMode);
    w.Integer("equation_panel_height", d.EquationPanelHeight);
    w.Integer("budget_comment_panel_height", d.BudgetCommentPanelHeight);
    w.Bool("chart_shows_contribution", d.ChartShowsContribution);
    json.EndObject();
}

void DisplayFromJson(const Json& value, const std::string& path, TNumberFormatSettings& f, TDisplayState& d) {
    JsonObjectReader r(value, path);
    f.LowExponent = I32(r, "low_exponent", f.LowExponent);
    f.HighExponent = I32(r, "high_exponent", f.HighExponent);
    f.LowThreshold = r.DoubleOr("low_threshold", f.LowThreshold);
    f.HighThreshold = I32(r, "high_threshold", f.HighThreshold);
    f.DefaultSignificantDigits = I32(r, "significant_digits", f.DefaultSignificantDigits);
    f.ExponentMarker = FixedText(r, "exponent_marker", kText20, f.ExponentMarker);
    f.DefaultValueFormat = FixedText(r, "value_format", kText20, f.DefaultValueFormat);
    f.DefaultValueExp = r.BoolOr("value_exp_format", f.DefaultValueExp);
    f.DefaultUncertaintyFormat = FixedText(r, "uncertainty_format", kText20, f.DefaultUncertaintyFormat);
    f.DefaultUncertaintyExp = r.BoolOr("uncertainty_exp_format", f.DefaultUncertaintyExp);
    if (const Json* cols = r.ArrayOrNull("budget_columns")) {
        if (cols->size() != d.Columns.size())
            throw JsonFieldError(r.PathOf("budget_columns"), "очакват се точно 12 колони");
        for (std::size_t i = 0; i < cols->size(); ++i) {
            JsonObjectReader c((*cols)[i], r.PathOf("budget_columns") + "[" + std::to_string(i) + "]");
            d.Columns[i].UserWidth = I32(c, "width", d.Columns[i].UserWidth);
            d.Columns[i].FittedWidth = I32(c, "data_width", d.Columns[i].FittedWidth);
            d.Columns[i].Hidden = c.BoolOr("hidden", d.Columns[i].Hidden);
            c.Finish();
        }
    }
    d.ShowVarResults = r.BoolOr("show_intermediate_results", d.ShowVarResults);
    d.ShowConstants = r.BoolOr("show_constants", d.ShowConstants);
    d.ColumnWidthMode = r.CodeOr("column_width_mode", names::kWidthMode, d.ColumnWidthMode, static_cast<int>(kI32Max));
    d.EquationPanelHeight = I32(r, "equation_panel_height", d.EquationPanelHeight);
    d.BudgetCommentPanelHeight = I32(r, "budget_comment_panel_height", d.BudgetCommentPanelHeight);
    d.ChartShowsContribution = r.BoolOr("chart_shows_contribution", d.ChartShowsContribution);
    r.Finish();
}

}  // namespace vormid::cli
