#pragma once
// One quantity of the measurement model (TGumParam) and the owning, ordered
// list of quantities (TGumParams). Plain data with small operations: the
// pages of the window write the fields directly, one field per control; the
// model file stores them; the budget calculation reads the derived values
// (Value, StdUncertainty, DOF) of every input.
//
// The statistics of a Type A quantity are its own invariant: every setter
// of its readings, count, method, value kind or schema recomputes them, so
// that no reader of the model ever sees statistics of other readings.
//
// Texts are bytes in the Windows-1251 code page; the two comments hold the
// rich text exactly as the editor saved it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/FormatSettings.h"
#include "core/GumTypes.h"
#include "core/Statistics.h"
#include "core/TextFields.h"

namespace vormid {

class TGumParams;

// Bounds that keep a quantity within what the model file can hold, so that a
// saved and reopened model computes the same budgets.
constexpr int kMinObservationCount = 1;
constexpr int kMaxObservationCount = 10000;
constexpr int kMaxTypeBDof = 100;  // the file keeps a Type B nu in one byte
constexpr int kMaxDecimals = 255;  // the file keeps Decimals in one byte
// A grouped series (value repeated by its frequency) longer than this is not
// built: a damaged frequency must not allocate without bound.
constexpr long long kMaxGroupedSeriesLength = 10000000;
// A schema line and the schema formula are fixed text fields of the model
// file: longer text would be cut there.
constexpr std::size_t kMaxSchemaTextBytes = kText101.Text;

class TGumParam {
public:
    // All defaults; the five result-format defaults are copied from the
    // owner's number-format settings (built-in defaults when owner is null or
    // has no settings).
    explicit TGumParam(TGumParams* owner = nullptr);

    // The kind setter: stores the kind; becoming TypeA builds the arrays
    // unless they already have the shape of the Type A fields (a quantity
    // that was Type A before keeps its readings: the caller decides, with
    // HasEnteredObservations, whether to clear them); a TypeB quantity has
    // its DegreesOfFreedom held within 0..100.
    void SetKind(TParamKind kind);
    // TypeA only (otherwise nothing): stores n held within 1..10000. The
    // readings and counts of the measurements that still exist are kept;
    // new measurements read 0 with count 1 (see CountChangeDropsObservations).
    void SetObservationCount(int n);
    // TypeA only, m in {0, 1} and different from the current method: stores
    // m and rebuilds the arrays. Other calls do nothing.
    void SetAMethod(std::uint8_t m);
    // Replaces the schema column list as a whole (for readers of stored
    // models); any change to the list rebuilds the arrays of a TypeA
    // quantity (the readings are discarded). Editors use the line
    // operations below, which keep the readings.
    void SetSchemaColumns(std::vector<std::string> columns);
    // Single values or grouped values (av_*); the arrays keep their shape.
    void SetAValueType(std::uint8_t type);
    // The schema formula, held to kMaxSchemaTextBytes.
    void SetSchemaFormula(std::string formula);

    // Entered observations across changes of shape. "Entered" means a
    // reading that is not 0, or (grouped values) a count that is not 1:
    // what a fresh array does not hold. Computed indirect observations are
    // never entered data.
    //
    // Readings per measurement: 1 direct, the number of schema lines
    // indirect (0 while the schema is empty).
    int ReadingsPerMeasurement() const;
    bool HasEnteredObservations() const;
    // True when SetObservationCount(n) would drop an entered reading or
    // count, i.e. of a measurement numbered above n.
    bool CountChangeDropsObservations(int n) const;
    // Every reading 0 and every count 1, the shape kept.
    void ClearObservations();
    // TypeA whose arrays have its shape: a new measurement (readings 0,
    // count 1) before measurement j (0..n), or measurement j (0..n-1) taken
    // out; n follows (within 1..10000) and the measurements below move with
    // their readings. The statistics are recomputed. False (nothing done)
    // otherwise.
    bool InsertMeasurement(int j);
    bool DeleteMeasurement(int j);
    // Schema lines, 0-based; out-of-range lines do nothing. Texts are held to
    // kMaxSchemaTextBytes. On an indirect TypeA quantity the readings follow
    // the lines: adding inserts a 0 into every measurement, deleting removes
    // the line's readings, swapping exchanges them, renaming keeps them.
    void InsertSchemaLine(int line, std::string text);
    void DeleteSchemaLine(int line);
    void RenameSchemaLine(int line, std::string text);
    void SwapSchemaLines(int a, int b);
    // True when a reading of the line is entered.
    bool SchemaLineHasObservations(int line) const;
    // Stores nu; a TypeB quantity holds it within 0..100.
    void SetDegreesOfFreedom(int nu);
    // Stores the number of decimals held within 0..255.
    void SetDecimals(int decimals);

