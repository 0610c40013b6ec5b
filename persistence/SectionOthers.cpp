// Sections 1, 3 and 5 of a model file: the model header, the correlation
// pairs and the display settings.
#include <algorithm>
#include <cmath>
#include <limits>

#include "persistence/ModelSections.h"

namespace vormid {

void WriteHeaderSection(const TGumModel& model, TSectionWriter& out) {
    out.Text256(model.ModelName);
    out.U8(model.EvalMethod);
    out.Blob(model.Description);
    out.Blob(model.Equation);
}

void ReadHeaderSection(TSectionReader& in, TGumModel& model) {
    model.ModelName = in.Text256();
    model.EvalMethod = in.U8();
    model.Description = in.Blob();
    model.Equation = in.Blob();
}

namespace {
constexpr std::size_t kCorrelationRecord = 2 * kText101.Width + 8;
}

void WriteCorrelationsSection(const TGumModel& model, TSectionWriter& out) {
    out.I32(model.Correlations.Count());
    for (int i = 0; i < model.Correlations.Count(); ++i) {
        out.Text101(model.Correlations.GetName1(i));
        out.Text101(model.Correlations.GetName2(i));
        out.F64(model.Correlations.GetCoefficient(i));
    }
}

void ReadCorrelationsSection(TSectionReader& in, TGumModel& model) {
    if (in.AtEnd()) return;
    const std::int32_t count = in.Count(kCorrelationRecord);
    for (std::int32_t k = 0; k < count; ++k) {
        const std::string name1 = in.Text101();
        const std::string name2 = in.Text101();
        const double r = in.F64();
        // Added under its names, not as an unnamed row renamed afterwards:
        // a stored pair without names would otherwise swallow the next one.
        model.Correlations.AddPair(name1, name2);
        model.Correlations.SetCoefficient(model.Correlations.IndexOf(name1, name2), r);
    }
}

namespace {

std::int32_t ClampI32(long long v) {
    return static_cast<std::int32_t>(
        std::clamp<long long>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void WriteDisplaySection(const TNumberFormatSettings& formats, const TDisplayState& display, TSectionWriter& out) {
    out.I32(formats.LowExponent);
    out.I32(formats.HighExponent);
    out.F64(formats.LowThreshold);
    out.I32(ClampI32(formats.HighThreshold));
    out.I32(formats.DefaultSignificantDigits);
    out.Text20(formats.ExponentMarker);
    out.Text20(formats.DefaultValueFormat);
    out.Flag(formats.DefaultValueExp);
    out.Text20(formats.DefaultUncertaintyFormat);
    out.Flag(formats.DefaultUncertaintyExp);
    for (const auto& column : display.Columns) {
        out.I32(column.UserWidth);
        out.I32(column.FittedWidth);
        out.Flag(column.Hidden);
    }
    out.Flag(display.ShowVarResults);
    out.Flag(display.ShowConstants);
    out.I32(display.ColumnWidthMode);
    out.I32(display.EquationPanelHeight);
    out.I32(display.BudgetCommentPanelHeight);
    out.Flag(display.ChartShowsContribution);
}

void ReadDisplaySection(TSectionReader& in, TNumberFormatSettings& formats, TDisplayState& display) {
    // Read completely before anything is applied, so that a truncated
    // section changes nothing.
    TNumberFormatSettings f = formats;
    TDisplayState d = display;
    f.LowExponent = in.I32();
    f.HighExponent = in.I32();
    f.LowThreshold = in.F64();
    f.HighThreshold = in.I32();
    f.DefaultSignificantDigits = in.I32();
    f.ExponentMarker = in.Text20();
    f.DefaultValueFormat = in.Text20();
    f.DefaultValueExp = in.U8() != 0;
    f.DefaultUncertaintyFormat = in.Text20();
    f.DefaultUncertaintyExp = in.U8() != 0;
    for (auto& column : d.Columns) {
        column.UserWidth = in.I32();
        column.FittedWidth = in.I32();
        column.Hidden = in.U8() != 0;
    }
    d.ShowVarResults = in.U8() != 0;
    d.ShowConstants = in.U8() != 0;
    d.ColumnWidthMode = in.I32();
    if (in.Remaining() >= 4) d.EquationPanelHeight = in.I32();
    if (in.Remaining() >= 4) d.BudgetCommentPanelHeight = in.I32();
    if (in.Remaining() >= 1) d.ChartShowsContribution = in.U8() != 0;
    formats = f;
    display = d;
}

}  // namespace vormid
