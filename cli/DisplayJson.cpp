#include "cli/DisplayJson.h"

#include <cstdint>
#include <limits>

#include "cli/ModelCodes.h"

namespace vormid::cli {
namespace {

constexpr long long kI32Min = std::numeric_limits<std::int32_t>::min();
constexpr long long kI32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::size_t kText20 = 20;

std::string Text20(JsonObjectReader& r, const std::string& key, const std::string& fallback) {
    if (!r.Has(key)) return fallback;
    std::string text = r.Bytes(key);
    if (text.size() > kText20) throw JsonFieldError(r.PathOf(key), "по-дълъг от 20 знака (" + std::to_string(text.size()) + ")");
    if (text.find('\0') != std::string::npos) throw JsonFieldError(r.PathOf(key), "съдържа нулев байт");
    return text;
}

int I32(JsonObjectReader& r, const std::string& key, long long fallback) {
    return static_cast<int>(r.IntegerOr(key, kI32Min, kI32Max, fallback));
}

}  // namespace

Json DisplayToJson(const TNumberFormatSettings& f, const TDisplayState& d) {
    Json j;
    j["low_exponent"] = f.LowExponent;
    j["high_exponent"] = f.HighExponent;
    j["low_threshold"] = DoubleToJson(f.LowThreshold);
    j["high_threshold"] = f.HighThreshold;
    j["significant_digits"] = f.DefaultSignificantDigits;
    j["exponent_marker"] = BytesToJson(f.ExponentMarker);
    j["value_format"] = BytesToJson(f.DefaultValueFormat);
    j["value_exp_format"] = f.DefaultValueExp;
    j["uncertainty_format"] = BytesToJson(f.DefaultUncertaintyFormat);
    j["uncertainty_exp_format"] = f.DefaultUncertaintyExp;
    Json columns = Json::array();
    for (const auto& c : d.Columns)
        columns.push_back(Json{{"width", c.UserWidth}, {"data_width", c.FittedWidth}, {"hidden", c.Hidden}});
    j["budget_columns"] = std::move(columns);
    j["show_intermediate_results"] = d.ShowVarResults;
    j["show_constants"] = d.ShowConstants;
    j["column_width_mode"] = CodeToJson(d.ColumnWidthMode, names::kWidthMode);
    j["equation_panel_height"] = d.EquationPanelHeight;
    j["budget_comment_panel_height"] = d.BudgetCommentPanelHeight;
    j["chart_shows_contribution"] = d.ChartShowsContribution;
    return j;
}

void DisplayFromJson(const Json& value, const std::string& path, TNumberFormatSettings& f, TDisplayState& d) {
    JsonObjectReader r(value, path);
    f.LowExponent = I32(r, "low_exponent", f.LowExponent);
    f.HighExponent = I32(r, "high_exponent", f.HighExponent);
    f.LowThreshold = r.DoubleOr("low_threshold", f.LowThreshold);
    f.HighThreshold = I32(r, "high_threshold", f.HighThreshold);
    f.DefaultSignificantDigits = I32(r, "significant_digits", f.DefaultSignificantDigits);
    f.ExponentMarker = Text20(r, "exponent_marker", f.ExponentMarker);
    f.DefaultValueFormat = Text20(r, "value_format", f.DefaultValueFormat);
    f.DefaultValueExp = r.BoolOr("value_exp_format", f.DefaultValueExp);
    f.DefaultUncertaintyFormat = Text20(r, "uncertainty_format", f.DefaultUncertaintyFormat);
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
