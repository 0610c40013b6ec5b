// The shortcuts that make loading cheap give the same bits as the plain
// computation: the series sorted without its zeros, the normality test over
// runs of equal values, and a schema's repeated rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/GumParam.h"
#include "core/Statistics.h"

namespace vormid {
namespace {

std::vector<std::uint64_t> Bits(const std::vector<double>& v) {
    std::vector<std::uint64_t> b;
    for (double x : v) b.push_back(std::bit_cast<std::uint64_t>(x));
    return b;
}

TEST(LoadShortcuts, SeriesSortedAsBeforeWithAndWithoutZeros) {
    const std::vector<std::vector<double>> series = {
        {0, 0, 3, 0, -2, 0, 5, 0, 0, -1, 0},  // mostly zeros: the zeros are placed, not sorted
        {0, 0, 0, 0, 0, 0, 0.5},              // zeros and positives only
        {0, -0.0, 0, 0, 2, 0},                // a -0: the plain sort
        {0, 0, NAN, 0, 1},                    // a NaN: the plain sort, NaN last
        {4, 0, 3, 0, 2, 1},                   // few zeros
    };
    for (const auto& v : series) {
        std::vector<double> sorted = v;
        SeriesStatistics s;
        ComputeSeriesStatistics(sorted, s);
        std::vector<double> expected = v;
        std::sort(expected.begin(), expected.end(), [](double a, double b) {
            if (std::isnan(a)) return false;
            if (std::isnan(b)) return true;
            return a < b;
        });
        if (std::none_of(v.begin(), v.end(), [](double x) { return std::isnan(x) || std::signbit(x); }))
            EXPECT_EQ(Bits(sorted), Bits(expected));
        else
            EXPECT_EQ(sorted.size(), expected.size());
    }
}

TEST(LoadShortcuts, NormalityDistanceOverRunsOfEqualValues) {
    // D computed point by point against the test's own figure.
    std::vector<double> v = {1, 1, 1, 2, 2, 3, 3, 3, 3, 4, 7, 7};
    SeriesStatistics s;
    ComputeSeriesStatistics(v, s);
    double d = 0;
    for (int i = 1; i <= s.Count; ++i) d = std::max(d, std::fabs(double(i) / s.Count - NormalCdfApprox(v[i - 1], s)));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(s.KsDistance), std::bit_cast<std::uint64_t>(d));
}

TEST(LoadShortcuts, RepeatedSchemaRowsGiveTheirRowsAndErrors) {
    TGumParam p;
    p.SetKind(TParamKind::TypeA);
    p.SetAMethod(am_Indirect);
    p.SetObservationCount(4);
    p.InsertSchemaLine(0, "a");
    p.InsertSchemaLine(1, "b");
    p.SchemaFormula = "x1/x2";
    const double rows[4][2] = {{1, 4}, {1, 4}, {3, 0}, {3, 0}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 2; ++c) p.SetObservation(r * 2 + c, rows[r][c]);
    EXPECT_FALSE(p.RecomputeStatistics());  // 3/0 in the last two rows
    EXPECT_EQ(p.GetRowValue(0), 0.25);
    EXPECT_EQ(p.GetRowValue(1), 0.25);
    // Both rows mended: the result cached for the failing row is not reused.
    p.SetObservation(7, 2);
    p.SetObservation(5, 2);
    EXPECT_TRUE(p.RecomputeStatistics());
    EXPECT_EQ(p.GetRowValue(2), 1.5);
    EXPECT_EQ(p.GetRowValue(3), 1.5);
    // A name that is no column fails however many rows repeat.
    p.SchemaFormula = "x1+x3";
    EXPECT_FALSE(p.RecomputeStatistics());
}

}  // namespace
}  // namespace vormid
