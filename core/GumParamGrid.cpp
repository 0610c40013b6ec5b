// The observation grid's rules: columns by method and data kind, cell texts,
// Enter movement, typed numbers, and copy and paste of cell blocks.
#include "core/GumParamGrid.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/TextFields.h"

namespace vormid {

namespace {

constexpr TObsColumn kDirect[] = {TObsColumn::Number, TObsColumn::Value};
constexpr TObsColumn kGrouped[] = {TObsColumn::Number, TObsColumn::Value, TObsColumn::Count};
constexpr TObsColumn kIndirect[] = {TObsColumn::Number, TObsColumn::Line, TObsColumn::Reading, TObsColumn::Observation};

std::string_view Trim(std::string_view s) {
    // Blanks of either code page: space, tab and the no-break space (0xA0)
    // that spreadsheets put around numbers.
    auto blank = [](char c) { return c == ' ' || c == '\t' || static_cast<unsigned char>(c) == 0xA0; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

std::string CountText(double c) {
    if (!std::isfinite(c) || std::fabs(c) > 9e15) return FormatGeneral15(c, ',');
    return std::to_string(static_cast<long long>(c));
}

std::vector<std::string_view> Split(std::string_view s, char sep) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t p = s.find(sep);
        parts.push_back(s.substr(0, p));
        if (p == std::string_view::npos) return parts;
        s.remove_prefix(p + 1);
    }
}

}  // namespace

int TObservationGrid::PerMeasurement() const { return Indirect() ? Q_.ReadingsPerMeasurement() : 1; }

int TObservationGrid::RowCount() const {
    const int n = static_cast<int>(Q_.RowValues.size());
    if (!Indirect()) return std::min(n, static_cast<int>(Q_.Observations.size()));
    return std::min(n * PerMeasurement(), static_cast<int>(Q_.Observations.size()));
}

int TObservationGrid::ColumnCount() const {
    if (Indirect()) return 4;
    return Q_.AValueType == av_Grouped ? 3 : 2;
}

TObsColumn TObservationGrid::Column(int column) const {
    const int c = std::clamp(column, 0, ColumnCount() - 1);
    if (Indirect()) return kIndirect[c];
    return Q_.AValueType == av_Grouped ? kGrouped[c] : kDirect[c];
}

bool TObservationGrid::Editable(int column) const {
    if (column < 0 || column >= ColumnCount()) return false;
    const TObsColumn c = Column(column);
    return c == TObsColumn::Value || c == TObsColumn::Count || c == TObsColumn::Reading;
}

bool TObservationGrid::Shaded(int row) const {
    const int m = PerMeasurement();
    return Indirect() && m > 0 && row % m == m - 1;
}

TObsCell TObservationGrid::Next(TObsCell at) const {
    // At the last row Enter does nothing, in either column of grouped values.
    if (at.Row + 1 >= RowCount()) return at;
    if (!Indirect() && Q_.AValueType == av_Grouped && Column(at.Column) == TObsColumn::Value)
        return {at.Row, at.Column + 1};
    if (!Indirect() && Q_.AValueType == av_Grouped && Column(at.Column) == TObsColumn::Count)
        return {at.Row + 1, at.Column - 1};
    return {at.Row + 1, at.Column};
}

double TObservationGrid::Number(TObsCell at) const {
    const int m = std::max(PerMeasurement(), 1);
    switch (Column(at.Column)) {
        case TObsColumn::Value:
        case TObsColumn::Reading:
            return Q_.GetObservation(at.Row);
        case TObsColumn::Count:
            return Q_.GetRowValue(at.Row);
        case TObsColumn::Observation:
            return Q_.GetRowValue(at.Row / m);
        default:
            return 0.0;
    }
}

TFormattedNumber TObservationGrid::DisplayText(TObsCell at, const TNumberFormatSettings& settings) const {
    const int m = std::max(PerMeasurement(), 1);
    switch (Column(at.Column)) {
        case TObsColumn::Number:
            if (at.Row % m != 0) return {};
            return {std::to_string(at.Row / m + 1), {}};
        case TObsColumn::Line: {
            const auto line = static_cast<std::size_t>(at.Row % m);
            return {line < Q_.SchemaColumns.size() ? Q_.SchemaColumns[line] : std::string(), {}};
        }
        case TObsColumn::Count:
            return {CountText(Number(at)), {}};
        case TObsColumn::Observation:
            if (!Shaded(at.Row)) return {};
            [[fallthrough]];
        default:
            return FormatDecimals(std::clamp(Q_.Decimals, 0, 20), Number(at), settings, ',');
    }
}

std::string TObservationGrid::EditText(TObsCell at) const {
    switch (Column(at.Column)) {
        case TObsColumn::Number:
        case TObsColumn::Line:
            return DisplayText(at, TNumberFormatSettings{}).Mantissa;
        case TObsColumn::Count:
            return CountText(Number(at));
        case TObsColumn::Observation:
            if (!Shaded(at.Row)) return {};
            [[fallthrough]];
        default:
            return FullPrecisionText(Number(at));
    }
}

std::optional<double> ParseTypedNumber(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.size() > kText101.Text) return std::nullopt;
    std::string buffer(text);
    std::replace(buffer.begin(), buffer.end(), ',', '.');
    // from_chars reads the same in every locale, and it refuses "inf" and
    // "nan" only as far as we check afterwards.
    double v = 0;
    const char* end = buffer.data() + buffer.size();
    const auto [ptr, ec] = std::from_chars(buffer.data(), end, v, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::string FullPrecisionText(double x) {
    if (!std::isfinite(x)) return FormatGeneral15(x, ',');
    char buffer[64];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, x);
    return WithDecimalComma(std::string(buffer, ec == std::errc() ? ptr : buffer));
}

namespace {
// A typed number for a cell of the column; a count is a whole number no
// larger than a grouped series may grow.
std::optional<double> ParseForColumn(const TObservationGrid& grid, int column, std::string_view text) {
    const std::optional<double> v = ParseTypedNumber(text);
    if (!v || grid.Column(column) != TObsColumn::Count) return v;
    if (*v < 0 || *v != std::floor(*v) || *v > static_cast<double>(kMaxGroupedSeriesLength)) return std::nullopt;
    return v;
}

// The readings of a quantity being edited, stored back at once.
struct TReadings {
    std::vector<double> Observations, RowValues;
    void Store(const TObservationGrid& grid, TObsCell at, double value) {
        const auto put = [](std::vector<double>& v, int i, double x) {
            if (i >= 0 && static_cast<std::size_t>(i) < v.size()) v[static_cast<std::size_t>(i)] = x;
        };
        switch (grid.Column(at.Column)) {
            case TObsColumn::Value:
            case TObsColumn::Reading:
                put(Observations, at.Row, value);
                break;
            case TObsColumn::Count:
                put(RowValues, at.Row, value);
                break;
            default:
                break;
        }
    }
};
}  // namespace

std::optional<double> ParseCellText(const TGumParam& q, TObsCell at, std::string_view text) {
    const TObservationGrid grid(q);
    if (!grid.Editable(at.Column) || at.Row < 0 || at.Row >= grid.RowCount()) return std::nullopt;
    return ParseForColumn(grid, at.Column, text);
}

void StoreCell(TGumParam& q, TObsCell at, double value) {
    const TObservationGrid grid(q);
    if (!grid.Editable(at.Column)) return;
    TReadings r{q.Observations, q.RowValues};
    r.Store(grid, at, value);
    q.SetReadings(r.Observations, r.RowValues);
}

std::string CopyCells(const TGumParam& q, TObsCell topLeft, TObsCell bottomRight) {
    const TObservationGrid grid(q);
    const int top = std::max(0, std::min(topLeft.Row, bottomRight.Row));
    const int bottom = std::min(grid.RowCount() - 1, std::max(topLeft.Row, bottomRight.Row));
    const int left = std::max(0, std::min(topLeft.Column, bottomRight.Column));
    const int right = std::min(grid.ColumnCount() - 1, std::max(topLeft.Column, bottomRight.Column));
    std::string text;
    for (int r = top; r <= bottom; ++r) {
        if (r > top) text += '\n';
        for (int c = left; c <= right; ++c) {
            if (c > left) text += '\t';
            text += grid.EditText({r, c});
        }
    }
    return text;
}

TPastePlan PlanPaste(const TGumParam& q, TObsCell at, std::string_view text) {
    const TObservationGrid grid(q);
    TPastePlan plan;
    plan.At = {std::max(at.Row, 0), std::clamp(at.Column, 0, grid.ColumnCount() - 1)};
    std::vector<std::string_view> lines = Split(text, '\n');
    for (auto& line : lines)
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // The line end after the last line, and blank lines after it, carry
    // nothing; a blank line between numbers is an empty cell.
    while (!lines.empty() && Trim(lines.back()).empty()) lines.pop_back();
    if (lines.empty()) return plan;

    const int m = q.AMethod == am_Direct ? 1 : q.ReadingsPerMeasurement();
    if (m == 0) return plan;  // an indirect quantity without a schema has no cell
    const long long rows = static_cast<long long>(plan.At.Row) + static_cast<long long>(lines.size());
    const long long needed = (rows + m - 1) / m;
    if (needed > kMaxObservationCount) {
        plan.Status = TPastePlan::TStatus::TooManyRows;
        return plan;
    }
    plan.NewCount = std::max(q.ObservationCount, static_cast<int>(needed));

    plan.Values.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string_view> fields = Split(lines[i], '\t');
        if (plan.At.Column + static_cast<int>(fields.size()) > grid.ColumnCount()) {
            plan.Status = TPastePlan::TStatus::TooManyColumns;
            plan.BadLine = static_cast<int>(i) + 1;
            plan.Values.clear();
            return plan;
        }
        std::vector<std::optional<double>> row;
        row.reserve(fields.size());
        for (std::size_t k = 0; k < fields.size(); ++k) {
            const int column = plan.At.Column + static_cast<int>(k);
            if (!grid.Editable(column)) {
                row.emplace_back();
                continue;
            }
            const std::optional<double> v = ParseForColumn(grid, column, fields[k]);
            if (!v) {
                plan.Status = TPastePlan::TStatus::NotANumber;
                plan.BadLine = static_cast<int>(i) + 1;
                plan.BadText = std::string(Trim(fields[k]));
                plan.Values.clear();
                return plan;
            }
            row.push_back(v);
        }
        plan.Values.push_back(std::move(row));
    }
    plan.Status = TPastePlan::TStatus::Ok;
    return plan;
}

void ApplyPaste(TGumParam& q, const TPastePlan& plan) {
    if (plan.Status != TPastePlan::TStatus::Ok) return;
    if (plan.NewCount > q.ObservationCount) q.SetObservationCount(plan.NewCount);
    const TObservationGrid grid(q);
    TReadings r{q.Observations, q.RowValues};
    for (std::size_t i = 0; i < plan.Values.size(); ++i)
        for (std::size_t k = 0; k < plan.Values[i].size(); ++k)
            if (plan.Values[i][k])
                r.Store(grid, {plan.At.Row + static_cast<int>(i), plan.At.Column + static_cast<int>(k)},
                        *plan.Values[i][k]);
    q.SetReadings(r.Observations, r.RowValues);
}

}  // namespace vormid
