// Section 2 of a model file: the quantity records and their comments, a
// walk over the description of the record's fields.
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/QuantityFields.h"
#include "persistence/Messages.h"
#include "persistence/ModelSections.h"
#include "persistence/PersistenceError.h"

namespace vormid {
namespace {

// name, kind, description, units: the smallest quantity record.
constexpr std::size_t kMinQuantityRecord = kText101.Width + 1 + kText256.Width + kText101.Width;

std::uint8_t ClampByte(long long v) { return static_cast<std::uint8_t>(std::clamp(v, 0LL, 255LL)); }

long long WriteField(const TQuantityField& f, const TGumParam& q, TSectionWriter& out) {
    switch (f.Type) {
        case TFieldType::Code:
        case TFieldType::Flag:
        case TFieldType::Byte: {
            long long v = NumberOf(q, f.Id);
            if (f.Range.Held)
                v = std::clamp(v, static_cast<long long>(f.Range.Min), static_cast<long long>(f.Range.Max));
            out.U8(f.Type == TFieldType::Flag ? v != 0 : ClampByte(v));
            return v;
        }
        case TFieldType::Int32:
            out.I32(static_cast<std::int32_t>(NumberOf(q, f.Id)));
            break;
        case TFieldType::Real:
            out.F64(RealOf(q, f.Id));
            break;
        case TFieldType::Text:
            out.Text(TextOf(q, f.Id), f.Capacity);
            break;
        case TFieldType::Series:
            out.Series(SeriesOf(q, f.Id));
            break;
        case TFieldType::TextList:
            if (q.SchemaColumns.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
                throw std::length_error("too many schema columns");
            out.I32(static_cast<std::int32_t>(q.SchemaColumns.size()));
            for (const auto& column : q.SchemaColumns) out.Text(column, f.Capacity);
            break;
    }
    return 0;
}

// What the Type A records of one file may make the loader do: size arrays
// (cells) and compute statistics or schema rows over series values.
class LoadBudget {
public:
    void TakeCells(long long cells) { Take(cells, kMaxLoadedCells, cells_); }
    void TakeSeriesValues(long long values) { Take(values, kMaxLoadedSeriesValues, values_); }

private:
    static void Take(long long n, long long limit, long long& used) {
        if (n < 0 || n > limit - used) throw TCorruptDataError(msg::TooManyObservations());
        used += n;
    }
    long long cells_ = 0;
    long long values_ = 0;
};

// Length of the series that grouped values make: each observation repeated
// by the integer part of its frequency (below 1 or NaN: not at all), counted
// no further than the limit.
long long GroupedSeriesLength(const std::vector<double>& observations, const std::vector<double>& counts,
                              long long limit) {
    long long total = 0;
    for (std::size_t i = 0; i < observations.size() && total <= limit; ++i) {
        const double f = i < counts.size() ? counts[i] : 0.0;
        if (!(f >= 1.0)) continue;
        total += f > static_cast<double>(limit) ? limit + 1 : static_cast<long long>(std::floor(f));
    }
    return total;
}

// The series of a Type A record, read into copies of the quantity's arrays
// (sized by its count and schema) and handed to it once the record is read.
struct TPendingReadings {
    bool Read = false;
    std::vector<double> Observations, RowValues;
};

long long ReadField(const TQuantityField& f, TSectionReader& in, TGumParam& q, LoadBudget& budget,
                    TPendingReadings& series) {
    switch (f.Type) {
        case TFieldType::Code:
        case TFieldType::Flag:
        case TFieldType::Byte: {
            const std::uint8_t v = in.U8();
            SetNumber(q, f.Id, v);
            return v;
        }
        case TFieldType::Int32: {
            const std::int32_t v = in.I32();
            if (f.Id == TField::ObservationCount) {
                // The count goes first so that the arrays have their sizes
                // before the series are stored into them.
                const int n = std::clamp(v, kMinObservationCount, kMaxObservationCount);
                budget.TakeCells(2LL * n);
                SetNumber(q, f.Id, n);
            } else {
                SetNumber(q, f.Id, v);
            }
            return v;
        }
        case TFieldType::Real:
            SetReal(q, f.Id, in.F64());
            break;
        case TFieldType::Text:
            TextOf(q, f.Id) = in.Text(f.Capacity);
            break;
        case TFieldType::Series:
            if (!series.Read) series = {true, q.Observations, q.RowValues};
            in.SeriesInto(f.Id == TField::RowValues ? series.RowValues : series.Observations);
            break;
        case TFieldType::TextList: {
            const std::int32_t columns = in.Count(f.Capacity.Width);
            std::vector<std::string> names;
            names.reserve(static_cast<std::size_t>(columns));
            for (std::int32_t c = 0; c < columns; ++c) names.push_back(in.Text(f.Capacity));
            budget.TakeCells(static_cast<long long>(q.ObservationCount) * columns);
            q.SetSchemaColumns(std::move(names));
            break;
        }
    }
    return 0;
}

// After a Type A record: the series it makes must fit what the file may
// make the loader compute; then the quantity takes its readings (and
// computes its statistics and an indirect schema's rows; a schema that does
// not evaluate leaves its rows at 0, for the user to mend the formula).
void FinishTypeA(TPendingReadings& series, TGumParam& q, LoadBudget& budget) {
    if (!series.Read) return;
    if (q.AMethod == am_Indirect)
        budget.TakeSeriesValues(q.ObservationCount);
    else if (q.AValueType == av_Grouped)
        budget.TakeSeriesValues(GroupedSeriesLength(series.Observations, series.RowValues, kMaxLoadedSeriesValues));
    else
        budget.TakeSeriesValues(static_cast<long long>(series.Observations.size()));
    q.SetReadings(series.Observations, series.RowValues);
}

}  // namespace

void WriteQuantitiesSection(const TGumModel& model, TSectionWriter& out) {
    out.I32(model.Params.Count());
    for (const auto& q : model.Params)
        WalkQuantityRecord([&](const TQuantityField& f) { return WriteField(f, *q, out); });
    for (const auto& q : model.Params) out.Comment(q->Comment);
}

void ReadQuantitiesSection(TSectionReader& in, TGumModel& model) {
    const std::int32_t count = in.Count(kMinQuantityRecord);
    const int first = model.Params.Count();
    LoadBudget budget;
    for (std::int32_t k = 0; k < count; ++k) {
        TGumParam& q = *model.Params.Add();
        TPendingReadings series;
        WalkQuantityRecord([&](const TQuantityField& f) { return ReadField(f, in, q, budget, series); });
        FinishTypeA(series, q, budget);
    }
    // Comments may be missing at the end: the remaining ones stay empty.
    for (std::int32_t k = 0; k < count && !in.AtEnd(); ++k) model.Params.Get(first + k)->Comment = in.Comment();
}

}  // namespace vormid
