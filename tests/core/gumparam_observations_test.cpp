// Keeping entered observations when n or the schema changes, and the
// observation grid's cells, typed numbers, copy and paste.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "core/GumParam.h"
#include "core/GumParamGrid.h"

namespace vormid {
namespace {

TGumParam Direct(int n) {
    TGumParam p;
    p.SetKind(TParamKind::TypeA);
    p.SetObservationCount(n);
    return p;
}

TGumParam Schema(std::vector<std::string> lines, int n) {
    TGumParam p = Direct(n);
    p.SetAMethod(am_Indirect);
    for (std::size_t i = 0; i < lines.size(); ++i) p.InsertSchemaLine(static_cast<int>(i), lines[i]);
    return p;
}

void Fill(TGumParam& p, const std::vector<double>& v) {
    for (std::size_t i = 0; i < v.size(); ++i) p.SetObservation(static_cast<int>(i), v[i]);
}

TEST(ObservationKeeping, SchemaExampleThroughTheLineOperations) {
    TGumParam p = Schema({"A_1", "A_2"}, 3);
    p.SchemaFormula = "A2-A1";
    Fill(p, {1, 3, 2, 5, 4, 4});
    EXPECT_TRUE(p.RecomputeStatistics());
    EXPECT_EQ(p.RowValues, (std::vector<double>{2, 3, 0}));
}

// A measurement inserted or deleted in the grid: n follows, the readings
// below move with their measurements.
TEST(ObservationKeeping, InsertAndDeleteMeasurements) {
    TGumParam d = Direct(3);
    Fill(d, {1, 2, 3});
    EXPECT_TRUE(d.InsertMeasurement(1));
    EXPECT_EQ(d.ObservationCount, 4);
    EXPECT_EQ(d.Observations, (std::vector<double>{1, 0, 2, 3}));
    EXPECT_EQ(d.RowValues.size(), 4u);
    EXPECT_EQ(d.Statistics.Count, 4);
    EXPECT_TRUE(d.DeleteMeasurement(0));
    EXPECT_EQ(d.Observations, (std::vector<double>{0, 2, 3}));
    EXPECT_TRUE(d.InsertMeasurement(3));  // after the last
    EXPECT_EQ(d.Observations, (std::vector<double>{0, 2, 3, 0}));
    EXPECT_FALSE(d.InsertMeasurement(5));

    TGumParam one = Direct(1);
    EXPECT_FALSE(one.DeleteMeasurement(0));  // at least one measurement stays
    EXPECT_EQ(one.ObservationCount, 1);

    TGumParam s = Schema({"A_1", "A_2"}, 3);
    s.SchemaFormula = "A2-A1";
    Fill(s, {1, 3, 2, 5, 4, 4});
    EXPECT_TRUE(s.DeleteMeasurement(1));
    EXPECT_EQ(s.Observations, (std::vector<double>{1, 3, 4, 4}));
    EXPECT_EQ(s.RowValues, (std::vector<double>{2, 0}));
    EXPECT_TRUE(s.InsertMeasurement(0));
    EXPECT_EQ(s.Observations, (std::vector<double>{0, 0, 1, 3, 4, 4}));
    EXPECT_EQ(s.ObservationCount, 3);
}

TEST(ObservationKeeping, CountChanges) {
    TGumParam p = Direct(10);
    for (int i = 0; i < 10; ++i) p.SetObservation(i, 100 + i);
    p.AValueType = 1;
    p.SetRowValue(9, 4);
    EXPECT_FALSE(p.CountChangeDropsObservations(12));
    p.SetObservationCount(12);  // 10 -> 12 keeps the ten readings and counts
    ASSERT_EQ(p.Observations.size(), 12u);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(p.GetObservation(i), 100 + i);
    EXPECT_EQ(p.GetObservation(10), 0.0);
    EXPECT_EQ(p.GetRowValue(9), 4.0);
    EXPECT_EQ(p.GetRowValue(11), 1.0);

    EXPECT_FALSE(p.CountChangeDropsObservations(10));  // the two new ones are fresh
    EXPECT_TRUE(p.CountChangeDropsObservations(9));    // drops reading 109 and count 4
    p.SetObservation(9, 0);
    EXPECT_TRUE(p.CountChangeDropsObservations(9));  // the count is still entered
    p.AValueType = 0;
    EXPECT_FALSE(p.CountChangeDropsObservations(9));  // counts of plain values are not shown
    p.SetObservationCount(5);
    EXPECT_EQ(p.Observations, (std::vector<double>{100, 101, 102, 103, 104}));
    EXPECT_EQ(p.RowValues.size(), 5u);
}

TEST(ObservationKeeping, IndirectCountChangeKeepsWholeMeasurements) {
    TGumParam p = Schema({"a", "b"}, 3);
    Fill(p, {1, 2, 3, 4, 5, 6});
    EXPECT_TRUE(p.CountChangeDropsObservations(2));
    EXPECT_FALSE(p.CountChangeDropsObservations(3));
    p.SetObservationCount(4);
    EXPECT_EQ(p.Observations, (std::vector<double>{1, 2, 3, 4, 5, 6, 0, 0}));
    p.SetObservationCount(2);
    EXPECT_EQ(p.Observations, (std::vector<double>{1, 2, 3, 4}));
}

TEST(ObservationKeeping, SchemaLineChanges) {
    TGumParam p = Schema({"a", "b"}, 3);
    Fill(p, {1, 2, 3, 4, 5, 6});

    p.RenameSchemaLine(1, "b_2");
    EXPECT_EQ(p.SchemaColumns, (std::vector<std::string>{"a", "b_2"}));
    EXPECT_EQ(p.Observations, (std::vector<double>{1, 2, 3, 4, 5, 6}));

    p.SwapSchemaLines(0, 1);  // moving a line moves its readings
    EXPECT_EQ(p.SchemaColumns, (std::vector<std::string>{"b_2", "a"}));
    EXPECT_EQ(p.Observations, (std::vector<double>{2, 1, 4, 3, 6, 5}));

    p.InsertSchemaLine(2, "c");  // a new line reads 0 in every measurement
    EXPECT_EQ(p.Observations, (std::vector<double>{2, 1, 0, 4, 3, 0, 6, 5, 0}));
    EXPECT_FALSE(p.SchemaLineHasObservations(2));
    EXPECT_TRUE(p.SchemaLineHasObservations(0));

    p.DeleteSchemaLine(0);
    EXPECT_EQ(p.SchemaColumns, (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(p.Observations, (std::vector<double>{1, 0, 3, 0, 5, 0}));

    p.InsertSchemaLine(0, std::string(150, 'x'));  // held to the file's field
    EXPECT_EQ(p.SchemaColumns[0].size(), kMaxSchemaTextBytes);
    p.SwapSchemaLines(0, 7);  // no such line: nothing
    p.DeleteSchemaLine(-1);
    EXPECT_EQ(p.Observations, (std::vector<double>{0, 1, 0, 0, 3, 0, 0, 5, 0}));
}

TEST(ObservationKeeping, KindAndMethodChanges) {
    TGumParam p = Direct(3);
    EXPECT_FALSE(p.HasEnteredObservations());
    Fill(p, {0, 2.5, 0});
    EXPECT_TRUE(p.HasEnteredObservations());
    p.SetKind(TParamKind::TypeB);
    p.SetKind(TParamKind::TypeA);  // away and back: kept for the editor to ask
    EXPECT_EQ(p.Observations, (std::vector<double>{0, 2.5, 0}));
    p.ClearObservations();
    EXPECT_EQ(p.Observations, (std::vector<double>{0, 0, 0}));
    EXPECT_FALSE(p.HasEnteredObservations());

    TGumParam q = Schema({"a"}, 2);
    EXPECT_FALSE(q.HasEnteredObservations());
    q.SetObservation(1, -1);
    EXPECT_TRUE(q.HasEnteredObservations());
    q.SetAMethod(am_Direct);
    EXPECT_EQ(q.Observations, (std::vector<double>{0, 0}));
}

struct GridCase {
    const char* name;
    std::uint8_t method, valueType;
    std::vector<TObsColumn> columns;
    int rows;
};

TEST(ObservationGrid, ColumnsByMethodAndDataKind) {
    using C = TObsColumn;
    for (const GridCase& c : {
             GridCase{"direct values", am_Direct, 0, {C::Number, C::Value}, 4},
             GridCase{"grouped values", am_Direct, 1, {C::Number, C::Value, C::Count}, 4},
             GridCase{"indirect", am_Indirect, 0, {C::Number, C::Line, C::Reading, C::Observation}, 8},
         }) {
        TGumParam p = c.method == am_Direct ? Direct(4) : Schema({"a", "b"}, 4);
        p.AValueType = c.valueType;
        const TObservationGrid g(p);
        ASSERT_EQ(g.ColumnCount(), static_cast<int>(c.columns.size())) << c.name;
        for (int k = 0; k < g.ColumnCount(); ++k) {
            EXPECT_EQ(g.Column(k), c.columns[static_cast<std::size_t>(k)]) << c.name;
            const C col = g.Column(k);
            EXPECT_EQ(g.Editable(k), col == C::Value || col == C::Count || col == C::Reading) << c.name;
        }
        EXPECT_EQ(g.RowCount(), c.rows) << c.name;
    }
}

TEST(ObservationGrid, EnterMovement) {
    TGumParam p = Direct(2);
    p.AValueType = 1;
    const TObservationGrid g(p);
    EXPECT_EQ(g.Next({0, 1}), (TObsCell{0, 2}));  // value -> count of the row
    EXPECT_EQ(g.Next({0, 2}), (TObsCell{1, 1}));  // count -> value of the next row
    EXPECT_EQ(g.Next({1, 1}), (TObsCell{1, 1}));  // last row: nowhere, from the value
    EXPECT_EQ(g.Next({1, 2}), (TObsCell{1, 2}));  // nor from the count
    p.AValueType = 0;
    EXPECT_EQ(g.Next({0, 1}), (TObsCell{1, 1}));
    EXPECT_EQ(g.Next({1, 1}), (TObsCell{1, 1}));
    TGumParam s = Schema({"a", "b"}, 2);
    const TObservationGrid gs(s);
    EXPECT_EQ(gs.Next({1, 2}), (TObsCell{2, 2}));
    EXPECT_EQ(gs.Next({3, 2}), (TObsCell{3, 2}));
}

TEST(ObservationGrid, IndirectCellsShowMeasurementAndObservationOnce) {
    TGumParam p = Schema({"U_1", "U_2"}, 2);
    p.SchemaFormula = "x2-x1";
    p.Decimals = 2;
    Fill(p, {1, 3.25, 2, 2});
    p.RecomputeStatistics();
    const TObservationGrid g(p);
    const TNumberFormatSettings s;
    EXPECT_EQ(g.DisplayText({0, 0}, s).Mantissa, "1");
    EXPECT_EQ(g.DisplayText({1, 0}, s).Mantissa, "");
    EXPECT_EQ(g.DisplayText({2, 0}, s).Mantissa, "2");
    EXPECT_EQ(g.DisplayText({1, 1}, s).Mantissa, "U_2");
    EXPECT_EQ(g.DisplayText({1, 2}, s).Mantissa, "3,25");
    EXPECT_EQ(g.DisplayText({0, 3}, s).Mantissa, "");
    EXPECT_EQ(g.DisplayText({1, 3}, s).Mantissa, "2,25");
    EXPECT_FALSE(g.Shaded(0));
    EXPECT_TRUE(g.Shaded(1));
    p.SetObservation(0, 1.0 / 3.0);
    EXPECT_EQ(g.DisplayText({0, 2}, s).Mantissa, "0,33");
    EXPECT_EQ(g.EditText({0, 2}), "0,3333333333333333");  // the editor starts from every digit
    p.SetObservation(0, 5e7);                             // above the threshold: exponent apart, drawn raised
    EXPECT_EQ(g.DisplayText({0, 2}, s).Exponent, "6");
}

TEST(ObservationText, TypedNumbers) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    for (const Case& c :
         {Case{"1,5", 1.5}, Case{"1.5", 1.5}, Case{" -2e3 ", -2000.0}, Case{"+4", 4.0}, Case{"1,5E-3", 0.0015},
          Case{",5", 0.5}, Case{"abc", std::nullopt}, Case{"1,5,3", std::nullopt}, Case{"1 000", std::nullopt},
          Case{"inf", std::nullopt}, Case{"nan", std::nullopt}, Case{"", std::nullopt}, Case{"1e400", std::nullopt}}) {
        const std::optional<double> v = ParseTypedNumber(c.text);
        ASSERT_EQ(v.has_value(), c.value.has_value()) << c.text;
        if (v) {
            EXPECT_DOUBLE_EQ(*v, *c.value) << c.text;
        }
    }
}

TEST(ObservationText, CellTextIsCheckedByColumn) {
    TGumParam p = Direct(2);
    p.AValueType = 1;
    EXPECT_EQ(ParseCellText(p, {0, 1}, "2,5"), 2.5);
    EXPECT_EQ(ParseCellText(p, {0, 2}, "3"), 3.0);
    EXPECT_FALSE(ParseCellText(p, {0, 2}, "2,5"));  // counts are whole numbers
    EXPECT_FALSE(ParseCellText(p, {0, 2}, "-1"));
    EXPECT_FALSE(ParseCellText(p, {0, 0}, "1"));  // "No" is never edited
    EXPECT_FALSE(ParseCellText(p, {5, 1}, "1"));
    StoreCell(p, {1, 1}, 4.0);
    StoreCell(p, {1, 2}, 3.0);
    EXPECT_EQ(p.Statistics.Count, 4);  // 0 once, 4 three times
    EXPECT_DOUBLE_EQ(p.Statistics.Mean, 3.0);
}

// Typing and pasting into the count column accept the same texts: whole
// numbers from 0 to the longest grouped series, with either decimal mark;
// a value cell takes any number of up to 100 characters.
TEST(ObservationText, CountCellTypedOrPastedTakesWholeNumbersUpToTheLimit) {
    const std::string hundredDigits(100, '1');
    const std::string hundredChars = "0," + std::string(98, '5');
    const struct {
        std::string text;
        std::optional<double> count;
        bool value;
    } cases[] = {
        {"0", 0.0, true},
        {"10000000", 1e7, true},
        {"1E7", 1e7, true},
        {"2,0", 2.0, true},
        {"10000001", std::nullopt, true},
        {"0,5", std::nullopt, true},
        {"-1", std::nullopt, true},
        {"1e-300", std::nullopt, true},
        {hundredDigits, std::nullopt, true},
        {hundredChars, std::nullopt, true},
        {hundredChars + "5", std::nullopt, false},
    };
    TGumParam p = Direct(2);
    p.AValueType = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseCellText(p, {0, 2}, c.text), c.count);
        EXPECT_EQ(ParseCellText(p, {0, 1}, c.text).has_value(), c.value);
        const TPastePlan plan = PlanPaste(p, {0, 2}, c.text);
        EXPECT_EQ(plan.Status, c.count ? TPastePlan::TStatus::Ok : TPastePlan::TStatus::NotANumber);
    }
}

TEST(ObservationPaste, ALongColumnGrowsTheSeriesAsOneEdit) {
    TGumParam p = Direct(10);
    std::string text;
    for (int i = 0; i < 1000; ++i) text += std::to_string(i) + (i % 2 ? ",5" : ".25") + "\r\n";
    const TPastePlan plan = PlanPaste(p, {0, 1}, text);
    ASSERT_EQ(plan.Status, TPastePlan::TStatus::Ok);
    EXPECT_EQ(plan.NewCount, 1000);
    ApplyPaste(p, plan);
    EXPECT_EQ(p.ObservationCount, 1000);
    EXPECT_EQ(p.GetObservation(0), 0.25);
    EXPECT_EQ(p.GetObservation(999), 999.5);
    EXPECT_EQ(p.Statistics.Count, 1000);
}

TEST(ObservationPaste, RefusalsStoreNothing) {
    struct Case {
        const char* name;
        const char* text;
        TObsCell at;
        TPastePlan::TStatus status;
        int line;
        const char* bad;
    };
    using S = TPastePlan::TStatus;
    for (const Case& c : {
             Case{"not a number", "1\n2\nx7\n", {0, 1}, S::NotANumber, 3, "x7"},
             Case{"empty cell", "1\n\n3", {0, 1}, S::NotANumber, 2, ""},
             Case{"fractional count", "1\t2,5", {0, 1}, S::NotANumber, 1, "2,5"},
             Case{"too many columns", "1\t2\t3", {0, 1}, S::TooManyColumns, 1, ""},
             Case{"nothing", "\r\n\n", {0, 1}, S::Empty, 0, ""},
         }) {
        TGumParam p = Direct(3);
        p.AValueType = 1;
        const TPastePlan plan = PlanPaste(p, c.at, c.text);
        EXPECT_EQ(plan.Status, c.status) << c.name;
        EXPECT_EQ(plan.BadLine, c.line) << c.name;
        EXPECT_EQ(plan.BadText, c.bad) << c.name;
    }
    TGumParam p = Direct(3);
    std::string many;
    for (int i = 0; i < 10001; ++i) many += "1\n";
    EXPECT_EQ(PlanPaste(p, {0, 1}, many).Status, S::TooManyRows);
}

TEST(ObservationPaste, CopiedBlocksPasteBackWhole) {
    TGumParam p = Direct(3);
    p.AValueType = 1;
    Fill(p, {1.0 / 3.0, -2.5, 7});
    p.SetRowValue(1, 4);
    const std::string text = CopyCells(p, {0, 0}, {2, 2});
    EXPECT_EQ(text, "1\t0,3333333333333333\t1\n2\t-2,5\t4\n3\t7\t1");
    TGumParam q = Direct(1);
    q.AValueType = 1;
    ApplyPaste(q, PlanPaste(q, {0, 0}, text));
    EXPECT_EQ(q.Observations, p.Observations);
    EXPECT_EQ(q.RowValues, p.RowValues);

    TGumParam s = Schema({"a", "b"}, 1);  // indirect: readings only, n grows by measurements
    s.SchemaFormula = "x1+x2";
    ApplyPaste(s, PlanPaste(s, {1, 2}, "5\n6\n7"));
    EXPECT_EQ(s.ObservationCount, 2);
    EXPECT_EQ(s.Observations, (std::vector<double>{0, 5, 6, 7}));
    EXPECT_EQ(s.RowValues, (std::vector<double>{5, 13}));
}

}  // namespace
}  // namespace vormid
