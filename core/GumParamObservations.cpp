// Keeping what the user entered when the shape of a Type A quantity changes:
// the number of measurements and the lines of the schema. Readings are
// discarded only where their meaning is gone (a measurement or line that no
// longer exists), and the editors ask before that happens.
#include <algorithm>

#include "core/GumParam.h"

namespace vormid {

namespace {

std::string Clip(std::string text) {
    if (text.size() > kMaxSchemaTextBytes) text.resize(kMaxSchemaTextBytes);
    return text;
}

}  // namespace

int TGumParam::ReadingsPerMeasurement() const {
    return AMethod == am_Direct ? 1 : static_cast<int>(SchemaColumns.size());
}

bool TGumParam::ArraysFitShape() const {
    const std::size_t n = static_cast<std::size_t>(std::clamp(ObservationCount, 0, kMaxObservationCount));
    if (RowValues.size() != n) return false;
    if (AMethod != am_Direct && SchemaColumns.empty()) return true;  // readings left as they were
    return Observations.size() == n * static_cast<std::size_t>(ReadingsPerMeasurement());
}

bool TGumParam::CountChangeDropsObservations(int n) const {
    if (Kind != TParamKind::TypeA) return false;
    const int count = std::clamp(n, kMinObservationCount, kMaxObservationCount);
    const int m = ReadingsPerMeasurement();
    const auto first = static_cast<std::size_t>(count) * static_cast<std::size_t>(m);
    for (std::size_t i = first; i < Observations.size() && m > 0; ++i)
        if (Observations[i] != 0.0) return true;
    if (AMethod == am_Direct && AValueType == av_Grouped)
        for (std::size_t i = static_cast<std::size_t>(count); i < RowValues.size(); ++i)
            if (RowValues[i] != 1.0) return true;
    return false;
}

bool TGumParam::HasEnteredObservations() const {
    if (AMethod != am_Direct && SchemaColumns.empty()) return false;
    if (std::any_of(Observations.begin(), Observations.end(), [](double x) { return x != 0.0; })) return true;
    return AMethod == am_Direct && AValueType == av_Grouped &&
           std::any_of(RowValues.begin(), RowValues.end(), [](double c) { return c != 1.0; });
}

void TGumParam::ClearObservations() {
    std::fill(Observations.begin(), Observations.end(), 0.0);
    std::fill(RowValues.begin(), RowValues.end(), 1.0);
    Refresh();
}

bool TGumParam::InsertMeasurement(int j) {
    if (Kind != TParamKind::TypeA || !ArraysFitShape() || j < 0 || j > ObservationCount ||
        ObservationCount >= kMaxObservationCount)
        return false;
    const auto m = static_cast<std::ptrdiff_t>(ReadingsPerMeasurement());
    if (static_cast<std::ptrdiff_t>(Observations.size()) >= j * m)
        Observations.insert(Observations.begin() + j * m, static_cast<std::size_t>(m), 0.0);
    RowValues.insert(RowValues.begin() + j, 1.0);
    ++ObservationCount;
    RecomputeStatistics();
    return true;
}

bool TGumParam::DeleteMeasurement(int j) {
    if (Kind != TParamKind::TypeA || !ArraysFitShape() || j < 0 || j >= ObservationCount ||
        ObservationCount <= kMinObservationCount)
        return false;
    const auto m = static_cast<std::ptrdiff_t>(ReadingsPerMeasurement());
    if (static_cast<std::ptrdiff_t>(Observations.size()) >= (j + 1) * m)
        Observations.erase(Observations.begin() + j * m, Observations.begin() + (j + 1) * m);
    RowValues.erase(RowValues.begin() + j);
    --ObservationCount;
    RecomputeStatistics();
    return true;
}

bool TGumParam::SchemaLineHasObservations(int line) const {
    const int m = static_cast<int>(SchemaColumns.size());
    if (AMethod == am_Direct || line < 0 || line >= m) return false;
    for (std::size_t i = static_cast<std::size_t>(line); i < Observations.size(); i += static_cast<std::size_t>(m))
        if (Observations[i] != 0.0) return true;
    return false;
}

void TGumParam::InsertSchemaLine(int line, std::string text) {
    const int m = static_cast<int>(SchemaColumns.size());
    if (line < 0 || line > m) return;
    const bool follow = Kind == TParamKind::TypeA && AMethod == am_Indirect && ArraysFitShape();
    SchemaColumns.insert(SchemaColumns.begin() + line, Clip(std::move(text)));
    if (Kind != TParamKind::TypeA || AMethod != am_Indirect) return;
    if (!follow || m == 0) {
        // The readings of an empty schema belong to no line.
        RebuildArrays();
        Refresh();
        return;
    }
    const auto n = static_cast<std::size_t>(ObservationCount);
    const auto oldM = static_cast<std::size_t>(m);
    std::vector<double> readings(n * (oldM + 1), 0.0);
    for (std::size_t j = 0; j < n; ++j)
        for (std::size_t c = 0; c < oldM; ++c)
            readings[j * (oldM + 1) + c + (c >= static_cast<std::size_t>(line) ? 1 : 0)] = Observations[j * oldM + c];
    Observations = std::move(readings);
    Refresh();
}

void TGumParam::DeleteSchemaLine(int line) {
    const int m = static_cast<int>(SchemaColumns.size());
    if (line < 0 || line >= m) return;
    const bool follow = Kind == TParamKind::TypeA && AMethod == am_Indirect && ArraysFitShape();
    SchemaColumns.erase(SchemaColumns.begin() + line);
    if (Kind != TParamKind::TypeA || AMethod != am_Indirect) return;
    if (!follow) {
        RebuildArrays();
        Refresh();
        return;
    }
    const auto oldM = static_cast<std::size_t>(m);
    std::vector<double> readings;
    readings.reserve(Observations.size() - Observations.size() / oldM);
    for (std::size_t i = 0; i < Observations.size(); ++i)
        if (i % oldM != static_cast<std::size_t>(line)) readings.push_back(Observations[i]);
    Observations = std::move(readings);
    Refresh();
}

void TGumParam::RenameSchemaLine(int line, std::string text) {
    if (line < 0 || line >= static_cast<int>(SchemaColumns.size())) return;
    SchemaColumns[static_cast<std::size_t>(line)] = Clip(std::move(text));
    Refresh();
}

void TGumParam::SwapSchemaLines(int a, int b) {
    const int m = static_cast<int>(SchemaColumns.size());
    if (a < 0 || b < 0 || a >= m || b >= m || a == b) return;
    std::swap(SchemaColumns[static_cast<std::size_t>(a)], SchemaColumns[static_cast<std::size_t>(b)]);
    if (Kind != TParamKind::TypeA || AMethod != am_Indirect) return;
    if (!ArraysFitShape()) {
        RebuildArrays();
        Refresh();
        return;
    }
    for (std::size_t j = 0; j + static_cast<std::size_t>(m) <= Observations.size(); j += static_cast<std::size_t>(m))
        std::swap(Observations[j + static_cast<std::size_t>(a)], Observations[j + static_cast<std::size_t>(b)]);
    Refresh();
}

}  // namespace vormid
