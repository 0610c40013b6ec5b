// The budget table's cells, row filter, footer and result line, as pieces.
#include <gtest/gtest.h>

#include <clocale>

#include "evaluation/BudgetTable.h"
#include "ModelBuilder.h"

namespace vormid {
namespace {

using test::Entry;
using test::TModel;

// Y = A * B + K with A Type A, B Type B, K a constant and V an intermediate.
struct Fixture {
    TModel m;
    TDisplayState display;
    const TBudget* budget = nullptr;
    std::unique_ptr<TQuantityIndex> index;

    explicit Fixture(double rAB = 0.0) {
        m.Result("Y", "m");
        m.TypeA("A", 2.0, 0.1, 9).Units = "m";
        m.TypeB("B", 3.0, 0.2, 0).Units = "1";  // nu = 0 counts as infinite
        m.Const("K", 1.5, "m");
        m.Var("V", "m");
        m.Equation({"Y = V + K", "V = A*B"});
        if (rAB != 0.0) m.Correlate("A", "B", rAB);
        budget = &m.Run("Y");
        index = std::make_unique<TQuantityIndex>(m.M.Params);
    }
    TBudgetTable Table() const { return TBudgetTable(*budget, *index, m.M.FormatSettings, display, m.M.Correlations); }
    TBudgetCell Cell(const char* entry, int column) const { return Table().Cell(Entry(*budget, entry), column); }
};

std::vector<std::string> RowNames(const TBudgetTable& t) {
    std::vector<std::string> names;
    for (const TBudgetEntry* e : t.Rows()) names.push_back(e->Name);
    return names;
}

TEST(BudgetTableCells, InputRowsCarryPiecesAndSuffixesOnlyWithoutTheUnitsColumn) {
    Fixture f;
    ASSERT_EQ(f.budget->ErrorCode, NoError);
    const TBudgetCell value = f.Cell("A", 2);
    EXPECT_EQ(value.Kind, TBudgetCellKind::Number);
    EXPECT_EQ(value.Number.Mantissa, "2,000");  // the decimals u = 0,100 shows
    EXPECT_EQ(value.Suffix, "m");
    EXPECT_EQ(f.Cell("A", 5).Text, "Нормално");
    EXPECT_EQ(f.Cell("A", 6).Dof, 9);
    EXPECT_FALSE(f.Cell("A", 6).Infinite);
    f.display.Columns[kBudgetUnitsColumn].Hidden = false;
    EXPECT_EQ(f.Cell("A", 2).Suffix, "");
    EXPECT_EQ(f.Cell("A", 1).Markup, "m");
}

TEST(BudgetTableCells, ZeroAndNegativeDegreesOfFreedomAreInfinite) {
    Fixture f;
    EXPECT_TRUE(f.Cell("B", 6).Infinite);
    for (int dof : {-1, 0, 10001}) EXPECT_TRUE(DofIsInfinite(dof)) << dof;
    for (int dof : {1, 10000}) EXPECT_FALSE(DofIsInfinite(dof)) << dof;
}

TEST(BudgetTableCells, ConstantsAndIntermediatesLeaveTheirCellsEmpty) {
    Fixture f;
    EXPECT_EQ(f.Cell("K", 2).Kind, TBudgetCellKind::Number);
    for (int c : {3, 4, 5, 6, 7, 8, 9, 10, 11}) EXPECT_EQ(f.Cell("K", c).Kind, TBudgetCellKind::Empty) << c;
    for (int c : {2, 3, 4, 6}) EXPECT_NE(f.Cell("V", c).Kind, TBudgetCellKind::Empty) << c;
    for (int c : {5, 7, 8, 9, 10, 11}) EXPECT_EQ(f.Cell("V", c).Kind, TBudgetCellKind::Empty) << c;
}

TEST(BudgetTableCells, RelativeUncertaintyZeroIsADash) {
    Fixture f;
    TBudget b;
    TBudgetEntry* e = b.FindEntry("A", false);
    e->RelUncertainty = 0.0;
    const TBudgetTable t(b, *f.index, f.m.M.FormatSettings, f.display, f.m.M.Correlations);
    EXPECT_EQ(t.Cell(*e, 4).Text, " -");
}

TEST(BudgetTableRows, FilterDropsConstantsAndIntermediatesButNotTheFooter) {
    Fixture f;
    EXPECT_EQ(RowNames(f.Table()).size(), 4u);
    const auto footer = f.Table().Footer();
    f.display.ShowConstants = false;
    EXPECT_EQ(RowNames(f.Table()), (std::vector<std::string>{"V", "A", "B"}));
    f.display.ShowVarResults = false;
    EXPECT_EQ(RowNames(f.Table()), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(f.Table().Footer(), footer);
}

TEST(BudgetTableRows, VisibleColumnsOfANewModel) {
    Fixture f;
    EXPECT_EQ(f.Table().VisibleColumns(), (std::vector<int>{0, 2, 3, 5, 6, 7, 8, 11}));
}

TEST(BudgetTableGraph, BarsFollowTheGraphModeAndHeader) {
    Fixture f;
    EXPECT_EQ(f.Cell("A", 11).BarLargest, f.budget->MaxContribution);
    f.display.ChartShowsContribution = false;
    EXPECT_EQ(f.Cell("A", 11).BarLargest, f.budget->MaxIndex);
    EXPECT_EQ(BudgetHeader(11, false), "Дисп. индекс (граф.)");
    f.display.ChartShowsContribution = true;
    EXPECT_EQ(f.Cell("A", 11).BarValue, Entry(*f.budget, "A").Contribution);
    EXPECT_EQ(BudgetHeader(11, true), "Принос (граф.)");
}

TEST(BudgetTableGraph, BarWidths) {
    struct Row {
        const char* name;
        double value, largest;
        int space, width;
    };
    const Row rows[] = {{"full", 2, 2, 100, 100},     {"half", 1, 2, 100, 50},      {"tiny", 1e-9, 2, 100, 1},
                        {"negative", -1, 2, 100, 50}, {"no largest", 1, 0, 100, 0}, {"no room", 1, 1, 0, 0}};
    for (const Row& r : rows) EXPECT_EQ(BarWidth(r.value, r.largest, r.space), r.width) << r.name;
}

TEST(BudgetTableFooter, ResultLineWritesKAndPWithACommaWhateverTheLocale) {
    std::setlocale(LC_ALL, "C");
    Fixture f;
    const auto line = f.Table().ResultLine();
    EXPECT_EQ(line[1].Text, "± ");
    EXPECT_EQ(line[1].Suffix, "m");
    EXPECT_EQ(line[2].Text, "2,00");
    EXPECT_EQ(line[3].Text, "95,00 %");
    const auto footer = f.Table().Footer();
    EXPECT_EQ(footer[0][2].Text, "Комб. станд. неопределеност");
    EXPECT_EQ(footer[1][0].Markup, "Y");
    EXPECT_EQ(footer[3][0].Text, "Резултат");
    EXPECT_EQ(footer[1][3].Suffix, "%");
}

// The footer has no units column: its numbers keep their units and a
// relative U its "%" when the entries' units stand in a column of their own.
TEST(BudgetTableFooter, UnitsAndPerCentStayWithTheUnitsColumnShown) {
    Fixture f;
    f.display.Columns[kBudgetUnitsColumn].Hidden = false;
    EXPECT_EQ(f.Table().Footer()[1][1].Suffix, "m");
    EXPECT_EQ(f.Table().Footer()[1][2].Suffix, "m");
    EXPECT_EQ(f.Table().ResultLine()[0].Suffix, "m");
    EXPECT_EQ(f.Table().ResultLine()[1].Suffix, "m");
    f.m.M.Params.FindByName("Y")->ResultFormat = 2;
    f.budget = &f.m.Run("Y");
    EXPECT_EQ(f.Table().ResultLine()[1].Suffix, "%");
    f.display.Columns[kBudgetUnitsColumn].Hidden = true;
    EXPECT_EQ(f.Table().ResultLine()[1].Suffix, "%");
}

// k = 2 of the standard method covers 92,7 % at ν_eff = 10, not 95 %.
TEST(BudgetTableFooter, FactorThatFallsShortOfPIsMarkedWithItsHint) {
    for (const int nu : {10, 100}) {
        TModel m;
        m.Result("Y");
        m.TypeA("A", 1.0, 0.1, nu);
        m.Equation({"Y = A"});
        const TBudget& b = m.Run("Y");
        ASSERT_EQ(b.ErrorCode, NoError);
        const TQuantityIndex index(m.M.Params);
        const TDisplayState display;
        const TBudgetTable t(b, index, m.M.FormatSettings, display, m.M.Correlations);
        EXPECT_EQ(t.ResultLine()[2].FallsShort, nu == 10) << nu;
        EXPECT_EQ(t.ResultLine()[2].Text, "2,00");
        if (nu != 10) {
            EXPECT_TRUE(t.FooterHints().empty());
            continue;
        }
        ASSERT_EQ(t.FooterHints().size(), 1u);
        EXPECT_EQ(t.FooterHints()[0],
                  "† Факторът на покриване k = 2,00 обхваща при ν_eff = 10 само 92,66 %, не 95,00 %; "
                  "t-разпределението дава за 95,00 % k = 2,23 (метод „t-разпределение“).");
    }
}

TEST(BudgetTableFooter, CorrelatedBudgetMarksItsEffectiveDegreesOfFreedom) {
    EXPECT_FALSE(Fixture().Table().Footer()[1][4].Approximate);
    Fixture f(0.5);
    EXPECT_TRUE(f.Table().Footer()[1][4].Approximate);
    EXPECT_FALSE(DofIgnoresCorrelationHint().empty());
}

}  // namespace
}  // namespace vormid

#include "evaluation/SeriesCorrelation.h"

namespace vormid {
namespace {

TEST(SeriesCorrelation, FromTwoSeries) {
    struct Row {
        const char* name;
        std::vector<double> x, y;
        std::optional<double> r;
    };
    const Row rows[] = {
        {"1,2,3 and 2,4,6", {1, 2, 3}, {2, 4, 6}, 1.0},
        {"opposite", {1, 2, 3}, {3, 2, 1}, -1.0},
        {"different lengths", {1, 2, 3}, {1, 2}, std::nullopt},
        {"zero deviation", {1, 1, 1}, {1, 2, 3}, std::nullopt},
        {"one value", {1}, {2}, std::nullopt},
    };
    for (const Row& row : rows) {
        const auto r = SeriesCorrelation(row.x, row.y);
        ASSERT_EQ(r.has_value(), row.r.has_value()) << row.name;
        if (r) {
            EXPECT_NEAR(*r, *row.r, 1e-12) << row.name;
        }
    }
}

TEST(SeriesCorrelation, DirectSeriesAreTheEnteredValues) {
    TGumParam a, b;
    a.SetKind(TParamKind::TypeA);
    b.SetKind(TParamKind::TypeA);
    a.SetObservationCount(3);
    b.SetObservationCount(3);
    for (int i = 0; i < 3; ++i) a.SetObservation(i, i + 1), b.SetObservation(i, 2 * (i + 1));
    ASSERT_TRUE(CanCorrelateSeries(a, b));
    EXPECT_NEAR(*SeriesCorrelation(CorrelationSeries(a), CorrelationSeries(b)), 1.0, 1e-12);
}

}  // namespace
}  // namespace vormid

#include "evaluation/BudgetTableWidths.h"

namespace vormid {
namespace {

TEST(BudgetTableWidths, ByTableSharesTheClientWidthLastTakesTheRest) {
    EXPECT_EQ(TableWidths(100, 3), (std::vector<int>{33, 33, 34}));
    EXPECT_TRUE(TableWidths(100, 0).empty());
    TDisplayState d;  // a new model: mode 2, eight columns shown
    EXPECT_EQ(ColumnWidths(d, 800).size(), 8u);
}

TEST(BudgetTableWidths, SharedWidthsLeaveRoomForTheWidestTexts) {
    // One wide column keeps what it needs; the others share the rest.
    EXPECT_EQ(TableWidths(400, {50, 190, 50, 50}), (std::vector<int>{70, 190, 70, 70}));
    // A second one becomes too wide once the first took its room.
    EXPECT_EQ(TableWidths(400, {50, 190, 80, 20}), (std::vector<int>{65, 190, 80, 65}));
    // Not enough room: every column as wide as it needs, the sum wider.
    EXPECT_EQ(TableWidths(100, {60, 70}), (std::vector<int>{60, 70}));
    // Room for all: equal shares, the last taking the remainder.
    EXPECT_EQ(TableWidths(100, {10, 10, 10}), (std::vector<int>{33, 33, 34}));
    TDisplayState d;
    std::array<int, kBudgetColumnCount> least{};
    least[3] = 200;
    d.ColumnWidthMode = cw_None;
    const auto w = ColumnWidths(d, 800, least);
    EXPECT_NE(std::find(w.begin(), w.end(), 200), w.end());  // a column never sized by the user
}

TEST(BudgetTableWidths, ByDataAddsTheMarginsAndSizesTheGraph) {
    TDisplayState d;
    d.ColumnWidthMode = cw_ByData;
    std::array<int, kBudgetColumnCount - 1> widest{};
    widest.fill(50);
    FitDataWidths(widest, d);
    EXPECT_EQ(d.Columns[0].FittedWidth, 57);
    EXPECT_EQ(d.Columns[2].FittedWidth, 58);
    // visible 0,2,3,5,6,7,8 and 11 (64): S = 57 + 6*58 + 64 = 469; |469 - (57 + 58 + 573)| = 219
    EXPECT_EQ(d.Columns[11].FittedWidth, 219);
    EXPECT_EQ(ColumnWidths(d, 0).back(), 219);
}

}  // namespace
}  // namespace vormid

namespace vormid {
namespace {

// The GUM's Annex H.3, calibration of a thermometer: the correction at
// t = 30 °C from the least-squares line b(t) = y1 + y2 (t − t0), t0 = 20 °C,
// with y1 = −0,1712 °C, s(y1) = 0,0029 °C, y2 = 0,00218, s(y2) = 0,00067,
// r(y1, y2) = −0,930 and n − 2 = 9 degrees of freedom each. Published:
// b(30 °C) = −0,1494 °C, u = 0,0041 °C, ν = 9. The Welch–Satterthwaite sum
// takes no correlation, so ν_eff comes out 12 and the footer marks it.
TEST(WorkedExample, GumH3ThermometerCalibrationMarksItsDof) {
    TModel m;
    m.Result("B", "°C");
    m.TypeB("Y1", -0.1712, 0.0029, 9);
    m.TypeB("Y2", 0.00218, 0.00067, 9);
    m.Const("T", 30.0);
    m.Const("T0", 20.0);
    m.Equation({"B = Y1 + Y2*(T - T0)"});
    m.Correlate("Y1", "Y2", -0.930);
    const TBudget& b = m.Run("B");
    ASSERT_EQ(b.ErrorCode, NoError) << b.ErrorMessage;
    EXPECT_NEAR(b.Value, -0.1494, 1e-9);
    // The publication gives two significant digits of u.
    EXPECT_NEAR(b.CombinedUncertainty, 0.0041, 0.00005);
    EXPECT_EQ(b.EffectiveDOF, 12);
    const TQuantityIndex index(m.M.Params);
    const TDisplayState display;
    const TBudgetTable t(b, index, m.M.FormatSettings, display, m.M.Correlations);
    const TBudgetCell dof = t.Footer()[1][4];
    EXPECT_TRUE(dof.Approximate);
    EXPECT_EQ(dof.Dof, 12);
}

}  // namespace
}  // namespace vormid
