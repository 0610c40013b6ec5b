// The Type A series of a quantity: the indirect schema evaluated row by row,
// the series built from the arrays, and its statistics.
#include <cctype>
#include <cmath>
#include <cstring>

#include "core/Formula.h"
#include "core/GumParam.h"

namespace vormid {

namespace {

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) return false;
    return a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

}  // namespace

// A name of the schema formula is a column reference: its characters from
// the second on (at most ten) are the 1-based column number, whatever the
// first letter ("x1", "A12"). Returns that column, or 0 for a name that is
// no column of the schema: such a name reads 0 and marks the evaluation as
// failed, since reading into the neighbouring row would silently mix
// measurements.
long long SchemaColumnOf(const std::string& name, std::size_t columns) {
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
    if (!valid || column < 1 || column > static_cast<long long>(columns)) return 0;
    return column;
}

bool TGumParam::EvaluateSchema() {
    const std::size_t columns = SchemaColumns.size();
    if (columns == 0) return true;  // no schema: no row is computed
    TFormul formula;
    const bool compiled = formula.Compile(SchemaFormula);
    bool ok = compiled;
    // Every name is resolved to its column once, not once per leaf and row:
    // a file's schema is evaluated at every load. The evaluation with bound
    // values is the same walk as with a lookup, so the rows are the same.
    std::vector<long long> slotColumns;
    if (compiled)
        for (const std::string& name : formula.SlotNames()) slotColumns.push_back(SchemaColumnOf(name, columns));
    std::vector<double> slotValues(slotColumns.size(), 0.0);
    // The row before, when it was evaluated: a row of the same readings
    // (bit for bit) has the same result and error, and a sparsely filled
    // schema repeats its empty rows thousands of times.
    std::vector<double> lastValues;
    bool haveLast = false;
    double lastResult = 0.0;
    int lastError = NoError;
    bool badName = false;
    int row = 0;
    for (RowOffset = 0; static_cast<std::size_t>(RowOffset) < Observations.size();
         RowOffset += static_cast<int>(columns), ++row) {
        if (static_cast<std::size_t>(row) < RowValues.size()) RowValues[static_cast<std::size_t>(row)] = 0.0;
        if (!compiled) continue;
        for (std::size_t i = 0; i < slotColumns.size(); ++i) {
            const long long column = slotColumns[i];
            if (column == 0) badName = true;
            slotValues[i] = column == 0 ? 0.0 : GetObservation(static_cast<int>(RowOffset + column - 1));
        }
        double v = 0.0;
        if (haveLast && SameBits(slotValues, lastValues)) {
            v = lastResult;
            EvalError = lastError;
        } else {
            try {
                v = formula.EvaluateBound(slotValues);
                lastValues = slotValues;
                haveLast = true;
                lastResult = v;
                lastError = EvalError;
            } catch (...) {
                haveLast = false;
                ok = false;
                v = 0.0;
            }
        }
        if (EvalError != NoError) ok = false;
        if (static_cast<std::size_t>(row) < RowValues.size()) RowValues[static_cast<std::size_t>(row)] = v;
    }
    RowOffset = 0;
    return ok && !badName;
}

std::vector<double> TGumParam::BuildSeries(bool* complete) const {
    if (complete != nullptr) *complete = true;
    if (AMethod != am_Direct) return RowValues;
    if (AValueType == av_Single) return Observations;
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
    for (std::size_t i = 0; i < Observations.size(); ++i) series.insert(series.end(), times[i], Observations[i]);
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
    SeriesComplete_ = schemaOk && complete;
    return SeriesComplete_;
}

}  // namespace vormid
