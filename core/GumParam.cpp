// TGumParam: defaults, the setters that keep the arrays in shape, element
// access, the Type A series and the derived values of every kind. The Type B
// rules are in TypeBRules.cpp.
#include "core/GumParam.h"

#include <algorithm>
#include <cmath>

namespace vormid {

TGumParam::TGumParam(TGumParams* owner) : Owner(owner) {
    static const TNumberFormatSettings kBuiltIn{};
    const TNumberFormatSettings* s = (owner != nullptr && owner->Settings() != nullptr) ? owner->Settings() : &kBuiltIn;
    SignificantDigits = s->DefaultSignificantDigits;
    ValueFormat = s->DefaultValueFormat;
    ValueExpFormat = s->DefaultValueExp;
    UncertaintyFormat = s->DefaultUncertaintyFormat;
    UncertaintyExpFormat = s->DefaultUncertaintyExp;
}

void TGumParam::SetKind(TParamKind kind) {
    if (kind != Kind) {
        Kind = kind;
        // Readings kept from an earlier time as Type A are the user's; the
        // editor asks before it clears them.
        if (Kind == TParamKind::TypeA && !ArraysFitShape()) RebuildArrays();
    }
    // The file keeps a Type B nu in one byte; a value brought over from
    // Type A must not wrap there.
    if (Kind == TParamKind::TypeB) SetDegreesOfFreedom(DegreesOfFreedom);
    Refresh();
}

void TGumParam::SetObservationCount(int n) {
    if (Kind != TParamKind::TypeA) return;
    const int count = std::clamp(n, kMinObservationCount, kMaxObservationCount);
    if (!ArraysFitShape()) {
        ObservationCount = count;
        RebuildArrays();
        Refresh();
        return;
    }
    // Measurement j occupies readings j*m .. j*m+m-1, so cutting or
    // extending the tail keeps every measurement that still exists.
    ObservationCount = count;
    const auto size = static_cast<std::size_t>(count);
    const auto m = static_cast<std::size_t>(ReadingsPerMeasurement());
    if (AMethod == am_Direct || m > 0) Observations.resize(size * m, 0.0);
    RowValues.resize(size, 1.0);
    Refresh();
}

void TGumParam::SetAMethod(std::uint8_t m) {
    if (Kind != TParamKind::TypeA || m > am_Indirect || m == AMethod) return;
    AMethod = m;
    RebuildArrays();
    Refresh();
}

void TGumParam::SetSchemaColumns(std::vector<std::string> columns) {
    SchemaColumns = std::move(columns);
    if (Kind == TParamKind::TypeA) RebuildArrays();
    Refresh();
}

void TGumParam::SetAValueType(std::uint8_t type) {
    AValueType = type;
    Refresh();
}

void TGumParam::SetSchemaFormula(std::string formula) {
    if (formula.size() > kMaxSchemaTextBytes) formula.resize(kMaxSchemaTextBytes);
    SchemaFormula = std::move(formula);
    Refresh();
}

void TGumParam::Refresh() {
    if (Kind == TParamKind::TypeA) RecomputeStatistics();
}

void TGumParam::SetDegreesOfFreedom(int nu) {
    DegreesOfFreedom = (Kind == TParamKind::TypeB) ? std::clamp(nu, 0, kMaxTypeBDof) : nu;
}

void TGumParam::SetDecimals(int decimals) { Decimals = std::clamp(decimals, 0, kMaxDecimals); }

void TGumParam::RebuildArrays() {
    if (Kind != TParamKind::TypeA) return;
    // The count may have been written directly; the arrays never exceed
    // what SetObservationCount allows.
    const std::size_t n = static_cast<std::size_t>(std::clamp(ObservationCount, 0, kMaxObservationCount));
    if (AMethod == am_Direct) {
        Observations.assign(n, 0.0);
    } else if (!SchemaColumns.empty()) {
        Observations.assign(n * SchemaColumns.size(), 0.0);
    }
    RowValues.assign(n, 1.0);
}

namespace {
double ReadAt(const std::vector<double>& v, int i) {
    return (i >= 0 && static_cast<std::size_t>(i) < v.size()) ? v[static_cast<std::size_t>(i)] : 0.0;
}
void WriteAt(std::vector<double>& v, int i, double x) {
    if (i >= 0 && static_cast<std::size_t>(i) < v.size()) v[static_cast<std::size_t>(i)] = x;
}
}  // namespace

double TGumParam::GetObservation(int i) const { return ReadAt(Observations, i); }
void TGumParam::SetObservation(int i, double x) {
    WriteAt(Observations, i, x);
    Refresh();
}
double TGumParam::GetRowValue(int i) const { return ReadAt(RowValues, i); }
void TGumParam::SetRowValue(int i, double x) {
    WriteAt(RowValues, i, x);
    Refresh();
}

void TGumParam::SetReadings(const std::vector<double>& observations, const std::vector<double>& rowValues) {
    std::copy_n(observations.begin(), std::min(observations.size(), Observations.size()), Observations.begin());
    std::copy_n(rowValues.begin(), std::min(rowValues.size(), RowValues.size()), RowValues.begin());
    Refresh();
}

}  // namespace vormid