    // Element access. A read outside the array gives 0, a write does nothing.
    double GetObservation(int i) const;
    void SetObservation(int i, double x);
    double GetRowValue(int i) const;
    void SetRowValue(int i, double x);
    // All readings at once, for loaders and pastes: element k of each array
    // is replaced by element k of the value given, as far as both reach;
    // the statistics are recomputed once.
    void SetReadings(const std::vector<double>& observations, const std::vector<double>& rowValues);

    // Indirect: evaluates SchemaFormula for every row into RowValues; then
    // builds the series and computes Statistics. Never throws. False when the
    // schema formula did not compile, an evaluation reported an error, a name
    // of the formula was no column of the schema, or a grouped series would
    // exceed kMaxGroupedSeriesLength (Statistics is then emptied). The
    // setters call it; SeriesComplete tells what its last call returned.
    bool RecomputeStatistics();
    bool SeriesComplete() const { return SeriesComplete_; }
    // The series that RecomputeStatistics hands to the statistics (unsorted):
    // direct single values: Observations; direct grouped values: each
    // observation repeated by the integer part of its RowValues frequency
    // (a frequency below 1 or NaN counts as 0); indirect: RowValues.
    // A grouped series longer than kMaxGroupedSeriesLength is returned empty
    // and *complete (when given) is set false.
    std::vector<double> BuildSeries(bool* complete = nullptr) const;

    // Derived values, defined for every kind. They never throw; a quantity
    // whose parameters cannot give a value (a zero coverage factor, an
    // unknown evaluation kind or distribution code) gives a non-finite
    // uncertainty, which the budget calculation reports.
    double Value() const;
    double StdUncertainty() const;
    int DOF() const;                     // kInfiniteDof (-1) stands for infinity
    double RelativeUncertainty() const;  // |100 u / x|, 0 for x = 0
    double LowerValue() const { return Value() - StdUncertainty(); }
    double UpperValue() const { return Value() + StdUncertainty(); }
    double DoubleUncertainty() const { return 2.0 * StdUncertainty(); }
    // The distribution the quantity's uncertainty follows: normal for Type A
    // and for a stated expanded or standard uncertainty, rectangular for an
    // error bound, the chosen one for an interval. A stored Distribution may
    // still hold an earlier choice for the first three evaluation kinds.
    TDistribution EffectiveDistribution() const;

    // Field by field, the arrays and the statistics included (an edit's
    // undo step compares quantities this way).
    bool operator==(const TGumParam&) const = default;

