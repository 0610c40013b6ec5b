// The Type A series of a quantity: the indirect schema evaluated row by row,
// the series built from the arrays, and its statistics.
#include <cctype>
#include <cmath>

#include "core/Formula.h"
#include "core/GumParam.h"

namespace vormid {

namespace {

struct SchemaContext {
    const TGumParam* Param = nullptr;
    bool BadName = false;
};

// A name of the schema formula is a column reference: its characters from
// the second on (at most ten) are the 1-based column number, whatever the
// first letter ("x1", "A12"). A name that is no column of the schema reads
// 0 and marks the evaluation as failed: reading into the neighbouring row
// would silently mix measurements.
double ColumnLookup(void* context, const std::string& name) {
    auto* ctx = static_cast<SchemaContext*>(context);
    const std::string digits = name.size() > 1 ? name.substr(1, 10) : std::string();
    long long column = 0;
    bool valid = !digits.empty();
    for (char ch : digits) {
        if (!std::isdigit(static_cast<unsigned char>(ch))) {
            valid = false;
            break;
        }
        column = column * 10 + (ch - '0');
    }
    const auto columns = static_cast<long long>(ctx->Param->SchemaColumns.size());
    if (!valid || column < 1 || column > columns) {
        ctx->BadName = true;
        return 0.0;
    }
    const long long index = ctx->Param->RowOffset + column - 1;
    return ctx->Param->GetObservation(static_cast<int>(index));
}

}  // namespace

bool TGumParam::EvaluateSchema() {
    const std::size_t columns = SchemaColumns.size();
    if (columns == 0) return true;  // no schema: no row is computed
    TFormul formula;
    const bool compiled = formula.Compile(SchemaFormula);
    bool ok = compiled;
    SchemaContext ctx;
    ctx.Param = this;
    int row = 0;
    for (RowOffset = 0; static_cast<std::size_t>(RowOffset) < Observations.size();
         RowOffset += static_cast<int>(columns), ++row) {
        SetRowValue(row, 0.0);
        if (!compiled) continue;
        double v = 0.0;
        try {
            v = formula.Evaluate(&ColumnLookup, &ctx);
            if (EvalError != NoError) ok = false;
        } catch (...) {
            // The column lookup never throws; a formula without a tree does.
            ok = false;
            v = 0.0;
        }
        SetRowValue(row, v);
    }
    RowOffset = 0;
    return ok && !ctx.BadName;
}

std::vector<double> TGumParam::BuildSeries(bool* complete) const {
    if (complete != nullptr) *complete = true;
    if (AMethod != am_Direct) return RowValues;
    if (AValueType == 0) return Observations;
    std::vector<std::size_t> times(Observations.size(), 0);
    long long total = 0;
    for (std::size_t i = 0; i < Observations.size(); ++i) {
        const double f = GetRowValue(static_cast<int>(i));
        if (!(f >= 1.0)) continue;  // also NaN
        // A damaged frequency must not allocate without bound.
        if (f > static_cast<double>(kMaxGroupedSeriesLength) ||
            (total += static_cast<long long>(std::floor(f))) > kMaxGroupedSeriesLength) {
            if (complete != nullptr) *complete = false;
            return {};
        }
        times[i] = static_cast<std::size_t>(std::floor(f));
    }
    std::vector<double> series;
    series.reserve(static_cast<std::size_t>(total));
    for (std::size_t i = 0; i < Observations.size(); ++i)
        series.insert(series.end(), times[i], Observations[i]);
    return series;
}

bool TGumParam::RecomputeStatistics() {
    const bool schemaOk = AMethod == am_Direct || EvaluateSchema();
    bool complete = true;
    std::vector<double> series = BuildSeries(&complete);
    // An empty series would leave the statistics of an earlier series in
    // place; the quantity must not state values it no longer has.
    Statistics = SeriesStatistics{};
    if (!series.empty()) ComputeSeriesStatistics(series, Statistics);
    return schemaOk && complete;
}

}  // namespace vormid
