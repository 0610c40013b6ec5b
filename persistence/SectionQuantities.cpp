// Section 2 of a model file: the quantity records and their comments.
#include <algorithm>
#include <cmath>
#include <limits>

#include "persistence/Messages.h"
#include "persistence/ModelSections.h"
#include "persistence/PersistenceError.h"

namespace vormid {
namespace {

// name, kind, description, units: the smallest quantity record.
constexpr std::size_t kMinQuantityRecord = kText101 + 1 + kText256 + kText101;

constexpr std::uint8_t KindCode(TParamKind k) { return static_cast<std::uint8_t>(k); }

std::uint8_t ClampByte(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

void WriteResult(const TGumParam& q, TSectionWriter& out) {
    out.U8(q.ResultFormat);
    out.U8(q.CoverageMethod);
    out.F64(q.CoverageFactor);
    out.F64(q.CoverageProbability);
    out.I32(q.SignificantDigits);
    out.Text101(q.ValueFormat);
    out.Flag(q.ValueExpFormat);
    out.Text101(q.UncertaintyFormat);
    out.Flag(q.UncertaintyExpFormat);
}

void ReadResult(TSectionReader& in, TGumParam& q) {
    q.ResultFormat = in.U8();
    q.CoverageMethod = in.U8();
    q.CoverageFactor = in.F64();
    q.CoverageProbability = in.F64();
    q.SignificantDigits = in.I32();
    q.ValueFormat = in.Text101();
    q.ValueExpFormat = in.U8() != 0;
    q.UncertaintyFormat = in.Text101();
    q.UncertaintyExpFormat = in.U8() != 0;
}

void WriteTypeA(const TGumParam& q, TSectionWriter& out) {
    out.U8(q.AMethod);
    out.I32(q.ObservationCount);
    out.U8(q.AUncertaintySource);
    out.U8(ClampByte(q.Decimals));
    if (q.AUncertaintySource == 0) out.U8(q.ASUType);
    out.U8(q.AEvalType);
    out.F64(q.StatedValue);
    out.Text101(q.StatedValueText);
    if (q.AEvalType == 0) {
        out.F64(q.CoverageProbability);
        out.F64(q.CoverageFactor);
    }
    out.Flag(q.InPercent);
    out.I32(q.DegreesOfFreedom);
    if (q.AMethod == am_Direct) {
        out.U8(q.AValueType);
        out.Series(q.Observations);
        if (q.AValueType == 1) out.Series(q.RowValues);
    } else if (q.AMethod == am_Indirect) {
        if (q.SchemaColumns.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
            throw std::length_error("too many schema columns");
        out.I32(static_cast<std::int32_t>(q.SchemaColumns.size()));
        for (const auto& column : q.SchemaColumns) out.Text101(column);
        out.Text101(q.SchemaFormula);
        out.Series(q.Observations);
        out.Series(q.RowValues);
    }
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
long long GroupedSeriesLength(const TGumParam& q, long long limit) {
    long long total = 0;
    for (std::size_t i = 0; i < q.Observations.size() && total <= limit; ++i) {
        const double f = q.GetRowValue(static_cast<int>(i));
        if (!(f >= 1.0)) continue;
        total += f > static_cast<double>(limit) ? limit + 1 : static_cast<long long>(std::floor(f));
    }
    return total;
}

void ReadTypeA(TSectionReader& in, TGumParam& q, LoadBudget& budget) {
    // Method and count go through their setters so that the arrays have
    // their sizes before the series are stored into them.
    const std::uint8_t method = in.U8();
    q.SetAMethod(method);
    const std::int32_t count = in.I32();
    const int n = std::clamp(count, kMinObservationCount, kMaxObservationCount);
    budget.TakeCells(2LL * n);
    q.SetObservationCount(n);
    q.AUncertaintySource = in.U8();
    q.SetDecimals(in.U8());
    if (q.AUncertaintySource == 0) q.ASUType = in.U8();
    q.AEvalType = in.U8();
    q.StatedValue = in.F64();
    q.StatedValueText = in.Text101();
    if (q.AEvalType == 0) {
        q.CoverageProbability = in.F64();
        q.CoverageFactor = in.F64();
    }
    q.InPercent = in.U8() != 0;
    q.SetDegreesOfFreedom(in.I32());
    if (method == am_Direct) {
        q.AValueType = in.U8();
        in.SeriesInto(q.Observations);
        if (q.AValueType == 1) in.SeriesInto(q.RowValues);
        budget.TakeSeriesValues(q.AValueType == 1 ? GroupedSeriesLength(q, kMaxLoadedSeriesValues)
                                                  : static_cast<long long>(q.Observations.size()));
        q.RecomputeStatistics();
    } else if (method == am_Indirect) {
        const std::int32_t columns = in.Count(kText101);
        std::vector<std::string> names;
        names.reserve(static_cast<std::size_t>(columns));
        for (std::int32_t c = 0; c < columns; ++c) names.push_back(in.Text101());
        budget.TakeCells(static_cast<long long>(q.ObservationCount) * columns);
        q.SetSchemaColumns(std::move(names));
        q.SchemaFormula = in.Text101();
        in.SeriesInto(q.Observations);
        in.SeriesInto(q.RowValues);
        budget.TakeSeriesValues(q.ObservationCount);
        // A schema that does not evaluate leaves its rows at 0; the page
        // shows the formula for the user to mend.
        q.RecomputeStatistics();
    }
}

void WriteTypeB(const TGumParam& q, TSectionWriter& out) {
    const std::uint8_t type = q.BEvalType;
    const int dist = q.Distribution;
    const std::uint8_t dof = ClampByte(std::clamp(q.DegreesOfFreedom, 0, kMaxTypeBDof));
    out.U8(type);
    out.F64(q.BValue);
    out.Text101(q.BValueText);
    out.F64(q.StatedValue);
    out.Text101(q.StatedValueText);
    if (type == 0) {
        out.F64(q.CoverageProbability);
        out.F64(q.CoverageFactor);
    }
    if (type <= 2) out.Flag(q.InPercent);
    if (type <= 1) out.U8(dof);
    if (type == 2) out.U8(q.Reliability);
    if (type == 3) {
        out.U8(static_cast<std::uint8_t>(dist));
        if (dist == dc_Normal) out.F64(q.CoverageProbability);
        if (dist == dc_LgNormal) out.U8(static_cast<std::uint8_t>(q.LimitSide));
        if (dist == dc_LgNormal || dist == dc_DistributonT || dist == dc_Trapez) {
            out.F64(q.BParam2);
            out.Text101(q.BParam2Text);
        }
        if (dist == dc_DistributonT)
            out.U8(dof);
        else
            out.U8(q.Reliability);
    }
}

void ReadTypeB(TSectionReader& in, TGumParam& q) {
    const std::uint8_t type = in.U8();
    q.BEvalType = type;
    q.BValue = in.F64();
    q.BValueText = in.Text101();
    q.StatedValue = in.F64();
    q.StatedValueText = in.Text101();
    if (type == 0) {
        q.CoverageProbability = in.F64();
        q.CoverageFactor = in.F64();
    }
    if (type <= 2) q.InPercent = in.U8() != 0;
    if (type <= 1) q.SetDegreesOfFreedom(in.U8());
    if (type == 2) q.Reliability = in.U8();
    if (type == 3) {
        const std::uint8_t dist = in.U8();
        q.Distribution = static_cast<TDistribution>(dist);
        if (dist == dc_Normal) q.CoverageProbability = in.F64();
        if (dist == dc_LgNormal) q.LimitSide = static_cast<TLgLimit>(in.U8());
        if (dist == dc_LgNormal || dist == dc_DistributonT || dist == dc_Trapez) {
            q.BParam2 = in.F64();
            q.BParam2Text = in.Text101();
        }
        if (dist == dc_DistributonT)
            q.SetDegreesOfFreedom(in.U8());
        else
            q.Reliability = in.U8();
    }
}

}  // namespace

void WriteQuantitiesSection(const TGumModel& model, TSectionWriter& out) {
    out.I32(model.Params.Count());
    for (const auto& q : model.Params) {
        out.Text101(q->Name);
        out.U8(KindCode(q->Kind));
        out.Text256(q->Description);
        out.Text101(q->Units);
        switch (q->Kind) {
            case TParamKind::Result:
                WriteResult(*q, out);
                break;
            case TParamKind::TypeA:
                WriteTypeA(*q, out);
                break;
            case TParamKind::TypeB:
                WriteTypeB(*q, out);
                break;
            case TParamKind::Const:
                out.F64(q->ConstValue);
                out.Text101(q->ConstValueText);
                break;
            default:
                break;
        }
    }
    for (const auto& q : model.Params) out.Comment(q->Comment);
}

void ReadQuantitiesSection(TSectionReader& in, TGumModel& model) {
    const std::int32_t count = in.Count(kMinQuantityRecord);
    const int first = model.Params.Count();
    LoadBudget budget;
    for (std::int32_t k = 0; k < count; ++k) {
        TGumParam& q = *model.Params.Add();
        q.Name = in.Text101();
        const std::uint8_t kind = in.U8();
        // A code outside 1..5 has no fields of its own; the quantity is
        // left undefined for the user to choose its kind.
        q.SetKind(kind <= KindCode(TParamKind::Const) ? static_cast<TParamKind>(kind) : TParamKind::Undefined);
        q.Description = in.Text256();
        q.Units = in.Text101();
        switch (kind) {
            case KindCode(TParamKind::Result):
                ReadResult(in, q);
                break;
            case KindCode(TParamKind::TypeA):
                ReadTypeA(in, q, budget);
                break;
            case KindCode(TParamKind::TypeB):
                ReadTypeB(in, q);
                break;
            case KindCode(TParamKind::Const):
                q.ConstValue = in.F64();
                q.ConstValueText = in.Text101();
                break;
            default:
                break;
        }
    }
    // Comments may be missing at the end: the remaining ones stay empty.
    for (std::int32_t k = 0; k < count && !in.AtEnd(); ++k) model.Params.Get(first + k)->Comment = in.Comment();
}

}  // namespace vormid
