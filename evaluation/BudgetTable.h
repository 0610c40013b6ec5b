#pragma once
// The rules of the budget table, once for every form that shows it: the
// window paints these cells, the command-line tool prints them.
//
// A cell is handed out in pieces, never as finished text: a number is its
// mantissa, its exponent (drawn raised after the mantissa) and a suffix
// (written after a blank), so that each form draws them its own way. Model
// text (names, units, suffixes) stays Windows-1251 markup; the program's
// own words (headers, labels, captions) are UTF-8.
#include <array>
#include <string>
#include <vector>

#include "core/Budget.h"
#include "core/Correlation.h"
#include "core/FormatSettings.h"
#include "core/GumParam.h"
#include "core/NumberFormat.h"
#include "evaluation/Coverage.h"
#include "evaluation/QuantityIndex.h"
#include "core/DisplayState.h"

namespace vormid {

constexpr int kBudgetTableColumns = kBudgetColumnCount;
constexpr int kBudgetUnitsColumn = 1;
constexpr int kBudgetGraphColumn = 11;
// Degrees of freedom above this are drawn as infinite.
constexpr int kLargestShownDof = 10000;

enum class TBudgetCellKind {
    Empty,
    Name,    // Markup: a quantity's name (bold) or units
    Text,    // Text: the program's words (a caption, a label, " -")
    Number,  // Prefix, Number, Suffix
    Dof,     // Dof, or infinite
    Bar,     // BarValue of BarLargest
};

struct TBudgetCell {
    TBudgetCellKind Kind = TBudgetCellKind::Empty;
    std::string Markup;  // Windows-1251 markup (Name)
    std::string Text;    // UTF-8 (Text), or the prefix of a Number ("± ")
    bool Bold = false;
    TFormattedNumber Number;
    std::string Suffix;  // markup written after a blank; empty: none
    int Dof = 0;
    bool Infinite = false;
    // Set on ν_eff when the budget uses a nonzero correlation coefficient,
    // which the Welch–Satterthwaite formula does not take into account.
    bool Approximate = false;
    // Set on k when it covers less than the stated P at ν_eff (a mark of
    // its own, "†").
    bool FallsShort = false;
    double BarValue = 0.0;
    double BarLargest = 0.0;

    bool operator==(const TBudgetCell&) const = default;
};

// A cell's text in the order it is drawn, each form drawing the kinds its
// own way (a bar has no text: each form draws it itself).
enum class TCellPartKind {
    Text,      // UTF-8, on the line
    Markup,    // Windows-1251 name markup, on the line
    Exponent,  // UTF-8, raised after a mantissa
    Mark,      // UTF-8, a raised sign ("*", "†") after a figure
};
struct TCellPart {
    TCellPartKind Kind;
    std::string Text;
};
std::vector<TCellPart> CellParts(const TBudgetCell& cell);

// Whether degrees of freedom are drawn as infinite: negative (the file's
// infinity), above kLargestShownDof, or 0, which the calculation counts as
// infinite too.
bool DofIsInfinite(int dof);

// Width in pixels of the bar of a graph cell whose inner width is space:
// round(space * |value| / largest), at least 1; 0 (no bar) when largest is
// not positive.
int BarWidth(double value, double largest, int space);

// k and P of the result line: exactly two decimals and a decimal comma.
std::string TwoDecimalsComma(double x);

// Header of a logical column (UTF-8); column 11 follows the graph mode.
std::string BudgetHeader(int column, bool graphShowsContribution);

// The labels of the footer's label rows (0 and 2), four segments each.
const std::array<std::string, 4>& FooterLabels(int row);

// Hint of the marked ν_eff (UTF-8).
const std::string& DofIgnoresCorrelationHint();

// The coverage of the budget's k at its ν_eff (see CoverageAtDof).
TCoverageAtDof BudgetCoverageAtDof(const TBudget& budget);
// Hint of a marked k (UTF-8): what k covers at ν_eff and the k that the
// t-distribution gives for P.
std::string CoverageFallsShortHint(const TBudget& budget);

// Whether the budget uses a correlation coefficient other than 0 between
// two of its entries.
bool BudgetUsesCorrelation(const TBudget& budget, const TCorrelation& correlations);

// The current display format of a result quantity (defaults without one).
TDisplayFormat DisplayFormatOf(const TGumParam* result);

// One budget as the table shows it under one display state.
class TBudgetTable {
public:
    // Keeps references: all must outlive the table.
    TBudgetTable(const TBudget& budget, const TQuantityIndex& quantities, const TNumberFormatSettings& settings,
                 const TDisplayState& display, const TCorrelation& correlations);

    const TBudget& Budget() const { return Budget_; }
    const TGumParam* Result() const { return Result_; }
    // The units column is shown: numbers of the entries carry no suffix.
    bool UnitsShown() const { return UnitsShown_; }
    // The visible logical columns, in logical order.
    std::vector<int> VisibleColumns() const;
    // The entries the row filter shows, in entry order.
    std::vector<const TBudgetEntry*> Rows() const;
    bool Shown(const TBudgetEntry& entry) const;
    // Kind of the entry's quantity (Undefined when there is none).
    TParamKind KindOf(const TBudgetEntry& entry) const;

    TBudgetCell Cell(const TBudgetEntry& entry, int column) const;

    // Footer rows 0 to 3 (labels, combined result, labels, result line):
    // a first cell and four segments each. The fifth row is empty.
    using TFooterRow = std::array<TBudgetCell, 5>;
    std::array<TFooterRow, 4> Footer() const;
    // The combined row's cell under the units column: the result's units
    // while that column is shown, an empty cell otherwise.
    TBudgetCell CombinedUnits() const;
    // The result line's four segments: y, ± U, k and P.
    std::array<TBudgetCell, 4> ResultLine() const;
    // The hints of the footer's marks, one line each (UTF-8).
    std::vector<std::string> FooterHints() const;

private:
    TBudgetCell Num(const TFormattedNumber& n, const std::string& suffix) const;
    // A number of the footer, which has no units column of its own: it
    // carries its units (or "%") whether the units column is shown or not.
    static TBudgetCell FooterNum(const TFormattedNumber& n, const std::string& suffix);

    const TBudget& Budget_;
    const TQuantityIndex& Quantities_;
    const TNumberFormatSettings& Settings_;
    const TDisplayState& Display_;
    const TGumParam* Result_;
    TDisplayFormat Format_;
    bool UnitsShown_;
    bool UsesCorrelation_;
    bool FallsShort_;
};

}  // namespace vormid
