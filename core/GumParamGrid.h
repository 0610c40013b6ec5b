#pragma once
// The observation grid of a Type A quantity below the window: which columns
// the method and data kind give, what each cell shows and accepts, where
// Enter goes, and the text of copy and paste. The window's item model only
// adapts this to its views.
//
// Texts are Windows-1251 bytes like every text of the model (numbers are
// plain ASCII); the window converts clipboard text on the way in and out.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/GumParam.h"
#include "core/NumberFormat.h"

namespace vormid {

enum class TObsColumn : std::uint8_t {
    Number,       // "No": measurement number
    Value,        // direct: the reading
    Count,        // direct, grouped values: how often the value occurred
    Line,         // indirect: the schema line's text
    Reading,      // indirect: the reading of that line
    Observation,  // indirect: the observation computed from the measurement
};

struct TObsCell {
    int Row = 0;
    int Column = 0;
    bool operator==(const TObsCell&) const = default;
};

// A view of the quantity's arrays; the quantity must outlive it and its
// shape is read at every call.
class TObservationGrid {
public:
    explicit TObservationGrid(const TGumParam& q) : Q_(q) {}

    // n rows direct, m*n indirect (row r is measurement r / m, line r % m).
    int RowCount() const;
    int ColumnCount() const;
    TObsColumn Column(int column) const;
    bool Editable(int column) const;
    // The last row of each measurement of an indirect series carries the
    // observation and is drawn shaded.
    bool Shaded(int row) const;
    // Where Enter moves from a cell; the cell itself when there is nowhere
    // to go (the last row).
    TObsCell Next(TObsCell at) const;

    // What the cell shows: numbers with the quantity's decimals (exponent
    // apart, drawn raised), counts as integers, "No" only on the first row
    // of a measurement, the observation only on its last.
    TFormattedNumber DisplayText(TObsCell at, const TNumberFormatSettings& settings) const;
    // The full-precision text an editor starts from and copy writes.
    std::string EditText(TObsCell at) const;
    // The number held by a cell that shows one.
    double Number(TObsCell at) const;

private:
    bool Indirect() const { return Q_.AMethod != am_Direct; }
    int PerMeasurement() const;
    const TGumParam& Q_;
};

// A number as the user types it: "," or "." as decimal sign, an optional
// sign and exponent, blanks around it ignored, at most as long as a typed
// number the model keeps. Non-finite values and any other text give nullopt.
std::optional<double> ParseTypedNumber(std::string_view text);
// Shortest text that reads back as the same double, with ",".
std::string FullPrecisionText(double x);

// Reads text typed into an editable cell: a number for readings, a whole
// number from 0 to kMaxGroupedSeriesLength for counts. nullopt when the text
// is not acceptable there (the caller shows the text with its message).
std::optional<double> ParseCellText(const TGumParam& q, TObsCell at, std::string_view text);
// Stores a value accepted by ParseCellText and recomputes the observations
// and statistics. Cells that are not editable are left alone.
void StoreCell(TGumParam& q, TObsCell at, double value);

// Rows from top to bottom and columns from left to right (inclusive) as
// text: cells separated by tabs, rows by line feeds.
std::string CopyCells(const TGumParam& q, TObsCell topLeft, TObsCell bottomRight);

// A paste, checked before anything is stored. Each line of the text is one
// grid row from the target row down; tab-separated fields fall on the
// columns from the target column on. Fields on columns that are not
// editable ("No", the schema line, the observation) are passed over, so a
// copied block pastes back whole.
struct TPastePlan {
    enum class TStatus : std::uint8_t {
        Ok,
        Empty,           // no line with text
        NotANumber,      // BadLine / BadText name the field
        TooManyColumns,  // a line reaches past the last column
        TooManyRows,     // more measurements than kMaxObservationCount
    };
    TStatus Status = TStatus::Empty;
    int BadLine = 0;  // 1-based line of the text
    std::string BadText;
    TObsCell At;
    int NewCount = 0;                                        // measurements after the paste
    std::vector<std::vector<std::optional<double>>> Values;  // per line, per column from At
    int LastRow() const { return At.Row + static_cast<int>(Values.size()) - 1; }
};
TPastePlan PlanPaste(const TGumParam& q, TObsCell at, std::string_view text);
// Grows n when the plan needs it, stores every value and recomputes the
// statistics. Only for a plan with status Ok made for this quantity.
void ApplyPaste(TGumParam& q, const TPastePlan& plan);

}  // namespace vormid
