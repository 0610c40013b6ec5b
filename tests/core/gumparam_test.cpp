// Quantity model: defaults, the setters that shape the arrays, element
// access, the Type A series and the derived values of the non-Type-B kinds.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/GumParam.h"

namespace vormid {
namespace {

TEST(GumParamDefaults, NewQuantityHasTheDocumentedDefaults) {
    TGumParams list;
    TGumParam* p = list.Add();
    EXPECT_EQ(p->Owner, &list);
    EXPECT_EQ(p->Kind, TParamKind::Undefined);
    EXPECT_DOUBLE_EQ(p->CoverageFactor, 2.0);
    EXPECT_DOUBLE_EQ(p->CoverageProbability, 95.0);
    EXPECT_EQ(p->ObservationCount, 10);
    EXPECT_TRUE(p->Observations.empty());  // arrays are not built yet
    EXPECT_TRUE(p->RowValues.empty());
    EXPECT_EQ(p->DegreesOfFreedom, 9);
    EXPECT_EQ(p->BEvalType, 0);
    EXPECT_EQ(p->Distribution, dc_Rectangle);
    EXPECT_EQ(p->LimitSide, ll_Bottom);
    EXPECT_EQ(p->Decimals, 3);
    EXPECT_EQ(p->SignificantDigits, 3);
    EXPECT_EQ(p->ValueFormat, "0.000");
    EXPECT_TRUE(p->ValueExpFormat);
    EXPECT_EQ(p->UncertaintyFormat, "0.000");
    EXPECT_TRUE(p->UncertaintyExpFormat);
    EXPECT_FALSE(p->Unconfirmed);
    EXPECT_EQ(p->Statistics.Count, 0);
}

TEST(GumParamDefaults, NewQuantityCopiesTheSettingsAsTheyStandWhenCreated) {
    TNumberFormatSettings settings;
    settings.DefaultSignificantDigits = 5;
    settings.DefaultValueFormat = "0.0";
    settings.DefaultValueExp = false;
    settings.DefaultUncertaintyFormat = "0.00";
    settings.DefaultUncertaintyExp = false;
    TGumParams list(&settings);
    TGumParam* first = list.Add();
    settings.DefaultSignificantDigits = 2;
    TGumParam* second = list.Add();
    EXPECT_EQ(first->SignificantDigits, 5);
    EXPECT_EQ(first->ValueFormat, "0.0");
    EXPECT_FALSE(first->ValueExpFormat);
    EXPECT_EQ(first->UncertaintyFormat, "0.00");
    EXPECT_FALSE(first->UncertaintyExpFormat);
    EXPECT_EQ(second->SignificantDigits, 2);
}

TEST(GumParamArrays, BecomingTypeABuildsTheArrays) {
    TGumParam p;
    p.SetKind(TParamKind::TypeA);
    EXPECT_EQ(p.Observations, std::vector<double>(10, 0.0));
    EXPECT_EQ(p.RowValues, std::vector<double>(10, 1.0));
}

TEST(GumParamArrays, ChangingTheCountKeepsTheObservationsThatStillExist) {
    TGumParam p;
    p.SetKind(TParamKind::TypeA);
    for (int i = 0; i < 10; ++i) p.SetObservation(i, i + 1.5);
    p.SetRowValue(3, 7.0);
    p.SetObservationCount(12);
    std::vector<double> readings(12, 0.0), counts(12, 1.0);
    for (int i = 0; i < 10; ++i) readings[static_cast<std::size_t>(i)] = i + 1.5;
    counts[3] = 7.0;
    EXPECT_EQ(p.Observations, readings);
    EXPECT_EQ(p.RowValues, counts);
}

TEST(GumParamArrays, ObservationCountIsHeldWithinWhatTheProgramEdits) {
    struct Case {
        int requested, stored;
    };
    for (const Case c : {Case{0, 1}, Case{-5, 1}, Case{1, 1}, Case{10000, 10000}, Case{10001, 10000},
                         Case{std::numeric_limits<int>::max(), 10000}}) {
        TGumParam p;
        p.SetKind(TParamKind::TypeA);
        p.SetObservationCount(c.requested);
        EXPECT_EQ(p.ObservationCount, c.stored) << c.requested;
        EXPECT_EQ(p.Observations.size(), static_cast<std::size_t>(c.stored));
    }
}

TEST(GumParamArrays, SettersOfTypeAActOnlyOnTypeA) {
    TGumParam p;
    p.SetKind(TParamKind::TypeB);
    p.SetObservationCount(5);
    p.SetAMethod(am_Indirect);
    EXPECT_EQ(p.ObservationCount, 10);
    EXPECT_EQ(p.AMethod, am_Direct);
    EXPECT_TRUE(p.Observations.empty());
}

TEST(GumParamArrays, IndirectMethodSizesReadingsByTheSchema) {
    TGumParam p;
    p.SetKind(TParamKind::TypeA);
    p.SetObservationCount(4);
    p.SetObservation(0, 9.0);
    p.SetAMethod(am_Indirect);  // no columns: the readings stay as they are
    EXPECT_EQ(p.Observations.size(), 4u);
    EXPECT_DOUBLE_EQ(p.GetObservation(0), 9.0);
    EXPECT_EQ(p.RowValues, std::vector<double>(4, 1.0));
    p.SetSchemaColumns({"a", "b", "c"});
    EXPECT_EQ(p.Observations, std::vector<double>(12, 0.0));
    p.SetObservation(5, 1.0);
    p.SetSchemaColumns({"a", "b", "d"});  // renaming a line clears the readings
    EXPECT_EQ(p.Observations, std::vector<double>(12, 0.0));
    p.SetAMethod(2);  // no such method
    EXPECT_EQ(p.AMethod, am_Indirect);
}

TEST(GumParamBounds, TypeBDegreesOfFreedomStayWithinAByteFromTheKindChange) {
    struct Case {
        int before, after;
    };
    for (const Case c : {Case{1000, 100}, Case{-3, 0}, Case{9, 9}, Case{100, 100}}) {
        TGumParam p;
        p.SetKind(TParamKind::TypeA);
        p.DegreesOfFreedom = c.before;  // Type A allows any 32-bit value
        p.SetKind(TParamKind::TypeB);
        EXPECT_EQ(p.DegreesOfFreedom, c.after) << c.before;
        EXPECT_EQ(p.DOF(), c.after);
    }
    TGumParam b;
    b.SetKind(TParamKind::TypeB);
    b.SetDegreesOfFreedom(500);
    EXPECT_EQ(b.DegreesOfFreedom, 100);
    TGumParam a;
    a.SetKind(TParamKind::TypeA);
    a.SetDegreesOfFreedom(500);
    EXPECT_EQ(a.DegreesOfFreedom, 500);
}

TEST(GumParamBounds, DecimalsStayWithinAByte) {
    TGumParam p;
    p.SetDecimals(300);
    EXPECT_EQ(p.Decimals, 255);
    p.SetDecimals(-1);
    EXPECT_EQ(p.Decimals, 0);
    p.SetDecimals(6);
    EXPECT_EQ(p.Decimals, 6);
}

TEST(GumParamAccess, OutsideTheArrayReadsZeroAndWritesNothing) {
    TGumParam p;
    EXPECT_EQ(p.GetObservation(0), 0.0);  // no array at all
    p.SetObservation(0, 5.0);
    EXPECT_TRUE(p.Observations.empty());
    p.SetKind(TParamKind::TypeA);
    for (int i : {-1, 10, 1 << 30}) {
        p.SetObservation(i, 5.0);
        p.SetRowValue(i, 5.0);
        EXPECT_EQ(p.GetObservation(i), 0.0);
        EXPECT_EQ(p.GetRowValue(i), 0.0);
    }
    EXPECT_EQ(p.Observations, std::vector<double>(10, 0.0));
    p.SetObservation(9, 2.5);
    EXPECT_EQ(p.GetObservation(9), 2.5);
}

TGumParam TypeA(std::vector<double> values) {
    TGumParam p;
    p.SetKind(TParamKind::TypeA);
    p.SetObservationCount(static_cast<int>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) p.SetObservation(static_cast<int>(i), values[i]);
    return p;
}

TEST(GumParamSeries, GroupedValuesRepeatEachValueByItsFrequency) {
    struct Case {
        std::vector<double> values, freqs, series;
    };
    const double nan = std::nan("");
    for (const Case& c : {
             Case{{1.0, 2.0}, {3, 2}, {1, 1, 1, 2, 2}},
             Case{{1.0, 2.0}, {2.9, 1.2}, {1, 1, 2}},  // integer part
             Case{{1.0, 2.0, 3.0}, {0, -4, 1}, {3}},   // none, negative
             Case{{1.0, 2.0}, {nan, 1}, {2}},
         }) {
        TGumParam p = TypeA(c.values);
        p.AValueType = 1;
        for (std::size_t i = 0; i < c.freqs.size(); ++i) p.SetRowValue(static_cast<int>(i), c.freqs[i]);
        EXPECT_EQ(p.BuildSeries(), c.series);
    }
}

TEST(GumParamSeries, ADamagedFrequencyDoesNotAllocateWithoutBound) {
    TGumParam p = TypeA({1.0, 2.0});
    p.AValueType = 1;
    p.SetRowValue(0, 1e300);
    bool complete = true;
    EXPECT_TRUE(p.BuildSeries(&complete).empty());
    EXPECT_FALSE(complete);
    EXPECT_FALSE(p.RecomputeStatistics());
    EXPECT_EQ(p.Statistics.Count, 0);
    p.SetRowValue(0, 6e6);
    p.SetRowValue(1, 6e6);  // each fits, the sum does not
    EXPECT_FALSE(p.RecomputeStatistics());
}

TEST(GumParamSeries, DirectSeriesGivesMeanStdDevOfMeanAndDof) {
    TGumParam p = TypeA({1, 2, 3, 4});
    EXPECT_TRUE(p.RecomputeStatistics());
    const double s = std::sqrt(5.0 / 3.0);
    EXPECT_DOUBLE_EQ(p.Value(), 2.5);
    EXPECT_NEAR(p.StdUncertainty(), s / 2.0, 1e-12);
    EXPECT_EQ(p.DOF(), 3);
    p.ASUType = 1;
    EXPECT_NEAR(p.StdUncertainty(), (s / 2.0) / (1.0 - 1.0 / std::sqrt(6.0)), 1e-12);
    EXPECT_NEAR(p.LowerValue(), 2.5 - p.StdUncertainty(), 1e-15);
    EXPECT_NEAR(p.UpperValue(), 2.5 + p.StdUncertainty(), 1e-15);
    EXPECT_NEAR(p.DoubleUncertainty(), 2 * p.StdUncertainty(), 1e-15);
}

TEST(GumParamSeries, ASingleValueHasOneDegreeOfFreedom) {
    TGumParam p = TypeA({7.0});
    p.RecomputeStatistics();
    EXPECT_EQ(p.DOF(), 1);
    EXPECT_DOUBLE_EQ(p.Value(), 7.0);
}

TEST(GumParamSeries, AnEmptySeriesLeavesNoStaleStatistics) {
    TGumParam p = TypeA({5, 6});
    p.RecomputeStatistics();
    EXPECT_DOUBLE_EQ(p.Value(), 5.5);
    p.AValueType = 1;
    p.SetRowValue(0, 0);
    p.SetRowValue(1, 0);
    p.RecomputeStatistics();
    EXPECT_EQ(p.Statistics.Count, 0);
    EXPECT_EQ(p.Value(), 0.0);
}

TGumParam Indirect(std::vector<std::string> columns, int n, const std::string& formula,
                   const std::vector<double>& readings) {
    TGumParam p;
    p.SetKind(TParamKind::TypeA);
    p.SetObservationCount(n);
    p.SetAMethod(am_Indirect);
    p.SetSchemaColumns(std::move(columns));
    p.SchemaFormula = formula;
    for (std::size_t i = 0; i < readings.size(); ++i) p.SetObservation(static_cast<int>(i), readings[i]);
    return p;
}

TEST(GumParamSchema, EachRowIsReducedByTheFormula) {
    TGumParam p = Indirect({"a", "b"}, 3, "A2-A1", {1, 3, 2, 5, 4, 4});
    EXPECT_TRUE(p.RecomputeStatistics());
    EXPECT_EQ(p.RowValues, (std::vector<double>{2, 3, 0}));
    EXPECT_EQ(p.Statistics.Count, 3);
    EXPECT_DOUBLE_EQ(p.Value(), 5.0 / 3.0);
}

TEST(GumParamSchema, ColumnNumbersAreReadFromTheSecondCharacter) {
    std::vector<std::string> columns(12, "c");
    std::vector<double> readings(24);
    for (int i = 0; i < 24; ++i) readings[static_cast<std::size_t>(i)] = i;
    TGumParam p = Indirect(columns, 2, "x12*10+y1", readings);
    EXPECT_TRUE(p.RecomputeStatistics());
    EXPECT_EQ(p.RowValues, (std::vector<double>{110, 242}));
}

TEST(GumParamSchema, ANameThatIsNoColumnReadsZeroAndReportsFailure) {
    for (const char* formula : {"x3", "x0", "xy", "x", "x1+q"}) {
        TGumParam p = Indirect({"a", "b"}, 2, formula, {1, 2, 3, 4});
        EXPECT_FALSE(p.RecomputeStatistics()) << formula;
        for (double v : p.RowValues) EXPECT_TRUE(v == 0.0 || v == 1.0 || v == 3.0) << formula;
    }
}

TEST(GumParamSchema, NoColumnsComputesNoRow) {
    TGumParam p;
    p.SetKind(TParamKind::TypeA);
    p.SetObservationCount(3);
    p.SetAMethod(am_Indirect);
    p.SchemaFormula = "x1";
    EXPECT_TRUE(p.RecomputeStatistics());
    EXPECT_EQ(p.RowValues, std::vector<double>(3, 1.0));
}

TEST(GumParamTypeA, EnteredEvaluations) {
    struct Case {
        const char* what;
        std::uint8_t evalType;
        double v, k;
        int n, nu;
        bool percent;
        double expected;
    };
    // The estimate of the entered cases is the mean 20 of the series 10, 30.
    for (const Case& c : {
             Case{"expanded", 0, 0.4, 2.0, 2, 9, false, 0.2},
             Case{"std deviation", 1, 0.3, 2.0, 9, 8, false, 0.1},
             Case{"std deviation, nu 0", 1, 0.3, 2.0, 9, 0, false, 0.0},
             Case{"std uncertainty", 2, 0.25, 2.0, 2, 9, false, 0.25},
             Case{"std uncertainty in %", 2, 5.0, 2.0, 2, 9, true, 1.0},
             Case{"expanded in %", 0, 5.0, 2.0, 2, 9, true, 0.5},
         }) {
        TGumParam p;
        p.SetKind(TParamKind::TypeA);
        p.SetObservationCount(c.n);
        p.SetObservation(0, 10);
        p.SetObservation(1, 30);
        if (c.n > 2)
            for (int i = 0; i < c.n; ++i) p.SetObservation(i, 20);
        p.RecomputeStatistics();
        p.AUncertaintySource = 1;
        p.AEvalType = c.evalType;
        p.StatedValue = c.v;
        p.CoverageFactor = c.k;
        p.DegreesOfFreedom = c.nu;
        p.InPercent = c.percent;
        EXPECT_NEAR(p.StdUncertainty(), c.expected, 1e-15) << c.what;
        EXPECT_EQ(p.DOF(), c.nu) << c.what;
    }
}

TEST(GumParamKinds, KindsWithoutUncertainty) {
    for (TParamKind kind : {TParamKind::Undefined, TParamKind::Result, TParamKind::VarResult, TParamKind::Const}) {
        TGumParam p;
        p.SetKind(kind);
        p.ConstValue = 4.5;
        p.BValue = 3.0;
        p.StatedValue = 1.0;
        EXPECT_EQ(p.Value(), kind == TParamKind::Const ? 4.5 : 0.0);
        EXPECT_EQ(p.StdUncertainty(), 0.0);
        EXPECT_EQ(p.DOF(), kInfiniteDof);
        EXPECT_EQ(p.RelativeUncertainty(), 0.0);
    }
}

TEST(GumParamKinds, RelativeUncertainty) {
    TGumParam p;
    p.SetKind(TParamKind::TypeB);
    p.BEvalType = 1;
    p.StatedValue = 0.2;
    p.BValue = 0.0;
    EXPECT_EQ(p.RelativeUncertainty(), 0.0);  // estimate 0
    p.BValue = -4.0;
    EXPECT_NEAR(p.RelativeUncertainty(), 5.0, 1e-12);
}

TEST(GumParamList, GetAddDeleteAndFindByExactBytes) {
    TGumParams list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Get(0), nullptr);
    const char* names[] = {"A", "a", "\xC0", "\xE0", "A_1"};  // cp1251 А and а
    for (const char* n : names) list.Add()->Name = n;
    EXPECT_EQ(list.Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list.FindByName(names[i]), list.Get(i));
        EXPECT_EQ(list.IndexOf(list.Get(i)), i);
    }
    EXPECT_EQ(list.FindByName("A "), nullptr);
    EXPECT_EQ(list.Get(-1), nullptr);
    EXPECT_EQ(list.Get(5), nullptr);
    list.Delete(7);
    list.Delete(-1);
    EXPECT_EQ(list.Count(), 5);
    list.Delete(1);
    EXPECT_EQ(list.FindByName("a"), nullptr);
    EXPECT_EQ(list.Get(1)->Name, "\xC0");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(GumParamList, FindByNameGivesTheFirstOfEqualNames) {
    TGumParams list;
    TGumParam* first = list.Add();
    first->Name = "X";
    list.Add()->Name = "X";
    EXPECT_EQ(list.FindByName("X"), first);
}

TEST(GumParamList, DeleteMarkedRemovesOnlyTheMarked) {
    TGumParams list;
    for (const char* n : {"A", "B", "C", "D", "E"}) list.Add()->Name = n;
    list.MarkAll();
    for (const auto& p : list) EXPECT_TRUE(p->Unconfirmed);
    list.FindByName("B")->Unconfirmed = false;
    list.FindByName("E")->Unconfirmed = false;
    list.DeleteMarked();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(0)->Name, "B");
    EXPECT_EQ(list.Get(1)->Name, "E");
}

}  // namespace
}  // namespace vormid
