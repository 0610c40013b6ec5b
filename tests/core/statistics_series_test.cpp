// Series statistics, histogram classes and the normality test.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/Statistics.h"

namespace vormid {
namespace {

SeriesStatistics Compute(std::vector<double> v) {
    SeriesStatistics s;
    ComputeSeriesStatistics(v, s);
    return s;
}

TEST(SeriesStatistics, OneTwoThreeFour) {
    std::vector<double> v = {3, 1, 4, 2};
    SeriesStatistics s;
    ComputeSeriesStatistics(v, s);
    EXPECT_EQ(v, (std::vector<double>{1, 2, 3, 4})) << "sorted in place";
    EXPECT_EQ(s.Count, 4);
    EXPECT_DOUBLE_EQ(s.Min, 1);
    EXPECT_DOUBLE_EQ(s.Max, 4);
    EXPECT_DOUBLE_EQ(s.Range, 3);
    EXPECT_DOUBLE_EQ(s.Mean, 2.5);
    EXPECT_DOUBLE_EQ(s.Median, 2.5);
    EXPECT_NEAR(s.StdDev, 1.2909944487, 1e-9);
    EXPECT_NEAR(s.RelStdDev, 1.2909944487 / 2.5, 1e-9);
    EXPECT_NEAR(s.StdDevMean, 0.6454972244, 1e-9);
    EXPECT_NEAR(s.SigmaMean, 0.6454972244 / (1 - 1 / std::sqrt(6.0)), 1e-9);
    EXPECT_NEAR(s.Skewness, 0, 1e-12);
    EXPECT_NEAR(s.Kurtosis, 2.5625 / 1.5625 - 3, 1e-12);
    EXPECT_DOUBLE_EQ(s.RangeLow, 1);
    EXPECT_DOUBLE_EQ(s.RangeHigh, 4);
    EXPECT_DOUBLE_EQ(s.PlotLow, 1);
    EXPECT_DOUBLE_EQ(s.PlotHigh, 4);

    ASSERT_EQ(s.ClassCount, 3);
    EXPECT_DOUBLE_EQ(s.ClassWidth, 1);
    ASSERT_EQ(s.ClassBounds.size(), 4u);
    ASSERT_EQ(s.Counts.size(), 3u);
    const double bounds[] = {1, 2, 3, 4};
    for (int j = 0; j <= 3; ++j) EXPECT_DOUBLE_EQ(s.ClassBounds[j], bounds[j]) << j;
    const int counts[] = {2, 1, 1}, cum[] = {2, 3, 4};
    for (int j = 0; j < 3; ++j) {
        EXPECT_EQ(s.Counts[j], counts[j]) << j;
        EXPECT_EQ(s.CumCounts[j], cum[j]) << j;
        EXPECT_DOUBLE_EQ(s.RelFreq[j], counts[j] / 4.0) << j;
        EXPECT_DOUBLE_EQ(s.CumRelFreq[j], cum[j] / 4.0) << j;
        EXPECT_DOUBLE_EQ(s.ClassNumbers[j + 1], j + 1);
        EXPECT_DOUBLE_EQ(s.ClassMids[j + 1], 1.5 + j);
    }
    // Expected normal class probabilities: tails go to the outer classes.
    const double phi2 = NormalCdfApprox(2, s), phi3 = NormalCdfApprox(3, s);
    EXPECT_DOUBLE_EQ(s.NormProb[0], phi2);
    EXPECT_DOUBLE_EQ(s.NormProb[1], phi3 - phi2);
    EXPECT_DOUBLE_EQ(s.NormProb[2], 1 - phi3);
    EXPECT_DOUBLE_EQ(s.NormCumProb[0], phi2);
    EXPECT_DOUBLE_EQ(s.NormCumProb[1], phi3);
    EXPECT_DOUBLE_EQ(s.NormCumProb[2], 1.0);
    EXPECT_DOUBLE_EQ(s.NormCount[1], 4 * (phi3 - phi2));
    EXPECT_DOUBLE_EQ(s.NormCumCount[2], 4.0);
    EXPECT_NEAR(phi2 + (1 - phi3), 2 * phi2, 1e-7) << "symmetric around the mean";
    EXPECT_DOUBLE_EQ(s.KsCritical05, 0.381);
    EXPECT_DOUBLE_EQ(s.KsCritical01, 0.417);
    EXPECT_TRUE(s.Normal05);
    EXPECT_TRUE(s.Normal01);
}

struct NoSpreadCase {
    std::vector<double> values;
    bool normal;  // both flags
};

class SeriesWithoutSpread : public ::testing::TestWithParam<NoSpreadCase> {};

TEST_P(SeriesWithoutSpread, ZeroSpreadFiveUnitClassesAroundTheValue) {
    const NoSpreadCase& c = GetParam();
    const SeriesStatistics s = Compute(c.values);
    const double x = c.values.front();
    EXPECT_EQ(s.Count, static_cast<int>(c.values.size()));
    EXPECT_DOUBLE_EQ(s.Mean, x);
    EXPECT_DOUBLE_EQ(s.Median, x);
    EXPECT_DOUBLE_EQ(s.Min, x);
    EXPECT_DOUBLE_EQ(s.Max, x);
    for (double spread : {s.Range, s.StdDev, s.RelStdDev, s.Skewness, s.Kurtosis, s.StdDevMean, s.SigmaMean})
        EXPECT_EQ(spread, 0.0);
    EXPECT_DOUBLE_EQ(s.RangeLow, x - 1);
    EXPECT_DOUBLE_EQ(s.RangeHigh, x + 1);
    EXPECT_DOUBLE_EQ(s.PlotLow, x - 1);
    EXPECT_DOUBLE_EQ(s.PlotHigh, x + 1);
    ASSERT_EQ(s.ClassCount, 5);
    EXPECT_DOUBLE_EQ(s.ClassWidth, 1.0);
    EXPECT_DOUBLE_EQ(s.ClassBounds[0], x - 2.5);
    EXPECT_DOUBLE_EQ(s.ClassMids[3], x);
    EXPECT_EQ(s.Counts, (std::vector<int>{0, 0, static_cast<int>(c.values.size()), 0, 0}));
    EXPECT_EQ(s.Normal05, c.normal);
    EXPECT_EQ(s.Normal01, c.normal);
}

INSTANTIATE_TEST_SUITE_P(Cases, SeriesWithoutSpread,
                         ::testing::Values(NoSpreadCase{{7.25}, true}, NoSpreadCase{{-3, -3, -3}, true},
                                           NoSpreadCase{{5, 5, 5, 5}, false},
                                           NoSpreadCase{std::vector<double>(45, 0.125), false}),
                         [](const ::testing::TestParamInfo<NoSpreadCase>& info) {
                             return "n" + std::to_string(info.param.values.size());
                         });

struct CriticalCase {
    int n;
    double c05, c01;
};

class LillieforsTable : public ::testing::TestWithParam<CriticalCase> {};

TEST_P(LillieforsTable, CriticalValuesForN) {
    const CriticalCase& c = GetParam();
    double c05 = -1, c01 = -1;
    LillieforsCritical(c.n, c05, c01);
    EXPECT_DOUBLE_EQ(c05, c.c05);
    EXPECT_DOUBLE_EQ(c01, c.c01);
}

INSTANTIATE_TEST_SUITE_P(Rows, LillieforsTable,
                         ::testing::Values(CriticalCase{3, 0, 0}, CriticalCase{4, 0.381, 0.417},
                                           CriticalCase{5, 0.337, 0.405}, CriticalCase{17, 0.206, 0.245},
                                           CriticalCase{18, 0.200, 0.239}, CriticalCase{29, 0.163, 0.189},
                                           CriticalCase{30, 0.161, 0.187}, CriticalCase{45, 0.161, 0.187},
                                           CriticalCase{100000, 0.161, 0.187}),
                         [](const ::testing::TestParamInfo<CriticalCase>& info) {
                             return "n" + std::to_string(info.param.n);
                         });

// A series shaped like a normal sample passes the test; a series with one
// outlier among equal values fails it; n = 45 takes the n = 30 row.
TEST(SeriesStatistics, NormalityTestOnFortyFiveValues) {
    std::vector<double> normalish;
    for (int i = 1; i <= 45; ++i) normalish.push_back(NormalQuantile(1, 10, (i - 0.5) / 45));
    const SeriesStatistics s = Compute(normalish);
    EXPECT_DOUBLE_EQ(s.KsCritical05, 0.161);
    EXPECT_DOUBLE_EQ(s.KsCritical01, 0.187);
    EXPECT_LT(s.KsDistance, 0.05);
    EXPECT_TRUE(s.Normal05);
    EXPECT_TRUE(s.Normal01);
    EXPECT_EQ(s.ClassCount, 8);  // round(5 * log10 45) = round(8.27)

    std::vector<double> outlier(44, 1.0);
    outlier.push_back(100.0);
    const SeriesStatistics t = Compute(outlier);
    EXPECT_GT(t.KsDistance, 0.187);
    EXPECT_FALSE(t.Normal05);
    EXPECT_FALSE(t.Normal01);
    EXPECT_EQ(t.Counts.front(), 44);
    EXPECT_EQ(t.Counts.back(), 1);
}

TEST(SeriesStatistics, MeanZeroGivesRelStdDevZero) {
    const SeriesStatistics s = Compute({-1, 1});
    EXPECT_EQ(s.Mean, 0.0);
    EXPECT_NEAR(s.StdDev, std::sqrt(2.0), 1e-12);
    EXPECT_EQ(s.RelStdDev, 0.0);
}

// 0.1 + 0.6 + 0.6 accumulates to 1.2999999999999998, just below Max = 1.3.
TEST(SeriesStatistics, ValuePastTheLastBoundByRoundingCountsInTheLastClass) {
    const SeriesStatistics s = Compute({0.1, 1.3});
    ASSERT_EQ(s.ClassCount, 2);
    ASSERT_LT(s.ClassBounds[2], 1.3) << "the example no longer shows the rounding";
    EXPECT_EQ(s.Counts, (std::vector<int>{1, 1}));
    EXPECT_EQ(s.CumCounts.back(), 2);
    EXPECT_DOUBLE_EQ(s.CumRelFreq.back(), 1.0);
}

TEST(SeriesStatistics, EmptySeriesLeavesTheRecord) {
    SeriesStatistics s;
    s.Count = 7;
    s.Mean = 3;
    std::vector<double> none;
    ComputeSeriesStatistics(none, s);
    EXPECT_EQ(s.Count, 7);
    EXPECT_EQ(s.Mean, 3);
}

TEST(SeriesStatistics, RecomputingShrinksTheClassArrays) {
    std::vector<double> many;
    for (int i = 0; i < 1000; ++i) many.push_back(i);
    SeriesStatistics s;
    ComputeSeriesStatistics(many, s);
    EXPECT_EQ(s.ClassCount, 15);
    EXPECT_EQ(s.CumCounts.back(), 1000);
    std::vector<double> few = {1, 2, 3, 4};
    ComputeSeriesStatistics(few, s);
    EXPECT_EQ(s.ClassCount, 3);
    EXPECT_EQ(s.Counts.size(), 3u);
    EXPECT_EQ(s.NormCumCount.size(), 3u);
    EXPECT_EQ(s.ClassBounds.size(), 4u);
}

TEST(SeriesStatistics, NonFiniteValuesNeitherCrashNorPassTheTest) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const std::vector<double>& v : {std::vector<double>{1, nan, 2, 3, 4}, std::vector<double>{nan, nan, nan, nan},
                                         std::vector<double>{1, inf, 2, -inf, 5}}) {
        const SeriesStatistics s = Compute(v);
        EXPECT_EQ(s.Count, static_cast<int>(v.size()));
        EXPECT_FALSE(s.Normal05);
        int total = 0;
        for (int c : s.Counts) total += c;
        EXPECT_EQ(total, s.Count);
    }
}

TEST(NormalCdfApprox, StepWithoutSpreadAndAccurateOtherwise) {
    SeriesStatistics s;
    s.Mean = 2;
    s.StdDev = 0;
    EXPECT_EQ(NormalCdfApprox(2, s), 1.0);
    EXPECT_EQ(NormalCdfApprox(1.999, s), 0.0);
    EXPECT_EQ(NormalCdfApprox(3, s), 1.0);
    s.Mean = 10;
    s.StdDev = 2;
    // Abramowitz and Stegun 26.2.19 is good to 1.5e-7.
    const struct {
        double x, phi;
    } cases[] = {
        {10, 0.5}, {10 + 2 * 1.959963985, 0.975}, {10 - 2 * 1.959963985, 0.025}, {12, 0.8413447461}, {4, 0.0013498980}};
    for (const auto& c : cases) EXPECT_NEAR(NormalCdfApprox(c.x, s), c.phi, 2e-7) << c.x;
}

}  // namespace
}  // namespace vormid