    TGumParams* Owner = nullptr;
    std::string Name;
    std::string Description;
    std::string Comment;        // rich text of the quantity's comment
    std::string BudgetComment;  // rich text shown under a result's budget
    std::string Units;
    TParamKind Kind = TParamKind::Undefined;
    std::uint8_t ResultFormat = 0;    // 0 absolute, 1 relative, 2 relative in %
    std::uint8_t CoverageMethod = 0;  // 0 standard, 1 normal, 2 t, 3 entered
    double CoverageFactor = 2.0;
    double CoverageProbability = 95.0;  // per cent
    int SignificantDigits = 3;
    std::string ValueFormat = "0.000";
    bool ValueExpFormat = true;
    std::string UncertaintyFormat = "0.000";
    bool UncertaintyExpFormat = true;
    std::uint8_t AMethod = am_Direct;
    int ObservationCount = 10;
    std::vector<double> Observations;
    std::vector<double> RowValues;
    int Decimals = 3;
    std::vector<std::string> SchemaColumns;
    std::string SchemaFormula;
    std::uint8_t AValueType = 0;          // 0 single values, 1 grouped values
    std::uint8_t AUncertaintySource = 0;  // 0 from the observations, 1 entered
    std::uint8_t AEvalType = 0;           // 0 expanded, 1 std deviation, 2 std uncertainty
    std::uint8_t ASUType = 0;             // 0 std deviation of the mean, 1 enlarged
    double StatedValue = 0.0;
    std::string StatedValueText;
    bool InPercent = false;
    int DegreesOfFreedom = 9;
    std::uint8_t BEvalType = 0;  // 0 expanded, 1 standard, 2 bound, 3 interval
    TDistribution Distribution = dc_Rectangle;
    TLgLimit LimitSide = ll_Bottom;
    double BValue = 0.0;
    std::string BValueText;
    double BParam2 = 0.0;
    std::string BParam2Text;
    std::uint8_t Reliability = 0;  // per cent; 0 means not given
    double ConstValue = 0.0;
    std::string ConstValueText;
    bool Unconfirmed = false;
    int RowOffset = 0;
    SeriesStatistics Statistics;

private:
    bool SeriesComplete_ = true;
    // Recomputes the statistics of a TypeA quantity.
    void Refresh();
    void RebuildArrays();
    bool ArraysFitShape() const;
    double TypeAUncertainty() const;
    double TypeBUncertainty() const;
    int TypeBDof() const;
    bool EvaluateSchema();
};

// The schema line a name of the schema formula reads: its characters from
// the second on (at most ten) are the 1-based line number, whatever the
// first letter ("x1", "A12"); 0 for a name that is no line of a schema of
// `columns` lines.
long long SchemaColumnOf(const std::string& name, std::size_t columns);

// Value shift of a log-normal interval: the mean exp(q + p^2/2) of the
// log-normal distribution with shape p and scale q.
double LogNormalMean(double p, double q);
// Degrees of freedom from a relative reliability r in per cent:
// kInfiniteDof for r = 0, else the integer part of 1 / (2 (r/100)^2), at
// least 1.
int DofFromReliability(int r);

class TGumParams {
public:
    // settings: the number-format settings that new quantities copy; null
    // means the built-in defaults. The pointer is not owned.
    explicit TGumParams(const TNumberFormatSettings* settings = nullptr) : Settings_(settings) {}
    TGumParams(const TGumParams&) = delete;
    TGumParams& operator=(const TGumParams&) = delete;

    const TNumberFormatSettings* Settings() const { return Settings_; }

    int Count() const { return static_cast<int>(Items_.size()); }
    // The quantity at index, or nullptr past either end.
    TGumParam* Get(int index) const;
    // The first quantity whose Name equals name byte for byte, or nullptr.
    TGumParam* FindByName(const std::string& name) const;
    // Index of the quantity in the list, or -1.
    int IndexOf(const TGumParam* param) const;
    // A new quantity with defaults, appended; never null.
    TGumParam* Add();
    // Destroys and removes the quantity at index; nothing for a bad index.
    void Delete(int index);
    void Clear() { Items_.clear(); }
    // Moves the quantity at from to position to (both within the list);
    // nothing for a bad index.
    void Move(int from, int to);
    // Removes the quantity at index from the list and hands it over (null
    // for a bad index); the caller may Append it again later.
    std::unique_ptr<TGumParam> Take(int index);
    // Appends a quantity taken earlier, owned by this list from now on;
    // returns it (null when param is null).
    TGumParam* Append(std::unique_ptr<TGumParam> param);
    // Sets Unconfirmed on every quantity.
    void MarkAll();
    // Deletes, from the last to the first, every quantity with Unconfirmed.
    void DeleteMarked();

    auto begin() const { return Items_.begin(); }
    auto end() const { return Items_.end(); }

private:
    const TNumberFormatSettings* Settings_ = nullptr;
    std::vector<std::unique_ptr<TGumParam>> Items_;
};

}  // namespace vormid
