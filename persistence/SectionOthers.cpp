// Sections 1, 3 and 5 of a model file: the model header, the correlation
// pairs and the display settings.
#include <algorithm>
#include <limits>
#include <type_traits>

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

// The settings and the display state in file order, up to the optional
// end; Io is the reader, or the writer with both const.
template <typename Io, typename Formats, typename Display>
void DisplayFields(Io& io, Formats& f, Display& d) {
    io.I32(f.LowExponent);
    io.I32(f.HighExponent);
    io.F64(f.LowThreshold);
    if constexpr (std::is_const_v<Formats>)
        io.I32(static_cast<std::int32_t>(std::clamp<long long>(
            f.HighThreshold, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max())));
    else
        f.HighThreshold = io.I32();
    io.I32(f.DefaultSignificantDigits);
    io.Text(f.ExponentMarker, kText20);
    io.Text(f.DefaultValueFormat, kText20);
    io.Flag(f.DefaultValueExp);
    io.Text(f.DefaultUncertaintyFormat, kText20);
    io.Flag(f.DefaultUncertaintyExp);
    for (auto& column : d.Columns) {
        io.I32(column.UserWidth);
        io.I32(column.FittedWidth);
        io.Flag(column.Hidden);
    }
    io.Flag(d.ShowVarResults);
    io.Flag(d.ShowConstants);
    io.I32(d.ColumnWidthMode);
}

}  // namespace

void WriteDisplaySection(const TNumberFormatSettings& formats, const TDisplayState& display, TSectionWriter& out) {
    DisplayFields(out, formats, display);
    out.I32(display.EquationPanelHeight);
    out.I32(display.BudgetCommentPanelHeight);
    out.Flag(display.ChartShowsContribution);
}

void ReadDisplaySection(TSectionReader& in, TNumberFormatSettings& formats, TDisplayState& display) {
    // Read completely before anything is applied, so that a truncated
    // section changes nothing.
    TNumberFormatSettings f = formats;
    TDisplayState d = display;
    DisplayFields(in, f, d);
    if (in.Remaining() >= 4) d.EquationPanelHeight = in.I32();
    if (in.Remaining() >= 4) d.BudgetCommentPanelHeight = in.I32();
    if (in.Remaining() >= 1) d.ChartShowsContribution = in.U8() != 0;
    formats = f;
    display = d;
}

}  // namespace vormid
